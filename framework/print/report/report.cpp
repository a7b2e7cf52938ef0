#include "framework/print/report/report.h"

#include "framework/core/native/native_args.h"
#include "framework/core/object/vp_class.h"
#include "framework/print/report/report_blocks.h"
#include "runtime/core/block.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;
using report::kNoFill;

namespace {

Value callFunction(const char* name, std::vector<Value> args = {}) {
    const rt::Function* f = rt::findFunction(name);
    return f ? (*f)(rt::Args(args.data(), args.size())) : Value();
}

// The current work area until a data set is given: no table open counts as its end.
Value areaNotAtEnd() {
    return Value(rt::makeBlock(
        [](rt::Args) {
            const Value eof = callFunction("EOF");
            return Value(eof.isLogical() && !eof.asLogical());
        },
        "{|| !Eof() }"));
}

Value datasetNotAtEnd(const Value& dataset) {
    const Value set = Value::weak(dataset.asObject());
    return Value(rt::makeBlock([set](rt::Args) { return Value(!rt::send(set, "Eof").asLogical()); },
                               "{|| !oDataset:Eof() }"));
}

Value datasetSkip(const Value& dataset) {
    const Value set = Value::weak(dataset.asObject());
    return Value(rt::makeBlock([set](rt::Args args) { return rt::send(set, "Skip", {rt::arg(args, 0)}); },
                               "{|n| oDataset:Skip(n) }"));
}

template <class T>
std::vector<std::shared_ptr<T>> objectsIn(const Value& list) {
    std::vector<std::shared_ptr<T>> out;
    if (!list.isArray()) return out;
    for (const Value& item : list.asArray()->items)
        if (auto o = rt::objectAs<T>(item)) out.push_back(o);
    return out;
}

Value& listIn(Value& list) {
    if (!list.isArray()) list = Value::array();
    return list;
}

void removeEntry(Value& list, int64_t n) {
    auto& items = listIn(list).asArray()->items;
    if (n >= 1 && n <= static_cast<int64_t>(items.size())) items.erase(items.begin() + (n - 1));
}

}  // namespace

const rt::Class& XReport::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XReport", &TComponent::classRecord(), rt::factoryOf<XReport>());
        auto object = [&](const char* name) { return b.addProperty({.name = name, .type = "O", .scope = Published}); };
        auto number = [&](const char* name, int64_t initial) {
            return b.addProperty({.name = name, .initial = initial, .type = "N", .scope = Published});
        };
        auto text = [&](const char* name, const char* initial) {
            return b.addProperty({.name = name, .initial = initial, .type = "C", .scope = Published});
        };
        auto logical = [&](const char* name, bool initial) {
            return b.addProperty({.name = name, .initial = initial, .type = "L", .scope = Published});
        };
        kDevice = object("oDevice");
        kTitleSet = object("oTitle");
        kHeaderSet = object("oHeader");
        kFooterSet = object("oFooter");
        kPen = object("oPen");
        kDataset = b.addProperty({.name = "oDataset", .type = "O", .scope = Published, .setter = "SetDataset"});
        kGroups = b.addProperty({.name = "aGroups", .initial = Value::array(), .type = "A", .scope = Published});
        kColumns = b.addProperty({.name = "aColumns", .initial = Value::array(), .type = "A", .scope = Published});
        kFonts = b.addProperty({.name = "aFonts", .initial = Value::array(), .type = "A", .scope = Published});
        kFor = b.addProperty({.name = "bFor",
                              .initial = Value(rt::makeBlock([](rt::Args) { return Value(true); }, "{|| .T. }")),
                              .type = "B", .scope = Published});
        kWhile = b.addProperty({.name = "bWhile", .initial = areaNotAtEnd(), .type = "B", .scope = Published});
        kSkipBlock = b.addProperty({.name = "bSkip", .type = "B", .scope = Published});
        kJobName = text("cJobName", "Vorpex Report");
        kPageTotal = text("cPageTotal", "");
        kGrandTotal = text("cGrandTotal", "");
        kTitleUpLine = number("nTitleUpLine", rlDOUBLE);
        kTitleDnLine = number("nTitleDnLine", rlDOUBLE);
        kTotalLine = number("nTotalLine", rlDOUBLE);
        kGroupLine = number("nGroupLine", rlSINGLE);
        kGridStyle = number("nGridStyle", rgNONE);
        kTopMargin = number("nTopMargin", 100);
        kBottomMargin = number("nBottomMargin", 100);
        kLeftMargin = number("nLeftMargin", 0);
        kPage = number("nPage", 0);
        kClrLined = number("nClrLined", kNoFill);
        kSummary = logical("lSummary", false);
        kPreview = logical("lPreview", false);
        kPreviewModal = b.addProperty({.name = "lPreviewModal", .initial = false, .type = "L", .scope = Published,
                                       .setter = &XReport::SetPreviewModal});
        kPageTotalOn = logical("lPageTotal", true);
        kAutoLand = logical("lAutoLand", true);
        kXlsData = b.addData("cXlsData", "", "C");
        kCounter = b.addData("nCounter", 0, "N");
        kSeparator = b.addData("nSeparator", 0, "N");
        kLineHeight = b.addData("nLineHeight", 0, "N");
        kRow = b.addData("nRow", 0, "N");
        kWidth = b.addData("nWidth", 0, "N", Exported | ReadOnly);
        kGenPage = b.addData("nGenPage", 0, "N", Exported | ReadOnly);
        kTotal = b.addData("lTotal", false, "L");
        kCancel = b.addData("lCancel", false, "L");
        kXlsNumeric = b.addData("lXlsNumeric", true, "L");
        kForm = b.addData("oForm", Value(), "O");
        kLblPage = b.addData("oLblPage", Value(), "O");
        for (auto [position, name] : {std::pair{&kTopRow, "nTopRow"}, {&kBottomRow, "nBottomRow"},
                                      {&kTopDataRow, "nTopDataRow"}, {&kBottomDataRow, "nBottomDataRow"},
                                      {&kTopTitleRow, "nTopTitleRow"}, {&kBottomTitleRow, "nBottomTitleRow"},
                                      {&kLeftCol, "nLeftCol"}, {&kRightCol, "nRightCol"}})
            *position = b.addData(name, 0, "N");
        kPageLine = b.addData("nPageLine", 1, "N");
        kFirstRow = b.addData("lFirstRow", true, "L");
        kOrientChg = b.addData("lOrientChg", false, "L");
        kXlsReport = b.addData("lXlsReport", false, "L");
        for (const char* name : {"OnInit", "OnEnd", "OnPostEnd", "OnStartPage", "OnEndPage", "OnPostPage",
                                 "OnPreChange", "OnChange", "OnChanged"})
            b.addEvent(name, Published, "oSender");
        b.addEvent("OnStartLine", Published, "oSender, nHeight");
        b.addEvent("OnEndLine", Published, "oSender, nHeight");
        for (const char* name : {"OnStartGroup", "OnEndGroup", "OnPostGroup"})
            b.addEvent(name, Published, "oSender, oGroup");
        addMembers<XReport>(b);
        return b.create();
    }();
    return c;
}

// ---- making a report

Value XReport::New(rt::Args args) {
    XComponent::New(args);
    if (!field(kDevice).isObject()) {
        const Value& printer = rt::publicVar("Printer");
        if (printer.isObject()) field(kDevice) = printer;
    }
    return selfValue();
}

Value XReport::Create(rt::Args args) {
    New(args);
    const Value me = selfValue();
    for (int position : {kHeaderSet, kTitleSet, kFooterSet}) {
        if (field(position).isObject()) continue;
        const Value set(TRptLine::classRecord().instantiate());
        const Value type(position == kTitleSet ? "t" : "");
        const Value createArgs[] = {me, Value(), Value(), type};
        field(position) = rt::objectAs<XRptLine>(set)->Create(createArgs);
    }
    setCreated(true);
    return selfValue();
}

Value XReport::AddColumn(rt::Args args) {
    Value column = rt::arg(args, 0);
    if (!rt::objectAs<XRptColumn>(column)) {
        column = Value(TRptColumn::classRecord().instantiate());
        const Value me = selfValue();
        rt::objectAs<XRptColumn>(column)->New(rt::Args(&me, 1));
    }
    listIn(field(kColumns)).asArray()->items.push_back(column);
    return column;
}

Value XReport::AddGroup(rt::Args args) {
    Value group = rt::arg(args, 0);
    if (!rt::objectAs<XRptGroup>(group)) {
        group = Value(TRptGroup::classRecord().instantiate());
        const Value me = selfValue();
        rt::objectAs<XRptGroup>(group)->New(rt::Args(&me, 1));
    }
    listIn(field(kGroups)).asArray()->items.push_back(group);
    return group;
}

Value XReport::DelColumn(rt::Args args) {
    removeEntry(field(kColumns), native::intArg(args, 0));
    return selfValue();
}

Value XReport::DelGroup(rt::Args args) {
    removeEntry(field(kGroups), native::intArg(args, 0));
    return selfValue();
}

Value XReport::SetDataset(rt::Args args) {
    const Value& dataset = rt::arg(args, 0);
    field(kDataset) = dataset;
    if (dataset.isObject()) {
        field(kWhile) = datasetNotAtEnd(dataset);
        field(kSkipBlock) = datasetSkip(dataset);
    } else {
        field(kWhile) = areaNotAtEnd();
        field(kSkipBlock) = Value();
    }
    return dataset;
}

Value XReport::SetPreviewModal(rt::Args args) {
    const bool modal = rt::arg(args, 0).asLogical();
    field(kPreviewModal) = Value(modal);
    if (modal) field(kPreview) = Value(true);
    return rt::arg(args, 0);
}

// ---- the parts

std::vector<std::shared_ptr<XRptColumn>> XReport::columns() const { return objectsIn<XRptColumn>(field(kColumns)); }
std::vector<std::shared_ptr<XRptGroup>> XReport::groups() const { return objectsIn<XRptGroup>(field(kGroups)); }
std::shared_ptr<XRptLine> XReport::header() const { return rt::objectAs<XRptLine>(field(kHeaderSet)); }
std::shared_ptr<XRptLine> XReport::title() const { return rt::objectAs<XRptLine>(field(kTitleSet)); }
std::shared_ptr<XRptLine> XReport::footer() const { return rt::objectAs<XRptLine>(field(kFooterSet)); }

Value XReport::AreGroups(rt::Args) { return Value(!groups().empty()); }

Value XReport::MaxDataLines(rt::Args) {
    int most = 0;
    for (const auto& column : columns()) most = std::max(most, column->dataLines());
    return Value(most);
}

Value XReport::MaxTitleLines(rt::Args) {
    int most = 0;
    for (const auto& column : columns()) most = std::max(most, column->titleLines());
    return Value(most);
}

Value XReport::MaxDataHeight(rt::Args args) {
    const bool all = native::logicalArg(args, 0);
    int64_t most = nLineHeight();
    for (const auto& column : columns())
        most = std::max(most, column->nDataHeight() * (all ? column->dataLines() : 1));
    return Value(most);
}

Value XReport::MaxTitleHeight(rt::Args args) {
    const bool all = native::logicalArg(args, 0);
    int64_t most = 0;
    for (const auto& column : columns())
        most = std::max(most, column->nTitleHeight() * (all ? column->titleLines() : 1));
    return Value(most);
}

// ---- the record walk

bool XReport::whileHolds() {
    const Value me = selfValue();
    return report::evalBlock(field(kWhile), {me}).asLogical();
}

bool XReport::forHolds() {
    const Value& block = field(kFor);
    if (!block.isBlock()) return true;
    const Value me = selfValue();
    return report::evalBlock(block, {me}).asLogical();
}

bool XReport::finished() { return lCancel() || !whileHolds(); }

Value XReport::Finished(rt::Args) { return Value(finished()); }

void XReport::skip(int64_t n) {
    if (inSkip_) return;
    report::ReentryGuard guard(inSkip_);
    if (field(kSkipBlock).isBlock())
        report::evalBlock(field(kSkipBlock), {Value(n)});
    else
        callFunction("DBSKIP", {Value(n)});
}

Value XReport::Skip(rt::Args args) {
    skip(native::intArg(args, 0, 1));
    return Value();
}

void XReport::saveDataset() {
    if (!oDataset().isObject()) return;
    rt::send(oDataset(), "SaveState", {Value(true)});
    rt::send(oDataset(), "GoTop");
}

void XReport::restoreDataset() {
    if (oDataset().isObject()) rt::send(oDataset(), "RestoreState", {Value(true)});
}

void XReport::resetGroups() {
    for (const auto& group : groups()) group->Reset({});
}

void registerReportClasses() {
    TReport::classRecord();
    TRptColumn::classRecord();
    TRptGroup::classRecord();
    TRptLine::classRecord();
}

}  // namespace vorpex
