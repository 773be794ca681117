#pragma once

#include "targa/Platform.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace targa {

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
    void Release();

    std::span<const std::uint8_t> file_;
    bool mapped_;
    std::size_t at_ = 0;
    std::size_t released_ = 0;
};

// The whole file's bytes: mapped where it is a regular file, read otherwise.
class FileBytes {
public:
    // Fills `error` with the system's reason when the file cannot be read.
    FileBytes(const std::string& path, std::string& error);

    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;
    ~FileBytes();

    std::span<const std::uint8_t> Bytes() const
    {
        if (file_.mapped)
            return {file_.mapped, file_.size};
        return file_.read;
    }
    bool Mapped() const { return file_.mapped != nullptr; }

private:
    platform::MappedFile file_;
};

} // namespace targa
