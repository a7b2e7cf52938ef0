// XPreviewControl: the print preview: a rebar with the tool bar (first, previous, next, last page, the PDF and
// mail exports when asked for, print with its drop-down menu, close) and the zoom box, over the page view
// (XPreviewPage) that shows the recorded pages of a preview device one at a time. It prints all pages, the
// current one, a range or through the print dialog. TPreviewControl is its user class. Windows only.
//
// The PDF and mail buttons (GenPDF, SendMail) are enabled only when the PDF library (ISIMAGEPDF) is there.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"
#include "framework/core/scrolling/scrolling_win_control.h"
#include "framework/print/image_pdf/pdf_export.h"
#include "framework/print/preview/preview_rules.h"

namespace vorpex {

class XPreviewControl : public TScrollingWinControl {
public:
    using TScrollingWinControl::TScrollingWinControl;
    static const rt::Class& classRecord();

    VP_CONSTRUCTORS(Create)  // (oParent) -> Self
    VP_METHODS(UpdateBar,    // the page band's text and the navigation buttons
               SetZoom,      // the zoom box changed
               ZoomIn,       // the page view's OnZoomIn: -> the zoom of the box's next larger item
               ZoomOut,
               SetPage,      // (n): shows page n of the pages there are
               Print,        // ([n]): all pages; n > 0 that page; 0 a range asked for; < 0 the print dialog
               GetRange,     // () -> {nFrom, nTo}, NIL when cancelled
               GenPDF,       // ([cFile]) -> .T. when the PDF was made; without a file one is asked for
               SendMail)     // () -> .T. when the pages went as a PDF attachment

    int64_t pageCount() const;
    int64_t nPage() const { return field(kPage).asInteger(); }

private:
    static inline int kPage = -1, kPreviewDC = -1, kPreviewPage = -1, kToolBar = -1, kRebarBand = -1, kRebar = -1,
                      kBevel = -1, kCombo = -1, kPrnMenu = -1, kZoomBand = -1;

    rt::Value GetZoomIndex(rt::Args args);
    rt::Value SetZoomIndex(rt::Args args);
    rt::Value ExportInfo(rt::Args args);
    void buildPrintMenu();
    void buildToolBar();
    void buildZoomBox();
    void buildPageView();
    rt::Value zoomStep(bool in);
    rt::Value pageEmf(int64_t n) const;
    rt::Value printer() const;
    std::optional<preview::PageRange> requestedRange(const rt::Value& n, intptr_t& dialogDC);
    bool printRange(const preview::PageRange& range, intptr_t dc);
    std::string askPdfFile();
    std::string jobTitle() const;
    PdfPages recordedPages();
    PdfExportOptions exportOptions();
};

using TPreviewControl = UserClass<XPreviewControl, "TPreviewControl">;

}  // namespace vorpex
