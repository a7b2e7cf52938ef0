#include "framework/print/report/rpt_group.h"

#include "framework/core/native/native_args.h"
#include "framework/core/object/vp_class.h"
#include "framework/print/report/report.h"
#include "framework/print/report/report_blocks.h"
#include "runtime/core/block.h"
#include "runtime/lib/arithmetic.h"
#include "runtime/lib/transform.h"

namespace vorpex {

using rt::Value;

namespace {

Value textBlock(const char* text, const char* source) {
    return Value(rt::makeBlock([text](rt::Args) { return Value(text); }, source));
}

}  // namespace

const rt::Class& XRptGroup::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XRptGroup", &TComponent::classRecord(), rt::factoryOf<XRptGroup>());
        kReport = b.addProperty({.name = "oReport", .type = "O", .scope = Published});
        kGroup = b.addProperty({.name = "bGroup", .initial = textBlock("", "{|| \"\" }"), .type = "B",
                                .scope = Published});
        kHeader = b.addProperty({.name = "bHeader", .initial = textBlock("", "{|| \"\" }"), .type = "B",
                                 .scope = Published});
        kFooter = b.addProperty({.name = "bFooter", .initial = textBlock("Total...", "{|| \"Total...\" }"),
                                 .type = "B", .scope = Published});
        kFont = b.addProperty({.name = "nFont", .initial = 1, .type = "N", .scope = Published});
        kClrText = b.addProperty({.name = "nClrText", .initial = 0, .type = "N", .scope = Published});
        kEject = b.addProperty({.name = "lEject", .initial = false, .type = "L", .scope = Published});
        kCounter = b.addData("nCounter", 0, "N");
        kTotals = b.addData("aTotal", Value::array(), "A");
        kValue = b.addData("cValue", "", "C");
        kOldValue = b.addData("cOldValue", "", "C");
        kHeaderHeight = b.addData("nHeaderHeight", 0, "N");
        kFooterHeight = b.addData("nFooterHeight", 0, "N");
        kOrder = b.addData("nOrder", 0, "N");
        kNeedStart = b.addData("lNeedStart", false, "L");
        kHasHeader = b.addData("lHeader", false, "L");
        kHasFooter = b.addData("lFooter", false, "L");
        b.addEvent("OnPrintTotal", Published, "oSender, @cText, @nFont, @nColor");
        b.addEvent("OnPrintHeader", Published, "oSender, @cText, @nFont, @nColor");
        b.addEvent("OnPrintFooter", Published, "oSender, @cText, @nFont, @nColor");
        addMembers<XRptGroup>(b);
        return b.create();
    }();
    return c;
}

Value XRptGroup::New(rt::Args args) {
    XComponent::New(args);
    if (rt::arg(args, 0).isObject()) field(kReport) = Value::weak(rt::arg(args, 0).asObject());
    return selfValue();
}

Value XRptGroup::Create(rt::Args args) {
    New(args);
    for (int position : {kNeedStart, kHasHeader, kHasFooter}) field(position) = Value(false);
    for (int position : {kValue, kOldValue}) field(position) = Value("");
    for (int position : {kCounter, kOrder, kClrText}) field(position) = Value(0);
    setCreated(true);
    return selfValue();
}

std::shared_ptr<XReport> XRptGroup::report() const { return rt::objectAs<XReport>(field(kReport)); }

// A key that cannot be evaluated is "", a group like any other.
std::string XRptGroup::currentKey() {
    const Value me = selfValue();
    return report::textOf(report::evalQuiet(field(kGroup), {&me, 1}));
}

std::string XRptGroup::headerText() {
    const Value me = selfValue();
    return report::textOf(report::evalBlock(field(kHeader), {me}));
}

std::string XRptGroup::footerText() {
    const Value me = selfValue();
    return report::textOf(report::evalBlock(field(kFooter), {me}));
}

Value XRptGroup::total(int order) const {
    const Value& amount = field(kTotals).isArray() ? field(kTotals).asArray()->at1(static_cast<size_t>(order)) : rt::nil();
    return amount.isNumber() ? amount : Value(0);
}

void XRptGroup::addToTotal(int order, const Value& amount) {
    if (order < 1 || !amount.isNumber()) return;
    if (!field(kTotals).isArray()) field(kTotals) = Value::array();
    auto& totals = field(kTotals).asArray()->items;
    if (totals.size() < static_cast<size_t>(order)) totals.resize(static_cast<size_t>(order), Value(0));
    totals[order - 1] = rt::arithmetic(rt::ArithOp::Add, totals[order - 1], amount);
}

Value XRptGroup::Reset(rt::Args) {
    const std::string key = currentKey();
    field(kValue) = Value(key);
    field(kOldValue) = Value(key);
    auto r = report();
    const size_t columns = r ? r->columns().size() : 0;
    field(kTotals) = Value::array(std::vector<Value>(columns, Value(0)));
    field(kCounter) = Value(0);
    return Value();
}

// Keys compare exactly: "10" after "1" is a new group, and so is any key after "".
Value XRptGroup::Check(rt::Args) {
    field(kOldValue) = Value(currentKey());
    return Value(field(kOldValue).asString() != cValue());
}

Value XRptGroup::Evaluate(rt::Args) {
    field(kCounter) = Value(nCounter() + 1);
    return field(kCounter);
}

Value XRptGroup::Adjust(rt::Args args) {
    if (!lCreated()) Create({});
    if (!field(kTotals).isArray() || field(kTotals).asArray()->items.empty()) Reset({});
    auto r = report();
    report::ReportDevice* d = r ? r->device() : nullptr;
    const int64_t height = d ? d->textExtent(nFont(), "B").height : 0;
    field(kHasHeader) = Value(!headerText().empty());
    field(kHasFooter) = Value(!footerText().empty());
    field(kHeaderHeight) = Value(lHeader() ? height : 0);
    field(kFooterHeight) = Value(lFooter() ? height : 0);
    field(kOrder) = Value(native::intArg(args, 0));
    return selfValue();
}

// ---- printing

std::string XRptGroup::eventText(const EventRef& event, std::string text, int& font, int64_t& color) {
    report::CellLook look{std::move(text), font, color};
    report::fireCellEvent(*this, event, {}, look);
    font = look.font;
    color = look.color;
    return look.text;
}

void XRptGroup::drawTotals(int64_t row) {
    auto r = report();
    if (!r || !r->device() || !r->lTotal()) return;
    for (const auto& column : r->columns()) {
        if (!column->lTotal()) continue;
        const Value amount = total(column->nOrder());
        int font = nFont();
        int64_t color = nClrText();
        const std::string text = eventText(OnPrintTotal, column->cTotalPict().empty() ? report::textOf(amount)
                                                            : rt::transform(amount, column->cTotalPict()), font, color);
        r->device()->drawText({column->nCol(), row, column->nCol() + column->nWidth(), row + column->nDataHeight()},
                              text, column->nAlignment(), font, color);
    }
}

Value XRptGroup::PrintHeader(rt::Args args) {
    auto r = report();
    if (!lHeader() || !r || !r->device()) return Value();
    const int64_t row = native::intArg(args, 0);
    int font = nFont();
    int64_t color = nClrText();
    const std::string text = eventText(OnPrintHeader, headerText(), font, color);
    r->device()->drawText({r->nLeftCol(), row, r->nRightCol(), row + nHeaderHeight()}, text, report::kAlignLeft,
                          font, color);
    if (!lFooter() && r->lSummary()) drawTotals(row);
    return Value();
}

Value XRptGroup::PrintFooter(rt::Args args) {
    auto r = report();
    if (!r || !r->device()) return Value();
    const int64_t row = native::intArg(args, 0);
    if (!lFooter()) {
        if (!r->lSummary()) drawTotals(row);
        return Value();
    }
    int font = nFont();
    int64_t color = nClrText();
    const std::string text = eventText(OnPrintFooter, footerText(), font, color);
    r->device()->drawText({r->nLeftCol(), row, r->nRightCol(), row + nFooterHeight()}, text, report::kAlignLeft,
                          font, color);
    drawTotals(row);
    return Value();
}

Value XRptGroup::PrintTotal(rt::Args args) {
    drawTotals(native::intArg(args, 0));
    return Value();
}

}  // namespace vorpex
