#include "order_functions.h"

#include <atomic>
#include <filesystem>
#include <map>
#include <random>

#include "ntx_order.h"
#include "runtime/core/runtime.h"
#include "runtime/core/symbol.h"
#include "runtime/rdd/failure.h"
#include "runtime/rdd/record_key.h"
#include "runtime/rdd/table_functions.h"
#include "runtime/rdd/work_areas.h"

namespace rt::ntx {

namespace {

using rdd::Order;
using rdd::WorkArea;
using rdd::WorkAreas;

constexpr const char* bagExtension = ".ntx";

std::string withNtx(const std::string& file) {
    if (file.empty() || std::filesystem::path(file).has_extension()) return file;
    return file + bagExtension;
}

std::string fileOnly(const std::string& path) { return std::filesystem::path(path).filename().string(); }

bool sameBag(const std::string& a, const std::string& b) {
    return equalsIgnoreCase(fileOnly(withNtx(a)), fileOnly(withNtx(b)));
}

NtxOrder* ntxOrder(WorkArea& area, size_t n) { return dynamic_cast<NtxOrder*>(area.order(n)); }

// Temporary orders get a file no other area or process can be using.
std::string temporaryPath() {
    static std::atomic<unsigned> counter{0};
    static const unsigned salt = std::random_device{}();
    auto dir = std::filesystem::temp_directory_path();
    return (dir / ("vpx" + std::to_string(salt) + "_" + std::to_string(++counter) + bagExtension)).string();
}

// Record images in bulk for building an order: a megabyte at a time.
void forEachImage(WorkArea& a, const std::function<bool(uint32_t, const char*)>& visit) {
    a.flush();
    rdd::Table& t = a.table();
    const uint32_t n = t.recCount(true), len = t.recordLength();
    const uint32_t chunk = std::max<uint32_t>(1, (1u << 20) / len);
    std::vector<char> images(static_cast<size_t>(chunk) * len);
    for (uint32_t first = 1; first <= n; first += chunk) {
        const uint32_t count = std::min(chunk, n - first + 1);
        t.readImages(first, count, images.data());
        for (uint32_t i = 0; i < count; ++i)
            if (!visit(first + i, images.data() + static_cast<size_t>(i) * len)) return;
    }
}

// Keys and conditions are evaluated with the order's area current, whatever area the caller is in (an order
// is also reached from a relation's parent area). A key text of the plain kinds (rdd::RecordKey) is also
// given as a plan over the record's bytes, which the order uses instead of evaluating the block.
OrderSource sourceFor(WorkArea& area, BlockPtr key, BlockPtr cond, std::string_view keyText = {}) {
    const int number = area.number();
    WorkArea* a = &area;
    OrderSource s;
    s.key = [number, key] { return WorkAreas::instance().inArea(number, [&] { return key->eval({}); }); };
    if (cond)
        s.condition = [number, cond] {
            return WorkAreas::instance().inArea(number, [&] { return cond->eval({}); }).asLogical();
        };
    s.forEach = [a, number](const std::function<bool(uint32_t)>& visit) {
        a->flush();
        const bool phantom = a->eof();
        const uint32_t saved = a->recno();
        const uint32_t n = a->table().recCount(true);
        WorkAreas::instance().inArea(number, [&] {
            for (uint32_t r = 1; r <= n; ++r) {
                a->table().load(r);
                if (!visit(r)) break;
            }
            return Value();
        });
        a->goTo(phantom ? 0 : saved);
    };
    s.recordCount = [a] { return a->table().recCount(true); };
    if (auto plan = keyText.empty() ? std::nullopt : rdd::RecordKey::compile(keyText, a->table().fields())) {
        s.recordKey = [plan = *plan](const char* record, std::string& out) { plan.build(record, out); };
        s.buffered = [a] { return a->table().record(); };
        s.forEachImage = [a](const std::function<bool(uint32_t, const char*)>& visit) { forEachImage(*a, visit); };
    }
    return s;
}

BlockPtr compiled(const std::string& text) {
    if (text.empty()) return nullptr;
    BlockPtr b = rdd::compileText(text);
    if (!b) throw rdd::Failure{rdd::makeError(eg::Syntax, rdd::sub::Arg, "Cannot compile " + text)};
    return b;
}

std::string nameOf(WorkArea& area, size_t n) {
    Order* o = area.order(n);
    return o ? o->name() : std::string();
}

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code ea, eb;
    auto ca = std::filesystem::weakly_canonical(a, ea), cb = std::filesystem::weakly_canonical(b, eb);
    return ea || eb ? a == b : ca == cb;
}

// Tag names stay unique within an area, and one file backs at most one open order.
void closeMatching(WorkArea& area, const std::string& tag, const std::string& path) {
    for (size_t n = area.orderCount(); n >= 1; --n) {
        Order* o = area.order(n);
        bool sameName = !tag.empty() && equalsIgnoreCase(o->name(), tag);
        auto* ntx = dynamic_cast<NtxOrder*>(o);
        std::string file = ntx ? ntx->path() : o->bagName();
        if (sameName || (!path.empty() && sameFile(file, path))) area.removeOrder(n);
    }
}

}  // namespace


bool ordListAdd(WorkArea& area, const std::string& bag, const std::string& tag) {
    return rdd::withErrorHandler(
        [&] {
            OrderSpec spec;
            spec.path = withNtx(bag);
            spec.name = tag;
            spec.shared = area.shared();
            spec.readOnly = area.readOnly();
            auto bind = [&](const NtxHeader& h) {
                if (spec.name.empty() && !h.tagName.empty()) spec.name = h.tagName;
                return sourceFor(area, compiled(h.keyExpr), compiled(h.forExpr), h.keyExpr);
            };
            auto order = NtxOrder::open(spec, bind);
            NtxOrder& added = *order;
            const size_t before = area.focus();
            closeMatching(area, order->name(), {});
            area.addOrder(std::move(order));
            if (before == 0) area.setFocus(area.orderCount());
            // A file left half-written is reported now, but stays in the list for ORDLISTREBUILD to repair.
            added.requireInStep();
            return true;
        },
        false);
}

void ordListClear(WorkArea& area) {
    area.flush();
    while (area.orderCount() > 0) area.removeOrder(area.orderCount());
}

bool ordCreate(WorkArea& area, const IndexRequest& r) {
    return rdd::withErrorHandler(
        [&] {
            OrderSpec spec;
            spec.name = r.tag;
            spec.path = r.temporary ? temporaryPath() : withNtx(r.bag.empty() ? r.tag : r.bag);
            if (r.temporary) spec.bag = withNtx(r.bag);
            if (spec.path.empty()) throw rdd::Failure{rdd::makeError(eg::Arg, rdd::sub::Arg, "No index file name")};
            if (spec.name.empty()) spec.name = std::filesystem::path(spec.path).stem().string();
            spec.keyText = r.key;
            spec.forText = r.forCond;
            spec.unique = r.unique;
            spec.descending = r.descending;
            spec.temporary = r.temporary;
            spec.shared = area.shared();
            spec.progress = r.progress;
            spec.progressEvery = r.every;
            BlockPtr key = r.keyBlock ? r.keyBlock : compiled(r.key);
            if (!key) throw rdd::Failure{rdd::makeError(eg::Arg, rdd::sub::Arg, "No key expression")};
            BlockPtr cond = r.forBlock ? r.forBlock : compiled(r.forCond);
            area.flush();
            if (!r.additive) ordListClear(area);
            closeMatching(area, spec.name, r.temporary ? std::string() : spec.path);
            auto order = NtxOrder::create(spec, sourceFor(area, key, cond, r.keyBlock ? std::string() : r.key));
            area.addOrder(std::move(order));
            area.setFocus(area.orderCount());
            area.goTop();
            return true;
        },
        false);
}

bool ordDestroy(WorkArea& area, const Value& order, const std::string& bag) {
    size_t n = orderNumber(area, order, bag);
    if (n == 0) return false;
    NtxOrder* o = ntxOrder(area, n);
    std::string path = o && !o->temporary() ? o->path() : std::string();
    area.flush();
    area.removeOrder(n);
    if (!path.empty()) {
        std::error_code ec;
        std::filesystem::remove(path, ec);
    }
    return true;
}

bool ordListRebuild(WorkArea& area, const Progress& progress, uint64_t every) {
    return rdd::withErrorHandler(
        [&] {
            // The files are replaced whole, under the pages other handles keep: the table must be ours alone.
            if (area.shared())
                rdd::fail(eg::Shared, rdd::sub::Shared, "Exclusive open required", area.table().path());
            area.flush();
            const uint64_t records = area.table().recCount(true);
            const uint64_t total = records * area.orderCount();
            for (size_t n = 1; n <= area.orderCount(); ++n) {
                const uint64_t base = records * (n - 1);
                NtxOrder* o = ntxOrder(area, n);
                if (!o) {
                    area.order(n)->rebuild();
                    continue;
                }
                std::function<void(uint64_t)> step;
                if (progress) step = [&](uint64_t done) { progress(base + done, total); };
                o->rebuild(step, every);
            }
            area.goTop();
            return true;
        },
        false);
}

size_t orderNumber(WorkArea& area, const Value& order, const std::string& bag) {
    const Value& v = order.deref();
    if (v.isNumber()) {
        int64_t n = v.asInteger();
        if (n == 0) return area.focus();
        return n >= 1 && static_cast<size_t>(n) <= area.orderCount() ? static_cast<size_t>(n) : 0;
    }
    if (!v.isString() || v.asString().empty()) return area.focus();
    for (size_t n = 1; n <= area.orderCount(); ++n) {
        Order* o = area.order(n);
        if (!equalsIgnoreCase(o->name(), v.asString())) continue;
        if (!bag.empty() && !sameBag(o->bagName(), bag)) continue;
        return n;
    }
    return 0;
}

std::string ordSetFocus(WorkArea& area, const Value& order, const std::string& bag) {
    std::string previous = nameOf(area, area.focus());
    const Value& v = order.deref();
    if (v.isNil()) return previous;
    area.flush();
    if (v.isNumber() && v.asInteger() == 0) {
        area.setFocus(0);
        return previous;
    }
    size_t n = orderNumber(area, v, bag);
    // An unknown order leaves natural order controlling, as the data set's warning expects.
    area.setFocus(v.isString() && v.asString().empty() ? area.focus() : n);
    return previous;
}

std::string ordName(WorkArea& area, const Value& order, const std::string& bag) {
    return nameOf(area, orderNumber(area, order, bag));
}

std::string ordKey(WorkArea& area, const Value& order, const std::string& bag) {
    Order* o = area.order(orderNumber(area, order, bag));
    return o ? o->keyText() : std::string();
}

std::string ordFor(WorkArea& area, const Value& order, const std::string& bag) {
    Order* o = area.order(orderNumber(area, order, bag));
    return o ? o->forText() : std::string();
}

std::string ordBagName(WorkArea& area, const Value& order) {
    Order* o = area.order(orderNumber(area, order));
    return o ? fileOnly(o->bagName()) : std::string();
}

size_t ordCount(WorkArea& area, const std::string& bag) {
    if (bag.empty()) return area.orderCount();
    size_t count = 0;
    for (size_t n = 1; n <= area.orderCount(); ++n)
        if (sameBag(area.order(n)->bagName(), bag)) ++count;
    return count;
}

Value ordKeyVal(WorkArea& area) {
    Order* o = area.controlling();
    if (!o || area.eof()) return Value();
    return rdd::withErrorHandler([&] { return o->keyValue(); }, Value());
}

bool ordDescend(WorkArea& area, const Value& order, const Value& set) {
    Order* o = area.order(orderNumber(area, order));
    if (!o) return false;
    bool old = o->descending();
    if (set.deref().isLogical()) o->setDescending(set.deref().asLogical());
    return old;
}

Value ordScope(WorkArea& area, int which, bool assign, const Value& value) {
    Order* o = area.controlling();
    if (!o || (which != 0 && which != 1)) return Value();
    Value old = o->scope(which);
    if (assign) o->setScope(which, value.deref());
    return old;
}

// ---- by name ----

namespace {

// ORDCONDSET's settings wait for the area's next ORDCREATE (or reindex, for the progress block).
struct Conditions {
    std::string forText;
    BlockPtr forBlock;
    BlockPtr eval;
    uint64_t every = 0;
    bool descending = false;
    bool additive = false;
    bool temporary = false;
};

std::map<int, Conditions>& pending() {
    static std::map<int, Conditions> p;
    return p;
}

WorkArea* need(std::string_view op) {
    if (WorkArea* a = WorkAreas::instance().current()) return a;
    Error e = rdd::makeError(eg::NoTable, 2001, "Work area not in use");
    e.subSystem = "BASE";
    e.operation = std::string(op);
    e.canDefault = true;
    raise(e);
    return nullptr;
}

bool flag(const Value& v, bool otherwise) { return v.deref().isLogical() ? v.deref().asLogical() : otherwise; }
std::string text(const Value& v) { return v.deref().isString() ? v.deref().asString() : std::string(); }

Progress progressOf(const Conditions& c) {
    if (!c.eval) return {};
    BlockPtr b = c.eval;
    return [b](uint64_t, uint64_t) { b->eval({}); };
}

Value create(Args a, bool withTag) {
    WorkArea* w = need(withTag ? "ORDCREATE" : "DBCREATEINDEX");
    if (!w) return false;
    Conditions c = pending()[w->number()];
    pending().erase(w->number());
    const size_t k = withTag ? 1 : 0;  // DBCREATEINDEX has no tag argument
    IndexRequest r;
    r.bag = text(arg(a, 0));
    if (withTag) r.tag = text(arg(a, 1));
    r.key = text(arg(a, 1 + k));
    if (arg(a, 2 + k).deref().isBlock()) r.keyBlock = arg(a, 2 + k).deref().asBlock();
    r.unique = flag(arg(a, 3 + k), false);
    r.forCond = c.forText;
    r.forBlock = c.forBlock;
    r.descending = c.descending;
    r.additive = c.additive;
    r.temporary = c.temporary;
    r.progress = progressOf(c);
    r.every = c.every ? c.every : 1;
    return ordCreate(*w, r);
}

}  // namespace

void registerOrderFunctions() {
    registerFunction("ORDLISTADD", [](Args a) -> Value {
        WorkArea* w = need("ORDLISTADD");
        return w ? ordListAdd(*w, text(arg(a, 0)), text(arg(a, 1))) : false;
    });
    registerFunction("DBSETINDEX", [](Args a) -> Value {
        WorkArea* w = need("DBSETINDEX");
        return w ? ordListAdd(*w, text(arg(a, 0))) : false;
    });
    auto clear = [](Args) -> Value {
        if (WorkArea* w = WorkAreas::instance().current()) ordListClear(*w);
        return Value();
    };
    registerFunction("ORDLISTCLEAR", clear);
    registerFunction("DBCLEARINDEX", clear);
    registerFunction("ORDCONDSET", [](Args a) -> Value {
        WorkArea* w = need("ORDCONDSET");
        if (!w) return false;
        Conditions c;
        c.forText = text(arg(a, 0));
        if (arg(a, 1).deref().isBlock()) c.forBlock = arg(a, 1).deref().asBlock();
        if (arg(a, 4).deref().isBlock()) c.eval = arg(a, 4).deref().asBlock();
        c.every = arg(a, 5).deref().isNumber() && arg(a, 5).deref().asInteger() > 0
                      ? static_cast<uint64_t>(arg(a, 5).deref().asInteger()) : 0;
        c.descending = flag(arg(a, 10), false);
        c.additive = flag(arg(a, 11), false);
        c.temporary = flag(arg(a, 15), false);
        pending()[w->number()] = c;
        return true;
    });
    registerFunction("ORDCREATE", [](Args a) -> Value { return create(a, true); });
    registerFunction("DBCREATEINDEX", [](Args a) -> Value { return create(a, false); });
    registerFunction("ORDDESTROY", [](Args a) -> Value {
        WorkArea* w = need("ORDDESTROY");
        return w ? ordDestroy(*w, arg(a, 0), text(arg(a, 1))) : false;
    });
    auto rebuild = [](Args) -> Value {
        WorkArea* w = need("ORDLISTREBUILD");
        if (!w) return false;
        Conditions c = pending()[w->number()];
        pending().erase(w->number());
        return ordListRebuild(*w, progressOf(c), c.every ? c.every : 1);
    };
    registerFunction("ORDLISTREBUILD", rebuild);
    registerFunction("DBREINDEX", rebuild);
    registerFunction("ORDSETFOCUS", [](Args a) -> Value {
        WorkArea* w = need("ORDSETFOCUS");
        return w ? ordSetFocus(*w, arg(a, 0), text(arg(a, 1))) : std::string();
    });
    registerFunction("ORDNAME", [](Args a) -> Value {
        WorkArea* w = WorkAreas::instance().current();
        return w ? ordName(*w, arg(a, 0), text(arg(a, 1))) : std::string();
    });
    registerFunction("ORDNUMBER", [](Args a) -> Value {
        WorkArea* w = WorkAreas::instance().current();
        return w ? orderNumber(*w, arg(a, 0), text(arg(a, 1))) : 0u;
    });
    registerFunction("ORDKEY", [](Args a) -> Value {
        WorkArea* w = WorkAreas::instance().current();
        return w ? ordKey(*w, arg(a, 0), text(arg(a, 1))) : std::string();
    });
    registerFunction("ORDFOR", [](Args a) -> Value {
        WorkArea* w = WorkAreas::instance().current();
        return w ? ordFor(*w, arg(a, 0), text(arg(a, 1))) : std::string();
    });
    registerFunction("ORDBAGNAME", [](Args a) -> Value {
        WorkArea* w = WorkAreas::instance().current();
        return w ? ordBagName(*w, arg(a, 0)) : std::string();
    });
    registerFunction("ORDBAGEXT", [](Args) -> Value { return std::string(bagExtension); });
    registerFunction("ORDCOUNT", [](Args a) -> Value {
        WorkArea* w = WorkAreas::instance().current();
        return w ? ordCount(*w, text(arg(a, 0))) : 0u;
    });
    registerFunction("ORDKEYVAL", [](Args) -> Value {
        WorkArea* w = WorkAreas::instance().current();
        return w ? ordKeyVal(*w) : Value();
    });
    registerFunction("ORDDESCEND", [](Args a) -> Value {
        WorkArea* w = WorkAreas::instance().current();
        return w ? ordDescend(*w, arg(a, 0), arg(a, 2)) : false;
    });
    registerFunction("ORDSCOPE", [](Args a) -> Value {
        WorkArea* w = WorkAreas::instance().current();
        return w ? ordScope(*w, arg(a, 0).asInt(), a.size() >= 2, arg(a, 1)) : Value();
    });
}

}  // namespace rt::ntx
