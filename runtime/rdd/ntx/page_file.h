// The one place where the NTX layer touches the operating system: positioned reads and writes, size, and
// byte-range locks that conflict across processes (and across two handles of one process).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace rt::ntx {

class PageFile {
public:
    enum class OpenMode { ReadOnly, ReadWrite, Create };  // Create truncates or makes the file

    PageFile() = default;
    PageFile(const PageFile&) = delete;
    PageFile& operator=(const PageFile&) = delete;
    PageFile(PageFile&& other) noexcept;
    PageFile& operator=(PageFile&& other) noexcept;
    ~PageFile();

    // Throws NtxError (open or create failure with the OS code) naming the file.
    static PageFile open(const std::string& path, OpenMode mode);

    bool isOpen() const { return handle_ != invalid; }
    const std::string& path() const { return path_; }
    // Reads up to n bytes at off; answers the count read (short at end of file).
    size_t read(uint64_t off, void* buf, size_t n) const;
    void write(uint64_t off, const void* buf, size_t n);
    uint64_t size() const;
    void truncate(uint64_t size);
    void sync();
    // Byte-range lock; with wait false a conflicting lock answers false at once.
    bool lock(uint64_t off, uint64_t len, bool exclusive, bool wait);
    void unlock(uint64_t off, uint64_t len);
    void close();

private:
    static constexpr intptr_t invalid = -1;
    intptr_t handle_ = invalid;
    std::string path_;
};

}  // namespace rt::ntx
