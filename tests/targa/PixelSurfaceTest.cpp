#include "targa/PixelSurface.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/mman.h>
#include <unistd.h>
#endif

#include <algorithm>

#include <string>

using targa::MakeColour;
using targa::PixelSurface;

TEST(PixelSurface, OperationsClipToTheSurface)
{
    enum Operation { FillRun, SetPixels, BlendPixels, BlendRun };
    // The operation, x, y, count, and the three rows afterwards; each edge clips once.
    const std::tuple<Operation, int, int, int, const char*> cases[] = {
        {FillRun, 2, 1, 1, "...... ..#... ......"},    {FillRun, 0, -1, 6, "...... ...... ......"},
        {SetPixels, -5, 0, 8, "###... ...... ......"}, {BlendPixels, -1, 2, 40, "...... ...... ######"},
        {BlendRun, 5, 0, 9, ".....# ...... ......"},   {BlendRun, 0, 3, 1, "...... ...... ......"},
    };
    const std::vector<targa::Colour> colours(128, 0x00FF00);
    const std::vector<std::uint8_t> alphas(128, 255);
    PixelSurface untouched(6, 3, 0);
    untouched.KeepAlphas(0, 1, alphas.data(), 6); // a band never painted keeps no alphas
    untouched.FillRun(0, 0, 1, colours[0]);
    EXPECT_EQ(untouched.Alpha(0, 1), 0);
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
        EXPECT_EQ(surface.GetPixel(6, 0) & surface.GetPixel(0, 3), PixelSurface::kInvalidColour) << "past the last";
        EXPECT_EQ(surface.GetPixel(x < 0 ? x : 6, y), 0xFFFFFFFFu) << "outside reads all bits set";
    }
}

// The blend divides by 256 and rounds halves to even: old, source, alpha and the result.
static_assert(targa::BlendChannel(0, 255, 255) == 254 && targa::BlendChannel(255, 0, 255) == 1 &&
              targa::BlendChannel(77, 200, 0) == 77 && targa::BlendChannel(0, 1, 128) == 0 &&
              targa::BlendChannel(0, 3, 128) == 2 && targa::BlendChannel(0, 255, 128) == 128 &&
              targa::BlendChannel(1, 0, 128) == 1 && targa::BlendChannel(3, 0, 128) == 1 &&
              targa::BlendChannel(0, 255, 1) == 1 && targa::BlendChannel(255, 255, 255) == 255);

TEST(PixelSurface, BacksOnlyPaintedBands)
{
    PixelSurface surface(3, 33, MakeColour(9, 9, 9));
    surface.FillRun(2, 32, 1, MakeColour(1, 2, 3));
    surface.EnsureSize(70, 70);
    EXPECT_EQ(surface.Width(), 70);
    EXPECT_EQ(surface.GetPixel(2, 32), MakeColour(1, 2, 3));
    EXPECT_EQ(surface.GetPixel(69, 69), MakeColour(9, 9, 9));
    EXPECT_EQ(surface.GetPixel(1, 0), MakeColour(9, 9, 9));

    PixelSurface huge(32767, 32767, 0);
    huge.FillRun(5, 32766, 1, 0xFF);
    for (int band = 0; band < huge.BandCount(); ++band)
        EXPECT_EQ(huge.Band(band) != nullptr, band == 32766 / PixelSurface::kBandRows) << band;
    for (int y = 0; y < 32767; ++y) // not one page of unpainted rows gets mapped in, not even the zero page
        ASSERT_EQ(huge.GetPixel(9, y), 0u) << y;
#ifndef _WIN32 // which pages are in memory, as POSIX tells
    const std::size_t page = ::getpagesize(), pages = (std::size_t{32767} * 32767 * 4 + page - 1) / page;
    auto* start = const_cast<std::uint32_t*>(huge.Band(1023)) - std::size_t{1023} * PixelSurface::kBandRows * 32767;
    std::vector<unsigned char> mapped(pages);
    ASSERT_EQ(::mincore(start, pages * page, mapped.data()), 0);
    EXPECT_LT(std::count_if(mapped.begin(), mapped.end(), [](unsigned char in) { return in & 1; }), 4096);
#endif
    PixelSurface two(4, 33, 0);  // two bands, the second of one row
    for (int outside : {-1, 33}) // the rows just outside paint nothing, and back no band
        two.FillRun(0, outside, 4, 0xFF);
    EXPECT_TRUE(two.Band(0) == nullptr && two.Band(1) == nullptr);
}
