#include "page_file.h"

#include <cerrno>
#include <utility>

#include "ntx_error.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace rt::ntx {

PageFile::PageFile(PageFile&& other) noexcept
    : handle_(std::exchange(other.handle_, invalid)), path_(std::move(other.path_)) {}

PageFile& PageFile::operator=(PageFile&& other) noexcept {
    if (this != &other) {
        close();
        handle_ = std::exchange(other.handle_, invalid);
        path_ = std::move(other.path_);
    }
    return *this;
}

PageFile::~PageFile() { close(); }

#ifdef _WIN32

namespace {
HANDLE h(intptr_t v) { return reinterpret_cast<HANDLE>(v); }
OVERLAPPED at(uint64_t off) {
    OVERLAPPED o{};
    o.Offset = static_cast<DWORD>(off);
    o.OffsetHigh = static_cast<DWORD>(off >> 32);
    return o;
}
}  // namespace

PageFile PageFile::open(const std::string& path, OpenMode mode) {
    DWORD access = mode == OpenMode::ReadOnly ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    DWORD disposition = mode == OpenMode::Create ? CREATE_ALWAYS : OPEN_EXISTING;
    HANDLE fh = CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
    if (fh == INVALID_HANDLE_VALUE) {
        int code = mode == OpenMode::Create ? eg::Create : eg::Open;
        throw NtxError(code, path, "Cannot open index file", static_cast<int>(GetLastError()));
    }
    PageFile f;
    f.handle_ = reinterpret_cast<intptr_t>(fh);
    f.path_ = path;
    return f;
}

size_t PageFile::read(uint64_t off, void* buf, size_t n) const {
    OVERLAPPED o = at(off);
    DWORD got = 0;
    if (!ReadFile(h(handle_), buf, static_cast<DWORD>(n), &got, &o) && GetLastError() != ERROR_HANDLE_EOF)
        throw NtxError(eg::Read, path_, "Read error on index file", static_cast<int>(GetLastError()));
    return got;
}

void PageFile::write(uint64_t off, const void* buf, size_t n) {
    OVERLAPPED o = at(off);
    DWORD put = 0;
    if (!WriteFile(h(handle_), buf, static_cast<DWORD>(n), &put, &o) || put != n)
        throw NtxError(eg::Write, path_, "Write error on index file", static_cast<int>(GetLastError()));
}

uint64_t PageFile::size() const {
    LARGE_INTEGER s{};
    GetFileSizeEx(h(handle_), &s);
    return static_cast<uint64_t>(s.QuadPart);
}

void PageFile::truncate(uint64_t size) {
    LARGE_INTEGER s{};
    s.QuadPart = static_cast<LONGLONG>(size);
    if (!SetFilePointerEx(h(handle_), s, nullptr, FILE_BEGIN) || !SetEndOfFile(h(handle_)))
        throw NtxError(eg::Write, path_, "Cannot resize index file", static_cast<int>(GetLastError()));
}

void PageFile::sync() { FlushFileBuffers(h(handle_)); }

bool PageFile::lock(uint64_t off, uint64_t len, bool exclusive, bool wait) {
    OVERLAPPED o = at(off);
    DWORD flags = (exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0) | (wait ? 0 : LOCKFILE_FAIL_IMMEDIATELY);
    return LockFileEx(h(handle_), flags, 0, static_cast<DWORD>(len), static_cast<DWORD>(len >> 32), &o) != 0;
}

void PageFile::unlock(uint64_t off, uint64_t len) {
    OVERLAPPED o = at(off);
    UnlockFileEx(h(handle_), 0, static_cast<DWORD>(len), static_cast<DWORD>(len >> 32), &o);
}

void PageFile::close() {
    if (handle_ == invalid) return;
    CloseHandle(h(std::exchange(handle_, invalid)));
}

#else

namespace {
int fd(intptr_t v) { return static_cast<int>(v); }
}  // namespace

PageFile PageFile::open(const std::string& path, OpenMode mode) {
    int flags = mode == OpenMode::ReadOnly ? O_RDONLY : O_RDWR;
    if (mode == OpenMode::Create) flags |= O_CREAT | O_TRUNC;
    int f = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
    if (f < 0) {
        int code = mode == OpenMode::Create ? eg::Create : eg::Open;
        throw NtxError(code, path, "Cannot open index file", errno);
    }
    PageFile pf;
    pf.handle_ = f;
    pf.path_ = path;
    return pf;
}

size_t PageFile::read(uint64_t off, void* buf, size_t n) const {
    size_t done = 0;
    while (done < n) {
        ssize_t r = ::pread(fd(handle_), static_cast<char*>(buf) + done, n - done, static_cast<off_t>(off + done));
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) throw NtxError(eg::Read, path_, "Read error on index file", errno);
        if (r == 0) break;
        done += static_cast<size_t>(r);
    }
    return done;
}

void PageFile::write(uint64_t off, const void* buf, size_t n) {
    size_t done = 0;
    while (done < n) {
        ssize_t r =
            ::pwrite(fd(handle_), static_cast<const char*>(buf) + done, n - done, static_cast<off_t>(off + done));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) throw NtxError(eg::Write, path_, "Write error on index file", errno);
        done += static_cast<size_t>(r);
    }
}

uint64_t PageFile::size() const {
    struct stat st {};
    if (::fstat(fd(handle_), &st) != 0) return 0;
    return static_cast<uint64_t>(st.st_size);
}

void PageFile::truncate(uint64_t size) {
    if (::ftruncate(fd(handle_), static_cast<off_t>(size)) != 0)
        throw NtxError(eg::Write, path_, "Cannot resize index file", errno);
}

void PageFile::sync() { ::fsync(fd(handle_)); }

bool PageFile::lock(uint64_t off, uint64_t len, bool exclusive, bool wait) {
    // Open-file-description locks: two handles of one process conflict, as on Windows.
    struct flock fl {};
    fl.l_type = exclusive ? F_WRLCK : F_RDLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = static_cast<off_t>(off);
    fl.l_len = static_cast<off_t>(len);
    while (::fcntl(fd(handle_), wait ? F_OFD_SETLKW : F_OFD_SETLK, &fl) != 0) {
        if (errno != EINTR) return false;
    }
    return true;
}

void PageFile::unlock(uint64_t off, uint64_t len) {
    struct flock fl {};
    fl.l_type = F_UNLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = static_cast<off_t>(off);
    fl.l_len = static_cast<off_t>(len);
    ::fcntl(fd(handle_), F_OFD_SETLK, &fl);
}

void PageFile::close() {
    if (handle_ == invalid) return;
    ::close(fd(std::exchange(handle_, invalid)));
}

#endif

}  // namespace rt::ntx
