#include "targa/TargaDecoder.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

namespace targa {

namespace {

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

class Decoder {
public:
    Decoder(Input& in, PaintTarget& target, const TargaHeader& header)
        : in_(in), target_(target), header_(header), width_(header.width), height_(header.height),
          bytesPerPixel_(header.pixelDepth / 8), topDown_(header.descriptor & kDescriptorTopDown),
          rightToLeft_(header.descriptor & kDescriptorRightToLeft)
    {
    }

    Decoded Run()
    {
        Decoded decoded;
        decoded.failure = Paint();
        ShowPainted(); // rows a failure left unshown
        decoded.painted = painted_;
        decoded.alpha = blend_ || attributeAlpha_;
        return decoded;
    }

private:
    std::optional<std::string> Paint()
    {
        if (auto failure = ReadColourMap())
            return failure;
        if (auto failure = CheckSize())
            return failure;
        const bool hasAlpha = bytesPerPixel_ == 4 || (bytesPerPixel_ == 1 && mapHasAlpha_);
        blend_ = hasAlpha && AlphaIsTransparency(header_, in_.File());
        // The attribute bit of 16-bit pixels is painted opaque, as always, but marks shapes.
        attributeAlpha_ = bytesPerPixel_ == 2 && (header_.descriptor & kDescriptorAttributeBits) != 0;
        if (!target_.PrepareSurface(width_, height_))
            return why::kNoMemory;
        const std::size_t buffer = static_cast<std::size_t>(std::max(width_, 128));
        colours_.resize(buffer);
        alphas_.resize(buffer);
        return IsRunLength(TypeOf(header_)) ? DecodeRunLength() : DecodeUncompressed();
    }

    std::optional<std::string> ReadColourMap()
    {
        const int entrySize = header_.colorMapEntrySize;
        const int entryBytes = (entrySize + 7) / 8;
        const std::size_t mapBytes = std::size_t{header_.colorMapLength} * static_cast<std::size_t>(entryBytes);
        if (IsTrueColour(TypeOf(header_))) {
            if (header_.pixelDepth == 8)
                return why::kTrueColour8;
            if (header_.colorMapType == 1 && in_.Skip(mapBytes) < mapBytes)
                return why::kEndsEarly;
            return std::nullopt;
        }
        if (header_.pixelDepth != 8)
            return why::kMappedDepth;
        if (header_.colorMapType != 1 || header_.colorMapLength == 0)
            return why::kNoMap;
        if (entrySize != 15 && entrySize != 16 && entrySize != 24 && entrySize != 32)
            return "colour maps with " + std::to_string(entrySize) + "-bit entries are not supported";
        std::size_t got = 0;
        const std::uint8_t* raw = in_.Take(mapBytes, got);
        if (got < mapBytes)
            return why::kEndsEarly;
        // Indices are bytes: entries beyond 256 after the first can never be used.
        const std::size_t usable = std::min<std::size_t>(header_.colorMapLength, 256);
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
        if (!IsRunLength(TypeOf(header_)) && bytesPerPixel_ * width_ > kMaxRowBytes)
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
        switch (bytesPerPixel_) {
        case 1: {
            const int first = header_.colorMapFirst;
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
            for (int i = 0; i < count; ++i) {
                colours[i] = FromFiveBit(p[2 * i], p[2 * i + 1]);
                alphas[i] = p[2 * i + 1] & 0x80 ? 255 : 0;
            }
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

    // Rows painted since they were last shown.
    void NotePainted(int y)
    {
        painted_ = true;
        firstUnshown_ = std::min(firstUnshown_, y);
        lastUnshown_ = std::max(lastUnshown_, y);
    }

    void ShowPainted()
    {
        if (firstUnshown_ > lastUnshown_)
            return;
        target_.Refresh(firstUnshown_, lastUnshown_);
        firstUnshown_ = INT_MAX;
        lastUnshown_ = -1;
    }

    // Paints converted pixels [at, at + count) at the current column.
    void PaintConverted(int at, int count)
    {
        if (count == 0)
            return;
        NotePainted(SurfaceY());
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
        if (attributeAlpha_)
            target_.KeepAlphas(x, SurfaceY(), alphas_.data() + at, count);
    }

    void PaintRunAtColumn(int count, Colour colour, int alpha)
    {
        NotePainted(SurfaceY());
        const int x = rightToLeft_ ? width_ - column_ - count : column_;
        if (blend_)
            target_.BlendRun(x, SurfaceY(), count, colour, alpha);
        else
            target_.PaintRun(x, SurfaceY(), count, colour);
        if (attributeAlpha_) {
            std::fill_n(alphas_.begin(), count, static_cast<std::uint8_t>(alpha));
            target_.KeepAlphas(x, SurfaceY(), alphas_.data(), count);
        }
    }

    // Moves on to the next row; shows progress once every 32 rows and after
    // the last. False when the program asked painting to stop.
    bool FinishRow()
    {
        ++row_;
        column_ = 0;
        if ((height_ - row_) % 32 != 0)
            return true;
        ShowPainted();
        stopped_ = !target_.YieldToEvents();
        return !stopped_;
    }

    std::optional<std::string> DecodeUncompressed()
    {
        const std::size_t rowBytes = static_cast<std::size_t>(bytesPerPixel_ * width_);
        while (row_ < height_) {
            std::size_t got = 0;
            const std::uint8_t* data = in_.Take(rowBytes, got);
            const int whole = static_cast<int>(got) / bytesPerPixel_;
            const int converted = Convert(data, whole);
            PaintConverted(0, converted);
            if (converted < whole)
                return why::kOutsideMap;
            if (got < rowBytes)
                return why::kEndsEarly;
            if (!FinishRow())
                return std::nullopt;
        }
        return std::nullopt;
    }

    // Pixels still to paint; a packet's surplus beyond them is never decoded.
    std::int64_t PixelsLeft() const { return static_cast<std::int64_t>(height_ - row_) * width_ - column_; }

    std::optional<std::string> DecodeRunLength()
    {
        while (row_ < height_ && !stopped_) {
            std::uint8_t packet = 0;
            if (!in_.Byte(packet))
                return why::kEndsEarly;
            const int count = (packet & 127) + 1;
            if (auto failure = packet < 128 ? RawPacket(count) : RunPacket(count))
                return failure;
        }
        return std::nullopt;
    }

    // `count` pixels of their own, painted row by row.
    std::optional<std::string> RawPacket(int count)
    {
        const std::size_t want = static_cast<std::size_t>(count * bytesPerPixel_);
        std::size_t got = 0;
        const std::uint8_t* data = in_.Take(want, got);
        const int whole =
            static_cast<int>(std::min<std::int64_t>(static_cast<int>(got) / bytesPerPixel_, PixelsLeft()));
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
            return why::kEndsEarly;
        return std::nullopt;
    }

    // One pixel value `count` times, across row ends.
    std::optional<std::string> RunPacket(int count)
    {
        std::size_t got = 0;
        const std::uint8_t* value = in_.Take(static_cast<std::size_t>(bytesPerPixel_), got);
        if (got < static_cast<std::size_t>(bytesPerPixel_))
            return why::kEndsEarly;
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
        return std::nullopt;
    }

    Input& in_;
    PaintTarget& target_;
    const TargaHeader& header_;
    const int width_;
    const int height_;
    const int bytesPerPixel_;
    const bool topDown_;
    const bool rightToLeft_;
    bool blend_ = false;
    bool attributeAlpha_ = false;
    bool mapHasAlpha_ = false;
    std::vector<Colour> paletteColours_;
    std::vector<std::uint8_t> paletteAlphas_;
    std::vector<Colour> colours_;
    std::vector<std::uint8_t> alphas_;
    int row_ = 0;
    int column_ = 0;
    bool stopped_ = false; // the program asked painting to stop
    bool painted_ = false;
    int firstUnshown_ = INT_MAX;
    int lastUnshown_ = -1;
};

} // namespace

Decoded DecodePixels(Input& in, PaintTarget& target, const TargaHeader& header)
{
    return Decoder(in, target, header).Run();
}

} // namespace targa
