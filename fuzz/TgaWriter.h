#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace fuzzing {

// A Targa file written byte by byte, filled in with designated initialisers.
struct Tga {
    int type = 2, depth = 24, width = 1, height = 1, descriptor = 0;
    int mapType = 0, mapFirst = 0, mapLength = 0, mapEntrySize = 0;
    std::vector<int> id = {}, map = {}, data = {};
    int extensionAttributes = -1; // a TGA 2.0 extension area with this attributes type
    bool bareFooter = false;      // a TGA 2.0 footer with no extension area

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
        if (bareFooter) {
            put({0, 0, 0, 0, 0, 0, 0, 0});
            for (char c : std::string("TRUEVISION-XFILE.") + '\0')
                put({c});
        }
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

} // namespace fuzzing
