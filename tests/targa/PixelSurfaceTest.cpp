#include "targa/PixelSurface.h"

#include <gtest/gtest.h>

using targa::MakeColour;
using targa::PixelSurface;

TEST(PixelSurface, ReadsBackgroundUntilPaintedAndAllBitsSetOutside)
{
    PixelSurface surface(4, 40, MakeColour(1, 2, 3));
    EXPECT_EQ(surface.GetPixel(0, 0), MakeColour(1, 2, 3));
    EXPECT_EQ(surface.GetPixel(3, 39), MakeColour(1, 2, 3));
    surface.SetPixel(3, 39, MakeColour(200, 100, 50));
    EXPECT_EQ(surface.GetPixel(3, 39), MakeColour(200, 100, 50));
    EXPECT_EQ(surface.GetPixel(2, 39), MakeColour(1, 2, 3));
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {4, 0}, {0, 40}})
        EXPECT_EQ(surface.GetPixel(x, y), 0xFFFFFFFFu) << x << "," << y;
}

TEST(PixelSurface, WritesOutsideChangeNothing)
{
    PixelSurface surface(2, 2, 0);
    surface.SetPixel(2, 0, 0xFFFFFF);
    surface.SetPixel(-1, 1, 0xFFFFFF);
    surface.Blend(0, 2, 255, 255, 255, 255);
    surface.FillRun(0, -1, 5, 0xFFFFFF);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(surface.GetPixel(x, y), 0u);
}

TEST(PixelSurface, RunChangesExactlyItsPixelsAndStopsAtTheEdge)
{
    struct Case {
        int x, count;
        const char* row; // after the run, '#' painted
    };
    for (const Case& c : {Case{2, 1, "..#..."}, Case{0, 6, "######"}, Case{4, 128, "....##"}, Case{-2, 3, "#....."},
                          Case{6, 3, "......"}}) {
        PixelSurface surface(6, 3, 0);
        surface.FillRun(c.x, 1, c.count, 0x00FF00);
        std::string row;
        for (int x = 0; x < 6; ++x)
            row += surface.GetPixel(x, 1) == 0x00FF00 ? '#' : '.';
        EXPECT_EQ(row, c.row) << "run at " << c.x << " of " << c.count;
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(surface.GetPixel(x, 0), 0u);
            EXPECT_EQ(surface.GetPixel(x, 2), 0u);
        }
    }
}

TEST(PixelSurface, BlendDividesBy256AndRoundsHalvesToEven)
{
    struct Case {
        int old, source, alpha, expected;
    };
    for (const Case& c : {Case{0, 255, 255, 254}, Case{255, 0, 255, 1}, Case{77, 200, 0, 77}, Case{0, 1, 128, 0},
                          Case{0, 3, 128, 2}, Case{0, 255, 128, 128}, Case{1, 0, 128, 1}, Case{3, 0, 128, 1},
                          Case{100, 100, 255, 100}, Case{0, 255, 1, 1}, Case{255, 255, 255, 255}}) {
        EXPECT_EQ(targa::BlendChannel(c.old, c.source, c.alpha), c.expected)
            << c.source << " over " << c.old << " at alpha " << c.alpha;
        PixelSurface surface(1, 1, MakeColour(c.old, c.old, c.old));
        surface.Blend(0, 0, c.source, c.source, c.source, c.alpha);
        EXPECT_EQ(surface.GetPixel(0, 0), MakeColour(c.expected, c.expected, c.expected));
    }
}

TEST(PixelSurface, BlendStaysInRangeForEveryInput)
{
    for (int old = 0; old < 256; ++old)
        for (int source = 0; source < 256; source += 5)
            for (int alpha = 0; alpha < 256; alpha += 3) {
                const int v = targa::BlendChannel(old, source, alpha);
                ASSERT_GE(v, 0);
                ASSERT_LE(v, 255);
            }
}

TEST(PixelSurface, GrowingKeepsWhatWasPainted)
{
    PixelSurface surface(3, 33, MakeColour(9, 9, 9));
    surface.SetPixel(2, 32, MakeColour(1, 2, 3));
    surface.EnsureSize(70, 70);
    EXPECT_EQ(surface.Width(), 70);
    EXPECT_EQ(surface.GetPixel(2, 32), MakeColour(1, 2, 3));
    EXPECT_EQ(surface.GetPixel(69, 69), MakeColour(9, 9, 9));
    EXPECT_EQ(surface.GetPixel(1, 0), MakeColour(9, 9, 9));
}

TEST(PixelSurface, AllocatesOnlyTheBandsThatArePainted)
{
    PixelSurface surface(32767, 32767, 0);
    surface.SetPixel(5, 32766, 0xFF);
    int allocated = 0;
    for (int band = 0; band < surface.BandCount(); ++band)
        allocated += surface.Band(band) != nullptr;
    EXPECT_EQ(allocated, 1);
}

TEST(PixelSurface, StoredBlendAgreesWithTheChannelRuleEverywhere)
{
    for (int old = 0; old < 256; ++old)
        for (int source = 0; source < 256; ++source)
            for (int alpha = 0; alpha < 256; ++alpha) {
                const std::uint32_t stored = targa::BlendStored(MakeColour(old, 0, 255 - old) | PixelSurface::kOpaque,
                                                                MakeColour(source, 255 - source, 0), alpha);
                const std::uint32_t expected =
                    MakeColour(targa::BlendChannel(old, source, alpha), targa::BlendChannel(0, 255 - source, alpha),
                               targa::BlendChannel(255 - old, 0, alpha)) |
                    PixelSurface::kOpaque;
                ASSERT_EQ(stored, expected) << old << " " << source << " " << alpha;
            }
}

TEST(PixelSurface, RowOperationsEqualTheirSinglePixelOperations)
{
    std::vector<targa::Colour> colours;
    std::vector<std::uint8_t> alphas;
    for (int i = 0; i < 40; ++i) {
        colours.push_back(MakeColour(i * 6, 255 - i * 5, (i * 37) & 255));
        alphas.push_back(static_cast<std::uint8_t>((i * 53) & 255));
    }
    for (int x : {-5, 0, 3, 20}) {
        PixelSurface rows(30, 2, MakeColour(90, 100, 110));
        PixelSurface singles(30, 2, MakeColour(90, 100, 110));
        rows.SetPixels(x, 0, colours.data(), 40);
        rows.BlendPixels(x, 1, colours.data(), alphas.data(), 40);
        rows.BlendRun(x, 0, 40, colours[7], 77);
        for (int i = 0; i < 40; ++i) {
            singles.SetPixel(x + i, 0, colours[static_cast<std::size_t>(i)]);
            const targa::Colour c = colours[static_cast<std::size_t>(i)];
            singles.Blend(x + i, 1, targa::RedOf(c), targa::GreenOf(c), targa::BlueOf(c), alphas[static_cast<std::size_t>(i)]);
        }
        for (int i = 0; i < 40; ++i)
            singles.Blend(x + i, 0, targa::RedOf(colours[7]), targa::GreenOf(colours[7]), targa::BlueOf(colours[7]), 77);
        for (int y = 0; y < 2; ++y)
            for (int px = 0; px < 30; ++px)
                ASSERT_EQ(rows.GetPixel(px, y), singles.GetPixel(px, y)) << "x " << x << " at " << px << "," << y;
    }
}

TEST(PixelSurface, RowBlendAgreesWithTheChannelRuleForEveryInput)
{
    // Every (old, source) pair in a row, for every alpha, through the vector paths.
    constexpr int kPairs = 256 * 256;
    std::vector<targa::Colour> sources(kPairs);
    std::vector<std::uint8_t> alphas(kPairs);
    for (int i = 0; i < kPairs; ++i)
        sources[static_cast<std::size_t>(i)] = MakeColour(i >> 8, 255 - (i >> 8), (i >> 8) ^ 0x5A);
    for (int alpha = 0; alpha < 256; ++alpha) {
        PixelSurface surface(kPairs, 1, 0);
        for (int i = 0; i < kPairs; ++i)
            surface.SetPixel(i, 0, MakeColour(i & 255, (i * 7) & 255, 255 - (i & 255)));
        std::fill(alphas.begin(), alphas.end(), static_cast<std::uint8_t>(alpha));
        surface.BlendPixels(0, 0, sources.data(), alphas.data(), kPairs);
        for (int i = 0; i < kPairs; ++i) {
            const int s = i >> 8;
            const targa::Colour expected =
                MakeColour(targa::BlendChannel(i & 255, s, alpha), targa::BlendChannel((i * 7) & 255, 255 - s, alpha),
                           targa::BlendChannel(255 - (i & 255), s ^ 0x5A, alpha));
            ASSERT_EQ(surface.GetPixel(i, 0), expected) << "pair " << i << " alpha " << alpha;
        }
    }
}

TEST(PixelSurface, BlendingOverUnpaintedPixelsReadsTheBackground)
{
    std::vector<targa::Colour> sources(256);
    std::vector<std::uint8_t> alphas(256);
    for (int s = 0; s < 256; ++s)
        sources[static_cast<std::size_t>(s)] = MakeColour(s, 255 - s, s / 2);
    for (int alpha = 0; alpha < 256; ++alpha) {
        PixelSurface surface(256, 2, MakeColour(77, 3, 200));
        std::fill(alphas.begin(), alphas.end(), static_cast<std::uint8_t>(alpha));
        surface.BlendPixels(0, 0, sources.data(), alphas.data(), 256);
        surface.BlendRun(0, 1, 256, sources[200], alpha);
        for (int s = 0; s < 256; ++s) {
            ASSERT_EQ(surface.GetPixel(s, 0), MakeColour(targa::BlendChannel(77, s, alpha),
                                                         targa::BlendChannel(3, 255 - s, alpha),
                                                         targa::BlendChannel(200, s / 2, alpha)))
                << s << " at alpha " << alpha;
            ASSERT_EQ(surface.GetPixel(s, 1), MakeColour(targa::BlendChannel(77, 200, alpha),
                                                         targa::BlendChannel(3, 55, alpha),
                                                         targa::BlendChannel(200, 100, alpha)));
        }
    }
}
