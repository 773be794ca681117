// Times finding every shape of a texture that has painted: on the decode
// variants, on an 8192 x 8192 atlas of 4096 round shapes, and on a texture of
// noise, whose millions of one-texel shapes the search stops at; and the fill
// of one Shift+click on the atlas; Map All Shapes on the atlas, and the
// repaint of its plan's outlines.
#include "ShapesBench.h"

#include "BenchInputs.h"
#include "targa/LoadTarga.h"
#include "targa/Shapes.h"
#include "targa/SurfacePainter.h"
#include "windows/picture/DrawingArea.h"
#include "workspace/MainCommands.h"

#include <QApplication>
#include <QScrollArea>
#include <QTemporaryDir>

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

// The window as far as the commands need it: a texture of the atlas's size, and nothing shown.
struct QuietView final : ravelock::MainView {
    void ShowPanel(bool) override {}
    void ShowState(const ravelock::Workspace&) override {}
    void FitWindowToPicture() override {}
    void ShowHint(const QString&) override {}
    void ShowMessage(const QString&) override {}
    void Bell() override {}
    std::optional<QSize> LoadTexture(const QString&) override { return QSize(8192, 8192); }
    void ShowDeleteDialog() override {}
    void ShowReadme() override {}
    void EndProgram() override {}
};

struct NoDialogs final : ravelock::Dialogs {
    std::optional<QString> OpenFile(const ravelock::FileDialogSettings&) override { return std::nullopt; }
    std::optional<QString> SaveFile(const ravelock::FileDialogSettings&) override { return std::nullopt; }
    ravelock::Answer Message(const QString&, const QString&, ravelock::MessageIcon, ravelock::MessageButtons) override
    {
        return ravelock::Answer::Ok;
    }
    QString Input(const QString&, const QString&) override { return {}; }
};

std::vector<QRect> AtlasShapes(const Painted& atlas)
{
    std::vector<QRect> shapes;
    for (const targa::ShapeBox& box : targa::FindShapes(targa::ShapeTexels(atlas.surface, true)).boxes)
        shapes.push_back(QRect(QPoint(box.left, box.top), QPoint(box.right, box.bottom)));
    return shapes;
}

// With the first `mapped` shapes mapped already: finding the shapes left and adding an entry for each as one
// step, its recovery copy written.
void MapAll(benchmark::State& state)
{
    const std::vector<QRect> shapes = AtlasShapes(*Atlas());
    const std::vector<QRect> mapped(shapes.begin(), shapes.begin() + state.range(0));
    QuietView view;
    NoDialogs dialogs;
    QTemporaryDir recovery;
    std::size_t entries = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ravelock::MainCommands commands(view, dialogs, recovery.path());
        commands.OpenTexture(QStringLiteral("atlas.tga"));
        commands.MapAllShapes(mapped, QStringLiteral("Mapped"), 0);
        state.ResumeTiming();
        commands.MapAllShapes(shapes, QStringLiteral("Icon"), 0);
        entries = commands.State().entries.size();
    }
    state.counters["shapes"] = static_cast<double>(shapes.size());
    state.counters["entries"] = static_cast<double>(entries);
}

// A hundred entries repeated 99 times, each copy's names with their own word.
void Repeat(benchmark::State& state)
{
    QuietView view;
    NoDialogs dialogs;
    QTemporaryDir recovery;
    ravelock::RepeatSettings settings{QPoint(0, 80), QStringLiteral("Normal"), QString(), 99};
    for (int k = 1; k <= settings.times; ++k)
        settings.with += QStringLiteral("State%1 ").arg(k);
    std::size_t entries = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ravelock::MainCommands commands(view, dialogs, recovery.path());
        commands.OpenTexture(QStringLiteral("atlas.tga"));
        std::vector<ravelock::Entry> sources;
        for (int i = 0; i < 100; ++i)
            sources.push_back({QStringLiteral("Piece%1Normal").arg(i), i * 10, 0, i * 10 + 7, 7});
        state.ResumeTiming();
        commands.RepeatEntries(sources, settings);
        entries = commands.State().entries.size();
    }
    state.counters["entries"] = static_cast<double>(entries);
}

// A full-screen view of the atlas with every planned entry outlined.
void RepaintPlan(benchmark::State& state)
{
    const std::unique_ptr<Painted> atlas = Atlas();
    ravelock::RegionScene scene;
    scene.planned = AtlasShapes(*atlas);
    ravelock::DrawingArea area(atlas->surface, nullptr);
    area.setFixedSize(1920, 1080);
    area.SetScene(std::move(scene));
    area.show();
    QCoreApplication::processEvents();
    for (auto _ : state)
        area.repaint();
}

// A 1280 x 800 view of the middle of the atlas at `zoom`, with 500 entries outlined and named in it and the
// texel grid: the part in view is drawn, never a scaled copy of the texture.
void PaintZoomed(benchmark::State& state)
{
    const int zoom = static_cast<int>(state.range(0));
    const std::unique_ptr<Painted> atlas = Atlas();
    QScrollArea frame;
    frame.setFrameShape(QFrame::NoFrame);
    frame.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frame.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* area = new ravelock::DrawingArea(atlas->surface, nullptr);
    area->SetExtent(QSize(8193, 8193));
    area->SetZoom(zoom);
    frame.setWidget(area);
    frame.resize(1280, 800);
    frame.show();
    const QPoint middle(4096 * zoom, 4096 * zoom);
    frame.ensureVisible(middle.x(), middle.y(), 640, 400);
    QCoreApplication::processEvents();
    const QRect view = area->visibleRegion().boundingRect();
    const QRect texels(view.topLeft() / zoom, view.size() / zoom);
    std::mt19937 random(7);
    ravelock::RegionScene scene;
    for (int i = 0; i < 500; ++i) {
        const int left = texels.left() + static_cast<int>(random() % static_cast<unsigned>(texels.width()));
        const int top = texels.top() + static_cast<int>(random() % static_cast<unsigned>(texels.height()));
        const int side = 1 + static_cast<int>(random() % static_cast<unsigned>(std::max(2, texels.width() / 8)));
        scene.entries.push_back({QRect(left, top, side, side), QStringLiteral("Region%1").arg(i)});
    }
    area->SetScene(std::move(scene));
    for (auto _ : state)
        area->repaint(view);
    state.counters["scale"] = area->devicePixelRatioF();
}

} // namespace

void RegisterShapeBenchmarks(const std::string& folder)
{
    for (const Variant& variant : Variants()) {
        const std::string path = InputFor(variant, folder);
        benchmark::RegisterBenchmark(("BM_FindShapes/" + variant.name).c_str(), Find, [path] {
            return Decoded(path);
        })->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("BM_FindShapes/atlas8192", Find, Atlas)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_FindShapes/noise4096", Find, Noise)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_ShapeAt/atlas8192", TakeOne)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("BM_MapAllShapes/atlas8192", MapAll)->Arg(500)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_Repeat/100x99", Repeat)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_PaintZoomed", PaintZoomed)->Arg(1)->Arg(8)->Arg(32)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_RepaintPlan/atlas8192", RepaintPlan)->Unit(benchmark::kMillisecond);
}

} // namespace bench
