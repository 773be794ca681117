#pragma once

#include "targa/SurfacePainter.h"
#include "targa/TargaModule.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace testing_support {

// A Targa file written byte by byte, filled in with designated initialisers.
struct Tga {
    int type = 2, depth = 24, width = 1, height = 1, descriptor = 0;
    int mapType = 0, mapFirst = 0, mapLength = 0, mapEntrySize = 0;
    std::vector<int> id = {}, map = {}, data = {};
    int extensionAttributes = -1; // a TGA 2.0 extension area with this attributes type

    std::vector<std::uint8_t> Bytes() const
    {
        std::vector<std::uint8_t> out;
        const auto put = [&out](std::initializer_list<int> bytes) {
            for (int b : bytes)
                out.push_back(static_cast<std::uint8_t>(b));
        };
        const auto word = [&put](int w) { put({w & 255, (w >> 8) & 255}); };
        put({static_cast<int>(id.size()), mapType, type});
        word(mapFirst);
        word(mapLength);
        put({mapEntrySize, 0, 0, 0, 0});
        word(width);
        word(height);
        put({depth, descriptor});
        for (const auto* part : {&id, &map, &data})
            for (int b : *part)
                put({b});
        if (extensionAttributes >= 0) {
            const std::size_t at = out.size();
            std::vector<std::uint8_t> extension(495, 0);
            extension[0] = 495 & 255;
            extension[1] = 495 >> 8;
            extension[494] = static_cast<std::uint8_t>(extensionAttributes);
            out.insert(out.end(), extension.begin(), extension.end());
            put({int(at & 255), int((at >> 8) & 255), int((at >> 16) & 255), 0, 0, 0, 0, 0});
            for (char c : std::string("TRUEVISION-XFILE.") + '\0')
                put({c});
        }
        return out;
    }
};

struct Decoded {
    targa::PixelSurface surface;
    std::vector<std::string> messages; // "title: text"
    std::int32_t height = -999, width = -999;
    std::vector<int> rowsAtRefresh; // painted rows each time progress was shown

    // Row y as colour values in hex, "-" where nothing was painted.
    std::string Row(int y, int width) const
    {
        std::string row;
        for (int x = 0; x < width; ++x) {
            const targa::Colour c = surface.GetPixel(x, y);
            char cell[16];
            std::snprintf(cell, sizeof cell, c == surface.Background() ? "%s-" : "%s%06X", x ? " " : "", c);
            row += cell;
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
        void ShowError(const std::string& title, const std::string& text) override
        {
            out.messages.push_back(title + ": " + text);
        }
        Decoded& out;
        int stopAt;
        int yields = 0;
    };
    Decoded out;
    out.surface.Reset(0, 0, background);
    Painter painter(out, stopAtYield);
    targa::LoadTarga(bytes, painter, out.height, out.width, painter);
    return out;
}

} // namespace testing_support
