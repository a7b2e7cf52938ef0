// The report's measuring pass and its page, line, rule and group machinery, all in device pixels on the
// report's device.
#include <algorithm>

#include "framework/core/native/native_args.h"
#include "framework/print/report/report.h"
#include "framework/print/report/report_blocks.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "runtime/lib/transform.h"

namespace vorpex {

using rt::Value;
using report::kNoFill;
using report::ReentryGuard;

namespace {

void logDebug(const char* text) {
    if (const rt::Function* f = rt::findFunction("LOGDEBUG")) {
        const Value arg(text);
        (*f)(rt::Args(&arg, 1));
    }
}

}  // namespace

int64_t XReport::toPixels(int64_t points, int64_t dpi) const { return dpi > 0 ? points * dpi / 72 : 0; }

// ---- measuring

void XReport::measureParts(report::ReportDevice& d) {
    const report::Extent b = d.textExtent(1, "B");
    if (nSeparator() <= 0) set(kSeparator, b.width);
    if (nLineHeight() <= 0) set(kLineHeight, b.height * 12 / 10);
    for (const auto& set : {header(), footer(), title()})
        if (set) set->Adjust({});
    int order = 0;
    for (const auto& group : groups()) {
        const Value n(++order);
        group->Adjust(rt::Args(&n, 1));
    }
    bool totals = false;
    order = 0;
    for (const auto& column : columns()) {
        const Value n(++order);
        column->Adjust(rt::Args(&n, 1));
        totals = totals || column->lTotal();
    }
    field(kTotal) = Value(totals);
}

int64_t XReport::tableWidth() const {
    int64_t width = 0;
    const auto list = columns();
    for (const auto& column : list) width += column->nWidth();
    if (!list.empty()) width += nSeparator() * static_cast<int64_t>(list.size() - 1);
    for (const auto& set : {header(), footer(), title()})
        if (set) width = std::max(width, set->nWidth());
    return width;
}

// A table wider than portrait paper turns the sheet, before any page is started: the job's context follows
// the device's orientation, and no page or job is ended for it.
void XReport::chooseOrientation(report::ReportDevice& d) {
    if (nWidth() > page_.width && d.orientation() == report::kPortrait && flag(kAutoLand)) {
        d.setOrientation(report::kLandscape);
        field(kOrientChg) = Value(true);
        page_ = d.metrics();
    }
    if (nWidth() > page_.width) logDebug("Alert: Report width greater than page width");
}

void XReport::placeParts() {
    const int64_t top = toPixels(std::max<int64_t>(get(kTopMargin), 10), page_.dpiY);
    const int64_t left = toPixels(std::max<int64_t>(get(kLeftMargin), 10), page_.dpiX);
    const int64_t bottom = toPixels(get(kBottomMargin), page_.dpiY);
    const int64_t x0 = std::max((page_.width - nWidth()) / 2, std::max(left, page_.offsetX));
    set(kLeftCol, x0);
    int64_t x = x0;
    for (const auto& column : columns()) {
        column->setCol(x);
        x += column->nWidth() + nSeparator();
    }
    set(kRightCol, x - nSeparator());
    auto adjustAt = [](const std::shared_ptr<XRptLine>& set, int64_t col, int64_t row) {
        if (!set) return int64_t{0};
        const Value args[] = {Value(col), Value(row)};
        set->Adjust(args);
        return set->nHeight();
    };
    const int64_t headerHeight = adjustAt(header(), x0, top);
    const int64_t titleHeight = adjustAt(title(), x0, top + headerHeight);
    const int64_t footerHeight = footer() ? footer()->nHeight() : 0;
    adjustAt(footer(), x0, page_.height - footerHeight - bottom);
    set(kTopRow, headerHeight + titleHeight + top + nLineHeight());
    set(kBottomRow, footer() ? footer()->lineRow(1) : page_.height - bottom);
    set(kTopTitleRow, get(kTopRow) + nLineHeight() / 6 + (get(kTitleUpLine) == rlDOUBLE ? doubleGap() : 0));
    set(kBottomTitleRow, get(kTopTitleRow) + MaxTitleLines({}).asInteger() * MaxTitleHeight({}).asInteger());
    if (lTotal()) {
        int64_t tallest = 0;
        for (const auto& column : columns()) tallest = std::max(tallest, column->nDataHeight());
        addTo(kBottomRow, -(tallest + nLineHeight()));
    }
}

Value XReport::Adjust(rt::Args) {
    if (!device_) return selfValue();
    report::ReportDevice& d = *device_;
    page_ = d.metrics();
    measureParts(d);
    set(kWidth, tableWidth());
    chooseOrientation(d);
    placeParts();
    return selfValue();
}

// ---- rules

int64_t XReport::ruleGap() const { return nLineHeight() / 6; }
int64_t XReport::doubleGap() const { return device_ ? 2 * device_->penWidth() : 0; }

void XReport::horizontalRule(int64_t y) {
    if (!device_) return;
    if (get(kGridStyle) >= rgVERTICAL) {
        device_->line(nLeftCol() - nSeparator() / 2, y, nRightCol() + nSeparator() / 2, y);
        return;
    }
    for (const auto& column : columns()) device_->line(column->nCol(), y, column->nCol() + column->nWidth(), y);
}

Value XReport::PrintHorzLine(rt::Args args) {
    if (lXlsReport()) return Value();
    const int64_t type = native::intArg(args, 0);
    const bool before = native::logicalArg(args, 1, false), after = native::logicalArg(args, 2, true);
    if (before) addTo(kRow, ruleGap());
    if (type <= 0) return Value();
    horizontalRule(nRow());
    if (type == rlDOUBLE) horizontalRule(nRow() + doubleGap());
    const int64_t second = type == rlDOUBLE ? doubleGap() : 0;
    addTo(kRow, after ? ruleGap() + second : second);
    return Value();
}

void XReport::verticalRules() {
    const Value args[] = {field(kTitleUpLine), Value(true), Value(false)};
    PrintHorzLine(args);
    const int64_t e = ruleGap() + doubleGap();
    const bool open = get(kTitleUpLine) == rlNONE;
    const int64_t top = open ? get(kTopDataRow) - e : get(kTopRow);
    const int64_t bottom = open ? get(kBottomDataRow) + e : nRow();
    const int64_t half = nSeparator() / 2;
    auto rule = [&](int64_t x) { device_->line(x, top, x, bottom); };
    rule(nLeftCol() - half);
    rule(nRightCol() + half);
    const auto list = columns();
    for (size_t i = 1; i < list.size(); ++i) rule(list[i]->nCol() - half);
}

// ---- pages

void XReport::fillColumns(int64_t top, int64_t bottom, bool titles, bool blank) {
    if (!device_) return;
    for (const auto& column : columns()) {
        const int64_t pane = titles ? column->nTitleClrPane() : column->nClrPane();
        if (pane == kNoFill) continue;
        device_->fill({column->nCol(), top, column->nCol() + column->nWidth(), bottom}, blank ? kNoFill : pane);
    }
}

void XReport::showPageCount() {
    const Value& label = field(kLblPage);
    if (!label.isObject()) return;
    rt::send(label, "_cText", {Value(rt::transform(field(kGenPage), "999,999"))});
}

Value XReport::StartPage(rt::Args) {
    if (lXlsReport() || inStartPage_ || !device_) return Value();
    ReentryGuard guard(inStartPage_);
    device_->startPage();
    addTo(kGenPage, 1);
    showPageCount();
    addTo(kPage, 1);
    set(kPageLine, 1);
    fireEvent(*this, OnStartPage);
    for (const auto& set : {header(), title()})
        if (set) set->Print({});
    fillColumns(get(kTopTitleRow), get(kBottomTitleRow), true, false);
    PrintTitles({});
    field(kFirstRow) = Value(true);
    fillColumns(get(kTopDataRow), get(kBottomRow), false, false);
    return Value();
}

Value XReport::PrintTitles(rt::Args) {
    set(kRow, get(kTopRow));
    const Value up[] = {field(kTitleUpLine)};
    PrintHorzLine(up);
    const int lines = MaxTitleLines({}).asInt();
    const int64_t height = MaxTitleHeight({}).asInteger();
    for (int i = 1; i <= lines; ++i) {
        const Value args[] = {Value(nRow()), Value(i)};
        for (const auto& column : columns()) column->PrintTitle(args);
        addTo(kRow, height);
    }
    const Value down[] = {field(kTitleDnLine), Value(true)};
    PrintHorzLine(down);
    set(kTopDataRow, nRow());
    return Value();
}

bool XReport::pageTotalsDue() { return lTotal() && (flag(kPageTotalOn) || finished()); }

Value XReport::PrintTotals(rt::Args) {
    set(kBottomDataRow, nRow());
    if (!pageTotalsDue() || !device_) return Value();
    const std::string& label = finished() ? cGrandTotal() : cPageTotal();
    const Value rule[] = {field(kTotalLine), Value(true)};
    PrintHorzLine(rule);
    if (!label.empty())
        device_->drawText({nLeftCol(), nRow(), nRightCol(), nRow() + nLineHeight()}, label, report::kAlignLeft, 1, 0);
    const Value row(nRow());
    for (const auto& column : columns()) column->PrintTotal(rt::Args(&row, 1));
    addTo(kRow, nLineHeight());
    return Value();
}

Value XReport::EndPage(rt::Args args) {
    if (lXlsReport() || !device_) return Value();
    if (inPostEnd_) {
        device_->endPage();
        StartPage({});
        return Value();
    }
    const bool force = native::logicalArg(args, 0);
    fillColumns(nRow(), get(kBottomRow), false, true);
    fireEvent(*this, OnEndPage);
    const bool last = finished() && !force;
    if (last) fireEvent(*this, OnEnd);
    PrintTotals({});
    if (auto set = footer()) set->Print({});
    fireEvent(*this, OnPostPage);
    if (get(kGridStyle) == rgVERTICAL || get(kGridStyle) == rgBOTH) verticalRules();
    if (last) {
        ReentryGuard guard(inPostEnd_);
        fireEvent(*this, OnPostEnd);
    }
    device_->endPage();
    if (!finished() || force) StartPage({});
    return Value();
}

Value XReport::NewPage(rt::Args) {
    const Value force(true);
    return EndPage(rt::Args(&force, 1));
}

// ---- lines

int64_t XReport::heightArg(rt::Args args) const {
    return native::isNumberArg(args, 0) ? native::intArg(args, 0) : nLineHeight();
}

// A line that does not fit starts a new page, unless the page has no line yet: a line taller than the page
// would otherwise give an endless run of empty pages.
Value XReport::StartLine(rt::Args args) {
    if (lXlsReport() || inStartLine_) return Value(nRow());
    ReentryGuard guard(inStartLine_);
    const int64_t height = heightArg(args);
    if (nRow() + height >= get(kBottomRow) && !flag(kFirstRow)) EndPage({});
    fireEvent(*this, OnStartLine, {Value(height)});
    const int64_t lined = get(kClrLined);
    if (!lSummary() && lined != kNoFill && get(kPageLine) % 2 == 1 && device_) {
        const int64_t d = get(kGridStyle) > rgVERTICAL ? nSeparator() / 2 : 0;
        device_->fill({nLeftCol() - d, nRow(), nRightCol() + d, nRow() + height}, lined);
    }
    return Value(nRow());
}

Value XReport::EndLine(rt::Args args) {
    if (lXlsReport() || inEndLine_) return Value(nRow());
    ReentryGuard guard(inEndLine_);
    const int64_t height = heightArg(args);
    fireEvent(*this, OnEndLine, {Value(height)});
    addTo(kRow, height);
    addTo(kPageLine, 1);
    field(kFirstRow) = Value(false);
    if (NeedNewPage({}).asLogical()) EndPage({});
    return Value(nRow());
}

Value XReport::NeedNewPage(rt::Args args) { return Value(nRow() + heightArg(args) >= get(kBottomRow)); }

Value XReport::NewLine(rt::Args args) {
    StartLine(args);
    if (!flag(kFirstRow)) EndLine(args);
    return Value();
}

Value XReport::BackLine(rt::Args args) {
    addTo(kRow, -nLineHeight() * native::intArg(args, 0, 1));
    return Value(nRow());
}

Value XReport::LinesLeft(rt::Args) {
    return Value(nLineHeight() > 0 ? (get(kBottomRow) - nRow()) / nLineHeight() : int64_t{0});
}

// ---- groups

std::shared_ptr<XRptGroup> XReport::groupAt(rt::Args args) const {
    const auto list = groups();
    const int64_t k = native::intArg(args, 0);
    return k >= 1 && k <= static_cast<int64_t>(list.size()) ? list[k - 1] : nullptr;
}

Value XReport::StartGroup(rt::Args args) {
    auto group = groupAt(args);
    if (!group || inStartGroup_) return Value();
    ReentryGuard guard(inStartGroup_);
    group->setNeedStart(false);
    if (finished()) return Value();
    fireEvent(*this, OnStartGroup, {Value(group)});
    if (!group->lHeader()) return Value();
    const Value height(group->nHeaderHeight());
    StartLine(rt::Args(&height, 1));
    const Value row(nRow());
    group->PrintHeader(rt::Args(&row, 1));
    EndLine(rt::Args(&height, 1));
    return Value();
}

Value XReport::EndGroup(rt::Args args) {
    auto group = groupAt(args);
    if (!group || inEndGroup_) return Value();
    ReentryGuard guard(inEndGroup_);
    fireEvent(*this, OnEndGroup, {Value(group)});
    if (!lSummary() && !flag(kFirstRow)) {
        const Value rule[] = {field(kGroupLine), Value(false)};
        PrintHorzLine(rule);
    }
    if (group->lFooter()) {
        const Value height(group->nFooterHeight() + (lSummary() ? 0 : nLineHeight() / 2));
        StartLine(rt::Args(&height, 1));
        const Value row(nRow());
        group->PrintFooter(rt::Args(&row, 1));
        EndLine(rt::Args(&height, 1));
        if (!finished() && !flag(kFirstRow) && get(kGridStyle) > rgVERTICAL) {
            const Value rule[] = {Value(rlSINGLE), Value(true)};
            PrintHorzLine(rule);
        }
    }
    fireEvent(*this, OnPostGroup, {Value(group)});
    if (!flag(kFirstRow) && !finished() && group->lEject()) EndPage({});
    group->Reset({});
    group->setNeedStart(true);
    return Value();
}

// ---- a cell of a handler's own

Value XReport::PrintAtCol(rt::Args args) {
    const auto list = columns();
    const int64_t n = native::intArg(args, 0);
    if (lXlsReport() || !device_ || n < 1 || n > static_cast<int64_t>(list.size())) return Value();
    const auto& column = list[n - 1];
    const int64_t width = native::isNumberArg(args, 5) ? toPixels(native::intArg(args, 5), page_.dpiX) : column->nWidth();
    const int64_t height =
        native::isNumberArg(args, 6) ? toPixels(native::intArg(args, 6), page_.dpiY) : column->nDataHeight();
    const int64_t x = column->nCol(), y = nRow();
    device_->drawText({x, y, x + width, y + height}, native::textOr(args, 1),
                      static_cast<int>(native::intArg(args, 2, column->nAlignment())),
                      static_cast<int>(native::intArg(args, 3, column->nDataFont())),
                      native::intArg(args, 4, column->nClrText()));
    return Value();
}

}  // namespace vorpex
