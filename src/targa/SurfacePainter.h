#pragma once

#include "targa/PaintTarget.h"
#include "targa/PixelSurface.h"

namespace targa {

// Paints onto a PixelSurface. Progress is a no-op here; the main window
// overrides Refresh and YieldToEvents to show the picture and run events.
class SurfacePainter : public PaintTarget {
public:
    explicit SurfacePainter(PixelSurface& surface) : surface_(surface) {}

    bool PrepareSurface(int width, int height) override
    {
        surface_.EnsureSize(width, height);
        return true;
    }
    void PaintRun(int x, int y, int count, Colour colour) override { surface_.FillRun(x, y, count, colour); }
    void PaintPixels(int x, int y, const Colour* colours, int count) override
    {
        surface_.SetPixels(x, y, colours, count);
    }
    void BlendRun(int x, int y, int count, Colour colour, int alpha) override
    {
        surface_.BlendRun(x, y, count, colour, alpha);
    }
    void BlendPixels(int x, int y, const Colour* colours, const std::uint8_t* alphas, int count) override
    {
        surface_.BlendPixels(x, y, colours, alphas, count);
    }
    void KeepAlphas(int x, int y, const std::uint8_t* alphas, int count) override
    {
        surface_.KeepAlphas(x, y, alphas, count);
    }
    void Refresh(int /*firstRow*/, int /*lastRow*/) override {}
    bool YieldToEvents() override { return true; }

private:
    PixelSurface& surface_;
};

} // namespace targa
