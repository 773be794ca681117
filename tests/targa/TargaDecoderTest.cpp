#include "support/Files.h"
#include "support/Tga.h"

#include <gtest/gtest.h>

using testing_support::Decode;
using testing_support::Decoded;
using testing_support::Tga;
using Messages = std::vector<std::string>;

namespace {

const std::string kReadError = "Error: There was an error reading the file:\r\n";
#ifdef _WIN32
const char* const kNullDevice = "NUL";
#else
const char* const kNullDevice = "/dev/null";
#endif
const std::string kUnsupported = "Error: This image type is not supported.";
const std::string kOutsideMap = kReadError + "a pixel refers to a colour that is not in the colour map";

Tga Mapped(int type, int entrySize, std::vector<int> map, std::vector<int> data, int first = 0, int width = 1,
           int descriptor = 0)
{
    const int entries = static_cast<int>(map.size()) / ((entrySize + 7) / 8);
    return {.type = type,
            .depth = 8,
            .width = width,
            .descriptor = descriptor,
            .mapType = 1,
            .mapFirst = first,
            .mapLength = entries,
            .mapEntrySize = entrySize,
            .map = std::move(map),
            .data = std::move(data)};
}

// A colour map of `entries` black entries but the last.
std::vector<int> MapEndingIn(int entries, std::vector<int> last)
{
    std::vector<int> map(static_cast<std::size_t>(entries - 1) * last.size(), 0);
    map.insert(map.end(), last.begin(), last.end());
    return map;
}

Tga Alpha32(int descriptor, int extension = -1)
{
    return {.depth = 32, .descriptor = descriptor, .data = {200, 100, 50, 128}, .extensionAttributes = extension};
}

} // namespace

TEST(TargaDecoder, RefusesWithTheExactMessage)
{
    const std::pair<Tga, std::string> cases[] = {
        {{.type = 3, .depth = 7}, kUnsupported},
        {{.type = 0, .depth = 7}, "Error: We only support 8, 16, 24, and 32 bits per pixel."},
        {{.type = 2, .depth = 15}, "Error: We only support 8, 16, 24, and 32 bits per pixel."},
        {{.type = 0}, kUnsupported},
        {{.type = 5, .depth = 8}, kUnsupported},
        {{.type = 2, .depth = 8}, kReadError + "an 8-bit image needs a colour map"},
        {{.type = 1, .depth = 16, .mapType = 1}, kReadError + "a colour-mapped image must have 8 bits per pixel"},
        {{.type = 1, .depth = 8}, kReadError + "the image has no colour map"},
        {{.type = 1, .depth = 8, .mapType = 1, .mapEntrySize = 24}, kReadError + "the image has no colour map"},
        {Mapped(1, 8, {1, 2}, {}), kReadError + "colour maps with 8-bit entries are not supported"},
        {{.depth = 32, .width = 8192}, kReadError + "the image is too wide"},
        {{.type = 10, .width = 32768}, kReadError + "the image is too wide"},
        {{.type = 10, .height = 40000}, kReadError + "the image is too tall"},
        {{.width = 0, .height = 5}, kReadError + "the image has no pixels (its width or height is 0)"},
        {{.type = 10, .width = 5, .height = 0}, kReadError + "the image has no pixels (its width or height is 0)"},
    };
    for (const auto& [file, message] : cases) {
        const Decoded d = Decode(file.Bytes());
        EXPECT_EQ(d.messages, Messages{message});
        EXPECT_EQ(d.width, std::int16_t(file.width));
        EXPECT_EQ(d.height, std::int16_t(file.height));
        EXPECT_EQ(d.surface.Width(), 0) << "painted: " << message;
    }

    // Before the size: a file that cannot be opened, one of no bytes, a header cut short, a colour-map type above 1,
    // no room.
    std::vector<std::uint8_t> shortHeader = Tga{}.Bytes();
    shortHeader.resize(17);
    targa::PixelSurface surface;
    struct : targa::SurfacePainter {
        using SurfacePainter::SurfacePainter;
        bool PrepareSurface(int, int) override { return false; }
    } noRoom(surface);
    Messages shown;
    for (const targa::LoadResult& loaded :
         {targa::LoadTarga("/nonexistent/folder/ui.tga", noRoom), targa::LoadTarga(kNullDevice, noRoom),
          targa::LoadTarga(shortHeader, noRoom), targa::LoadTarga(Tga{.mapType = 2}.Bytes(), noRoom),
          targa::LoadTarga(Tga{}.Bytes(), noRoom)}) {
        shown.push_back("Error: " + loaded.message.value_or(""));
        EXPECT_EQ(loaded.sized, shown.size() == 5) << shown.back();
    }
    EXPECT_EQ(shown, (Messages{kReadError + testing_support::NoSuchFolder().toStdString(),
                               kReadError + "the file is too short to be a Targa image",
                               kReadError + "the file is too short to be a Targa image",
                               "Error: This is not a valid TGA file.",
                               kReadError + "there is not enough memory for the image"}));
}

TEST(TargaDecoder, ConvertsEveryPixelFormat)
{
    const std::pair<Tga, std::string> cases[] = {
        // painted over 0x102030: red 0x30, green 0x20, blue 0x10
        {{.depth = 16, .data = {0xFF, 0x7F}}, "F8F8F8"},
        {{.depth = 16, .data = {0x1F, 0x80}}, "F80000"}, // the top bit is not alpha
        {{.depth = 16, .data = {0xE0, 0x03}}, "00F800"}, // green across both bytes
        {{.data = {0x11, 0x22, 0x33}}, "112233"},
        {{.id = std::vector<int>(255, 0xAB), .data = {0x11, 0x22, 0x33}}, "112233"},
        {{.mapType = 1, .mapLength = 3, .mapEntrySize = 15, .map = {1, 2, 3, 4, 5, 6}, .data = {7, 8, 9}}, "070809"},
        {Alpha32(0), "C86432"},    // attribute bits 0: the fourth byte is not alpha
        {Alpha32(8), "6C4231"},    // alpha declared: blended over the background
        {Alpha32(8, 3), "6C4231"}, // the extension area says alpha
        {Alpha32(8, 4), "6C4231"}, // ... premultiplied alpha
        {Alpha32(8, 0), "C86432"}, // ... no alpha
        {{.depth = 32, .descriptor = 8, .data = {200, 100, 50, 128}, .bareFooter = true}, "6C4231"}, // footer alone
        {Mapped(1, 15, {0, 0, 0xFF, 0x7F}, {6}, 5), "F8F8F8"},
        {Mapped(1, 16, {0, 0, 0x1F, 0x80}, {1}), "F80000"},
        {Mapped(1, 24, {0, 0, 0, 0, 0, 0, 0x11, 0x22, 0x33}, {2}), "112233"}, // index 2: bytes 7 to 9
        {Mapped(1, 32, {0x11, 0x22, 0x33, 0}, {0}), "112233"},
        {Mapped(1, 24, MapEndingIn(256, {0x11, 0x22, 0x33}), {255}), "112233"}, // the 256th entry
        {Mapped(9, 32, {0, 0, 255, 128}, {0x80, 0}, 0, 1, 8), "081098"},
        {Mapped(1, 24, {0xFF, 0x22, 0x33}, {0}, 0, 1, 8), "FF2233"}, // attribute bits, but a map without alpha
        {Mapped(1, 24, {0x11, 0x22, 0x33}, std::vector<int>(32767, 0), 0, 32767), "112233"}, // the longest row
    };
    for (const auto& [file, row] : cases) {
        const Decoded d = Decode(file.Bytes());
        EXPECT_EQ(d.messages, Messages{}) << file.type << " " << file.depth;
        EXPECT_EQ(d.Row(0, 1), row) << file.type << " " << file.depth;
    }
    // The footer's extension offset + 494 is the file's size: the attributes type would lie past the end.
    std::vector<std::uint8_t> past = Alpha32(8, 0).Bytes();
    past[past.size() - 26] = std::uint8_t(past.size() - 494);
    EXPECT_EQ(Decode(past).Row(0, 1), "6C4231");
}

TEST(TargaDecoder, PaintsEveryOriginAndPacket)
{
    struct Case {
        const char* name;
        Tga file;
        std::vector<std::string> rows; // top first
        std::string message = {};
    };
    const Case cases[] = {
        {"bottom left",
         {.width = 2, .height = 2, .data = {0, 0, 1, 0, 0, 2, 0, 0, 3, 0, 0, 4}},
         {"000003 000004", "000001 000002"}},
        {"top right",
         {.type = 10, .width = 2, .height = 2, .descriptor = 0x30, .data = {3, 0, 0, 1, 0, 0, 2, 0, 0, 3, 0, 0, 4}},
         {"000002 000001", "000004 000003"}},
        {"128", {.type = 10, .width = 2, .data = {0x80, 1, 2, 3, 0x80, 4, 5, 6}}, {"010203 040506"}},
        {"raw, run", {.type = 10, .width = 3, .data = {0x00, 0, 0, 1, 0x81, 0, 0, 2}}, {"000001 000002 000002"}},
        {"run across rows",
         {.type = 10, .width = 2, .height = 2, .data = {0x82, 0, 0, 5, 0x00, 0, 0, 6}},
         {"000005 000006", "000005 000005"}},
        {"raw across rows",
         {.type = 10, .width = 2, .height = 2, .data = {0x02, 0, 0, 1, 0, 0, 2, 0, 0, 3, 0x00, 0, 0, 4}},
         {"000003 000004", "000001 000002"}},
        {"surplus", {.type = 10, .width = 2, .data = {0x84, 0, 0, 7}}, {"000007 000007"}},
        {"raw surplus, at the end", {.type = 10, .width = 2, .data = {3, 0, 0, 1, 0, 0, 2, 0, 0}}, {"000001 000002"}},
        {"right to left",
         {.type = 10, .width = 4, .descriptor = 0x10, .data = {0x00, 0, 0, 1, 0x81, 0, 0, 2, 0x00, 0, 0, 3}},
         {"000003 000002 000002 000001"}},
        {"blended run",
         {.type = 10, .depth = 32, .width = 2, .descriptor = 8, .data = {0x81, 200, 100, 50, 128}},
         {"6C4231 6C4231"}},
        {"mapped runs", Mapped(9, 24, {0, 0, 9, 0, 0, 8}, {0x81, 6, 0x00, 5}, 5, 3), {"000008 000008 000009"}},
        {"below map", Mapped(1, 24, {0, 0, 9, 0, 0, 8}, {5, 4}, 5, 2), {"000009 -"}, kOutsideMap},
        {"above map", Mapped(1, 24, {0, 0, 9, 0, 0, 8}, {5, 7}, 5, 2), {"000009 -"}, kOutsideMap},
        {"raw outside map", Mapped(9, 24, {0, 0, 9, 0, 0, 8}, {1, 6, 7}, 5, 2), {"000008 -"}, kOutsideMap},
        {"run outside map", Mapped(9, 24, {0, 0, 9, 0, 0, 8}, {0, 5, 0x80, 9}, 5, 2), {"000009 -"}, kOutsideMap},
    };
    for (const Case& c : cases) {
        const Decoded d = Decode(c.file.Bytes());
        EXPECT_EQ(d.messages, c.message.empty() ? Messages{} : Messages{c.message}) << c.name;
        for (std::size_t y = 0; y < c.rows.size(); ++y)
            EXPECT_EQ(d.Row(static_cast<int>(y), c.file.width), c.rows[y]) << c.name;
    }
    const Decoded wide =
        Decode(Tga{.type = 10, .depth = 16, .width = 129, .data = {0xFF, 0x1F, 0x00, 0x80, 0xFF, 0x7F}}.Bytes());
    EXPECT_EQ(wide.Row(0, 129).substr(127 * 7), "F80000 F8F8F8") << "header 255 paints 128 and reads one value";
}

TEST(TargaDecoder, ShowsProgressAndStops)
{
    for (int type : {2, 10}) {
        // Black pixels; run-length encoded, one raw packet of one pixel a row.
        const Tga file{.type = type, .height = 65, .data = std::vector(type == 10 ? 260 : 195, 0)};
        const std::vector<std::pair<int, int>> shown{{64, 64}, {32, 63}, {0, 31}};
        EXPECT_EQ(Decode(file.Bytes()).refreshed, shown) << "type " << type;
        const Decoded stopped = Decode(file.Bytes(), 0x102030, 1);
        EXPECT_EQ(stopped.messages, Messages{});
        EXPECT_EQ(stopped.refreshed, std::vector{shown[0]});
        EXPECT_EQ(stopped.Row(63, 1), "-");
    }
}

TEST(TargaDecoder, EveryTruncationEndsWithOneMessage)
{
    for (int type : {1, 2, 9, 10}) {
        for (int depth : type % 8 == 1 ? std::vector{8} : std::vector{16, 24, 32}) {
            Tga t = depth == 8 ? Mapped(type, 24, std::vector<int>(12, 40), {}, 0, 3)
                               : Tga{.type = type, .depth = depth, .width = 3};
            std::tie(t.height, t.descriptor, t.id) = std::tuple(3, depth == 32 ? 8 : 0, std::vector<int>{'i', 'd'});
            for (int i = 0; i < (type > 8 ? 6 : 9); ++i) { // run-length: a run across a row end, then raw packets
                if (type > 8)
                    t.data.push_back(i ? 0x00 : 0x83);
                for (int b = 0; b < depth / 8; ++b)
                    t.data.push_back(depth == 8 ? (i + 1) % 4 : (i + 1) * 30 + b);
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
