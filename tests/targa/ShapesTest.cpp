#include "targa/Shapes.h"
#include "support/Tga.h"

#include <gtest/gtest.h>

#include <algorithm>

using targa::ShapeBox;

// The boxes from the runs, and a flood fill's from each texel.
TEST(Shapes, AreEightConnectedTexelsOfAlphaOrOfAnotherColour)
{
    const std::pair<std::vector<std::string>, std::vector<ShapeBox>> cases[] = {
        {{"......", ".+##+.", ".#..#.", ".+##+.", "......"}, {{1, 1, 4, 3}}},         // a faint rim around a hole
        {{".#.....", "..#....", "...#..#", "......#"}, {{1, 0, 3, 2}, {6, 2, 6, 3}}}, // corners touch; a gap
        {{"..#", ".#."}, {{1, 0, 2, 1}}},                                             // the other corner
        {{"........#......##..........#", "#..............##..........."}, // on every edge, across blocks of eight
         {{8, 0, 8, 0}, {15, 0, 16, 1}, {27, 0, 27, 0}, {0, 1, 0, 1}}},
    };
    for (int depth : {32, 16, 24}) {
        for (const auto& [rows, boxes] : cases) {
            const testing_support::Decoded d = testing_support::Decode(testing_support::RowsTexture(rows, depth));
            const targa::ShapeTexels texels(d.surface, depth != 24);
            EXPECT_EQ(targa::FindShapes(texels).boxes, boxes) << depth << " " << rows[0];
            EXPECT_FALSE(targa::FindShapes(texels, 1).complete);
            const int width = int(rows[0].size());
            for (int at = 0; at < int(rows.size()) * width; ++at) {
                const auto box = targa::ShapeAt(texels, at % width, at / width);
                const bool in = rows[std::size_t(at / width)][std::size_t(at % width)] != '.';
                EXPECT_EQ(box ? std::count(boxes.begin(), boxes.end(), *box) : -1, in ? 1 : -1) << depth << " " << at;
            }
        }
        const testing_support::Decoded rim =
            testing_support::Decode(testing_support::RowsTexture(cases[0].first, depth));
        const targa::ShapeTexels rimTexels(rim.surface, depth != 24);
        EXPECT_EQ(targa::TexelsWithin(rimTexels, {1, 0, 1, 4}), (ShapeBox{1, 1, 1, 3})) << "in one column";
        EXPECT_EQ(targa::TexelsWithin(rimTexels, {4, -2, 9, 9}), (ShapeBox{4, 1, 4, 3})) << "clipped to the texture";
    }
}
