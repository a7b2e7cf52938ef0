// XBrowse: the paint walk on a device context, one row, erasing, grid lines and the selector's edge, with the
// pens and brushes made once from the grid's colours.
#include <algorithm>

#include "framework/browse/browse.h"
#include "framework/browse/browse_args.h"
#include "framework/browse/browse_resources.h"
#include "framework/browse/brw_column.h"
#include "framework/browse/grid_gdi.h"
#include "framework/browse/model/cell_rules.h"
#include "framework/browse/model/paint_walk.h"
#include "framework/browse/rec_sel.h"
#include "framework/core/paint/control_paint.h"
#include "framework/core/window/object_link.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;
using namespace browse;

namespace {

HPEN solidPen(COLORREF c) { return CreatePen(PS_SOLID, 1, c); }
HPEN dividerPen(int64_t style, COLORREF text) {
    const auto color = dividerColor(style, text);
    return color ? solidPen(*color) : nullptr;
}

}  // namespace


void XBrowse::makeResources() {
    if (gdi_) return;
    gdi_ = std::make_unique<Resources>();
    gdi_->shadow = solidPen(GetSysColor(COLOR_BTNSHADOW));
    gdi_->white = solidPen(GetSysColor(COLOR_BTNHIGHLIGHT));
    gdi_->column = dividerPen(nColDividerStyle(), textColor());
    gdi_->row = dividerPen(nRowDividerStyle(), textColor());
    gdi_->pane = CreateSolidBrush(paneColor());
    gdi_->altPane = CreateSolidBrush(altPaneColor());
    gdi_->selPane = CreateSolidBrush(selectionPane(false));
    gdi_->selFocusPane = CreateSolidBrush(selectionPane(true));
}

void XBrowse::dropResources() { gdi_.reset(); }

HBRUSH XBrowse::paneBrush() const {
    if (const intptr_t own = handleOf(field(kBrush))) return reinterpret_cast<HBRUSH>(own);
    const_cast<XBrowse*>(this)->makeResources();
    return gdi_->pane;
}

HBRUSH XBrowse::rowPane(bool marked, bool odd, bool focused) const {
    const_cast<XBrowse*>(this)->makeResources();
    if (marked) return focused ? gdi_->selFocusPane : gdi_->selPane;
    return odd ? gdi_->altPane : paneBrush();
}

bool XBrowse::isMarked(bool selected) const {
    const int64_t style = num(kMarqueeStyle);
    if (style != kHighlightRowMulti) return selected && style >= kHighlightRowRc;
    const Value mark = source_->bookmark();
    if (auto list = field(kSelected).asArray())
        for (const Value& v : list->items)
            if (v.sameAs(mark)) return true;
    return false;
}

Value XBrowse::WMPaint(rt::Args args) {
    HDC given = dcOf(rt::arg(args, 0).asInteger());
    HWND window = reinterpret_cast<HWND>(Handle());
    if (!window) return Value(0);
    ControlPaintState state;
    HDC dc = given ? given : VP_BeginBufferedPaint(window, state);
    if (dc) paint(dc);
    if (!given) VP_EndBufferedPaint(window, state);
    return Value(0);
}

void XBrowse::fillStrip(HDC dc, int64_t top, int64_t height, HBRUSH brush) {
    if (placed_.empty()) return;
    const int64_t right = placed_[static_cast<size_t>(lastDisplayPos(false) - 1)].right();
    const int64_t from = right - (nColDividerStyle() < kInset ? 1 : 0);
    if (right < lastCol()) fillWith(dc, {from, top, lastCol(), top + height}, brush);
}

void XBrowse::paintSelectorCell(HDC dc, int64_t top, int64_t height, bool current) {
    if (XBrwRecSel* selector = recordSelector()) selector->paint(dc, top, height, current);
}

void XBrowse::paintRow(HDC dc, const WalkRow& row, bool focused) {
    const int64_t pitch = nIntRowHeight(), y = firstDataRow() + (row.screenRow - 1) * pitch, h = cellHeight();
    const std::vector<XBrwColumn*> list = columns();
    const int64_t last = lastDisplayPos(false);
    if (row.phantom) {
        if (nEditMode() != kInsert) return;
        for (int64_t p = 1; p <= last; ++p)
            list[placed_[static_cast<size_t>(p - 1)].column]->eraseData(reinterpret_cast<intptr_t>(dc), y, h, true, p);
        fillStrip(dc, y, h, paneBrush());
        return;
    }
    setNum(kKeyNo, row.keyNo);
    fireEvent(*this, OnDrawRow, {number(row.screenRow)});
    const bool odd = (row.keyNo & 1) != 0;
    const bool marked = num(kMarqueeStyle) == kHighlightRowMulti && isMarked(false);
    if (num(kMarqueeStyle) > kHighlightCell) fillStrip(dc, y, h, rowPane(marked, odd, focused));
    paintSelectorCell(dc, y, pitch, false);
    for (int64_t p = 1; p <= last; ++p)
        list[placed_[static_cast<size_t>(p - 1)].column]->paintData(reinterpret_cast<intptr_t>(dc), y, h, marked, false,
                                                                   p, odd);
}

void XBrowse::paint(HDC dc) {
    makeResources();
    const bool focused = hasFocus();
    paintSelectorEdge(dc);
    const int64_t pitch = nIntRowHeight(), y0 = firstDataRow();
    const int64_t phantom = num(kPhantomRow);
    const WalkPlan plan{.screenRows = rowCount() - (nEditMode() == kAppend ? 1 : 0),
                        .phantomRow = phantom,
                        .hasColumns = !placed_.empty()};
    Viewport view = loadView();
    const WalkResult walk = paintWalk(*source_, view, plan, [&](const WalkRow& row) { paintRow(dc, row, focused); });
    storeView(view);
    if (walk.empty) {
        eraseData(dc, y0);
        paintVerticalLines(dc);
        paintHorizontalLines(dc);
        if (nEditMode() >= kAppend) paintSelectorCell(dc, y0, pitch, true);
        return;
    }
    if (num(kMarqueeStyle) <= kHighlightCell && !placed_.empty()) {
        const int64_t right = placed_[static_cast<size_t>(lastDisplayPos(false) - 1)].right();
        if (right < lastCol())
            fillWith(dc, {right - 1, y0, lastCol(), nClientHeight() - footerHeight() - 1}, paneBrush());
    }
    const int64_t y = y0 + walk.lastRow * pitch;
    if (y < nClientHeight()) eraseData(dc, y);
    if (nEditMode() != kInsert) drawLine(dc, phantom == 0, view.rowSel);
    if (recordSelector() && phantom > 0) {
        const int64_t row = std::min(phantom, rowCount());
        setNum(kPhantomRow, row);
        paintSelectorCell(dc, (row - 1) * pitch + y0, pitch, true);
    }
    paintVerticalLines(dc);
    paintHorizontalLines(dc);
}

void XBrowse::drawLine(HDC given, bool selected, int64_t row) {
    const int64_t pitch = nIntRowHeight();
    const int64_t y = (row - 1) * pitch + firstDataRow();
    const int64_t lastOrdRow = nClientHeight() - footerHeight() - pitch + 1;
    if (nLen() == 0 || y > lastOrdRow || !windowExists()) return;
    HWND window = reinterpret_cast<HWND>(Handle());
    HDC dc = given ? given : GetDC(window);
    makeResources();
    const bool focused = hasFocus();
    const int64_t h = cellHeight(), style = num(kMarqueeStyle), colSel = num(kColSel);
    const bool odd = (num(kKeyNo) & 1) != 0;
    fireEvent(*this, OnDrawRow, {number(row)});
    const bool marked = isMarked(selected);
    const std::vector<XBrwColumn*> list = columns();
    const int64_t last = placed_.empty() ? 0 : lastDisplayPos(false);
    for (int64_t p = 1; p <= last; ++p) {
        const bool cellFocus = selected && (style > kHighlightRowRc || p == colSel);
        list[placed_[static_cast<size_t>(p - 1)].column]->paintData(reinterpret_cast<intptr_t>(dc), y, h, marked,
                                                                   cellFocus, p, odd);
    }
    if (style >= kHighlightRowRc) {
        fillStrip(dc, y, h, rowPane(marked, odd, focused));
        if (style == kHighlightRowMulti && selected) {
            focusRect(dc, {firstCol(), y, lastCol(), y + h});
        } else if (style == kHighlightRowMulti && nColDividerStyle() != kNoLines) {
            for (int64_t p = 1; p <= last; ++p) {
                const int64_t x = placed_[static_cast<size_t>(p - 1)].right() - 2;
                const int64_t divider = nColDividerStyle();
                HPEN first = divider == kRaised ? gdi_->white : gdi_->column;
                HPEN second = divider == kInset ? gdi_->white : divider == kRaised ? gdi_->column : nullptr;
                verticalLine(dc, first, x, y, y + h);
                verticalLine(dc, second, x + 1, y, y + h);
            }
        }
    }
    paintSelectorCell(dc, y, pitch, selected);
    if (selected && nEditMode() == kRead && colSel >= 1 && colSel <= last) {
        XBrwColumn* column = list[placed_[static_cast<size_t>(colSel - 1)].column];
        const auto target = reinterpret_cast<intptr_t>(dc);
        if (style == kDottedCell) column->box(target, y, h, 1, colSel);
        if (style == kSolidCell) column->box(target, y, h, 2, colSel);
        if (style == kHighlightCell) column->paintData(target, y, h, true, true, colSel, odd);
        if (style == kHighlightRowRc) column->box(target, y, h, 3, colSel);
    }
    if (!given) ReleaseDC(window, dc);
}

Value XBrowse::DrawLine(rt::Args args) {
    const Value& row = rt::arg(args, 2);
    drawLine(dcOf(rt::arg(args, 0).asInteger()), rt::arg(args, 1).asLogical(),
             row.isNil() ? num(kRowSel) : row.asInteger());
    return {};
}

void XBrowse::eraseData(HDC dc, int64_t top) {
    const int64_t height = nClientHeight() - footerHeight() - top;
    if (height <= 0) return;
    if (placed_.empty()) {
        fillWith(dc, {firstCol(), top, lastCol(), top + height}, paneBrush());
    } else {
        const std::vector<XBrwColumn*> list = columns();
        for (size_t i = 0; i < placed_.size(); ++i)
            list[placed_[i].column]->eraseData(reinterpret_cast<intptr_t>(dc), top, height, true,
                                               static_cast<int64_t>(i + 1));
        const int64_t right = placed_.back().right() - (nColDividerStyle() < kInset ? 1 : 0);
        if (right < lastCol()) fillWith(dc, {right, top, lastCol(), top + height}, paneBrush());
    }
    if (XBrwRecSel* selector = recordSelector()) selector->erase(dc, top, height, true);
}

Value XBrowse::EraseData(rt::Args args) {
    HDC given = dcOf(rt::arg(args, 1).asInteger());
    if (!windowExists()) return {};
    HWND window = reinterpret_cast<HWND>(Handle());
    HDC dc = given ? given : GetDC(window);
    eraseData(dc, rt::arg(args, 0).asInteger());
    if (!given) ReleaseDC(window, dc);
    return {};
}

void XBrowse::paintVerticalLines(HDC dc) {
    const int64_t style = nColDividerStyle();
    if (style == kNoLines || placed_.empty()) return;
    makeResources();
    const int64_t top = firstDataRow();
    const int64_t bottom = top + (lColDividerComplete() ? dataHeight() : nIntRowHeight() * num(kDataRows));
    const int64_t last = lastDisplayPos(false);
    for (int64_t p = 1; p <= last; ++p) {
        const int64_t r = placed_[static_cast<size_t>(p - 1)].right();
        if (style == kInset) {
            verticalLine(dc, gdi_->white, r - 1, top, bottom);
            verticalLine(dc, gdi_->column, r - 2, top, bottom);
        } else if (style == kRaised) {
            verticalLine(dc, gdi_->column, r - 1, top, bottom);
            verticalLine(dc, gdi_->white, r - 2, top, bottom);
        } else {
            verticalLine(dc, gdi_->column, r - 2, top, bottom);
        }
    }
}

void XBrowse::paintHorizontalLines(HDC dc) {
    const int64_t style = nRowDividerStyle();
    if (style == kNoLines) return;
    makeResources();
    XBrwRecSel* selector = recordSelector();
    const int64_t selectorWidth = selector ? selector->nWidth() : 0;
    for (int64_t k = 1; k <= num(kDataRows); ++k) {
        const int64_t d = firstDataRow() - 1 + k * nIntRowHeight();
        if (selector) {
            horizontalLine(dc, gdi_->shadow, 2, selectorWidth - 4, d - 1);
            horizontalLine(dc, gdi_->white, 2, selectorWidth - 4, d);
        }
        if (style == kInset) {
            horizontalLine(dc, gdi_->row, selectorWidth, nClientWidth(), d);
            horizontalLine(dc, gdi_->white, selectorWidth, nClientWidth(), d - 1);
        } else if (style == kRaised) {
            horizontalLine(dc, gdi_->white, selectorWidth, nClientWidth(), d);
            horizontalLine(dc, gdi_->row, selectorWidth, nClientWidth(), d - 1);
        } else {
            horizontalLine(dc, gdi_->row, selectorWidth, nClientWidth(), d);
        }
    }
}

void XBrowse::paintSelectorEdge(HDC dc) {
    XBrwRecSel* selector = recordSelector();
    if (!selector) return;
    makeResources();
    const int64_t w = selector->nWidth(), top = firstDataRow();
    verticalLine(dc, gdi_->shadow, w - 2, top, top + dataHeight());
    verticalLine(dc, gdi_->white, w - 1, top, top + dataHeight());
}

}  // namespace vorpex
