// The one wrapper over the operating system's file calls that the table engine uses. It gives every platform
// the Windows sharing rules: an exclusive open fails with the sharing-violation code while any other handle
// has the file, and byte-range locks conflict between two handles of one process as between processes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace rt::rdd {

// Windows error numbers, reported on every platform so that error objects read the same everywhere.
namespace oserr {
inline constexpr int None = 0, NotFound = 2, PathNotFound = 3, Access = 5, Sharing = 32, LockViolation = 33,
                     Exists = 80, Other = 31;
}

enum class Share { Exclusive, Shared };

class File {
public:
    File() = default;
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;

    // Opens an existing file; answers 0 or an oserr code.
    int open(const std::string& path, bool writable, Share share);
    // Creates (or empties) a file and opens it for writing.
    int create(const std::string& path, Share share);
    void close();
    bool isOpen() const { return handle_ != invalid(); }
    const std::string& path() const { return path_; }

    // Reads up to n bytes at the offset; answers the count read (short at the end of the file).
    size_t readAt(uint64_t offset, void* buffer, size_t n) const;
    bool writeAt(uint64_t offset, const void* data, size_t n);
    uint64_t size() const;
    bool truncate(uint64_t length);
    bool flush();

    // Non-blocking exclusive lock of a byte range; false when another handle holds any of it.
    bool lock(uint64_t offset, uint64_t length);
    void unlock(uint64_t offset, uint64_t length);

private:
    static intptr_t invalid() { return -1; }
    intptr_t handle_ = -1;
    std::string path_;
};

// File-name level calls with the same Windows rules (a file held open by any handle is neither renamed nor
// erased). Each answers 0 or an oserr code.
bool fileExists(const std::string& path);
int eraseFile(const std::string& path);
int renameFile(const std::string& from, const std::string& to);

// The path with its last component matched case-insensitively against the folder's entries: the existing
// file's own spelling when one matches, else the path as given.
std::string resolveCase(const std::string& path);

}  // namespace rt::rdd
