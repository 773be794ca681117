#include "targa/TargaFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace targa {

void Input::Release()
{
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(file_.data());
    const std::uintptr_t from = (start + released_ + page - 1) / page * page;
    const std::uintptr_t to = (start + at_) / page * page;
    if (to > from)
        ::madvise(reinterpret_cast<void*>(from), to - from, MADV_DONTNEED);
    released_ = at_;
}

FileBytes::FileBytes(const std::string& path, std::string& error)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0) {
        error = std::strerror(errno);
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

FileBytes::~FileBytes()
{
    if (mapped_)
        ::munmap(mapped_, size_);
}

void FileBytes::ReadAll(int fd, std::string& error)
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

} // namespace targa
