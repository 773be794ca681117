#include "BenchInputs.h"

#include <cstdint>
#include <filesystem>
#include <fstream>

namespace bench {

const std::vector<Variant>& Variants()
{
    static const std::vector<Variant> variants = {
        {"t1_d8", 1, 8, false},     {"t9_d8", 9, 8, false},        {"t2_d16", 2, 16, false},
        {"t10_d16", 10, 16, false}, {"t2_d24", 2, 24, false},      {"t10_d24", 10, 24, false},
        {"t2_d32", 2, 32, false},   {"t10_d32_bl", 10, 32, false}, {"t10_d32_tl", 10, 32, true},
    };
    return variants;
}

namespace {

struct Rgba {
    std::uint8_t r, g, b, a;
};

// A texture-like picture: flat panels, gradients, a noisy region and an alpha
// channel that is opaque, clear or graded by region.
Rgba PictureAt(int x, int y)
{
    const int panel = (x / 256) + (y / 256) * 16;
    std::uint32_t noise = static_cast<std::uint32_t>(x) * 2654435761u ^ static_cast<std::uint32_t>(y) * 40503u;
    noise ^= noise >> 13;
    Rgba p{};
    switch (panel % 4) {
    case 0: // flat
        p = {static_cast<std::uint8_t>(panel * 37), static_cast<std::uint8_t>(panel * 91), 200, 255};
        break;
    case 1: // gradients
        p = {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), static_cast<std::uint8_t>(x + y), 255};
        break;
    case 2: // noise
        p = {static_cast<std::uint8_t>(noise), static_cast<std::uint8_t>(noise >> 8),
             static_cast<std::uint8_t>(noise >> 16), 255};
        break;
    default: // flat stripes
        p = {static_cast<std::uint8_t>((y / 8) % 2 ? 30 : 220), 120, static_cast<std::uint8_t>(panel), 255};
        break;
    }
    const int alphaRegion = (x / 512 + y / 512) % 3;
    p.a = alphaRegion == 0 ? 255 : alphaRegion == 1 ? static_cast<std::uint8_t>(x + y) : (panel % 2 ? 0 : 255);
    return p;
}

std::uint8_t IndexOf(const Rgba& p)
{
    return static_cast<std::uint8_t>((p.r & 0xE0) | ((p.g & 0xE0) >> 3) | (p.b >> 6));
}

void PixelBytes(const Variant& v, const Rgba& p, std::vector<std::uint8_t>& out)
{
    switch (v.depth) {
    case 8:
        out.push_back(IndexOf(p));
        break;
    case 16: {
        const int word = (p.r >> 3) << 10 | (p.g >> 3) << 5 | (p.b >> 3);
        out.push_back(static_cast<std::uint8_t>(word & 255));
        out.push_back(static_cast<std::uint8_t>(word >> 8));
        break;
    }
    case 24:
        out.insert(out.end(), {p.b, p.g, p.r});
        break;
    default:
        out.insert(out.end(), {p.b, p.g, p.r, p.a});
        break;
    }
}

// Run-length encodes one row the way common writers do: runs of 2 or more
// identical pixels become run packets, the rest raw packets.
void EncodeRow(const std::vector<std::vector<std::uint8_t>>& pixels, std::vector<std::uint8_t>& out)
{
    std::size_t i = 0;
    while (i < pixels.size()) {
        std::size_t run = 1;
        while (i + run < pixels.size() && run < 128 && pixels[i + run] == pixels[i])
            ++run;
        if (run >= 2) {
            out.push_back(static_cast<std::uint8_t>(0x80 | (run - 1)));
            out.insert(out.end(), pixels[i].begin(), pixels[i].end());
            i += run;
            continue;
        }
        std::size_t raw = 1;
        while (i + raw < pixels.size() && raw < 128 &&
               !(i + raw + 1 < pixels.size() && pixels[i + raw] == pixels[i + raw + 1]))
            ++raw;
        out.push_back(static_cast<std::uint8_t>(raw - 1));
        for (std::size_t k = 0; k < raw; ++k)
            out.insert(out.end(), pixels[i + k].begin(), pixels[i + k].end());
        i += raw;
    }
}

std::vector<std::uint8_t> Encode(const Variant& v)
{
    std::vector<std::uint8_t> out = {0,
                                     static_cast<std::uint8_t>(v.depth == 8 ? 1 : 0),
                                     static_cast<std::uint8_t>(v.type),
                                     0,
                                     0,
                                     static_cast<std::uint8_t>(v.depth == 8 ? 0 : 0),
                                     static_cast<std::uint8_t>(v.depth == 8 ? 1 : 0),
                                     static_cast<std::uint8_t>(v.depth == 8 ? 24 : 0),
                                     0,
                                     0,
                                     0,
                                     0,
                                     kSize & 255,
                                     kSize >> 8,
                                     kSize & 255,
                                     kSize >> 8,
                                     static_cast<std::uint8_t>(v.depth),
                                     static_cast<std::uint8_t>((v.depth == 32 ? 8 : 0) | (v.topLeft ? 0x20 : 0))};
    if (v.depth == 8)
        for (int i = 0; i < 256; ++i)
            out.insert(out.end(), {static_cast<std::uint8_t>((i & 3) << 6), static_cast<std::uint8_t>((i & 0x1C) << 3),
                                   static_cast<std::uint8_t>(i & 0xE0)});
    const bool rle = v.type == 9 || v.type == 10;
    std::vector<std::vector<std::uint8_t>> row(kSize);
    for (int fileRow = 0; fileRow < kSize; ++fileRow) {
        const int y = v.topLeft ? fileRow : kSize - 1 - fileRow;
        for (int x = 0; x < kSize; ++x) {
            row[static_cast<std::size_t>(x)].clear();
            PixelBytes(v, PictureAt(x, y), row[static_cast<std::size_t>(x)]);
        }
        if (rle) {
            EncodeRow(row, out);
        } else {
            for (const auto& p : row)
                out.insert(out.end(), p.begin(), p.end());
        }
    }
    // A TGA 2.0 footer without extension or developer areas: some readers
    // (Qt's among them) take only files that carry one.
    out.insert(out.end(), 8, 0);
    for (char c : std::string("TRUEVISION-XFILE."))
        out.push_back(static_cast<std::uint8_t>(c));
    out.push_back(0);
    return out;
}

} // namespace

std::string InputFor(const Variant& variant, const std::string& folder)
{
    std::filesystem::create_directories(folder);
    const std::string path = folder + "/" + variant.name + ".tga";
    if (!std::filesystem::exists(path)) {
        const std::vector<std::uint8_t> bytes = Encode(variant);
        const std::string partial = path + ".part";
        std::ofstream(partial, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        std::filesystem::rename(partial, path);
    }
    return path;
}

} // namespace bench
