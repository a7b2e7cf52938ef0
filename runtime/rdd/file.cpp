// The platform-neutral part of File; file_posix.cpp and file_win32.cpp hold the system calls.
#include "file.h"

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

}  // namespace rt::rdd
