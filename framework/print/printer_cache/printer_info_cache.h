// PrinterInfoCache: the process-wide list of installed printers with one device mode per printer (loaded from
// the driver on first use and kept, edits included, for the rest of the run), the current printer, and the
// device contexts and settings of that printer. Every printer DC made or reset here has its origin at the
// physical corner of the sheet. The printer object and the print dialogs call it; with no printer installed
// every call gives its empty answer (0, "", {}, false, -1 for the status).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "framework/print/printer_cache/devmode.h"
#include "framework/print/printer_cache/print_platform.h"

namespace vorpex::print {

using Pair = std::array<int64_t, 2>;

class PrinterInfoCache {
public:
    // PRINTERINIT: (re)loads the list; the current printer is the first. False when there is no printer.
    bool init();
    // PRINTEREND.
    void end();
    bool loaded() const { return !printers_.empty(); }
    size_t count() const { return printers_.size(); }
    // PRINTERINDEX: a number from 1 to the count selects that printer; anything else is ignored. Answers the
    // current 1-based index, 0 when there is no printer.
    int64_t selectIndex(std::optional<int64_t> oneBased);
    const PrinterRecord* current() const { return loaded() ? &printers_[current_] : nullptr; }

    // The current printer's device mode, loaded when missing; null when it cannot be loaded.
    DevMode* currentMode();
    // Replaces the current printer's mode with a copy of the record at `record` (a dialog's answer).
    bool storeMode(const void* record, size_t available = SIZE_MAX);
    // A print dialog's answer: the printer of that exact name becomes the current one and keeps a copy of the
    // record as its mode. A name the cache does not know reloads the list once (a printer added meanwhile);
    // when it is still unknown nothing changes, so no printer's slot ever holds another driver's mode.
    bool choosePrinter(const std::string& name, const void* record, size_t available = SIZE_MAX);

    // Device contexts and documents.
    intptr_t createDC();
    intptr_t resetDC(intptr_t dc);
    bool deleteDC(intptr_t dc);
    bool startDoc(intptr_t dc, const std::string& name, const std::optional<std::string>& output);
    bool endDoc(intptr_t dc, bool keep);
    bool abortDoc(intptr_t dc);
    bool startPage(intptr_t dc);
    bool endPage(intptr_t dc);

    // What the printer object reads. `dc` is the object's DC; 0 makes one for the call.
    std::vector<std::string> names() const;
    std::string defaultPrinter();
    std::string port() const { return current() ? current()->port : ""; }
    std::string serverName() const { return current() ? current()->server : ""; }
    std::string shareName() const { return current() ? current()->share : ""; }
    std::string driverName() const { return current() ? current()->driver : ""; }
    int64_t status() const { return current() ? current()->status : -1; }
    Pair resolution(intptr_t dc);
    Pair paperRes(intptr_t dc);
    Pair paperSize(intptr_t dc);
    Pair paperPhysicalSize(intptr_t dc);
    Pair physicalOffset(intptr_t dc);
    // A device-mode setting, written first when `value` is given. PaperLength and PaperWidth answer the
    // sheet's physical length or width on `dc` in 0.1 mm instead of the field.
    int64_t setting(Setting s, std::optional<int64_t> value, intptr_t dc);
    std::vector<std::string> fonts();
    bool documentSetup(intptr_t owner);
    bool writeData(const std::string& data, const std::string& document);

    // Driver capabilities of a printer and port (the printer object passes its own).
    std::vector<std::string> paperNames(const std::string& printer, const std::string& port);
    std::vector<int64_t> paperTypes(const std::string& printer, const std::string& port);
    std::vector<Pair> paperSizes(const std::string& printer, const std::string& port);
    int64_t countPapers(const std::string& printer, const std::string& port);
    std::vector<std::string> binNames(const std::string& printer, const std::string& port);
    std::vector<int64_t> binTypes(const std::string& printer, const std::string& port);
    int64_t countBins(const std::string& printer, const std::string& port);
    std::vector<Pair> resolutions(const std::string& printer, const std::string& port);
    bool isDuplex(const std::string& printer, const std::string& port);

private:
    void applyOrigin(intptr_t dc);
    // Runs `f` on `dc`, or on a DC made for the call (and deleted after) when `dc` is 0.
    template <class F>
    auto onDC(intptr_t dc, F f) -> decltype(f(intptr_t{}));
    std::vector<int64_t> shorts(const std::string& printer, const std::string& port, Capability c);
    std::vector<Pair> pairs(const std::string& printer, const std::string& port, Capability c);

    std::vector<PrinterRecord> printers_;
    std::vector<std::optional<DevMode>> modes_;
    size_t current_ = 0;
};

PrinterInfoCache& printerCache();

// Registers PRINTERINIT, PRINTEREND, PRINTERINDEX, PRINTERCREATEDC, PRINTERRESETDC, PRINTERDELETEDC,
// PRINTERSTARTDOC, PRINTERENDDOC, PRINTERABORTDOC, PRINTERSTARTPAGE and PRINTERENDPAGE.
void registerPrinterFunctions();

}  // namespace vorpex::print
