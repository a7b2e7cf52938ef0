// The stand-in image library. A bitmap is a bottom-up 24-bit DIB (header, then bits) as the library hands
// them out; a multi-page bitmap holds every page decoded at its opening, so no COM object outlives a call.
// Memory handles point into the caller's bytes, which the caller keeps alive until it closes them.
#include <windows.h>
#include <wincodec.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The library's format codes.
constexpr int kUnknown = -1, kBmp = 0, kIco = 1, kJpeg = 2, kPng = 13, kTiff = 18, kGif = 25;

struct Memory {
    const BYTE* data = nullptr;
    DWORD size = 0;
};

struct Dib {
    BITMAPINFO info{};  // a 24-bit bitmap has no colour table
    std::vector<BYTE> bits;
};

struct MultiBitmap {
    std::vector<std::unique_ptr<Dib>> pages;
};

int formatOf(std::string_view head) {
    const std::pair<std::string_view, int> signatures[] = {
        {{"\x89PNG\r\n\x1a\n", 8}, kPng}, {{"II*\0", 4}, kTiff},   {{"MM\0*", 4}, kTiff}, {"GIF87a", kGif},
        {"GIF89a", kGif},                 {{"\xFF\xD8\xFF", 3}, kJpeg}, {"BM", kBmp},     {{"\0\0\1\0", 4}, kIco}};
    for (const auto& [signature, format] : signatures)
        if (head.starts_with(signature)) return format;
    return kUnknown;
}

// COM for the length of one call, whatever the calling thread had.
class ComScope {
public:
    ComScope() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope() {
        if (SUCCEEDED(hr_)) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    HRESULT hr_;
};

template <class T>
struct Released {
    T* p = nullptr;
    ~Released() {
        if (p) p->Release();
    }
    T** out() { return &p; }
};

// One frame as a bottom-up 24-bit DIB.
std::unique_ptr<Dib> dibOf(IWICBitmapFrameDecode* frame) {
    Released<IWICBitmapSource> converted;
    if (FAILED(WICConvertBitmapSource(GUID_WICPixelFormat24bppBGR, frame, converted.out()))) return nullptr;
    UINT width = 0, height = 0;
    if (FAILED(converted.p->GetSize(&width, &height)) || width == 0 || height == 0 || width > 65536 ||
        height > 65536)
        return nullptr;
    const UINT stride = (width * 3 + 3) & ~3u;
    std::vector<BYTE> topDown(static_cast<size_t>(stride) * height);
    if (FAILED(converted.p->CopyPixels(nullptr, stride, static_cast<UINT>(topDown.size()), topDown.data())))
        return nullptr;
    auto dib = std::make_unique<Dib>();
    BITMAPINFOHEADER& h = dib->info.bmiHeader;
    h.biSize = sizeof h;
    h.biWidth = static_cast<LONG>(width);
    h.biHeight = static_cast<LONG>(height);
    h.biPlanes = 1;
    h.biBitCount = 24;
    h.biCompression = BI_RGB;
    h.biSizeImage = static_cast<DWORD>(topDown.size());
    dib->bits.resize(topDown.size());
    for (UINT row = 0; row < height; ++row)
        std::memcpy(dib->bits.data() + static_cast<size_t>(height - 1 - row) * stride,
                    topDown.data() + static_cast<size_t>(row) * stride, stride);
    return dib;
}

// The pages (all, or only the first) of an image held in memory; none when WIC cannot read it.
std::vector<std::unique_ptr<Dib>> decode(const BYTE* data, DWORD size, bool allPages) {
    std::vector<std::unique_ptr<Dib>> pages;
    if (!data || size == 0) return pages;
    ComScope com;
    Released<IWICImagingFactory> factory;
    Released<IWICStream> stream;
    Released<IWICBitmapDecoder> decoder;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.out()))) ||
        FAILED(factory.p->CreateStream(stream.out())) ||
        FAILED(stream.p->InitializeFromMemory(const_cast<BYTE*>(data), size)) ||
        FAILED(factory.p->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand,
                                                  decoder.out())))
        return pages;
    UINT count = 0;
    if (FAILED(decoder.p->GetFrameCount(&count))) return pages;
    if (!allPages && count > 1) count = 1;
    for (UINT i = 0; i < count; ++i) {
        Released<IWICBitmapFrameDecode> frame;
        if (FAILED(decoder.p->GetFrame(i, frame.out()))) break;
        std::unique_ptr<Dib> dib = dibOf(frame.p);
        if (!dib) break;
        pages.push_back(std::move(dib));
    }
    return pages;
}

std::string readFile(const char* file) {
    std::ifstream in(file, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : std::string();
}

bool multiPageFormat(int format) { return format == kGif || format == kTiff; }

MultiBitmap* multiFrom(int format, const BYTE* data, DWORD size) {
    if (!multiPageFormat(format) || formatOf({reinterpret_cast<const char*>(data), size}) != format) return nullptr;
    auto multi = std::make_unique<MultiBitmap>();
    multi->pages = decode(data, size, true);
    if (multi->pages.empty()) return nullptr;
    return multi.release();
}

}  // namespace

extern "C" {

void* WINAPI FreeImage_OpenMemory(const BYTE* data, DWORD size) {
    if (!data || size == 0) return nullptr;
    return new Memory{data, size};
}

void WINAPI FreeImage_CloseMemory(void* memory) { delete static_cast<Memory*>(memory); }

int WINAPI FreeImage_GetFileTypeFromMemory(void* memory, int /*size*/) {
    const auto* m = static_cast<const Memory*>(memory);
    if (!m) return kUnknown;
    return formatOf({reinterpret_cast<const char*>(m->data), m->size});
}

int WINAPI FreeImage_GetFileType(const char* file, int /*size*/) {
    if (!file) return kUnknown;
    return formatOf(readFile(file));
}

void* WINAPI FreeImage_LoadFromMemory(int format, void* memory, int /*flags*/) {
    const auto* m = static_cast<const Memory*>(memory);
    if (!m || format == kUnknown) return nullptr;
    std::vector<std::unique_ptr<Dib>> pages = decode(m->data, m->size, false);
    return pages.empty() ? nullptr : pages.front().release();
}

BITMAPINFOHEADER* WINAPI FreeImage_GetInfoHeader(void* dib) {
    return dib ? &static_cast<Dib*>(dib)->info.bmiHeader : nullptr;
}

BITMAPINFO* WINAPI FreeImage_GetInfo(void* dib) {
    return dib ? &static_cast<Dib*>(dib)->info : nullptr;
}

BYTE* WINAPI FreeImage_GetBits(void* dib) {
    return dib ? static_cast<Dib*>(dib)->bits.data() : nullptr;
}

void WINAPI FreeImage_Unload(void* dib) { delete static_cast<Dib*>(dib); }

void* WINAPI FreeImage_LoadMultiBitmapFromMemory(int format, void* memory, int /*flags*/) {
    const auto* m = static_cast<const Memory*>(memory);
    return m ? multiFrom(format, m->data, m->size) : nullptr;
}

// Read-only opening only: the stand-in writes no files.
void* WINAPI FreeImage_OpenMultiBitmap(int format, const char* file, BOOL createNew, BOOL readOnly,
                                       BOOL /*keepInMemory*/, int /*flags*/) {
    if (!file || createNew || !readOnly) return nullptr;
    const std::string bytes = readFile(file);
    if (bytes.empty() || bytes.size() > MAXDWORD) return nullptr;
    return multiFrom(format, reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
}

BOOL WINAPI FreeImage_CloseMultiBitmap(void* bitmap, int /*flags*/) {
    delete static_cast<MultiBitmap*>(bitmap);
    return TRUE;
}

int WINAPI FreeImage_GetPageCount(void* bitmap) {
    return bitmap ? static_cast<int>(static_cast<MultiBitmap*>(bitmap)->pages.size()) : 0;
}

// A locked page is lent: it stays the multi-page bitmap's, and unlocking gives nothing back.
void* WINAPI FreeImage_LockPage(void* bitmap, int page) {
    auto* multi = static_cast<MultiBitmap*>(bitmap);
    if (!multi || page < 0 || static_cast<size_t>(page) >= multi->pages.size()) return nullptr;
    return multi->pages[static_cast<size_t>(page)].get();
}

void WINAPI FreeImage_UnlockPage(void* /*bitmap*/, void* /*page*/, BOOL /*changed*/) {}

}  // extern "C"
