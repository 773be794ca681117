#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace targa {

// Where the decoder's bytes come from. Reads are sequential; ReadAt reaches the
// TGA 2.0 footer without disturbing the sequential position.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::size_t Read(std::uint8_t* dst, std::size_t count) = 0;
    virtual std::size_t ReadAt(std::uint64_t offset, std::uint8_t* dst, std::size_t count) = 0;
    virtual std::uint64_t Size() const = 0;
};

class FileSource final : public ByteSource {
public:
    // Returns null and fills `error` with the system's reason when the file cannot be opened.
    static std::unique_ptr<FileSource> Open(const std::string& path, std::string& error);
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    std::size_t Read(std::uint8_t* dst, std::size_t count) override;
    std::size_t ReadAt(std::uint64_t offset, std::uint8_t* dst, std::size_t count) override;
    std::uint64_t Size() const override { return size_; }

private:
    FileSource(int fd, std::uint64_t size) : fd_(fd), size_(size) {}
    int fd_;
    std::uint64_t size_;
};

class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::size_t Read(std::uint8_t* dst, std::size_t count) override;
    std::size_t ReadAt(std::uint64_t offset, std::uint8_t* dst, std::size_t count) override;
    std::uint64_t Size() const override { return bytes_.size(); }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

// Buffers a source so that single bytes cost no system call, while large
// blocks (whole rows) go straight from the source to their destination.
class ByteReader {
public:
    explicit ByteReader(ByteSource& source)
        : source_(source), buffer_(source.Size() > 0 && source.Size() < kBufferSize ? source.Size() : kBufferSize)
    {
    }

    // False at the end of the data.
    bool ReadByte(std::uint8_t& value)
    {
        if (next_ == end_ && !Fill())
            return false;
        value = buffer_[next_++];
        return true;
    }
    // Returns how many bytes were read; fewer than `count` only at the end of the data.
    std::size_t ReadBlock(std::uint8_t* dst, std::size_t count);
    // Reads `count` bytes, in place in the buffer where they fit, otherwise
    // into `scratch`; returns where they are and sets `got` to how many were
    // read (fewer only at the end of the data).
    const std::uint8_t* Take(std::size_t count, std::uint8_t* scratch, std::size_t& got);
    std::size_t Skip(std::size_t count);
    ByteSource& Source() { return source_; }

private:
    static constexpr std::size_t kBufferSize = 64 * 1024;
    bool Fill();
    // `count` contiguous bytes in the buffer, or null when they do not fit.
    const std::uint8_t* Peek(std::size_t count);

    ByteSource& source_;
    std::vector<std::uint8_t> buffer_;
    std::size_t next_ = 0;
    std::size_t end_ = 0;
};

} // namespace targa
