#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace targa {

constexpr std::size_t kTargaHeaderSize = 18;

// The file's first 18 bytes, little-endian and without gaps.
struct TargaHeader {
    std::uint8_t idLength = 0;
    std::uint8_t colorMapType = 0;
    std::uint8_t imageType = 0;
    std::uint16_t colorMapFirst = 0;
    std::uint16_t colorMapLength = 0;
    std::uint8_t colorMapEntrySize = 0;
    std::int16_t xOrigin = 0;
    std::int16_t yOrigin = 0;
    std::int16_t width = 0;
    std::int16_t height = 0;
    std::uint8_t pixelDepth = 0;
    std::uint8_t descriptor = 0;

    static TargaHeader Parse(const std::array<std::uint8_t, kTargaHeaderSize>& bytes);
};

constexpr std::uint8_t kDescriptorRightToLeft = 0x10;
constexpr std::uint8_t kDescriptorTopDown = 0x20;
constexpr std::uint8_t kDescriptorAttributeBits = 0x0F;
constexpr int kMaxRowBytes = 32767;

namespace why {
constexpr const char* kTooShort = "the file is too short to be a Targa image";
constexpr const char* kEndsEarly = "the file ends before the image is complete";
constexpr const char* kTooWide = "the image is too wide";
constexpr const char* kTooTall = "the image is too tall";
constexpr const char* kEmpty = "the image has no pixels (its width or height is 0)";
constexpr const char* kNoMap = "the image has no colour map";
constexpr const char* kMappedDepth = "a colour-mapped image must have 8 bits per pixel";
constexpr const char* kTrueColour8 = "an 8-bit image needs a colour map";
constexpr const char* kOutsideMap = "a pixel refers to a colour that is not in the colour map";
constexpr const char* kNoMemory = "there is not enough memory for the image";
} // namespace why

// The image type byte of the header: every type a file may name.
enum class ImageType : std::uint8_t {
    NoImage = 0,
    ColourMapped = 1,
    TrueColour = 2,
    BlackAndWhite = 3,
    RunLengthColourMapped = 9,
    RunLengthTrueColour = 10,
    RunLengthBlackAndWhite = 11,
    HuffmanColourMapped = 32,
    HuffmanColourMappedFourPass = 33,
};

inline ImageType TypeOf(const TargaHeader& header) { return static_cast<ImageType>(header.imageType); }
bool IsColourMapped(ImageType type);
bool IsTrueColour(ImageType type);
bool IsRunLength(ImageType type);

// The message for a header the decoder refuses before reading any pixel.
std::optional<std::string> Refusal(const TargaHeader& header);

// Whether the fourth byte of 32-bit pixels (or colour-map entries) is
// transparency. Files that say nothing about it often carry zeros there.
bool AlphaIsTransparency(const TargaHeader& header, std::span<const std::uint8_t> file);

} // namespace targa
