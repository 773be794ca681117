#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace testing_support {

// Writes Targa files byte by byte for the tests.
struct TgaBuilder {
    std::uint8_t idLength = 0;
    std::uint8_t colourMapType = 0;
    std::uint8_t imageType = 2;
    std::uint16_t mapFirst = 0;
    std::uint16_t mapLength = 0;
    std::uint8_t mapEntrySize = 0;
    std::uint16_t width = 1;
    std::uint16_t height = 1;
    std::uint8_t depth = 24;
    std::uint8_t descriptor = 0;
    std::vector<std::uint8_t> id;
    std::vector<std::uint8_t> map;
    std::vector<std::uint8_t> data;
    std::vector<std::uint8_t> tail;

    static TgaBuilder Image(int type, int depth, int width, int height)
    {
        TgaBuilder b;
        b.imageType = static_cast<std::uint8_t>(type);
        b.depth = static_cast<std::uint8_t>(depth);
        b.width = static_cast<std::uint16_t>(width);
        b.height = static_cast<std::uint16_t>(height);
        return b;
    }

    TgaBuilder& Data(std::initializer_list<int> bytes)
    {
        for (int b : bytes)
            data.push_back(static_cast<std::uint8_t>(b));
        return *this;
    }
    TgaBuilder& Map(std::initializer_list<int> bytes)
    {
        for (int b : bytes)
            map.push_back(static_cast<std::uint8_t>(b));
        return *this;
    }

    std::vector<std::uint8_t> Bytes() const
    {
        std::vector<std::uint8_t> out;
        auto word = [&out](std::uint16_t w) {
            out.push_back(static_cast<std::uint8_t>(w & 255));
            out.push_back(static_cast<std::uint8_t>(w >> 8));
        };
        out.push_back(idLength);
        out.push_back(colourMapType);
        out.push_back(imageType);
        word(mapFirst);
        word(mapLength);
        out.push_back(mapEntrySize);
        word(0);
        word(0);
        word(width);
        word(height);
        out.push_back(depth);
        out.push_back(descriptor);
        out.insert(out.end(), id.begin(), id.end());
        out.insert(out.end(), map.begin(), map.end());
        out.insert(out.end(), data.begin(), data.end());
        out.insert(out.end(), tail.begin(), tail.end());
        return out;
    }
};

// A TGA 2.0 extension area and footer whose attributes type is `type`.
inline std::vector<std::uint8_t> ExtensionWithAttributesType(std::size_t fileSizeBefore, std::uint8_t type)
{
    std::vector<std::uint8_t> out(495, 0);
    out[0] = 495 & 255;
    out[1] = 495 >> 8;
    out[494] = type;
    const std::size_t at = fileSizeBefore;
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>((at >> (8 * i)) & 255));
    for (int i = 0; i < 4; ++i)
        out.push_back(0);
    for (char c : std::string_view("TRUEVISION-XFILE."))
        out.push_back(static_cast<std::uint8_t>(c));
    out.push_back(0);
    return out;
}

} // namespace testing_support
