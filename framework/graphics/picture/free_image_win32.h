// The outside image library "FreeImage.dll", bound by name for one load and released with the object: the
// formats and pages the OLE picture does not read come through it when it is installed, and nothing at all
// when it is not (no message, no error). Its entry points are looked up by their decorated stdcall names, as
// the library's Windows builds export them; a library that lacks one of them counts as absent. Windows only.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

namespace vorpex::gfx {

// A device-dependent bitmap read through the library (null when none) and the page count of the multi-page
// GIF or TIFF it came from (0 for other formats). The caller owns the bitmap.
struct LibraryBitmap {
    HBITMAP bitmap = nullptr;
    int64_t pages = 0;
};

class FreeImageLibrary {
public:
    FreeImageLibrary();
    ~FreeImageLibrary();
    FreeImageLibrary(const FreeImageLibrary&) = delete;
    FreeImageLibrary& operator=(const FreeImageLibrary&) = delete;

    bool bound() const { return bound_; }
    // The picture held in `size` bytes at `data` (which must stay valid during the call).
    LibraryBitmap fromMemory(const void* data, size_t size) const;
    // Page `page` (from 1) of a multi-page GIF or TIFF file.
    LibraryBitmap page(const std::string& file, int64_t page) const;

private:
    struct Entries;
    HMODULE module_ = nullptr;
    bool bound_ = false;
    std::unique_ptr<Entries> entries_;
};

}  // namespace vorpex::gfx
