#include "targa/ByteSource.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace targa {

std::unique_ptr<FileSource> FileSource::Open(const std::string& path, std::string& error)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = std::strerror(errno);
        return nullptr;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        error = S_ISDIR(info.st_mode) ? std::strerror(EISDIR) : std::strerror(errno);
        ::close(fd);
        return nullptr;
    }
    const auto size = S_ISREG(info.st_mode) ? static_cast<std::uint64_t>(info.st_size) : 0;
    return std::unique_ptr<FileSource>(new FileSource(fd, size));
}

FileSource::~FileSource() { ::close(fd_); }

std::size_t FileSource::Read(std::uint8_t* dst, std::size_t count)
{
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = ::read(fd_, dst + done, count - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

std::size_t FileSource::ReadAt(std::uint64_t offset, std::uint8_t* dst, std::size_t count)
{
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = ::pread(fd_, dst + done, count - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

std::size_t MemorySource::Read(std::uint8_t* dst, std::size_t count)
{
    const std::size_t n = std::min(count, bytes_.size() - position_);
    if (n == 0)
        return 0;
    std::memcpy(dst, bytes_.data() + position_, n);
    position_ += n;
    return n;
}

std::size_t MemorySource::ReadAt(std::uint64_t offset, std::uint8_t* dst, std::size_t count)
{
    if (offset >= bytes_.size())
        return 0;
    const std::size_t n = std::min<std::uint64_t>(count, bytes_.size() - offset);
    std::memcpy(dst, bytes_.data() + offset, n);
    return n;
}

bool ByteReader::Fill()
{
    next_ = 0;
    end_ = source_.Read(buffer_.data(), buffer_.size());
    return end_ > 0;
}

std::size_t ByteReader::ReadBlock(std::uint8_t* dst, std::size_t count)
{
    const std::size_t buffered = std::min(count, end_ - next_);
    std::memcpy(dst, buffer_.data() + next_, buffered);
    next_ += buffered;
    std::size_t done = buffered;
    if (done == count)
        return done;
    if (count - done >= buffer_.size())
        return done + source_.Read(dst + done, count - done);
    if (!Fill())
        return done;
    const std::size_t more = std::min(count - done, end_);
    std::memcpy(dst + done, buffer_.data(), more);
    next_ = more;
    return done + more;
}

const std::uint8_t* ByteReader::Peek(std::size_t count)
{
    if (end_ - next_ >= count)
        return buffer_.data() + next_;
    if (count > buffer_.size())
        return nullptr;
    // Keep the tail, then top the buffer up behind it.
    const std::size_t tail = end_ - next_;
    std::memmove(buffer_.data(), buffer_.data() + next_, tail);
    next_ = 0;
    end_ = tail + source_.Read(buffer_.data() + tail, buffer_.size() - tail);
    return end_ >= count ? buffer_.data() : nullptr;
}

const std::uint8_t* ByteReader::Take(std::size_t count, std::uint8_t* scratch, std::size_t& got)
{
    if (const std::uint8_t* data = Peek(count)) {
        next_ += count;
        got = count;
        return data;
    }
    got = ReadBlock(scratch, count);
    return scratch;
}

std::size_t ByteReader::Skip(std::size_t count)
{
    std::size_t done = 0;
    std::uint8_t scratch[256];
    while (done < count) {
        const std::size_t step = std::min(count - done, sizeof scratch);
        const std::size_t got = ReadBlock(scratch, step);
        done += got;
        if (got < step)
            break;
    }
    return done;
}

} // namespace targa
