#include "framework/data/data_set/data_set.h"

#include <algorithm>

#include "framework/core/ex_struct/ex_struct.h"
#include "framework/core/native/value_readers.h"
#include "framework/core/object/optional_send.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/texts/texts.h"
#include "framework/core/word_list/word_list.h"
#include "framework/data/data_source/data_errors.h"
#include "framework/data/data_source/dbf_data_source.h"
#include "framework/data/field/data_field.h"
#include "framework/data/parent_notice.h"
#include "runtime/core/error.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "runtime/core/symbol.h"

namespace vorpex::data {

namespace {

using native::textOf;

}  // namespace

const rt::Class& XDataSet::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XDataSet;
        VPClass b("XDataSet", &TComponent::classRecord(), rt::factoryOf<XDataSet>());
        b.addData("oRecords", {}, "O", Exported | ReadOnly);
        kLinked = b.addData("aLinkedControls", rt::Value::array(), "A", Exported);
        kLastError = b.addData("cLastError", "", "C", Exported);
        kLastErrorNo = b.addData("nLastError", 0, "N", Exported);
        kReadOnly = b.addData("lReadOnly", false, "L", Exported);
        kUpdLinked = b.addData("lUpdLinked", true, "L", Exported);
        kFast = b.addData("lFast", false, "L", Exported | ReadOnly);
        kOnUpdate = b.addData("lOnUpdate", false, "L", Exported | ReadOnly);
        kDBBrowse = b.addData("oDBBrowse", {}, "O", Exported);
        kRecord = b.addData("aRecord", rt::Value::array(), "A", Exported);
        b.addData("aSQLParams", rt::Value::array(), "A", Exported);
        kState = b.addData("aState", rt::Value::array(), "A", Protected);
        b.addData("lIsTable", false, "L", Protected);
        kEditRecord = b.addData("nEditRecord", 0, "N", Protected);
        kFieldsList = b.addData("hFieldsList", 0, "N", Protected);
        kOpenPending = b.addData("lOpenPending", false, "L", Hidden);
        kName = b.addProperty({.name = "cName", .initial = "", .type = "C", .scope = Published,
                               .setter = "SetName"});
        kDataSource = b.addProperty({.name = "oDataSource", .type = "O", .scope = Published,
                                     .setter = &X::SetDataSource});
        kProcess = b.addProperty({.name = "cProcess", .initial = "", .type = "C", .scope = Published});
        // Record sets of SQL sources: held, not used by any set of this framework.
        b.addProperty({.name = "nCursorLocation", .initial = 3, .type = "N", .scope = Published});
        b.addProperty({.name = "nCursorType", .initial = 3, .type = "N", .scope = Published});
        b.addProperty({.name = "nLockType", .initial = -1, .type = "N", .scope = Published});
        b.addProperty({.name = "nMaxRecords", .initial = 0, .type = "N", .scope = Published});
        kDisplayErrors = b.addProperty({.name = "lDisplayErrors", .initial = true, .type = "L", .scope = Published});
        kOpen = b.addProperty({.name = "lOpen", .initial = false, .type = "L", .scope = Published,
                               .setter = &X::SetOpen});
        kFields = b.addProperty({.name = "aFields", .initial = rt::Value::array(), .type = "A", .scope = Exported});
        kUserFields = b.addProperty({.name = "aUserFields", .initial = rt::Value::array(), .type = "A",
                                     .scope = Exported, .setter = &X::SetUserFieldsList});
        kAbortOnErrors = b.addProperty({.name = "lAbortOnErrors", .initial = false, .type = "L", .scope = Protected});
        for (const char* event : {"OnCreate", "OnPreDelete", "OnPostDelete", "OnPreSave", "OnPostSave"})
            b.addEvent(event, Published, "oSender");
        b.addEvent("OnPreChange", Published, "oSender, nOperation, Param");
        b.addEvent("OnPostChange", Published, "oSender, nOperation, Param1, Param2");
        for (const char* event : {"OnOpen", "OnPostOpen", "OnClose", "OnPostClose", "OnAddNew", "OnEdit", "OnUpdate",
                                  "OnCancel", "OnPreAppend", "OnPostAppend"})
            b.addEvent(event, Published, "oSender");
        addMembers<XDataSet>(b);
        b.addMethod("VarGet", rt::method(&X::FieldGet));
        b.addMethod("FCount", rt::method(&X::FieldCount));
        for (const char* inert : {"GetRow", "BuildSQLSt", "GetFilterExp"})
            b.addMethod(inert, [](rt::Object&, const rt::Method&, rt::Args) { return rt::Value(); });
        b.record().setUnknownMessageHandler([](rt::Object& self, rt::Symbol message, rt::Args args) {
            return static_cast<XDataSet&>(self).fieldMessage(message, args);
        });
        // The edit cycle needs a table: a set without one refuses it (XDbfDataSet redefines these).
        for (const char* refused : {"AddNew", "Edit", "Update", "Cancel", "CancelUpdate", "Save", "Delete",
                                    "FastAddNew", "FastEdit", "FastUpdate", "FastCancel", "FastDelete", "RecLock",
                                    "RecUnLock", "CanEdit", "CanBrowse", "KeyCount", "KeyNo", "SaveState",
                                    "RestoreState", "ReleaseState", "Clone"})
            b.addMethod(refused, [](rt::Object&, const rt::Method&, rt::Args) { return rt::Value(false); });
        b.addMethod("FieldPut", [](rt::Object&, const rt::Method&, rt::Args) { return rt::Value(); });
        b.addMethod("VarPut", [](rt::Object& o, const rt::Method&, rt::Args a) {
            return rt::send(o, rt::Symbol::intern("FieldPut"), a);
        });

        b.addMethod("SetName", rt::method(&X::SetName), Protected);
        return b.create();
    }();
    return c;
}

std::string XDataSet::cName() const { return textOf(field(kName)); }

std::vector<rt::Value>& XDataSet::listAt(int position) {
    rt::Value& list = field(position);
    if (!list.isArray()) list = rt::Value::array();
    return list.asArray()->items;
}
std::vector<rt::Value>& XDataSet::fields() { return listAt(kFields); }
std::vector<rt::Value>& XDataSet::linkedControls() { return listAt(kLinked); }
std::vector<rt::Value>& XDataSet::userFields() { return listAt(kUserFields); }

// ---- creation and end

rt::Value XDataSet::Create(rt::Args args) {
    const rt::Value source = rt::arg(args, 1), name = rt::arg(args, 2), process = rt::arg(args, 3);
    if (name.isString()) field(kName) = name;
    XComponent::Create(args.first(std::min<size_t>(args.size(), 1)));
    if (source.isObject()) rt::send(*this, "_oDataSource", {source});
    if (name.isString()) rt::send(*this, "_cName", {name});
    if (process.isString()) field(kProcess) = process;
    freeWordList(field(kFieldsList).asInteger());  // a second Create starts a fresh list
    field(kFieldsList) = rt::Value(createWordList());
    if (openPending()) {
        setOpenPending(false);
        rt::send(*this, "Open");
    }
    fireEvent(*this, OnCreate);
    tellParent(oParent(), "InsertComponent", selfValue());
    return selfValue();
}

rt::Value XDataSet::Destroy(rt::Args args) {
    const rt::Value keep = selfValue();
    rt::send(*this, "Close");
    DelTempControls({});
    for (int list : {kFields, kUserFields})
        for (const rt::Value& f : listAt(list)) sendIfUnderstood(f, "Destroy", {rt::Value(true)});
    listAt(kFields).clear();
    listAt(kUserFields).clear();
    freeWordList(field(kFieldsList).asInteger());
    field(kFieldsList) = rt::Value(0);
    if (rt::arg(args, 0).asLogical()) {
        const rt::Value source = oDataSource();
        if (source.isObject()) {
            const rt::Value call[] = {keep, rt::Value(false)};
            rt::send(source, rt::Symbol::intern("DelDataSet"), rt::Args(call, 2));
        }
        field(kDataSource) = rt::Value();
    }
    tellParent(oParent(), "RemoveComponent", keep);
    field(kDBBrowse) = rt::Value();
    return XComponent::Destroy(args);
}

rt::Value XDataSet::SetOpen(rt::Args args) {
    if (!lCreated()) {  // remembered until Create
        setOpenPending(rt::arg(args, 0).asLogical());
        return rt::Value(openPending());
    }
    rt::send(*this, rt::arg(args, 0).asLogical() ? "Open" : "Close");
    return rt::Value(lOpen());
}

rt::Value XDataSet::SetName(rt::Args args) {
    if (lOpen()) rt::send(*this, "Close");
    field(kName) = rt::arg(args, 0).isString() ? rt::arg(args, 0) : rt::Value("");
    return field(kName);
}

// Leaves the old source without being ended by it, then joins the new one under its shared process.
rt::Value XDataSet::SetDataSource(rt::Args args) {
    const rt::Value source = rt::arg(args, 0);
    const bool check = !rt::arg(args, 1).isLogical() || rt::arg(args, 1).asLogical();
    if (check && source.isObject() && !sourceKindFits(source)) return refuseSource(source);
    if (source.isObject() && oDataSource().sameAs(source)) return source;  // already on its list once
    const bool wasOpen = lOpen();
    if (wasOpen) rt::send(*this, "Close");
    const rt::Value old = oDataSource(), me = selfValue();
    if (old.isObject() && !old.sameAs(source)) {
        const rt::Value call[] = {me, rt::Value(false)};
        rt::send(old, rt::Symbol::intern("DelDataSet"), rt::Args(call, 2));
    }
    field(kDataSource) = source.isObject() ? rt::Value::weak(source.asObject()) : rt::Value();
    if (source.isObject()) {
        field(kProcess) = rt::Value(rt::upper(textOf(rt::send(source, "cProcess"))));
        rt::send(source, rt::Symbol::intern("AddDataSet"), rt::Args(&me, 1));
        const std::string name = cName();
        if (!name.empty()) rt::send(*this, "_cName", {rt::Value(name.substr(name.find_last_of("\\/:") + 1))});
    }
    if (wasOpen) rt::send(*this, "Open");
    return oDataSource();
}

bool XDataSet::sourceKindFits(const rt::Value& source) const {
    return source.asObject()->objectClass().isDerivedFrom(XDbfDataSource::classRecord()) == wantsDbfSource();
}

// The wrong kind of source is an error of the program, not of the data: it goes to the error handler and the
// set keeps the source it had.
rt::Value XDataSet::refuseSource(const rt::Value& source) {
    rt::Error e;
    e.genCode = rt::eg::Arg;
    e.subSystem = "VORPEX:SetDataSource";
    e.severity = rt::severity::Error;
    e.description = wantsDbfSource() ? "Incorrect DataSource type, should be KindOf('TDbfDataSource') "
                                     : "Incorrect DataSource type, should NOT be KindOf('TDbfDataSource') ";
    e.operation = "SetDataSource";
    e.args = rt::Value::array({source});
    e.canDefault = true;
    rt::raise(e);
    return oDataSource();
}

rt::Value XDataSet::Open(rt::Args) { return rt::Value(false); }
rt::Value XDataSet::Close(rt::Args) { return rt::Value(true); }

// ---- fields

int64_t XDataSet::fieldNumber(const rt::Value& name) const {
    const WordList* list = findWordList(field(kFieldsList).asInteger());
    return list && name.isString() ? list->search(name.asString()) : 0;
}

rt::ObjectPtr XDataSet::fieldAt(int n) {
    std::vector<rt::Value>& list = fields();
    if (n < 1 || static_cast<size_t>(n) > list.size()) return nullptr;
    return list[n - 1].asObject();
}

rt::Value XDataSet::FieldGet(rt::Args) { return {}; }
rt::Value XDataSet::Load(rt::Args) { return {}; }

rt::Value XDataSet::FieldPos(rt::Args args) {
    const int64_t n = fieldNumber(rt::arg(args, 0));
    return rt::Value(n > 0 ? n : 0);
}

rt::Value XDataSet::FieldExist(rt::Args args) { return rt::Value(fieldNumber(rt::arg(args, 0)) > 0); }

rt::Value XDataSet::FieldGetByName(rt::Args args) {
    const rt::Value call[] = {FieldPos(args)};
    return rt::send(*this, rt::Symbol::intern("FieldGet"), rt::Args(call, 1));
}

rt::Value XDataSet::oFieldByName(rt::Args args) {
    const int64_t n = fieldNumber(rt::arg(args, 0));
    std::vector<rt::Value>& list = listAt(n > 0 ? kFields : kUserFields);
    const size_t i = static_cast<size_t>(n > 0 ? n : -n);
    return n != 0 && i <= list.size() ? list[i - 1] : rt::Value();
}

rt::Value XDataSet::FieldNames(rt::Args) {
    std::vector<rt::Value> names;
    for (const rt::Value& f : fields()) names.push_back(rt::send(f, "cName"));
    return rt::Value::array(std::move(names));
}

rt::Value XDataSet::FieldCount(rt::Args) { return rt::Value(static_cast<int64_t>(fields().size())); }

rt::Value XDataSet::AddField(rt::Args args) {
    const rt::Value name = rt::arg(args, 0);
    const int64_t position = static_cast<int64_t>(fields().size()) + 1;
    if (WordList* list = findWordList(field(kFieldsList).asInteger()); list && name.isString())
        list->add(name.asString(), position);
    const rt::Value bare(TDataField::classRecord().instantiate());
    const rt::Value f = rt::send(bare, "Create", {selfValue(), rt::Value(position), name});
    fields().push_back(f);
    return f;
}

rt::Value XDataSet::fieldMember(rt::Args args, const char* member) {
    const rt::ObjectPtr f = fieldAt(rt::arg(args, 0).asInt());
    return f ? rt::send(*f, member) : rt::Value();
}
rt::Value XDataSet::FieldName(rt::Args args) { return fieldMember(args, "cName"); }
rt::Value XDataSet::FieldDisplayName(rt::Args args) { return fieldMember(args, "cDisplayName"); }
rt::Value XDataSet::FieldType(rt::Args args) { return fieldMember(args, "cType"); }
rt::Value XDataSet::FieldSQLType(rt::Args args) { return fieldMember(args, "nSQLType"); }
rt::Value XDataSet::FieldLen(rt::Args args) { return fieldMember(args, "nLen"); }
rt::Value XDataSet::FieldDec(rt::Args args) { return fieldMember(args, "nDec"); }

// A user field at the next negative position, entered in the word list under that number.
rt::Value XDataSet::addUserField(const rt::Value& name) {
    const int64_t position = -(static_cast<int64_t>(listAt(kUserFields).size()) + 1);
    if (WordList* list = findWordList(field(kFieldsList).asInteger()); list && name.isString())
        list->add(name.asString(), position);
    const rt::Value bare(TDataField::classRecord().instantiate());
    const rt::Value f = rt::send(bare, "Create", {selfValue(), rt::Value(position), name});
    listAt(kUserFields).push_back(f);
    return f;
}

rt::Value XDataSet::AddUserVar(rt::Args args) {
    const rt::Value f = addUserField(rt::arg(args, 0));
    static_cast<XDataField&>(*f.asObject()).makeUserVar(rt::arg(args, 1));
    return f;
}

// Controls still bound by name only get that name again, so that they find the new field now.
rt::Value XDataSet::AddCalcField(rt::Args args) {
    const rt::Value f = addUserField(rt::arg(args, 0));
    static_cast<XDataField&>(*f.asObject()).makeCalcField(rt::arg(args, 1));
    for (const rt::Value& c : std::vector<rt::Value>(linkedControls())) {
        const rt::Value bound = sendIfUnderstood(c, "oDataField");
        if (bound.isString()) sendIfUnderstood(c, "_oDataField", {bound});
    }
    return f;
}

rt::Value XDataSet::SetUserFieldsList(rt::Args args) { return rt::send(*this, "SetUserFields", {rt::arg(args, 0)}); }

rt::Value XDataSet::SetUserFields(rt::Args args) {
    const rt::Value list = rt::arg(args, 0);
    field(kUserFields) = list.isArray() ? list : rt::Value::array();
    WordList* words = findWordList(field(kFieldsList).asInteger());
    int64_t position = 0;
    for (const rt::Value& f : listAt(kUserFields)) {
        --position;
        if (words && f.isObject()) words->add(textOf(rt::send(f, "cName")), position);
    }
    return field(kUserFields);
}

rt::Value XDataSet::Modified(rt::Args) {
    const std::vector<rt::Value> list = fields();
    for (const rt::Value& f : list)
        if (rt::send(f, "lModified").asLogical()) return rt::Value(true);
    return rt::Value(false);
}

rt::Value XDataSet::GetRecord(rt::Args) {
    const rt::Value record(dialogs::XExStruct::classRecord().instantiate());
    auto& rec = static_cast<dialogs::XExStruct&>(*record.asObject());
    const std::vector<rt::Value> list = fields();
    for (const rt::Value& f : list) {
        const rt::Value type = rt::send(f, "cType");
        rec.addMember(textOf(rt::send(f, "cName")), type, rt::send(f, "Value"), rt::send(f, "nLen"));
    }
    return record;
}

// ---- notifications

// A window of the framework answers its handle to Handle.
rt::Value XDataSet::browseWithWindow() {
    const rt::Value browse = field(kDBBrowse);
    const rt::Symbol hwnd = rt::Symbol::intern("Handle");
    if (!browse.isObject() || !rt::understands(browse, hwnd)) return {};
    return rt::send(browse, hwnd).asInteger() != 0 ? browse : rt::Value();
}

// The browse redraws its current row before the move, so that its marker leaves the old one.
rt::Value XDataSet::ChangePos(rt::Args args) {
    if (!lUpdLinked()) return {};
    fireEvent(*this, OnPreChange, {rt::arg(args, 0), rt::arg(args, 1)});
    sendIfUnderstood(browseWithWindow(), "DrawLine");
    return {};
}

rt::Value XDataSet::UpdateControls(rt::Args args) {
    const std::vector<rt::Value> controls = linkedControls();
    if (rt::arg(args, 0).isNil()) {
        for (const rt::Value& c : controls) sendIfUnderstood(c, "Refresh", {rt::Value(), rt::Value(11)});
        sendIfUnderstood(browseWithWindow(), "DSNavigate", {rt::Value(11)});
        return {};
    }
    if (!lUpdLinked()) return {};
    fireEvent(*this, OnPostChange, {rt::arg(args, 0), rt::arg(args, 1), rt::arg(args, 2)});
    for (const rt::Value& c : controls)
        sendIfUnderstood(c, "Refresh", {rt::Value(), rt::arg(args, 0), rt::arg(args, 1), rt::arg(args, 2)});
    sendIfUnderstood(browseWithWindow(), "DSNavigate", {rt::arg(args, 0), rt::arg(args, 1), rt::arg(args, 2)});
    return {};
}

void XDataSet::notified(int operation, const rt::Value& notify, const rt::Value& before,
                        const std::function<void()>& move, const std::function<std::vector<rt::Value>()>& after) {
    const bool on = notify.isLogical() ? notify.asLogical() : lUpdLinked();
    if (on) rt::send(*this, "ChangePos", {rt::Value(operation), before});
    move();
    if (!on) return;
    std::vector<rt::Value> call{rt::Value(operation)};
    for (rt::Value& v : after()) call.push_back(std::move(v));
    rt::send(*this, rt::Symbol::intern("UpdateControls"), rt::Args(call.data(), call.size()));
}

rt::Value XDataSet::AddLinkedControl(rt::Args args) {
    const rt::Value c = rt::arg(args, 0);
    std::vector<rt::Value>& list = linkedControls();
    if (!c.isObject() || std::any_of(list.begin(), list.end(), [&](const rt::Value& v) { return v.sameAs(c); }))
        return rt::Value(false);
    list.push_back(c);
    return rt::Value(true);
}

rt::Value XDataSet::DelLinkedControl(rt::Args args) {
    const rt::Value c = rt::arg(args, 0);
    std::vector<rt::Value>& list = linkedControls();
    const auto it = std::find_if(list.begin(), list.end(), [&](const rt::Value& v) { return v.sameAs(c); });
    if (it == list.end()) return rt::Value(false);
    list.erase(it);
    return rt::Value(true);
}

rt::Value XDataSet::Refresh(rt::Args args) {
    rt::send(*this, "UpdateControls", {rt::Value(rt::arg(args, 0).asLogical() ? kRefreshFull : kRefresh)});
    return {};
}

rt::Value XDataSet::RefreshCurrent(rt::Args) {
    rt::send(*this, "UpdateControls", {rt::Value(static_cast<int>(kRefreshCurrent))});
    return {};
}

// ---- edit state shared by every set

rt::Value XDataSet::lOnEdit(rt::Args) { return rt::Value(nEditRecord() > 0); }
rt::Value XDataSet::lOnAppend(rt::Args) { return rt::Value(nEditRecord() == -1); }
rt::Value XDataSet::IsReadOnly(rt::Args) { return rt::Value(readOnly()); }

rt::Value XDataSet::Blank(rt::Args) {
    std::vector<rt::Value> values;
    for (const rt::Value& f : std::vector<rt::Value>(fields())) values.push_back(rt::send(f, "Blank"));
    aRecord() = rt::Value::array(std::move(values));
    return {};
}

void XDataSet::tellControls(const char* message, std::initializer_list<rt::Value> args) {
    for (const rt::Value& c : std::vector<rt::Value>(linkedControls())) sendIfUnderstood(c, message, args);
}

void XDataSet::reportText(int textId, const std::string& suffix) {
    rt::send(*this, "NewError", {rt::Value(texts::LT(textId) + suffix), rt::Value(textId)});
}

// A control whose window is gone (an object that answers hWnd with 0) no longer shows this set.
rt::Value XDataSet::DelTempControls(rt::Args) {
    std::vector<rt::Value>& list = linkedControls();
    const auto gone = [](const rt::Value& c) {
        if (!c.isObject()) return true;
        const rt::Symbol hwnd = rt::Symbol::intern("hWnd");
        return rt::understands(c, hwnd) && rt::send(c, hwnd).asInteger() == 0;
    };
    std::vector<rt::Value> dropped;
    for (const rt::Value& c : list)
        if (gone(c)) dropped.push_back(c);
    std::erase_if(list, gone);
    for (const rt::Value& c : dropped) sendIfUnderstood(c, "_oDataSet", {rt::Value()});
    return {};
}

rt::Value XDataSet::UpdDataControlValue(rt::Args args) {
    const rt::ObjectPtr f = fieldAt(rt::arg(args, 0).asInt());
    if (!f) return {};
    for (const rt::Value& c : std::vector<rt::Value>(linkedControls())) {
        const rt::Value bound = sendIfUnderstood(c, "oDataField");
        if (bound.isObject() && bound.asObject() == f) {
            rt::send(c, "_Value", {rt::arg(args, 1)});
            break;
        }
    }
    return {};
}

// ---- copying values in

rt::Value XDataSet::InitFrom(rt::Args args) {
    const rt::Value other = rt::arg(args, 0);
    const rt::Value list = sendIfUnderstood(other, "aFields");
    if (!list.isArray()) return rt::Value(false);
    for (const rt::Value& f : std::vector<rt::Value>(list.asArray()->items)) {
        const rt::Value mine = oFieldByName(std::vector<rt::Value>{rt::send(f, "cName")});
        if (mine.isObject()) rt::send(mine, "_Value", {rt::send(f, "Value")});
    }
    return rt::Value(true);
}

rt::Value XDataSet::SaveFrom(rt::Args args) {
    const rt::Value from = rt::arg(args, 0);
    if (!from.isObject()) return rt::Value(false);
    if (from.asObject()->objectClass().isDerivedFrom(XDataSet::classRecord())) return InitFrom(args);
    const int64_t n = sendIfUnderstood(from, "Len").asInteger();
    for (int64_t i = 1; i <= n; ++i) {
        const rt::Value mine = oFieldByName(std::vector<rt::Value>{rt::send(from, "GetName", {rt::Value(i)})});
        if (mine.isObject()) rt::send(mine, "_Value", {rt::send(from, "GetValue", {rt::Value(i)})});
    }
    return rt::Value(true);
}

// ---- errors

rt::Value XDataSet::NewError(rt::Args args) {
    const std::string message = textOf(rt::arg(args, 0));
    const int code = rt::arg(args, 1).asInt();
    const rt::Value source = oDataSource();
    if (source.isObject()) {
        rt::send(source, "NewError", {rt::Value(message), rt::Value(code), selfValue()});
    } else {
        showOrLog(message, field(kDisplayErrors).asLogical());
        if (field(kAbortOnErrors).asLogical()) {
            rt::Error e = dataError(message, code, "");
            rt::raise(e);
        }
    }
    field(kLastError) = rt::Value(message);
    field(kLastErrorNo) = rt::Value(code);
    return {};
}

rt::Value XDataSet::DelError(rt::Args) {
    field(kLastError) = rt::Value("");
    field(kLastErrorNo) = rt::Value(0);
    return {};
}

}  // namespace vorpex::data
