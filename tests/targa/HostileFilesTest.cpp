// Files that end anywhere or lie in their headers end with one message,
// never paint outside the image and never back memory for pixels they lack.
#include "BoundsCheckingPainter.h"
#include "support/Tga.h"

#include <gtest/gtest.h>

using testing_support::Tga;

namespace {

struct Outcome {
    int messages = 0;
    std::string violation;
    std::uint64_t pixels = 0;
};

Outcome Check(const std::vector<std::uint8_t>& bytes)
{
    struct : targa::ErrorReporter {
        void ShowError(const std::string&, const std::string&) override { ++shown; }
        int shown = 0;
    } reporter;
    fuzzing::BoundsCheckingPainter painter;
    std::int32_t height = 0, width = 0;
    targa::LoadTarga(bytes, painter, height, width, reporter);
    return {reporter.shown, painter.Violation(), painter.pixels};
}

// 3 x 3 images of every supported type and depth, with an identification
// field and, for run-length files, a run across a row end and a raw packet.
std::vector<Tga> SmallImages()
{
    std::vector<Tga> images;
    for (int type : {1, 2, 9, 10}) {
        const bool mapped = type == 1 || type == 9;
        for (int depth : mapped ? std::vector{8} : std::vector{16, 24, 32}) {
            Tga t{.type = type, .depth = depth, .width = 3, .height = 3, .descriptor = depth == 32 ? 8 : 0,
                  .id = {'i', 'd'}};
            if (mapped)
                t = Tga{.type = type, .depth = 8, .width = 3, .height = 3, .mapType = 1, .mapLength = 4,
                        .mapEntrySize = 24, .id = {'i', 'd'}, .map = std::vector<int>(12, 40)};
            const auto pixel = [&](int value) {
                for (int i = 0; i < depth / 8; ++i)
                    t.data.push_back(mapped ? value % 4 : value * 30 + i);
            };
            const bool runLength = type > 8;
            if (runLength)
                t.data.push_back(0x83);
            for (int i = 0; i < (runLength ? 6 : 9); ++i) {
                if (runLength && i == 1)
                    t.data.push_back(0x04);
                pixel(i);
            }
            images.push_back(t);
        }
    }
    return images;
}

} // namespace

TEST(HostileFiles, TruncationAtEveryByteEndsWithOneMessage)
{
    for (const Tga& image : SmallImages()) {
        const std::vector<std::uint8_t> whole = image.Bytes();
        const Outcome complete = Check(whole);
        EXPECT_EQ(complete.messages, 0) << "type " << image.type << " depth " << image.depth;
        EXPECT_EQ(complete.violation, "");
        EXPECT_EQ(complete.pixels, 9u);
        for (std::size_t length = 0; length < whole.size(); ++length) {
            const Outcome cut = Check({whole.begin(), whole.begin() + static_cast<long>(length)});
            ASSERT_EQ(cut.messages, 1) << "type " << image.type << " depth " << image.depth << " cut at " << length;
            EXPECT_EQ(cut.violation, "") << "cut at " << length;
            EXPECT_LT(cut.pixels, 9u) << "cut at " << length;
        }
    }
}

TEST(HostileFiles, LyingHeadersEndWithOneMessageAndPaintNothingOutside)
{
    const auto mapped = [](int type, int width, int height, std::vector<int> data) {
        return Tga{.type = type, .depth = 8, .width = width, .height = height, .mapType = 1, .mapLength = 2,
                   .mapEntrySize = 24, .map = {1, 2, 3, 4, 5, 6}, .data = std::move(data)};
    };
    Tga hugeMap = mapped(1, 2, 2, {});
    hugeMap.mapLength = 65535;
    Tga sizeZeroEntries = mapped(1, 1, 1, {0});
    sizeZeroEntries.mapEntrySize = 0;
    const Tga cases[] = {
        {.type = 10, .depth = 32, .width = 32767, .height = 32767, .data = {0xFF, 1, 2, 3, 4, 0x7F, 1}},
        mapped(1, 32767, 32767, {0, 1, 0}),
        mapped(9, 32767, 32767, {0xFF, 1, 0xFF, 0}),
        {.depth = 32, .width = 8191, .height = 32767, .data = {1, 2, 3, 4}},
        mapped(9, 0, 0, {}),
        {.width = 2, .height = 2, .id = {1, 2, 3}},
        hugeMap,
        {.mapType = 1, .mapLength = 40000, .mapEntrySize = 32},
        {.type = 10, .width = 200, .data = {0x7F, 1, 2, 3}},
        sizeZeroEntries,
    };
    for (const Tga& c : cases) {
        std::vector<std::uint8_t> bytes = c.Bytes();
        if (!c.id.empty())
            bytes[0] = 255; // an identification field longer than the file
        const Outcome outcome = Check(bytes);
        EXPECT_EQ(outcome.violation, "") << "type " << c.type << " " << c.width << " x " << c.height;
        EXPECT_EQ(outcome.messages, 1) << "type " << c.type << " " << c.width << " x " << c.height;
        EXPECT_LE(outcome.pixels, 1000u);
    }
}
