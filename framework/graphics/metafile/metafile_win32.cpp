// The metafile port over the EMF API. The description is read as the header stores it (UTF-16, with its
// own length), not as a C string, so both of its parts come back.
#include <windows.h>

#include <vector>

#include "framework/graphics/metafile/metafile_port.h"

namespace vorpex::gfx {

namespace {

HENHMETAFILE emfOf(intptr_t h) { return reinterpret_cast<HENHMETAFILE>(h); }
HDC dcOf(intptr_t h) { return reinterpret_cast<HDC>(h); }
intptr_t handleNumber(const void* h) { return reinterpret_cast<intptr_t>(h); }

// The stored description in the ANSI code page, NULs included; "" when there is none.
std::string descriptionOf(HENHMETAFILE emf) {
    const UINT length = GetEnhMetaFileDescriptionA(emf, 0, nullptr);
    if (length == 0 || length == GDI_ERROR) return {};
    std::vector<char> text(length);
    const UINT got = GetEnhMetaFileDescriptionA(emf, length, text.data());
    if (got == 0 || got == GDI_ERROR) return {};
    return std::string(text.data(), std::min<size_t>(got, length));
}

class Win32MetafilePort final : public MetafilePort {
public:
    intptr_t record(intptr_t refDc, const std::string& file, int64_t width, int64_t height,
                    const std::string& description) override {
        const RECT frame{0, 0, static_cast<LONG>(width), static_cast<LONG>(height)};
        const bool framed = width > 0 && height > 0;
        return handleNumber(CreateEnhMetaFileA(dcOf(refDc), file.empty() ? nullptr : file.c_str(), framed ? &frame : nullptr,
                                      description.empty() ? nullptr : description.c_str()));
    }
    intptr_t close(intptr_t dc) override { return dc ? handleNumber(CloseEnhMetaFile(dcOf(dc))) : 0; }
    intptr_t load(const std::string& file) override { return file.empty() ? 0 : handleNumber(GetEnhMetaFileA(file.c_str())); }
    bool remove(intptr_t emf) override { return emf && DeleteEnhMetaFile(emfOf(emf)); }
    bool play(intptr_t dc, intptr_t emf, int64_t left, int64_t top, int64_t right, int64_t bottom) override {
        if (!dc || !emf) return false;
        const RECT r{static_cast<LONG>(left), static_cast<LONG>(top), static_cast<LONG>(right),
                     static_cast<LONG>(bottom)};
        return PlayEnhMetaFile(dcOf(dc), emfOf(emf), &r);
    }
    intptr_t copy(intptr_t emf, const std::string& file) override {
        return emf ? handleNumber(CopyEnhMetaFileA(emfOf(emf), file.empty() ? nullptr : file.c_str())) : 0;
    }
    std::optional<EmfHeader> header(intptr_t emf) override {
        ENHMETAHEADER h{};
        if (!emf || GetEnhMetaFileHeader(emfOf(emf), sizeof h, &h) == 0) return std::nullopt;
        EmfHeader e;
        e.type = h.iType;
        e.bytes = h.nBytes;
        e.boundsWidth = h.rclBounds.right - h.rclBounds.left;
        e.boundsHeight = h.rclBounds.bottom - h.rclBounds.top;
        e.frameWidth = h.rclFrame.right - h.rclFrame.left;
        e.frameHeight = h.rclFrame.bottom - h.rclFrame.top;
        e.version = h.nVersion;
        e.records = h.nRecords;
        e.description = readableDescription(descriptionOf(emfOf(emf)));
        e.devicePixelsX = h.szlDevice.cx;
        e.devicePixelsY = h.szlDevice.cy;
        e.deviceMillimetresX = h.szlMillimeters.cx;
        e.deviceMillimetresY = h.szlMillimeters.cy;
        return e;
    }
    bool fileExists(const std::string& file) override {
        const DWORD attributes = GetFileAttributesA(file.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
};

}  // namespace

MetafilePort& platformMetafilePort() {
    static Win32MetafilePort port;
    return port;
}

}  // namespace vorpex::gfx
