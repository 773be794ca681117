#pragma once

#include "TgaWriter.h"
#include "targa/SurfacePainter.h"
#include "targa/LoadTarga.h"

#include <cstdio>

namespace testing_support {

using fuzzing::Tga;

struct Decoded {
    targa::PixelSurface surface;
    std::vector<std::string> messages; // "title: text"
    std::int32_t height = -999, width = -999;
    std::vector<int> rowsAtRefresh; // painted rows each time progress was shown

    // Row y as colour values in hex, "-" where nothing was painted.
    std::string Row(int y, int width) const
    {
        std::string row;
        char cell[16];
        for (int x = 0; x < width; ++x) {
            const targa::Colour c = surface.GetPixel(x, y);
            row += std::string(x ? " " : "") + (c == surface.Background() ? "-" : (std::snprintf(cell, 16, "%06X", c), cell));
        }
        return row;
    }
};

// Decodes onto a surface as the program does; `stopAtYield` ends painting
// at that yield, as closing the program does.
inline Decoded Decode(const std::vector<std::uint8_t>& bytes, targa::Colour background = 0x102030,
                      int stopAtYield = -1)
{
    struct Painter final : targa::SurfacePainter, targa::ErrorReporter {
        Painter(Decoded& out, int stopAt) : SurfacePainter(out.surface), out(out), stopAt(stopAt) {}
        void Refresh() override
        {
            int rows = 0; // counted on small images only, where progress is checked
            for (int y = 0; y < out.surface.Height() && out.surface.Height() <= 128; ++y)
                rows += out.Row(y, 1) != "-";
            out.rowsAtRefresh.push_back(rows);
        }
        bool YieldToEvents() override { return ++yields != stopAt; }
        void ShowError(const std::string& title, const std::string& text) override { out.messages.push_back(title + ": " + text); }
        Decoded& out;
        int stopAt, yields = 0;
    };
    Decoded out;
    out.surface.Reset(0, 0, background);
    Painter painter(out, stopAtYield);
    targa::LoadTarga(bytes, painter, out.height, out.width, painter);
    return out;
}

} // namespace testing_support
