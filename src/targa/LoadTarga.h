#pragma once

#include "targa/PaintTarget.h"

#include <cstdint>
#include <span>
#include <string>

namespace targa {

// Where the decoder's messages go: a modal box titled "Error" with the stop
// icon in the program, a list in the tests, standard error in the tools.
class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    virtual void ShowError(const std::string& title, const std::string& text) = 0;
};

namespace messages {
inline constexpr const char* kTitle = "Error";
inline constexpr const char* kNotValid = "This is not a valid TGA file.";
inline constexpr const char* kTypeNotSupported = "This image type is not supported.";
inline constexpr const char* kDepthNotSupported = "We only support 8, 16, 24, and 32 bits per pixel.";
inline constexpr const char* kReadErrorLead = "There was an error reading the file:\r\n";
} // namespace messages

// Reads the Targa file at `path` and paints it onto `target` as it is decoded.
// `height` and `width` receive the header's size in pixels once the colour-map
// type has been accepted; every refusal and failure is shown through `errors`.
void LoadTarga(const std::string& path, PaintTarget& target, std::int32_t& height, std::int32_t& width,
               ErrorReporter& errors);

// The same from the file's bytes in memory.
void LoadTarga(std::span<const std::uint8_t> file, PaintTarget& target, std::int32_t& height, std::int32_t& width,
               ErrorReporter& errors);

} // namespace targa
