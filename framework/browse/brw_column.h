// XBrwColumn: one column of a grid. It fetches the cell value of the source's current row (GetData, which the
// array and data-aware kinds answer; "" here), formats it with its picture, paints and erases its cell and the
// cell cursor, sizes itself, drives its header and footer items and offers the column menu of the header.
// TBrwColumn is its user class. Windows only; the geometry is in model/cell_rules.h.
#pragma once

#include <cstdint>
#include <string>

#include "framework/browse/model/cell_rules.h"
#include "framework/core/object/component.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

class XBrowse;

class XBrwColumn : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord();
    VP_CONSTRUCTORS(Create)  // ([oParent], [lRefresh]) -> Self
    VP_METHODS(Edit,          // ([nChar], [lNoFocus]) -> lOpened
               Select,
               Adjust,        // ([lCompute])
               PaintData,     // (hDC, nTop, nHeight, lHighlight, lCellFocus, nDisplayPos, lOdd)
               EraseData,     // (hDC, nTop, nHeight, lWhole, nDisplayPos)
               Box,           // (hDC, nTop, [nX], nHeight, [nStyle])
               GetWidth,      // ([lCompute]) -> nWidth
               SetWidth,      // (n)
               GetData,       // "" here
               Refresh,
               SetAlignment,  // (n, [lRefresh])
               DefStyle,
               DataWidth,
               DataHeight,
               DefaultValue,
               IsVisible,
               HeaderClick,   // (nX, nY)
               SetColumns,    // (nX, nY): the column menu
               PostEdit,      // (@lCanceled, nKey)
               SetGridEditBounds,
               GetFilter,     // ([lFromBar .T.]): the header item's text when the filter bar shows
               SetFilter,     // (cText)
               ClearFilter,
               AdjustWidth,     // the grid's AdjustColWidth(NIL, Self)
               SetFieldObject,  // (xField, [lRefresh], [lAuto]) -> lBound: a name is looked up in the grid's set
               ResetDataField)  // a bound field back to its name
    VP_OVERRIDES(Free)
    VP_PROTECTED(EditControl,  // makes the cell editor once the grid has a window
                 SetEditType,  // (n)
                 SetHeader,
                 SetFooter,
                 SetBmpAlignment,
                 SetVisible,
                 SetSort,
                 SetTooltip,
                 GetFont,      // its own font, else the grid's
                 SetFont,      // (oFont, [lParentFont])
                 SetHeaderImage,
                 SetFooterImage)

    static inline const EventRef OnCreate{"OnCreate"}, OnGridEditCreate{"OnGridEditCreate"},
        OnHeaderClick{"OnHeaderClick"}, OnFooterClick{"OnFooterClick"}, OnDataClick{"OnDataClick"},
        OnHeaderRClick{"OnHeaderRClick"}, OnFooterRClick{"OnFooterRClick"}, OnDataRClick{"OnDataRClick"},
        OnHeaderDblClick{"OnHeaderDblClick"}, OnFooterDblClick{"OnFooterDblClick"},
        OnDataDblClick{"OnDataDblClick"}, OnEdit{"OnEdit"}, OnPostEdit{"OnPostEdit"}, OnBtnClick{"OnBtnClick"},
        OnDrawCell{"OnDrawCell"}, OnGetData{"OnGetData"}, OnGetValue{"OnGetValue"},
        OnChangeWidth{"OnChangeWidth"}, OnExit{"OnExit"};

    int64_t nWidth() const { return field(kWidth).asInteger(); }
    bool lVisible() const { return field(kVisible).asLogical(); }
    const rt::Value& nIndex() const { return field(kIndex); }
    const rt::Value& dataField() const { return field(kDataField); }  // oDataField: an object, a name or NIL
    void setIndex(const rt::Value& n) { field(kIndex) = n; }
    int64_t nPos() const { return field(kPos).asInteger(); }
    int64_t nDisplayCol() const { return field(kDisplayCol).asInteger(); }
    void place(int64_t position, int64_t x);
    std::string cHeader() const { return field(kHeader).asString(); }
    std::string cFooter() const { return field(kFooter).asString(); }
    const rt::Value& cTooltip() const { return field(kTooltip); }
    int64_t nAlignment() const { return field(kAlignment).asInteger(); }
    int64_t nSort() const { return field(kSort).asInteger(); }
    void setSort(int64_t s) { field(kSort) = rt::Value(static_cast<long long>(s)); }
    int64_t nHeaderImage() const { return field(kHeaderImage).asInteger(); }
    int64_t nFooterImage() const { return field(kFooterImage).asInteger(); }
    void setHeaderItem(const rt::Value& item) { field(kHeaderItem) = item; }
    void setFooterItem(const rt::Value& item) { field(kFooterItem) = item; }
    int64_t nEditType() const { return field(kEditType).asInteger(); }
    bool lEdited() const { return field(kEdited).asLogical(); }
    void setEdited(bool on) { field(kEdited) = on; }
    // The cell editor's window while it is shown (0 otherwise); whether it exists and is enabled; hiding it;
    // showing it when hidden (true when it was).
    intptr_t openEditor() const;
    bool editorReady() const;
    void hideEditor();
    bool showEditor();
    // Width and visibility as a saved layout restores them (no events, no repaint).
    void restore(int64_t width, bool visible);

    rt::Value CurrentValue(rt::Args args);  // Value

    // The cell's text and image for the current row: GetData, OnGetData, the picture.
    struct CellContent {
        std::string text;
        int64_t image = 0;
    };
    CellContent content(bool cellFocus);
    browse::CellGeometry geometry(int64_t position) const;
    void paintData(intptr_t dc, int64_t top, int64_t height, bool highlight, bool cellFocus, int64_t position,
                   bool odd);
    void eraseData(intptr_t dc, int64_t top, int64_t height, bool whole, int64_t position);
    void box(intptr_t dc, int64_t top, int64_t height, int style, int64_t position);
    int64_t computeWidth();
    int64_t dataHeight();
    XBrowse* browse() const;

private:
    static inline int kParentFont = -1, kFont = -1, kEditListText = -1, kEditListBound = -1, kHeader = -1,
                      kFooter = -1, kTooltip = -1, kPicture = -1, kClrText = -1, kClrPane = -1, kAlignment = -1,
                      kBmpAlignment = -1, kBmpMargin = -1, kWidth = -1, kSort = -1, kHeaderImage = -1,
                      kFooterImage = -1, kEditType = -1, kVisible = -1, kDefaultValue = -1, kDataField = -1,
                      kGridEdit = -1, kEdited = -1, kHeaderItem = -1, kFooterItem = -1, kIndex = -1, kPos = -1,
                      kDisplayCol = -1, kDrawTextStyle = -1, kOnPostEdit = -1, kEditValType = -1, kEditLength = -1,
                      kFilter = -1;
    rt::Value SetEditListText(rt::Args args);
    bool listBound() const;  // a read-only list or button editor: the value is chosen, not typed
    // The value the editor starts from and what it shows: a list column shows the text bound to the value.
    rt::Value startValue(bool newRow);
    rt::Value shownValue(const rt::Value& value) const;
    rt::Value postedValue(const rt::Value& shown) const;
    bool bindEditorField(bool newRow, bool noFocus);
    intptr_t fontHandle();
    // Sends `setter` with `value` to the header or footer item when there is one.
    void tellItem(int itemField, const char* setter, const rt::Value& value);
    rt::Value storeAndTell(int slot, const rt::Value& value, int itemField, const char* setter);
    // The browse repaints (rebuilding its displayed columns first when `layout`) when it is drawn.
    void refreshBrowse(bool layout);
};

using TBrwColumn = UserClass<XBrwColumn, "TBrwColumn">;

// Number of a column's display text: the picture's Transform, else the value as text without leading blanks.
std::string cellText(const rt::Value& value, const std::string& picture);

}  // namespace vorpex
