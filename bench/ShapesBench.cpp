// Times finding every shape of a texture that has painted: on the decode
// variants, on an 8192 x 8192 atlas of 4096 round shapes, and on a texture of
// noise, whose millions of one-texel shapes the search stops at; and the fill
// of one Shift+click on the atlas.
#include "ShapesBench.h"

#include "BenchInputs.h"
#include "targa/LoadTarga.h"
#include "targa/Shapes.h"
#include "targa/SurfacePainter.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>
#include <random>

namespace bench {

namespace {

struct Painted {
    targa::PixelSurface surface;
    bool alpha = false;
};

void Find(benchmark::State& state, const std::function<std::unique_ptr<Painted>()>& paint)
{
    const std::unique_ptr<Painted> painted = paint();
    targa::Shapes shapes;
    for (auto _ : state)
        benchmark::DoNotOptimize(shapes = targa::FindShapes(targa::ShapeTexels(painted->surface, painted->alpha)));
    state.counters["shapes"] = static_cast<double>(shapes.boxes.size());
    state.counters["complete"] = shapes.complete;
}

std::unique_ptr<Painted> Decoded(const std::string& path)
{
    auto painted = std::make_unique<Painted>();
    targa::SurfacePainter painter(painted->surface);
    painted->alpha = targa::LoadTarga(path, painter).alpha;
    return painted;
}

std::unique_ptr<Painted> Atlas()
{
    constexpr int kSide = 8192, kCell = 128, kRadius = 48;
    auto painted = std::make_unique<Painted>(Painted{targa::PixelSurface(kSide, kSide, 0), true});
    for (int y = 0; y < kSide; ++y) {
        const int dy = y % kCell - kCell / 2;
        if (dy * dy > kRadius * kRadius)
            continue;
        int half = 0;
        while ((half + 1) * (half + 1) + dy * dy <= kRadius * kRadius)
            ++half;
        for (int cell = 0; cell < kSide / kCell; ++cell)
            painted->surface.BlendRun(cell * kCell + kCell / 2 - half, y, 2 * half + 1, 0x3060C0, 255);
    }
    return painted;
}

std::unique_ptr<Painted> Noise()
{
    auto painted = std::make_unique<Painted>(Painted{targa::PixelSurface(kSize, kSize, 0), true});
    std::mt19937 random(7);
    std::vector<targa::Colour> colours(kSize, 0x808080);
    std::vector<std::uint8_t> alphas(kSize);
    for (int y = 0; y < kSize; ++y) {
        for (std::uint8_t& alpha : alphas)
            alpha = random() & 1 ? 255 : 0;
        painted->surface.BlendPixels(0, y, colours.data(), alphas.data(), kSize);
    }
    return painted;
}

// One Shift+click: the box of the disc under a texel of the atlas.
void TakeOne(benchmark::State& state)
{
    const std::unique_ptr<Painted> painted = Atlas();
    for (auto _ : state)
        benchmark::DoNotOptimize(targa::ShapeAt(targa::ShapeTexels(painted->surface, true), 64, 64));
}

} // namespace

void RegisterShapeBenchmarks(const std::string& folder)
{
    for (const Variant& variant : Variants()) {
        const std::string path = InputFor(variant, folder);
        benchmark::RegisterBenchmark(("BM_FindShapes/" + variant.name).c_str(), Find, [path] { return Decoded(path); })
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("BM_FindShapes/atlas8192", Find, Atlas)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_FindShapes/noise4096", Find, Noise)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_ShapeAt/atlas8192", TakeOne)->Unit(benchmark::kMicrosecond);
}

} // namespace bench
