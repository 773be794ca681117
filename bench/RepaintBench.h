#pragma once

namespace bench {

// The picture's repaint over a full screen, plain and with regions outlined over it.
void RegisterRepaintBenchmarks();

} // namespace bench
