// PrintDlgA and PageSetupDlgA with their hooks (the common dialogs' hook, dialogs/help/dialog_hook_win32.h).
#include <windows.h>

#include <commdlg.h>

#include <cstring>

#include "framework/dialogs/help/dialog_hook_win32.h"
#include "framework/print/print_dialogs/print_dialog_port.h"

namespace vorpex::print {

namespace {

// A movable global block holding `size` bytes copied from `bytes`.
HGLOBAL globalCopy(const void* bytes, size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!block) return nullptr;
    if (void* p = GlobalLock(block)) {
        std::memcpy(p, bytes, size);
        GlobalUnlock(block);
    }
    return block;
}

// DEVNAMES: four offsets (in characters from the block's start), then the driver, device and port names.
HGLOBAL devNames(const DialogPrinter& printer) {
    const size_t header = sizeof(DEVNAMES);
    std::string names = printer.driver + '\0' + printer.device + '\0' + printer.port + '\0';
    std::string block(header, '\0');
    DEVNAMES d{};
    d.wDriverOffset = static_cast<WORD>(header);
    d.wDeviceOffset = static_cast<WORD>(header + printer.driver.size() + 1);
    d.wOutputOffset = static_cast<WORD>(d.wDeviceOffset + printer.device.size() + 1);
    std::memcpy(block.data(), &d, header);
    block += names;
    return globalCopy(block.data(), block.size());
}

// The device name of a DEVNAMES block and a copy of a DEVMODE block.
void readChoice(HGLOBAL names, HGLOBAL mode, DialogChoice& choice) {
    if (names) {
        if (auto* d = static_cast<const DEVNAMES*>(GlobalLock(names))) {
            choice.device = reinterpret_cast<const char*>(d) + d->wDeviceOffset;
            GlobalUnlock(names);
        }
    }
    if (mode) {
        if (const void* m = GlobalLock(mode)) {
            choice.mode = DevMode::copyOf(m, GlobalSize(mode));
            GlobalUnlock(mode);
        }
    }
}

// The blocks a run hands the dialog; the dialog may replace them, so they are freed from the record at the end.
struct Blocks {
    HGLOBAL mode = nullptr, names = nullptr;
    explicit Blocks(const DialogPrinter& p) : mode(globalCopy(p.mode.data(), p.mode.size())), names(devNames(p)) {}
};
void freeBlocks(HGLOBAL mode, HGLOBAL names) {
    if (mode) GlobalFree(mode);
    if (names) GlobalFree(names);
}

// The hook's set-up from the run's frame.
UINT_PTR hookMessage(HWND dialog, UINT message, WPARAM wParam, const DialogFrame* frame, bool showsHelp) {
    if (!frame) return win::commonDialogHook(dialog, message, wParam, nullptr);
    const win::DialogHookSetUp setUp{frame->dialog, showsHelp, frame->center, reinterpret_cast<HWND>(frame->centerOver)};
    return win::commonDialogHook(dialog, message, wParam, &setUp);
}

UINT_PTR CALLBACK printHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* record = message == WM_INITDIALOG ? reinterpret_cast<const PRINTDLGA*>(lParam) : nullptr;
    const auto* frame = record ? reinterpret_cast<const DialogFrame*>(record->lCustData) : nullptr;
    return hookMessage(dialog, message, wParam, frame, record && (record->Flags & PD_SHOWHELP));
}

UINT_PTR CALLBACK pageSetupHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* record = message == WM_INITDIALOG ? reinterpret_cast<const PAGESETUPDLGA*>(lParam) : nullptr;
    const auto* frame = record ? reinterpret_cast<const DialogFrame*>(record->lCustData) : nullptr;
    return hookMessage(dialog, message, wParam, frame, record && (record->Flags & PSD_SHOWHELP));
}

RECT marginRect(const Margins& m) {
    return {static_cast<LONG>(m[0]), static_cast<LONG>(m[1]), static_cast<LONG>(m[2]), static_cast<LONG>(m[3])};
}

class WinPrintDialogPort final : public PrintDialogPort {
public:
    PrintAnswer print(const PrintRequest& r) override {
        Blocks blocks(r.printer);
        PRINTDLGA d{};
        d.lStructSize = sizeof d;
        d.hwndOwner = reinterpret_cast<HWND>(r.frame.owner);
        d.hDevMode = blocks.mode;
        d.hDevNames = blocks.names;
        d.Flags = r.flags | PD_USEDEVMODECOPIESANDCOLLATE | PD_ENABLEPRINTHOOK;
        d.nFromPage = static_cast<WORD>(r.fromPage);
        d.nToPage = static_cast<WORD>(r.toPage);
        d.nMinPage = static_cast<WORD>(r.minPage);
        d.nMaxPage = static_cast<WORD>(r.maxPage);
        d.nCopies = static_cast<WORD>(r.copies);
        d.lCustData = reinterpret_cast<LPARAM>(&r.frame);
        d.lpfnPrintHook = printHook;
        PrintAnswer a;
        a.ok = PrintDlgA(&d) != FALSE;
        if (a.ok) {
            a.flags = d.Flags;
            a.dc = reinterpret_cast<intptr_t>(d.hDC);
            a.copies = d.nCopies;
            a.fromPage = d.nFromPage;
            a.toPage = d.nToPage;
            readChoice(d.hDevNames, d.hDevMode, a);
        } else {
            a.error = CommDlgExtendedError();
        }
        freeBlocks(d.hDevMode, d.hDevNames);
        return a;
    }

    PageSetupAnswer pageSetup(const PageSetupRequest& r) override {
        Blocks blocks(r.printer);
        PAGESETUPDLGA d{};
        d.lStructSize = sizeof d;
        d.hwndOwner = reinterpret_cast<HWND>(r.frame.owner);
        d.hDevMode = blocks.mode;
        d.hDevNames = blocks.names;
        d.Flags = r.flags | PSD_ENABLEPAGESETUPHOOK;
        d.ptPaperSize = {static_cast<LONG>(r.paperWidth), static_cast<LONG>(r.paperHeight)};
        d.rtMargin = marginRect(r.margins);
        if (r.flags & PSD_MINMARGINS) d.rtMinMargin = marginRect(r.minMargins);
        d.lCustData = reinterpret_cast<LPARAM>(&r.frame);
        d.lpfnPageSetupHook = pageSetupHook;
        PageSetupAnswer a;
        a.ok = PageSetupDlgA(&d) != FALSE;
        if (a.ok) {
            a.paperWidth = d.ptPaperSize.x;
            a.paperHeight = d.ptPaperSize.y;
            a.margins = {d.rtMargin.left, d.rtMargin.top, d.rtMargin.right, d.rtMargin.bottom};
            readChoice(d.hDevNames, d.hDevMode, a);
        } else {
            a.error = CommDlgExtendedError();
        }
        freeBlocks(d.hDevMode, d.hDevNames);
        return a;
    }
};

}  // namespace

PrintDialogPort& platformPrintDialogPort() {
    static WinPrintDialogPort port;
    return port;
}

}  // namespace vorpex::print
