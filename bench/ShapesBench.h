#pragma once

#include <string>

namespace bench {

// BM_FindShapes/<variant> on the decode inputs in `folder`, and on an atlas and noise made in memory.
void RegisterShapeBenchmarks(const std::string& folder);

} // namespace bench
