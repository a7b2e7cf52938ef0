// The picture port over OLE picture objects. Every COM object and memory block taken here is given back on
// each path; a GDI handle given to CreateIndirect must be a live object of the type it is said to be.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <climits>
#include <cstring>

#include "framework/core/gdi/bitmap_draw.h"
#include "framework/core/gdi/win_gdi.h"
#include "framework/core/native/win_casts.h"
#include "framework/graphics/picture/free_image_win32.h"
#include "framework/graphics/picture/picture_port.h"

namespace vorpex::gfx {

namespace {

constexpr long kHimetricPerInch = 2540;

// "#n" names a numeric resource; the loaders take those as an integer resource.
LPCSTR resourceId(const std::string& name) {
    if (name.size() > 1 && name[0] == '#') return MAKEINTRESOURCEA(std::strtoul(name.c_str() + 1, nullptr, 10));
    return name.c_str();
}

// A movable, zero-filled block holding the bytes; nullptr when they cannot be held.
HGLOBAL blockOf(const std::string& bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size());
    if (!block) return nullptr;
    void* p = GlobalLock(block);
    if (!p) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(p, bytes.data(), bytes.size());
    GlobalUnlock(block);
    return block;
}

// The screen bitmap the picture is normally drawn from; OLE pictures are bottom-up.
HBITMAP render(IPicture* picture, int width, int height, long logicalWidth, long logicalHeight) {
    if (width <= 0 || height <= 0) return nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    if (bitmap && dc) {
        HGDIOBJ old = SelectObject(dc, bitmap);
        picture->Render(dc, 0, 0, width, height, 0, logicalHeight, logicalWidth, -logicalHeight, nullptr);
        SelectObject(dc, old);
    }
    if (dc) DeleteDC(dc);
    return bitmap;
}

// Reads what the rest of the framework needs to know of a new picture, which it then owns.
PictureFacts factsOf(IPicture* picture, HGLOBAL memory, size_t memorySize) {
    PictureFacts f;
    f.image = win::fromHandle(picture);
    f.memory = win::fromHandle(memory);
    f.memorySize = memory ? static_cast<int64_t>(memorySize) : 0;
    OLE_HANDLE handle = 0;
    picture->get_Handle(&handle);
    f.picture = static_cast<intptr_t>(handle);
    OLE_XSIZE_HIMETRIC lw = 0;
    OLE_YSIZE_HIMETRIC lh = 0;
    picture->get_Width(&lw);
    picture->get_Height(&lh);
    f.logicalWidth = lw;
    f.logicalHeight = lh;
    HDC screen = GetDC(nullptr);
    f.width = MulDiv(lw, GetDeviceCaps(screen, LOGPIXELSX), kHimetricPerInch);
    f.height = MulDiv(lh, GetDeviceCaps(screen, LOGPIXELSY), kHimetricPerInch);
    ReleaseDC(nullptr, screen);
    f.rendered = win::fromHandle(render(picture, static_cast<int>(f.width), static_cast<int>(f.height), lw, lh));
    OLE_HANDLE palette = 0;
    picture->get_hPal(&palette);
    f.palette = static_cast<intptr_t>(palette);
    SHORT type = 0;
    picture->get_Type(&type);
    f.type = type;
    DWORD attributes = 0;
    picture->get_Attributes(&attributes);
    f.scalable = (attributes & PICTURE_SCALABLE) != 0;
    f.transparent = (attributes & PICTURE_TRANSPARENT) != 0;
    return f;
}

bool isIcon(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return false;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return true;
}

// The handle is what it is said to be: OLE would otherwise keep (and later delete) a stranger's object.
bool handleMatches(int64_t type, intptr_t handle) {
    switch (type) {
        case kPictureBitmap: return GetObjectType(win::handleAs<HGDIOBJ>(handle)) == OBJ_BITMAP;
        case kPictureMetafile: return GetObjectType(win::handleAs<HGDIOBJ>(handle)) == OBJ_METAFILE;
        case kPictureIcon: return isIcon(win::handleAs<HICON>(handle));
        case kPictureEnhMetafile: return GetObjectType(win::handleAs<HGDIOBJ>(handle)) == OBJ_ENHMETAFILE;
        default: return false;
    }
}

std::optional<PictureFacts> pictureOfHandle(int64_t type, intptr_t handle, int64_t extra1, int64_t extra2) {
    if (!handle || !handleMatches(type, handle)) return std::nullopt;
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.picType = static_cast<UINT>(type);
    switch (type) {
        case kPictureBitmap:
            desc.bmp.hbitmap = win::handleAs<HBITMAP>(handle);
            desc.bmp.hpal = win::handleAs<HPALETTE>(static_cast<intptr_t>(extra1));
            break;
        case kPictureMetafile:
            desc.wmf.hmeta = win::handleAs<HMETAFILE>(handle);
            desc.wmf.xExt = static_cast<int>(extra1);
            desc.wmf.yExt = static_cast<int>(extra2);
            break;
        case kPictureIcon: desc.icon.hicon = win::handleAs<HICON>(handle); break;
        default: desc.emf.hemf = win::handleAs<HENHMETAFILE>(handle); break;
    }
    IPicture* picture = nullptr;
    if (FAILED(OleCreatePictureIndirect(&desc, IID_IPicture, TRUE, reinterpret_cast<void**>(&picture))) || !picture)
        return std::nullopt;
    return factsOf(picture, nullptr, 0);
}

std::optional<PictureFacts> iconPicture(HANDLE icon) {
    if (!icon) return std::nullopt;
    std::optional<PictureFacts> f = pictureOfHandle(kPictureIcon, win::fromHandle(icon), 0, 0);
    if (!f) DestroyIcon(static_cast<HICON>(icon));
    return f;
}

// A bitmap the image library made becomes a picture that owns it; the bytes it was read from stay with it.
LibraryPicture libraryPicture(LibraryBitmap got, HGLOBAL block, size_t size) {
    LibraryPicture result{.picture = std::nullopt, .pages = got.pages};
    if (got.bitmap) result.picture = pictureOfHandle(kPictureBitmap, win::fromHandle(got.bitmap), 0, 0);
    if (!result.picture) {
        if (got.bitmap) DeleteObject(got.bitmap);
        if (block) GlobalFree(block);
        return result;
    }
    result.picture->memory = win::fromHandle(block);
    result.picture->memorySize = block ? static_cast<int64_t>(size) : 0;
    return result;
}

// The bytes of a memory block, as many as it was filled with.
std::optional<std::string> blockBytes(HGLOBAL block, int64_t size) {
    if (size < 0 || static_cast<SIZE_T>(size) > GlobalSize(block)) return std::nullopt;
    const void* p = GlobalLock(block);
    if (!p) return std::nullopt;
    std::string bytes(static_cast<const char*>(p), static_cast<size_t>(size));
    GlobalUnlock(block);
    return bytes;
}

// Draws `bitmap` (width by height) onto the target, stretched when the sizes differ.
void blit(HDC target, const PicturePaint& at, HDC source, int width, int height, bool stretch, DWORD rop) {
    const int w = static_cast<int>(at.right - at.left), h = static_cast<int>(at.bottom - at.top);
    if (!stretch) {
        BitBlt(target, static_cast<int>(at.left), static_cast<int>(at.top), width, height, source, 0, 0, rop);
        return;
    }
    const int oldMode = SetStretchBltMode(target, at.smooth ? HALFTONE : COLORONCOLOR);
    if (at.smooth) SetBrushOrgEx(target, 0, 0, nullptr);
    StretchBlt(target, static_cast<int>(at.left), static_cast<int>(at.top), w, h, source, 0, 0, width, height, rop);
    SetStretchBltMode(target, oldMode);
}

void drawBitmap(HDC target, const PicturePaint& at, HBITMAP bitmap, int width, int height, bool stretch,
                DWORD rop) {
    HDC dc = CreateCompatibleDC(target);
    HGDIOBJ old = SelectObject(dc, bitmap);
    blit(target, at, dc, width, height, stretch, rop);
    SelectObject(dc, old);
    DeleteDC(dc);
}

// The corner colour shows the target through: AND with the mask, then OR the image with those pixels black.
void drawTransparent(HDC target, const PicturePaint& at, HBITMAP bitmap, int width, int height, bool stretch) {
    HBITMAP mask = VP_GetBmpMask(bitmap);
    HBITMAP image = VP_GetBmpTransparent(bitmap, RGB(0, 0, 0));
    if (mask && image) {
        const COLORREF oldText = SetTextColor(target, RGB(0, 0, 0));
        const COLORREF oldBack = SetBkColor(target, RGB(255, 255, 255));
        drawBitmap(target, at, mask, width, height, stretch, SRCAND);
        SetTextColor(target, oldText);
        SetBkColor(target, oldBack);
        drawBitmap(target, at, image, width, height, stretch, SRCPAINT);
    }
    if (mask) DeleteObject(mask);
    if (image) DeleteObject(image);
}

class Win32PicturePort final : public PicturePort {
public:
    std::optional<PictureFacts> fromBytes(const std::string& bytes) override {
        // OLE takes the size as a LONG; an empty block is no picture.
        if (bytes.empty() || bytes.size() > static_cast<size_t>(LONG_MAX)) return std::nullopt;
        HGLOBAL block = blockOf(bytes);
        if (!block) return std::nullopt;
        IStream* stream = nullptr;
        IPicture* picture = nullptr;
        if (SUCCEEDED(CreateStreamOnHGlobal(block, FALSE, &stream)) && stream) {
            if (FAILED(OleLoadPicture(stream, static_cast<LONG>(bytes.size()), TRUE, IID_IPicture,
                                      reinterpret_cast<void**>(&picture))))
                picture = nullptr;
            stream->Release();
        }
        if (!picture) {
            GlobalFree(block);
            return std::nullopt;
        }
        return factsOf(picture, block, bytes.size());
    }

    LibraryPicture libraryBytes(const std::string& bytes) override {
        FreeImageLibrary library;
        if (!library.bound() || bytes.empty()) return {};
        HGLOBAL block = blockOf(bytes);
        if (!block) return {};
        const void* data = GlobalLock(block);
        LibraryBitmap got = data ? library.fromMemory(data, bytes.size()) : LibraryBitmap{};
        GlobalUnlock(block);
        return libraryPicture(got, block, bytes.size());
    }

    LibraryPicture libraryPage(const std::string& file, int64_t page) override {
        FreeImageLibrary library;
        if (!library.bound()) return {};
        return libraryPicture(library.page(file, page), nullptr, 0);
    }

    std::optional<PictureFacts> fromHandle(int64_t type, intptr_t handle, int64_t extra1, int64_t extra2) override {
        return pictureOfHandle(type, handle, extra1, extra2);
    }

    // Not shared: the picture owns the icon and destroys it, which a shared icon must never be.
    std::optional<PictureFacts> iconFile(const std::string& file) override {
        return iconPicture(LoadImageA(nullptr, file.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE));
    }

    std::optional<PictureFacts> iconResource(const std::string& name) override {
        return iconPicture(win::loadImage(resourceId(name), IMAGE_ICON, 0, 0, 0));
    }

    std::optional<std::string> resource(const std::string& name, const std::string& type) override {
        for (HINSTANCE module : win::resourceModules()) {
            HRSRC found = FindResourceA(module, resourceId(name), resourceId(type));
            if (!found) continue;
            HGLOBAL loaded = LoadResource(module, found);
            const void* bytes = loaded ? LockResource(loaded) : nullptr;
            const DWORD size = SizeofResource(module, found);
            if (!bytes) continue;
            return std::string(static_cast<const char*>(bytes), size);
        }
        return std::nullopt;
    }

    void release(const PictureFacts& f) override {
        if (f.image) win::handleAs<IPicture*>(f.image)->Release();
        if (f.memory) GlobalFree(win::handleAs<HGLOBAL>(f.memory));
        if (f.rendered) DeleteObject(win::handleAs<HBITMAP>(f.rendered));
    }

    // The loaded bytes as they were: the OLE object would write a picture it did not read itself (a PNG
    // through the image library) as a bitmap.
    std::optional<std::string> save(const PictureFacts& f) override {
        if (!f.image) return std::nullopt;
        if (f.memory) return blockBytes(win::handleAs<HGLOBAL>(f.memory), f.memorySize);
        IStream* stream = nullptr;
        if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)) || !stream) return std::nullopt;
        std::optional<std::string> bytes;
        LONG size = 0;
        HGLOBAL block = nullptr;
        if (SUCCEEDED(win::handleAs<IPicture*>(f.image)->SaveAsFile(stream, TRUE, &size)) && size >= 0 &&
            SUCCEEDED(GetHGlobalFromStream(stream, &block)) && static_cast<SIZE_T>(size) <= GlobalSize(block)) {
            if (const void* p = GlobalLock(block)) {
                bytes.emplace(static_cast<const char*>(p), static_cast<size_t>(size));
                GlobalUnlock(block);
            }
        }
        stream->Release();
        return bytes;
    }

    bool paint(const PictureFacts& f, const PicturePaint& at) override {
        HDC dc = win::handleAs<HDC>(at.dc);
        const int width = static_cast<int>(f.width), height = static_cast<int>(f.height);
        const bool stretch = at.left + f.width != at.right || at.bottom - at.top != f.height;
        if (f.type == kPictureIcon || f.transparent || !f.rendered ||
            GetDeviceCaps(dc, TECHNOLOGY) != DT_RASDISPLAY) {
            const HRESULT hr = win::handleAs<IPicture*>(f.image)->Render(
                dc, static_cast<LONG>(at.left), static_cast<LONG>(at.top), static_cast<LONG>(at.right - at.left),
                static_cast<LONG>(at.bottom - at.top), 0, static_cast<LONG>(f.logicalHeight),
                static_cast<LONG>(f.logicalWidth), -static_cast<LONG>(f.logicalHeight), nullptr);
            return SUCCEEDED(hr);
        }
        HBITMAP bitmap = win::handleAs<HBITMAP>(f.rendered);
        if (at.transparent) drawTransparent(dc, at, bitmap, width, height, stretch);
        else drawBitmap(dc, at, bitmap, width, height, stretch, SRCCOPY);
        return true;
    }
};

}  // namespace

PicturePort& platformPicturePort() {
    static Win32PicturePort port;
    return port;
}

}  // namespace vorpex::gfx
