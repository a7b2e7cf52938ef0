#include "framework/print/report/rpt_column.h"

#include <algorithm>

#include "framework/core/object/vp_class.h"
#include "framework/print/report/report.h"
#include "framework/print/report/report_blocks.h"
#include "runtime/core/block.h"
#include "runtime/lib/arithmetic.h"
#include "runtime/lib/transform.h"

namespace vorpex {

using rt::Value;
using report::kNoFill;

namespace {

Value emptyBlock() {
    return Value(rt::makeBlock([](rt::Args) { return Value(""); }, "{|| \"\" }"));
}

Value oneEmptyBlock() { return Value::array({emptyBlock()}); }

bool emptyArray(const Value& v) { return !v.isArray() || v.asArray()->items.empty(); }

int lineArg(rt::Args args, size_t i) {
    const Value& v = rt::arg(args, i);
    return v.isNumber() ? v.asInt() : 1;
}

}  // namespace

const rt::Class& XRptColumn::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XRptColumn", &TComponent::classRecord(), rt::factoryOf<XRptColumn>());
        kReport = b.addProperty({.name = "oReport", .type = "O", .scope = Published});
        kData = b.addProperty({.name = "aData", .type = "A", .scope = Published});
        kTitle = b.addProperty({.name = "aTitle", .type = "A", .scope = Published});
        kPicture = b.addProperty({.name = "aPicture", .type = "A", .scope = Published});
        kAlignment = b.addProperty({.name = "nAlignment", .initial = 0, .type = "N", .scope = Published});
        kDataFont = b.addProperty({.name = "nDataFont", .initial = 1, .type = "N", .scope = Published});
        kTitleFont = b.addProperty({.name = "nTitleFont", .initial = 1, .type = "N", .scope = Published});
        kTotalFont = b.addProperty({.name = "nTotalFont", .initial = 1, .type = "N", .scope = Published});
        kClrText = b.addProperty({.name = "nClrText", .initial = 0, .type = "N", .scope = Published});
        kCharSize = b.addProperty({.name = "nCharSize", .initial = 0, .type = "N", .scope = Published});
        kClrPane = b.addProperty({.name = "nClrPane", .initial = kNoFill, .type = "N", .scope = Published});
        kTitleClrText = b.addProperty({.name = "nTitleClrText", .initial = 0, .type = "N", .scope = Published});
        kTitleClrPane =
            b.addProperty({.name = "nTitleClrPane", .initial = kNoFill, .type = "N", .scope = Published});
        kTotalPict = b.addProperty({.name = "cTotalPict", .initial = "", .type = "C", .scope = Published});
        kTotal = b.addProperty({.name = "lTotal", .initial = false, .type = "L", .scope = Published});
        kTotalSum = b.addData("nTotal", 0, "N");
        kWidth = b.addData("nWidth", 0, "N");
        kDataHeight = b.addData("nDataHeight", 0, "N");
        kTitleHeight = b.addData("nTitleHeight", 0, "N");
        kValue = b.addData("Value", 0, "N");
        kCol = b.addData("nCol", 0, "N");
        kOrder = b.addData("nOrder", 0, "N");
        kCurLine = b.addData("nCurLine", 0, "N");
        b.addEvent("OnPrintData", Published, "oSender, nLine, @cText, @nFont, @nColor, Value");
        b.addEvent("OnPrintTitle", Published, "oSender, nLine, @cText, @nFont, @nColor");
        b.addEvent("OnPrintTotal", Published, "oSender, @cText, @nFont, @nColor");
        b.addEvent("OnAddToTotal", Published, "oSender, nLine, Value");
        addMembers<XRptColumn>(b);
        return b.create();
    }();
    return c;
}

Value XRptColumn::New(rt::Args args) {
    XComponent::New(args);
    if (rt::arg(args, 0).isObject()) field(kReport) = Value::weak(rt::arg(args, 0).asObject());
    return selfValue();
}

Value XRptColumn::Create(rt::Args args) {
    New(args);
    if (emptyArray(field(kTitle))) field(kTitle) = oneEmptyBlock();
    if (emptyArray(field(kData))) field(kData) = oneEmptyBlock();
    if (!field(kCharSize).isNumber()) field(kCharSize) = Value(0);
    if (emptyArray(field(kPicture))) field(kPicture) = Value::array({Value("")});
    auto& pictures = field(kPicture).asArray()->items;
    if (cTotalPict().empty()) field(kTotalPict) = Value(report::textOf(pictures.front()));
    for (int position : {kTotalSum, kCol, kWidth, kOrder}) field(position) = Value(0);
    while (pictures.size() < static_cast<size_t>(dataLines())) pictures.push_back(field(kTotalPict));
    setCreated(true);
    return selfValue();
}

std::shared_ptr<XReport> XRptColumn::report() const { return rt::objectAs<XReport>(field(kReport)); }

int XRptColumn::dataLines() const { return field(kData).isArray() ? static_cast<int>(field(kData).asArray()->size()) : 0; }
int XRptColumn::titleLines() const {
    return field(kTitle).isArray() ? static_cast<int>(field(kTitle).asArray()->size()) : 0;
}

Value XRptColumn::dataValue(int line) {
    if (line < 1 || line > dataLines()) return Value("");
    const Value me = selfValue();
    const Value x = report::evalBlock(field(kData).asArray()->at1(line), {me});
    return x.isNil() ? Value("") : x;
}

std::string XRptColumn::titleText(int line) {
    if (line < 1 || line > titleLines()) return "";
    const Value me = selfValue();
    return report::textOf(report::evalBlock(field(kTitle).asArray()->at1(line), {me}));
}

std::string XRptColumn::picture(int line) const {
    const Value& own = field(kPicture).isArray() ? field(kPicture).asArray()->at1(line) : rt::nil();
    return own.isString() ? own.asString() : cTotalPict();
}

std::string XRptColumn::dataText(int line, const Value& value) const {
    const std::string pict = picture(line);
    return pict.empty() ? report::textOf(value) : rt::transform(value, pict);
}

std::string XRptColumn::totalText() const {
    return cTotalPict().empty() ? report::textOf(field(kTotalSum)) : rt::transform(field(kTotalSum), cTotalPict());
}

void XRptColumn::addToTotals(int line, const Value& value) {
    const Value answer = fireEvent(*this, OnAddToTotal, {Value(line), value});
    const Value amount = answer.isNumber() ? answer : value;
    if (!amount.isNumber()) return;
    field(kValue) = rt::arithmetic(rt::ArithOp::Add, field(kValue), amount);
    field(kTotalSum) = rt::arithmetic(rt::ArithOp::Add, field(kTotalSum), amount);
    if (auto r = report())
        for (const auto& group : r->groups()) group->addToTotal(nOrder(), amount);
}

// ---- printing

void XRptColumn::draw(int64_t row, int64_t height, std::string text, int font, int64_t color) {
    auto r = report();
    if (!r || !r->device()) return;
    r->device()->drawText({nCol(), row, nCol() + nWidth(), row + height}, text, nAlignment(), font, color);
}

Value XRptColumn::PrintTitle(rt::Args args) {
    const int line = lineArg(args, 1);
    if (line < 1 || line > titleLines()) return Value();
    report::CellLook look{titleText(line), nTitleFont(), field(kTitleClrText).asInteger()};
    report::fireCellEvent(*this, OnPrintTitle, {Value(line)}, look);
    draw(rt::arg(args, 0).asInteger(), nTitleHeight(), look.text, look.font, look.color);
    return Value();
}

Value XRptColumn::PrintData(rt::Args args) {
    const int line = lineArg(args, 1);
    if (line < 1 || line > dataLines()) return Value();
    field(kCurLine) = Value(line);
    if (line == 1) field(kValue) = Value(0);
    const Value x = dataValue(line);
    if (lTotal() && x.isNumber()) addToTotals(line, x);
    auto r = report();
    if (r && r->lSummary()) return Value();
    report::CellLook look{dataText(line, x), nDataFont(), nClrText()};
    report::fireCellEvent(*this, OnPrintData, {Value(line)}, look, {x});
    draw(rt::arg(args, 0).asInteger(), nDataHeight(), look.text, look.font, look.color);
    return Value();
}

Value XRptColumn::PrintTotal(rt::Args args) {
    if (!lTotal()) return Value();
    report::CellLook look{totalText(), nDataFont(), 0};
    report::fireCellEvent(*this, OnPrintTotal, {}, look);
    draw(rt::arg(args, 0).asInteger(), nDataHeight(), look.text, look.font, look.color);
    return Value();
}

// ---- measuring

// The widest of the titles and of the data lines as their pictures show the current record; a block that
// fails while measuring counts as empty.
int64_t XRptColumn::measuredChars() {
    size_t widest = 0;
    const Value me = selfValue();
    for (int i = 1; i <= titleLines(); ++i)
        widest = std::max(widest, report::textOf(report::evalQuiet(field(kTitle).asArray()->at1(i), {&me, 1})).size());
    for (int i = 1; i <= dataLines(); ++i) {
        const Value x = report::evalQuiet(field(kData).asArray()->at1(i), {&me, 1});
        widest = std::max(widest, dataText(i, x.isNil() ? Value("") : x).size());
    }
    return static_cast<int64_t>(widest);
}

Value XRptColumn::Adjust(rt::Args args) {
    if (!lCreated()) Create({});
    field(kOrder) = Value(rt::arg(args, 0).asInteger());
    auto r = report();
    report::ReportDevice* d = r ? r->device() : nullptr;
    if (!d) return selfValue();
    field(kTitleHeight) = Value(d->textExtent(nTitleFont(), "B").height);
    field(kDataHeight) = Value(d->textExtent(nDataFont(), "B").height);
    const int64_t size = field(kCharSize).asInteger();
    const int64_t chars = size > 0 ? size : measuredChars();
    field(kWidth) = Value(chars > 0 ? d->textExtent(nDataFont(), std::string(static_cast<size_t>(chars), 'B')).width : 0);
    return selfValue();
}

}  // namespace vorpex
