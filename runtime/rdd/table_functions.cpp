#include "table_functions.h"

#include "commands.h"
#include "driver_settings.h"
#include "failure.h"
#include "runtime/core/runtime.h"
#include "runtime/core/settings.h"
#include "runtime/core/symbol.h"
#include "work_areas.h"

namespace rt::rdd {

#ifndef VORPEX_RDD_WITH_EXPR
BlockPtr compileText(std::string_view text) {
    Error e = makeError(eg::Unsupported, sub::Unsupported, "No expression compiler for " + std::string(text));
    e.canDefault = true;
    raise(e);
    return nullptr;
}
#endif

namespace {

WorkAreas& areas() { return WorkAreas::instance(); }

// The current area, or the "work area not in use" error (Default: null, the caller answers its empty value).
WorkArea* need(std::string_view op) {
    if (WorkArea* a = areas().current()) return a;
    Error e = makeError(eg::NoTable, 2001, "Work area not in use");
    e.subSystem = "BASE";
    e.operation = std::string(op);
    e.canDefault = true;
    raise(e);
    return nullptr;
}

uint32_t toRecno(const Value& v) { return v.isNumber() && v.asInteger() > 0 ? static_cast<uint32_t>(v.asInteger()) : 0; }

bool logicalOr(const Value& v, bool otherwise) { return v.isLogical() ? v.asLogical() : otherwise; }

// A block argument, or the block compiled from a text argument.
BlockPtr blockOrText(const Value& block, const Value& text) {
    if (block.isBlock()) return block.asBlock();
    if (text.isString() && !text.asString().empty()) return compileText(text.asString());
    return nullptr;
}

int areaOf(const Value& v) {
    if (v.isNumber()) return v.asInt();
    if (v.isString()) return areas().numberOf(v.asString());
    return 0;
}

std::vector<Field> structureFrom(const Value& v) {
    std::vector<Field> fields;
    ArrayPtr rows = v.asArray();
    if (!rows) return fields;
    for (const Value& row : rows->items) {
        ArrayPtr r = row.asArray();
        if (!r) continue;
        Field f;
        f.name = r->at1(1).asString();
        std::string type = r->at1(2).asString();
        f.type = type.empty() ? ' ' : type[0];
        f.length = static_cast<uint32_t>(std::max<int64_t>(0, r->at1(3).asInteger()));
        f.decimals = static_cast<uint32_t>(std::max<int64_t>(0, r->at1(4).asInteger()));
        fields.push_back(std::move(f));
    }
    return fields;
}

void registerAreas() {
    registerFunction("DBUSEAREA", [](Args a) -> Value {
        UseOptions o;
        o.newArea = logicalOr(arg(a, 0), false);
        o.driver = arg(a, 1).asString();
        o.alias = arg(a, 3).asString();
        o.shared = logicalOr(arg(a, 4), !settings().exclusive);
        o.readOnly = logicalOr(arg(a, 5), false);
        return areas().use(arg(a, 2).asString(), o);
    });
    registerFunction("DBCLOSEAREA", [](Args) -> Value { areas().close(areas().currentNumber()); return Value(); });
    registerFunction("DBCLOSEALL", [](Args) -> Value { areas().closeAll(); return Value(); });
    registerFunction("USED", [](Args) -> Value { return areas().current() != nullptr; });
    registerFunction("SELECT", [](Args a) -> Value {
        const Value& v = arg(a, 0);
        if (v.isNil()) return areas().currentNumber();
        return areaOf(v);
    });
    registerFunction("DBSELECTAREA", [](Args a) -> Value {
        const Value& v = arg(a, 0);
        int n = areaOf(v);
        if (v.isString() && n == 0) {
            Error e = makeError(eg::NoAlias, 1002, "Alias does not exist: " + v.asString());
            e.canDefault = true;
            raise(e);
            return Value();
        }
        areas().select(n);
        return Value();
    });
    registerFunction("ALIAS", [](Args a) -> Value {
        int n = arg(a, 0).isNumber() ? arg(a, 0).asInt() : areas().currentNumber();
        WorkArea* w = areas().area(n);
        return w ? w->alias() : std::string();
    });
    registerFunction("NETERR", [](Args a) -> Value {
        bool old = areas().netErr();
        if (arg(a, 0).isLogical()) areas().setNetErr(arg(a, 0).asLogical());
        return old;
    });
    registerFunction("DBCREATE", [](Args a) -> Value {
        std::string file = WorkAreas::withExtension(arg(a, 0).asString());
        const DriverSettings& s = driverSettings(arg(a, 2).asString());
        return withErrorHandler(
            [&] {
                if (s.memoType == 3) fail(eg::Unsupported, sub::Unsupported, "SMT memo files are not supported", file);
                CreateOptions o;
                o.memoKind = s.memoType == 2 ? MemoKind::Fpt : MemoKind::Dbt;
                o.memoBlockSize = static_cast<uint32_t>(std::max(1, s.memoBlockSize));
                Table::create(file, structureFrom(arg(a, 1)), o);
                return true;
            },
            false);
    });
    registerFunction("DBSTRUCT", [](Args) -> Value {
        WorkArea* w = areas().current();
        return w ? w->structure() : Value::array();
    });
    registerFunction("RDDINFO", [](Args a) -> Value { return rddInfo(arg(a, 0).asInt(), arg(a, 1), arg(a, 2).asString()); });
    registerFunction("RDDSETDEFAULT", [](Args a) -> Value { return rddSetDefault(arg(a, 0).asString()); });
    registerFunction("RDDNAME", [](Args) -> Value { return areas().current() ? std::string(kDefaultDriver) : std::string(); });
    // Table passwords (DBINFO 131) are not supported: no table is encrypted.
    registerFunction("DBINFO", [](Args) -> Value { return false; });
    registerFunction("DBCOMMITALL", [](Args) -> Value { areas().commitAll(); return Value(); });
    registerFunction("DBUNLOCKALL", [](Args) -> Value { areas().unlockAll(); return Value(); });
}

void registerQueries() {
    registerFunction("RECNO", [](Args) -> Value { WorkArea* w = areas().current(); return w ? w->recno() : 0u; });
    registerFunction("EOF", [](Args) -> Value { WorkArea* w = areas().current(); return w ? w->eof() : true; });
    registerFunction("BOF", [](Args) -> Value { WorkArea* w = areas().current(); return w ? w->bof() : true; });
    registerFunction("FOUND", [](Args) -> Value { WorkArea* w = areas().current(); return w ? w->found() : false; });
    registerFunction("DELETED", [](Args) -> Value { WorkArea* w = areas().current(); return w ? w->deleted() : false; });
    auto last = [](Args) -> Value { WorkArea* w = areas().current(); return w ? w->lastRec() : 0u; };
    registerFunction("LASTREC", last);
    registerFunction("RECCOUNT", last);
    registerFunction("FCOUNT", [](Args) -> Value { WorkArea* w = areas().current(); return w ? w->fieldCount() : 0u; });
    registerFunction("FIELDPOS", [](Args a) -> Value {
        WorkArea* w = areas().current();
        return w ? w->fieldPos(arg(a, 0).asString()) : 0;
    });
    auto name = [](Args a) -> Value {
        WorkArea* w = areas().current();
        return w ? w->fieldName(static_cast<size_t>(std::max<int64_t>(0, arg(a, 0).asInteger()))) : std::string();
    };
    registerFunction("FIELDNAME", name);
    registerFunction("FIELD", name);
    registerFunction("FIELDGET", [](Args a) -> Value {
        WorkArea* w = areas().current();
        return w ? w->fieldGet(static_cast<size_t>(std::max<int64_t>(0, arg(a, 0).asInteger()))) : Value();
    });
    registerFunction("FIELDPUT", [](Args a) -> Value {
        WorkArea* w = need("FIELDPUT");
        if (!w) return Value();
        return w->fieldPut(static_cast<size_t>(std::max<int64_t>(0, arg(a, 0).asInteger())), arg(a, 1)) ? arg(a, 1)
                                                                                                      : Value();
    });
    registerFunction("DBFILTER", [](Args) -> Value { WorkArea* w = areas().current(); return w ? w->filterText() : std::string(); });
    registerFunction("DBRLOCKLIST", [](Args) -> Value {
        std::vector<Value> items;
        if (WorkArea* w = areas().current())
            for (uint32_t r : w->lockList()) items.emplace_back(r);
        return Value::array(std::move(items));
    });
    registerFunction("ORDKEYNO", [](Args) -> Value { WorkArea* w = areas().current(); return w ? w->keyNo() : 0u; });
    registerFunction("ORDKEYCOUNT", [](Args) -> Value { WorkArea* w = areas().current(); return w ? w->keyCount() : 0u; });
}

void registerMoves() {
    registerFunction("DBGOTOP", [](Args) -> Value { if (WorkArea* w = need("DBGOTOP")) w->goTop(); return Value(); });
    registerFunction("DBGOBOTTOM", [](Args) -> Value { if (WorkArea* w = need("DBGOBOTTOM")) w->goBottom(); return Value(); });
    registerFunction("DBGOTO", [](Args a) -> Value { if (WorkArea* w = need("DBGOTO")) w->goTo(toRecno(arg(a, 0))); return Value(); });
    registerFunction("DBSKIP", [](Args a) -> Value {
        if (WorkArea* w = need("DBSKIP")) w->skip(arg(a, 0).isNumber() ? arg(a, 0).asInteger() : 1);
        return Value();
    });
    registerFunction("ORDKEYGOTO", [](Args a) -> Value {
        WorkArea* w = need("ORDKEYGOTO");
        return w ? w->keyGoto(toRecno(arg(a, 0))) : false;
    });
    registerFunction("DBSEEK", [](Args a) -> Value {
        WorkArea* w = need("DBSEEK");
        return w ? w->seek(arg(a, 0), logicalOr(arg(a, 1), settings().softSeek), logicalOr(arg(a, 2), false)) : false;
    });
    registerFunction("__DBLOCATE", [](Args a) -> Value {
        WorkArea* w = need("__DBLOCATE");
        if (!w) return Value();
        w->locate(arg(a, 0).asBlock(), arg(a, 1).asBlock(), arg(a, 2).asInteger(), toRecno(arg(a, 3)),
                  logicalOr(arg(a, 4), false));
        return Value();
    });
    registerFunction("__DBCONTINUE", [](Args) -> Value { if (WorkArea* w = need("__DBCONTINUE")) w->continueLocate(); return Value(); });
    registerFunction("DBSETFILTER", [](Args a) -> Value {
        WorkArea* w = need("DBSETFILTER");
        if (!w) return Value();
        BlockPtr b = blockOrText(arg(a, 0), arg(a, 1));
        std::string text = arg(a, 1).isString() ? arg(a, 1).asString() : std::string();
        if (b) w->setFilter(b, text);
        return Value();
    });
    registerFunction("DBCLEARFILTER", [](Args) -> Value { if (WorkArea* w = areas().current()) w->clearFilter(); return Value(); });
    registerFunction("DBSETRELATION", [](Args a) -> Value {
        WorkArea* w = need("DBSETRELATION");
        if (!w) return Value();
        int child = areaOf(arg(a, 0));
        BlockPtr b = blockOrText(arg(a, 1), arg(a, 2));
        if (child > 0 && b) w->setRelation(child, b, arg(a, 2).asString());
        return Value();
    });
    registerFunction("DBCLEARRELATION", [](Args) -> Value { if (WorkArea* w = areas().current()) w->clearRelations(); return Value(); });
}

void registerEdits() {
    registerFunction("DBAPPEND", [](Args a) -> Value {
        WorkArea* w = need("DBAPPEND");
        if (w) w->append(logicalOr(arg(a, 0), true));
        return Value();
    });
    registerFunction("DBDELETE", [](Args) -> Value { if (WorkArea* w = need("DBDELETE")) w->deleteRecord(); return Value(); });
    registerFunction("DBRECALL", [](Args) -> Value { if (WorkArea* w = need("DBRECALL")) w->recall(); return Value(); });
    registerFunction("DBCOMMIT", [](Args) -> Value { if (WorkArea* w = need("DBCOMMIT")) w->commit(); return Value(); });
    registerFunction("__DBPACK", [](Args) -> Value { if (WorkArea* w = need("__DBPACK")) w->pack(); return Value(); });
    registerFunction("__DBZAP", [](Args) -> Value { if (WorkArea* w = need("__DBZAP")) w->zap(); return Value(); });
    registerFunction("DBRLOCK", [](Args a) -> Value {
        WorkArea* w = need("DBRLOCK");
        if (!w) return false;
        uint32_t r = arg(a, 0).isNil() ? w->recno() : toRecno(arg(a, 0));
        return w->lockRecord(r);
    });
    registerFunction("RLOCK", [](Args) -> Value {
        WorkArea* w = need("RLOCK");
        if (!w) return false;
        uint32_t r = w->recno();
        for (uint32_t held : w->lockList())
            if (held != r) w->unlockRecord(held);
        return w->lockRecord(r);
    });
    registerFunction("DBRUNLOCK", [](Args a) -> Value {
        WorkArea* w = areas().current();
        if (!w) return Value();
        if (arg(a, 0).isNil())
            for (uint32_t r : w->lockList()) w->unlockRecord(r);
        else
            w->unlockRecord(toRecno(arg(a, 0)));
        return Value();
    });
    registerFunction("DBUNLOCK", [](Args) -> Value { if (WorkArea* w = areas().current()) w->unlockAll(); return Value(); });
    registerFunction("FLOCK", [](Args) -> Value { WorkArea* w = need("FLOCK"); return w ? w->lockFile() : false; });
}

// First name of a SORT/COPY field list entry, without the "/A" "/D" "/C" switches.
std::string sortField(const Value& fields) {
    ArrayPtr list = fields.asArray();
    std::string f = list && list->size() > 0 ? list->at1(1).asString() : fields.asString();
    size_t slash = f.find('/');
    if (slash != std::string::npos) f.resize(slash);
    while (!f.empty() && f.back() == ' ') f.pop_back();
    return f;
}

void registerCommands() {
    // __DBDELIM(lExport, cFile, cDelimiter, ...): only the import WITH BLANK is used by the programs.
    registerFunction("__DBDELIM", [](Args a) -> Value {
        WorkArea* w = need("APPEND FROM");
        if (!w) return Value();
        if (arg(a, 0).asLogical() || !equalsIgnoreCase(arg(a, 2).asString(), "BLANK")) {
            Error e = makeError(eg::Unsupported, sub::Unsupported, "Only APPEND FROM ... DELIMITED WITH BLANK");
            e.canDefault = true;
            raise(e);
            return Value();
        }
        return static_cast<long long>(appendFromDelimited(*w, arg(a, 1).asString()));
    });
    registerFunction("__DBSORT", [](Args a) -> Value {
        WorkArea* w = need("SORT");
        return w ? sortTo(*w, arg(a, 0).asString(), sortField(arg(a, 1))) : false;
    });
    registerFunction("FILE", [](Args a) -> Value { return fileExistsCmd(arg(a, 0).asString()); });
    registerFunction("FERASE", [](Args a) -> Value { return fileErase(arg(a, 0).asString()); });
    registerFunction("FRENAME", [](Args a) -> Value { return fileRename(arg(a, 0).asString(), arg(a, 1).asString()); });
    registerFunction("FERROR", [](Args) -> Value { return lastFileError(); });
}

}  // namespace

void registerTableFunctions() {
    registerAreas();
    registerQueries();
    registerMoves();
    registerEdits();
    registerCommands();
}

}  // namespace rt::rdd
