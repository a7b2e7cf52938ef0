// The image list port over comctl32. Only lists this port made (and has not destroyed) are used: any other
// number is treated as no list, so that a stale or foreign handle is never passed to the common controls.
#include <windows.h>
#include <commctrl.h>
#include <objidl.h>

#include <set>

#include "framework/core/gdi/bitmap_draw.h"
#include "framework/core/gdi/win_gdi.h"
#include "framework/core/native/win_casts.h"
#include "framework/core/native/win_window.h"
#include "framework/graphics/image_list/image_list_port.h"

namespace vorpex::gfx {

namespace {

// The bitmap loads map the 3D greys and make the corner colour transparent. They are not shared: the image is
// deleted once the list has its copy, and a shared image must never be deleted.
constexpr UINT kBitmapResource = LR_LOADMAP3DCOLORS | LR_LOADTRANSPARENT;
constexpr UINT kBitmapFile = kBitmapResource | LR_LOADFROMFILE;
constexpr UINT kIconResource = LR_LOADMAP3DCOLORS;

bool isBitmap(HBITMAP b) { return b && GetObjectType(b) == OBJ_BITMAP; }

// ExtractIcon answers 1 for a file that is not an icon source: no icon.
HICON extractIcon(const std::string& file, int64_t index) {
    HICON icon = ExtractIconA(win::programInstance(), file.c_str(), static_cast<UINT>(index));
    return win::fromHandle(icon) > 1 ? icon : nullptr;
}

SIZE iconBitmapSize(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return {};
    BITMAP bm{};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    const SIZE size{bm.bmWidth, info.hbmColor ? bm.bmHeight : bm.bmHeight / 2};
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return size;
}

// What one add works with; everything it holds is deleted when it goes.
struct LoadedImage {
    HBITMAP bitmap = nullptr;
    HBITMAP mask = nullptr;
    HICON icon = nullptr;
    LoadedImage() = default;
    LoadedImage(const LoadedImage&) = delete;
    LoadedImage& operator=(const LoadedImage&) = delete;
    ~LoadedImage() {
        if (bitmap) DeleteObject(bitmap);
        if (mask) DeleteObject(mask);
        if (icon) DestroyIcon(icon);
    }
    bool empty() const { return !bitmap && !icon; }
};

// A name: a bitmap resource, a bitmap file, an icon resource of the list's size, the first icon of a file.
void loadNamed(LoadedImage& image, const std::string& name, SIZE size) {
    image.bitmap = static_cast<HBITMAP>(win::loadImage(name.c_str(), IMAGE_BITMAP, 0, 0, kBitmapResource));
    if (!image.bitmap)
        image.bitmap = static_cast<HBITMAP>(LoadImageA(nullptr, name.c_str(), IMAGE_BITMAP, 0, 0, kBitmapFile));
    if (image.bitmap) return;
    image.icon = static_cast<HICON>(win::loadImage(name.c_str(), IMAGE_ICON, size.cx, size.cy, kIconResource));
    if (!image.icon) image.icon = extractIcon(name, 0);
}

// A greyed icon becomes a bitmap with the icon's own mask; a greyed bitmap replaces the bitmap.
void grey(LoadedImage& image) {
    if (image.icon) {
        ICONINFO info{};
        if (!GetIconInfo(image.icon, &info)) return;
        if (info.hbmColor) {
            image.bitmap = VP_GetBmpDisabled(info.hbmColor);
            DeleteObject(info.hbmColor);
            image.mask = info.hbmMask;
            DestroyIcon(image.icon);
            image.icon = nullptr;
        } else if (info.hbmMask) {
            DeleteObject(info.hbmMask);  // a monochrome icon has no colour to grey
        }
        return;
    }
    HBITMAP greyed = VP_GetBmpDisabled(image.bitmap);
    if (!greyed) return;
    DeleteObject(image.bitmap);
    image.bitmap = greyed;
}

class Win32ImageListPort final : public ImageListPort {
public:
    int64_t screenColorBits() override { return win::screenColors(); }

    intptr_t create(int64_t w, int64_t h, int64_t flags, int64_t initial, int64_t grow) override {
        return track(ImageList_Create(static_cast<int>(w), static_cast<int>(h), static_cast<UINT>(flags),
                                      static_cast<int>(initial), static_cast<int>(grow)));
    }

    bool destroy(intptr_t list) override {
        if (!lists_.erase(list)) return false;
        return ImageList_Destroy(win::handleAs<HIMAGELIST>(list));
    }

    int64_t add(intptr_t list, const rt::Value& source, bool disabled) override {
        if (!known(list)) return -1;
        HIMAGELIST l = win::handleAs<HIMAGELIST>(list);
        SIZE size = listSize(l);
        LoadedImage image;
        if (source.isString()) {
            loadNamed(image, source.asString(), size);
        } else if (source.isNumber()) {
            // A bitmap handed over is the list's to delete; anything else is left alone.
            HBITMAP given = win::handleAs<HBITMAP>(static_cast<intptr_t>(source.asInteger()));
            if (!isBitmap(given)) return -1;
            image.bitmap = given;
        }
        if (image.empty()) return -1;
        if (disabled) grey(image);
        if (image.bitmap && !image.mask) image.mask = VP_GetBmpMask(image.bitmap);
        if (size.cx == 0 && size.cy == 0 && ImageList_GetImageCount(l) == 0) takeSizeOf(l, image);
        if (image.bitmap) return ImageList_Add(l, image.bitmap, image.mask);
        return ImageList_ReplaceIcon(l, -1, image.icon);
    }

    intptr_t copyBitmap(intptr_t bitmap) override {
        HBITMAP given = win::handleAs<HBITMAP>(bitmap);
        if (!isBitmap(given)) return 0;
        return reinterpret_cast<intptr_t>(CopyImage(given, IMAGE_BITMAP, 0, 0, 0));
    }
    void deleteBitmap(intptr_t bitmap) override {
        if (isBitmap(win::handleAs<HBITMAP>(bitmap))) DeleteObject(win::handleAs<HBITMAP>(bitmap));
    }

    int64_t addIcon(intptr_t list, const std::string& name, int64_t index, int64_t w, int64_t h) override {
        if (!known(list)) return -1;
        HICON icon = static_cast<HICON>(win::loadImage(name.c_str(), IMAGE_ICON, static_cast<int>(w),
                                                       static_cast<int>(h), kBitmapResource));
        if (!icon) icon = extractIcon(name, index);
        if (!icon) return -1;
        const int result = ImageList_ReplaceIcon(win::handleAs<HIMAGELIST>(list), -1, icon);
        DestroyIcon(icon);  // the list keeps its own copy
        return result;
    }

    int64_t addMasked(intptr_t list, const rt::Value& source, int64_t color) override {
        if (!known(list)) return -1;
        HBITMAP bitmap = nullptr;
        if (source.isString())
            bitmap = static_cast<HBITMAP>(win::loadImage(source.asString().c_str(), IMAGE_BITMAP, 0, 0,
                                                         LR_LOADMAP3DCOLORS));
        else if (source.isNumber())
            // The caller's bitmap stays the caller's, untouched: the list blackens the masked pixels of what
            // it is given, so it is given a copy.
            if (HBITMAP given = win::handleAs<HBITMAP>(static_cast<intptr_t>(source.asInteger())); isBitmap(given))
                bitmap = static_cast<HBITMAP>(CopyImage(given, IMAGE_BITMAP, 0, 0, 0));
        if (!bitmap) return -1;
        const int result = ImageList_AddMasked(win::handleAs<HIMAGELIST>(list), bitmap, static_cast<COLORREF>(color));
        DeleteObject(bitmap);
        return result;
    }

    bool remove(intptr_t list, int64_t index) override {
        return known(list) && ImageList_Remove(win::handleAs<HIMAGELIST>(list), static_cast<int>(index));
    }

    int64_t count(intptr_t list) override { return known(list) ? ImageList_GetImageCount(win::handleAs<HIMAGELIST>(list)) : 0; }

    std::optional<ImageSize> iconSize(intptr_t list) override {
        int w = 0, h = 0;
        if (!known(list) || !ImageList_GetIconSize(win::handleAs<HIMAGELIST>(list), &w, &h)) return std::nullopt;
        return ImageSize{w, h};
    }

    bool setIconSize(intptr_t list, int64_t w, int64_t h) override {
        return known(list) && ImageList_SetIconSize(win::handleAs<HIMAGELIST>(list), static_cast<int>(w), static_cast<int>(h));
    }

    intptr_t icon(intptr_t list, int64_t index, int64_t flags) override {
        if (!image(list, index)) return 0;
        return win::fromHandle(ImageList_GetIcon(win::handleAs<HIMAGELIST>(list), static_cast<int>(index), static_cast<UINT>(flags)));
    }

    int64_t replaceIcon(intptr_t list, int64_t index, intptr_t icon) override {
        if (!known(list) || !icon || (index != -1 && !image(list, index))) return -1;
        return ImageList_ReplaceIcon(win::handleAs<HIMAGELIST>(list), static_cast<int>(index), win::handleAs<HICON>(icon));
    }

    std::optional<ImageInfo> imageInfo(intptr_t list, int64_t index) override {
        IMAGEINFO info{};
        if (!image(list, index) || !ImageList_GetImageInfo(win::handleAs<HIMAGELIST>(list), static_cast<int>(index), &info))
            return std::nullopt;
        return ImageInfo{win::fromHandle(info.hbmImage), win::fromHandle(info.hbmMask)};
    }

    int64_t bkColor(intptr_t list) override {
        return known(list) ? static_cast<int64_t>(ImageList_GetBkColor(win::handleAs<HIMAGELIST>(list))) : kColorNone;
    }
    int64_t setBkColor(intptr_t list, int64_t color) override {
        if (!known(list)) return kColorNone;
        return static_cast<int64_t>(ImageList_SetBkColor(win::handleAs<HIMAGELIST>(list), static_cast<COLORREF>(color)));
    }

    intptr_t duplicate(intptr_t list) override {
        return known(list) ? track(ImageList_Duplicate(win::handleAs<HIMAGELIST>(list))) : 0;
    }

    bool draw(intptr_t list, int64_t index, intptr_t dc, int64_t x, int64_t y, int64_t style) override {
        return image(list, index) && ImageList_Draw(win::handleAs<HIMAGELIST>(list), static_cast<int>(index), win::handleAs<HDC>(dc),
                                                    static_cast<int>(x), static_cast<int>(y), static_cast<UINT>(style));
    }

    bool drawEx(intptr_t list, int64_t index, intptr_t dc, int64_t x, int64_t y, int64_t w, int64_t h, int64_t bk,
                int64_t fg, int64_t style) override {
        return image(list, index) &&
               ImageList_DrawEx(win::handleAs<HIMAGELIST>(list), static_cast<int>(index), win::handleAs<HDC>(dc), static_cast<int>(x),
                                static_cast<int>(y), static_cast<int>(w), static_cast<int>(h),
                                static_cast<COLORREF>(bk), static_cast<COLORREF>(fg), static_cast<UINT>(style));
    }

    bool copy(intptr_t list, int64_t dst, int64_t src, bool swap) override {
        if (!image(list, dst) || !image(list, src)) return false;
        HIMAGELIST l = win::handleAs<HIMAGELIST>(list);
        return ImageList_Copy(l, static_cast<int>(dst), l, static_cast<int>(src), swap ? ILCF_SWAP : ILCF_MOVE);
    }

    intptr_t bitmap(intptr_t list, int64_t index, int64_t style) override {
        const auto size = iconSize(list);
        if (!size || !image(list, index)) return 0;
        HDC screen = GetDC(nullptr);
        HBITMAP result = CreateCompatibleBitmap(screen, static_cast<int>(size->width), static_cast<int>(size->height));
        HDC dc = CreateCompatibleDC(screen);
        ReleaseDC(nullptr, screen);
        if (result && dc) {
            HGDIOBJ old = SelectObject(dc, result);
            ImageList_Draw(win::handleAs<HIMAGELIST>(list), static_cast<int>(index), dc, 0, 0, static_cast<UINT>(style));
            SelectObject(dc, old);
        }
        if (dc) DeleteDC(dc);
        return win::fromHandle(result);
    }

    bool setOverlayImage(intptr_t list, int64_t image, int64_t overlay) override {
        return known(list) &&
               ImageList_SetOverlayImage(win::handleAs<HIMAGELIST>(list), static_cast<int>(image), static_cast<int>(overlay));
    }

    intptr_t merge(intptr_t list, int64_t image1, intptr_t list2, int64_t image2, int64_t dx, int64_t dy) override {
        if (!known(list) || !known(list2)) return 0;
        return track(ImageList_Merge(win::handleAs<HIMAGELIST>(list), static_cast<int>(image1), win::handleAs<HIMAGELIST>(list2),
                                     static_cast<int>(image2), static_cast<int>(dx), static_cast<int>(dy)));
    }

    bool beginDrag(intptr_t list, int64_t image, int64_t x, int64_t y) override {
        return known(list) && ImageList_BeginDrag(win::handleAs<HIMAGELIST>(list), static_cast<int>(image), static_cast<int>(x),
                                                  static_cast<int>(y));
    }

    bool setDragCursorImage(intptr_t list, int64_t image, int64_t x, int64_t y) override {
        return known(list) && ImageList_SetDragCursorImage(win::handleAs<HIMAGELIST>(list), static_cast<int>(image),
                                                           static_cast<int>(x), static_cast<int>(y));
    }

    bool endDrag() override {
        ImageList_EndDrag();
        return true;
    }
    bool dragEnter(intptr_t window, int64_t x, int64_t y) override {
        return ImageList_DragEnter(win::handleAs<HWND>(window), static_cast<int>(x), static_cast<int>(y));
    }
    bool dragLeave(intptr_t window) override { return ImageList_DragLeave(win::handleAs<HWND>(window)); }
    bool dragMove(int64_t x, int64_t y) override { return ImageList_DragMove(static_cast<int>(x), static_cast<int>(y)); }
    bool dragShowNolock(bool show) override { return ImageList_DragShowNolock(show); }

    DragImage dragImage() override {
        POINT at{}, hot{};
        HIMAGELIST list = ImageList_GetDragImage(&at, &hot);
        return {win::fromHandle(list), at.x, at.y, hot.x, hot.y};
    }

    std::optional<std::string> save(intptr_t list) override {
        if (!known(list)) return std::nullopt;
        IStream* stream = nullptr;
        if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) return std::nullopt;
        std::optional<std::string> bytes;
        if (ImageList_Write(win::handleAs<HIMAGELIST>(list), stream)) bytes = streamBytes(stream);
        stream->Release();
        return bytes;
    }

    intptr_t load(const std::string& bytes) override {
        IStream* stream = nullptr;
        if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) return 0;
        ULONG written = 0;
        HIMAGELIST list = nullptr;
        const LARGE_INTEGER start{};
        if (SUCCEEDED(stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written)) &&
            written == bytes.size() && SUCCEEDED(stream->Seek(start, STREAM_SEEK_SET, nullptr)))
            list = ImageList_Read(stream);
        stream->Release();
        return track(list);
    }

private:
    std::set<intptr_t> lists_;

    intptr_t track(HIMAGELIST list) {
        if (list) lists_.insert(win::fromHandle(list));
        return win::fromHandle(list);
    }
    bool known(intptr_t list) const { return list && lists_.count(list); }
    bool image(intptr_t list, int64_t index) const {
        return known(list) && index >= 0 && index < ImageList_GetImageCount(win::handleAs<HIMAGELIST>(list));
    }

    static SIZE listSize(HIMAGELIST list) {
        int w = 0, h = 0;
        ImageList_GetIconSize(list, &w, &h);
        if (w == 1 && h == 1) return {0, 0};  // not yet known
        return {w, h};
    }

    // The first image decides the size of a list that did not know it.
    static void takeSizeOf(HIMAGELIST list, const LoadedImage& image) {
        SIZE size = image.bitmap ? bitmapSize(image.bitmap) : iconBitmapSize(image.icon);
        if (size.cx <= 0 || size.cy <= 0) size = {16, 16};
        ImageList_SetIconSize(list, size.cx, size.cy);
    }

    static std::optional<std::string> streamBytes(IStream* stream) {
        HGLOBAL memory = nullptr;
        STATSTG stat{};
        if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)) || FAILED(GetHGlobalFromStream(stream, &memory)))
            return std::nullopt;
        const void* data = GlobalLock(memory);
        if (!data) return std::nullopt;
        std::string bytes(static_cast<const char*>(data), static_cast<size_t>(stat.cbSize.QuadPart));
        GlobalUnlock(memory);
        return bytes;
    }
};

}  // namespace

ImageListPort& platformImageListPort() {
    static Win32ImageListPort port;
    return port;
}

}  // namespace vorpex::gfx
