// XBrowse: the owner-drawn data grid. It keeps no rows: it knows the current row of a row source (its
// MoveTop, MoveBottom, Skip, IsBof, IsEof, BookMark, KeyNo and KeyCount, placeholders here that the array and
// data-aware browses implement), the row's position nKeyNo, the count nLen and the screen row nRowSel, and
// walks the source by relative skips around the current row. The moves and the paint walk are decided in
// model/ (Navigator, paintWalk) over this class's source and grid ports; the header and footer are THeader
// children, the row pointer a TBrwRecSel, the columns TBrwColumn objects. TBrowse is its user class.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/browse/model/cell_rules.h"
#include "framework/browse/model/column_layout.h"
#include "framework/browse/model/input_rules.h"
#include "framework/browse/model/paint_walk.h"
#include "framework/browse/model/viewport.h"
#include "framework/core/control/win_control.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

class XBrwColumn;
class XBrwRecSel;

class XBrowse : public TWinControl {
public:
    XBrowse(const rt::Class& cls);
    ~XBrowse() override;
    static const rt::Class& classRecord();
    // ---- lifecycle
    VP_CONSTRUCTORS(New,
                    Create)
    // ---- input, selection and the edit cycle (browse_input.cpp, browse_edit.cpp)
    VP_METHODS(Select,               // ([nMode 1]): 0 clear, 1 add, 2 toggle, 3 extend, 4 all
               SelectAll,
               SelectNone,
               Seek,                 // ([cText]) -> lFound; without text clears the search
               SelectCellFromPoint,  // (nX, nY) -> lHit
               MouseRowPos,          // (nY) -> screen row, 0 outside the painted rows
               MouseColPos,          // (nX) -> display position, -1 left of the columns, 0 right of them
               WMMouseWheel,
               HorzLine,             // (nY, nMode 1 start / 3 move / 2 end, [nRow])
               ColDrag,              // (oHeader, nFrom, nTo) -> lMoved
               ColBegTrack,          // (oHeader, nItem)
               ColTrack,             // (oHeader, nItem, nWidth)
               FilterEdit,           // (oHeader, nItem) -> .F. for a column that cannot filter
               IsEditable,
               IsMultipleEdit,
               Edit,                 // ([lUser]) = RowEdit
               RowEdit,              // ([lUser]) -> lOpened
               Append,               // ([lUser]) -> lOpened
               Insert,               // ([lUser]) -> lOpened
               ChangeFocus,          // (oCol, lBackward) -> lMoved
               UpdGridEdits)
    VP_VIRTUALS(CancelEdit,  // ([lCanceled], [nKey], [lReset])
                Delete)      // ([lUser]) -> lDeleted: the array and data-aware grids delete
    VP_OVERRIDES(Free,
                 WMKeyDown,
                 WMChar,
                 WMLButtonDown,
                 WMLButtonUp,
                 WMLButtonDblClk,
                 WMRButtonDown,
                 WMRButtonUp,
                 WMMouseMove,
                 Click)  // (nKeys, nX, nY)

    static inline const EventRef OnChange{"OnChange"}, OnPastEof{"OnPastEof"}, OnGoTop{"OnGoTop"},
        OnGoBottom{"OnGoBottom"}, OnFilterChange{"OnFilterChange"}, OnDrawRow{"OnDrawRow"},
        OnPostEdit{"OnPostEdit"}, OnChangeHeight{"OnChangeHeight"}, OnNewItem{"OnNewItem"}, OnEdit{"OnEdit"},
        OnAppend{"OnAppend"}, OnInsert{"OnInsert"}, OnDelete{"OnDelete"}, OnClick{"OnClick"},
        OnDblClick{"OnDblClick"}, OnRClick{"OnRClick"}, OnSkip{"OnSkip"}, OnBof{"OnBof"}, OnEof{"OnEof"},
        OnKeyNo{"OnKeyNo"}, OnKeyCount{"OnKeyCount"}, OnBookMark{"OnBookMark"}, OnSeek{"OnSeek"};

    // ---- typed access for the columns and the record selector
    int64_t nLen() const { return field(kLen).asInteger(); }
    int64_t nEditMode() const { return field(kEditMode).asInteger(); }
    int64_t nIntRowHeight() const { return field(kIntRowHeight).asInteger(); }
    int64_t nHeaderHeight() const { return field(kHeaderHeight).asInteger(); }
    int64_t nDataLines() const { return field(kDataLines).asInteger(); }
    int64_t nRowDividerStyle() const { return field(kRowDividerStyle).asInteger(); }
    int64_t nColDividerStyle() const { return field(kColDividerStyle).asInteger(); }
    bool lColDividerComplete() const { return field(kColDividerComplete).asLogical(); }
    bool lAutoOrder() const { return field(kAutoOrder).asLogical(); }
    bool lAllowColHiding() const { return field(kAllowColHiding).asLogical(); }
    bool lRedrawOn() const { return field(kRedraw).asLogical(); }
    bool lFilterBar() const { return field(kFilterBar).asLogical(); }
    COLORREF color(int position) const { return static_cast<COLORREF>(field(position).asInteger()); }
    COLORREF textColor() const { return color(kClrText); }
    COLORREF paneColor() const { return color(kClrPane); }
    COLORREF altPaneColor() const { return color(kClrAltPane); }
    // The selection colours, with or without the focus.
    COLORREF selectionText(bool focused) const { return color(focused ? kClrSelFocusText : kClrSelText); }
    COLORREF selectionPane(bool focused) const { return color(focused ? kClrSelFocusPane : kClrSelPane); }
    HBRUSH paneBrush() const;
    HIMAGELIST imageList() const;
    int64_t imageWidth() const;   // 0 without images
    int64_t imageHeight() const;
    intptr_t headerFont() const;  // 0 without a header
    int64_t lastCol() const { return nClientWidth(); }
    bool hasFocus() const;
    std::vector<XBrwColumn*> columns() const;
    XBrwRecSel* recordSelector() const;
    // Rebuilds the displayed columns (when `layout`) and repaints, when the grid is drawn and lRedraw.
    void refreshDrawn(bool layout);
    void cancelEdit();
    // The edit cycle as the columns and their editors see it: the mode a column's Edit starts, and where the
    // current row's editors go.
    void setEditMode(int64_t mode) { setNum(kEditMode, mode); }
    browse::EditorPlace editorPlace() const;

    // ---- for the row sources built on the grid (the array and data-aware browses)
    int64_t nRowSel() const { return num(kRowSel); }
    void setRowSel(int64_t row) { setNum(kRowSel, row); }
    void setKeyNo(int64_t key) { setNum(kKeyNo, key); }
    void setLen(int64_t count) { setNum(kLen, count); }
    int64_t nMarqueeStyle() const { return num(kMarqueeStyle); }
    bool lAllowDelete() const { return field(kAllowDelete).asLogical(); }
    // aSelected: the marked rows' bookmarks, the last one the anchor.
    rt::Value& aSelected() { return field(kSelected); }
    void setAutoOrderFlag(bool on) { field(kAutoOrder) = on; }
    void rebuildColumns() { rebuildDisplay(windowExists()); }
    void fireRowChange() { fireChange(true); }
    int64_t nKeyNo() const { return num(kKeyNo); }

    // ---- columns
    rt::Value AddCol(rt::Args args);   // ([oCol], [lRefresh]) -> oCol
    rt::Value InsCol(rt::Args args);   // (nPos, [oCol], [lRefresh]) -> oCol
    rt::Value DelCol(rt::Args args);   // (xCol, [lRefresh]) -> lDone
    rt::Value SwapCols(rt::Args args);  // (x1, x2, [lRefresh])
    rt::Value MoveCol(rt::Args args);  // (xCol, nNewPos, [lRefresh])
    rt::Value ColAtIndex(rt::Args args);
    rt::Value ColAtPos(rt::Args args);
    rt::Value SelectedCol(rt::Args args);
    rt::Value ColPos(rt::Args args);
    rt::Value ColWithHeader(rt::Args args);
    rt::Value GetVisibleCols(rt::Args args);
    rt::Value OrderOff(rt::Args args);
    rt::Value Reset(rt::Args args);
    rt::Value SaveState(rt::Args args);
    rt::Value RestoreState(rt::Args args);

    // ---- row source placeholders
    rt::Value MoveTop(rt::Args args);
    rt::Value MoveBottom(rt::Args args);
    rt::Value Skip(rt::Args args);
    rt::Value IsBof(rt::Args args);
    rt::Value IsEof(rt::Args args);
    rt::Value BookMark(rt::Args args);
    rt::Value KeyNo(rt::Args args);
    rt::Value KeyCount(rt::Args args);

    // ---- moves
    rt::Value Refresh(rt::Args args);  // ([lReset])
    rt::Value RefreshCurrent(rt::Args args);
    rt::Value Refill(rt::Args args);
    virtual rt::Value GoUp(rt::Args args);
    virtual rt::Value GoDown(rt::Args args);
    virtual rt::Value GoPageUp(rt::Args args);
    virtual rt::Value GoPageDown(rt::Args args);
    virtual rt::Value GoTop(rt::Args args);
    virtual rt::Value GoBottom(rt::Args args);
    virtual rt::Value GoTo(rt::Args args);
    rt::Value GoLeft(rt::Args args);
    rt::Value GoRight(rt::Args args);
    rt::Value GoLeftMost(rt::Args args);
    rt::Value GoRightMost(rt::Args args);
    rt::Value GoHPos(rt::Args args);
    rt::Value SelectCol(rt::Args args);
    rt::Value DataScroll(rt::Args args);

    // ---- layout
    rt::Value Adjust(rt::Args args);
    rt::Value SetRowHeight(rt::Args args);
    rt::Value GetDisplayCols(rt::Args args);  // ([lUpdate]) -> aDisplay
    rt::Value UpdateDisplayCols(rt::Args args);
    rt::Value LastDisplayPos(rt::Args args);
    rt::Value IsDisplayPosVisible(rt::Args args);
    rt::Value IsColVisible(rt::Args args);
    rt::Value AllColsVisible(rt::Args args);
    rt::Value LastColVisible(rt::Args args);
    rt::Value GetDisplayColsWidth(rt::Args args);
    rt::Value UpdControls(rt::Args args);
    rt::Value CreateHeader(rt::Args args);
    rt::Value CreateFooter(rt::Args args);
    rt::Value SetHeader(rt::Args args);
    rt::Value SetFooter(rt::Args args);
    rt::Value SetRecSel(rt::Args args);  // (lOn, [lRefresh])
    rt::Value SetDataLines(rt::Args args);
    rt::Value SetRowDividerStyle(rt::Args args);
    rt::Value SetColDividerStyle(rt::Args args);
    rt::Value SetVScroll(rt::Args args);
    rt::Value SetHScroll(rt::Args args);
    rt::Value SetHeaderHeight(rt::Args args);  // ([n]): stored when given, the bar resized
    rt::Value SetFooterHeight(rt::Args args);
    rt::Value SetImageList(rt::Args args);  // (oList): a list of the grid's own that it replaces ends
    rt::Value AddImage(rt::Args args);      // (xImage, ...) -> index: into the list, made on first use
    rt::Value FilterMode(rt::Args args);    // (lOn): the header's filter bar on or off, then SetFilter(0)
    rt::Value SetClrText(rt::Args args);    // (n): stored when it differs
    rt::Value SetClrPane(rt::Args args);    // (n): a new background brush when it differs
    rt::Value SetColor(rt::Args args);      // ([nText], [nPane]): the control's colours, the pens made again
    rt::Value SetRedraw(rt::Args args);     // (lOn): on lays the columns out again first

    // ---- painting and messages
    rt::Value WMPaint(rt::Args args);  // (wParam: a DC to paint into, or 0)
    rt::Value DrawLine(rt::Args args);  // ([hDC], [lSelected], [nRow])
    rt::Value EraseData(rt::Args args);  // (nTop, [hDC])
    rt::Value WMVScroll(rt::Args args);
    rt::Value WMHScroll(rt::Args args);
    rt::Value WMSize(rt::Args args);
    rt::Value WMSetFocus(rt::Args args) override;
    rt::Value WMKillFocus(rt::Args args) override;

    // ---- geometry
    int64_t headerHeight() const;
    int64_t footerHeight() const;
    int64_t firstDataRow() const { return headerHeight(); }
    int64_t dataHeight() const { return nClientHeight() - headerHeight() - footerHeight(); }
    int64_t rowCount() const { return dataHeight() / std::max<int64_t>(nIntRowHeight(), 1); }
    int64_t firstCol() const;
    int64_t cellHeight() const;

private:
    static inline int kAllowEdit = -1, kAllowDelete = -1, kFastEdit = -1, kAllowRowSizing = -1, kMsgNoFilter = -1,
                      kMultiEdit = -1, kOnPostEdit = -1, kClickedCol = -1, kCaptured = -1;
    int64_t dragRow_ = 0, guideY_ = 0;  // the row-height drag: the row being sized, the guide line's y
    friend class BrowseSource;
    friend class BrowsePort;
    static inline int kCols = -1, kImageList = -1, kRecSel = -1, kRowDividerStyle = -1, kColDividerStyle = -1,
                      kMarqueeStyle = -1, kDataLines = -1, kFreeze = -1, kHeaderHeight = -1, kFooterHeight = -1,
                      kRowHeight = -1, kClrAltPane = -1, kClrSelText = -1, kClrSelPane = -1,
                      kClrSelFocusText = -1, kClrSelFocusPane = -1, kHeader = -1, kFooter = -1,
                      kAllowAppend = -1, kAllowColHiding = -1, kColDividerComplete = -1, kRecordSelector = -1,
                      kVScroll = -1, kHScroll = -1, kRedraw = -1, kEditMode = -1, kHeaderBar = -1, kFooterBar = -1,
                      kSelected = -1, kKeyNo = -1, kLen = -1, kRowSel = -1, kColSel = -1, kDataRows = -1,
                      kIntRowHeight = -1, kPhantomRow = -1, kAutoOrder = -1, kDisplay = -1, kSeek = -1,
                      kColOffset = -1, kFilterBar = -1, kFilterHeight = -1;

    struct Resources;  // pens and brushes, made in Adjust
    std::unique_ptr<Resources> gdi_;
    std::unique_ptr<browse::RowSource> source_;
    std::unique_ptr<browse::GridPort> port_;
    std::vector<browse::Placed> placed_;  // the displayed columns (aDisplay), with their x

    int64_t num(int position) const { return field(position).asInteger(); }
    void setNum(int position, int64_t n) { field(position) = rt::Value(static_cast<long long>(n)); }
    browse::Viewport loadView() const;
    void storeView(const browse::Viewport& view);

protected:
    // The row source and the window's side of a move, for a subclass that follows its source's own moves.
    browse::RowSource& rowSource() { return *source_; }
    browse::GridPort& gridPort() { return *port_; }
    // Runs `follow` on the grid's view (a Follower or a Navigator over rowSource and gridPort).
    template <class Step>
    void onView(Step step) {
        browse::Viewport view = loadView();
        auto* outer = exchangePortView(&view);
        step(view);
        exchangePortView(outer);
        storeView(view);
    }
    browse::Viewport* exchangePortView(browse::Viewport* view);
    void fireChange(bool rowChanged);
    int64_t nDataRows() const { return field(kDataRows).asInteger(); }
    // The display position of a header item (the record selector's item is none).
    int64_t headerItemPos(int64_t item) const { return itemToPos(item); }
    // A column that cannot filter: cMsgNoFilter shown (a beep without one), the focus back on the grid; .F.
    rt::Value refuseFilter();

private:
    // Runs a vertical move of the navigator on the fields.
    template <class Move>
    void navigate(Move move);
    std::vector<browse::ColumnBox> columnBoxes() const;
    browse::LayoutInput layoutInput() const;
    browse::DisplayRow displayRow() const;
    int64_t freeze() const;
    int64_t lastDisplayPos(bool full) const;
    int64_t columnIndexOf(const rt::Value& x) const;  // 1-based position in aCols of a column or a number, 0
    void renumberFrom(size_t from, int64_t delta);
    void rebuildDisplay(bool update);
    void makeResources();
    void dropResources();
    void paint(HDC dc);
    void paintRow(HDC dc, const browse::WalkRow& row, bool focused);
    void drawLine(HDC dc, bool selected, int64_t row);
    void eraseData(HDC dc, int64_t top);
    void fillStrip(HDC dc, int64_t top, int64_t height, HBRUSH brush);
    void paintVerticalLines(HDC dc);
    void paintHorizontalLines(HDC dc);
    void paintSelectorEdge(HDC dc);
    void paintSelectorCell(HDC dc, int64_t top, int64_t height, bool current);
    HBRUSH rowPane(bool marked, bool odd, bool focused) const;
    bool isMarked(bool selected) const;
    void setVerticalBar();
    void setVPos(int64_t position);
    void updateHorizontalBar();
    void placeBars();
    // SetVRange .. GetHPos and GetVScroll/GetHScroll: the window's two scroll bars by name.
    static void addScrollBarMembers(VPClass& b);
    rt::Value createBar(bool header);
    void fillBarItems(bool header);
    void filterChanged(int64_t item);
    int64_t filterHeight() const;  // nFilterHeight, 0 while not known
    void repaintAll();
    rt::Value setColour(int position, const rt::Value& colour);  // the selection and alternate colours
    const rt::Value& textColorValue() const { return field(kClrText); }
    const rt::Value& paneColorValue() const { return field(kClrPane); }

    // ---- input and the edit cycle
    bool editing() const;
    XBrwColumn* columnAtPos(int64_t position) const;
    browse::RowGeometry rowGeometry() const;
    void takeFocus();
    int64_t rowLineUnder(int64_t x, int64_t y) const;
    void applySelection(int mode);
    void showSeek(const std::string& text);
    void verticalKey(bool down, bool shift);
    template <class Move>
    void jumpKey(Move move);
    bool enterKey();
    void pressCell(int64_t r, int64_t c, bool ctrl, bool shift, bool notify);
    void invertGuide(int64_t y);
    int64_t itemToPos(int64_t item) const;
    bool anyEditable() const;
    void abandonEdit();
    void scrollToEditor(XBrwColumn* target, bool backward);
};

using TBrowse = UserClass<XBrowse, "TBrowse">;

// The font a column or the record selector draws with: its own, else the grid's (the application's without one).
rt::Value ownOrGridFont(const rt::Value& own, XBrowse* grid);
// SetFont(oFont, [lParentFont]) of a column or the record selector: a font given becomes its own; none given
// with lParentFont (.T. when not given) goes back to the grid's.
rt::Value storeFont(rt::Args args, rt::Value& font, rt::Value& parentFont);

}  // namespace vorpex
