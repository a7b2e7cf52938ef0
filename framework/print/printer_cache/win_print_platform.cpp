// The printer cache's platform: WINSPOOL for printers and their device modes, GDI for device contexts.
#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "framework/print/printer_cache/print_platform.h"

namespace vorpex::print {

namespace {

// The neutral offsets must match the platform's record.
static_assert(offsetof(DEVMODEA, dmSize) == dm::kSize);
static_assert(offsetof(DEVMODEA, dmDriverExtra) == dm::kDriverExtra);
static_assert(offsetof(DEVMODEA, dmFields) == dm::kFields);
static_assert(offsetof(DEVMODEA, dmOrientation) == dm::kOrientation);
static_assert(offsetof(DEVMODEA, dmPaperSize) == dm::kPaperSize);
static_assert(offsetof(DEVMODEA, dmPaperLength) == dm::kPaperLength);
static_assert(offsetof(DEVMODEA, dmPaperWidth) == dm::kPaperWidth);
static_assert(offsetof(DEVMODEA, dmCopies) == dm::kCopies);
static_assert(offsetof(DEVMODEA, dmDefaultSource) == dm::kDefaultSource);
static_assert(offsetof(DEVMODEA, dmPrintQuality) == dm::kPrintQuality);
static_assert(offsetof(DEVMODEA, dmColor) == dm::kColor);
static_assert(offsetof(DEVMODEA, dmDuplex) == dm::kDuplex);
static_assert(offsetof(DEVMODEA, dmYResolution) == dm::kYResolution);
static_assert(offsetof(DEVMODEA, dmCollate) == dm::kCollate);
static_assert(sizeof(DEVMODEA) == dm::kClassicSize);

HDC toDC(intptr_t dc) { return reinterpret_cast<HDC>(dc); }
std::string text(const char* s) { return s ? s : ""; }

// An open printer, closed when it goes out of scope.
class PrinterHandle {
public:
    explicit PrinterHandle(const std::string& name) {
        if (!OpenPrinterA(const_cast<char*>(name.c_str()), &handle_, nullptr)) handle_ = nullptr;
    }
    ~PrinterHandle() {
        if (handle_) ClosePrinter(handle_);
    }
    PrinterHandle(const PrinterHandle&) = delete;
    PrinterHandle& operator=(const PrinterHandle&) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_ = nullptr;
};

// DocumentPropertiesA into a block of the driver's size; the mode when the call answered IDOK.
std::optional<DevMode> documentProperties(HWND owner, const std::string& printer, const DevMode* in, DWORD mode) {
    PrinterHandle p(printer);
    if (!p.get()) return std::nullopt;
    char* name = const_cast<char*>(printer.c_str());
    const LONG size = DocumentPropertiesA(owner, p.get(), name, nullptr, nullptr, 0);
    if (size <= 0) return std::nullopt;
    std::vector<uint8_t> block(static_cast<size_t>(size));
    auto* out = reinterpret_cast<DEVMODEA*>(block.data());
    auto* input = in ? reinterpret_cast<DEVMODEA*>(const_cast<uint8_t*>(in->data())) : nullptr;
    if (DocumentPropertiesA(owner, p.get(), name, out, input, mode) != IDOK) return std::nullopt;
    return DevMode::copyOf(block.data(), block.size());
}

int indexOf(DeviceCap cap) {
    switch (cap) {
        case DeviceCap::LogPixelsX: return LOGPIXELSX;
        case DeviceCap::LogPixelsY: return LOGPIXELSY;
        case DeviceCap::HorzRes: return HORZRES;
        case DeviceCap::VertRes: return VERTRES;
        case DeviceCap::HorzSize: return HORZSIZE;
        case DeviceCap::VertSize: return VERTSIZE;
        case DeviceCap::PhysicalWidth: return PHYSICALWIDTH;
        case DeviceCap::PhysicalHeight: return PHYSICALHEIGHT;
        case DeviceCap::PhysicalOffsetX: return PHYSICALOFFSETX;
        case DeviceCap::PhysicalOffsetY: return PHYSICALOFFSETY;
    }
    return 0;
}

WORD capabilityOf(Capability c) {
    switch (c) {
        case Capability::PaperNames: return DC_PAPERNAMES;
        case Capability::Papers: return DC_PAPERS;
        case Capability::PaperSize: return DC_PAPERSIZE;
        case Capability::BinNames: return DC_BINNAMES;
        case Capability::Bins: return DC_BINS;
        case Capability::Resolutions: return DC_ENUMRESOLUTIONS;
        case Capability::Duplex: return DC_DUPLEX;
    }
    return 0;
}

int CALLBACK collectFont(const LOGFONTA* lf, const TEXTMETRICA*, DWORD type, LPARAM list) {
    reinterpret_cast<std::vector<PrinterFont>*>(list)->push_back({lf->lfFaceName, static_cast<int64_t>(type)});
    return 1;
}

class Win32Printing final : public PrintPlatform {
public:
    std::optional<std::vector<PrinterRecord>> enumPrinters() override {
        const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
        DWORD needed = 0, returned = 0;
        EnumPrintersA(flags, nullptr, 2, nullptr, 0, &needed, &returned);
        if (needed == 0) return std::vector<PrinterRecord>{};
        std::vector<uint8_t> block(needed);
        if (!EnumPrintersA(flags, nullptr, 2, block.data(), needed, &needed, &returned)) return std::nullopt;
        std::vector<PrinterRecord> list;
        const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(block.data());
        for (DWORD i = 0; i < returned; ++i)
            list.push_back({text(info[i].pPrinterName), text(info[i].pServerName), text(info[i].pShareName),
                            text(info[i].pPortName), text(info[i].pDriverName), static_cast<int64_t>(info[i].Status)});
        return list;
    }

    std::optional<DevMode> loadDevMode(const std::string& printer) override {
        return documentProperties(GetDesktopWindow(), printer, nullptr, DM_OUT_BUFFER);
    }

    intptr_t createDC(const std::string& printer, const DevMode& mode) override {
        return reinterpret_cast<intptr_t>(
            CreateDCA("WINSPOOL", printer.c_str(), nullptr, reinterpret_cast<const DEVMODEA*>(mode.data())));
    }
    intptr_t resetDC(intptr_t dc, const DevMode& mode) override {
        return reinterpret_cast<intptr_t>(ResetDCA(toDC(dc), reinterpret_cast<const DEVMODEA*>(mode.data())));
    }
    bool deleteDC(intptr_t dc) override { return DeleteDC(toDC(dc)) != 0; }
    int64_t deviceCaps(intptr_t dc, DeviceCap cap) override { return GetDeviceCaps(toDC(dc), indexOf(cap)); }
    void setViewportOrigin(intptr_t dc, int64_t x, int64_t y) override {
        SetViewportOrgEx(toDC(dc), static_cast<int>(x), static_cast<int>(y), nullptr);
    }

    int64_t startDoc(intptr_t dc, const std::string& name, const std::optional<std::string>& output) override {
        DOCINFOA info{};
        info.cbSize = sizeof info;
        info.lpszDocName = name.c_str();
        info.lpszOutput = output ? output->c_str() : nullptr;
        return StartDocA(toDC(dc), &info);
    }
    int64_t endDoc(intptr_t dc) override { return EndDoc(toDC(dc)); }
    int64_t abortDoc(intptr_t dc) override { return AbortDoc(toDC(dc)); }
    int64_t startPage(intptr_t dc) override { return StartPage(toDC(dc)); }
    int64_t endPage(intptr_t dc) override { return EndPage(toDC(dc)); }

    std::string defaultPrinter() override {
        // Looked up at each call: the function and even the library may be missing.
        using GetDefault = BOOL(WINAPI*)(LPSTR, LPDWORD);
        HMODULE spooler = GetModuleHandleA("winspool.drv");
        if (!spooler) spooler = LoadLibraryA("winspool.drv");
        if (!spooler) return "";
        auto get = reinterpret_cast<GetDefault>(reinterpret_cast<void*>(GetProcAddress(spooler, "GetDefaultPrinterA")));
        if (!get) return "";
        char name[256] = {};
        DWORD size = sizeof name;
        if (!get(name, &size)) return "";
        return std::string(name, strnlen(name, sizeof name));
    }

    CapabilityAnswer capability(const std::string& printer, const std::string& port, Capability c) override {
        const WORD what = capabilityOf(c);
        const int count = DeviceCapabilitiesA(printer.c_str(), port.c_str(), what, nullptr, nullptr);
        if (count <= 0) return {};
        const size_t element = elementSize(c);
        if (element == 0) return {count, {}};
        // Room for what the driver said, plus one spare element should it write more the second time.
        std::vector<uint8_t> data((static_cast<size_t>(count) + 1) * element, 0);
        const int filled = DeviceCapabilitiesA(printer.c_str(), port.c_str(), what,
                                               reinterpret_cast<LPSTR>(data.data()), nullptr);
        if (filled <= 0) return {};
        const int64_t n = std::min(count, filled);
        data.resize(static_cast<size_t>(n) * element);
        return {n, std::move(data)};
    }

    std::vector<PrinterFont> fonts(intptr_t dc) override {
        LOGFONTA lf{};
        lf.lfCharSet = DEFAULT_CHARSET;
        std::vector<PrinterFont> list;
        EnumFontFamiliesExA(toDC(dc), &lf, collectFont, reinterpret_cast<LPARAM>(&list), 0);
        return list;
    }

    std::optional<DevMode> propertiesDialog(const std::string& printer, intptr_t owner, const DevMode& current) override {
        HWND window = reinterpret_cast<HWND>(owner);
        if (!window) window = GetActiveWindow();
        if (!window) window = GetDesktopWindow();
        return documentProperties(window, printer, &current, DM_IN_BUFFER | DM_IN_PROMPT | DM_OUT_BUFFER);
    }

    bool writeRaw(const std::string& printer, const std::string& document, const std::string& data) override {
        PrinterHandle p(printer);
        if (!p.get()) return false;
        DOC_INFO_1A info{};
        info.pDocName = const_cast<char*>(document.c_str());
        if (!StartDocPrinterA(p.get(), 1, reinterpret_cast<LPBYTE>(&info))) return false;
        StartPagePrinter(p.get());
        DWORD written = 0;
        const bool ok = WritePrinter(p.get(), const_cast<char*>(data.data()), static_cast<DWORD>(data.size()), &written) &&
                        written == data.size();
        EndPagePrinter(p.get());
        EndDocPrinter(p.get());
        return ok;
    }
};

}  // namespace

PrintPlatform& systemPrintPlatform() {
    static Win32Printing printing;
    return printing;
}

}  // namespace vorpex::print
