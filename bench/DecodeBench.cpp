// Times Ravelock's decoder against stb_image, Qt's Targa plugin and the floor
// of reading the file and copying its pixels once, on the same 4096 x 4096
// inputs in the same run. Inputs are written on first use into
// RAVELOCK_BENCH_INPUTS (default: bench-inputs beside the working folder).
#include "BenchInputs.h"
#ifndef RAVELOCK_BENCH_OPEN_ONLY
#include "HistoryBench.h"
#include "RemapBench.h"
#include "RepaintBench.h"
#include "ShapesBench.h"
#endif
#include "targa/LoadTarga.h"
#include "targa/PixelSurface.h"
#include "targa/SurfacePainter.h"
#include "windows/main/FrmMain.h"
#include "workspace/Dialogs.h"

#include <QAction>
#include <QApplication>
#include <QImageReader>

#include <benchmark/benchmark.h>
#ifndef RAVELOCK_BENCH_OPEN_ONLY
#include <stb/stb_image.h>
#include <sys/resource.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>

namespace {

// Answers the Open dialog with one path and keeps the first message shown.
class OpenOnly final : public ravelock::Dialogs {
public:
    explicit OpenOnly(std::string path) : path_(QString::fromStdString(std::move(path))) {}
    std::optional<QString> OpenFile(const ravelock::FileDialogSettings&) override { return path_; }
    std::optional<QString> SaveFile(const ravelock::FileDialogSettings&) override { return std::nullopt; }
    ravelock::Answer Message(const QString& text, const QString&, ravelock::MessageIcon,
                             ravelock::MessageButtons) override
    {
        if (failure.empty())
            failure = text.toStdString();
        return ravelock::Answer::Ok;
    }
    QString Input(const QString&, const QString&) override { return {}; }
    std::string failure;

private:
    QString path_;
};

std::string Folder()
{
    const char* folder = std::getenv("RAVELOCK_BENCH_INPUTS");
    return folder ? folder : "bench-inputs";
}

targa::PixelSurface& SharedSurface()
{
    // Allocated and touched once, as the window's surface is while it paints.
    static targa::PixelSurface surface = [] {
        targa::PixelSurface s(bench::kSize, bench::kSize, 0xEFEFEF);
        for (int y = 0; y < bench::kSize; ++y)
            s.FillRun(0, y, bench::kSize, 0xEFEFEF);
        return s;
    }();
    return surface;
}

void Ravelock(benchmark::State& state, const std::string& path)
{
    targa::PixelSurface& surface = SharedSurface();
    targa::SurfacePainter painter(surface);
    std::optional<std::string> failure;
    for (auto _ : state) {
        failure = targa::LoadTarga(path, painter).message;
        benchmark::DoNotOptimize(surface.Band(0));
    }
    if (failure)
        state.SkipWithError(failure->c_str());
}

#ifndef RAVELOCK_BENCH_OPEN_ONLY
void Stb(benchmark::State& state, const std::string& path)
{
    for (auto _ : state) {
        int w = 0, h = 0, n = 0;
        stbi_uc* pixels = stbi_load(path.c_str(), &w, &h, &n, 4);
        if (!pixels) {
            state.SkipWithError(stbi_failure_reason());
            return;
        }
        benchmark::DoNotOptimize(pixels);
        stbi_image_free(pixels);
    }
}
#endif

void QtReader(benchmark::State& state, const std::string& path)
{
    for (auto _ : state) {
        QImageReader reader(QString::fromStdString(path));
        const QImage image = reader.read();
        if (image.isNull()) {
            state.SkipWithError(("Qt's reader: " + reader.errorString().toStdString()).c_str());
            return;
        }
        benchmark::DoNotOptimize(image.constBits());
    }
}

void Floor(benchmark::State& state, const std::string& path)
{
    static std::vector<char> file(200u << 20);
    static std::vector<std::uint32_t> source(static_cast<std::size_t>(bench::kSize) * bench::kSize, 1);
    static std::vector<std::uint32_t> target(source.size(), 2);
    for (auto _ : state) {
        std::FILE* in = std::fopen(path.c_str(), "rb");
        const std::size_t got = std::fread(file.data(), 1, file.size(), in);
        std::fclose(in);
        std::memcpy(target.data(), source.data(), source.size() * 4);
        benchmark::DoNotOptimize(got);
        benchmark::DoNotOptimize(target.data());
    }
}

// The whole Open in the window on the platform Qt runs on (offscreen, or xcb
// on an X server): decoding, painting, the refresh and the yield every 32
// rows, sizing the window and placing its panel; with the View menu's aids
// on or off.
void WindowOpen(benchmark::State& state, const std::string& path, bool aids)
{
    for (auto _ : state) {
        state.PauseTiming();
        OpenOnly dialogs(path);
        auto window = std::make_unique<ravelock::FrmMain>(&dialogs);
        window->show();
        for (const char* aid : {"mnuViewRegions", "mnuViewMagnifier"})
            window->findChild<QAction*>(QString::fromLatin1(aid))->setChecked(aids);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        window->findChild<QAction*>(QStringLiteral("mnuFileOpen"))->trigger();
        state.PauseTiming();
        if (!dialogs.failure.empty())
            state.SkipWithError(dialogs.failure.c_str());
        window.reset();
        state.ResumeTiming();
    }
}

// Decoding the same file alone into a fresh surface, as the window does.
void FreshDecode(benchmark::State& state, const std::string& path)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto surface = std::make_unique<targa::PixelSurface>(0, 0, 0xEFEFEF);
        targa::SurfacePainter painter(*surface);
        state.ResumeTiming();
        targa::LoadTarga(path, painter);
        state.PauseTiming();
        surface.reset();
        state.ResumeTiming();
    }
}

#ifndef RAVELOCK_BENCH_OPEN_ONLY
long MaxRssKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

int PeakMemory(const std::string& path)
{
    const long before = MaxRssKiB();
    targa::PixelSurface surface(0, 0, 0);
    targa::SurfacePainter painter(surface);
    const targa::LoadResult loaded = targa::LoadTarga(path, painter);
    const long after = MaxRssKiB();
    const double surfaceMiB = static_cast<double>(loaded.width) * loaded.height * 4 / 1048576.0;
    std::printf("peak memory of opening %s: %.1f MiB above the %.1f MiB before (surface %.1f MiB, so %.1f MiB more)\n",
                path.c_str(), static_cast<double>(after - before) / 1024.0, static_cast<double>(before) / 1024.0,
                surfaceMiB, static_cast<double>(after - before) / 1024.0 - surfaceMiB);
    return loaded.message ? 1 : 0;
}
#endif

} // namespace

int main(int argc, char** argv)
{
    // Qt's reader explains every refusal on stderr; the table says it once.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    for (const auto& variant : bench::Variants())
        bench::InputFor(variant, Folder());
#ifndef RAVELOCK_BENCH_OPEN_ONLY
    if (argc == 3 && std::strcmp(argv[1], "--peak-memory") == 0)
        return PeakMemory(bench::InputFor(bench::Variants()[static_cast<std::size_t>(std::atoi(argv[2]))], Folder()));
#endif

    QApplication app(argc, argv);
    for (const auto& variant : bench::Variants()) {
        const std::string path = bench::InputFor(variant, Folder());
        benchmark::RegisterBenchmark(("BM_Floor/" + variant.name).c_str(), Floor, path)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BM_Ravelock/" + variant.name).c_str(), Ravelock, path)
            ->Unit(benchmark::kMillisecond);
#ifndef RAVELOCK_BENCH_OPEN_ONLY
        benchmark::RegisterBenchmark(("BM_Stb/" + variant.name).c_str(), Stb, path)->Unit(benchmark::kMillisecond);
#endif
        benchmark::RegisterBenchmark(("BM_QtReader/" + variant.name).c_str(), QtReader, path)
            ->Unit(benchmark::kMillisecond);
    }
    const std::string rle32 = bench::InputFor(bench::Variants()[7], Folder());
    benchmark::RegisterBenchmark("BM_WindowOpen/t10_d32_bl", WindowOpen, rle32, false)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_WindowOpenWithAids/t10_d32_bl", WindowOpen, rle32, true)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_FreshDecode/t10_d32_bl", FreshDecode, rle32)->Unit(benchmark::kMillisecond);
#ifndef RAVELOCK_BENCH_OPEN_ONLY
    bench::RegisterRepaintBenchmarks();
    bench::RegisterShapeBenchmarks(Folder());
    bench::RegisterRemapBenchmarks(Folder());
    bench::RegisterHistoryBenchmarks();
#endif
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
