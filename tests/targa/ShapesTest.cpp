#include "support/Tga.h"
#include "targa/Shapes.h"

#include <gtest/gtest.h>

using targa::ShapeBox;
using testing_support::Tga;

namespace {

// Rows top first: '#' alpha 255, '+' alpha 1, '.' alpha 0; as 32-bit texels with transparency, or (keyed) as 24-bit
// texels of one colour for '.' and another for the rest, or colour-mapped with a map of alpha 0, 1 and 255.
Tga Picture(const std::vector<std::string>& rows, int kind)
{
    Tga t{.type = kind == 2 ? 1 : 2, .depth = kind == 2 ? 8 : kind == 1 ? 24 : 32,
          .width = int(rows[0].size()), .height = int(rows.size()), .descriptor = kind == 1 ? 0x20 : 0x28};
    if (kind == 2)
        std::tie(t.mapType, t.mapLength, t.mapEntrySize, t.map) =
            std::tuple(1, 3, 32, std::vector{9, 9, 9, 0, 9, 9, 9, 1, 9, 9, 9, 255});
    for (const std::string& row : rows)
        for (char c : row) {
            const int level = c == '.' ? 0 : c == '+' ? 1 : 2;
            const std::vector<int> texel = kind == 2 ? std::vector{level}
                                         : kind == 1 ? std::vector{level ? 50 : 9, 9, 9}
                                                     : std::vector{9, 9, 9, level == 2 ? 255 : level};
            t.data.insert(t.data.end(), texel.begin(), texel.end());
        }
    return t;
}

} // namespace

// Every shape's box, from the runs; the same box from a flood fill on each of its texels.
TEST(Shapes, AreEightConnectedTexelsOfAlphaOrOfAnotherColour)
{
    const std::pair<std::vector<std::string>, std::vector<ShapeBox>> cases[] = {
        {{"......", ".+##+.", ".#..#.", ".+##+.", "......"}, {{1, 1, 4, 3}}}, // a faint rim around a hole
        {{".#.....", "..#....", "...#..#", "......#"}, {{1, 0, 3, 2}, {6, 2, 6, 3}}}, // corners touch; a gap
        {{"...#..", ".....#", "#.....", "..#..."}, {{3, 0, 3, 0}, {5, 1, 5, 1}, {0, 2, 0, 2}, {2, 3, 2, 3}}}, // edges
        {{".#.#.", ".###.", "#...#"}, {{0, 0, 4, 2}}},                     // joined below, apart above
        {{"......"}, {}},
    };
    for (int kind : {0, 1, 2}) {
        for (const auto& [rows, boxes] : cases) {
            const testing_support::Decoded d = testing_support::Decode(Picture(rows, kind).Bytes());
            const targa::ShapeTexels texels(d.surface, kind != 1);
            EXPECT_EQ(targa::FindShapes(texels).boxes, boxes) << kind << " " << rows[0];
            const int width = int(rows[0].size());
            for (int at = 0; at < int(rows.size()) * width; ++at) {
                const auto box = targa::ShapeAt(texels, at % width, at / width);
                EXPECT_EQ(box.has_value(), rows[std::size_t(at / width)][std::size_t(at % width)] != '.') << at;
                EXPECT_TRUE(!box || std::find(boxes.begin(), boxes.end(), *box) != boxes.end()) << kind << " " << at;
            }
        }
    }
    const testing_support::Decoded noise = testing_support::Decode(Picture({"#.#.#.", "......", "#.#.#."}, 0).Bytes());
    EXPECT_FALSE(targa::FindShapes(targa::ShapeTexels(noise.surface, true), 4).complete) << "bounded";
}
