// Every public Targa file of the supported types must decode to its reference.
#include "support/RecordingPainter.h"
#include "targa/PixelSurface.h"
#include "targa/SurfacePainter.h"
#include "targa/TargaModule.h"

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = RAVELOCK_CORPUS_DIR;
constexpr targa::Colour kBackground = targa::MakeColour(64, 128, 192);

using Row = std::map<std::string, std::string>;

std::vector<Row> ReadManifest()
{
    std::ifstream in(kCorpus / "manifest.tsv");
    std::string line;
    std::getline(in, line);
    std::vector<std::string> columns;
    for (std::istringstream header(line); std::getline(header, line, '\t');)
        columns.push_back(line);
    std::vector<Row> rows;
    while (std::getline(in, line)) {
        Row row;
        std::istringstream cells(line);
        for (const auto& column : columns) {
            std::string cell;
            std::getline(cells, cell, '\t');
            row[column] = cell;
        }
        rows.push_back(row);
    }
    return rows;
}

bool HasAlphaChannel(const Row& row)
{
    const bool thirtyTwo = row.at("pixel_depth") == "32" ||
                           (row.at("cmap_entry_size") == "32" && (row.at("image_type") == "1" || row.at("image_type") == "9"));
    if (!thirtyTwo || row.at("attr_bits") == "0")
        return false;
    const std::string ext = row.at("ext_attr_type");
    return ext == "n/a" || ext == "3" || ext == "4";
}

bool FiveBitChannels(const Row& row)
{
    const std::string type = row.at("image_type");
    if (type == "1" || type == "9")
        return row.at("cmap_entry_size") == "15" || row.at("cmap_entry_size") == "16";
    return row.at("pixel_depth") == "16";
}

struct Outcome {
    std::vector<std::string> messages;
    targa::PixelSurface surface;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

Outcome Decode(const fs::path& file)
{
    Outcome out;
    out.surface.Reset(0, 0, kBackground);
    targa::SurfacePainter painter(out.surface);
    testing_support::MessageList messages;
    targa::LoadTarga(file.string(), painter, out.height, out.width, messages);
    out.messages = messages.texts;
    return out;
}

// Describes the first mismatching pixel, or returns empty.
std::string Compare(const Row& row, const Outcome& out)
{
    const QImage reference =
        QImage(QString::fromStdString((kCorpus / "reference" / (row.at("path") + ".png")).string()))
            .convertToFormat(QImage::Format_RGBA8888);
    if (reference.isNull())
        return "reference missing";
    if (reference.width() != out.width || reference.height() != out.height)
        return "size differs";
    const bool blended = HasAlphaChannel(row);
    const int shift = FiveBitChannels(row) ? 3 : 0;
    for (int y = 0; y < reference.height(); ++y) {
        const uchar* line = reference.constScanLine(y);
        for (int x = 0; x < reference.width(); ++x) {
            const uchar* p = line + 4 * x;
            int expected[3] = {p[0], p[1], p[2]};
            if (blended) {
                const int background[3] = {targa::RedOf(kBackground), targa::GreenOf(kBackground),
                                           targa::BlueOf(kBackground)};
                for (int c = 0; c < 3; ++c)
                    expected[c] = targa::BlendChannel(background[c], expected[c], p[3]);
            }
            const targa::Colour got = out.surface.GetPixel(x, y);
            const int actual[3] = {targa::RedOf(got), targa::GreenOf(got), targa::BlueOf(got)};
            for (int c = 0; c < 3; ++c)
                if ((actual[c] >> shift) != (expected[c] >> shift)) {
                    std::ostringstream what;
                    what << "pixel " << x << "," << y << " channel " << c << ": got " << actual[c] << ", expected "
                         << expected[c];
                    return what.str();
                }
        }
    }
    return {};
}

} // namespace

TEST(TargaCorpus, SupportedFilesMatchTheirReferenceDecodes)
{
    if (!fs::exists(kCorpus / "manifest.tsv"))
        GTEST_SKIP() << "the Targa corpus is not at " << kCorpus << "; skipping the reference comparison";
    int compared = 0;
    for (const Row& row : ReadManifest()) {
        const std::string type = row.at("image_type");
        if (type != "1" && type != "2" && type != "9" && type != "10")
            continue;
        const Outcome out = Decode(kCorpus / row.at("path"));
        const bool truncated = row.at("truncated").rfind("yes", 0) == 0;
        if (row.at("reference") == "none" || truncated) {
            // Unreadable for the other decoders too: we need only end with a message.
            EXPECT_FALSE(out.messages.empty()) << row.at("path");
            continue;
        }
        EXPECT_TRUE(out.messages.empty()) << row.at("path") << ": " << (out.messages.empty() ? "" : out.messages[0]);
        EXPECT_EQ(Compare(row, out), "") << row.at("path");
        ++compared;
    }
    EXPECT_GT(compared, 80);
}

TEST(TargaCorpus, GreyscaleFilesAreRefusedAndNoFileBreaksTheDecoder)
{
    if (!fs::exists(kCorpus / "manifest.tsv"))
        GTEST_SKIP() << "the Targa corpus is not at " << kCorpus << "; skipping";
    for (const Row& row : ReadManifest()) {
        const Outcome out = Decode(kCorpus / row.at("path"));
        const std::string type = row.at("image_type");
        if ((type == "3" || type == "11") && (row.at("cmap_type") == "0" || row.at("cmap_type") == "1")) {
            EXPECT_EQ(out.messages, std::vector<std::string>{"This image type is not supported."}) << row.at("path");
        }
    }
}
