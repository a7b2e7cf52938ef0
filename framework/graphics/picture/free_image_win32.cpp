#include "framework/graphics/picture/free_image_win32.h"

#include <climits>
#include <utility>

namespace vorpex::gfx {

namespace {

// The library's format codes the picture cares about.
constexpr int kUnknownFormat = -1, kTiff = 18, kGif = 25;

bool multiPage(int format) { return format == kGif || format == kTiff; }

// The device-dependent bitmap of a library bitmap: its header, colour table and bits, on the screen's DC.
template <class Entries>
HBITMAP bitmapOf(const Entries& fi, void* dib) {
    const BITMAPINFOHEADER* header = fi.getInfoHeader(dib);
    const BITMAPINFO* info = fi.getInfo(dib);
    const void* bits = fi.getBits(dib);
    if (!header || !info || !bits) return nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBitmap(screen, header, CBM_INIT, bits, info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

}  // namespace

struct FreeImageLibrary::Entries {
    void*(WINAPI* openMemory)(const void* data, DWORD size);
    int(WINAPI* getFileTypeFromMemory)(void* memory, int size);
    void*(WINAPI* loadFromMemory)(int format, void* memory, int flags);
    BITMAPINFOHEADER*(WINAPI* getInfoHeader)(void* dib);
    BITMAPINFO*(WINAPI* getInfo)(void* dib);
    BYTE*(WINAPI* getBits)(void* dib);
    void(WINAPI* unload)(void* dib);
    void(WINAPI* closeMemory)(void* memory);
    int(WINAPI* getFileType)(const char* file, int size);
    void*(WINAPI* loadMultiBitmapFromMemory)(int format, void* memory, int flags);
    void*(WINAPI* openMultiBitmap)(int format, const char* file, BOOL createNew, BOOL readOnly, BOOL keepInMemory,
                                   int flags);
    BOOL(WINAPI* closeMultiBitmap)(void* bitmap, int flags);
    int(WINAPI* getPageCount)(void* bitmap);
    void*(WINAPI* lockPage)(void* bitmap, int page);
    void(WINAPI* unlockPage)(void* bitmap, void* page, BOOL changed);

    // Every entry point or none: a library missing one is not the library the picture was written for.
    bool bind(HMODULE module) {
        const std::pair<const char*, FARPROC*> names[] = {
            {"_FreeImage_OpenMemory@8", fp(openMemory)},
            {"_FreeImage_GetFileTypeFromMemory@8", fp(getFileTypeFromMemory)},
            {"_FreeImage_LoadFromMemory@12", fp(loadFromMemory)},
            {"_FreeImage_GetInfoHeader@4", fp(getInfoHeader)},
            {"_FreeImage_GetInfo@4", fp(getInfo)},
            {"_FreeImage_GetBits@4", fp(getBits)},
            {"_FreeImage_Unload@4", fp(unload)},
            {"_FreeImage_CloseMemory@4", fp(closeMemory)},
            {"_FreeImage_GetFileType@8", fp(getFileType)},
            {"_FreeImage_LoadMultiBitmapFromMemory@12", fp(loadMultiBitmapFromMemory)},
            {"_FreeImage_OpenMultiBitmap@24", fp(openMultiBitmap)},
            {"_FreeImage_CloseMultiBitmap@8", fp(closeMultiBitmap)},
            {"_FreeImage_GetPageCount@4", fp(getPageCount)},
            {"_FreeImage_LockPage@8", fp(lockPage)},
            {"_FreeImage_UnlockPage@12", fp(unlockPage)}};
        for (const auto& [name, slot] : names)
            if (!(*slot = GetProcAddress(module, name))) return false;
        return true;
    }

private:
    template <class F>
    static FARPROC* fp(F& slot) {
        return reinterpret_cast<FARPROC*>(&slot);
    }
};

FreeImageLibrary::FreeImageLibrary() : module_(LoadLibraryA("FreeImage.dll")) {
    if (!module_) return;
    entries_ = std::make_unique<Entries>();
    bound_ = entries_->bind(module_);
}

FreeImageLibrary::~FreeImageLibrary() {
    entries_.reset();  // before the code it points into goes
    if (module_) FreeLibrary(module_);
}

LibraryBitmap FreeImageLibrary::fromMemory(const void* data, size_t size) const {
    LibraryBitmap got;
    if (!bound_ || !data || size == 0 || size > static_cast<size_t>(INT_MAX)) return got;
    const Entries& fi = *entries_;
    void* memory = fi.openMemory(data, static_cast<DWORD>(size));
    if (!memory) return got;
    const int format = fi.getFileTypeFromMemory(memory, 0);
    if (format != kUnknownFormat) {
        if (void* dib = fi.loadFromMemory(format, memory, 0)) {
            got.bitmap = bitmapOf(fi, dib);
            fi.unload(dib);
        }
        if (got.bitmap && multiPage(format)) {
            if (void* pages = fi.loadMultiBitmapFromMemory(format, memory, 0)) {
                got.pages = fi.getPageCount(pages);
                fi.closeMultiBitmap(pages, 0);
            }
        }
    }
    fi.closeMemory(memory);
    return got;
}

LibraryBitmap FreeImageLibrary::page(const std::string& file, int64_t page) const {
    LibraryBitmap got;
    if (!bound_ || page < 1 || page > INT_MAX) return got;
    const Entries& fi = *entries_;
    const int format = fi.getFileType(file.c_str(), 0);
    if (!multiPage(format)) return got;
    void* pages = fi.openMultiBitmap(format, file.c_str(), FALSE, TRUE, TRUE, 0);
    if (!pages) return got;
    got.pages = fi.getPageCount(pages);
    if (page <= got.pages) {
        if (void* dib = fi.lockPage(pages, static_cast<int>(page - 1))) {
            got.bitmap = bitmapOf(fi, dib);
            fi.unlockPage(pages, dib, FALSE);
        }
    }
    fi.closeMultiBitmap(pages, 0);
    return got;
}

}  // namespace vorpex::gfx
