// Files that end anywhere or lie in their headers must end with one message,
// never paint outside the image and never allocate for pixels they do not hold.
#include "support/BoundsCheckingPainter.h"
#include "support/RecordingPainter.h"
#include "support/TgaBuilder.h"
#include "targa/TargaModule.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

using testing_support::BoundsCheckingPainter;
using testing_support::TgaBuilder;

namespace {

struct Outcome {
    std::vector<std::string> messages;
    std::string violation;
    std::uint64_t pixels = 0;
};

Outcome Decode(const std::vector<std::uint8_t>& bytes)
{
    BoundsCheckingPainter painter;
    testing_support::MessageList messages;
    targa::MemorySource source(bytes);
    std::int32_t height = 0;
    std::int32_t width = 0;
    targa::LoadTarga(source, painter, height, width, messages);
    return {messages.texts, painter.Violation(), painter.pixels};
}

// A small valid image of every supported type and depth: 3 x 3 pixels, an
// identification field, and for run-length files packets of both kinds.
std::vector<std::pair<std::string, TgaBuilder>> SmallImages()
{
    std::vector<std::pair<std::string, TgaBuilder>> images;
    for (int type : {1, 2, 9, 10}) {
        const bool mapped = type == 1 || type == 9;
        for (int depth : mapped ? std::vector<int>{8} : std::vector<int>{16, 24, 32}) {
            TgaBuilder b;
            b.imageType = static_cast<std::uint8_t>(type);
            b.depth = static_cast<std::uint8_t>(depth);
            b.width = 3;
            b.height = 3;
            b.descriptor = depth == 32 ? 8 : 0;
            b.idLength = 2;
            b.id = {'i', 'd'};
            if (mapped) {
                b.colourMapType = 1;
                b.mapLength = 4;
                b.mapEntrySize = 24;
                for (int i = 0; i < 12; ++i)
                    b.map.push_back(static_cast<std::uint8_t>(i * 20));
            }
            const int bytes = depth / 8;
            auto pixel = [&](int value) {
                for (int i = 0; i < bytes; ++i)
                    b.data.push_back(static_cast<std::uint8_t>(mapped ? value % 4 : value * 30 + i));
            };
            if (type == 9 || type == 10) {
                b.data.push_back(0x83); // run of 4, crossing the first row end
                pixel(1);
                b.data.push_back(0x04); // raw packet of 5
                for (int i = 0; i < 5; ++i)
                    pixel(i);
            } else {
                for (int i = 0; i < 9; ++i)
                    pixel(i);
            }
            images.emplace_back("type " + std::to_string(type) + " depth " + std::to_string(depth), b);
        }
    }
    return images;
}

} // namespace

TEST(HostileFiles, TruncationAtEveryByteEndsWithOneMessage)
{
    for (const auto& [name, builder] : SmallImages()) {
        const std::vector<std::uint8_t> whole = builder.Bytes();
        const Outcome complete = Decode(whole);
        EXPECT_TRUE(complete.messages.empty()) << name;
        EXPECT_EQ(complete.pixels, 9u) << name;
        for (std::size_t length = 0; length < whole.size(); ++length) {
            const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + static_cast<long>(length));
            const Outcome outcome = Decode(cut);
            ASSERT_EQ(outcome.messages.size(), 1u) << name << " cut at " << length;
            EXPECT_EQ(outcome.messages[0].rfind("There was an error reading the file:\r\n", 0), 0u)
                << name << " cut at " << length;
            EXPECT_EQ(outcome.violation, "") << name << " cut at " << length;
            EXPECT_LT(outcome.pixels, 9u) << name << " cut at " << length;
        }
    }
}

TEST(HostileFiles, LyingHeadersEndWithAMessageAndPaintNothingOutside)
{
    struct Case {
        const char* name;
        TgaBuilder file;
    };
    const auto image = &TgaBuilder::Image;
    auto mapped = [&](int type, int width, int height) {
        TgaBuilder b = image(type, 8, width, height);
        b.colourMapType = 1;
        b.mapLength = 2;
        b.mapEntrySize = 24;
        b.Map({1, 2, 3, 4, 5, 6});
        return b;
    };
    std::vector<Case> cases = {
        {"32767 x 32767 run-length", image(10, 32, 32767, 32767).Data({0xFF, 1, 2, 3, 4, 0x7F, 1})},
        {"32767 x 32767 mapped", mapped(1, 32767, 32767).Data({0, 1, 0})},
        {"32767 x 32767 mapped run-length", mapped(9, 32767, 32767).Data({0xFF, 1, 0xFF, 0})},
        {"8191 x 32767 uncompressed", image(2, 32, 8191, 32767).Data({1, 2, 3, 4})},
        {"0 x 9", image(2, 24, 0, 9)},
        {"9 x 0", image(10, 24, 9, 0)},
        {"0 x 0 mapped", mapped(9, 0, 0)},
        {"id field past the end", [&] {
             TgaBuilder b = image(2, 24, 2, 2);
             b.idLength = 255;
             b.id = {1, 2, 3};
             return b;
         }()},
        {"colour map past the end", [&] {
             TgaBuilder b = mapped(1, 2, 2);
             b.mapLength = 65535;
             return b;
         }()},
        {"skipped colour map past the end", [&] {
             TgaBuilder b = image(2, 24, 2, 2);
             b.colourMapType = 1;
             b.mapLength = 40000;
             b.mapEntrySize = 32;
             return b;
         }()},
        {"raw packet past the end", image(10, 24, 200, 1).Data({0x7F, 1, 2, 3})},
        {"run packets past the last row", image(10, 24, 2, 1).Data({0xFF, 1, 2, 3, 0xFF, 1, 2, 3})},
        {"index beyond the map", mapped(1, 2, 1).Data({1, 2})},
        {"index below the first entry", [&] {
             TgaBuilder b = mapped(9, 2, 1);
             b.mapFirst = 10;
             return b.Data({0x81, 3});
         }()},
        {"map entry size 0", [&] {
             TgaBuilder b = mapped(1, 1, 1);
             b.mapEntrySize = 0;
             return b.Data({0});
         }()},
    };
    for (const Case& c : cases) {
        const Outcome outcome = Decode(c.file.Bytes());
        EXPECT_EQ(outcome.violation, "") << c.name;
        if (std::string(c.name) == "run packets past the last row") {
            EXPECT_TRUE(outcome.messages.empty()) << c.name;
            EXPECT_EQ(outcome.pixels, 2u);
            continue;
        }
        EXPECT_EQ(outcome.messages.size(), 1u) << c.name;
        EXPECT_LE(outcome.pixels, 1000u) << c.name;
    }
}

TEST(HostileFiles, FuzzerFindingsStayFixed)
{
    const std::filesystem::path findings = RAVELOCK_FUZZ_FINDINGS_DIR;
    int checked = 0;
    for (const auto& entry : std::filesystem::directory_iterator(findings)) {
        if (entry.path().extension() != ".tga")
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<std::uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
        const Outcome outcome = Decode(bytes);
        EXPECT_EQ(outcome.violation, "") << entry.path();
        EXPECT_LE(outcome.messages.size(), 1u) << entry.path();
        ++checked;
    }
    std::cout << checked << " fuzzer findings decoded\n";
}
