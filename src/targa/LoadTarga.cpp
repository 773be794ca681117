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

// Everything between opening and closing the file.
LoadResult Load(std::span<const std::uint8_t> file, bool mapped, PaintTarget& target)
{
    LoadResult result;
    if (file.size() < kTargaHeaderSize) {
        result.message = ReadError(why::kTooShort);
        return result;
    }
    std::array<std::uint8_t, kTargaHeaderSize> bytes{};
    std::copy_n(file.begin(), kTargaHeaderSize, bytes.begin());
    const TargaHeader header = TargaHeader::Parse(bytes);
    Input in(file, mapped);
    in.Skip(kTargaHeaderSize);
    if (header.colorMapType > 1) {
        result.message = messages::kNotValid;
        return result;
    }
    result.sized = true;
    result.width = header.width;
    result.height = header.height;
    in.Skip(header.idLength);
    if ((result.message = Refusal(header)))
        return result;
    try {
        const Decoded decoded = DecodePixels(in, target, header);
        result.painted = decoded.painted;
        result.alpha = decoded.alpha;
        if (decoded.failure)
            result.message = ReadError(*decoded.failure);
    } catch (const std::bad_alloc&) {
        result.message = ReadError(why::kNoMemory);
    }
    return result;
}

} // namespace

LoadResult LoadTarga(std::span<const std::uint8_t> file, PaintTarget& target) { return Load(file, false, target); }

LoadResult LoadTarga(const std::string& path, PaintTarget& target)
{
    std::string reason;
    const FileBytes file(path, reason);
    if (reason.empty())
        return Load(file.Bytes(), file.Mapped(), target);
    LoadResult result;
    result.message = ReadError(reason);
    return result;
}

} // namespace targa
