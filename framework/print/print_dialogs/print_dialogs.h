// XPrintDlg and XPageSetupDlg: the common print and page-setup dialogs, started from the current printer and
// its device mode in the printer cache, and writing the user's choice back into it (the printer the dialog
// names becomes the current one and keeps the chosen mode). Their flag properties are bits of nFlags.
// TPrintDlg and TPageSetupDlg are their user classes.
#pragma once

#include <cstdint>

#include "framework/core/object/component.h"
#include "framework/core/object/event.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"
#include "framework/print/print_dialogs/print_dialog_port.h"

namespace vorpex {

class XPrintDlg : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord();
    static inline const EventRef OnShow{"OnShow"}, OnClose{"OnClose"};
    VP_CONSTRUCTORS(Create)  // ([oParent]) -> Self; nCopies from Printer:nCopies
    VP_METHODS(Run,      // () -> logical: .T. when the user confirmed
               GetFlag,  // (n) -> .T. when nFlags has any bit of n
               SetFlag)  // (n, l) -> l: sets or clears the bits of n

    uint32_t nFlags() const { return static_cast<uint32_t>(field(kFlags).asInteger()); }
    // What a run hands the dialog, from the properties (0 pages mean 1 to 999 of 65535).
    print::PrintRequest request() const;

private:
    static inline int kCopies = -1, kFromPage = -1, kToPage = -1, kMinPage = -1, kMaxPage = -1, kCenter = -1,
                      kFlags = -1, kDC = -1, kLastError = -1;
    void takeAnswer(const print::PrintAnswer& a);
};

using TPrintDlg = UserClass<XPrintDlg, "TPrintDlg">;

class XPageSetupDlg : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord();
    static inline const EventRef OnShow{"OnShow"}, OnClose{"OnClose"};
    VP_METHODS(Run, SetFlag)

    print::PageSetupRequest request() const;

private:
    static inline int kPaperSize = -1, kMargins = -1, kMinMargins = -1, kCenter = -1, kFlags = -1, kLastError = -1;
    void takeAnswer(const print::PageSetupAnswer& a);
};

using TPageSetupDlg = UserClass<XPageSetupDlg, "TPageSetupDlg">;

// Registers the two classes and PRINTDLG(oParent, @nFromPage, @nToPage, @nCopies, @lCollate) and
// PAGESETUPDLG(oParent, @aPaperSize, @aMargins, lInInches).
void registerPrintDialogs();

}  // namespace vorpex
