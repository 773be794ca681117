#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The few calls of the operating system that the decoder and the surface make, behind one seam: POSIX in
// PlatformPosix.cpp, Windows in PlatformWindows.cpp.
namespace targa::platform {

// Zeroed memory of `bytes` whose pages the system provides as they are first touched; null where it has none.
void* Reserve(std::size_t bytes);
void Free(void* memory, std::size_t bytes);

// A file's bytes mapped read-only, or read where the file cannot be mapped (a pipe, an empty file).
struct MappedFile {
    const std::uint8_t* mapped = nullptr;
    std::size_t size = 0;
    std::vector<std::uint8_t> read;
    void* handle = nullptr; // the system's, for Unmap
};
// `path` is as the system names files: bytes on POSIX, UTF-8 on Windows. Fills `error` with the system's
// reason where the file cannot be read.
void Open(const std::string& path, MappedFile& file, std::string& error);
void Unmap(MappedFile& file);
// Hands the pages of a mapped file from `from` to `to` back to the system; they were read and are not needed.
void Release(const std::uint8_t* from, const std::uint8_t* to);

} // namespace targa::platform
