// XPrinter: the program's one printer object (the public `Printer`). It lists the installed printers and
// the current one, shows the current printer's device-mode settings as properties, and drives a print job:
// pages drawn through a canvas on a printer context, or, in preview, recorded page by page by a preview
// device. TPrinter is its user class; TPrnExportInfo carries the preview's export options.
#pragma once

#include <cstdint>
#include <optional>

#include "framework/core/object/component.h"
#include "framework/core/object/event.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"
#include "framework/print/printer_cache/devmode.h"

namespace vorpex {

class XPrinter : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord();
    static inline const EventRef OnPreview{"OnPreview"};

    rt::Value Initialize(rt::Args args);  // () -> the one `Printer`
    VP_CONSTRUCTORS(Create)  // () -> Self: loads the printer list
    rt::Value Destroy(rt::Args args) override;
    VP_METHODS(StartDoc,     // ([cJobTitle], [oWndOwner], [hDC]) -> logical
               StartPage,    // () -> logical
               EndPage,      // () -> logical
               EndDoc,       // () -> logical
               AbortDoc,     // () -> logical
               Reset,        // () re-initialises the job's context after a setting changed
               Preview,      // ([nShowMode], [lModal], [oParent], [bOnClose]) -> logical
               PreviewControl,  // ([oParent]) -> the preview control on its form, not shown; NIL without pages
               Setup,        // ([oOwner]) -> logical: the print dialog in print-setup mode
               Run,          // ([oOwner]) -> logical: the print dialog
               PageSetup,    // ([oOwner]) -> logical: the page-setup dialog
               DocumentSetup, WriteData, GetPrinterFonts, CreateDC, DeleteDC, PrinterIndex,
               Orientation, PaperSizeType, PaperLength, PaperWidth, Copies, DefaultBin, Color, Duplex, Collate,
               PrintQuality)
    VP_QUERIES(IsPrinting, Port, ServerName, ShareName, DriverName, Status, Resolution, PaperRes, PaperSize,
               PaperPhysicalSize, PhysicalOffset, GetPrinterNames, GetPrinterDefault, GetPaperNames, GetPaperTypes,
               GetPaperSizes, CountPapers, GetBinSourceNames, GetBinSourceTypes, CountBinSources, GetResolutions,
               IsDuplex)

    intptr_t hDC() const { return static_cast<intptr_t>(field(kDC).asInteger()); }
    bool lPreview() const { return field(kPreview).asLogical(); }
    const rt::Value& oCanvas() const { return field(kCanvas); }
    const rt::Value& oPreviewDC() const { return field(kPreviewDC); }

private:
    static inline int kPrnDlg = -1, kPageSetupDlg = -1, kWndOwner = -1, kCanvas = -1, kPrinterNames = -1,
                      kJobTitle = -1, kPrinterName = -1, kCopies = -1, kPrinterIndex = -1, kPageNumber = -1,
                      kCollate = -1, kPreview = -1, kOnPage = -1, kPreviewDC = -1, kDC = -1, kPort = -1,
                      kAborted = -1;

    // A preview with no printer installed draws on the screen at the resolution it has, on an A4 sheet.
    bool previewOnScreen() const;
    rt::Value setting(print::Setting s, rt::Args args);
    rt::Value newCanvas(intptr_t dc);
    rt::Value previewForm(const rt::Value& parent, const rt::Value& onClose);
    bool failJob();
    rt::Value runPrintDialog(const rt::Value& owner, bool setupOnly);
    rt::Value dialogIn(int position, const rt::Class& cls, const rt::Value& owner);
    void setDC(intptr_t dc) { field(kDC) = rt::Value(static_cast<int64_t>(dc)); }
    void setCanvasDC(intptr_t dc);
};

using TPrinter = UserClass<XPrinter, "TPrinter">;

class XPrnExportInfo : public rt::Object {
public:
    explicit XPrnExportInfo(const rt::Class& cls) : rt::Object(cls) {}
    static const rt::Class& classRecord();
    rt::Value Create(rt::Args args);  // ([oPrinter]) -> Self; New is the same

private:
    static inline int kPrinter = -1;
};

using TPrnExportInfo = UserClass<XPrnExportInfo, "TPrnExportInfo">;

// Registers TPrinter, TPreviewDC, TPrnExportInfo and the print dialogs.
void registerPrinterClasses();

}  // namespace vorpex
