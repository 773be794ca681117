#include "support/Tga.h"
#include "targa/Shapes.h"

#include <gtest/gtest.h>

#include <algorithm>

using targa::ShapeBox;

namespace {

// Rows top first: '#' alpha 255, '+' alpha 1, '.' alpha 0, as 32-bit texels with transparency, 16-bit ones with
// the attribute bit, or 24-bit ones of one colour for '.' and another for the rest.
testing_support::Decoded Picture(const std::vector<std::string>& rows, int depth)
{
    fuzzing::Tga t{.depth = depth, .width = int(rows[0].size()), .height = int(rows.size()), .descriptor = 0x28};
    for (const std::string& row : rows)
        for (char c : row) {
            const int alpha = c == '.' ? 0 : c == '+' ? 1 : 255;
            const std::vector<int> texel = depth == 24   ? std::vector{alpha ? 50 : 9, 9, 9}
                                           : depth == 16 ? std::vector{9, alpha ? 0x80 : 0}
                                                         : std::vector{9, 9, 9, alpha};
            t.data.insert(t.data.end(), texel.begin(), texel.end());
        }
    return testing_support::Decode(t.Bytes());
}

} // namespace

// Every shape's box, from the runs; the same box from a flood fill on each of its texels.
TEST(Shapes, AreEightConnectedTexelsOfAlphaOrOfAnotherColour)
{
    const std::pair<std::vector<std::string>, std::vector<ShapeBox>> cases[] = {
        {{"......", ".+##+.", ".#..#.", ".+##+.", "......"}, {{1, 1, 4, 3}}}, // a faint rim around a hole
        {{".#.....", "..#....", "...#..#", "......#"}, {{1, 0, 3, 2}, {6, 2, 6, 3}}}, // corners touch; a gap
        {{"...#..", ".....#", "#.....", "..#..."}, {{3, 0, 3, 0}, {5, 1, 5, 1}, {0, 2, 0, 2}, {2, 3, 2, 3}}}, // edges
        {{"........#......##..........#", "#..............##..........."}, // across blocks of eight texels
         {{8, 0, 8, 0}, {15, 0, 16, 1}, {27, 0, 27, 0}, {0, 1, 0, 1}}},
    };
    for (int depth : {32, 16, 24}) {
        for (const auto& [rows, boxes] : cases) {
            const testing_support::Decoded d = Picture(rows, depth);
            const targa::ShapeTexels texels(d.surface, depth != 24);
            EXPECT_EQ(targa::FindShapes(texels).boxes, boxes) << depth << " " << rows[0];
            const int width = int(rows[0].size());
            for (int at = 0; at < int(rows.size()) * width; ++at) {
                const auto box = targa::ShapeAt(texels, at % width, at / width);
                EXPECT_EQ(box.has_value(), rows[std::size_t(at / width)][std::size_t(at % width)] != '.') << at;
                EXPECT_TRUE(!box || std::find(boxes.begin(), boxes.end(), *box) != boxes.end()) << depth << " " << at;
            }
        }
    }
    EXPECT_FALSE(targa::FindShapes(targa::ShapeTexels(Picture({"#.#.#.#"}, 32).surface, true), 3).complete);
}
