// Times `ravelock remap` on a 4096 x 4096 atlas of 4096 shapes whose cells a
// packer has shuffled, against decoding its two textures alone.
#include "RemapBench.h"

#include "app/Batch.h"
#include "app/BatchSupport.h"
#include "workspace/MapDocument.h"

#include <QString>
#include <QTextStream>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <numeric>
#include <random>

namespace bench {

namespace {

constexpr int kSide = 4096, kCell = 64, kCells = kSide / kCell;

// Shape i: an ellipse of its own size and colours, fading at its rim.
void PaintShape(std::vector<std::uint8_t>& bgra, int index, int cellX, int cellY)
{
    const int rx = 10 + index % 21, ry = 10 + index / 21 % 21;
    for (int dy = -ry; dy <= ry; ++dy)
        for (int dx = -rx; dx <= rx; ++dx) {
            const double d = double(dx * dx) / (rx * rx) + double(dy * dy) / (ry * ry);
            if (d > 1)
                continue;
            const std::size_t at = (static_cast<std::size_t>(cellY * kCell + kCell / 2 + dy) * kSide +
                                    static_cast<std::size_t>(cellX * kCell + kCell / 2 + dx)) *
                                   4;
            bgra[at] = static_cast<std::uint8_t>(index * 7 + dx);
            bgra[at + 1] = static_cast<std::uint8_t>(index >> 5);
            bgra[at + 2] = static_cast<std::uint8_t>(dy * 3);
            bgra[at + 3] = d > 0.8 ? 128 : 255;
        }
}

// A 32-bit top-left Targa file of the shapes, shape i in cell place[i].
void WriteAtlas(const std::string& path, const std::vector<int>& place)
{
    std::vector<std::uint8_t> bgra(std::size_t{kSide} * kSide * 4);
    for (int i = 0; i < static_cast<int>(place.size()); ++i)
        PaintShape(bgra, i, place[static_cast<std::size_t>(i)] % kCells, place[static_cast<std::size_t>(i)] / kCells);
    const std::uint8_t header[18] = {0, 0, 2, 0,           0,          0,           0,          0,  0,
                                     0, 0, 0, kSide & 255, kSide >> 8, kSide & 255, kSide >> 8, 32, 0x28};
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(header, 1, sizeof header, file);
    std::fwrite(bgra.data(), 1, bgra.size(), file);
    std::fclose(file);
}

struct Inputs {
    QString old, map, fresh, out;
};

Inputs Write(const std::string& folder, int entries)
{
    const std::string old = folder + "/remap-old.tga", fresh = folder + "/remap-new.tga";
    std::vector<int> place(kCells * kCells);
    std::iota(place.begin(), place.end(), 0);
    if (!std::filesystem::exists(old))
        WriteAtlas(old, place);
    std::shuffle(place.begin(), place.end(), std::mt19937(11));
    if (!std::filesystem::exists(fresh))
        WriteAtlas(fresh, place);
    // Every fourth entry a whole shape's box, the others its left half, its top row or one texel in it.
    ravelock::Workspace ws;
    ws.imageHeight = ws.imageWidth = kSide;
    ws.textureName = "remap-old.tga";
    for (int i = 0; i < entries; ++i) {
        const int x = i % kCells * kCell + kCell / 2, y = i / kCells * kCell + kCell / 2;
        const int rx = 10 + i % 21, ry = 10 + i / 21 % 21;
        const int kind = i % 4;
        ws.entries.push_back({QStringLiteral("Entry%1").arg(i), x - rx, kind == 2 ? y : y - ry, kind == 1 ? x : x + rx,
                              kind == 3 ? y - ry : y + ry});
    }
    const QString map = QString::fromStdString(folder + "/remap-" + std::to_string(entries) + ".ini");
    ravelock::WriteIniFile(ws, map);
    return {QString::fromStdString(old), map, QString::fromStdString(fresh), map + ".out"};
}

void Remap(benchmark::State& state, const std::string& folder)
{
    const Inputs inputs = Write(folder, static_cast<int>(state.range(0)));
    int status = -1;
    for (auto _ : state) {
        QString text;
        QTextStream out(&text), err(&text);
        status = ravelock::batch::Run({"remap", inputs.old, inputs.map, inputs.fresh, "-o", inputs.out}, out, err);
    }
    if (status != 0)
        state.SkipWithError("not every entry was carried over");
}

void DecodeBoth(benchmark::State& state, const std::string& folder)
{
    const Inputs inputs = Write(folder, 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ravelock::batch::LoadTexture(inputs.old));
        benchmark::DoNotOptimize(ravelock::batch::LoadTexture(inputs.fresh));
    }
}

} // namespace

void RegisterRemapBenchmarks(const std::string& folder)
{
    benchmark::RegisterBenchmark("BM_Remap", Remap, folder)->Arg(1000)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_RemapDecode", DecodeBoth, folder)->Unit(benchmark::kMillisecond);
}

} // namespace bench
