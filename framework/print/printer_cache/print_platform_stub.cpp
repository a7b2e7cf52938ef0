// Where there is no Windows there is no spooler: no printers, no device contexts.
#include "framework/print/printer_cache/print_platform.h"

namespace vorpex::print {

namespace {

class NoPrinters final : public PrintPlatform {
public:
    std::optional<std::vector<PrinterRecord>> enumPrinters() override { return std::vector<PrinterRecord>{}; }
    std::optional<DevMode> loadDevMode(const std::string&) override { return std::nullopt; }
    intptr_t createDC(const std::string&, const DevMode&) override { return 0; }
    intptr_t resetDC(intptr_t, const DevMode&) override { return 0; }
    bool deleteDC(intptr_t) override { return false; }
    int64_t deviceCaps(intptr_t, DeviceCap) override { return 0; }
    void setViewportOrigin(intptr_t, int64_t, int64_t) override {}
    int64_t startDoc(intptr_t, const std::string&, const std::optional<std::string>&) override { return 0; }
    int64_t endDoc(intptr_t) override { return 0; }
    int64_t abortDoc(intptr_t) override { return 0; }
    int64_t startPage(intptr_t) override { return 0; }
    int64_t endPage(intptr_t) override { return 0; }
    std::string defaultPrinter() override { return ""; }
    CapabilityAnswer capability(const std::string&, const std::string&, Capability) override { return {}; }
    std::vector<PrinterFont> fonts(intptr_t) override { return {}; }
    std::optional<DevMode> propertiesDialog(const std::string&, intptr_t, const DevMode&) override {
        return std::nullopt;
    }
    bool writeRaw(const std::string&, const std::string&, const std::string&) override { return false; }
};

}  // namespace

PrintPlatform& systemPrintPlatform() {
    static NoPrinters none;
    return none;
}

}  // namespace vorpex::print
