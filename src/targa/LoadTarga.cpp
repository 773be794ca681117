#include "targa/LoadTarga.h"

#include "targa/TargaDecoder.h"
#include "targa/TargaFile.h"
#include "targa/TargaHeader.h"

#include <algorithm>
#include <new>
#include <optional>

namespace targa {

namespace {

std::string ReadError(const std::string& description) { return messages::kReadErrorLead + description; }

// Everything between opening and closing the file. Returns the message to
// show, if any, so that the caller can close the file first.
std::optional<std::string> Load(std::span<const std::uint8_t> file, bool mapped, PaintTarget& target,
                                std::int32_t& height, std::int32_t& width)
{
    if (file.size() < kTargaHeaderSize)
        return ReadError(why::kTooShort);
    std::array<std::uint8_t, kTargaHeaderSize> bytes{};
    std::copy_n(file.begin(), kTargaHeaderSize, bytes.begin());
    const TargaHeader header = TargaHeader::Parse(bytes);
    Input in(file, mapped);
    in.Skip(kTargaHeaderSize);
    if (header.bytColorMapType > 1)
        return messages::kNotValid;
    height = header.intHeight;
    width = header.intWidth;
    in.Skip(header.bytIdLength);
    if (auto refusal = Refusal(header))
        return refusal;
    try {
        if (auto failure = DecodePixels(in, target, header))
            return ReadError(*failure);
    } catch (const std::bad_alloc&) {
        return ReadError(why::kNoMemory);
    }
    return std::nullopt;
}

} // namespace

void LoadTarga(std::span<const std::uint8_t> file, PaintTarget& target, std::int32_t& height, std::int32_t& width,
               ErrorReporter& errors)
{
    if (auto message = Load(file, false, target, height, width))
        errors.ShowError(messages::kTitle, *message);
}

void LoadTarga(const std::string& path, PaintTarget& target, std::int32_t& height, std::int32_t& width,
               ErrorReporter& errors)
{
    std::string reason;
    std::optional<std::string> message;
    {
        const FileBytes file(path, reason);
        if (reason.empty())
            message = Load(file.Bytes(), file.Mapped(), target, height, width);
    }
    if (!reason.empty())
        message = ReadError(reason);
    if (message)
        errors.ShowError(messages::kTitle, *message);
}

} // namespace targa
