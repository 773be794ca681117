#pragma once

#include "targa/PaintTarget.h"
#include "targa/TargaFile.h"
#include "targa/TargaHeader.h"

#include <optional>
#include <string>

namespace targa {

struct Decoded {
    bool painted = false;
    bool alpha = false; // the pixels' alpha was painted as transparency
    // The read error's description; nothing when decoding ended normally or
    // the program asked it to stop.
    std::optional<std::string> failure;
};

// Reads the colour map and the pixels that follow the identification field
// and paints them.
Decoded DecodePixels(Input& in, PaintTarget& target, const TargaHeader& header);

} // namespace targa
