// The entries' history: ten thousand edits of a map of a thousand entries,
// timed, with the memory the kept steps hold.
#include "HistoryBench.h"

#include "workspace/Workspace.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

namespace bench {

namespace {

void Edits(benchmark::State& state)
{
    const auto steps = static_cast<std::size_t>(state.range(0));
    double mib = 0;
    for (auto _ : state) {
        ravelock::Workspace ws;
        for (int i = 0; i < 1000; ++i)
            ws.entries.push_back({QStringLiteral("Entry%1").arg(i), i, i, i + 10, i + 10});
        const std::size_t before = mallinfo2().uordblks;
        for (std::size_t n = 0; n < steps; ++n) {
            const std::size_t at = n % ws.entries.size();
            ravelock::Entry moved = ws.entries[at];
            ++moved.left;
            ravelock::EntryStep step{QStringLiteral("Changing ") + moved.name, {{at, ws.entries[at]}}, {{at, moved}}};
            ws.history.Do(ws.entries, std::move(step));
        }
        mib = static_cast<double>(mallinfo2().uordblks - before) / (1 << 20);
    }
    state.counters["MiB"] = mib;
}

} // namespace

void RegisterHistoryBenchmarks()
{
    benchmark::RegisterBenchmark("BM_EntryHistory", Edits)->Arg(10000)->Unit(benchmark::kMillisecond);
}

} // namespace bench
