// Win32 side of File: CreateFileA share flags and LockFileEx give the sharing rules natively.
#ifdef _WIN32
#include <windows.h>

#include <algorithm>

#include "file.h"

namespace rt::rdd {

namespace {

HANDLE h(intptr_t v) { return reinterpret_cast<HANDLE>(v); }

int mapError(DWORD e) {
    switch (e) {
    case ERROR_FILE_NOT_FOUND: return oserr::NotFound;
    case ERROR_PATH_NOT_FOUND: return oserr::PathNotFound;
    case ERROR_ACCESS_DENIED: return oserr::Access;
    case ERROR_SHARING_VIOLATION: return oserr::Sharing;
    case ERROR_LOCK_VIOLATION: return oserr::LockViolation;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return oserr::Exists;
    default: return static_cast<int>(e);
    }
}

DWORD shareFlags(Share share) { return share == Share::Exclusive ? 0 : FILE_SHARE_READ | FILE_SHARE_WRITE; }

OVERLAPPED at(uint64_t offset) {
    OVERLAPPED o{};
    o.Offset = static_cast<DWORD>(offset);
    o.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return o;
}

}  // namespace

int File::open(const std::string& path, bool writable, Share share) {
    close();
    DWORD access = GENERIC_READ | (writable ? GENERIC_WRITE : 0);
    HANDLE f = CreateFileA(path.c_str(), access, shareFlags(share), nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE) return mapError(GetLastError());
    handle_ = reinterpret_cast<intptr_t>(f);
    path_ = path;
    return 0;
}

int File::create(const std::string& path, Share share) {
    close();
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, shareFlags(share), nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return mapError(GetLastError());
    handle_ = reinterpret_cast<intptr_t>(f);
    path_ = path;
    return 0;
}

void File::close() {
    if (handle_ == -1) return;
    CloseHandle(h(handle_));
    handle_ = -1;
}

size_t File::readAt(uint64_t offset, void* buffer, size_t n) const {
    size_t done = 0;
    auto* p = static_cast<char*>(buffer);
    while (done < n) {
        OVERLAPPED o = at(offset + done);
        DWORD chunk = static_cast<DWORD>(n - done > 0x40000000 ? 0x40000000 : n - done);
        DWORD got = 0;
        if (!ReadFile(h(handle_), p + done, chunk, &got, &o) || got == 0) break;
        done += got;
    }
    return done;
}

bool File::writeAt(uint64_t offset, const void* data, size_t n) {
    size_t done = 0;
    const auto* p = static_cast<const char*>(data);
    while (done < n) {
        OVERLAPPED o = at(offset + done);
        DWORD chunk = static_cast<DWORD>(n - done > 0x40000000 ? 0x40000000 : n - done);
        DWORD put = 0;
        if (!WriteFile(h(handle_), p + done, chunk, &put, &o) || put == 0) return false;
        done += put;
    }
    return true;
}

uint64_t File::size() const {
    LARGE_INTEGER s{};
    if (!GetFileSizeEx(h(handle_), &s)) return 0;
    return static_cast<uint64_t>(s.QuadPart);
}

bool File::truncate(uint64_t length) {
    LARGE_INTEGER pos{};
    pos.QuadPart = static_cast<LONGLONG>(length);
    return SetFilePointerEx(h(handle_), pos, nullptr, FILE_BEGIN) && SetEndOfFile(h(handle_));
}

bool File::flush() { return FlushFileBuffers(h(handle_)) != 0; }

bool File::lock(uint64_t offset, uint64_t length, LockKind kind, bool wait) {
    if (handle_ == -1 || length == 0) return false;
    OVERLAPPED o = at(offset);
    DWORD flags = (kind == LockKind::Exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0) | (wait ? 0 : LOCKFILE_FAIL_IMMEDIATELY);
    return LockFileEx(h(handle_), flags, 0, static_cast<DWORD>(length), static_cast<DWORD>(length >> 32), &o) != 0;
}

void File::unlock(uint64_t offset, uint64_t length) {
    if (handle_ == -1 || length == 0) return;
    OVERLAPPED o = at(offset);
    UnlockFileEx(h(handle_), 0, static_cast<DWORD>(length), static_cast<DWORD>(length >> 32), &o);
}

bool FileView::map(File& file, uint64_t offset, size_t length, bool) {
    unmap();
    if (!file.isOpen() || length == 0) return false;
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    const uint64_t grain = info.dwAllocationGranularity ? info.dwAllocationGranularity : 65536;
    const uint64_t start = offset / grain * grain;
    const uint64_t end = offset + length;
    // The file grows by real writes first: a section would grow it too, but then a full disk would surface as
    // a fault on some later store instead of as a refusal here.
    static const char zeros[65536] = {};
    for (uint64_t at = file.size(); at < end; at += sizeof zeros) {
        if (!file.writeAt(at, zeros, static_cast<size_t>(std::min<uint64_t>(sizeof zeros, end - at)))) return false;
    }
    HANDLE section = CreateFileMappingA(h(file.handle_), nullptr, PAGE_READWRITE, static_cast<DWORD>(end >> 32),
                                        static_cast<DWORD>(end), nullptr);
    if (!section) return false;
    void* base = MapViewOfFile(section, FILE_MAP_WRITE, static_cast<DWORD>(start >> 32), static_cast<DWORD>(start),
                               static_cast<SIZE_T>(end - start));
    if (!base) {
        CloseHandle(section);
        return false;
    }
    adopt(base, start, offset, length);
    section_ = reinterpret_cast<intptr_t>(section);
    return true;
}

bool FileView::mapRead(const File& file, uint64_t offset, size_t length) {
    unmap();
    if (!file.isOpen() || length == 0 || offset + length > file.size()) return false;
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    const uint64_t grain = info.dwAllocationGranularity ? info.dwAllocationGranularity : 65536;
    const uint64_t start = offset / grain * grain;
    HANDLE section = CreateFileMappingA(h(file.handle_), nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (!section) return false;
    void* base = MapViewOfFile(section, FILE_MAP_READ, static_cast<DWORD>(start >> 32), static_cast<DWORD>(start),
                               static_cast<SIZE_T>(offset + length - start));
    if (!base) {
        CloseHandle(section);
        return false;
    }
    adopt(base, start, offset, length);
    section_ = reinterpret_cast<intptr_t>(section);
    return true;
}

// A section cannot grow under a mapped view of it: the caller maps anew.
bool FileView::extend(File&, size_t, bool) { return false; }

void FileView::unmap() {
    if (!base_) return;
    UnmapViewOfFile(base_);
    CloseHandle(h(section_));
    forget();
}

bool fileExists(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

int eraseFile(const std::string& path) { return DeleteFileA(path.c_str()) ? 0 : mapError(GetLastError()); }

int renameFile(const std::string& from, const std::string& to) {
    if (GetFileAttributesA(to.c_str()) != INVALID_FILE_ATTRIBUTES) return oserr::Exists;
    return MoveFileA(from.c_str(), to.c_str()) ? 0 : mapError(GetLastError());
}

// Windows file names are already case-insensitive.
std::string resolveCase(const std::string& path) { return path; }

}  // namespace rt::rdd
#endif
