#include "framework/data/data_set/dbf_data_set.h"

#include <cctype>

#include "framework/core/debug/small_utilities.h"
#include "framework/core/file_name/file_name.h"
#include "framework/core/native/value_readers.h"
#include "framework/core/object/optional_send.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/texts/texts.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "runtime/core/symbol.h"
#include "runtime/expr/expression.h"
#include "runtime/rdd/area_scope.h"
#include "runtime/rdd/work_areas.h"

namespace vorpex::data {

namespace {

using native::isFalse;
using native::textOf;

using rt::rdd::WorkAreas;

bool events(rt::Args args) { return !isFalse(rt::arg(args, 0)); }

bool hasFolder(const std::string& name) { return name.find_first_of("\\/:") != std::string::npos; }

std::string filePart(const std::string& name) {
    const size_t cut = name.find_last_of("\\/:");
    return cut == std::string::npos ? name : name.substr(cut + 1);
}

// The short name: no folder, no extension.
std::string shortName(const std::string& name) {
    const std::string file = filePart(name);
    const size_t dot = file.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? file : file.substr(0, dot);
}

std::string programFolder() {
    if (!rt::isPublic("Application")) return {};
    const rt::Value app = rt::publicVar("Application");
    return app.isObject() ? textOf(rt::send(app, "cDirectory")) : std::string();
}

// Joins with the folder's own separator: a backslash unless the folder is written with slashes only.
std::string withSlash(std::string folder) {
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/') return folder;
    const bool slashes = folder.find('/') != std::string::npos && folder.find('\\') == std::string::npos;
    return folder + (slashes ? '/' : '\\');
}

}  // namespace

// An alias must begin with a letter or an underscore: a name beginning with a digit, or with nothing usable,
// gets an underscore in front.
std::string validAlias(const std::string& name, bool withNumber) {
    std::string base;
    for (unsigned char c : name) {
        const unsigned char u = static_cast<unsigned char>(std::toupper(c));
        if ((u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_') base += static_cast<char>(u);
        if (base.size() == 10) break;
    }
    if (base.empty() || (base[0] >= '0' && base[0] <= '9')) base = ("_" + base).substr(0, 10);
    const WorkAreas& areas = WorkAreas::instance();
    const auto free = [&](const std::string& alias) { return !alias.empty() && areas.numberOf(alias) == 0; };
    const auto suffixed = [&](int n) {
        const std::string suffix = std::to_string(n);
        return base.substr(0, base.size() < 10 - suffix.size() ? base.size() : 10 - suffix.size()) + suffix;
    };
    int first = 0;
    if (withNumber) {
        const std::string alias = base.substr(0, std::min<size_t>(base.size(), 9)) + "0";
        if (free(alias)) return alias;
        first = 1;
    } else if (free(base)) {
        return base;
    }
    for (int n = first; n < first + 251; ++n)
        if (const std::string alias = suffixed(n); free(alias)) return alias;
    return {};
}

const rt::Class& XDbfDataSet::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XDbfDataSet;
        VPClass b("XDbfDataSet", &XDataSet::classRecord(), rt::factoryOf<XDbfDataSet>());
        kAlias = b.addData("cAlias", "", "C", Exported);
        kRelations = b.addData("aRelations", rt::Value::array(), "A", Exported | ReadOnly);
        kFldEdit = b.addData("aFldEdit", rt::Value::array(), "A", Exported);
        kAliasWithNum = b.addData("lAliasWithNum", false, "L", Exported);
        kFileName = b.addData("oFileName", {}, "O", Protected);
        kScopes = b.addData("aScopes", rt::Value::array(), "A", Protected);
        kSortFile = b.addData("cSortFile", "", "C", Protected);
        kAreaNumber = b.addData("nAreaNumber", 0, "N", Hidden);
        kIdxFiles = b.addProperty({.name = "aIdxFiles", .initial = rt::Value::array(), .type = "A", .scope = Published});
        kPassword = b.addProperty({.name = "cPassword", .initial = "", .type = "C", .scope = Published,
                                   .setter = "SetPassword"});
        kShared = b.addProperty({.name = "lShared", .initial = true, .type = "L", .scope = Published});
        kNew = b.addProperty({.name = "lNew", .initial = true, .type = "L", .scope = Published});
        kReUseDel = b.addProperty({.name = "lReUseDel", .initial = false, .type = "L", .scope = Published});
        kKeyExact = b.addProperty({.name = "lKeyExact", .initial = false, .type = "L", .scope = Published});
        kReadOnlyProp = b.addProperty({.name = "lReadOnly", .initial = false, .type = "L", .scope = Published});
        b.addProperty({.name = "lDateAsString", .initial = false, .type = "L", .scope = Protected});
        addMembers<XDbfDataSet>(b);
        b.addMethod("RecordCount", rt::method(&X::RecCount));
        b.addMethod("CancelUpdate", rt::method(&X::Cancel));
        b.addMethod("VarPut", rt::method(&X::FieldPut));
        b.addMethod("GetRows", rt::method(&X::SaveToArray));
        b.addMethod("DeleteTag", rt::method(&X::DelTag));
        b.addMethod("SetName", rt::method(&X::SetName), Protected);
        return b.create();
    }();
    return c;
}

// The area the set opened, as long as it still holds the set's alias: an area closed behind the set's back and
// used again by another table is not the set's.
int XDbfDataSet::area() const {
    if (!lOpen() || cAlias().empty()) return 0;
    const int n = field(kAreaNumber).asInt();
    const rt::rdd::WorkArea* a = WorkAreas::instance().area(n);
    return a && rt::upper(a->alias()) == rt::upper(cAlias()) ? n : 0;
}

rt::Value XDbfDataSet::inArea(const std::function<rt::Value()>& body) const {
    const int n = area();
    if (n == 0) return {};
    return WorkAreas::instance().inArea(n, body);
}

rt::Value XDbfDataSet::SetName(rt::Args args) {
    if (lOpen()) rt::send(*this, "Close");
    const rt::Value name = rt::arg(args, 0), source = oDataSource();
    if (!name.isString() || name.asString().empty() || !source.isObject()) {
        field(kFileName) = rt::Value();
        return XDataSet::SetName(args);
    }
    const rt::Value file(dialogs::TFileName::classRecord().instantiate());
    rt::send(file, "Create", {name});
    if (!rt::send(file, "HasExtension").asLogical()) {
        const rt::Value ext = sendIfUnderstood(source, "DefDataExtension");
        rt::send(file, "SetExtension", {ext.isString() ? ext : rt::Value("Dbf")});
    }
    field(kFileName) = file;
    const rt::Value full = rt::send(file, "FullName");
    return XDataSet::SetName(rt::Args(&full, 1));
}

std::string XDbfDataSet::indexFile(const std::string& name) const {
    if (hasFolder(name)) return name;
    const std::string folder = textOf(rt::send(oDataSource(), "cConnect"));
    std::string file = withSlash(folder) + name;
    if (folder.empty() || file.front() == '.') file = withSlash(programFolder()) + file;
    return file;
}

rt::Value XDbfDataSet::AddIdxFile(rt::Args args) {
    const rt::Value name = rt::arg(args, 0);
    if (!name.isString() || name.asString().empty()) return rt::Value(false);
    rt::Value& list = field(kIdxFiles);
    if (!list.isArray()) list = rt::Value::array();
    list.asArray()->items.push_back(name);
    if (!area()) return rt::Value(true);
    const rt::Function* add = rt::findFunction("ORDLISTADD");
    const rt::Value file(indexFile(name.asString()));
    return inArea([&] { return add ? (*add)(rt::Args(&file, 1)) : rt::Value(false); });
}

void XDbfDataSet::openIndexesAndRelations() {
    const rt::Function* add = rt::findFunction("ORDLISTADD");
    const rt::Value list = field(kIdxFiles);
    std::vector<std::string> files;
    if (list.isArray())
        for (const rt::Value& name : list.asArray()->items)
            if (name.isString() && !name.asString().empty()) files.push_back(indexFile(name.asString()));
    if (!textOf(field(kSortFile)).empty()) files.push_back(textOf(field(kSortFile)));
    for (const std::string& f : files) {
        const rt::Value file(f);
        if (add) (*add)(rt::Args(&file, 1));
    }
    WorkAreas& areas = WorkAreas::instance();
    if (rt::rdd::WorkArea* a = areas.current(); a && a->orderCount() > 0) a->setFocus(1);
    const rt::Value relations = field(kRelations);
    if (!relations.isArray()) return;
    for (const rt::Value& row : relations.asArray()->items) {
        const rt::Value child = row.isArray() ? row.asArray()->at1(1) : rt::Value();
        const std::string expression = row.isArray() ? textOf(row.asArray()->at1(2)) : std::string();
        const int childArea = sendIfUnderstood(child, "Area").asInt();
        const rt::BlockPtr key = rt::expr::compileBlock(expression, &rt::rdd::areaScope());
        if (childArea && key) areas.current()->setRelation(childArea, key, expression);
    }
}

std::string XDbfDataSet::tableFile() const {
    std::string file = cName();
    const rt::Value source = oDataSource();
    if (rt::send(source, "lUseDictionary").asLogical()) return file;
    const std::string folder = textOf(rt::send(source, "cConnect"));
    if (!hasFolder(file)) file = withSlash(folder) + file;
    if (folder.empty() || file.front() == '.') file = withSlash(programFolder()) + file;
    return file;
}

void XDbfDataSet::makeFields() {
    const rt::Value rows = inArea([] { return WorkAreas::instance().current()->structure(); });
    for (const rt::Value& row : rows.asArray()->items) {
        const auto& col = row.asArray()->items;
        const rt::Value f = rt::send(selfValue(), "AddField", {col[0]});
        rt::send(f, "_cDisplayName", {col[0]});
        rt::send(f, "_cType", {col[1]});
        rt::send(f, "_nLen", {col[2]});
        rt::send(f, "_nDec", {col[3]});
        rt::send(f, "_lAllowsNull", {rt::Value(false)});
        rt::send(f, "_DefValue", {defaultValueOf(textOf(col[1]))});
    }
}

rt::Value XDbfDataSet::Open(rt::Args args) {
    if (!lCreated()) {
        setOpenPending(true);
        return rt::Value(true);
    }
    const rt::Value source = oDataSource();
    const auto fail = [&](const std::string& message) {
        rt::send(*this, "NewError", {rt::Value(message)});
        return rt::Value(false);
    };
    if (!source.isObject()) return fail("No DataSource, imppossible to continue");
    if (cName().empty()) return fail("Property cName not assigned, imppossible to continue");
    if (lOpen()) {
        fail(cName() + " " + texts::LT(32874));
        return rt::Value(true);
    }
    if (!rt::send(source, "lConnected").asLogical() && !rt::send(source, "Connect").asLogical())
        return fail("No connection with DataSource");
    const std::string file = tableFile();
    if (events(args) && isFalse(fireEvent(*this, OnOpen))) return rt::Value(false);
    if (cAlias().empty() || WorkAreas::instance().numberOf(cAlias()) != 0)
        field(kAlias) = rt::Value(validAlias(shortName(file), field(kAliasWithNum).asLogical()));
    if (cAlias().empty()) return fail(cName() + ": no free alias");
    const rt::Value me = selfValue();
    rt::send(source, rt::Symbol::intern("OnOpen"), rt::Args(&me, 1));

    rt::rdd::UseOptions use;
    use.newArea = field(kNew).asLogical();
    use.driver = textOf(rt::send(source, "cDriver"));
    use.alias = cAlias();
    use.shared = field(kShared).asLogical();
    use.readOnly = field(kReadOnlyProp).asLogical();
    WorkAreas& areas = WorkAreas::instance();
    if (!areas.use(file, use)) {
        // Another user's hold is told apart from a table that is not there (or cannot be read).
        if (!areas.netErr()) return fail(cName() + " " + texts::LT(32875));
        return fail(cName() + " " + texts::LT(use.shared ? 32876 : 32877));
    }
    field(kAreaNumber) = rt::Value(areas.currentNumber());
    setOpenFlag(true);
    rt::send(source, rt::Symbol::intern("OnOpened"), rt::Args(&me, 1));
    if (fields().empty()) makeFields();
    aRecord() = rt::Value::array(std::vector<rt::Value>(fields().size()));
    field(kFldEdit) = rt::Value::array(std::vector<rt::Value>(fields().size()));
    areas.select(area());
    openIndexesAndRelations();
    for (const rt::Value& c : std::vector<rt::Value>(linkedControls())) sendIfUnderstood(c, "SetFieldObject");
    sendIfUnderstood(rt::send(*this, "oDBBrowse"), "_oDataSet", {me});
    rt::send(*this, "GoTop");
    rt::send(*this, "Load");
    if (events(args)) fireEvent(*this, OnPostOpen);
    return rt::Value(true);
}

rt::Value XDbfDataSet::Close(rt::Args args) {
    if (!lOpen()) return rt::Value(true);
    if (events(args) && isFalse(fireEvent(*this, OnClose))) return rt::Value(false);
    dropSortTags();
    if (const int n = area()) WorkAreas::instance().close(n);
    setOpenFlag(false);
    field(kAreaNumber) = rt::Value(0);
    for (const rt::Value& c : std::vector<rt::Value>(linkedControls())) sendIfUnderstood(c, "ResetDataField");
    const rt::Value browse = rt::send(*this, "oDBBrowse");
    sendIfUnderstood(browse, "ResetDataField");
    if (events(args)) fireEvent(*this, OnPostClose);
    sendIfUnderstood(browse, "Refresh", {rt::Value(true)});
    return rt::Value(true);
}

// ---- reading

// A fast edit writes straight to the table, so it reads from there too.
rt::Value XDbfDataSet::FieldGet(rt::Args args) {
    const int n = rt::arg(args, 0).asInt();
    if (nEditRecord() != 0 && !lFast() && !isFalse(rt::arg(args, 1))) {
        const rt::Value& edit = field(kFldEdit);
        if (!edit.isArray() || n < 1 || static_cast<size_t>(n) > edit.asArray()->items.size()) return {};
        return edit.asArray()->items[n - 1];
    }
    return inArea([n] { return WorkAreas::instance().current()->fieldGet(n > 0 ? n : 0); });
}

rt::Value XDbfDataSet::Blank(rt::Args args) {
    XDataSet::Blank(args);
    field(kFldEdit) = rt::Value::array(aRecord().asArray()->items);
    return {};
}

rt::Value XDbfDataSet::Load(rt::Args) {
    if (!lOpen()) return {};
    const rt::Value again[] = {Recno({}), rt::Value(false)};
    GoTo(rt::Args(again, 2));
    const std::vector<rt::Value> list = fields();
    std::vector<rt::Value> values;
    for (const rt::Value& f : list) values.push_back(rt::send(f, "Load"));
    aRecord() = rt::Value::array(values);
    field(kFldEdit) = rt::Value::array(std::move(values));
    return {};
}

// ---- navigation

rt::Value XDbfDataSet::GoTop(rt::Args args) {
    notified(kGoTop, rt::arg(args, 0), {}, [&] { inArea([] { WorkAreas::instance().current()->goTop(); return rt::Value(); }); },
             [] { return std::vector<rt::Value>{}; });
    return {};
}

rt::Value XDbfDataSet::GoBottom(rt::Args args) {
    notified(kGoBottom, rt::arg(args, 0), {},
             [&] { inArea([] { WorkAreas::instance().current()->goBottom(); return rt::Value(); }); },
             [] { return std::vector<rt::Value>{}; });
    return {};
}

rt::Value XDbfDataSet::GoTo(rt::Args args) {
    const rt::Value rec = rt::arg(args, 0);
    const int64_t n = rec.asInteger();
    notified(kGoTo, rt::arg(args, 1), {}, [&] {
        inArea([n] {
            WorkAreas::instance().current()->goTo(n > 0 && n <= UINT32_MAX ? static_cast<uint32_t>(n) : 0);
            return rt::Value();
        });
    }, [&] { return std::vector<rt::Value>{rec}; });
    return {};
}

rt::Value XDbfDataSet::KeyGoto(rt::Args args) {
    const rt::Value key = rt::arg(args, 0);
    const int64_t n = key.asInteger();
    bool done = false;
    notified(kKeyGoto, rt::arg(args, 1), {}, [&] {
        if (!area() || n < 1 || n > UINT32_MAX) return;
        done = inArea([n] { return rt::Value(WorkAreas::instance().current()->keyGoto(static_cast<uint32_t>(n))); })
                   .asLogical();
    }, [&] { return std::vector<rt::Value>{key}; });
    return rt::Value(done);
}

// The rows actually moved, counted by record position changes: an edge stops the walk.
int64_t XDbfDataSet::skipRows(int64_t n) {
    return inArea([n] {
               rt::rdd::WorkArea* a = WorkAreas::instance().current();
               int64_t moved = 0;
               const int step = n < 0 ? -1 : 1;
               for (int64_t i = 0; i != n; i += step) {
                   a->skip(step);
                   if (step > 0 ? a->eof() : a->bof()) break;
                   moved += step;
               }
               if (n == 0) a->skip(0);
               return rt::Value(moved);
           })
        .asInteger();
}

// Skip reports the rows really moved, as nSkip does: at an edge the controls and the browse's marker stay.
rt::Value XDbfDataSet::Skip(rt::Args args) {
    nSkip(args);
    return {};
}

rt::Value XDbfDataSet::nSkip(rt::Args args) {
    const rt::Value asked = rt::arg(args, 0).isNumber() ? rt::arg(args, 0) : rt::Value(1);
    int64_t moved = 0;
    notified(kSkip, rt::arg(args, 1), asked, [&] { moved = skipRows(asked.asInteger()); },
             [&] { return std::vector<rt::Value>{asked, rt::Value(moved)}; });
    return rt::Value(moved);
}

// The condition is compiled at run time over the work areas' fields; text that does not compile finds nothing.
rt::Value XDbfDataSet::Locate(rt::Args args) {
    const rt::Value condition = rt::arg(args, 0);
    const bool rest = rt::arg(args, 1).asLogical();
    bool found = false;
    notified(kLocate, rt::arg(args, 2), condition, [&] {
        if (!area() || !condition.isString()) return;
        const rt::BlockPtr block = rt::expr::compileBlock(condition.asString(), &rt::rdd::areaScope());
        if (!block) return;
        found = inArea([&] { return rt::Value(WorkAreas::instance().current()->locate(block, nullptr, 0, 0, rest)); })
                    .asLogical();
    }, [&] { return std::vector<rt::Value>{condition, rt::Value(found)}; });
    return rt::Value(found);
}

rt::Value XDbfDataSet::Continue(rt::Args) {
    rt::send(*this, "ChangePos", {rt::Value(static_cast<int>(kContinue)), rt::Value()});
    const bool found =
        area() && inArea([] { return rt::Value(WorkAreas::instance().current()->continueLocate()); }).asLogical();
    rt::send(*this, "UpdateControls", {rt::Value(static_cast<int>(kContinue)), rt::Value(found)});
    return rt::Value(found);
}

rt::Value XDbfDataSet::Bof(rt::Args) {
    if (!area()) return rt::Value(true);
    return inArea([] { return rt::Value(WorkAreas::instance().current()->bof()); });
}

rt::Value XDbfDataSet::Eof(rt::Args) {
    if (!area()) return rt::Value(true);
    return inArea([] { return rt::Value(WorkAreas::instance().current()->eof()); });
}

rt::Value XDbfDataSet::Recno(rt::Args) {
    if (!area()) return rt::Value(0);
    return inArea([] { return rt::Value(static_cast<int64_t>(WorkAreas::instance().current()->recno())); });
}

rt::Value XDbfDataSet::RecCount(rt::Args) {
    if (!area()) return rt::Value(0);
    return inArea([] { return rt::Value(static_cast<int64_t>(WorkAreas::instance().current()->lastRec())); });
}

rt::Value XDbfDataSet::Deleted(rt::Args) {
    if (!area()) return rt::Value(false);
    return inArea([] { return rt::Value(WorkAreas::instance().current()->deleted()); });
}

rt::Value XDbfDataSet::Found(rt::Args) {
    if (!area()) return rt::Value(false);
    return inArea([] { return rt::Value(WorkAreas::instance().current()->found()); });
}

rt::Value XDbfDataSet::Commit(rt::Args) {
    if (!area()) return rt::Value(false);
    return inArea([] { return rt::Value(WorkAreas::instance().current()->commit()); });
}

rt::Value XDbfDataSet::Select(rt::Args) {
    if (const int n = area()) WorkAreas::instance().select(n);
    return rt::Value(area());
}

rt::Value XDbfDataSet::Struct(rt::Args) {
    if (!area()) return rt::Value::array();
    return inArea([] { return WorkAreas::instance().current()->structure(); });
}

rt::Value XDbfDataSet::Alias(rt::Args) { return field(kAlias); }
rt::Value XDbfDataSet::Area(rt::Args) { return rt::Value(area()); }

}  // namespace vorpex::data
