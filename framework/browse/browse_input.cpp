// XBrowse: the keyboard, typed characters, the mouse and the wheel, the row-height drag in the record selector,
// the header's resize, move and filter callbacks, the multi-selection and the incremental search.
#include <windowsx.h>

#include <algorithm>

#include "framework/browse/browse.h"
#include "framework/browse/browse_args.h"
#include "framework/browse/brw_column.h"
#include "framework/browse/model/input_rules.h"
#include "framework/browse/model/selection.h"
#include "framework/browse/rec_sel.h"
#include "framework/core/object/optional_send.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;
using namespace browse;

namespace {

bool gridKeyHeld(int vk) { return GetKeyState(vk) < 0; }

// A mouse message's keys and point (client coordinates).
struct GridPointer {
    int64_t keys = 0, x = 0, y = 0;
    bool ctrl() const { return (keys & MK_CONTROL) != 0; }
    bool shift() const { return (keys & MK_SHIFT) != 0; }
    Value k() const { return number(keys); }
    Value xv() const { return number(x); }
    Value yv() const { return number(y); }
};

GridPointer gridPointer(rt::Args args) {
    const auto lParam = static_cast<LPARAM>(rt::arg(args, 1).asInteger());
    return {rt::arg(args, 0).asInteger() & 0xFFFF, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

void gridBeep() { MessageBeep(MB_OK); }

}  // namespace

// ---------------------------------------------------------------- typed helpers

bool XBrowse::editing() const { return nEditMode() != kRead; }

XBrwColumn* XBrowse::columnAtPos(int64_t position) const {
    if (position < 1 || position > static_cast<int64_t>(placed_.size())) return nullptr;
    const std::vector<XBrwColumn*> list = columns();
    const size_t index = placed_[static_cast<size_t>(position - 1)].column;
    return index < list.size() ? list[index] : nullptr;
}

RowGeometry XBrowse::rowGeometry() const {
    return {.firstDataRow = firstDataRow(), .pitch = nIntRowHeight(), .dataRows = num(kDataRows)};
}

// The grid takes the focus; when it got it, an edit ends and the search is cleared.
void XBrowse::takeFocus() {
    if (!windowExists()) return;
    HWND self = reinterpret_cast<HWND>(Handle());
    ::SetFocus(self);
    if (GetFocus() != self) return;
    cancelEdit();
    rt::send(*this, "Seek");
}

// A press in the record selector on a row's bottom line, where a row-height drag starts.
int64_t XBrowse::rowLineUnder(int64_t x, int64_t y) const {
    const bool lines = nRowDividerStyle() != kNoLines;
    if (!recordSelector() || !field(kAllowRowSizing).asLogical() || !lines || placed_.empty()) return 0;
    if (mouseColPos(placed_, firstCol(), x) != -1) return 0;
    return rowLineAt(rowGeometry(), y);
}

void XBrowse::applySelection(int mode) {
    if (num(kMarqueeStyle) != kHighlightRowMulti) return;
    if (!field(kSelected).asArray()) field(kSelected) = Value::array();
    Viewport view = loadView();
    auto& port = static_cast<GridPort&>(*port_);
    Selection(*source_, port, view, field(kSelected).asArray()->items).apply(mode);
    storeView(view);
}

// ---------------------------------------------------------------- selection and search

Value XBrowse::Select(rt::Args args) {
    applySelection(rt::arg(args, 0).isNil() ? kSelectAdd : static_cast<int>(rt::arg(args, 0).asInteger()));
    return {};
}

Value XBrowse::SelectAll(rt::Args) { return Select(Vals{number(kSelectAll)}); }
Value XBrowse::SelectNone(rt::Args) { return Select(Vals{number(kSelectClear)}); }

void XBrowse::showSeek(const std::string& text) {
    const Value shown = rt::send(*this, "oSeek");
    if (shown.isNil()) return;
    if (sendIfUnderstood(shown, "IsKindOf", {Value("XEdit")}).asLogical())
        rt::send(shown, "_Value", {Value(text)});
    else
        rt::send(shown, "_cText", {Value(text)});
}

Value XBrowse::Seek(rt::Args args) {
    if (!EventAssigned(OnSeek)) return {};
    const Value& text = rt::arg(args, 0);
    if (!text.isString()) {
        if (!field(kSeek).asString().empty()) {
            field(kSeek) = Value("");
            showSeek("");
        }
        return {};
    }
    const Value old = source_->bookmark();
    const Value answer = fireEvent(*this, OnSeek, {text});
    if (!answer.isLogical() || !answer.asLogical()) {
        source_->gotoBookmark(old);
        gridBeep();
        return false;
    }
    field(kSeek) = text;
    showSeek(text.asString());
    const Value found = source_->bookmark();
    source_->gotoBookmark(old);
    const int64_t rowSel = num(kRowSel);
    drawLine(nullptr, false, rowSel);
    if (const int64_t row = screenRowOf(*source_, found, rowSel, num(kDataRows))) {
        setNum(kRowSel, row);
        fireChange(true);
        drawLine(nullptr, true, row);
    } else {
        // The hit keeps the old screen row when enough rows lie above it.
        setNum(kRowSel, rowSelFor(*source_, rowSel));
        fireChange(true);
        repaintAll();
    }
    setVPos(source_->keyNo());
    rt::send(*this, "KeyNo");
    return true;
}

// ---------------------------------------------------------------- keyboard

// Up and Down: with Shift in the multi-selection style a row already selected beyond the current one means
// the range is shrinking, so the current row leaves it.
void XBrowse::verticalKey(bool down, bool shift) {
    if (shift && num(kMarqueeStyle) == kHighlightRowMulti) {
        const int64_t moved = source_->skip(down ? 1 : -1);
        const bool marked = moved != 0 && isMarked(false);
        source_->skip(-moved);
        if (marked) applySelection(kSelectToggle);
    } else {
        applySelection(kSelectClear);
    }
    if (down)
        GoDown(Vals{Value(true)});
    else
        GoUp({});
    applySelection(kSelectAdd);
}

template <class Move>
void XBrowse::jumpKey(Move move) {
    applySelection(kSelectClear);
    move();
    applySelection(kSelectAdd);
}

// Enter: the current cell's editor (cell styles) or the whole row (row styles). Answers whether the key was
// taken.
bool XBrowse::enterKey() {
    if (num(kMarqueeStyle) >= kHighlightRow)
        return rt::send(*this, "IsEditable").asLogical() && rt::send(*this, "Edit", {true}).asLogical();
    XBrwColumn* column = columnAtPos(num(kColSel));
    if (!column || column->nEditType() <= 0) return true;  // a column that is not editable swallows the key
    if (const intptr_t editor = column->openEditor()) {
        PostMessageA(reinterpret_cast<HWND>(editor), WM_KEYDOWN, VK_RETURN, 0);
        return true;
    }
    return rt::send(*column, "Edit").asLogical();
}

Value XBrowse::WMKeyDown(rt::Args args) {
    if (placed_.empty() || rt::arg(args, 2).isNil()) return TWinControl::WMKeyDown(args);
    const bool ctrl = gridKeyHeld(VK_CONTROL), shift = gridKeyHeld(VK_SHIFT), plain = !ctrl && !shift;
    switch (rt::arg(args, 0).asInteger()) {
        case VK_UP: verticalKey(false, shift); return Value(0);
        case VK_DOWN: verticalKey(true, shift); return Value(0);
        case VK_LEFT: ctrl ? GoLeftMost({}) : GoLeft({}); return Value(0);
        case VK_RIGHT: ctrl ? GoRightMost({}) : GoRight({}); return Value(0);
        case VK_HOME: jumpKey([this] { GoTop({}); }); return Value(0);
        case VK_END: jumpKey([this] { GoBottom({}); }); return Value(0);
        case VK_PRIOR: jumpKey([this, ctrl] { ctrl ? GoTop({}) : GoPageUp({}); }); return Value(0);
        case VK_NEXT: jumpKey([this, ctrl] { ctrl ? GoBottom({}) : GoPageDown({}); }); return Value(0);
        case VK_RETURN:
            if (plain && field(kAllowEdit).asLogical() && enterKey()) return Value(0);
            break;
        case VK_INSERT:
            if (plain && rt::send(*this, "Insert", {true}).asLogical()) return Value(0);
            break;
        case VK_DELETE:
            // What the user may start from the keyboard: never a delete the program did not allow.
            if (plain && field(kAllowDelete).asLogical() && rt::send(*this, "Delete", {true}).asLogical())
                return Value(0);
            break;
        default: break;
    }
    return TWinControl::WMKeyDown(args);
}

Value XBrowse::WMChar(rt::Args args) {
    if (placed_.empty() || editing() || rt::arg(args, 2).isNil()) return TWinControl::WMChar(args);
    const int64_t code = rt::arg(args, 0).asInteger();
    if (code == VK_ESCAPE) return Value(0);
    const auto c = static_cast<unsigned char>(code & 0xFF);
    if (code == VK_BACK) {
        const std::string seek = field(kSeek).asString();
        if (seek.empty()) return TWinControl::WMChar(args);
        Seek(Vals{Value(seek.substr(0, seek.size() - 1))});
        return Value(0);
    }
    if (code == c && isTypingChar(c) && field(kAllowEdit).asLogical() && field(kFastEdit).asLogical() &&
        num(kMarqueeStyle) <= kHighlightCell) {
        XBrwColumn* column = columnAtPos(num(kColSel));
        if (column && column->nEditType() > 0) {
            rt::send(*column, "Edit", {number(code)});
            return Value(0);
        }
    }
    if (code > 31 && code == c && EventAssigned(OnSeek)) {
        Seek(Vals{Value(field(kSeek).asString() + static_cast<char>(c))});
        return Value(0);
    }
    return TWinControl::WMChar(args);
}

// ---------------------------------------------------------------- mouse

Value XBrowse::MouseRowPos(rt::Args args) { return number(mouseRowPos(rowGeometry(), rt::arg(args, 0).asInteger())); }

Value XBrowse::MouseColPos(rt::Args args) {
    return number(mouseColPos(placed_, firstCol(), rt::arg(args, 0).asInteger()));
}

// Puts the cursor on screen row r and display position c (either 0 to keep it) as a press does.
void XBrowse::pressCell(int64_t r, int64_t c, bool ctrl, bool shift, bool notify) {
    const int64_t style = num(kMarqueeStyle);
    drawLine(nullptr, false, num(kRowSel));
    if (r > 0 && r != num(kRowSel)) {
        const int64_t moved = source_->skip(r - num(kRowSel));
        setNum(kRowSel, num(kRowSel) + moved);
        rt::send(*this, "KeyNo");  // read back: a data set's own navigation may already have counted the move
        if (notify) fireChange(true);
    }
    if (style == kHighlightRowMulti && !ctrl && !shift && !isMarked(false)) applySelection(kSelectClear);
    if (c > 0 && style < kHighlightRow && c != num(kColSel)) {
        setNum(kColSel, c);
        fireChange(false);
    }
    if (style == kHighlightRowMulti) applySelection(ctrl ? kSelectToggle : shift ? kSelectExtend : kSelectAdd);
    drawLine(nullptr, true, num(kRowSel));
    setVPos(num(kKeyNo));
    if (windowExists()) updateHorizontalBar();
}

Value XBrowse::SelectCellFromPoint(rt::Args args) {
    const GridPointer p{0, rt::arg(args, 0).asInteger(), rt::arg(args, 1).asInteger()};
    const int64_t r = mouseRowPos(rowGeometry(), p.y), c = mouseColPos(placed_, firstCol(), p.x);
    if (r <= 0 || c <= 0) return false;
    cancelEdit();
    pressCell(r, c, false, false, true);
    return true;
}

Value XBrowse::WMLButtonDown(rt::Args args) {
    takeFocus();
    if (placed_.empty()) {
        setNum(kClickedCol, -2);
        return TWinControl::WMLButtonDown(args);
    }
    const GridPointer p = gridPointer(args);
    const int64_t r = mouseRowPos(rowGeometry(), p.y), c = mouseColPos(placed_, firstCol(), p.x);
    setNum(kClickedCol, c);
    if (c == -1) {
        if (const int64_t row = rowLineUnder(p.x, p.y)) {
            HorzLine(Vals{p.yv(), Value(1), number(row)});
            return Value(0);
        }
        return TWinControl::WMLButtonDown(args);
    }
    if (c == 0 && num(kMarqueeStyle) <= kHighlightCell) return TWinControl::WMLButtonDown(args);
    if (r > 0 || c > 0) pressCell(r, c, p.ctrl(), p.shift(), givenOr(args, 4, true));
    return TWinControl::WMLButtonDown(args);
}

Value XBrowse::WMLButtonUp(rt::Args args) {
    if (field(kCaptured).asLogical()) {
        field(kCaptured) = false;
        ReleaseCapture();
        HorzLine(Vals{gridPointer(args).yv(), Value(2)});
    }
    return TWinControl::WMLButtonUp(args);
}

Value XBrowse::Click(rt::Args args) {
    if (editing()) return {};
    const GridPointer p{rt::arg(args, 0).asInteger(), rt::arg(args, 1).asInteger(), rt::arg(args, 2).asInteger()};
    const int64_t c = mouseColPos(placed_, firstCol(), p.x), r = mouseRowPos(rowGeometry(), p.y);
    const int64_t pressed = num(kClickedCol);
    if (num(kMarqueeStyle) == kHighlightRowMulti && r == num(kRowSel) && pressed == c && !p.ctrl() && !p.shift()) {
        applySelection(kSelectClear);
        applySelection(kSelectAdd);
    }
    Value answer;
    if (pressed == c && c == -1) {
        if (XBrwRecSel* selector = recordSelector()) answer = fireEvent(*selector, XBrwRecSel::OnClick, {p.k(), p.xv(), p.yv()});
    } else if (pressed == c && c > 0) {
        if (XBrwColumn* column = columnAtPos(c)) answer = fireEvent(*column, XBrwColumn::OnDataClick, {p.k(), p.xv(), p.yv()});
    }
    if (answer.isNil()) answer = fireEvent(*this, OnClick, {p.k(), p.xv(), p.yv()});
    return answer;
}

Value XBrowse::WMLButtonDblClk(rt::Args args) {
    takeFocus();
    if (placed_.empty()) return TWinControl::WMLButtonDblClk(args);
    const GridPointer p = gridPointer(args);
    const int64_t r = mouseRowPos(rowGeometry(), p.y), c = mouseColPos(placed_, firstCol(), p.x);
    const bool allowEdit = field(kAllowEdit).asLogical();
    Value answer;
    if (r > 0 && c > 0) {
        XBrwColumn* column = columnAtPos(c);
        if (allowEdit && num(kMarqueeStyle) >= kHighlightRow && rt::send(*this, "Edit", {true}).asLogical())
            return Value(0);
        if (allowEdit && column && column->nEditType() > 0) {
            rt::send(*column, "Edit");
            return Value(0);
        }
        if (column) answer = fireEvent(*column, XBrwColumn::OnDataDblClick, {p.k(), p.xv(), p.yv()});
    } else if (r > 0 && c == -1) {
        if (XBrwRecSel* selector = recordSelector())
            answer = fireEvent(*selector, XBrwRecSel::OnDblClick, {p.k(), p.xv(), p.yv()});
    }
    if (!answer.isNil()) return answer;
    return fireEvent(*this, OnDblClick, {p.k(), p.xv(), p.yv()});
}

Value XBrowse::WMRButtonDown(rt::Args args) {
    takeFocus();
    const GridPointer p = gridPointer(args);
    const int64_t c = mouseColPos(placed_, firstCol(), p.x);
    setNum(kClickedCol, c == 0 ? -2 : c);
    return TWinControl::WMRButtonDown(args);
}

Value XBrowse::WMRButtonUp(rt::Args args) {
    const int64_t pressed = num(kClickedCol);
    if (pressed != -2 && pressed != 0) {
        const GridPointer p = gridPointer(args);
        const int64_t r = mouseRowPos(rowGeometry(), p.y), c = mouseColPos(placed_, firstCol(), p.x);
        Value answer;
        if (r != 0 && c > 0) {
            if (XBrwColumn* column = columnAtPos(c))
                answer = fireEvent(*column, XBrwColumn::OnDataRClick, {p.k(), p.xv(), p.yv()});
        } else if (r != 0 && c == -1) {
            if (XBrwRecSel* selector = recordSelector())
                answer = fireEvent(*selector, XBrwRecSel::OnRClick, {p.k(), p.xv(), p.yv()});
        }
        if (answer.isNil()) fireEvent(*this, OnRClick, {p.k(), p.xv(), p.yv()});
    }
    setNum(kClickedCol, 0);
    return TWinControl::WMRButtonUp(args);
}

Value XBrowse::WMMouseMove(rt::Args args) {
    const GridPointer p = gridPointer(args);
    if (field(kCaptured).asLogical() && dragRow_ > 0) {
        HorzLine(Vals{p.yv(), Value(3)});
        return Value(0);
    }
    if (rowLineUnder(p.x, p.y)) {
        ::SetCursor(LoadCursorA(nullptr, IDC_SIZENS));
        return Value(0);
    }
    return TWinControl::WMMouseMove(args);
}

Value XBrowse::WMMouseWheel(rt::Args args) {
    if (placed_.empty()) return {};
    cancelEdit();
    const auto wParam = static_cast<uintptr_t>(rt::arg(args, 0).asInteger());
    const bool up = static_cast<short>(HIWORD(wParam)) > 0, page = (LOWORD(wParam) & MK_MBUTTON) != 0;
    if (page)
        up ? GoPageUp({}) : GoPageDown({});
    else
        up ? GoUp({}) : GoDown({});
    return Value(0);
}

// ---------------------------------------------------------------- the row-height drag

void XBrowse::invertGuide(int64_t y) {
    if (!windowExists()) return;
    HWND window = reinterpret_cast<HWND>(Handle());
    HDC dc = GetDC(window);
    PatBlt(dc, 0, static_cast<int>(y - 1), static_cast<int>(lastCol()), 3, DSTINVERT);
    ReleaseDC(window, dc);
}

Value XBrowse::HorzLine(rt::Args args) {
    const int64_t y = rt::arg(args, 0).asInteger();
    const int64_t mode = rt::arg(args, 1).asInteger();
    const int64_t pitch = nIntRowHeight(), height = nClientHeight();
    if (mode == 1) {
        const int64_t row = rt::arg(args, 2).asInteger();
        if (row < 1 || !windowExists()) return {};
        SetCapture(reinterpret_cast<HWND>(Handle()));
        field(kCaptured) = true;
        dragRow_ = row;
        guideY_ = y;
        invertGuide(y);
        ::SetCursor(LoadCursorA(nullptr, IDC_SIZENS));
        return {};
    }
    if (dragRow_ < 1) return {};
    const int64_t rowTop = firstDataRow() + (dragRow_ - 1) * pitch;
    if (mode == 3) {
        ::SetCursor(LoadCursorA(nullptr, IDC_SIZENS));
        if (guideMayMoveTo(y, rowTop, height)) {
            invertGuide(guideY_);
            invertGuide(y);
            guideY_ = y;
        }
        return {};
    }
    if (mode != 2) return {};
    invertGuide(guideY_);
    dragRow_ = 0;
    guideY_ = 0;
    if (std::abs(y - (rowTop + pitch)) <= 2) return {};
    auto fresh = std::make_shared<Value>(number(draggedRowHeight(y, rowTop, height)));
    if (fresh->asInteger() == pitch) return {};
    const Value answer = fireEvent(*this, OnChangeHeight, {Value::reference(fresh), number(pitch)});
    if (answer.isLogical() && answer.asLogical()) return {};
    SetRowHeight(Vals{number(fresh->asInteger())});
    rebuildDisplay(true);
    Refresh({});
    return {};
}

// ---------------------------------------------------------------- header callbacks

int64_t XBrowse::itemToPos(int64_t item) const { return recordSelector() ? item - 1 : item; }

Value XBrowse::ColBegTrack(rt::Args args) {
    cancelEdit();
    if (recordSelector() && rt::arg(args, 1).asInteger() == 1) sendIfUnderstood(rt::arg(args, 0), "_lCancelTrack", {true});
    return {};
}

Value XBrowse::ColTrack(rt::Args args) {
    cancelEdit();
    sendIfUnderstood(rt::arg(args, 0), "_lCancelTrack", {true});
    if (XBrwColumn* column = columnAtPos(itemToPos(rt::arg(args, 1).asInteger())))
        rt::send(*column, "SetWidth", {number(rt::arg(args, 2).asInteger())});
    return {};
}

Value XBrowse::ColDrag(rt::Args args) {
    cancelEdit();
    sendIfUnderstood(rt::arg(args, 0), "_lCancelDrag", {true});
    if (!rt::arg(args, 1).isNumber() || !rt::arg(args, 2).isNumber()) return false;
    const int64_t from = itemToPos(rt::arg(args, 1).asInteger()), to = itemToPos(rt::arg(args, 2).asInteger());
    XBrwColumn* column = columnAtPos(from);
    if (from <= 0 || to <= 0 || !column) return false;
    MoveCol(Vals{Value(column->self()), number(to)});
    return true;
}

Value XBrowse::FilterEdit(rt::Args args) {
    XBrwColumn* column = columnAtPos(itemToPos(rt::arg(args, 1).asInteger()));
    if (!column || rt::send(*column, "lCanFilter").asLogical()) return {};
    return refuseFilter();
}

Value XBrowse::refuseFilter() {
    const std::string message = field(kMsgNoFilter).asString();
    if (message.empty()) {
        gridBeep();
    } else if (const rt::Function* info = rt::findFunction("MSGINFO")) {
        const Value call[] = {Value(message)};
        (*info)(rt::Args(call, 1));
    }
    if (windowExists()) ::SetFocus(reinterpret_cast<HWND>(Handle()));
    return false;
}

}  // namespace vorpex
