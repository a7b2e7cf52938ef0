// XBrwRecSel: the record selector, the narrow column at a grid's left edge. It marks the current row with the
// system's menu arrow, the row being appended or inserted with a new-record mark, and may show a text or an
// image of its own per row (OnGetData). It owns no window; the grid paints it through Paint and Erase.
// TBrwRecSel is its user class. Windows only; its geometry is in model/cell_rules.h.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <string>

#include "framework/core/object/component.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

class XBrowse;

class XBrwRecSel : public TComponent {
public:
    using TComponent::TComponent;
    ~XBrwRecSel() override;
    static const rt::Class& classRecord();
    VP_CONSTRUCTORS(Create)  // (oBrowse) -> Self
    VP_METHODS(Adjust,
               Paint,   // (hDC, nTop, nHeight, [lCurrent])
               Erase)   // (hDC, nTop, nHeight, [lWhole])
    VP_OVERRIDES(Free)
    VP_PROTECTED(GetWidth,
                 SetWidth,          // (n, [lRefresh])
                 GetHeight,
                 SetClrText,        // (n, [lRefresh])
                 SetClrPane,        // (n, [lRefresh])
                 SetAlignment,      // (n, [lRefresh])
                 DefStyle,
                 SetRecordPointer,  // (l, [lRefresh])
                 GetFont,           // its own font, else the grid's
                 SetFont)           // (oFont, [lParentFont])

    static inline const EventRef OnClick{"OnClick"}, OnRClick{"OnRClick"}, OnDblClick{"OnDblClick"},
        OnGetData{"OnGetData"};

    int64_t nWidth() const { return field(kWidth).asInteger(); }
    COLORREF paneColor() const { return static_cast<COLORREF>(field(kClrPane).asInteger()); }

    void paint(HDC dc, int64_t top, int64_t height, bool current);
    void erase(HDC dc, int64_t top, int64_t height, bool whole);
    int64_t width();   // GetWidth
    int64_t height();  // GetHeight

private:
    static inline int kParentFont = -1, kFont = -1, kClrText = -1, kClrPane = -1, kAlignment = -1, kBmpAlignment = -1, kWidth = -1,
                      kBmpMargin = -1, kRecordPointer = -1, kHeight = -1, kDrawTextStyle = -1;
    HIMAGELIST pointers_ = nullptr;  // 1: the menu arrow, 2: the new-record mark
    HBRUSH paneBrush_ = nullptr;
    XBrowse* browse() const;
    // The OnGetData answer for a row: text and image.
    struct Content {
        std::string text;
        int64_t image = 0;
    };
    Content content(bool current);
    HFONT font() const;
    void makePointers();
    void drawPointer(HDC dc, int64_t x, int64_t y, bool newRecord);
    rt::Value storeAndRepaint(rt::Args args, int position);
};

using TBrwRecSel = UserClass<XBrwRecSel, "TBrwRecSel">;

}  // namespace vorpex
