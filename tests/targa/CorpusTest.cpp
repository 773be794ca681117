// Every public Targa file of the supported types decodes to its reference,
// and no file of the corpus breaks the decoder.
#include "support/Tga.h"

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
        std::istringstream cells(line);
        Row& row = rows.emplace_back();
        for (const auto& column : columns)
            std::getline(cells, row[column], '\t');
    }
    return rows;
}

// The first pixel that differs from the reference, or empty. Five-bit channels
// compare in their top five bits; declared alpha is blended over the background.
std::string Compare(const Row& row, const testing_support::Decoded& d)
{
    const QImage reference =
        QImage(QString::fromStdString((kCorpus / "reference" / (row.at("path") + ".png")).string()))
            .convertToFormat(QImage::Format_RGBA8888);
    if (reference.isNull() || reference.width() != d.width || reference.height() != d.height)
        return "reference missing or of another size";
    const bool mapped = row.at("image_type") == "1" || row.at("image_type") == "9";
    const std::string bits = mapped ? row.at("cmap_entry_size") : row.at("pixel_depth");
    const int shift = bits == "15" || bits == "16" ? 3 : 0;
    const std::string ext = row.at("ext_attr_type");
    const bool blended = bits == "32" && row.at("attr_bits") != "0" && (ext == "n/a" || ext == "3" || ext == "4");
    for (int at = 0; at < reference.width() * reference.height(); ++at) {
        const int x = at % reference.width(), y = at / reference.width();
        const uchar* p = reference.constScanLine(y) + 4 * x;
        for (int c = 0; c < 3; ++c) {
            const int expected = blended ? targa::BlendChannel(int(kBackground >> (8 * c) & 255), p[c], p[3]) : p[c];
            if (int(d.surface.GetPixel(x, y) >> (8 * c) & 255) >> shift != expected >> shift)
                return "pixel " + std::to_string(x) + "," + std::to_string(y) + " channel " + std::to_string(c);
        }
    }
    return {};
}

} // namespace

TEST(TargaCorpus, MatchesTheReferences)
{
    if (!fs::exists(kCorpus / "manifest.tsv"))
        GTEST_SKIP() << "the Targa corpus is not at " << kCorpus << "; skipping the reference comparison";
    int compared = 0;
    for (const Row& row : ReadManifest()) {
        std::ifstream in(kCorpus / row.at("path"), std::ios::binary);
        const testing_support::Decoded d =
            testing_support::Decode({std::istreambuf_iterator<char>(in), {}}, kBackground);
        if (const std::string type = row.at("image_type"); type == "1" || type == "2" || type == "9" || type == "10") {
            // Unreadable for the other decoders too: it need only end with a message.
            const bool unreadable = row.at("reference") == "none" || row.at("truncated").rfind("yes", 0) == 0;
            EXPECT_EQ(d.messages.size(), unreadable ? 1u : 0u) << row.at("path");
            EXPECT_EQ(unreadable ? "" : Compare(row, d), "") << row.at("path");
            compared += !unreadable;
        } else {
            EXPECT_EQ(d.messages.size(), 1u) << row.at("path") << ": nothing is passed over in silence";
        }
    }
    EXPECT_GT(compared, 80);
}
