#include "targa/PixelSurface.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

using targa::MakeColour;
using targa::PixelSurface;

TEST(PixelSurface, EveryOperationChangesExactlyItsPixelsWithinTheSurface)
{
    enum Operation { FillRun, SetPixels, BlendPixels, BlendRun };
    // The operation, x, y, count, and the three rows afterwards.
    const std::tuple<Operation, int, int, int, const char*> cases[] = {
        {FillRun, 2, 1, 1, "...... ..#... ......"},
        {FillRun, 4, 1, 128, "...... ....## ......"},
        {FillRun, -2, 1, 3, "...... #..... ......"},
        {FillRun, 6, 1, 3, "...... ...... ......"},
        {FillRun, 0, -1, 6, "...... ...... ......"},
        {SetPixels, -5, 0, 8, "###... ...... ......"},
        {SetPixels, 5, 2, 4, "...... ...... .....#"},
        {BlendPixels, -1, 2, 40, "...... ...... ######"},
        {BlendRun, 5, 0, 9, ".....# ...... ......"},
        {BlendRun, 0, 3, 1, "...... ...... ......"},
    };
    const std::vector<targa::Colour> colours(128, 0x00FF00);
    const std::vector<std::uint8_t> alphas(128, 255);
    for (const auto& [op, x, y, count, rows] : cases) {
        PixelSurface surface(6, 3, 0xFF0000);
        if (op == FillRun)
            surface.FillRun(x, y, count, colours[0]);
        else if (op == SetPixels)
            surface.SetPixels(x, y, colours.data(), count);
        else if (op == BlendPixels)
            surface.BlendPixels(x, y, colours.data(), alphas.data(), count);
        else
            surface.BlendRun(x, y, count, colours[0], 255);
        std::string shown;
        for (int at = 0; at < 18; ++at)
            shown +=
                std::string(at % 6 == 0 && at ? " " : "") + (surface.GetPixel(at % 6, at / 6) == 0xFF0000 ? '.' : '#');
        EXPECT_EQ(shown, rows) << "operation " << op << " at " << x << "," << y << " of " << count;
        EXPECT_EQ(surface.GetPixel(x < 0 ? x : 6, y), 0xFFFFFFFFu) << "outside reads all bits set";
    }
}

TEST(PixelSurface, BlendDividesBy256AndRoundsHalvesToEven)
{
    // The old value, the source value, alpha, and the result, in every channel.
    for (auto [old, source, alpha, expected] : {std::array{0, 255, 255, 254},
                                                {255, 0, 255, 1},
                                                {77, 200, 0, 77},
                                                {0, 1, 128, 0},
                                                {0, 3, 128, 2},
                                                {0, 255, 128, 128},
                                                {1, 0, 128, 1},
                                                {3, 0, 128, 1},
                                                {100, 100, 255, 100},
                                                {0, 255, 1, 1},
                                                {255, 255, 255, 255}}) {
        PixelSurface surface(1, 1, MakeColour(old, old, old));
        surface.BlendRun(0, 0, 1, MakeColour(source, source, source), alpha);
        EXPECT_EQ(surface.GetPixel(0, 0), MakeColour(expected, expected, expected))
            << source << " over " << old << " at " << alpha;
    }
}

TEST(PixelSurface, RowBlendsFollowTheChannelRuleForEveryInput)
{
    // Every (old, source) pair for every alpha, in one odd-length row so that
    // every path of the row blend runs, half over painted pixels and half over
    // the background.
    constexpr int kPairs = 256 * 256 + 3;
    constexpr targa::Colour kBackground = MakeColour(77, 3, 200);
    std::vector<targa::Colour> sources, olds;
    for (int i = 0; i < kPairs; ++i) {
        sources.push_back(MakeColour((i >> 8) & 255, 255 - ((i >> 8) & 255), (i >> 8) ^ 0x5A));
        olds.push_back(i < kPairs / 2 ? MakeColour(i & 255, (i * 7) & 255, 255 - (i & 255)) : kBackground);
    }
    for (int alpha = 0; alpha < 256; ++alpha) {
        PixelSurface surface(kPairs, 1, kBackground);
        surface.SetPixels(0, 0, olds.data(), kPairs / 2);
        const std::vector<std::uint8_t> alphas(kPairs, static_cast<std::uint8_t>(alpha));
        surface.BlendPixels(0, 0, sources.data(), alphas.data(), kPairs);
        for (int i = 0; i < kPairs; ++i) {
            const targa::Colour o = olds[std::size_t(i)], s = sources[std::size_t(i)];
            ASSERT_EQ(surface.GetPixel(i, 0),
                      MakeColour(targa::BlendChannel(targa::RedOf(o), targa::RedOf(s), alpha),
                                 targa::BlendChannel(targa::GreenOf(o), targa::GreenOf(s), alpha),
                                 targa::BlendChannel(targa::BlueOf(o), targa::BlueOf(s), alpha)))
                << "pixel " << i << " alpha " << alpha;
        }
    }
}

TEST(PixelSurface, GrowsKeepingWhatWasPaintedAndBacksOnlyPaintedBands)
{
    PixelSurface surface(3, 33, MakeColour(9, 9, 9));
    surface.FillRun(2, 32, 1, MakeColour(1, 2, 3));
    surface.EnsureSize(70, 70);
    EXPECT_EQ(std::tuple(surface.Width(), surface.GetPixel(2, 32), surface.GetPixel(69, 69), surface.GetPixel(1, 0)),
              std::tuple(70, MakeColour(1, 2, 3), MakeColour(9, 9, 9), MakeColour(9, 9, 9)));

    PixelSurface huge(32767, 32767, 0);
    huge.FillRun(5, 32766, 1, 0xFF);
    for (int band = 0; band < huge.BandCount(); ++band)
        EXPECT_EQ(huge.Band(band) != nullptr, band == 32766 / PixelSurface::kBandRows) << band;
    PixelSurface two(4, 33, 0); // two bands, the second of one row
    for (int outside : {-1, 33}) // the rows just outside paint nothing, and back no band
        two.FillRun(0, outside, 4, 0xFF);
    EXPECT_TRUE(two.Band(0) == nullptr && two.Band(1) == nullptr);
}
