#pragma once

#include <QPointF>

#include <cmath>

namespace ravelock {

// Which texel each device pixel of the picture shows: the texel under the
// device pixel's centre. Clicks, keys, outlines and the picture all use it.
struct TexelGrid {
    QPointF origin; // the picture's origin, in device pixels from the window's
    qreal scale = 1;

    static int Texel(int device, qreal origin, qreal scale)
    {
        return static_cast<int>(std::floor((device + 0.5 - origin) / scale));
    }
    // The first device pixel that shows `texel` or a texel after it.
    static int FirstDevice(int texel, qreal origin, qreal scale)
    {
        int device = static_cast<int>(std::ceil(texel * scale + origin - 0.5));
        while (Texel(device - 1, origin, scale) >= texel)
            --device;
        while (Texel(device, origin, scale) < texel)
            ++device;
        return device;
    }

    int TexelX(int device) const { return Texel(device, origin.x(), scale); }
    int TexelY(int device) const { return Texel(device, origin.y(), scale); }
    int FirstDeviceX(int texel) const { return FirstDevice(texel, origin.x(), scale); }
    int FirstDeviceY(int texel) const { return FirstDevice(texel, origin.y(), scale); }
};

} // namespace ravelock
