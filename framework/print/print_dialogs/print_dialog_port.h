// What the print and page-setup dialogs ask of the system, behind one interface: the classes' rules (what a
// run sends, what an answer changes) are tested natively over a stand-in; the Windows build runs PrintDlgA and
// PageSetupDlgA with hooks that take context help away when the dialog has no Help, centre it on request and
// route its Help button; they offer the finished window to the tests' answerer (dialogs/dialog_answerer.h).
// Without a system every run is a cancel.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "framework/print/printer_cache/devmode.h"
#include "runtime/core/object.h"

namespace vorpex::print {

// The printer a dialog starts from: its mode (sent as hDevMode) and its names (sent as hDevNames).
struct DialogPrinter {
    DevMode mode;
    std::string driver, device, port;
};

// What every run shares: the owner window, the dialog object (the hooks' data), whether to centre it and
// over which window.
struct DialogFrame {
    intptr_t owner = 0;
    rt::Object* dialog = nullptr;
    bool center = false;
    intptr_t centerOver = 0;
};

struct PrintRequest {
    DialogFrame frame;
    uint32_t flags = 0;
    int64_t copies = 1, fromPage = 1, toPage = 999, minPage = 0, maxPage = 65535;
    DialogPrinter printer;
};

// The device mode and the device name the user chose; `error` is CommDlgExtendedError after a cancel.
struct DialogChoice {
    bool ok = false;
    std::string device;
    std::optional<DevMode> mode;
    uint32_t error = 0;
};

struct PrintAnswer : DialogChoice {
    uint32_t flags = 0;
    intptr_t dc = 0;
    int64_t copies = 0, fromPage = 0, toPage = 0;
};

using Margins = std::array<int64_t, 4>;

struct PageSetupRequest {
    DialogFrame frame;
    uint32_t flags = 0;
    int64_t paperWidth = 0, paperHeight = 0;
    Margins margins{}, minMargins{};
    DialogPrinter printer;
};

struct PageSetupAnswer : DialogChoice {
    int64_t paperWidth = 0, paperHeight = 0;
    Margins margins{};
};

class PrintDialogPort {
public:
    virtual ~PrintDialogPort() = default;
    virtual PrintAnswer print(const PrintRequest&) { return {}; }
    virtual PageSetupAnswer pageSetup(const PageSetupRequest&) { return {}; }
};

PrintDialogPort& printDialogPort();
// Installs a port (tests); nullptr goes back to the platform's. The caller keeps it alive while installed.
void setPrintDialogPort(PrintDialogPort* port);
PrintDialogPort& platformPrintDialogPort();

}  // namespace vorpex::print
