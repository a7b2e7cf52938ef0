#include "page_file.h"

#include "ntx_error.h"

namespace rt::ntx {

PageFile PageFile::open(const std::string& path, OpenMode mode, rdd::Share share) {
    PageFile f;
    const int os = mode == OpenMode::Create ? f.file_.create(path, share)
                                            : f.file_.open(path, mode == OpenMode::ReadWrite, share);
    if (os != 0) throw NtxError(mode == OpenMode::Create ? eg::Create : eg::Open, path, "Cannot open index file", os);
    return f;
}

void PageFile::write(uint64_t off, const void* buf, size_t n) {
    if (!file_.writeAt(off, buf, n)) throw NtxError(eg::Write, path(), "Write error on index file", rdd::oserr::Other);
}

}  // namespace rt::ntx
