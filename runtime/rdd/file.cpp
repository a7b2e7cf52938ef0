// The platform-neutral part of File; file_posix.cpp and file_win32.cpp hold the system calls.
#include "file.h"

#include <algorithm>
#include <utility>

namespace rt::rdd {

File::~File() { close(); }

File::File(File&& other) noexcept : handle_(other.handle_), path_(std::move(other.path_)) { other.handle_ = -1; }

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        close();
        handle_ = other.handle_;
        path_ = std::move(other.path_);
        other.handle_ = -1;
    }
    return *this;
}

void FileView::adopt(void* base, uint64_t start, uint64_t offset, size_t length, size_t mapped) {
    base_ = base;
    baseLength_ = std::max(static_cast<size_t>(offset + length - start), mapped);
    data_ = static_cast<char*>(base) + (offset - start);
    offset_ = offset;
    length_ = length;
}

void FileView::forget() {
    base_ = nullptr;
    data_ = nullptr;
    section_ = 0;
    baseLength_ = length_ = 0;
}

}  // namespace rt::rdd
