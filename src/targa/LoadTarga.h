#pragma once

#include "targa/PaintTarget.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace targa {

namespace messages {
inline constexpr const char* kTitle = "Error";
inline constexpr const char* kNotValid = "This is not a valid TGA file.";
inline constexpr const char* kTypeNotSupported = "This image type is not supported.";
inline constexpr const char* kDepthNotSupported = "We only support 8, 16, 24, and 32 bits per pixel.";
inline constexpr const char* kReadErrorLead = "There was an error reading the file:\r\n";
} // namespace messages

// What reading a file came to.
struct LoadResult {
    bool sized = false; // the header's size was read and its colour-map type accepted
    int width = 0;
    int height = 0;
    bool painted = false; // at least one pixel reached the paint target
    bool alpha = false;   // the pixels carry transparency, painted as such
    // The one message for the user, shown titled messages::kTitle with the
    // stop icon: a refusal, or a read error after which what was painted stays.
    std::optional<std::string> message;
};

// Reads the Targa file at `path` and paints it onto `target` as it is decoded.
LoadResult LoadTarga(const std::string& path, PaintTarget& target);

// The same from the file's bytes in memory.
LoadResult LoadTarga(std::span<const std::uint8_t> file, PaintTarget& target);

} // namespace targa
