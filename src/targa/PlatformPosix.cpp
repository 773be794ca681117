#include "targa/Platform.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace targa::platform {

void* Reserve(std::size_t bytes)
{
    void* memory = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (memory == MAP_FAILED)
        return nullptr;
    // Large pictures fault in far faster in huge pages; where the system refuses, small pages do.
    ::madvise(memory, bytes, MADV_HUGEPAGE);
    return memory;
}

void Free(void* memory, std::size_t bytes) { ::munmap(memory, bytes); }

namespace {

void ReadAll(int fd, std::vector<std::uint8_t>& bytes, std::string& error)
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
        bytes.insert(bytes.end(), block, block + got);
    }
}

} // namespace

void Open(const std::string& path, MappedFile& file, std::string& error)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0) {
        error = std::strerror(errno);
    } else if (S_ISREG(info.st_mode) && info.st_size > 0) {
        const auto size = static_cast<std::size_t>(info.st_size);
        void* memory = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (memory == MAP_FAILED) {
            error = std::strerror(errno);
        } else {
            file.mapped = static_cast<const std::uint8_t*>(memory);
            file.size = size;
        }
    } else {
        ReadAll(fd, file.read, error);
    }
    if (fd >= 0)
        ::close(fd);
}

void Unmap(MappedFile& file)
{
    if (file.mapped)
        ::munmap(const_cast<std::uint8_t*>(file.mapped), file.size);
    file.mapped = nullptr;
}

void Release(const std::uint8_t* from, const std::uint8_t* to)
{
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const std::uintptr_t first = (reinterpret_cast<std::uintptr_t>(from) + page - 1) / page * page;
    const std::uintptr_t last = reinterpret_cast<std::uintptr_t>(to) / page * page;
    if (last > first)
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_DONTNEED);
}

} // namespace targa::platform
