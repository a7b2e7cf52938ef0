#include "framework/print/printer_cache/printer_info_cache.h"

#include <cstring>

namespace vorpex::print {

namespace {

constexpr int64_t kRasterFont = 1;
constexpr int64_t kDeviceFont = 2;

}  // namespace

PrinterInfoCache& printerCache() {
    static PrinterInfoCache cache;
    return cache;
}

bool PrinterInfoCache::init() {
    end();
    auto list = printPlatform().enumPrinters();
    if (!list) return false;
    printers_ = std::move(*list);
    modes_.assign(printers_.size(), std::nullopt);
    return loaded();
}

void PrinterInfoCache::end() {
    printers_.clear();
    modes_.clear();
    current_ = 0;
}

int64_t PrinterInfoCache::selectIndex(std::optional<int64_t> oneBased) {
    if (oneBased && *oneBased >= 1 && *oneBased <= static_cast<int64_t>(count()))
        current_ = static_cast<size_t>(*oneBased - 1);
    // With no printer there is no current one: 0, not 1.
    return loaded() ? static_cast<int64_t>(current_) + 1 : 0;
}

DevMode* PrinterInfoCache::currentMode() {
    if (!loaded()) return nullptr;
    std::optional<DevMode>& mode = modes_[current_];
    if (!mode) mode = printPlatform().loadDevMode(printers_[current_].name);
    return mode ? &*mode : nullptr;
}

bool PrinterInfoCache::storeMode(const void* record, size_t available) {
    if (!loaded()) return false;
    auto copy = DevMode::copyOf(record, available);
    if (!copy) return false;
    modes_[current_] = std::move(copy);
    return true;
}

bool PrinterInfoCache::choosePrinter(const std::string& name, const void* record, size_t available) {
    const auto find = [this, &name]() -> std::optional<size_t> {
        for (size_t i = 0; i < printers_.size(); ++i)
            if (printers_[i].name == name) return i;
        return std::nullopt;
    };
    std::optional<size_t> index = find();
    if (!index && init()) index = find();
    if (!index) return false;
    current_ = *index;
    return storeMode(record, available);
}

void PrinterInfoCache::applyOrigin(intptr_t dc) {
    PrintPlatform& p = printPlatform();
    p.setViewportOrigin(dc, -p.deviceCaps(dc, DeviceCap::PhysicalOffsetX), -p.deviceCaps(dc, DeviceCap::PhysicalOffsetY));
}

intptr_t PrinterInfoCache::createDC() {
    if (!loaded()) return 0;
    DevMode* mode = currentMode();
    // A printer that went away since the list was read: read the list again for the next attempt.
    if (!mode) {
        init();
        return 0;
    }
    const intptr_t dc = printPlatform().createDC(printers_[current_].name, *mode);
    if (!dc) {
        init();
        return 0;
    }
    applyOrigin(dc);
    return dc;
}

intptr_t PrinterInfoCache::resetDC(intptr_t dc) {
    if (!dc) return 0;
    if (loaded() && modes_[current_]) {
        const intptr_t reset = printPlatform().resetDC(dc, *modes_[current_]);
        if (reset) dc = reset;
    }
    applyOrigin(dc);
    return dc;
}

bool PrinterInfoCache::deleteDC(intptr_t dc) { return dc && printPlatform().deleteDC(dc); }

bool PrinterInfoCache::startDoc(intptr_t dc, const std::string& name, const std::optional<std::string>& output) {
    return dc && printPlatform().startDoc(dc, name, output) > 0;
}

bool PrinterInfoCache::endDoc(intptr_t dc, bool keep) {
    if (!dc) return false;
    const bool ended = printPlatform().endDoc(dc) > 0;
    if (!keep) printPlatform().deleteDC(dc);
    return ended;
}

bool PrinterInfoCache::abortDoc(intptr_t dc) { return dc && printPlatform().abortDoc(dc) > 0; }

bool PrinterInfoCache::startPage(intptr_t dc) {
    if (!dc || printPlatform().startPage(dc) <= 0) return false;
    // The system puts the origin back at each page.
    applyOrigin(dc);
    return true;
}

bool PrinterInfoCache::endPage(intptr_t dc) { return dc && printPlatform().endPage(dc) > 0; }

std::vector<std::string> PrinterInfoCache::names() const {
    std::vector<std::string> out;
    for (const PrinterRecord& r : printers_) out.push_back(r.name);
    return out;
}

std::string PrinterInfoCache::defaultPrinter() { return printPlatform().defaultPrinter(); }

template <class F>
auto PrinterInfoCache::onDC(intptr_t dc, F f) -> decltype(f(intptr_t{})) {
    if (dc) return f(dc);
    const intptr_t own = createDC();
    if (!own) return decltype(f(intptr_t{})){};
    auto result = f(own);
    printPlatform().deleteDC(own);
    return result;
}

Pair PrinterInfoCache::resolution(intptr_t dc) {
    DevMode* mode = currentMode();
    if (!mode) return {0, 0};
    const int64_t x = mode->readShort(dm::kPrintQuality), y = mode->readShort(dm::kYResolution);
    if (x >= 1 && y >= 1) return {x, y};
    return onDC(dc, [](intptr_t d) {
        PrintPlatform& p = printPlatform();
        return Pair{p.deviceCaps(d, DeviceCap::LogPixelsX), p.deviceCaps(d, DeviceCap::LogPixelsY)};
    });
}

Pair PrinterInfoCache::paperRes(intptr_t dc) {
    return onDC(dc, [](intptr_t d) {
        PrintPlatform& p = printPlatform();
        return Pair{p.deviceCaps(d, DeviceCap::HorzRes), p.deviceCaps(d, DeviceCap::VertRes)};
    });
}

Pair PrinterInfoCache::paperSize(intptr_t dc) {
    return onDC(dc, [](intptr_t d) {
        PrintPlatform& p = printPlatform();
        return Pair{p.deviceCaps(d, DeviceCap::HorzSize) * 10, p.deviceCaps(d, DeviceCap::VertSize) * 10};
    });
}

Pair PrinterInfoCache::paperPhysicalSize(intptr_t dc) {
    return onDC(dc, [](intptr_t d) {
        PrintPlatform& p = printPlatform();
        return Pair{tenthsOfMm(p.deviceCaps(d, DeviceCap::PhysicalWidth), p.deviceCaps(d, DeviceCap::LogPixelsX)),
                    tenthsOfMm(p.deviceCaps(d, DeviceCap::PhysicalHeight), p.deviceCaps(d, DeviceCap::LogPixelsY))};
    });
}

Pair PrinterInfoCache::physicalOffset(intptr_t dc) {
    return onDC(dc, [](intptr_t d) {
        PrintPlatform& p = printPlatform();
        return Pair{tenthsOfMm(p.deviceCaps(d, DeviceCap::PhysicalOffsetX), p.deviceCaps(d, DeviceCap::LogPixelsX)),
                    tenthsOfMm(p.deviceCaps(d, DeviceCap::PhysicalOffsetY), p.deviceCaps(d, DeviceCap::LogPixelsY))};
    });
}

int64_t PrinterInfoCache::setting(Setting s, std::optional<int64_t> value, intptr_t dc) {
    DevMode* mode = currentMode();
    if (!mode) return 0;
    const int64_t field = applySetting(*mode, s, value);
    if (s == Setting::PaperLength) return paperPhysicalSize(dc)[1];
    if (s == Setting::PaperWidth) return paperPhysicalSize(dc)[0];
    return field;
}

std::vector<std::string> PrinterInfoCache::fonts() {
    const intptr_t dc = createDC();
    if (!dc) return {};
    std::vector<std::string> names;
    for (const PrinterFont& f : printPlatform().fonts(dc))
        if ((f.type & kRasterFont) && (f.type & kDeviceFont)) names.push_back(f.name);
    printPlatform().deleteDC(dc);
    return names;
}

bool PrinterInfoCache::documentSetup(intptr_t owner) {
    DevMode* mode = currentMode();
    if (!mode) return false;
    auto edited = printPlatform().propertiesDialog(printers_[current_].name, owner, *mode);
    if (!edited) return false;
    *mode = std::move(*edited);
    return true;
}

bool PrinterInfoCache::writeData(const std::string& data, const std::string& document) {
    if (!loaded()) return false;
    return printPlatform().writeRaw(printers_[current_].name, document, data);
}

// ---- capabilities

std::vector<int64_t> PrinterInfoCache::shorts(const std::string& printer, const std::string& port, Capability c) {
    const CapabilityAnswer a = printPlatform().capability(printer, port, c);
    std::vector<int64_t> out;
    for (int64_t i = 0; i < a.count && static_cast<size_t>(i + 1) * 2 <= a.data.size(); ++i) {
        uint16_t v;
        std::memcpy(&v, a.data.data() + i * 2, 2);
        out.push_back(v);
    }
    return out;
}

std::vector<Pair> PrinterInfoCache::pairs(const std::string& printer, const std::string& port, Capability c) {
    const CapabilityAnswer a = printPlatform().capability(printer, port, c);
    std::vector<Pair> out;
    for (int64_t i = 0; i < a.count && static_cast<size_t>(i + 1) * 8 <= a.data.size(); ++i) {
        int32_t xy[2];
        std::memcpy(xy, a.data.data() + i * 8, 8);
        out.push_back({xy[0], xy[1]});
    }
    return out;
}

std::vector<std::string> PrinterInfoCache::paperNames(const std::string& printer, const std::string& port) {
    const CapabilityAnswer a = printPlatform().capability(printer, port, Capability::PaperNames);
    return a.count > 0 ? fixedWidthNames(a.data, static_cast<size_t>(a.count), 64) : std::vector<std::string>{};
}

std::vector<int64_t> PrinterInfoCache::paperTypes(const std::string& printer, const std::string& port) {
    return shorts(printer, port, Capability::Papers);
}

std::vector<Pair> PrinterInfoCache::paperSizes(const std::string& printer, const std::string& port) {
    return pairs(printer, port, Capability::PaperSize);
}

int64_t PrinterInfoCache::countPapers(const std::string& printer, const std::string& port) {
    const int64_t n = printPlatform().capability(printer, port, Capability::Papers).count;
    return n > 0 ? n : 0;
}

std::vector<std::string> PrinterInfoCache::binNames(const std::string& printer, const std::string& port) {
    const CapabilityAnswer a = printPlatform().capability(printer, port, Capability::BinNames);
    return a.count > 0 ? fixedWidthNames(a.data, static_cast<size_t>(a.count), 24) : std::vector<std::string>{};
}

std::vector<int64_t> PrinterInfoCache::binTypes(const std::string& printer, const std::string& port) {
    return shorts(printer, port, Capability::Bins);
}

int64_t PrinterInfoCache::countBins(const std::string& printer, const std::string& port) {
    const int64_t n = printPlatform().capability(printer, port, Capability::Bins).count;
    return n > 0 ? n : 0;
}

std::vector<Pair> PrinterInfoCache::resolutions(const std::string& printer, const std::string& port) {
    return pairs(printer, port, Capability::Resolutions);
}

bool PrinterInfoCache::isDuplex(const std::string& printer, const std::string& port) {
    return printPlatform().capability(printer, port, Capability::Duplex).count > 0;
}

}  // namespace vorpex::print
