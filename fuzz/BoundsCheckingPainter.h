#pragma once

#include "targa/PaintTarget.h"

#include <cstdint>
#include <string>

namespace fuzzing {

// A paint target that stores nothing and records the first call that would
// paint outside the image the decoder announced (or before announcing one).
class BoundsCheckingPainter final : public targa::PaintTarget {
public:
    bool PrepareSurface(int width, int height) override
    {
        if (prepared_)
            Fail("surface prepared twice");
        prepared_ = true;
        width_ = width;
        height_ = height;
        return true;
    }
    void PaintRun(int x, int y, int count, targa::Colour colour) override
    {
        if (count < 1 || count > 128)
            Fail("run of " + std::to_string(count));
        Colours(&colour, 1);
        Check(x, y, count);
    }
    void PaintPixels(int x, int y, const targa::Colour* colours, int count) override
    {
        Colours(colours, count);
        Check(x, y, count);
    }
    void BlendRun(int x, int y, int count, targa::Colour colour, int alpha) override
    {
        if (count < 1 || count > 128 || alpha < 0 || alpha > 255)
            Fail("blended run of " + std::to_string(count) + " at alpha " + std::to_string(alpha));
        Colours(&colour, 1);
        Check(x, y, count);
    }
    void BlendPixels(int x, int y, const targa::Colour* colours, const std::uint8_t*, int count) override
    {
        Colours(colours, count);
        Check(x, y, count);
    }
    void KeepAlphas(int x, int y, const std::uint8_t*, int count) override { Check(x, y, count); }
    void Refresh(int firstRow, int lastRow) override
    {
        ++refreshes;
        if (firstRow > lastRow || firstRow < 0 || lastRow >= height_)
            Fail("a refresh of rows outside the image");
    }
    bool YieldToEvents() override { return true; }

    const std::string& Violation() const { return violation_; }
    std::uint64_t pixels = 0;
    int refreshes = 0;

private:
    void Colours(const targa::Colour* colours, int count)
    {
        for (int i = 0; i < count; ++i)
            if (colours[i] > 0xFFFFFF)
                Fail("colour with a top byte");
    }
    void Check(int x, int y, int count)
    {
        pixels += static_cast<std::uint64_t>(count);
        if (!prepared_)
            Fail("painted before the surface was prepared");
        else if (x < 0 || y < 0 || y >= height_ || x + count > width_)
            Fail("painted outside the image at " + std::to_string(x) + "," + std::to_string(y));
    }
    void Fail(const std::string& what)
    {
        if (violation_.empty())
            violation_ = what;
    }

    bool prepared_ = false;
    int width_ = 0;
    int height_ = 0;
    std::string violation_;
};

} // namespace fuzzing
