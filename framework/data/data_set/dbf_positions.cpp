// Where a DBF data set stands and how it comes back there: key counts and positions (from the order, or by
// walking the visible records when lKeyExact asks for it), the stack of saved states, the rows copied out with
// SaveToArray, and a clone that opens the same table at the same place.
#include <algorithm>

#include "framework/core/native/value_readers.h"
#include "framework/data/data_set/current_area.h"
#include "framework/data/data_set/dbf_data_set.h"
#include "runtime/core/block.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "runtime/core/settings.h"
#include "runtime/core/symbol.h"
#include "runtime/expr/expression.h"
#include "runtime/rdd/area_scope.h"
#include "runtime/rdd/order.h"
#include "runtime/rdd/work_areas.h"

namespace vorpex::data {

namespace {

using native::isFalse;
using native::textOf;

using rt::rdd::WorkArea;
using rt::rdd::WorkAreas;

// Counting keys counts what the user cannot see when a filter is set, or when deleted records are hidden and
// the order holds them.
bool keysHideNothing(WorkArea& a) {
    if (a.filtered()) return false;
    if (!rt::settings().deleted) return true;
    const rt::rdd::Order* o = a.controlling();
    std::string condition = o ? rt::upper(o->forText()) : std::string();
    std::erase(condition, ' ');
    return condition.find("!DELETED()") != std::string::npos;
}

// The order of that name (0: none, the natural order).
size_t orderNamed(WorkArea& a, const std::string& name) {
    for (size_t i = 1; i <= a.orderCount(); ++i)
        if (rt::upper(a.order(i)->name()) == rt::upper(name)) return i;
    return 0;
}

rt::Value item(const rt::Value& list, size_t n) {
    return list.isArray() && n >= 1 && n <= list.asArray()->items.size() ? list.asArray()->items[n - 1] : rt::Value();
}

}  // namespace

bool XDbfDataSet::exactKeys(const rt::Value& given) const {
    return given.isLogical() ? given.asLogical() : field(kKeyExact).asLogical();
}

rt::Value XDbfDataSet::KeyCount(rt::Args args) {
    if (!area()) return rt::Value(0);
    const bool exact = exactKeys(rt::arg(args, 0));
    return inArea([exact] {
        WorkArea& a = currentArea();
        if (!exact || keysHideNothing(a)) return rt::Value(static_cast<int64_t>(a.keyCount()));
        const uint32_t back = a.recno();
        int64_t n = 0;
        for (a.goTop(); !a.eof(); a.skip(1)) ++n;
        a.goTo(back);
        return rt::Value(n);
    });
}

rt::Value XDbfDataSet::KeyNo(rt::Args args) {
    if (!area()) return rt::Value(0);
    const bool exact = exactKeys(rt::arg(args, 0));
    return inArea([exact] {
        WorkArea& a = currentArea();
        if (!exact || keysHideNothing(a)) return rt::Value(static_cast<int64_t>(a.keyNo()));
        if (a.eof()) return rt::Value(0);
        const uint32_t back = a.recno();
        int64_t n = 1;
        for (a.goTop(); !a.eof() && a.recno() != back; a.skip(1)) ++n;
        a.goTo(back);
        return rt::Value(n);
    });
}

// ---- saved states: {record, order name, filter text, scope rows}

rt::Value XDbfDataSet::SaveState(rt::Args args) {
    if (rt::arg(args, 0).isLogical()) setUpdLinked(!rt::arg(args, 0).asLogical());
    rt::Value state = rt::Value::array({rt::Value(0), rt::Value(""), rt::Value(""), rt::Value::array()});
    if (area()) {
        state = inArea([] {
            WorkArea& a = currentArea();
            const rt::rdd::Order* o = a.controlling();
            return rt::Value::array({rt::Value(static_cast<int64_t>(a.recno())), rt::Value(o ? o->name() : ""),
                                     rt::Value(a.filterText()), rt::Value::array()});
        });
    }
    const rt::Value& scopes = field(kScopes);
    if (scopes.isArray()) state.asArray()->items[3] = rt::Value::array(scopes.asArray()->items);
    savedStates().push_back(state);
    return rt::Value(true);
}

// A saved order that no longer exists (a temporary sort tag a pack dropped) leaves the natural order; a saved
// record beyond the end (removed by a pack) leaves the first record.
rt::Value XDbfDataSet::RestoreState(rt::Args args) {
    std::vector<rt::Value>& states = savedStates();
    if (states.empty()) return rt::Value(false);
    const rt::Value state = states.back();
    states.pop_back();
    const bool before = lUpdLinked();
    setUpdLinked(false);
    if (area()) {
        inArea([&] {
            WorkArea& a = currentArea();
            a.setFocus(orderNamed(a, textOf(item(state, 2))));
            const std::string filter = textOf(item(state, 3));
            const rt::BlockPtr block = filter.empty() ? nullptr : rt::expr::compileBlock(filter, &rt::rdd::areaScope());
            if (block)
                a.setFilter(block, filter);
            else
                a.clearFilter();
            const int64_t r = item(state, 1).asInteger();
            if (r >= 1 && r <= a.lastRec())
                a.goTo(static_cast<uint32_t>(r));
            else
                a.goTop();
            return rt::Value();
        });
    }
    field(kScopes) = item(state, 4).isArray() ? item(state, 4) : rt::Value::array();
    setUpdLinked(rt::arg(args, 0).isLogical() ? rt::arg(args, 0).asLogical() : before);
    return rt::Value(true);
}

rt::Value XDbfDataSet::ReleaseState(rt::Args args) {
    std::vector<rt::Value>& states = savedStates();
    if (states.empty()) return rt::Value(false);
    states.pop_back();
    if (rt::arg(args, 0).isLogical()) setUpdLinked(rt::arg(args, 0).asLogical());
    return rt::Value(true);
}

// ---- rows copied out

// Each name is read as "alias->name", so a name may also be an expression over the set's fields.
rt::Value XDbfDataSet::SaveToArray(rt::Args args) {
    if (!area()) return rt::Value::array();
    std::vector<rt::Value> names;
    if (rt::arg(args, 0).isArray())
        names = rt::arg(args, 0).asArray()->items;
    else
        for (const rt::Value& f : std::vector<rt::Value>(fields())) names.push_back(rt::send(f, "cDbfName"));
    std::vector<rt::BlockPtr> readers;
    for (const rt::Value& name : names)
        readers.push_back(rt::expr::compileBlock(cAlias() + "->" + textOf(name), &rt::rdd::areaScope()));
    const rt::Value forBlock = rt::arg(args, 1), whileBlock = rt::arg(args, 2);
    std::vector<rt::Value> rows;
    const rt::Value linked(lUpdLinked()), mute(true);
    SaveState(rt::Args(&mute, 1));
    inArea([&] {
        WorkArea& a = currentArea();
        for (a.goTop(); !a.eof(); a.skip(1)) {
            if (whileBlock.isBlock() && isFalse(rt::evalIfBlock(whileBlock))) break;
            if (forBlock.isBlock() && isFalse(rt::evalIfBlock(forBlock))) continue;
            std::vector<rt::Value> row;
            for (const rt::BlockPtr& read : readers) row.push_back(read ? read->eval({}) : rt::Value());
            rows.push_back(row.size() == 1 ? row[0] : rt::Value::array(std::move(row)));
        }
        return rt::Value();
    });
    RestoreState(rt::Args(&linked, 1));
    return rt::Value::array(std::move(rows));
}

// ---- a second set on the same table

rt::Value XDbfDataSet::Clone(rt::Args) {
    if (!field(kShared).asLogical()) return {};
    const rt::Value copy(objectClass().instantiate());
    rt::send(copy, "Create", {rt::Value(), oDataSource(), rt::Value(cName()), rt::Value(textOf(rt::send(*this, "cProcess")))});
    for (const char* member : {"aIdxFiles", "lReUseDel", "lKeyExact", "lDisplayErrors", "lDateAsString", "lReadOnly",
                               "lUpdLinked", "cPassword"})
        rt::send(copy, std::string("_") + member, {rt::send(*this, member)});
    if (!lOpen() || !rt::send(copy, "Open").asLogical()) return copy;
    for (const rt::Value& f : std::vector<rt::Value>(userFields())) {
        const rt::Value block = rt::send(f, "bGetValue");
        if (block.isBlock()) rt::send(copy, "AddCalcField", {rt::send(f, "cName"), block});
    }
    const rt::Value state = inArea([] {
        WorkArea& a = currentArea();
        const rt::rdd::Order* o = a.controlling();
        return rt::Value::array({rt::Value(static_cast<int64_t>(a.recno())), rt::Value(o ? o->name() : ""),
                                 rt::Value(a.filterText()), rt::Value::array()});
    });
    auto& other = static_cast<XDbfDataSet&>(*copy.asObject());
    other.savedStates().push_back(state);
    other.RestoreState({});
    return copy;
}

rt::Value XDbfDataSet::ForceAlias(rt::Args args) {
    if (!lOpen() && rt::arg(args, 0).isString()) field(kAlias) = rt::Value(rt::upper(rt::arg(args, 0).asString()));
    return field(kAlias);
}

rt::Value XDbfDataSet::DefIdxFile(rt::Args) {
    const std::string file = tableFile();
    const size_t dot = file.find_last_of('.'), cut = file.find_last_of("\\/:");
    const std::string base = dot != std::string::npos && (cut == std::string::npos || dot > cut) ? file.substr(0, dot) : file;
    const rt::Function* bagExt = rt::findFunction("ORDBAGEXT");
    return rt::Value(base + (bagExt ? textOf((*bagExt)({})) : std::string(".ntx")));
}

// No table of the engine is encrypted: the password is kept for clones and the engine's answer returned.
rt::Value XDbfDataSet::SetPassword(rt::Args args) {
    if (rt::arg(args, 0).isString()) field(kPassword) = rt::arg(args, 0);
    if (!area()) return field(kPassword);
    return inArea([&] {
        const rt::Function* info = rt::findFunction("DBINFO");
        const rt::Value call[] = {rt::Value(131), field(kPassword)};
        return info ? (*info)(rt::Args(call, 2)) : rt::Value(false);
    });
}

}  // namespace vorpex::data
