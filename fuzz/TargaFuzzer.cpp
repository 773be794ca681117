// Feeds arbitrary bytes to the decoder through an in-memory file. Any paint
// or refresh outside the announced image is a crash.
#include "BoundsCheckingPainter.h"
#include "targa/LoadTarga.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzing::BoundsCheckingPainter painter;
    const targa::LoadResult loaded = targa::LoadTarga({data, size}, painter);
    if (!painter.Violation().empty() || (loaded.painted && !loaded.sized)) {
        std::fprintf(stderr, "violation: %s\n", painter.Violation().c_str());
        std::abort();
    }
    return 0;
}
