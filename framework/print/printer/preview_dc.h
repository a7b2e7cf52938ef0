// XPreviewDC: the device a previewed job draws on. Each page is recorded into an enhanced metafile in memory,
// against the printer's context and sized as its sheet; with no printer installed, against the screen with an
// A4 sheet, so a preview works anywhere. TPreviewDC is its user class.
#pragma once

#include <cstdint>

#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"
#include "runtime/core/class.h"
#include "runtime/core/object.h"

namespace vorpex {

class XPreviewDC : public rt::Object {
public:
    explicit XPreviewDC(const rt::Class& cls) : rt::Object(cls) {}
    ~XPreviewDC() override;
    static const rt::Class& classRecord();
    // (oPrinter, [hDC], [nPrinterIndex]) -> Self; New is the same.
    rt::Value Create(rt::Args args);
    VP_METHODS(StartPage,  // () -> the new page's recording DC (0 when none could be made)
               EndPage,    // () -> .T.
               Destroy,    // ends a page, drops every page and the reference DC
               Reset)      // () -> the DC to draw on after the printer's settings changed

    intptr_t hDC() const { return static_cast<intptr_t>(field(kDC).asInteger()); }
    intptr_t hPrinterDC() const { return static_cast<intptr_t>(field(kPrinterDC).asInteger()); }
    size_t pageCount() const;

private:
    static inline int kDC = -1, kPrinterDC = -1, kEmf = -1, kPrinter = -1, kPrinterIndex = -1, kOnScreen = -1;

    // A metafile recording page `number` against the reference DC.
    rt::Value recordPage(size_t number);
    void closeOpenPage();
    void releaseReference();
    void setDC(int position, intptr_t dc) { field(position) = rt::Value(static_cast<int64_t>(dc)); }
};

using TPreviewDC = UserClass<XPreviewDC, "TPreviewDC">;

}  // namespace vorpex
