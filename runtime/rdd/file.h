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
enum class LockKind { Exclusive, Shared };

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

    // Lock of a byte range, exclusive unless asked otherwise; without `wait` a conflicting lock held by another
    // handle answers false at once, with it the call waits for that lock to go.
    bool lock(uint64_t offset, uint64_t length, LockKind kind = LockKind::Exclusive, bool wait = false);
    void unlock(uint64_t offset, uint64_t length);

private:
    friend class FileView;
    static intptr_t invalid() { return -1; }
    intptr_t handle_ = -1;
    std::string path_;
};

// A writable view of a byte range of an open file. Stores into it reach the operating system's file cache at
// once, as a write call would, so a process that dies afterwards loses none of them; but they cost no call
// each, which is what appending a million small records needs. The view never outlives its file's handle.
class FileView {
public:
    FileView() = default;
    ~FileView() { unmap(); }
    FileView(const FileView&) = delete;
    FileView& operator=(const FileView&) = delete;

    // Maps [offset, offset + length) of a file open for writing, growing the file with zeros first when it is
    // shorter. Any earlier view is dropped. False when the system refuses (the caller writes through instead).
    // With `prefault`, every page is made present and writable at once, where the system offers that: one call
    // instead of a fault per page, for a view that is about to be written from end to end.
    bool map(File& file, uint64_t offset, size_t length, bool prefault = false);
    // Lengthens the view to `length` bytes from where it begins, growing the file as map() does, while the pages
    // it has stay mapped and present: rewriting them later costs no fault. False where the system cannot grow a
    // view in place (the view is then unchanged; the caller maps anew).
    bool extend(File& file, size_t length, bool prefault = false);
    // Maps [offset, offset + length) of an open file for reading only; the range must lie within the file.
    // Any earlier view is dropped. False when the range is empty or outside the file, or the system refuses.
    bool mapRead(const File& file, uint64_t offset, size_t length);
    void unmap();
    bool mapped() const { return data_ != nullptr; }
    // True when [begin, end) lies inside the view.
    bool covers(uint64_t begin, uint64_t end) const {
        return data_ && begin >= offset_ && end <= offset_ + length_ && begin <= end;
    }
    // The byte at a file offset the view covers.
    char* at(uint64_t offset) const { return data_ + (offset - offset_); }
    uint64_t begin() const { return offset_; }
    uint64_t end() const { return offset_ + length_; }

private:
    // Records a mapping made from the aligned `start` that covers [offset, offset + length), `mapped` bytes long
    // when it reaches further; forget() clears it.
    void adopt(void* base, uint64_t start, uint64_t offset, size_t length, size_t mapped = 0);
    void forget();

    char* data_ = nullptr;      // the byte at offset_
    void* base_ = nullptr;      // the mapping itself, from an aligned offset
    size_t baseLength_ = 0;
    intptr_t section_ = 0;      // Win32 file-mapping handle
    uint64_t offset_ = 0;
    size_t length_ = 0;
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
