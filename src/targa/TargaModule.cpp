#include "targa/TargaModule.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <optional>
#include <vector>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace targa {

TargaHeader TargaHeader::Parse(const std::array<std::uint8_t, kTargaHeaderSize>& b)
{
    const auto word = [&b](std::size_t at) { return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8); };
    TargaHeader h;
    h.bytIdLength = b[0];
    h.bytColorMapType = b[1];
    h.bytImageType = b[2];
    h.intColorMapFirst = word(3);
    h.intColorMapLength = word(5);
    h.bytColorMapEntrySize = b[7];
    h.intXOrigin = static_cast<std::int16_t>(word(8));
    h.intYOrigin = static_cast<std::int16_t>(word(10));
    h.intWidth = static_cast<std::int16_t>(word(12));
    h.intHeight = static_cast<std::int16_t>(word(14));
    h.bytPixelDepth = b[16];
    h.bytDescriptor = b[17];
    return h;
}

namespace {

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

std::string ReadError(const std::string& description) { return messages::kReadErrorLead + description; }

bool IsColourMapped(int type) { return type == 1 || type == 9; }
bool IsTrueColour(int type) { return type == 2 || type == 10; }
bool IsRunLength(int type) { return type == 9 || type == 10; }

struct Pixel {
    Colour colour = 0;
    std::uint8_t alpha = 255;
};

Colour FromFiveBit(std::uint8_t low, std::uint8_t high)
{
    const int red = (high >> 2) & 31;
    const int green = (high & 3) << 3 | low >> 5;
    const int blue = low & 31;
    return MakeColour(red << 3, green << 3, blue << 3);
}

// Reads a colour-map entry of 15/16, 24 or 32 bits from its bytes in file order.
Pixel MapEntry(const std::uint8_t* p, int bytes)
{
    switch (bytes) {
    case 2:
        return {FromFiveBit(p[0], p[1]), 255};
    case 3:
        return {MakeColour(p[2], p[1], p[0]), 255};
    default:
        return {MakeColour(p[2], p[1], p[0]), p[3]};
    }
}

// Whether the fourth byte of 32-bit pixels (or colour-map entries) is
// transparency. Files that say nothing about it often carry zeros there.
bool AlphaIsTransparency(const TargaHeader& header, std::span<const std::uint8_t> file)
{
    if ((header.bytDescriptor & kDescriptorAttributeBits) == 0)
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
    const std::uint8_t type = file[extension + kAttributesTypeAt];
    return type == 3 || type == 4;
}

// Reads forward through the file's bytes.
// Reads forward through the file's bytes. From a mapped file, the pages
// read are handed back to the system as decoding goes on, so that a large
// texture costs the memory of its surface and not of its file as well.
class Input {
public:
    Input(std::span<const std::uint8_t> file, bool mapped) : file_(file), mapped_(mapped) {}

    // Up to `count` bytes from here on; `got` says how many there were.
    const std::uint8_t* Take(std::size_t count, std::size_t& got)
    {
        if (mapped_ && at_ - released_ >= kReleaseStep)
            Release();
        got = std::min(count, file_.size() - at_);
        const std::uint8_t* data = file_.data() + at_;
        at_ += got;
        return data;
    }
    bool Byte(std::uint8_t& value)
    {
        if (at_ == file_.size())
            return false;
        value = file_[at_++];
        return true;
    }
    std::size_t Skip(std::size_t count)
    {
        std::size_t got = 0;
        Take(count, got);
        return got;
    }
    std::span<const std::uint8_t> File() const { return file_; }

private:
    static constexpr std::size_t kReleaseStep = 4 << 20;

    // Everything before the current position; reading it again would only
    // fault it back in from the file.
    void Release()
    {
        const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
        const auto start = reinterpret_cast<std::uintptr_t>(file_.data());
        const std::uintptr_t from = (start + released_ + page - 1) / page * page;
        const std::uintptr_t to = (start + at_) / page * page;
        if (to > from)
            ::madvise(reinterpret_cast<void*>(from), to - from, MADV_DONTNEED);
        released_ = at_;
    }

    std::span<const std::uint8_t> file_;
    bool mapped_;
    std::size_t at_ = 0;
    std::size_t released_ = 0;
};

class Decoder {
public:
    Decoder(Input& in, PaintTarget& target, const TargaHeader& header)
        : in_(in), target_(target), header_(header), width_(header.intWidth), height_(header.intHeight),
          bytes_(header.bytPixelDepth / 8), topDown_(header.bytDescriptor & kDescriptorTopDown),
          rightToLeft_(header.bytDescriptor & kDescriptorRightToLeft)
    {
    }

    // Returns the read-error description, or nothing when decoding ended normally.
    std::optional<std::string> Run()
    {
        if (auto failure = ReadColourMap())
            return failure;
        if (auto failure = CheckSize())
            return failure;
        const bool hasAlpha = bytes_ == 4 || (bytes_ == 1 && mapHasAlpha_);
        blend_ = hasAlpha && AlphaIsTransparency(header_, in_.File());
        if (!target_.PrepareSurface(width_, height_))
            return why::kNoMemory;
        const std::size_t buffer = static_cast<std::size_t>(std::max(width_, 128));
        colours_.resize(buffer);
        alphas_.resize(buffer);
        return IsRunLength(header_.bytImageType) ? DecodeRunLength() : DecodeUncompressed();
    }

private:
    std::optional<std::string> ReadColourMap()
    {
        const int entrySize = header_.bytColorMapEntrySize;
        const int entryBytes = (entrySize + 7) / 8;
        const std::size_t mapBytes = std::size_t{header_.intColorMapLength} * static_cast<std::size_t>(entryBytes);
        if (IsTrueColour(header_.bytImageType)) {
            if (header_.bytPixelDepth == 8)
                return why::kTrueColour8;
            if (header_.bytColorMapType == 1 && in_.Skip(mapBytes) < mapBytes)
                return why::kEndsEarly;
            return std::nullopt;
        }
        if (header_.bytPixelDepth != 8)
            return why::kMappedDepth;
        if (header_.bytColorMapType != 1 || header_.intColorMapLength == 0)
            return why::kNoMap;
        if (entrySize != 15 && entrySize != 16 && entrySize != 24 && entrySize != 32)
            return "colour maps with " + std::to_string(entrySize) + "-bit entries are not supported";
        std::size_t got = 0;
        const std::uint8_t* raw = in_.Take(mapBytes, got);
        if (got < mapBytes)
            return why::kEndsEarly;
        // Indices are bytes: entries beyond 256 after the first can never be used.
        const std::size_t usable = std::min<std::size_t>(header_.intColorMapLength, 256);
        paletteColours_.resize(usable);
        paletteAlphas_.resize(usable);
        for (std::size_t i = 0; i < usable; ++i) {
            const Pixel entry = MapEntry(&raw[i * static_cast<std::size_t>(entryBytes)], entryBytes);
            paletteColours_[i] = entry.colour;
            paletteAlphas_[i] = entry.alpha;
        }
        mapHasAlpha_ = entryBytes == 4;
        return std::nullopt;
    }

    std::optional<std::string> CheckSize() const
    {
        if (width_ < 0)
            return why::kTooWide;
        if (height_ < 0)
            return why::kTooTall;
        if (width_ == 0 || height_ == 0)
            return why::kEmpty;
        if (!IsRunLength(header_.bytImageType) && bytes_ * width_ > kMaxRowBytes)
            return why::kTooWide;
        return std::nullopt;
    }

    // Converts `count` pixels from file bytes into colours_ and alphas_.
    // Returns how many were converted: fewer when an index falls outside the
    // colour map.
    int Convert(const std::uint8_t* p, int count)
    {
        Colour* colours = colours_.data();
        std::uint8_t* alphas = alphas_.data();
        switch (bytes_) {
        case 1: {
            const int first = header_.intColorMapFirst;
            const int entries = static_cast<int>(paletteColours_.size());
            for (int i = 0; i < count; ++i) {
                const int index = p[i] - first;
                if (index < 0 || index >= entries)
                    return i;
                colours[i] = paletteColours_[static_cast<std::size_t>(index)];
                alphas[i] = paletteAlphas_[static_cast<std::size_t>(index)];
            }
            return count;
        }
        case 2:
            for (int i = 0; i < count; ++i)
                colours[i] = FromFiveBit(p[2 * i], p[2 * i + 1]);
            return count;
        case 3:
            for (int i = 0; i < count; ++i)
                colours[i] = MakeColour(p[3 * i + 2], p[3 * i + 1], p[3 * i]);
            return count;
        default:
            for (int i = 0; i < count; ++i) {
                std::uint32_t bgra = 0;
                std::memcpy(&bgra, p + 4 * i, 4);
                colours[i] = (bgra >> 16 & 0xFF) | (bgra & 0xFF00) | (bgra & 0xFF) << 16;
                alphas[i] = static_cast<std::uint8_t>(bgra >> 24);
            }
            return count;
        }
    }

    int SurfaceY() const { return topDown_ ? row_ : height_ - 1 - row_; }

    // Paints converted pixels [at, at + count) at the current column.
    void PaintConverted(int at, int count)
    {
        if (count == 0)
            return;
        int x = column_;
        if (rightToLeft_) {
            std::reverse(colours_.begin() + at, colours_.begin() + at + count);
            std::reverse(alphas_.begin() + at, alphas_.begin() + at + count);
            x = width_ - column_ - count;
        }
        if (blend_)
            target_.BlendPixels(x, SurfaceY(), colours_.data() + at, alphas_.data() + at, count);
        else
            target_.PaintPixels(x, SurfaceY(), colours_.data() + at, count);
    }

    void PaintRunAtColumn(int count, Colour colour, int alpha)
    {
        const int x = rightToLeft_ ? width_ - column_ - count : column_;
        if (blend_)
            target_.BlendRun(x, SurfaceY(), count, colour, alpha);
        else
            target_.PaintRun(x, SurfaceY(), count, colour);
    }

    // Moves on to the next row; shows progress once every 32 rows and after
    // the last. False when the program asked painting to stop.
    bool FinishRow()
    {
        ++row_;
        column_ = 0;
        if ((height_ - row_) % 32 != 0)
            return true;
        target_.Refresh();
        return target_.YieldToEvents();
    }

    std::optional<std::string> EndsEarly()
    {
        target_.Refresh();
        return why::kEndsEarly;
    }

    std::optional<std::string> DecodeUncompressed()
    {
        const std::size_t rowBytes = static_cast<std::size_t>(bytes_ * width_);
        while (row_ < height_) {
            std::size_t got = 0;
            const std::uint8_t* data = in_.Take(rowBytes, got);
            const int whole = static_cast<int>(got) / bytes_;
            const int converted = Convert(data, whole);
            PaintConverted(0, converted);
            if (converted < whole)
                return why::kOutsideMap;
            if (got < rowBytes)
                return EndsEarly();
            if (!FinishRow())
                return std::nullopt;
        }
        return std::nullopt;
    }

    // Pixels still to paint; a packet's surplus beyond them is never decoded.
    std::int64_t PixelsLeft() const
    {
        return static_cast<std::int64_t>(height_ - row_) * width_ - column_;
    }

    std::optional<std::string> DecodeRunLength()
    {
        while (row_ < height_) {
            std::uint8_t packet = 0;
            if (!in_.Byte(packet))
                return EndsEarly();
            const int count = (packet & 127) + 1;
            if (packet < 128) {
                const std::size_t want = static_cast<std::size_t>(count * bytes_);
                std::size_t got = 0;
                const std::uint8_t* data = in_.Take(want, got);
                const int whole = static_cast<int>(std::min<std::int64_t>(static_cast<int>(got) / bytes_, PixelsLeft()));
                const int converted = Convert(data, whole);
                for (int done = 0; done < converted;) {
                    const int span = std::min(converted - done, width_ - column_);
                    PaintConverted(done, span);
                    done += span;
                    column_ += span;
                    if (column_ == width_ && !FinishRow())
                        return std::nullopt;
                }
                if (converted < whole)
                    return why::kOutsideMap;
                if (got < want && row_ < height_)
                    return EndsEarly();
                continue;
            }
            std::size_t got = 0;
            const std::uint8_t* value = in_.Take(static_cast<std::size_t>(bytes_), got);
            if (got < static_cast<std::size_t>(bytes_))
                return EndsEarly();
            if (Convert(value, 1) == 0)
                return why::kOutsideMap;
            const Colour colour = colours_[0];
            const int alpha = alphas_[0];
            for (int left = count; left > 0 && row_ < height_;) {
                const int span = std::min(left, width_ - column_);
                PaintRunAtColumn(span, colour, alpha);
                left -= span;
                column_ += span;
                if (column_ == width_ && !FinishRow())
                    return std::nullopt;
            }
        }
        return std::nullopt;
    }

    Input& in_;
    PaintTarget& target_;
    const TargaHeader& header_;
    const int width_;
    const int height_;
    const int bytes_;
    const bool topDown_;
    const bool rightToLeft_;
    bool blend_ = false;
    bool mapHasAlpha_ = false;
    std::vector<Colour> paletteColours_;
    std::vector<std::uint8_t> paletteAlphas_;
    std::vector<Colour> colours_;
    std::vector<std::uint8_t> alphas_;
    int row_ = 0;
    int column_ = 0;
};

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
    switch (header.bytImageType) {
    case 3: case 11: case 32: case 33:
        return messages::kTypeNotSupported;
    default:
        break;
    }
    switch (header.bytPixelDepth) {
    case 8: case 16: case 24: case 32:
        break;
    default:
        return messages::kDepthNotSupported;
    }
    // Types this decoder does not handle are refused out loud: a silent
    // return would leave the user staring at an unchanged window.
    if (!IsColourMapped(header.bytImageType) && !IsTrueColour(header.bytImageType))
        return messages::kTypeNotSupported;
    try {
        Decoder decoder(in, target, header);
        if (auto failure = decoder.Run())
            return ReadError(*failure);
    } catch (const std::bad_alloc&) {
        return ReadError(why::kNoMemory);
    }
    return std::nullopt;
}

// The whole file's bytes: mapped where it is a regular file, read otherwise.
class FileBytes {
public:
    // Fills `error` with the system's reason when the file cannot be read.
    FileBytes(const std::string& path, std::string& error)
    {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat info {};
        if (fd < 0 || ::fstat(fd, &info) != 0) {
            error = std::strerror(errno);
        } else if (S_ISDIR(info.st_mode)) {
            error = std::strerror(EISDIR);
        } else if (S_ISREG(info.st_mode) && info.st_size > 0) {
            size_ = static_cast<std::size_t>(info.st_size);
            void* memory = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd, 0);
            if (memory == MAP_FAILED)
                error = std::strerror(errno);
            else
                mapped_ = memory;
        } else {
            ReadAll(fd, error);
        }
        if (fd >= 0)
            ::close(fd);
    }

    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;
    ~FileBytes()
    {
        if (mapped_)
            ::munmap(mapped_, size_);
    }

    std::span<const std::uint8_t> Bytes() const
    {
        if (mapped_)
            return {static_cast<const std::uint8_t*>(mapped_), size_};
        return read_;
    }
    bool Mapped() const { return mapped_ != nullptr; }

private:
    void ReadAll(int fd, std::string& error)
    {
        std::uint8_t block[65536];
        for (;;) {
            const ssize_t got = ::read(fd, block, sizeof block);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                error = std::strerror(errno);
            if (got <= 0)
                return;
            read_.insert(read_.end(), block, block + got);
        }
    }

    void* mapped_ = nullptr;
    std::size_t size_ = 0;
    std::vector<std::uint8_t> read_;
};

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
