// Times one repaint of a full-screen view of a 4096 x 4096 texture: the
// picture alone, and with Show Regions on for 500 entries in view, each
// outlined and named, with a pending corner and the keys' cursor.
#include "RepaintBench.h"

#include "BenchInputs.h"
#include "targa/PixelSurface.h"
#include "windows/picture/DrawingArea.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <random>

namespace bench {

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

const targa::PixelSurface& Texture()
{
    static const targa::PixelSurface surface = [] {
        targa::PixelSurface s(kSize, kSize, 0xEFEFEF);
        std::vector<targa::Colour> row(kSize);
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x)
                row[static_cast<std::size_t>(x)] = targa::MakeColour(x & 255, y & 255, (x ^ y) & 255);
            s.SetPixels(0, y, row.data(), kSize);
        }
        return s;
    }();
    return surface;
}

ravelock::RegionScene Regions(int count)
{
    ravelock::RegionScene scene;
    std::mt19937 random(7);
    for (int i = 0; i < count; ++i) {
        const int left = static_cast<int>(random() % (kWidth - 200)),
                  top = static_cast<int>(random() % (kHeight - 200));
        const int right = left + 8 + static_cast<int>(random() % 190),
                  bottom = top + 8 + static_cast<int>(random() % 190);
        scene.entries.push_back({QRect(QPoint(left, top), QPoint(right, bottom)), QStringLiteral("Region%1").arg(i)});
    }
    if (count > 0)
        scene.firstCorner = QPoint(kWidth / 2, kHeight / 2);
    return scene;
}

void Repaint(benchmark::State& state, int outlines)
{
    ravelock::DrawingArea area(Texture(), nullptr);
    area.setFixedSize(kWidth, kHeight);
    area.SetScene(Regions(outlines));
    area.show();
    QCoreApplication::processEvents();
    for (auto _ : state)
        area.repaint();
    state.counters["scale"] = area.devicePixelRatioF();
}

} // namespace

void RegisterRepaintBenchmarks()
{
    benchmark::RegisterBenchmark("BM_Repaint/plain", Repaint, 0)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_Repaint/regions500", Repaint, 500)->Unit(benchmark::kMillisecond);
}

} // namespace bench
