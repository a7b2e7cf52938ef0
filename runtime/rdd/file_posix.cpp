// POSIX side of File. Share modes are emulated with open-file-description locks on a byte far beyond any
// data or lock offset: a shared open holds a read lock on it, an exclusive open a write lock. OFD locks
// belong to the open file description, so two handles of one process conflict exactly as two processes do.
#ifndef _WIN32
#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdint>
#include <cstring>

#include "file.h"
#include "runtime/core/symbol.h"

namespace rt::rdd {

namespace {

constexpr off_t kShareByte = 0x4000000000000000LL;

int mapErrno(int e) {
    switch (e) {
    case ENOENT: return oserr::NotFound;
    case ENOTDIR: return oserr::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS: return oserr::Access;
    case EEXIST: return oserr::Exists;
    case EAGAIN: return oserr::Sharing;
    default: return oserr::Other;
    }
}

bool ofdLock(int fd, short type, off_t start, off_t length, bool wait = false) {
    struct flock fl {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = start;
    fl.l_len = length;
    while (fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &fl) != 0)
        if (errno != EINTR) return false;
    return true;
}

// Appending views are laid out in extents of this size, aligned alike in the file and in memory: the file
// grows by whole extents, each written by one call, so the system can keep each in one large page of its file
// cache and map it with one entry. Mapped a small page at a time, the first store into each page costs a fault
// of its own even when the pages were made present beforehand, which virtual machines make dear (measured on
// one: ~7 us a page, ~45 ms for the 25 MB of a million 25-byte records; ~0.3 us a page in whole extents).
constexpr uint64_t kExtent = 2 << 20;

uint64_t extentEnd(uint64_t end) { return (end + kExtent - 1) / kExtent * kExtent; }

// Grows the file to `end` bytes by writing zeros, each call ending on an extent boundary. Reserving the blocks
// instead (posix_fallocate) leaves them unwritten, and the first store through a view into each such page then
// costs several times as much (measured: 25 MB of records stored 2-4 times slower, most of all in virtual
// machines). A full disk is still refused here, by the write, not by a signal on a later store.
bool growWithZeros(int fd, uint64_t size, uint64_t end) {
    // Never written, so every page of it is the system's one zero page: reading it costs no memory.
    static char zeros[kExtent];
    while (size < end) {
        const uint64_t stop = std::min(end, size / kExtent * kExtent + kExtent);
        const ssize_t w = pwrite(fd, zeros, static_cast<size_t>(stop - size), static_cast<off_t>(size));
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) return false;
        size += static_cast<uint64_t>(w);
    }
    return true;
}

// Maps `length` bytes of the file from the page-aligned `start` at an address that lies as far from an extent
// boundary as `start` does, so whole extents of the file fall on whole extents of memory. MAP_FAILED when the
// system refuses. Given `old` (a mapping `oldLength` bytes long), that mapping moves there and lengthens to
// `length`, its pages still present, instead of a new mapping being made.
void* mapAligned(int fd, uint64_t start, size_t length, int prot, void* old = nullptr, size_t oldLength = 0) {
    const size_t span = length + static_cast<size_t>(kExtent);
    void* hold = mmap(nullptr, span, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (hold == MAP_FAILED) return MAP_FAILED;
    const auto first = reinterpret_cast<uintptr_t>(hold);
    const uintptr_t skew = static_cast<uintptr_t>((start % kExtent + kExtent - first % kExtent) % kExtent);
    char* at = reinterpret_cast<char*>(first + skew);
#ifdef MREMAP_FIXED
    void* base = old ? mremap(old, oldLength, length, MREMAP_MAYMOVE | MREMAP_FIXED, at)
                     : mmap(at, length, prot, MAP_SHARED | MAP_FIXED, fd, static_cast<off_t>(start));
#else
    void* base = old ? MAP_FAILED : mmap(at, length, prot, MAP_SHARED | MAP_FIXED, fd, static_cast<off_t>(start));
    (void)oldLength;
#endif
    if (base == MAP_FAILED) {
        munmap(hold, span);
        return MAP_FAILED;
    }
    // What is left of the reservation on either side.
    if (skew) munmap(hold, skew);
    if (skew + length < span) munmap(at + length, span - skew - length);
    return base;
}

bool takeShare(int fd, Share share) { return ofdLock(fd, share == Share::Exclusive ? F_WRLCK : F_RDLCK, kShareByte, 1); }

// True when some handle, in this process or another, has the file open through File.
bool heldOpen(const std::string& path) {
    // A write lock needs a descriptor open for writing.
    int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) return false;
    bool held = !takeShare(fd, Share::Exclusive);
    ::close(fd);
    return held;
}

}  // namespace

int File::open(const std::string& path, bool writable, Share share) {
    close();
    // The exclusive share lock is a write lock, which needs a descriptor open for writing: read-only
    // opens use one too when the file allows it, and only fall back to a shared lock when it does not.
    int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0 && !writable && (errno == EACCES || errno == EROFS || errno == EPERM)) {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        share = Share::Shared;
    }
    if (fd < 0) return mapErrno(errno);
    struct stat st {};
    if (fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        return oserr::Access;
    }
    if (!takeShare(fd, share)) {
        ::close(fd);
        return oserr::Sharing;
    }
    handle_ = fd;
    path_ = path;
    return 0;
}

int File::create(const std::string& path, Share share) {
    close();
    // Take the share lock before emptying, so a file another handle holds is never truncated under it.
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return mapErrno(errno);
    if (!takeShare(fd, share)) {
        ::close(fd);
        return oserr::Sharing;
    }
    if (ftruncate(fd, 0) != 0) {
        int e = mapErrno(errno);
        ::close(fd);
        return e;
    }
    handle_ = fd;
    path_ = path;
    return 0;
}

void File::close() {
    if (handle_ < 0) return;
    ::close(static_cast<int>(handle_));
    handle_ = -1;
}

size_t File::readAt(uint64_t offset, void* buffer, size_t n) const {
    size_t done = 0;
    auto* p = static_cast<char*>(buffer);
    while (done < n) {
        ssize_t r = pread(static_cast<int>(handle_), p + done, n - done, static_cast<off_t>(offset + done));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) break;
        done += static_cast<size_t>(r);
    }
    return done;
}

bool File::writeAt(uint64_t offset, const void* data, size_t n) {
    size_t done = 0;
    const auto* p = static_cast<const char*>(data);
    while (done < n) {
        ssize_t w = pwrite(static_cast<int>(handle_), p + done, n - done, static_cast<off_t>(offset + done));
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) return false;
        done += static_cast<size_t>(w);
    }
    return true;
}

uint64_t File::size() const {
    struct stat st {};
    if (fstat(static_cast<int>(handle_), &st) != 0) return 0;
    return static_cast<uint64_t>(st.st_size);
}

bool File::truncate(uint64_t length) { return ftruncate(static_cast<int>(handle_), static_cast<off_t>(length)) == 0; }

bool File::flush() { return fdatasync(static_cast<int>(handle_)) == 0; }

bool File::lock(uint64_t offset, uint64_t length, LockKind kind, bool wait) {
    if (handle_ < 0 || length == 0) return false;
    return ofdLock(static_cast<int>(handle_), kind == LockKind::Exclusive ? F_WRLCK : F_RDLCK,
                   static_cast<off_t>(offset), static_cast<off_t>(length), wait);
}

void File::unlock(uint64_t offset, uint64_t length) {
    if (handle_ < 0 || length == 0) return;
    ofdLock(static_cast<int>(handle_), F_UNLCK, static_cast<off_t>(offset), static_cast<off_t>(length));
}

bool FileView::map(File& file, uint64_t offset, size_t length, bool prefault) {
    unmap();
    if (!file.isOpen() || length == 0) return false;
    const int fd = static_cast<int>(file.handle_);
    const uint64_t page = static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
    const uint64_t start = offset / page * page;
    const uint64_t end = offset + length;
    // Storing into a mapped page past the end of the file would fault, and so would a page a full disk cannot
    // hold: the file grows first, so a full disk is refused here, not by a signal. A view that grows the file
    // grows it to an extent boundary and maps up to there, so its last extent too is whole.
    const uint64_t size = file.size();
    const uint64_t mapEnd = end > size ? extentEnd(end) : end;
    if (!growWithZeros(fd, size, mapEnd)) return false;
    const size_t mapped = static_cast<size_t>(mapEnd - start);
    void* base = mapAligned(fd, start, mapped, PROT_READ | PROT_WRITE);
    if (base == MAP_FAILED) return false;
#ifdef MADV_POPULATE_WRITE
    // Older kernels refuse the advice; the pages then fault in one by one as before.
    if (prefault) madvise(base, mapped, MADV_POPULATE_WRITE);
#else
    (void)prefault;
#endif
    adopt(base, start, offset, length, mapped);
    return true;
}

bool FileView::extend(File& file, size_t length, bool prefault) {
#ifdef MREMAP_MAYMOVE
    if (!base_ || !file.isOpen() || length <= length_) return false;
    const int fd = static_cast<int>(file.handle_);
    const uint64_t start = offset_ - static_cast<uint64_t>(data_ - static_cast<char*>(base_));
    const uint64_t end = offset_ + length;
    const size_t oldLength = baseLength_;
    if (end <= start + oldLength) {
        adopt(base_, start, offset_, length, oldLength);  // the mapping reaches there already
        return true;
    }
    const uint64_t mapEnd = extentEnd(end);
    if (!growWithZeros(fd, file.size(), mapEnd)) return false;
    const size_t mapped = static_cast<size_t>(mapEnd - start);
    // In place where the addresses after it are free, else moved whole to addresses aligned as map() aligns.
    void* base = mremap(base_, oldLength, mapped, 0);
    if (base == MAP_FAILED) base = mapAligned(fd, start, mapped, PROT_READ | PROT_WRITE, base_, oldLength);
    if (base == MAP_FAILED) return false;
#ifdef MADV_POPULATE_WRITE
    // Only the added pages: the others are present already. Whole pages from the one the old end lies in.
    const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    const size_t from = oldLength / page * page;
    if (prefault) madvise(static_cast<char*>(base) + from, mapped - from, MADV_POPULATE_WRITE);
#else
    (void)prefault;
#endif
    adopt(base, start, offset_, length, mapped);
    return true;
#else
    (void)file;
    (void)length;
    (void)prefault;
    return false;
#endif
}

bool FileView::mapRead(const File& file, uint64_t offset, size_t length) {
    unmap();
    if (!file.isOpen() || length == 0 || offset + length > file.size()) return false;
    const uint64_t page = static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
    const uint64_t start = offset / page * page;
    void* base = mapAligned(static_cast<int>(file.handle_), start, static_cast<size_t>(offset + length - start), PROT_READ);
    if (base == MAP_FAILED) return false;
    adopt(base, start, offset, length);
    return true;
}

void FileView::unmap() {
    if (!base_) return;
    munmap(base_, baseLength_);
    forget();
}

bool fileExists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

int eraseFile(const std::string& path) {
    if (!fileExists(path)) return oserr::NotFound;
    if (heldOpen(path)) return oserr::Sharing;
    return ::unlink(path.c_str()) == 0 ? 0 : mapErrno(errno);
}

int renameFile(const std::string& from, const std::string& to) {
    if (!fileExists(from)) return oserr::NotFound;
    // Windows never replaces an existing target on rename; POSIX would, silently.
    struct stat st {};
    if (lstat(to.c_str(), &st) == 0) return oserr::Exists;
    if (heldOpen(from)) return oserr::Sharing;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : mapErrno(errno);
}

std::string resolveCase(const std::string& path) {
    if (fileExists(path)) return path;
    size_t slash = path.find_last_of('/');
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    DIR* dir = opendir(folder.c_str());
    if (!dir) return path;
    std::string found;
    while (dirent* entry = readdir(dir)) {
        if (equalsIgnoreCase(entry->d_name, name)) {
            found = entry->d_name;
            break;
        }
    }
    closedir(dir);
    if (found.empty()) return path;
    return slash == std::string::npos ? found : path.substr(0, slash + 1) + found;
}

}  // namespace rt::rdd
#endif
