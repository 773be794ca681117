#include "targa/TargaHeader.h"

#include "targa/LoadTarga.h"

#include <cstring>

namespace targa {

TargaHeader TargaHeader::Parse(const std::array<std::uint8_t, kTargaHeaderSize>& b)
{
    const auto word = [&b](std::size_t at) { return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8); };
    TargaHeader h;
    h.idLength = b[0];
    h.colorMapType = b[1];
    h.imageType = b[2];
    h.colorMapFirst = word(3);
    h.colorMapLength = word(5);
    h.colorMapEntrySize = b[7];
    h.xOrigin = static_cast<std::int16_t>(word(8));
    h.yOrigin = static_cast<std::int16_t>(word(10));
    h.width = static_cast<std::int16_t>(word(12));
    h.height = static_cast<std::int16_t>(word(14));
    h.pixelDepth = b[16];
    h.descriptor = b[17];
    return h;
}

bool IsColourMapped(ImageType type)
{
    return type == ImageType::ColourMapped || type == ImageType::RunLengthColourMapped;
}
bool IsTrueColour(ImageType type) { return type == ImageType::TrueColour || type == ImageType::RunLengthTrueColour; }
bool IsRunLength(ImageType type)
{
    return type == ImageType::RunLengthColourMapped || type == ImageType::RunLengthTrueColour;
}

std::optional<std::string> Refusal(const TargaHeader& header)
{
    switch (TypeOf(header)) {
    case ImageType::BlackAndWhite:
    case ImageType::RunLengthBlackAndWhite:
    case ImageType::HuffmanColourMapped:
    case ImageType::HuffmanColourMappedFourPass:
        return messages::kTypeNotSupported;
    default:
        break;
    }
    switch (header.pixelDepth) {
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        return messages::kDepthNotSupported;
    }
    // Types this decoder does not handle are refused out loud: a silent
    // return would leave the user staring at an unchanged window.
    if (!IsColourMapped(TypeOf(header)) && !IsTrueColour(TypeOf(header)))
        return messages::kTypeNotSupported;
    return std::nullopt;
}

bool AlphaIsTransparency(const TargaHeader& header, std::span<const std::uint8_t> file)
{
    if ((header.descriptor & kDescriptorAttributeBits) == 0)
        return false;
    constexpr std::size_t kFooterSize = 26;
    constexpr char kSignature[] = "TRUEVISION-XFILE.";
    constexpr std::size_t kAttributesTypeAt = 494;
    if (file.size() < kTargaHeaderSize + kFooterSize)
        return true;
    const std::uint8_t* footer = file.data() + file.size() - kFooterSize;
    if (std::memcmp(footer + 8, kSignature, sizeof kSignature) != 0)
        return true;
    const std::uint64_t extension = footer[0] | footer[1] << 8 | footer[2] << 16 | std::uint64_t{footer[3]} << 24;
    if (extension == 0 || extension + kAttributesTypeAt >= file.size())
        return true;
    // Attributes types 3 and 4: alpha, and alpha that the colour is premultiplied by.
    const std::uint8_t type = file[extension + kAttributesTypeAt];
    return type == 3 || type == 4;
}

} // namespace targa
