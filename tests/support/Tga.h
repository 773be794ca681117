#pragma once

#include "TgaWriter.h"
#include "targa/LoadTarga.h"
#include "targa/SurfacePainter.h"

#include <cstdio>
#include <string>
#include <tuple>

namespace testing_support {

using fuzzing::Tga;

struct Decoded {
    targa::PixelSurface surface;
    std::vector<std::string> messages; // "title: text"
    std::int32_t height = -999, width = -999;
    std::vector<std::pair<int, int>> refreshed; // the first and last row each time progress was shown

    // Row y as colour values in hex, "-" where nothing was painted.
    std::string Row(int y, int width) const
    {
        std::string row;
        char cell[16];
        for (int x = 0; x < width; ++x) {
            const targa::Colour c = surface.GetPixel(x, y);
            std::snprintf(cell, sizeof cell, "%06X", c);
            row += std::string(x ? " " : "") + (c == surface.Background() ? "-" : cell);
        }
        return row;
    }
};

// Rows top first: '#' opaque, '+' alpha 1, '.' clear; at depth 16 by the attribute bit, at 24 by colour.
inline std::vector<std::uint8_t> RowsTexture(const std::vector<std::string>& rows, int depth = 32)
{
    Tga t{.depth = depth, .width = int(rows[0].size()), .height = int(rows.size()), .descriptor = 0x28};
    for (const std::string& row : rows)
        for (char c : row) {
            const int alpha = c == '.' ? 0 : c == '+' ? 1 : 255;
            const std::vector<int> texel = depth == 24   ? std::vector{alpha ? 50 : 9, 9, 9}
                                           : depth == 16 ? std::vector{9, alpha ? 0x80 : 0}
                                                         : std::vector{9, 9, 9, alpha};
            t.data.insert(t.data.end(), texel.begin(), texel.end());
        }
    return t.Bytes();
}

// Decodes onto a surface as the program does; `stopAtYield` ends painting
// at that yield, as closing the program does.
inline Decoded Decode(const std::vector<std::uint8_t>& bytes, targa::Colour background = 0x102030, int stopAtYield = -1)
{
    struct Painter final : targa::SurfacePainter {
        Painter(Decoded& out, int stopAt) : SurfacePainter(out.surface), out(out), stopAt(stopAt) {}
        void Refresh(int firstRow, int lastRow) override { out.refreshed.emplace_back(firstRow, lastRow); }
        bool YieldToEvents() override { return ++yields != stopAt; }
        Decoded& out;
        int stopAt, yields = 0;
    };
    Decoded out;
    out.surface.Reset(0, 0, background);
    Painter painter(out, stopAtYield);
    const targa::LoadResult loaded = targa::LoadTarga(bytes, painter);
    if (loaded.message)
        out.messages.push_back(std::string(targa::messages::kTitle) + ": " + *loaded.message);
    if (loaded.sized)
        std::tie(out.height, out.width) = std::pair(loaded.height, loaded.width);
    return out;
}

} // namespace testing_support
