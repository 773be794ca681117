#include "support/Tga.h"

#include <gtest/gtest.h>

using testing_support::Decode;
using testing_support::Decoded;
using testing_support::Tga;
using Messages = std::vector<std::string>;

namespace {

const std::string kReadError = "Error: There was an error reading the file:\r\n";

} // namespace

TEST(TargaDecoder, RefusesWithTheExactMessageAndWritesTheSizeOnlyPastTheMapType)
{
    struct Case {
        Tga file;
        std::string message; // empty: none shown
    };
    const Case cases[] = {
        {{.type = 3, .depth = 7}, "Error: This image type is not supported."},
        {{.type = 11, .depth = 8}, "Error: This image type is not supported."},
        {{.type = 32}, "Error: This image type is not supported."},
        {{.type = 33}, "Error: This image type is not supported."},
        {{.type = 0, .depth = 7}, "Error: We only support 8, 16, 24, and 32 bits per pixel."},
        {{.type = 2, .depth = 15}, "Error: We only support 8, 16, 24, and 32 bits per pixel."},
        {{.type = 0}, ""},
        {{.type = 5, .depth = 8}, ""},
        {{.type = 2, .depth = 8}, kReadError + "an 8-bit image needs a colour map"},
        {{.type = 1, .depth = 16, .mapType = 1}, kReadError + "a colour-mapped image must have 8 bits per pixel"},
        {{.type = 1, .depth = 8}, kReadError + "the image has no colour map"},
        {{.type = 1, .depth = 8, .mapType = 1, .mapLength = 2, .mapEntrySize = 8, .map = {1, 2}},
         kReadError + "colour maps with 8-bit entries are not supported"},
        {{.depth = 32, .width = 8192}, kReadError + "the image is too wide"},
        {{.depth = 24, .width = 10923}, kReadError + "the image is too wide"},
        {{.type = 10, .width = 32768}, kReadError + "the image is too wide"},
        {{.type = 10, .height = 40000}, kReadError + "the image is too tall"},
        {{.width = 0, .height = 5}, kReadError + "the image has no pixels (its width or height is 0)"},
        {{.type = 10, .width = 5, .height = 0}, kReadError + "the image has no pixels (its width or height is 0)"},
    };
    for (const Case& c : cases) {
        const Decoded d = Decode(c.file.Bytes());
        EXPECT_EQ(d.messages, c.message.empty() ? Messages{} : Messages{c.message}) << c.message;
        EXPECT_EQ(d.width, static_cast<std::int16_t>(c.file.width)) << c.message;
        EXPECT_EQ(d.height, static_cast<std::int16_t>(c.file.height)) << c.message;
        EXPECT_EQ(d.surface.Width(), 0) << "painted: " << c.message;
    }

    // Before the size: a colour-map type above 1, a header cut short, a file that cannot be opened.
    Tga badMap{.mapType = 2};
    std::vector<std::uint8_t> shortHeader = Tga{}.Bytes();
    shortHeader.resize(17);
    for (const auto& [bytes, message] : {std::pair{badMap.Bytes(), std::string("Error: This is not a valid TGA file.")},
                                         {shortHeader, kReadError + "the file is too short to be a Targa image"}}) {
        const Decoded d = Decode(bytes);
        EXPECT_EQ(d.messages, Messages{message});
        EXPECT_EQ(d.width, -999);
    }
    targa::PixelSurface surface;
    targa::SurfacePainter painter(surface);
    Decoded d;
    struct : targa::ErrorReporter {
        void ShowError(const std::string& title, const std::string& text) override { shown = title + ": " + text; }
        std::string shown;
    } reporter;
    targa::LoadTarga("/nonexistent/folder/ui.tga", painter, d.height, d.width, reporter);
    EXPECT_EQ(reporter.shown, kReadError + "No such file or directory");
    EXPECT_EQ(d.width, -999);
    struct : targa::SurfacePainter {
        using SurfacePainter::SurfacePainter;
        bool PrepareSurface(int, int) override { return false; }
    } noRoom(surface);
    targa::LoadTarga(Tga{}.Bytes(), noRoom, d.height, d.width, reporter);
    EXPECT_EQ(reporter.shown, kReadError + "there is not enough memory for the image");
}

TEST(TargaDecoder, PaintsEveryFourOriginsTheRightWayUp)
{
    // File rows: first (1, 2), second (3, 4), as red values.
    const std::pair<int, std::vector<std::string>> cases[] = {
        {0x00, {"000003 000004", "000001 000002"}},
        {0x10, {"000004 000003", "000002 000001"}},
        {0x20, {"000001 000002", "000003 000004"}},
        {0x30, {"000002 000001", "000004 000003"}},
    };
    for (const auto& [descriptor, rows] : cases) {
        const Tga raw{.width = 2, .height = 2, .descriptor = descriptor, .data = {0, 0, 1, 0, 0, 2, 0, 0, 3, 0, 0, 4}};
        const Tga rle{.type = 10, .width = 2, .height = 2, .descriptor = descriptor,
                      .data = {0x03, 0, 0, 1, 0, 0, 2, 0, 0, 3, 0, 0, 4}};
        for (const Tga& file : {raw, rle}) {
            const Decoded d = Decode(file.Bytes());
            EXPECT_EQ((std::vector{d.Row(0, 2), d.Row(1, 2)}), rows) << "type " << file.type << " " << descriptor;
        }
    }
}

TEST(TargaDecoder, ConvertsEveryPixelFormat)
{
    struct Case {
        const char* name;
        Tga file;
        std::string row; // painted over background 0x102030 (red 0x30, green 0x20, blue 0x10)
    };
    const Case cases[] = {
        {"16-bit white", {.depth = 16, .data = {0xFF, 0x7F}}, "F8F8F8"},
        {"16-bit blue, top bit ignored", {.depth = 16, .data = {0x1F, 0x80}}, "F80000"},
        {"16-bit green across both bytes", {.depth = 16, .data = {0xE0, 0x03}}, "00F800"},
        {"24-bit", {.data = {0x11, 0x22, 0x33}}, "112233"},
        {"id field skipped", {.id = std::vector<int>(255, 0xAB), .data = {0x11, 0x22, 0x33}}, "112233"},
        {"true colour skips its map",
         {.mapType = 1, .mapLength = 3, .mapEntrySize = 15, .map = {1, 2, 3, 4, 5, 6}, .data = {7, 8, 9}}, "070809"},
        {"32-bit, attribute bits 0: opaque", {.depth = 32, .data = {200, 100, 50, 128}}, "C86432"},
        {"32-bit, alpha declared: blended", {.depth = 32, .descriptor = 8, .data = {200, 100, 50, 128}}, "6C4231"},
        {"32-bit, full alpha over the background: 254 of 255",
         {.depth = 32, .descriptor = 8, .data = {255, 255, 255, 255}}, "FEFEFE"},
        {"32-bit, extension says alpha",
         {.depth = 32, .descriptor = 8, .data = {200, 100, 50, 128}, .extensionAttributes = 3}, "6C4231"},
        {"32-bit, extension says premultiplied",
         {.depth = 32, .descriptor = 8, .data = {200, 100, 50, 128}, .extensionAttributes = 4}, "6C4231"},
        {"32-bit, extension says no alpha",
         {.depth = 32, .descriptor = 8, .data = {200, 100, 50, 128}, .extensionAttributes = 0}, "C86432"},
        {"32-bit, extension says undefined",
         {.depth = 32, .descriptor = 8, .data = {200, 100, 50, 128}, .extensionAttributes = 2}, "C86432"},
        {"map of 15-bit entries from index 5",
         {.type = 1, .depth = 8, .mapType = 1, .mapFirst = 5, .mapLength = 2, .mapEntrySize = 15,
          .map = {0, 0, 0xFF, 0x7F}, .data = {6}}, "F8F8F8"},
        {"map of 16-bit entries",
         {.type = 1, .depth = 8, .mapType = 1, .mapLength = 2, .mapEntrySize = 16, .map = {0, 0, 0x1F, 0x80},
          .data = {1}}, "F80000"},
        {"map of 24-bit entries, index 2 is bytes 7 to 9",
         {.type = 1, .depth = 8, .mapType = 1, .mapLength = 3, .mapEntrySize = 24,
          .map = {0, 0, 0, 0, 0, 0, 0x11, 0x22, 0x33}, .data = {2}}, "112233"},
        {"map of 32-bit entries, attribute bits 0",
         {.type = 1, .depth = 8, .mapType = 1, .mapLength = 1, .mapEntrySize = 32, .map = {0x11, 0x22, 0x33, 0},
          .data = {0}}, "112233"},
        {"map of 32-bit entries, alpha declared",
         {.type = 9, .depth = 8, .descriptor = 8, .mapType = 1, .mapLength = 1, .mapEntrySize = 32,
          .map = {0, 0, 255, 128}, .data = {0x80, 0}}, "081098"},
        {"an 8-bit row of 32767 bytes, the longest there is",
         {.type = 1, .depth = 8, .width = 32767, .mapType = 1, .mapLength = 1, .mapEntrySize = 24,
          .map = {0x11, 0x22, 0x33}, .data = std::vector<int>(32767, 0)}, "112233"},
    };
    for (const Case& c : cases) {
        const Decoded d = Decode(c.file.Bytes());
        EXPECT_EQ(d.messages, Messages{}) << c.name;
        EXPECT_EQ(d.Row(0, 1), c.row) << c.name;
    }
}

TEST(TargaDecoder, RunLengthPacketsPaintAcrossRowEndsAndNothingPastTheImage)
{
    struct Case {
        const char* name;
        Tga file;
        std::vector<std::string> rows; // top first
    };
    const Case cases[] = {
        {"a 4 x 1 red run", {.type = 10, .width = 4, .data = {0x83, 0x00, 0x00, 0xFF}}, {"0000FF 0000FF 0000FF 0000FF"}},
        {"header 128 paints one", {.type = 10, .width = 2, .data = {0x80, 1, 2, 3, 0x80, 4, 5, 6}}, {"010203 040506"}},
        {"header 255 paints 128 and reads one value",
         {.type = 10, .depth = 16, .width = 129, .data = {0xFF, 0x1F, 0x00, 0x80, 0xFF, 0x7F}}, {}},
        {"raw then run", {.type = 10, .width = 3, .data = {0x00, 0, 0, 1, 0x81, 0, 0, 2}}, {"000001 000002 000002"}},
        {"a run crossing a row end", {.type = 10, .width = 2, .height = 2, .data = {0x82, 0, 0, 5, 0x00, 0, 0, 6}},
         {"000005 000006", "000005 000005"}},
        {"a raw packet crossing a row end",
         {.type = 10, .width = 2, .height = 2, .data = {0x02, 0, 0, 1, 0, 0, 2, 0, 0, 3, 0x00, 0, 0, 4}},
         {"000003 000004", "000001 000002"}},
        {"surplus past the last row", {.type = 10, .width = 2, .height = 1, .data = {0x84, 0, 0, 7}},
         {"000007 000007"}},
        {"raw surplus past the last row, file ending inside it",
         {.type = 10, .width = 2, .data = {0x03, 0, 0, 1, 0, 0, 2, 0, 0}}, {"000001 000002"}},
        {"right to left", {.type = 10, .width = 4, .descriptor = 0x10, .data = {0x00, 0, 0, 1, 0x81, 0, 0, 2, 0x00, 0, 0, 3}},
         {"000003 000002 000002 000001"}},
        {"a blended run mixes each pixel",
         {.type = 10, .depth = 32, .width = 2, .descriptor = 8, .data = {0x81, 200, 100, 50, 128}}, {"6C4231 6C4231"}},
        {"colour-mapped runs", {.type = 9, .depth = 8, .width = 3, .mapType = 1, .mapFirst = 5, .mapLength = 2,
                                .mapEntrySize = 24, .map = {0, 0, 9, 0, 0, 8}, .data = {0x81, 6, 0x00, 5}},
         {"000008 000008 000009"}},
    };
    for (const Case& c : cases) {
        const Decoded d = Decode(c.file.Bytes());
        EXPECT_EQ(d.messages, Messages{}) << c.name;
        for (std::size_t y = 0; y < c.rows.size(); ++y)
            EXPECT_EQ(d.Row(static_cast<int>(y), c.file.width), c.rows[y]) << c.name;
    }
    const Decoded wide = Decode(cases[2].file.Bytes());
    EXPECT_EQ(wide.surface.GetPixel(127, 0), 0xF80000u);
    EXPECT_EQ(wide.surface.GetPixel(128, 0), 0xF8F8F8u);
}

TEST(TargaDecoder, StopsAtBadDataKeepingWhatWasPainted)
{
    const std::string endsEarly = kReadError + "the file ends before the image is complete";
    const std::string outsideMap = kReadError + "a pixel refers to a colour that is not in the colour map";
    const auto mapped = [](int type, std::vector<int> data) {
        return Tga{.type = type, .depth = 8, .width = 2, .mapType = 1, .mapFirst = 5, .mapLength = 2,
                   .mapEntrySize = 24, .map = {0, 0, 9, 0, 0, 8}, .data = std::move(data)};
    };
    struct Case {
        const char* name;
        Tga file;
        std::string message;
        std::vector<std::string> rows; // top first
    };
    const Case cases[] = {
        {"uncompressed, inside a pixel", {.width = 2, .height = 2, .data = {0, 0, 1, 0, 0, 2, 0, 0, 3, 0}}, endsEarly,
         {"000003 -", "000001 000002"}},
        {"uncompressed, at a row end", {.width = 2, .height = 2, .data = {0, 0, 1, 0, 0, 2}}, endsEarly,
         {"- -", "000001 000002"}},
        {"raw packet cut short", {.type = 10, .width = 4, .data = {0x03, 0, 0, 1, 0, 0}}, endsEarly, {"000001 - - -"}},
        {"packet header missing", {.type = 10, .width = 4, .data = {0x81, 0, 0, 1}}, endsEarly,
         {"000001 000001 - -"}},
        {"run value cut short", {.type = 10, .width = 4, .data = {0x81, 0, 0}}, endsEarly, {"- - - -"}},
        {"index below the map", mapped(1, {5, 4}), outsideMap, {"000009 -"}},
        {"index above the map", mapped(1, {5, 7}), outsideMap, {"000009 -"}},
        {"index outside the map in a raw packet", mapped(9, {0x01, 6, 7}), outsideMap, {"000008 -"}},
        {"index outside the map in a run", mapped(9, {0x00, 5, 0x80, 9}), outsideMap, {"000009 -"}},
    };
    for (const Case& c : cases) {
        const Decoded d = Decode(c.file.Bytes());
        EXPECT_EQ(d.messages, Messages{c.message}) << c.name;
        for (std::size_t y = 0; y < c.rows.size(); ++y)
            EXPECT_EQ(d.Row(static_cast<int>(y), c.file.width), c.rows[y]) << c.name;
    }
    const Tga mapCutShort{.type = 1, .depth = 8, .mapType = 1, .mapLength = 4, .mapEntrySize = 24, .map = {1, 2, 3}};
    EXPECT_EQ(Decode(mapCutShort.Bytes()).messages, Messages{endsEarly});
}

TEST(TargaDecoder, ShowsProgressEveryThirtyTwoRowsAndStopsWhenTheProgramEnds)
{
    for (int type : {2, 10}) {
        Tga file{.type = type, .height = 65};
        for (int row = 0; row < 65; ++row) {
            if (type == 10)
                file.data.push_back(0x00);
            file.data.insert(file.data.end(), {0, 0, 1});
        }
        EXPECT_EQ(Decode(file.Bytes()).rowsAtRefresh, (std::vector{1, 33, 65})) << "type " << type;
        const Decoded stopped = Decode(file.Bytes(), 0x102030, 1);
        EXPECT_EQ(stopped.messages, Messages{});
        EXPECT_EQ(stopped.rowsAtRefresh, std::vector{1});
        EXPECT_EQ(stopped.Row(63, 1), "-") << "type " << type;
    }
}

TEST(TargaDecoder, EveryTruncationEndsWithOneMessageKeepingWhatWasPainted)
{
    for (int type : {1, 2, 9, 10}) {
        for (int depth : type % 8 == 1 ? std::vector{8} : std::vector{16, 24, 32}) {
            Tga t{.type = type, .depth = depth, .width = 3, .height = 3, .descriptor = depth == 32 ? 8 : 0, .id = {'i', 'd'}};
            if (depth == 8) {
                t.mapType = 1;
                t.mapLength = 4;
                t.mapEntrySize = 24;
                t.map.assign(12, 40);
            }
            const auto pixel = [&](int v) {
                for (int b = 0; b < depth / 8; ++b)
                    t.data.push_back(depth == 8 ? v % 4 : v * 30 + b);
            };
            for (int i = 0; i < (type > 8 ? 6 : 9); ++i) { // run-length: a run across a row end, then raw packets
                if (type > 8)
                    t.data.push_back(i ? 0x00 : 0x83);
                pixel(i + 1);
            }
            const std::vector<std::uint8_t> whole = t.Bytes();
            const Decoded complete = Decode(whole);
            ASSERT_EQ(complete.messages, Messages{}) << "type " << type << " depth " << depth;
            for (std::size_t length = 0; length < whole.size(); ++length) {
                const Decoded cut = Decode({whole.begin(), whole.begin() + static_cast<long>(length)});
                ASSERT_EQ(cut.messages.size(), 1u) << "type " << type << " depth " << depth << " cut at " << length;
                for (int at = 0; at < 9 && cut.surface.Width() > 0; ++at) { // painted pixels as in the whole file
                    const targa::Colour p = cut.surface.GetPixel(at % 3, at / 3);
                    EXPECT_TRUE(p == cut.surface.Background() || p == complete.surface.GetPixel(at % 3, at / 3))
                        << "type " << type << " depth " << depth << " cut at " << length;
                }
            }
        }
    }
}
