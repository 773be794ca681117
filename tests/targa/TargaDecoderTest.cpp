#include "support/RecordingPainter.h"
#include "support/TgaBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using targa::MakeColour;
using testing_support::DecodeBytes;
using testing_support::Decoded;
using testing_support::TgaBuilder;

namespace {

const std::string kReadError = "There was an error reading the file:\r\n";
constexpr targa::Colour kBackground = MakeColour(10, 20, 30);

const auto Image = &TgaBuilder::Image;

// Rows of the surface as text: each pixel as its colour value in hex.
std::vector<std::string> Pixels(const Decoded& d, int width, int height)
{
    std::vector<std::string> rows;
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            char cell[16];
            std::snprintf(cell, sizeof cell, "%s%06X", x ? " " : "", d.surface.GetPixel(x, y));
            row += cell;
        }
        rows.push_back(row);
    }
    return rows;
}

std::size_t CountOf(const std::vector<std::string>& log, const std::string& prefix)
{
    return static_cast<std::size_t>(
        std::count_if(log.begin(), log.end(), [&](const std::string& s) { return s.rfind(prefix, 0) == 0; }));
}

} // namespace

TEST(TargaDecoder, RefusesWithTheExactMessageAndWritesTheSizeWhenItShould)
{
    struct Case {
        const char* name;
        TgaBuilder file;
        std::string message; // empty: none shown
        bool sizeWritten;
    };
    TgaBuilder badMapType = Image(2, 24, 3, 2);
    badMapType.colourMapType = 2;
    TgaBuilder mappedWithoutMap = Image(1, 8, 3, 2);
    TgaBuilder mapOf8Bits = Image(1, 8, 3, 2);
    mapOf8Bits.colourMapType = 1;
    mapOf8Bits.mapLength = 2;
    mapOf8Bits.mapEntrySize = 8;
    mapOf8Bits.Map({1, 2});
    TgaBuilder mapped16 = Image(1, 16, 3, 2);
    mapped16.colourMapType = 1;
    const std::vector<Case> cases = {
        {"colour-map type 2", badMapType, "This is not a valid TGA file.", false},
        {"type 3 depth 7", Image(3, 7, 3, 2), "This image type is not supported.", true},
        {"type 11", Image(11, 8, 3, 2), "This image type is not supported.", true},
        {"type 32", Image(32, 8, 3, 2), "This image type is not supported.", true},
        {"type 33", Image(33, 24, 3, 2), "This image type is not supported.", true},
        {"type 0 depth 7", Image(0, 7, 3, 2), "We only support 8, 16, 24, and 32 bits per pixel.", true},
        {"type 2 depth 15", Image(2, 15, 3, 2), "We only support 8, 16, 24, and 32 bits per pixel.", true},
        {"type 0 depth 24", Image(0, 24, 3, 2), "", true},
        {"type 5 depth 8", Image(5, 8, 3, 2), "", true},
        {"8-bit true colour", Image(2, 8, 3, 2), kReadError + "an 8-bit image needs a colour map", true},
        {"colour-mapped 16-bit", mapped16, kReadError + "a colour-mapped image must have 8 bits per pixel", true},
        {"colour-mapped without a map", mappedWithoutMap, kReadError + "the image has no colour map", true},
        {"map of 8-bit entries", mapOf8Bits, kReadError + "colour maps with 8-bit entries are not supported", true},
        {"32-bit, 8192 wide", Image(2, 32, 8192, 1), kReadError + "the image is too wide", true},
        {"24-bit, 10923 wide", Image(2, 24, 10923, 1), kReadError + "the image is too wide", true},
        {"width 32768", Image(10, 24, 32768, 1), kReadError + "the image is too wide", true},
        {"height 40000", Image(10, 24, 1, 40000), kReadError + "the image is too tall", true},
        {"0 x 5", Image(2, 24, 0, 5), kReadError + "the image has no pixels (its width or height is 0)", true},
        {"5 x 0 run-length", Image(10, 24, 5, 0), kReadError + "the image has no pixels (its width or height is 0)",
         true},
    };
    for (const Case& c : cases) {
        const Decoded d = DecodeBytes(c.file.Bytes(), kBackground);
        if (c.message.empty())
            EXPECT_TRUE(d.messages.empty()) << c.name << ": " << d.messages.front();
        else
            EXPECT_EQ(d.messages, std::vector<std::string>{c.message}) << c.name;
        if (c.sizeWritten) {
            EXPECT_EQ(d.width, static_cast<std::int16_t>(c.file.width)) << c.name;
            EXPECT_EQ(d.height, static_cast<std::int16_t>(c.file.height)) << c.name;
        } else {
            EXPECT_EQ(d.width, -999) << c.name;
            EXPECT_EQ(d.height, -999) << c.name;
        }
        EXPECT_EQ(CountOf(d.log, "pixel") + CountOf(d.log, "run") + CountOf(d.log, "blend"), 0u) << c.name;
    }
}

TEST(TargaDecoder, FailsToOpenWithTheSystemsReasonAndLeavesTheSizeAlone)
{
    testing_support::MessageList messages;
    targa::PixelSurface surface;
    targa::SurfacePainter painter(surface);
    std::int32_t height = 7;
    std::int32_t width = 8;
    targa::LoadTarga("/nonexistent/folder/ui.tga", painter, height, width, messages);
    EXPECT_EQ(messages.texts, std::vector<std::string>{kReadError + "No such file or directory"});
    EXPECT_EQ(messages.titles, std::vector<std::string>{"Error"});
    EXPECT_EQ(height, 7);
    EXPECT_EQ(width, 8);
}

TEST(TargaDecoder, ShortHeaderIsAReadErrorWithTheSizeUntouched)
{
    const Decoded d = DecodeBytes({0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0, 4, 0, 24});
    EXPECT_EQ(d.messages, std::vector<std::string>{kReadError + "the file is too short to be a Targa image"});
    EXPECT_EQ(d.width, -999);
}

TEST(TargaDecoder, HonoursAllFourOrigins)
{
    // File rows: first (1, 2), second (3, 4), as red values of 24-bit pixels.
    struct Case {
        std::uint8_t descriptor;
        std::vector<std::string> rows; // surface rows, top first
    };
    const std::vector<Case> cases = {
        {0x00, {"000003 000004", "000001 000002"}},
        {0x10, {"000004 000003", "000002 000001"}},
        {0x20, {"000001 000002", "000003 000004"}},
        {0x30, {"000002 000001", "000004 000003"}},
    };
    for (int type : {2, 10}) {
        for (const Case& c : cases) {
            TgaBuilder file = Image(type, 24, 2, 2);
            file.descriptor = c.descriptor;
            if (type == 10)
                file.Data({0x03, 0, 0, 1, 0, 0, 2, 0, 0, 3, 0, 0, 4});
            else
                file.Data({0, 0, 1, 0, 0, 2, 0, 0, 3, 0, 0, 4});
            const Decoded d = DecodeBytes(file.Bytes());
            EXPECT_TRUE(d.messages.empty());
            EXPECT_EQ(Pixels(d, 2, 2), c.rows) << "type " << type << " descriptor " << int(c.descriptor);
        }
    }
}

TEST(TargaDecoder, DecodesEveryTrueColourDepth)
{
    struct Case {
        const char* name;
        int depth;
        std::vector<int> bytes;
        targa::Colour expected;
    };
    const std::vector<Case> cases = {
        {"16-bit white", 16, {0xFF, 0x7F}, MakeColour(248, 248, 248)},
        {"16-bit blue", 16, {0x1F, 0x00}, MakeColour(0, 0, 248)},
        {"16-bit top bit ignored", 16, {0x00, 0x80}, MakeColour(0, 0, 0)},
        {"16-bit green split", 16, {0xE0, 0x03}, MakeColour(0, 248, 0)},
        {"24-bit", 24, {0x11, 0x22, 0x33}, MakeColour(0x33, 0x22, 0x11)},
    };
    for (const Case& c : cases) {
        for (int type : {2, 10}) {
            TgaBuilder file = Image(type, c.depth, 1, 1);
            if (type == 10)
                file.data.push_back(0);
            for (int b : c.bytes)
                file.data.push_back(static_cast<std::uint8_t>(b));
            const Decoded d = DecodeBytes(file.Bytes(), kBackground);
            EXPECT_TRUE(d.messages.empty()) << c.name;
            EXPECT_EQ(d.surface.GetPixel(0, 0), c.expected) << c.name << " type " << type;
        }
    }
}

TEST(TargaDecoder, ThirtyTwoBitAlphaBlendsOnlyWhereTheFileSaysItIsTransparency)
{
    struct Case {
        const char* name;
        std::uint8_t descriptor;
        int extensionType; // -1: no extension area
        bool blended;
    };
    const std::vector<Case> cases = {
        {"attribute bits 8", 8, -1, true},
        {"attribute bits 0", 0, -1, false},
        {"extension says alpha", 8, 3, true},
        {"extension says premultiplied", 8, 4, true},
        {"extension says no alpha", 8, 0, false},
        {"extension says undefined, keep", 8, 2, false},
    };
    for (const Case& c : cases) {
        TgaBuilder file = Image(2, 32, 1, 1);
        file.descriptor = c.descriptor;
        file.Data({200, 100, 50, 128});
        if (c.extensionType >= 0)
            file.tail = testing_support::ExtensionWithAttributesType(file.Bytes().size(),
                                                                     static_cast<std::uint8_t>(c.extensionType));
        const Decoded d = DecodeBytes(file.Bytes(), MakeColour(0, 0, 0));
        EXPECT_TRUE(d.messages.empty()) << c.name;
        const targa::Colour expected = c.blended ? MakeColour(25, 50, 100) : MakeColour(50, 100, 200);
        EXPECT_EQ(d.surface.GetPixel(0, 0), expected) << c.name;
        EXPECT_EQ(CountOf(d.log, "blend"), c.blended ? 1u : 0u) << c.name;
    }
}

TEST(TargaDecoder, BlendsOverWhatTheSurfaceAlreadyHolds)
{
    TgaBuilder file = Image(2, 32, 1, 1);
    file.descriptor = 8;
    file.Data({0, 0, 255, 255});
    const Decoded d = DecodeBytes(file.Bytes(), MakeColour(0, 0, 255));
    EXPECT_EQ(d.surface.GetPixel(0, 0), MakeColour(254, 0, 1));
}

TEST(TargaDecoder, ReadsColourMapsOfEveryEntrySizeFromTheirFirstIndex)
{
    struct Case {
        const char* name;
        int entrySize;
        std::vector<int> entries; // two entries
        targa::Colour second;
    };
    const std::vector<Case> cases = {
        {"15-bit", 15, {0, 0, 0xFF, 0x7F}, MakeColour(248, 248, 248)},
        {"16-bit", 16, {0, 0, 0x1F, 0x80}, MakeColour(0, 0, 248)},
        {"24-bit", 24, {0, 0, 0, 0x11, 0x22, 0x33}, MakeColour(0x33, 0x22, 0x11)},
        {"32-bit opaque attribute bits 0", 32, {0, 0, 0, 0, 0x11, 0x22, 0x33, 0}, MakeColour(0x33, 0x22, 0x11)},
    };
    for (const Case& c : cases) {
        for (int type : {1, 9}) {
            TgaBuilder file = Image(type, 8, 2, 1);
            file.colourMapType = 1;
            file.mapFirst = 5;
            file.mapLength = 2;
            file.mapEntrySize = static_cast<std::uint8_t>(c.entrySize);
            for (int b : c.entries)
                file.map.push_back(static_cast<std::uint8_t>(b));
            if (type == 9)
                file.Data({0x80, 6, 0x80, 5});
            else
                file.Data({6, 5});
            const Decoded d = DecodeBytes(file.Bytes(), kBackground);
            EXPECT_TRUE(d.messages.empty()) << c.name;
            EXPECT_EQ(d.surface.GetPixel(0, 0), c.second) << c.name << " type " << type;
        }
    }
}

TEST(TargaDecoder, BlendsThirtyTwoBitMapEntriesWhenAlphaIsDeclared)
{
    TgaBuilder file = Image(1, 8, 1, 1);
    file.descriptor = 8;
    file.colourMapType = 1;
    file.mapLength = 1;
    file.mapEntrySize = 32;
    file.Map({0, 0, 255, 128});
    file.Data({0});
    const Decoded d = DecodeBytes(file.Bytes(), MakeColour(0, 0, 0));
    EXPECT_EQ(d.surface.GetPixel(0, 0), MakeColour(128, 0, 0));
}

TEST(TargaDecoder, RefusesIndicesOutsideTheMapAfterPaintingThoseBefore)
{
    for (int index : {4, 7}) {
        TgaBuilder file = Image(1, 8, 2, 1);
        file.colourMapType = 1;
        file.mapFirst = 5;
        file.mapLength = 2;
        file.mapEntrySize = 24;
        file.Map({0, 0, 9, 0, 0, 8});
        file.Data({5, index});
        const Decoded d = DecodeBytes(file.Bytes(), kBackground);
        EXPECT_EQ(d.messages,
                  std::vector<std::string>{kReadError + "a pixel refers to a colour that is not in the colour map"});
        EXPECT_EQ(d.surface.GetPixel(0, 0), MakeColour(9, 0, 0));
        EXPECT_EQ(d.surface.GetPixel(1, 0), kBackground);
    }
}

TEST(TargaDecoder, TrueColourFilesSkipTheirColourMap)
{
    TgaBuilder file = Image(2, 24, 1, 1);
    file.colourMapType = 1;
    file.mapLength = 3;
    file.mapEntrySize = 15;
    file.Map({1, 2, 3, 4, 5, 6});
    file.Data({7, 8, 9});
    const Decoded d = DecodeBytes(file.Bytes());
    EXPECT_TRUE(d.messages.empty());
    EXPECT_EQ(d.surface.GetPixel(0, 0), MakeColour(9, 8, 7));
}

TEST(TargaDecoder, SkipsTheIdentificationField)
{
    for (int length : {0, 1, 255}) {
        TgaBuilder file = Image(2, 24, 1, 1);
        file.idLength = static_cast<std::uint8_t>(length);
        file.id.assign(static_cast<std::size_t>(length), 0xAB);
        file.Data({1, 2, 3});
        const Decoded d = DecodeBytes(file.Bytes());
        EXPECT_TRUE(d.messages.empty()) << length;
        EXPECT_EQ(d.surface.GetPixel(0, 0), MakeColour(3, 2, 1)) << length;
    }
}

TEST(TargaDecoder, RunPacketsPaintOneRunAndReadOneValue)
{
    struct Case {
        const char* name;
        TgaBuilder file;
        std::vector<std::string> paints;
    };
    const std::vector<Case> cases = {
        {"4 x 1 red run", Image(10, 24, 4, 1).Data({0x83, 0x00, 0x00, 0xFF}), {"run 0,0 x4 255"}},
        {"header 128", Image(10, 24, 1, 1).Data({0x80, 1, 2, 3}), {"run 0,0 x1 66051"}},
        {"header 255", Image(10, 16, 128, 1).Data({0xFF, 0x1F, 0x00}), {"run 0,0 x128 16252928"}},
        {"raw then run", Image(10, 24, 3, 1).Data({0x00, 0, 0, 1, 0x81, 0, 0, 2}), {"pixel 0,0 1", "run 1,0 x2 2"}},
        {"crossing a row end", Image(10, 24, 2, 2).Data({0x82, 0, 0, 5, 0x00, 0, 0, 6}),
         {"run 0,1 x2 5", "run 0,0 x1 5", "pixel 1,0 6"}},
        {"raw packet crossing", Image(10, 24, 2, 2).Data({0x02, 0, 0, 1, 0, 0, 2, 0, 0, 3, 0x00, 0, 0, 4}),
         {"pixel 0,1 1", "pixel 1,1 2", "pixel 0,0 3", "pixel 1,0 4"}},
        {"surplus after the last row", Image(10, 24, 2, 1).Data({0x84, 0, 0, 7}), {"run 0,0 x2 7"}},
        {"right-to-left run", [] {
             TgaBuilder f = Image(10, 24, 4, 1).Data({0x00, 0, 0, 1, 0x81, 0, 0, 2, 0x00, 0, 0, 3});
             f.descriptor = 0x10;
             return f;
         }(),
         {"pixel 3,0 1", "run 1,0 x2 2", "pixel 0,0 3"}},
    };
    for (const Case& c : cases) {
        const Decoded d = DecodeBytes(c.file.Bytes());
        EXPECT_TRUE(d.messages.empty()) << c.name;
        std::vector<std::string> paints;
        for (const auto& entry : d.log)
            if (entry != "refresh" && entry != "yield")
                paints.push_back(entry);
        EXPECT_EQ(paints, c.paints) << c.name;
    }
}

TEST(TargaDecoder, ThirtyTwoBitRunsBlendEachPixelInOrder)
{
    TgaBuilder file = Image(10, 32, 3, 1).Data({0x82, 10, 20, 30, 40});
    file.descriptor = 8;
    const Decoded d = DecodeBytes(file.Bytes());
    EXPECT_EQ(d.log, (std::vector<std::string>{"blend 0,0 30 20 10 40", "blend 1,0 30 20 10 40",
                                               "blend 2,0 30 20 10 40", "refresh", "yield"}));
}

TEST(TargaDecoder, ShowsProgressEveryThirtyTwoRowsAndAfterTheLast)
{
    for (int type : {2, 10}) {
        TgaBuilder file = Image(type, 24, 1, 65);
        for (int row = 0; row < 65; ++row) {
            if (type == 10)
                file.data.push_back(0x00);
            file.Data({0, 0, row});
        }
        const Decoded d = DecodeBytes(file.Bytes());
        std::vector<std::size_t> refreshAfterPixels;
        std::size_t pixels = 0;
        for (std::size_t i = 0; i < d.log.size(); ++i) {
            if (d.log[i] == "refresh") {
                refreshAfterPixels.push_back(pixels);
                EXPECT_EQ(d.log.at(i + 1), "yield");
            } else if (d.log[i] != "yield") {
                ++pixels;
            }
        }
        EXPECT_EQ(refreshAfterPixels, (std::vector<std::size_t>{1, 33, 65})) << "type " << type;
    }
}

TEST(TargaDecoder, StopsQuietlyWhenTheProgramEndsDuringAYield)
{
    TgaBuilder file = Image(2, 24, 1, 65);
    file.data.assign(65 * 3, 0x7F);
    const Decoded d = DecodeBytes(file.Bytes(), kBackground, 1);
    EXPECT_TRUE(d.messages.empty());
    EXPECT_EQ(CountOf(d.log, "pixel"), 1u);
    EXPECT_EQ(d.surface.GetPixel(0, 63), kBackground);
}

TEST(TargaDecoder, TruncatedFilesKeepWhatWasPaintedAndSayTheyEndEarly)
{
    struct Case {
        const char* name;
        TgaBuilder file;
        std::size_t paints;
    };
    const std::vector<Case> cases = {
        {"uncompressed, inside a pixel", Image(2, 24, 2, 2).Data({0, 0, 1, 0, 0, 2, 0, 0, 3, 0}), 3},
        {"uncompressed, at a row end", Image(2, 24, 2, 2).Data({0, 0, 1, 0, 0, 2}), 2},
        {"raw packet cut short", Image(10, 24, 4, 1).Data({0x03, 0, 0, 1, 0, 0}), 1},
        {"missing packet header", Image(10, 24, 4, 1).Data({0x81, 0, 0, 1}), 1},
        {"run value cut short", Image(10, 24, 4, 1).Data({0x81, 0, 0}), 0},
        {"colour map cut short", [] {
             TgaBuilder f = Image(1, 8, 1, 1);
             f.colourMapType = 1;
             f.mapLength = 4;
             f.mapEntrySize = 24;
             f.Map({1, 2, 3});
             return f;
         }(),
         0},
    };
    for (const Case& c : cases) {
        const Decoded d = DecodeBytes(c.file.Bytes());
        EXPECT_EQ(d.messages, std::vector<std::string>{kReadError + "the file ends before the image is complete"})
            << c.name;
        EXPECT_EQ(CountOf(d.log, "pixel") + CountOf(d.log, "run"), c.paints) << c.name;
    }
}

TEST(TargaDecoder, LyingHeadersEndQuicklyInBoundedMemory)
{
    for (int type : {1, 2, 9, 10}) {
        TgaBuilder file = Image(type, type == 2 ? 8 : 8, 32767, 32767);
        if (type == 2 || type == 10)
            file.depth = 32;
        if (type == 2)
            file.width = 8191;
        if (type == 1 || type == 9) {
            file.colourMapType = 1;
            file.mapLength = 1;
            file.mapEntrySize = 24;
            file.Map({1, 2, 3});
        }
        while (file.Bytes().size() < 30)
            file.data.push_back(0xFF);
        const Decoded d = DecodeBytes(file.Bytes());
        EXPECT_EQ(d.messages.size(), 1u) << "type " << type;
        int bands = 0;
        for (int band = 0; band < d.surface.BandCount(); ++band)
            bands += d.surface.Band(band) != nullptr;
        EXPECT_LE(bands, 1) << "type " << type;
    }
}

TEST(TargaDecoder, AcceptsThe8191PixelWide32BitRow)
{
    TgaBuilder file = Image(2, 32, 8191, 1);
    file.descriptor = 8;
    file.data.assign(8191 * 4, 0);
    file.data[8190 * 4 + 2] = 255;
    file.data[8190 * 4 + 3] = 255;
    const Decoded d = DecodeBytes(file.Bytes());
    EXPECT_TRUE(d.messages.empty());
    EXPECT_EQ(d.surface.GetPixel(8190, 0), MakeColour(254, 0, 0));
}

TEST(TargaDecoder, TheProgramsPainterPaintsWhatSinglePixelCallsPaint)
{
    std::vector<TgaBuilder> files;
    for (std::uint8_t descriptor : {0x08, 0x18, 0x28, 0x38}) {
        TgaBuilder raw = Image(2, 32, 3, 2);
        raw.descriptor = descriptor;
        for (int i = 0; i < 24; ++i)
            raw.data.push_back(static_cast<std::uint8_t>(i * 41));
        files.push_back(raw);
        TgaBuilder rle = Image(10, 32, 3, 2).Data({0x83, 9, 99, 199, 150, 0x01, 1, 2, 3, 4, 5, 6, 7, 8});
        rle.descriptor = descriptor;
        files.push_back(rle);
        TgaBuilder mapped = Image(9, 8, 3, 2).Data({0x01, 0, 1, 0x83, 1});
        mapped.descriptor = static_cast<std::uint8_t>(descriptor & 0x30);
        mapped.colourMapType = 1;
        mapped.mapLength = 2;
        mapped.mapEntrySize = 24;
        mapped.Map({10, 20, 30, 40, 50, 60});
        files.push_back(mapped);
    }
    for (const TgaBuilder& file : files) {
        const Decoded single = DecodeBytes(file.Bytes(), kBackground);
        targa::PixelSurface surface(0, 0, kBackground);
        targa::SurfacePainter painter(surface);
        testing_support::MessageList messages;
        const std::vector<std::uint8_t> bytes = file.Bytes();
        targa::MemorySource source(bytes);
        std::int32_t h = 0, w = 0;
        targa::LoadTarga(source, painter, h, w, messages);
        EXPECT_TRUE(messages.texts.empty());
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(surface.GetPixel(x, y), single.surface.GetPixel(x, y))
                    << "type " << int(file.imageType) << " descriptor " << int(file.descriptor) << " at " << x << "," << y;
    }
}
