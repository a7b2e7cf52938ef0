// An NTX file as the tree and the builder see it: the table engine's one file layer (runtime/rdd/file.h),
// so indexes follow the same sharing rules and byte-range locks as tables on every platform, with failures
// turned into NtxError naming the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "runtime/rdd/file.h"

namespace rt::ntx {

class PageFile {
public:
    enum class OpenMode { ReadOnly, ReadWrite, Create };  // Create truncates or makes the file

    // Throws NtxError (open or create failure with the OS code) naming the file. An exclusive open fails
    // with the sharing-violation code while any other handle has the file, as a table's does.
    static PageFile open(const std::string& path, OpenMode mode, rdd::Share share);

    bool isOpen() const { return file_.isOpen(); }
    const std::string& path() const { return file_.path(); }
    // Reads up to n bytes at off; answers the count read (short at the end of the file).
    size_t read(uint64_t off, void* buf, size_t n) const { return file_.readAt(off, buf, n); }
    void write(uint64_t off, const void* buf, size_t n);
    uint64_t size() const { return file_.size(); }
    // Byte-range lock; with wait false a conflicting lock answers false at once.
    bool lock(uint64_t off, uint64_t len, bool exclusive, bool wait) {
        return file_.lock(off, len, exclusive ? rdd::LockKind::Exclusive : rdd::LockKind::Shared, wait);
    }
    void unlock(uint64_t off, uint64_t len) { file_.unlock(off, len); }
    void close() { file_.close(); }

private:
    rdd::File file_;
};

}  // namespace rt::ntx
