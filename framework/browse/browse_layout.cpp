// XBrowse: row pitch, the displayed columns, the header and footer bars and their items, the scroll bars and
// their messages, the horizontal moves, sizing and focus.
#include <algorithm>
#include <memory>

#include "framework/browse/browse.h"
#include "framework/browse/browse_args.h"
#include "framework/browse/brw_column.h"
#include "framework/browse/model/cell_rules.h"
#include "framework/browse/model/filter_bar.h"
#include "framework/browse/rec_sel.h"
#include "framework/controls/scroll_bar/scroll_info.h"
#include "framework/core/native/win_casts.h"
#include "framework/core/object/optional_send.h"
#include "framework/core/window/object_link.h"
#include "runtime/core/block.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;
using namespace browse;

namespace {

using win::toHwnd;

// A header item's click handler: the edit is cancelled, then the column is told.
Value itemHandler(const std::weak_ptr<rt::Object>& grid, const std::weak_ptr<rt::Object>& column, const char* message,
                  bool withFlags) {
    return Value(rt::makeBlock([grid, column, message, withFlags](rt::Args a) -> Value {
        auto g = grid.lock();
        auto c = column.lock();
        if (!g || !c) return {};
        rt::send(*g, "CancelEdit");
        if (withFlags) return rt::send(*c, message, {Value(), rt::arg(a, 1), rt::arg(a, 2)});
        return rt::send(*c, message, {rt::arg(a, 1), rt::arg(a, 2)});
    }));
}

// A header event handed to the grid's method of that name with the event's own arguments (the header first).
Value gridCallback(const std::weak_ptr<rt::Object>& grid, const char* message) {
    return Value(rt::makeBlock([grid, message](rt::Args a) -> Value {
        auto g = grid.lock();
        if (!g) return {};
        return rt::send(*g, rt::Symbol::intern(message), a);
    }));
}

}  // namespace

// ---------------------------------------------------------------- row pitch and columns

Value XBrowse::Adjust(rt::Args) {
    if (XBrwRecSel* selector = recordSelector()) rt::send(*selector, "Adjust");
    for (XBrwColumn* column : columns()) rt::send(*column, "Adjust");
    if (num(kRowHeight) == 0) {
        int64_t content = imageHeight();
        for (XBrwColumn* column : columns()) content = std::max(content, column->dataHeight());
        if (XBrwRecSel* selector = recordSelector()) content = std::max(content, selector->height());
        setNum(kIntRowHeight, rowPitch(content, nDataLines(), nRowDividerStyle()));
    } else {
        setNum(kIntRowHeight, rowPitch(num(kRowHeight), 0, 1, 0));
    }
    rebuildDisplay(true);
    rt::send(*this, "KeyCount");
    rt::send(*this, "KeyNo");
    return {};
}

Value XBrowse::SetRowHeight(rt::Args args) {
    if (!rt::arg(args, 0).isNil()) field(kRowHeight) = number(rt::arg(args, 0).asInteger());
    const int64_t fixed = num(kRowHeight);
    if (fixed > 0) {
        setNum(kIntRowHeight, fixed);
    } else {
        int64_t content = 0;
        for (XBrwColumn* column : columns()) content = std::max(content, column->dataHeight());
        if (XBrwRecSel* selector = recordSelector()) content = std::max(content, selector->height());
        setNum(kIntRowHeight, rowPitch(content, nDataLines(), nRowDividerStyle()));
    }
    return field(kIntRowHeight);
}

std::vector<ColumnBox> XBrowse::columnBoxes() const {
    std::vector<ColumnBox> boxes;
    for (XBrwColumn* column : columns()) boxes.push_back({column->nWidth(), column->lVisible()});
    return boxes;
}

LayoutInput XBrowse::layoutInput() const {
    return {.freeze = freeze(), .colOffset = num(kColOffset), .firstCol = firstCol(), .clientWidth = nClientWidth()};
}

DisplayRow XBrowse::displayRow() const { return DisplayRow(placed_, firstCol(), nClientWidth()); }

int64_t XBrowse::lastDisplayPos(bool full) const { return displayRow().lastPosition(full); }

void XBrowse::rebuildDisplay(bool update) {
    placed_ = displayColumns(columnBoxes(), layoutInput());
    const std::vector<XBrwColumn*> list = columns();
    for (XBrwColumn* column : list) column->place(0, 0);
    std::vector<Value> display;
    for (size_t i = 0; i < placed_.size(); ++i) {
        list[placed_[i].column]->place(static_cast<int64_t>(i + 1), placed_[i].x);
        display.push_back(number(static_cast<int64_t>(placed_[i].column) + 1));
    }
    field(kDisplay) = Value::array(std::move(display));
    setNum(kColSel, std::max<int64_t>(std::min<int64_t>(static_cast<int64_t>(placed_.size()), num(kColSel)), 1));
    if (update) UpdateDisplayCols({});
}

Value XBrowse::GetDisplayCols(rt::Args args) {
    rebuildDisplay(givenOr(args, 0, true));
    return field(kDisplay);
}

Value XBrowse::LastDisplayPos(rt::Args args) { return number(lastDisplayPos(rt::arg(args, 0).asLogical())); }

Value XBrowse::IsDisplayPosVisible(rt::Args args) {
    return displayRow().isPositionVisible(rt::arg(args, 0).asInteger(), rt::arg(args, 1).asLogical());
}

Value XBrowse::IsColVisible(rt::Args args) {
    auto column = rt::objectAs<XBrwColumn>(rt::arg(args, 0));
    return column && column->nPos() > 0 && displayRow().isPositionVisible(column->nPos(), rt::arg(args, 1).asLogical());
}

Value XBrowse::AllColsVisible(rt::Args) { return allColumnsVisible(columnBoxes(), displayRow(), freeze()); }
Value XBrowse::LastColVisible(rt::Args) { return lastColumnVisible(columnBoxes(), displayRow()); }

Value XBrowse::GetDisplayColsWidth(rt::Args args) {
    if (args.size() > 0 && args[0].isReference()) {
        std::vector<Value> widths;
        for (const Placed& p : placed_) widths.push_back(number(p.width));
        *args[0].asReference() = Value::array(std::move(widths));
    }
    return number(displayRow().width());
}

// ---------------------------------------------------------------- header and footer

rt::Value XBrowse::createBar(bool header) {
    int64_t height = header ? nHeaderHeight() : num(kFooterHeight);
    if (header) {
        // A bar switched on before the grid had a window makes the header as tall as switching it on after.
        const FilterSwitch s = switchFilterBar({lFilterBar(), filterHeight()}, height, lFilterBar());
        setNum(kFilterHeight, s.bar.plainHeight);
        height = s.headerHeight;
    }
    Value bar = createByClassName("THeader", "New", {selfObject()});
    if (bar.isNil()) return {};
    sendIfUnderstood(bar, "_nHeight", {number(height)});
    sendIfUnderstood(bar, "_nWidth", {number(nClientWidth())});
    if (!header) sendIfUnderstood(bar, "_nTop", {number(nClientHeight() - height)});
    sendIfUnderstood(bar, "_oImageList", {field(kImageList)});
    sendIfUnderstood(bar, "_lDragDrop", {header && rt::send(*this, "lAllowColSwapping").asLogical()});
    sendIfUnderstood(bar, "_lResize", {rt::send(*this, "lAllowColSizing").asLogical()});
    sendIfUnderstood(bar, "_lBorder", {false});
    sendIfUnderstood(bar, "_lTabStop", {false});
    sendIfUnderstood(bar, "_nAlign", {0});
    const std::weak_ptr<rt::Object> grid = self();
    if (header) {
        const std::pair<const char*, const char*> callbacks[] = {{"_OnBeginTrack", "ColBegTrack"},
                                                                  {"_OnEndTrack", "ColTrack"},
                                                                  {"_OnEndDrag", "ColDrag"},
                                                                  {"_OnDividerDblClick", "AdjustColWidth"},
                                                                  {"_OnFilterEdit", "FilterEdit"}};
        for (const auto& [event, method] : callbacks) sendIfUnderstood(bar, event, {gridCallback(grid, method)});
        sendIfUnderstood(bar, "_lFilterBar", {lFilterBar()});
        sendIfUnderstood(bar, "_OnFilterChange", {Value(rt::makeBlock([grid](rt::Args a) -> Value {
                             if (auto g = grid.lock()) static_cast<XBrowse&>(*g).filterChanged(rt::arg(a, 1).asInteger());
                             return {};
                         }))});
    } else {
        sendIfUnderstood(bar, "_OnEndTrack", {gridCallback(grid, "ColTrack")});
    }
    sendIfUnderstood(bar, "Create");
    const int64_t real = sendIfUnderstood(bar, "nHeight").asInteger();
    if (real > 0) setNum(header ? kHeaderHeight : kFooterHeight, real);
    return bar;
}

Value XBrowse::CreateHeader(rt::Args) {
    sendIfUnderstood(field(kHeaderBar), "End");
    field(kHeaderBar) = createBar(true);
    return field(kHeaderBar);
}

Value XBrowse::CreateFooter(rt::Args) {
    sendIfUnderstood(field(kFooterBar), "End");
    field(kFooterBar) = createBar(false);
    return field(kFooterBar);
}

void XBrowse::fillBarItems(bool header) {
    const Value bar = field(header ? kHeaderBar : kFooterBar);
    const intptr_t window = handleOf(bar);
    if (!window) return;
    SendMessageA(toHwnd(window), WM_SETREDRAW, FALSE, 0);
    sendIfUnderstood(bar, "DeleteItems");
    if (XBrwRecSel* selector = recordSelector())
        sendIfUnderstood(bar, "AddItem", {Value(""), header ? Value(0) : Value(), number(selector->nWidth())});
    const std::vector<XBrwColumn*> list = columns();
    const std::weak_ptr<rt::Object> grid = self();
    for (const Placed& p : placed_) {
        XBrwColumn* column = list[p.column];
        const Value align = number(headerAlignment(column->nAlignment()));
        const Value width = rt::send(*column, "GetWidth", {false});
        const Value item = header
            ? sendIfUnderstood(bar, "AddItem", {Value(column->cHeader()), align, width, number(column->nHeaderImage()),
                                                column->cTooltip(), number(column->nSort()),
                                                rt::send(*column, "GetFilter", {false})})
            : sendIfUnderstood(bar, "AddItem", {Value(column->cFooter()), align, width, number(column->nFooterImage()),
                                                column->cTooltip()});
        const std::weak_ptr<rt::Object> owner = column->self();
        sendIfUnderstood(item, "_OnClick", {itemHandler(grid, owner, header ? "HeaderClick" : "OnFooterClick", !header)});
        sendIfUnderstood(item, "_OnRClick", {itemHandler(grid, owner, header ? "OnHeaderRClick" : "OnFooterRClick", true)});
        sendIfUnderstood(item, "_OnDblClick",
                         {itemHandler(grid, owner, header ? "OnHeaderDblClick" : "OnFooterDblClick", true)});
        if (header)
            column->setHeaderItem(item);
        else
            column->setFooterItem(item);
    }
    SendMessageA(toHwnd(window), WM_SETREDRAW, TRUE, 0);
    if (sendIfUnderstood(bar, "lRedraw").asLogical()) InvalidateRect(toHwnd(window), nullptr, TRUE);
}

Value XBrowse::UpdateDisplayCols(rt::Args) {
    if (field(kHScroll).isLogical() && field(kHScroll).asLogical()) updateHorizontalBar();
    fillBarItems(true);
    fillBarItems(false);
    return {};
}

// ---------------------------------------------------------------- the filter bar

int64_t XBrowse::filterHeight() const { return field(kFilterHeight).isNil() ? 0 : num(kFilterHeight); }

void XBrowse::filterChanged(int64_t item) {
    if (const int64_t position = filterColumn(item, recordSelector() != nullptr))
        rt::send(*this, "SetFilter", {number(position)});
}

Value XBrowse::FilterMode(rt::Args args) {
    const bool on = rt::arg(args, 0).asLogical();
    cancelEdit();
    const FilterSwitch s = switchFilterBar({lFilterBar(), filterHeight()}, nHeaderHeight(), on);
    setNum(kFilterHeight, s.bar.plainHeight);
    field(kFilterBar) = on;
    const Value bar = field(kHeaderBar);
    sendIfUnderstood(bar, "_lFilterBar", {on});
    if (windowExists() && bar.isObject()) {
        SetHeaderHeight(Vals{number(s.headerHeight)});
        fillBarItems(true);  // the items carry their columns' filter texts again
        UpdControls({});
        repaintAll();
    }
    rt::send(*this, "SetFilter", {0});
    return on;
}

Value XBrowse::SetHeader(rt::Args args) {
    const bool on = rt::arg(args, 0).asLogical();
    sendIfUnderstood(field(kHeaderBar), "End");
    field(kHeaderBar) = Value();
    field(kHeader) = on;
    if (windowExists()) {
        if (on) {
            field(kHeaderBar) = createBar(true);
            rebuildDisplay(true);
        }
        Refresh(Vals{Value(true)});
    }
    return on;
}

Value XBrowse::SetFooter(rt::Args args) {
    const bool on = rt::arg(args, 0).asLogical();
    sendIfUnderstood(field(kFooterBar), "End");
    field(kFooterBar) = Value();
    field(kFooter) = on;
    if (windowExists()) {
        if (on) {
            field(kFooterBar) = createBar(false);
            rebuildDisplay(true);
        }
        Refresh(Vals{Value(true)});
    }
    return on;
}

Value XBrowse::SetRecSel(rt::Args args) {
    const bool on = rt::arg(args, 0).asLogical();
    field(kRecordSelector) = on;
    if (on) {
        if (auto existing = rt::objectAs<XBrwRecSel>(field(kRecSel))) {
            existing->setParent(self());  // a selector made before the grid is reused, not doubled
        } else {
            field(kRecSel) = createByClassName("TBrwRecSel", "Create", {selfObject()});
        }
        sendIfUnderstood(field(kRecSel), "Adjust");
    } else {
        sendIfUnderstood(field(kRecSel), "End");
        field(kRecSel) = Value();
    }
    if (windowExists() && givenOr(args, 1, true)) {
        rebuildDisplay(true);
        Refresh(Vals{Value(true)});
    }
    return on;
}

Value XBrowse::SetDataLines(rt::Args args) {
    field(kDataLines) = number(std::max<int64_t>(rt::arg(args, 0).asInteger(), 1));
    for (XBrwColumn* column : columns()) rt::send(*column, "DefStyle");
    if (num(kRowHeight) == 0) SetRowHeight(Vals{Value(0)});
    refreshDrawn(false);
    return field(kDataLines);
}

Value XBrowse::SetRowDividerStyle(rt::Args args) {
    field(kRowDividerStyle) = number(rt::arg(args, 0).asInteger());
    dropResources();
    return field(kRowDividerStyle);
}

Value XBrowse::SetColDividerStyle(rt::Args args) {
    field(kColDividerStyle) = number(rt::arg(args, 0).asInteger());
    dropResources();
    return field(kColDividerStyle);
}

// ---------------------------------------------------------------- scroll bars

void XBrowse::setVerticalBar() {
    const Value mode = field(kVScroll);
    if (!windowExists() || (mode.isLogical() && !mode.asLogical())) return;
    const VerticalBar bar = verticalBar(loadView());
    sbar::ScrollParts parts;
    parts.min = bar.min;
    parts.max = std::max<int64_t>(bar.max, bar.min);
    parts.page = bar.page;
    parts.position = bar.position;
    parts.disableNoScroll = mode.isLogical();
    sbar::setScrollParts(Handle(), sbar::kVerticalBar, parts);
}

void XBrowse::setVPos(int64_t position) {
    if (!windowExists() || (field(kVScroll).isLogical() && !field(kVScroll).asLogical())) return;
    sbar::setScrollParts(Handle(), sbar::kVerticalBar,
                         sbar::ScrollParts::positionAt(position, field(kVScroll).isLogical()));
}

void XBrowse::updateHorizontalBar() {
    if (!windowExists()) return;
    const HorizontalBar bar = horizontalBar(columnBoxes(), displayRow(), layoutInput());
    sbar::ScrollParts parts;
    parts.min = bar.min;
    parts.max = std::max<int64_t>(bar.max, bar.min);
    parts.page = bar.page;
    parts.position = bar.position;
    parts.disableNoScroll = field(kHScroll).isLogical();
    sbar::setScrollParts(Handle(), sbar::kHorizontalBar, parts);
}

Value XBrowse::SetVScroll(rt::Args args) {
    field(kVScroll) = rt::arg(args, 0);
    if (windowExists() && field(kVScroll).isLogical()) {
        ShowScrollBar(toHwnd(Handle()), SB_VERT, field(kVScroll).asLogical());
        setVerticalBar();
    }
    return field(kVScroll);
}

Value XBrowse::SetHScroll(rt::Args args) {
    field(kHScroll) = rt::arg(args, 0);
    if (windowExists() && field(kHScroll).isLogical()) {
        ShowScrollBar(toHwnd(Handle()), SB_HORZ, field(kHScroll).asLogical());
        if (field(kHScroll).asLogical()) updateHorizontalBar();
    }
    return field(kHScroll);
}

void XBrowse::addScrollBarMembers(VPClass& b) {
    using X = XBrowse;
    for (const bool vertical : {true, false}) {
        const int bar = vertical ? sbar::kVerticalBar : sbar::kHorizontalBar;
        const int mode = vertical ? kVScroll : kHScroll;
        const std::string axis = vertical ? "V" : "H";
        // A setter gives the bar what the arguments name; the bar is disabled rather than hidden when unneeded
        // once the program has said whether it wants it.
        auto setter = [bar, mode](auto parts) -> rt::NativeMethod {
            return [bar, mode, parts](rt::Object& o, const rt::Method&, rt::Args a) -> Value {
                auto& grid = static_cast<X&>(o);
                if (!grid.windowExists()) return {};
                sbar::ScrollParts given = parts(a);
                given.disableNoScroll = !grid.field(mode).isNil();
                return number(sbar::setScrollParts(grid.Handle(), bar, given));
            };
        };
        b.addMethod("Set" + axis + "Range", setter([](rt::Args a) {
                        sbar::ScrollParts p =
                            sbar::ScrollParts::range(rt::arg(a, 0).asInteger(), rt::arg(a, 1).asInteger(), false);
                        p.page = 1;
                        return p;
                    }));
        b.addMethod("Set" + axis + "Page", setter([](rt::Args a) {
                        return sbar::ScrollParts::pageOf(rt::arg(a, 0).asInteger(), false);
                    }));
        b.addMethod("Set" + axis + "Pos", setter([](rt::Args a) {
                        return sbar::ScrollParts::positionAt(rt::arg(a, 0).asInteger(), false);
                    }));
        auto getter = [bar](Value (*read)(const scroll::BarState&)) -> rt::NativeMethod {
            return [bar, read](rt::Object& o, const rt::Method&, rt::Args) -> Value {
                auto& grid = static_cast<X&>(o);
                const auto state = grid.windowExists() ? sbar::scrollState(grid.Handle(), bar) : std::nullopt;
                return state ? read(*state) : Value();
            };
        };
        b.addMethod("Get" + axis + "Range", getter([](const scroll::BarState& s) {
                        return Value::array({number(s.min), number(s.max)});
                    }));
        b.addMethod("Get" + axis + "Pos", getter([](const scroll::BarState& s) { return number(s.position); }));
        const LONG_PTR style = vertical ? WS_VSCROLL : WS_HSCROLL;
        b.addMethod("Get" + axis + "Scroll", [style](rt::Object& o, const rt::Method&, rt::Args) {
            auto& grid = static_cast<X&>(o);
            return Value(grid.windowExists() && (GetWindowLongPtrA(toHwnd(grid.Handle()), GWL_STYLE) & style) != 0);
        });
    }
}

Value XBrowse::SetHeaderHeight(rt::Args args) {
    if (rt::arg(args, 0).isNumber()) setNum(kHeaderHeight, rt::arg(args, 0).asInteger());
    placeBars();
    return number(nHeaderHeight());
}

Value XBrowse::SetFooterHeight(rt::Args args) {
    if (rt::arg(args, 0).isNumber()) setNum(kFooterHeight, rt::arg(args, 0).asInteger());
    placeBars();
    return number(num(kFooterHeight));
}

Value XBrowse::SetImageList(rt::Args args) {
    const Value& list = rt::arg(args, 0);
    const Value previous = field(kImageList);
    auto owned = rt::objectAs<XComponent>(previous);
    if (owned && owned->oParent().get() == this && !previous.sameAs(list)) sendIfUnderstood(previous, "End");
    field(kImageList) = list;
    for (int bar : {kHeaderBar, kFooterBar}) sendIfUnderstood(field(bar), "_oImageList", {list});
    return list;
}

Value XBrowse::AddImage(rt::Args args) {
    if (!field(kImageList).isObject()) field(kImageList) = createByClassName("TImageList", "New", {selfObject()});
    return rt::send(field(kImageList), rt::Symbol::intern("Add"), args);
}

void XBrowse::placeBars() {
    const Value width = number(nClientWidth());
    sendIfUnderstood(field(kHeaderBar), "SetBounds", {0, 0, width, number(nHeaderHeight())});
    const int64_t footer = num(kFooterHeight);
    sendIfUnderstood(field(kFooterBar), "SetBounds", {0, number(nClientHeight() - footer), width, number(footer)});
}

Value XBrowse::UpdControls(rt::Args) {
    if (!windowExists()) return {};
    setVerticalBar();
    const Value mode = field(kHScroll);
    const bool horizontal = mode.isNil() ? !allColumnsVisible(columnBoxes(), displayRow(), freeze()) : mode.asLogical();
    ShowScrollBar(toHwnd(Handle()), SB_HORZ, horizontal);
    if (horizontal) updateHorizontalBar();
    UpdateClientRect({});
    placeBars();
    return {};
}

Value XBrowse::WMVScroll(rt::Args args) {
    if (rt::arg(args, 1).asInteger() != 0) return {};  // a scroll-bar control's own report
    if (windowExists() && GetFocus() != toHwnd(Handle())) ::SetFocus(toHwnd(Handle()));
    const auto wParam = static_cast<uintptr_t>(rt::arg(args, 0).asInteger());
    switch (LOWORD(wParam)) {
        case SB_LINEUP: GoUp({}); break;
        case SB_LINEDOWN: GoDown({}); break;
        case SB_PAGEUP: GoPageUp({}); break;
        case SB_PAGEDOWN: GoPageDown({}); break;
        case SB_THUMBPOSITION: {
            const auto state = sbar::scrollState(Handle(), sbar::kVerticalBar);
            if (!state) break;
            // The message carries 16 bits of position; longer ranges read the bar's tracking position.
            const int64_t position = state->max <= 0xFFFF ? HIWORD(wParam) : state->track;
            if (position <= state->min)
                GoTop({});
            else if (position >= state->max)
                GoBottom({});
            else
                GoTo(Vals{number(position)});
            break;
        }
        default: break;
    }
    return Value(0);
}

Value XBrowse::WMHScroll(rt::Args args) {
    if (rt::arg(args, 1).asInteger() != 0) return {};
    const auto wParam = static_cast<uintptr_t>(rt::arg(args, 0).asInteger());
    switch (LOWORD(wParam)) {
        case SB_LINELEFT: GoLeft({}); break;
        case SB_LINERIGHT: GoRight({}); break;
        case SB_PAGELEFT: GoLeft(Vals{Value(true)}); break;
        case SB_PAGERIGHT: GoRight(Vals{Value(true)}); break;
        case SB_THUMBPOSITION: {
            const auto state = sbar::scrollState(Handle(), sbar::kHorizontalBar);
            GoHPos(Vals{number(state && state->max > 0xFFFF ? state->track : HIWORD(wParam))});
            break;
        }
        default: break;
    }
    return Value(0);
}

// ---------------------------------------------------------------- horizontal moves

Value XBrowse::GoLeft(rt::Args args) {
    const int64_t style = num(kMarqueeStyle);
    const bool offset = rt::arg(args, 0).asLogical() || style == kNoMarquee || style >= kHighlightRow;
    const int64_t colSel = num(kColSel), colOffset = num(kColOffset);
    if (!offset && colSel > 1 && (colOffset == 1 || displayRow().isPositionVisible(colSel - 1, true))) {
        drawLine(nullptr, false, num(kRowSel));
        setNum(kColSel, colSel - 1);
        drawLine(nullptr, true, num(kRowSel));
    } else if (colOffset > 1) {
        setNum(kColOffset, colOffset - 1);
        rebuildDisplay(true);
        repaintAll();
    }
    UpdControls({});
    fireChange(false);
    return {};
}

Value XBrowse::GoRight(rt::Args args) {
    const int64_t style = num(kMarqueeStyle);
    const Value mode = field(kHScroll);
    if (mode.isLogical() && !mode.asLogical() && style >= kHighlightRow) return {};
    const bool offset = rt::arg(args, 0).asLogical() || style == kNoMarquee || style >= kHighlightRow;
    const std::vector<ColumnBox> boxes = columnBoxes();
    const auto visible = std::count_if(boxes.begin(), boxes.end(), [](const ColumnBox& b) { return b.visible; });
    const int64_t room = visible - freeze(), colSel = num(kColSel), colOffset = num(kColOffset);
    const int64_t lastFull = lastDisplayPos(true);
    const bool lastShown = lastColumnVisible(boxes, displayRow());
    if (!offset && colSel < lastFull) {
        drawLine(nullptr, false, num(kRowSel));
        setNum(kColSel, colSel + 1);
        drawLine(nullptr, true, num(kRowSel));
    } else if (colOffset < room && !lastShown) {
        // The view scrolls one column; the cursor keeps its column.
        setNum(kColOffset, colOffset + 1);
        if (!offset) setNum(kColSel, std::max<int64_t>(colSel, 1));
        rebuildDisplay(true);
        if (!offset) setNum(kColSel, std::min(colSel, lastDisplayPos(true)));
        repaintAll();
    } else if (!offset && colSel < lastDisplayPos(false)) {
        setNum(kColSel, colSel + 1);
        repaintAll();
    }
    UpdControls({});
    fireChange(false);
    return {};
}

Value XBrowse::GoLeftMost(rt::Args) {
    setNum(kColSel, 1);
    setNum(kColOffset, 1);
    rebuildDisplay(true);
    repaintAll();
    UpdControls({});
    fireChange(false);
    return {};
}

Value XBrowse::GoRightMost(rt::Args) {
    const int64_t style = num(kMarqueeStyle);
    const Value mode = field(kHScroll);
    if (mode.isLogical() && !mode.asLogical() && style >= kHighlightRow) return {};
    const auto count = static_cast<int64_t>(columns().size());
    return SelectCol(Vals{number(count)});
}

Value XBrowse::SelectCol(rt::Args args) {
    const int64_t column = rt::arg(args, 0).asInteger(), style = num(kMarqueeStyle);
    if (column < 1) return {};
    if (style < kHighlightRow && displayRow().isPositionVisible(column - num(kColOffset) + 1)) {
        drawLine(nullptr, false, num(kRowSel));
        setNum(kColSel, column - num(kColOffset) + 1);
        drawLine(nullptr, true, num(kRowSel));
    } else {
        const int64_t offset =
            style < kHighlightRow ? offsetShowing(columnBoxes(), column, nClientWidth() - firstCol()) : column;
        setNum(kColOffset, offset);
        setNum(kColSel, column - offset + 1);
        rebuildDisplay(true);
        repaintAll();
    }
    UpdControls({});
    fireChange(false);
    return {};
}

Value XBrowse::GoHPos(rt::Args args) {
    int64_t pixel = rt::arg(args, 0).asInteger();
    if (num(kMarqueeStyle) <= kHighlightRowRc && windowExists()) {
        if (const auto bar = sbar::scrollState(Handle(), sbar::kHorizontalBar); bar && pixel > bar->position)
            pixel += bar->page;
    }
    if (const int64_t column = columnAtPixel(columnBoxes(), pixel)) SelectCol(Vals{number(column)});
    return {};
}

// ---------------------------------------------------------------- size and focus

Value XBrowse::WMSize(rt::Args args) {
    Value result = TWinControl::WMSize(args);
    if (nIntRowHeight() > 0) {
        rebuildDisplay(true);
        UpdControls({});
        UpdGridEdits({});  // open editors follow their cells
    }
    return result;
}

Value XBrowse::WMSetFocus(rt::Args args) {
    Value result = TWinControl::WMSetFocus(args);
    HWND other = reinterpret_cast<HWND>(static_cast<intptr_t>(rt::arg(args, 0).asInteger()));
    if (windowExists() && !IsChild(toHwnd(Handle()), other) && IsWindowVisible(toHwnd(Handle())))
        RefreshCurrent({});
    return result;
}

Value XBrowse::WMKillFocus(rt::Args args) {
    Value result = TWinControl::WMKillFocus(args);
    HWND other = reinterpret_cast<HWND>(static_cast<intptr_t>(rt::arg(args, 0).asInteger()));
    if (windowExists() && !IsChild(toHwnd(Handle()), other) && IsWindowVisible(toHwnd(Handle())))
        RefreshCurrent({});
    return result;
}

Value XBrowse::DataScroll(rt::Args args) {
    if (!windowExists()) return {};
    HWND window = toHwnd(Handle());
    HDC dc = GetDC(window);
    RECT clip{};
    const int kind = GetClipBox(dc, &clip);
    ReleaseDC(window, dc);
    const RECT data{0, static_cast<LONG>(headerHeight()), static_cast<LONG>(nClientWidth()),
                    static_cast<LONG>(nClientHeight() - footerHeight())};
    if (kind == SIMPLEREGION && EqualRect(&clip, &data)) {
        const int pitch = static_cast<int>(nIntRowHeight());
        RECT area{0, data.top, data.right, data.top + pitch * static_cast<LONG>(rowCount())};
        ScrollWindowEx(window, 0, rt::arg(args, 0).asInteger() >= 0 ? -pitch : pitch, &area, &area, nullptr, nullptr, 0);
    } else {
        InvalidateRect(window, nullptr, FALSE);
    }
    return {};
}

}  // namespace vorpex
