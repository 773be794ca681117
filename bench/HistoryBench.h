#pragma once

namespace bench {

// BM_EntryHistory/<steps>: edits of a map of a thousand entries kept in its history, and the memory they hold.
void RegisterHistoryBenchmarks();

} // namespace bench
