#pragma once

#include <string>

namespace bench {

// BM_Remap/<entries>: carrying a map across a repacked 4096 x 4096 atlas, files
// written into `folder` once; BM_RemapDecode, decoding the two textures alone.
void RegisterRemapBenchmarks(const std::string& folder);

} // namespace bench
