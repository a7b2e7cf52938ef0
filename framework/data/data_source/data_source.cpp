#include "framework/data/data_source/data_source.h"

#include <algorithm>

#include "framework/core/native/value_readers.h"
#include "framework/core/object/optional_send.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/texts/texts.h"
#include "framework/data/data_source/data_errors.h"
#include "framework/data/data_source/data_source_list.h"
#include "framework/data/data_source/error_list_view.h"
#include "framework/data/parent_notice.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "runtime/core/symbol.h"

namespace vorpex::data {

namespace {

using native::isFalse;
using native::textOf;

rt::Value& processSlot() {
    static rt::Value name("General");
    return name;
}

std::string upperText(const rt::Value& v) { return rt::upper(textOf(v)); }

}  // namespace

const rt::Class& XDataSource::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XDataSource;
        VPClass b("XDataSource", &TComponent::classRecord(), rt::factoryOf<XDataSource>());
        kDataSets = b.addData("aDataSet", rt::Value::array(), "A", Exported);
        kUseDictionary = b.addData("lUseDictionary", false, "L", Exported);
        kErrors = b.addData("aErrors", rt::Value::array(), "A", Hidden);
        kConnect = b.addProperty({.name = "cConnect", .initial = "", .type = "C", .scope = Published,
                                  .setter = &X::SetConnect});
        kTimeOut = b.addProperty({.name = "nTimeOut", .initial = 30, .type = "N", .scope = Published});
        kAbortOnErrors = b.addProperty({.name = "lAbortOnErrors", .initial = false, .type = "L", .scope = Published});
        kDisplayErrors = b.addProperty({.name = "lDisplayErrors", .initial = true, .type = "L", .scope = Published});
        kConnected = b.addProperty({.name = "lConnected", .initial = false, .type = "L", .scope = Published,
                                    .setter = &X::SetConnected});
        for (const char* event : {"OnCreate", "OnConnect", "OnConnected", "OnDisconnect", "OnDisconnected"})
            b.addEvent(event, Published, "oSender");
        b.addEvent("OnError", Published, "oSender, oError, oDataset");
        // The current process is one name for every source, whatever its class.
        b.addMethod("cProcess", [](rt::Object&, const rt::Method&, rt::Args) { return processSlot(); }, Protected);
        b.addMethod("_cProcess", [](rt::Object&, const rt::Method&, rt::Args a) {
            setSharedProcess(rt::arg(a, 0));
            return processSlot();
        }, Protected);
        addMembers<XDataSource>(b);
        b.addMethod("EndProcess", rt::method(&X::DelProcess));
        return b.create();
    }();
    return c;
}

std::string XDataSource::sharedProcess() { return textOf(processSlot()); }

void XDataSource::setSharedProcess(const rt::Value& name) {
    if (name.isString()) processSlot() = name;
}

std::vector<rt::Value>& XDataSource::dataSets() {
    rt::Value& list = field(kDataSets);
    if (!list.isArray()) list = rt::Value::array();
    return list.asArray()->items;
}

const std::vector<rt::Value>& XDataSource::errors() const {
    static const std::vector<rt::Value> none;
    const rt::Value& list = field(kErrors);
    return list.isArray() ? list.asArray()->items : none;
}

// ---- creation and end

rt::Value XDataSource::createSource(rt::Args args) {
    XComponent::New(args.first(std::min<size_t>(args.size(), 1)));
    setCreated(true);
    if (rt::arg(args, 1).isString()) rt::send(*this, "_cConnect", {rt::arg(args, 1)});
    joinDataSources(selfValue());
    fireEvent(*this, OnCreate);
    tellParent(oParent(), "InsertComponent", selfValue());
    return selfValue();
}

rt::Value XDataSource::New(rt::Args args) { return createSource(args); }
rt::Value XDataSource::Create(rt::Args args) { return createSource(args); }

rt::Value XDataSource::Destroy(rt::Args args) {
    const rt::Value keep = selfValue();  // the list may hold the last strong reference
    if (lConnected()) {
        const std::vector<rt::Value> sets = dataSets();
        for (const rt::Value& set : sets) sendIfUnderstood(set, "Destroy", {rt::Value(false)});
        dataSets().clear();
        rt::send(*this, "DisConnect");
    }
    leaveDataSources(*this);
    tellParent(oParent(), "RemoveComponent", keep);
    return XComponent::Destroy(args);
}

rt::Value XDataSource::Connect(rt::Args) {
    fireEvent(*this, OnConnect);
    setConnectedFlag(true);
    fireEvent(*this, OnConnected);
    return rt::Value(true);
}

rt::Value XDataSource::DisConnect(rt::Args) {
    fireEvent(*this, OnDisconnect);
    setConnectedFlag(false);
    fireEvent(*this, OnDisconnected);
    return {};
}

rt::Value XDataSource::SetConnected(rt::Args args) {
    const rt::Value& on = rt::arg(args, 0);
    if (!on.isLogical()) return field(kConnected);
    rt::send(*this, on.asLogical() ? "Connect" : "DisConnect");
    return field(kConnected);
}

rt::Value XDataSource::SetConnect(rt::Args args) {
    const rt::Value& connect = rt::arg(args, 0);
    if (!connect.isString()) return field(kConnect);
    field(kConnect) = connect;
    // Sets named without a folder find their file again in the new one.
    const std::vector<rt::Value> sets = dataSets();
    for (const rt::Value& set : sets) {
        const rt::Value name = sendIfUnderstood(set, "cName");
        if (name.isString() && name.asString().find('\\') == std::string::npos)
            sendIfUnderstood(set, "_cName", {name});
    }
    return field(kConnect);
}

// ---- data sets and processes

rt::Value XDataSource::AddDataSet(rt::Args args) {
    if (rt::arg(args, 0).isObject()) dataSets().push_back(rt::arg(args, 0));
    return {};
}

void XDataSource::removeDataSet(const rt::Object& set) {
    std::erase_if(dataSets(), [&](const rt::Value& v) { return v.isObject() && v.asObject().get() == &set; });
}

rt::Value XDataSource::DelDataSet(rt::Args args) {
    const rt::Value set = rt::arg(args, 0);
    const bool end = !isFalse(rt::arg(args, 1));
    if (!set.isObject()) return rt::Value(false);
    const auto& sets = dataSets();
    const bool found = std::any_of(sets.begin(), sets.end(),
                                   [&](const rt::Value& v) { return v.isObject() && v.asObject() == set.asObject(); });
    if (!found) return rt::Value(false);
    if (end) sendIfUnderstood(set, "End");
    // A set whose End did not reach DelDataSet must still leave the list (DelProcess loops until it has).
    removeDataSet(*set.asObject());
    return rt::Value(true);
}

rt::Value XDataSource::NewProcess(rt::Args args) {
    setSharedProcess(rt::arg(args, 0));
    return processSlot();
}

std::vector<rt::Value> XDataSource::setsOf(const rt::Value& process) {
    const std::string wanted = process.isString() ? rt::upper(process.asString()) : rt::upper(sharedProcess());
    std::vector<rt::Value> found;
    for (const rt::Value& set : dataSets())
        if (upperText(sendIfUnderstood(set, "cProcess")) == wanted) found.push_back(set);
    return found;
}

rt::Value XDataSource::OpenProcess(rt::Args args) {
    for (const rt::Value& set : setsOf(rt::arg(args, 0)))
        if (isFalse(sendIfUnderstood(set, "Open"))) return rt::Value(false);
    return rt::Value(true);
}

rt::Value XDataSource::CloseProcess(rt::Args args) {
    for (const rt::Value& set : setsOf(rt::arg(args, 0))) sendIfUnderstood(set, "Close");
    return {};
}

rt::Value XDataSource::DelProcess(rt::Args args) {
    int ended = 0;
    for (std::vector<rt::Value> sets = setsOf(rt::arg(args, 0)); !sets.empty(); sets = setsOf(rt::arg(args, 0))) {
        const rt::Value set = sets.front();
        const rt::Value yes(true);
        const rt::Value call[] = {set, yes};
        rt::send(*this, rt::Symbol::intern("DelDataSet"), rt::Args(call, 2));
        removeDataSet(*set.asObject());  // never loop on a set that stays
        ++ended;
    }
    return rt::Value(ended);
}

rt::Value XDataSource::GetDataSet(rt::Args args) {
    const std::string name = upperText(rt::arg(args, 0));
    const std::string process = upperText(rt::arg(args, 1));
    for (const rt::Value& set : dataSets()) {
        if (!process.empty() && upperText(sendIfUnderstood(set, "cProcess")) != process) continue;
        const bool named = upperText(sendIfUnderstood(set, "cName")).find(name) != std::string::npos;
        if (named || upperText(sendIfUnderstood(set, "cAlias")) == name) return set;
    }
    return {};
}

rt::Value XDataSource::makeDataSet(const char* className, const rt::Value& name) {
    const rt::Class* cls = rt::Class::byName(className);
    if (!cls) return {};
    const rt::Value set = classCall(*cls);
    const rt::Value parent = oParent() ? rt::Value(oParent()) : rt::Value();
    return rt::send(set, "Create", {parent, selfValue(), name, rt::Value(rt::upper(sharedProcess()))});
}

rt::Value XDataSource::NewDataSet(rt::Args args) {
    const rt::Value& name = rt::arg(args, 0);
    if (textOf(name).empty()) return {};
    setSharedProcess(rt::arg(args, 1));
    if (!lConnected()) rt::send(*this, "Connect");
    return makeDataSet("TDataSet", name);
}

rt::Value XDataSource::OnOpen(rt::Args) { return {}; }
rt::Value XDataSource::OnOpened(rt::Args) { return {}; }
rt::Value XDataSource::GetRecords(rt::Args) { return {}; }

// ---- errors

rt::Value XDataSource::IsError(rt::Args) { return rt::Value(!errors().empty()); }

rt::Value XDataSource::LastError(rt::Args) {
    if (errors().empty()) return rt::Value("");
    const rt::Value& last = errors().back();
    return last.isArray() ? last.asArray()->at1(2) : rt::Value("");
}

rt::Value XDataSource::DelErrors(rt::Args) {
    field(kErrors) = rt::Value::array();
    return {};
}

rt::Value XDataSource::GetErrors(rt::Args) {
    if (!field(kErrors).isArray()) field(kErrors) = rt::Value::array();
    return field(kErrors);
}

void XDataSource::report(const std::string& message, const std::string& text, int code,
                         const std::string& operation, const rt::Value& dataSet, bool noShow) {
    if (noShow) return;
    const rt::Value setDisplays = sendIfUnderstood(dataSet, "lDisplayErrors");
    showOrLog(message, lDisplayErrors() || (setDisplays.isLogical() && setDisplays.asLogical()));
    if (!lAbortOnErrors()) return;
    const ErrorPlace place = errorPlace();
    rt::Error e = dataError(text, code, operation);
    const rt::Value error = errorObject(e, place);
    if (isFalse(fireEvent(*this, OnError, {error, dataSet}))) return;
    e.cargo = dataSet;
    rt::raise(e);
}

rt::Value XDataSource::NewError(rt::Args args) {
    const std::string message = textOf(rt::arg(args, 0));
    const int code = rt::arg(args, 1).isNumber() ? rt::arg(args, 1).asInt() : 0;
    const rt::Value dataSet = rt::arg(args, 2);
    std::string setName = textOf(rt::arg(args, 3));
    if (dataSet.isObject()) {
        if (setName.empty()) setName = textOf(sendIfUnderstood(dataSet, "cName"));
        sendIfUnderstood(dataSet, "_cLastError", {rt::Value(message)});
        sendIfUnderstood(dataSet, "_nLastError", {rt::Value(code)});
    }
    const rt::Value row = errorRow(setName, message, code, errorPlace());
    GetErrors({}).asArray()->items.push_back(row);
    report(errorMessage(row), message, code, errorColumn(setName), dataSet, rt::arg(args, 4).asLogical());
    return {};
}

rt::Value XDataSource::ShowMasiveError(rt::Args args) {
    const std::string all = massErrorText(errors());
    if (errors().empty()) return rt::Value(all);
    const rt::Value& last = errors().back();
    const rt::Value code = last.isArray() ? last.asArray()->at1(3) : rt::Value();
    report(all, textOf(last.asArray()->at1(2)), code.isNumber() ? code.asInt() : 0, textOf(last.asArray()->at1(1)),
           rt::arg(args, 0), false);
    return rt::Value(all);
}

rt::Value XDataSource::ShowErrorList(rt::Args args) {
    const std::string title = rt::arg(args, 0).isString() ? rt::arg(args, 0).asString()
                                                          : texts::LT(32872) + ": " + cConnect();
    if (errors().empty()) {
        if (const rt::Function* info = rt::findFunction("MSGINFO")) {
            const rt::Value call[] = {rt::Value("TDataSource: " + texts::LT(32873)), rt::Value(title)};
            (*info)(rt::Args(call, 2));
        }
        return {};
    }
    showErrorListView(title, GetErrors({}));
    return {};
}

}  // namespace vorpex::data
