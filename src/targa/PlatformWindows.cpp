#include "targa/Platform.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace targa::platform {

namespace {

std::string Reason(DWORD code)
{
    wchar_t* text = nullptr;
    const DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string reason;
    if (length > 0) {
        const int bytes =
            ::WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
        reason.resize(static_cast<std::size_t>(bytes));
        ::WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), reason.data(), bytes, nullptr, nullptr);
        while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r'))
            reason.pop_back();
    }
    ::LocalFree(text);
    return reason.empty() ? "error " + std::to_string(code) : reason;
}

std::wstring Wide(const std::string& utf8)
{
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
    return wide;
}

} // namespace

void* Reserve(std::size_t bytes)
{
    // Committed memory is zeroed and given a page as it is first touched.
    return ::VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void Free(void* memory, std::size_t) { ::VirtualFree(memory, 0, MEM_RELEASE); }

void Open(const std::string& path, MappedFile& file, std::string& error)
{
    const HANDLE handle = ::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        error = Reason(::GetLastError());
        return;
    }
    LARGE_INTEGER size{};
    if (::GetFileType(handle) == FILE_TYPE_DISK && ::GetFileSizeEx(handle, &size) && size.QuadPart > 0) {
        const HANDLE mapping = ::CreateFileMappingW(handle, nullptr, PAGE_READONLY, 0, 0, nullptr);
        const void* view = mapping ? ::MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0) : nullptr;
        if (!view) {
            error = Reason(::GetLastError());
        } else {
            file.mapped = static_cast<const std::uint8_t*>(view);
            file.size = static_cast<std::size_t>(size.QuadPart);
        }
        if (mapping)
            ::CloseHandle(mapping); // the view keeps the mapping open
    } else {
        std::uint8_t block[65536];
        for (DWORD got = 0;; file.read.insert(file.read.end(), block, block + got)) {
            if (!::ReadFile(handle, block, sizeof block, &got, nullptr)) {
                if (const DWORD code = ::GetLastError(); code != ERROR_BROKEN_PIPE && code != ERROR_HANDLE_EOF)
                    error = Reason(code);
                break;
            }
            if (got == 0)
                break;
        }
    }
    ::CloseHandle(handle);
}

void Unmap(MappedFile& file)
{
    if (file.mapped)
        ::UnmapViewOfFile(file.mapped);
    file.mapped = nullptr;
}

void Release(const std::uint8_t* from, const std::uint8_t* to)
{
    SYSTEM_INFO info;
    ::GetSystemInfo(&info);
    const std::uintptr_t page = info.dwPageSize;
    const std::uintptr_t first = (reinterpret_cast<std::uintptr_t>(from) + page - 1) / page * page;
    const std::uintptr_t last = reinterpret_cast<std::uintptr_t>(to) / page * page;
    // Unlocking pages that are not locked takes them out of the working set, as the pages of a file read once
    // should be.
    if (last > first)
        ::VirtualUnlock(reinterpret_cast<void*>(first), last - first);
}

} // namespace targa::platform
