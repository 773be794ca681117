#pragma once

#include "targa/PaintTarget.h"
#include "targa/PixelSurface.h"

namespace targa {

// Paints onto a PixelSurface. Progress is a no-op here; the main window
// overrides Refresh and YieldToEvents to show the picture and run events.
class SurfacePainter : public PaintTarget {
public:
    explicit SurfacePainter(PixelSurface& surface) : surface_(surface) {}

    bool PrepareSurface(int width, int height) override;
    void PaintPixel(int x, int y, Colour colour) override { surface_.SetPixel(x, y, colour); }
    void PaintRun(int x, int y, int count, Colour colour) override { surface_.FillRun(x, y, count, colour); }
    void BlendPixel(int x, int y, int red, int green, int blue, int alpha) override
    {
        surface_.Blend(x, y, red, green, blue, alpha);
    }
    void PaintPixels(int x, int y, const Colour* colours, int count) override
    {
        surface_.SetPixels(x, y, colours, count);
    }
    void BlendPixels(int x, int y, const Colour* colours, const std::uint8_t* alphas, int count) override
    {
        surface_.BlendPixels(x, y, colours, alphas, count);
    }
    void BlendRun(int x, int y, int count, Colour colour, int alpha) override
    {
        surface_.BlendRun(x, y, count, colour, alpha);
    }
    void Refresh() override {}
    bool YieldToEvents() override { return true; }

    PixelSurface& Surface() { return surface_; }

private:
    PixelSurface& surface_;
};

} // namespace targa
