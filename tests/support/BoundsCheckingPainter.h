#pragma once

#include "targa/PaintTarget.h"

#include <cstdint>
#include <string>

namespace testing_support {

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
    void PaintPixel(int x, int y, targa::Colour colour) override
    {
        Check(x, y, 1);
        if (colour > 0xFFFFFF)
            Fail("colour with a top byte");
    }
    void PaintRun(int x, int y, int count, targa::Colour) override
    {
        if (count < 1 || count > 128)
            Fail("run of " + std::to_string(count));
        Check(x, y, count);
    }
    void BlendPixel(int x, int y, int r, int g, int b, int a) override
    {
        Check(x, y, 1);
        for (int channel : {r, g, b, a})
            if (channel < 0 || channel > 255)
                Fail("channel out of range");
    }
    void Refresh() override { ++refreshes; }
    bool YieldToEvents() override { return true; }

    const std::string& Violation() const { return violation_; }
    std::uint64_t pixels = 0;
    int refreshes = 0;

private:
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

} // namespace testing_support
