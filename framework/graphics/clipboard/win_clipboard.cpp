// The clipboard over Win32. The clipboard owns every handle it is given, so handle formats are placed as
// copies and a block the clipboard refuses is freed here.
#include <windows.h>

#include <cstring>
#include <vector>

#include "framework/core/native/win_casts.h"
#include "framework/core/native/win_system.h"
#include "framework/graphics/clipboard/clipboard_formats.h"
#include "framework/graphics/clipboard/clipboard_platform.h"

namespace vorpex::clip {

namespace {

using win::handleValue;
using win::fromHandle;
template <class H>
H handleFrom(const rt::Value& v) {
    return reinterpret_cast<H>(static_cast<intptr_t>(v.asInteger()));
}

// A movable block holding `bytes` followed by `zeros` zero bytes; null when memory is short.
HGLOBAL newBlock(const void* bytes, size_t size, size_t zeros) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size + zeros);
    if (!block) return nullptr;
    void* p = GlobalLock(block);
    if (!p) {
        GlobalFree(block);
        return nullptr;
    }
    if (size) std::memcpy(p, bytes, size);
    GlobalUnlock(block);
    return block;
}

// Hands a block or object to the clipboard; when the clipboard refuses it, it is still ours to free.
template <class H, class Release>
bool place(int64_t format, H handle, Release release) {
    if (!handle) return false;
    if (SetClipboardData(static_cast<UINT>(format), reinterpret_cast<HANDLE>(handle))) return true;
    release(handle);
    return false;
}

bool placeBlock(int64_t format, HGLOBAL block) { return place(format, block, GlobalFree); }

bool setText(int64_t format, const std::string& text) {
    return placeBlock(format, newBlock(text.data(), text.size(), 1));
}

// Unicode text from ANSI: converted, and ended by a two-byte zero.
bool setUnicodeText(const std::string& text) {
    std::optional<std::wstring> wide = win::ansiToWide(text);
    if (!wide) return false;
    return placeBlock(kUnicodeText, newBlock(wide->data(), wide->size() * sizeof(wchar_t), sizeof(wchar_t)));
}

HPALETTE copyPalette(HPALETTE source) {
    WORD count = 0;
    if (!source || !GetObjectA(source, sizeof(count), &count) || count == 0) return nullptr;
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    auto* log = reinterpret_cast<LOGPALETTE*>(buffer.data());
    log->palVersion = 0x300;
    log->palNumEntries = count;
    GetPaletteEntries(source, 0, count, log->palPalEntry);
    return CreatePalette(log);
}

HGLOBAL copyBlock(HGLOBAL source) {
    if (!source) return nullptr;
    SIZE_T size = GlobalSize(source);
    const void* p = GlobalLock(source);
    if (!p) return nullptr;
    HGLOBAL copy = newBlock(p, size, 0);
    GlobalUnlock(source);
    return copy;
}

bool setMetafilePicture(HMETAFILE source) {
    HMETAFILE copy = source ? CopyMetaFileA(source, nullptr) : nullptr;
    if (!copy) return false;
    METAFILEPICT pict{MM_ANISOTROPIC, 0, 0, copy};
    HGLOBAL block = newBlock(&pict, sizeof(pict), 0);
    if (block && placeBlock(kMetafilePict, block)) return true;
    DeleteMetaFile(copy);
    return false;
}

bool setDropFiles(const rt::Value& data) {
    std::string list = data.isArray() ? dropList(data) : data.asString();
    std::string block = dropFilesBlock(list);
    return placeBlock(kHdrop, newBlock(block.data(), block.size(), 0));
}

// The bytes of a clipboard block, never read past its size.
std::string blockBytes(HANDLE h) {
    if (!h) return {};
    SIZE_T size = GlobalSize(h);
    const char* p = static_cast<const char*>(GlobalLock(h));
    if (!p) return {};
    std::string bytes(p, size);
    GlobalUnlock(h);
    return bytes;
}

rt::Value readText(HANDLE h) {
    std::string bytes = blockBytes(h);
    return rt::Value(bytes.substr(0, bytes.find('\0')));
}

std::string wideToAnsi(std::u16string_view wide) {
    std::wstring_view w(reinterpret_cast<const wchar_t*>(wide.data()), wide.size());
    return win::wideToAnsi(w).value_or("");
}

rt::Value readUnicodeText(HANDLE h) {
    std::string bytes = blockBytes(h);
    std::u16string wide(bytes.size() / 2, u'\0');
    std::memcpy(wide.data(), bytes.data(), wide.size() * 2);
    return rt::Value(wideToAnsi(std::u16string_view(wide).substr(0, wide.find(u'\0'))));
}

rt::Value readMetafile(HANDLE h) {
    std::string bytes = blockBytes(h);
    if (bytes.size() < sizeof(METAFILEPICT)) return {};
    METAFILEPICT pict;
    std::memcpy(&pict, bytes.data(), sizeof(pict));
    return handleValue(pict.hMF);
}

}  // namespace

bool openClipboard(intptr_t owner) { return OpenClipboard(reinterpret_cast<HWND>(owner)) != FALSE; }
bool closeClipboard() { return CloseClipboard() != FALSE; }
bool emptyClipboard() { return EmptyClipboard() != FALSE; }
intptr_t clipboardOwner() { return fromHandle(GetClipboardOwner()); }
intptr_t openClipboardWindow() { return fromHandle(GetOpenClipboardWindow()); }
intptr_t clipboardViewer() { return fromHandle(GetClipboardViewer()); }
int64_t countFormats() { return CountClipboardFormats(); }
int64_t registerFormat(const std::string& name) { return RegisterClipboardFormatA(name.c_str()); }
bool formatAvailable(int64_t format) { return IsClipboardFormatAvailable(static_cast<UINT>(format)) != FALSE; }

std::string registeredFormatName(int64_t format) {
    if (format < 19 || format > 0xFFFF) return "";
    char name[256] = {};
    int n = GetClipboardFormatNameA(static_cast<UINT>(format), name, sizeof(name));
    return n > 0 ? std::string(name, static_cast<size_t>(n)) : "";
}

std::vector<int64_t> enumFormats() {
    std::vector<int64_t> formats;
    for (UINT f = EnumClipboardFormats(0); f != 0; f = EnumClipboardFormats(f)) formats.push_back(f);
    return formats;
}

bool setData(int64_t format, const rt::Value& data) {
    switch (format) {
        case kText:
        case kOemText: return setText(format, data.asString());
        case kUnicodeText: return setUnicodeText(data.asString());
        case kBitmap:
            return place(format, static_cast<HBITMAP>(CopyImage(handleFrom<HBITMAP>(data), IMAGE_BITMAP, 0, 0, 0)),
                         DeleteObject);
        case kPalette: return place(format, copyPalette(handleFrom<HPALETTE>(data)), DeleteObject);
        case kEnhMetafile:
            return place(format, CopyEnhMetaFileA(handleFrom<HENHMETAFILE>(data), nullptr), DeleteEnhMetaFile);
        case kMetafilePict: return setMetafilePicture(handleFrom<HMETAFILE>(data));
        case kDib: return placeBlock(format, copyBlock(handleFrom<HGLOBAL>(data)));
        case kHdrop: return setDropFiles(data);
        default: return false;
    }
}

rt::Value getData(int64_t format, intptr_t* memory) {
    switch (format) {
        case kText: case kOemText: case kUnicodeText: case kBitmap: case kPalette:
        case kEnhMetafile: case kMetafilePict: case kDib: case kHdrop: break;
        default: return {};
    }
    HANDLE h = GetClipboardData(static_cast<UINT>(format));
    if (!h) return {};
    if (memory) *memory = fromHandle(h);
    switch (format) {
        case kText:
        case kOemText: return readText(h);
        case kUnicodeText: return readUnicodeText(h);
        case kMetafilePict: return readMetafile(h);
        case kHdrop: return rt::Value(joinDropList(readDropFiles(blockBytes(h), wideToAnsi)));
        default: return handleValue(h);
    }
}

intptr_t setClipboardViewer(intptr_t window) { return fromHandle(SetClipboardViewer(reinterpret_cast<HWND>(window))); }
bool changeClipboardChain(intptr_t remove, intptr_t next) {
    return ChangeClipboardChain(reinterpret_cast<HWND>(remove), reinterpret_cast<HWND>(next)) != FALSE;
}
int64_t sequenceNumber() { return GetClipboardSequenceNumber(); }

}  // namespace vorpex::clip
