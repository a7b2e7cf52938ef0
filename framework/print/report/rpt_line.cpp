#include "framework/print/report/rpt_line.h"

#include <algorithm>
#include <cctype>

#include "framework/core/native/native_args.h"
#include "framework/core/object/vp_class.h"
#include "framework/print/report/report.h"
#include "framework/print/report/report_blocks.h"
#include "runtime/core/block.h"

namespace vorpex {

using rt::Value;

namespace {

Value emptyLine() {
    return Value(rt::makeBlock([](rt::Args) { return Value(""); }, "{|| \"\" }"));
}

Value repeated(const Value& item, size_t count) { return Value::array(std::vector<Value>(count, item)); }

size_t sizeOf(const Value& v) { return v.isArray() ? v.asArray()->size() : 0; }

void append(Value& list, const Value& item) {
    if (!list.isArray()) list = Value::array();
    list.asArray()->items.push_back(item);
}

}  // namespace

const rt::Class& XRptLine::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XRptLine", &TComponent::classRecord(), rt::factoryOf<XRptLine>());
        kReport = b.addProperty({.name = "oReport", .type = "O", .scope = Published});
        kLine = b.addProperty({.name = "aLine", .type = "A", .scope = Published});
        kAlignment = b.addProperty({.name = "aAlignment", .type = "A", .scope = Published});
        kFonts = b.addProperty({.name = "aFonts", .type = "A", .scope = Published});
        kColor = b.addProperty({.name = "nColor", .initial = 0, .type = "N", .scope = Published});
        kHeight = b.addData("nHeight", 0, "N");
        kWidth = b.addData("nWidth", 0, "N");
        kRow = b.addData("aRow", Value::array(), "A");
        kLineWidth = b.addData("aWidth", Value::array(), "A");
        kCol = b.addData("nCol", 0, "N");
        b.addEvent("OnPrintLine", Published, "oSender, nLine, @cText, @nFont, @nColor");
        addMembers<XRptLine>(b);
        return b.create();
    }();
    return c;
}

Value XRptLine::New(rt::Args args) {
    XComponent::New(args);
    if (rt::arg(args, 0).isObject()) field(kReport) = Value::weak(rt::arg(args, 0).asObject());
    return selfValue();
}

Value XRptLine::Create(rt::Args args) {
    New(args);
    const Value& lines = rt::arg(args, 1);
    const std::string type = native::textOr(args, 3);
    const bool titleSet = !type.empty() && std::tolower(static_cast<unsigned char>(type[0])) == 't';
    const Value align = native::isNumberArg(args, 2) ? rt::arg(args, 2) : Value(titleSet ? report::kAlignCenter
                                                                                          : report::kAlignLeft);
    if (field(kLine).isNil()) field(kLine) = sizeOf(lines) ? lines : Value::array({emptyLine()});
    if (field(kAlignment).isNil()) field(kAlignment) = repeated(align, sizeOf(field(kLine)));
    if (field(kFonts).isNil()) field(kFonts) = repeated(Value(1), sizeOf(field(kLine)));
    setCreated(true);
    return selfValue();
}

Value XRptLine::AddLine(rt::Args args) {
    append(field(kLine), rt::arg(args, 0).isBlock() ? rt::arg(args, 0) : emptyLine());
    append(field(kAlignment), Value(native::intArg(args, 1, report::kAlignLeft)));
    append(field(kFonts), Value(1));
    return selfValue();
}

std::shared_ptr<XReport> XRptLine::report() const { return rt::objectAs<XReport>(field(kReport)); }

int XRptLine::lineCount() const { return static_cast<int>(sizeOf(field(kLine))); }

rt::Value XRptLine::blockOwner() {
    auto r = report();
    return r ? Value(r) : selfValue();
}

bool XRptLine::blank() {
    if (lineCount() == 0) return true;
    if (lineCount() > 1) return false;
    const Value owner = blockOwner();
    return report::textOf(report::evalQuiet(field(kLine).asArray()->at1(1), {&owner, 1})).empty();
}

std::string XRptLine::lineText(int line) {
    if (line < 1 || line > lineCount()) return "";
    return report::textOf(report::evalBlock(field(kLine).asArray()->at1(line), {blockOwner()}));
}

int XRptLine::lineAlignment(int line) const {
    const Value& v = field(kAlignment).isArray() ? field(kAlignment).asArray()->at1(line) : rt::nil();
    return v.isNumber() ? v.asInt() : report::kAlignLeft;
}

int XRptLine::lineFont(int line) const {
    const Value& v = field(kFonts).isArray() ? field(kFonts).asArray()->at1(line) : rt::nil();
    return v.isNumber() ? v.asInt() : 1;
}

int64_t XRptLine::lineRow(int line) const {
    const Value& v = field(kRow).isArray() ? field(kRow).asArray()->at1(line) : rt::nil();
    return v.asInteger();
}

Value XRptLine::Adjust(rt::Args args) {
    if (!lCreated()) Create({});
    const int64_t top = native::intArg(args, 1);
    field(kCol) = Value(native::intArg(args, 0));
    field(kRow) = Value::array();
    field(kLineWidth) = Value::array();
    field(kWidth) = Value(0);
    field(kHeight) = Value(0);
    auto r = report();
    report::ReportDevice* d = r ? r->device() : nullptr;
    if (blank() || !d) {
        append(field(kRow), Value(top));
        return selfValue();
    }
    int64_t y = top, widest = 0;
    for (int i = 1; i <= lineCount(); ++i) {
        append(field(kRow), Value(y));
        y += d->textExtent(lineFont(i), "B").height;
        const int64_t width = d->textExtent(lineFont(i), lineText(i)).width;
        append(field(kLineWidth), Value(width));
        widest = std::max(widest, width);
    }
    field(kWidth) = Value(widest);
    field(kHeight) = Value(y - top);
    return selfValue();
}

// A text holding "||" is a left part and a right part of the same line, as a name and a page number.
Value XRptLine::Print(rt::Args args) {
    auto r = report();
    report::ReportDevice* d = r ? r->device() : nullptr;
    if (!d || blank()) return Value();
    const int64_t offset = native::intArg(args, 0);
    const int64_t left = field(kCol).asInteger(), right = left + r->nWidth();
    for (int i = 1; i <= lineCount(); ++i) {
        report::CellLook look{lineText(i), lineFont(i), field(kColor).asInteger()};
        report::fireCellEvent(*this, OnPrintLine, {Value(i)}, look);
        const int64_t y = lineRow(i) + offset;
        const report::Rect rect{left, y, right, y + d->textExtent(look.font, "B").height};
        const size_t split = look.text.find("||");
        if (split == std::string::npos) {
            d->drawText(rect, look.text, lineAlignment(i), look.font, look.color);
            continue;
        }
        d->drawText(rect, look.text.substr(0, split), report::kAlignLeft, look.font, look.color);
        d->drawText(rect, look.text.substr(split + 2), report::kAlignRight, look.font, look.color);
    }
    return Value();
}

}  // namespace vorpex
