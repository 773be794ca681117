#include "targa/SurfacePainter.h"

#include <new>

namespace targa {

bool SurfacePainter::PrepareSurface(int width, int height)
{
    try {
        surface_.EnsureSize(width, height);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

} // namespace targa
