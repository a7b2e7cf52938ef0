// How a DBF data set selects and orders its records: filters (also the one a browse's filter bar builds),
// sorting on any expression through temporary tags, index tags and files, the controlling order, seeks, scopes,
// relations, and the maintenance operations pack, zap and reindex with the exclusive re-open they need.
#include <algorithm>

#include "framework/core/native/value_readers.h"
#include "framework/data/data_set/dbf_data_set.h"
#include "framework/data/data_set/error_trap.h"
#include "framework/data/data_set/filter_sort_rules.h"
#include "framework/core/texts/texts.h"
#include "framework/core/object/optional_send.h"
#include "runtime/core/block.h"
#include "runtime/core/error.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "runtime/core/settings.h"
#include "runtime/core/symbol.h"
#include "runtime/expr/expression.h"
#include "runtime/lib/display.h"
#include "runtime/rdd/area_scope.h"
#include "runtime/rdd/ntx/order_functions.h"
#include "runtime/rdd/order.h"
#include "runtime/rdd/work_areas.h"

namespace vorpex::data {

namespace {

using native::textOf;

using rt::rdd::WorkArea;
using rt::rdd::WorkAreas;

WorkArea& areaNow() { return *WorkAreas::instance().current(); }
bool flagOr(const rt::Value& v, bool otherwise) { return v.isLogical() ? v.asLogical() : otherwise; }

rt::BlockPtr compiledOver(const std::string& expression) {
    return expression.empty() ? nullptr : rt::expr::compileBlock(expression, &rt::rdd::areaScope());
}

bool compilesQuietly(const std::string& expression) {
    ErrorTrap trap;
    return compiledOver(expression) && !trap.caught;
}

// The warning a missing tag or a failed seek raises when asked to: the program's error block decides.
void raiseWarning(int descriptionText, int operationText, const std::string& alias, const std::string& what) {
    rt::Error e;
    e.subSystem = "Vorpex: TRddDataSource";
    e.severity = rt::severity::Warning;
    e.canDefault = false;
    e.description = texts::LT(descriptionText) + " " + alias;
    e.operation = texts::LT(operationText) + " " + what;
    rt::raise(e);
}

// A progress bar advancing in at most 100 steps over `total` records.
struct ProgressSteps {
    rt::Value bar;
    uint64_t every = 0;
    void setUp(uint64_t total) {
        if (!bar.isObject()) return;
        const bool many = total > 100;
        every = many ? static_cast<uint64_t>(static_cast<double>(total) / 100.0 + 0.5) : 1;
        rt::send(bar, "_nMin", {rt::Value(0)});
        rt::send(bar, "_nMax", {rt::Value(static_cast<int64_t>(many ? 100 : total))});
        rt::send(bar, "_nStep", {rt::Value(1)});
        rt::send(bar, "_nValue", {rt::Value(0)});
    }
    rt::ntx::Progress callback() const {
        if (!bar.isObject()) return {};
        const rt::Value b = bar;
        return [b](uint64_t, uint64_t) { rt::send(b, "StepIt"); };
    }
};

}  // namespace

// ---- filters

rt::Value XDbfDataSet::Filter(rt::Args args) {
    const rt::Value previous = area() ? inArea([] { return rt::Value(areaNow().filterText()); }) : rt::Value("");
    const rt::Value expression = rt::arg(args, 0);
    if (expression.isString() && area()) {
        const std::string text = expression.asString();
        const rt::BlockPtr block = compiledOver(text);
        inArea([&] {
            if (block)
                areaNow().setFilter(block, text);
            else
                areaNow().clearFilter();
            return rt::Value();
        });
        if (!block && !text.empty()) rt::send(*this, "NewError", {rt::Value("Invalid filter: " + text)});
    }
    const rt::Value notify(flagOr(rt::arg(args, 2), lUpdLinked()));
    if (flagOr(rt::arg(args, 1), true)) rt::send(*this, "GoTop", {notify});
    if (notify.asLogical()) rt::send(*this, "UpdateControls", {rt::Value(static_cast<int>(kWholeSet))});
    if (expression.isString() && !flagOr(rt::arg(args, 3), false))
        sendIfUnderstood(rt::send(*this, "oDBBrowse"), "_cOrgFilter", {expression});
    return previous;
}

rt::Value XDbfDataSet::SetFilter(rt::Args args) {
    const rt::Value forward[] = {rt::arg(args, 0), rt::arg(args, 1), rt::arg(args, 2)};
    return Filter(rt::Args(forward, 3));
}

rt::Value XDbfDataSet::ClearFilter(rt::Args args) {
    const rt::Value forward[] = {rt::Value(""), rt::arg(args, 0), rt::arg(args, 1)};
    return Filter(rt::Args(forward, 3));
}

// A column whose text is no term of its field's kind adds a term that holds for no record: a typed text never
// widens what the bar shows, nor runs as code.
rt::Value XDbfDataSet::GetFilterExp(rt::Args args) {
    const rt::Value browse = rt::arg(args, 0);
    if (!browse.isObject()) return rt::Value("");
    std::vector<std::string> terms;
    const std::string original = textOf(sendIfUnderstood(browse, "cOrgFilter"));
    if (!original.empty()) terms.push_back("( " + original + ")");
    const rt::Value columns = sendIfUnderstood(browse, "aCols");
    if (columns.isArray()) {
        for (const rt::Value& column : std::vector<rt::Value>(columns.asArray()->items)) {
            const std::string typed = textOf(sendIfUnderstood(column, "cFilter"));
            if (typed.find_first_not_of(' ') == std::string::npos) continue;
            const std::string own = textOf(sendIfUnderstood(column, "FilterEval"));
            if (!own.empty()) {
                terms.push_back(own);
                continue;
            }
            const rt::Value dataField = sendIfUnderstood(column, "oDataField");
            if (!dataField.isObject()) continue;
            const std::optional<std::string> term = filterTerm(textOf(rt::send(dataField, "cDbfName")),
                                                               textOf(rt::send(dataField, "cType")), typed);
            terms.push_back(term ? *term : ".F.");
        }
    }
    std::string joined;
    for (const std::string& t : terms) joined += (joined.empty() ? "" : " .AND. ") + t;
    return rt::Value(joined);
}

// ---- orders

rt::Value XDbfDataSet::AddTag(rt::Args args) {
    const std::string tag = textOf(rt::arg(args, 0)), key = textOf(rt::arg(args, 1));
    if (!area() || key.empty()) return rt::Value(false);
    rt::ntx::IndexRequest request;
    request.tag = tag;
    request.key = key;
    request.forCond = textOf(rt::arg(args, 2));
    // One order per NTX file: without a bag the tag gets a file of its own beside the table.
    request.temporary = flagOr(rt::arg(args, 5), false);
    request.bag = textOf(rt::arg(args, 3));
    if (request.bag.empty() && !tag.empty()) request.bag = tag;
    if (!request.bag.empty() && !request.temporary) request.bag = indexFile(request.bag);
    request.unique = flagOr(rt::arg(args, 6), false);
    request.additive = true;
    ProgressSteps progress{rt::arg(args, 4)};
    progress.setUp(RecCount({}).asInteger());
    request.progress = progress.callback();
    request.every = progress.every;
    return inArea([&] { return rt::Value(rt::ntx::ordCreate(areaNow(), request)); });
}

rt::Value XDbfDataSet::DelTag(rt::Args args) {
    if (!area()) return rt::Value(false);
    const rt::Value tag = rt::arg(args, 0);
    const std::string bag = textOf(rt::arg(args, 1));
    return inArea([&] { return rt::Value(rt::ntx::ordDestroy(areaNow(), tag, bag)); });
}

std::string XDbfDataSet::tempBag() const {
    std::string number = std::to_string(area());
    if (number.size() < 3) number.insert(0, 3 - number.size(), '0');
    return "VPTMP" + number + ".CDX";
}

rt::Value XDbfDataSet::AddTempTag(rt::Args args) {
    const rt::Value forward[] = {rt::arg(args, 0), rt::arg(args, 1), rt::arg(args, 2), rt::Value(tempBag()),
                                 rt::arg(args, 3), rt::Value(true)};
    return AddTag(rt::Args(forward, 6));
}

rt::Value XDbfDataSet::DelTempTag(rt::Args args) {
    const rt::Value forward[] = {rt::arg(args, 0), rt::Value(tempBag())};
    return DelTag(rt::Args(forward, 2));
}

rt::Value XDbfDataSet::GetTags(rt::Args args) {
    if (!area()) return rt::Value::array();
    const bool hideTemporary = flagOr(rt::arg(args, 0), true), capitalize = flagOr(rt::arg(args, 1), true);
    return inArea([&] {
        std::vector<rt::Value> names;
        WorkArea& a = areaNow();
        for (size_t n = 1; n <= a.orderCount(); ++n) {
            const std::string name = a.order(n)->name();
            if (hideTemporary && !name.empty() && name[0] == '_') continue;
            names.push_back(rt::Value(capitalize ? capitalizedTag(name) : name));
        }
        return rt::Value::array(std::move(names));
    });
}

rt::Value XDbfDataSet::OrdSetFocus(rt::Args args) {
    const rt::Value order = rt::arg(args, 0);
    if (!area()) return rt::Value("");
    const std::string bag = textOf(rt::arg(args, 1));
    const rt::Value previous = inArea([] {
        const rt::rdd::Order* o = areaNow().controlling();
        return rt::Value(o ? o->name() : std::string());
    });
    if (order.isNil()) return previous;
    const bool none = inArea([&] {
        rt::ntx::ordSetFocus(areaNow(), order, bag);
        return rt::Value(areaNow().controlling() == nullptr);
    }).asLogical();
    const bool asked = order.isNumber() ? order.asInt() != 0 : !textOf(order).empty();
    if (asked && none && flagOr(rt::arg(args, 2), true))
        raiseWarning(32891, 32892, cAlias(), rt::displayText(order));
    if (flagOr(rt::arg(args, 3), lUpdLinked())) {
        rt::send(*this, "UpdateControls", {rt::Value(static_cast<int>(kWholeSet))});
        if (!flagOr(rt::arg(args, 4), false)) sendIfUnderstood(rt::send(*this, "oDBBrowse"), "OrderOff");
    }
    return previous;
}

// The sort tag for an expression: its CRC name, or a further one when that name holds another expression.
std::string XDbfDataSet::sortTagFor(const std::string& expression) {
    const std::string bag = textOf(field(kSortFile));
    for (int attempt = 0;; ++attempt) {
        const std::string tag = sortTagName(expression, attempt);
        const std::string key = inArea([&] {
            WorkArea& a = areaNow();
            return rt::Value(rt::ntx::orderNumber(a, rt::Value(tag), bag) ? rt::ntx::ordKey(a, rt::Value(tag), bag)
                                                                           : std::string());
        }).asString();
        if (key.empty() || sameExpression(key, expression)) return tag;
    }
}

void XDbfDataSet::makeSortFile() {
    if (!textOf(field(kSortFile)).empty()) return;
    const rt::Value file = field(kFileName);
    std::string name = file.isObject()
        ? textOf(rt::send(file, "Unique", {rt::Value("TMP"), rt::Value(cAlias().substr(0, 6))}))
        : cAlias().substr(0, 6) + ".TMP";
    if (name.size() > 1 && name[0] == '\\' && name[1] != '\\') name.erase(0, 1);
    field(kSortFile) = rt::Value(name);
}

rt::Value XDbfDataSet::Sort(rt::Args args) {
    std::string expression = textOf(rt::arg(args, 0));
    bool descending = flagOr(rt::arg(args, 2), false);
    if (takeSortDirection(expression)) descending = true;
    if (!area() || expression.empty() || !compilesQuietly(expression)) return rt::Value(false);
    makeSortFile();
    const std::string tag = sortTagFor(expression), bag = textOf(field(kSortFile));
    const bool present = inArea([&] { return rt::Value(rt::ntx::orderNumber(areaNow(), rt::Value(tag), bag) != 0); })
                             .asLogical();
    if (!present && !buildSortTag(tag, expression, args)) return rt::Value(false);
    inArea([&] {
        WorkArea& a = areaNow();
        rt::ntx::ordSetFocus(a, rt::Value(tag), bag);
        rt::ntx::ordDescend(a, rt::Value(0), rt::Value(descending));
        return rt::Value();
    });
    const rt::Value focus[] = {rt::Value(tag), rt::Value(bag), rt::Value(true), rt::Value(lUpdLinked()), rt::Value(true)};
    OrdSetFocus(rt::Args(focus, 5));
    if (flagOr(rt::arg(args, 1), true)) rt::send(*this, "GoTop");
    return rt::Value(true);
}

bool XDbfDataSet::buildSortTag(const std::string& tag, const std::string& expression, rt::Args args) {
    const rt::Value app = rt::isPublic("Application") ? rt::publicVar("Application") : rt::Value();
    const bool busy = app.isObject() && rt::send(app, "lBusy").asLogical();
    if (app.isObject()) rt::send(app, "_lBusy", {rt::Value(true)});
    bool built = false;
    {
        ErrorTrap trap;
        const rt::Value forward[] = {rt::Value(tag), rt::Value(expression), rt::arg(args, 3), field(kSortFile),
                                     rt::arg(args, 4), rt::Value(true)};
        built = AddTag(rt::Args(forward, 6)).asLogical() && !trap.caught;
    }
    if (app.isObject()) rt::send(app, "_lBusy", {rt::Value(busy)});
    return built;
}

// Every temporary sort tag goes with the set's area; the bag's name is made again at the next sort.
void XDbfDataSet::dropSortTags() {
    const std::string bag = textOf(field(kSortFile));
    if (bag.empty()) return;
    inArea([&] {
        WorkArea& a = areaNow();
        for (size_t n = a.orderCount(); n >= 1; --n)
            if (rt::ntx::orderNumber(a, rt::Value(a.order(n)->name()), bag) == n)
                rt::ntx::ordDestroy(a, rt::Value(static_cast<int64_t>(n)));
        return rt::Value();
    });
    field(kSortFile) = rt::Value("");
}

// ---- seeks

rt::Value XDbfDataSet::Seek(rt::Args args) {
    const rt::Value key = rt::arg(args, 0);
    const bool soft = flagOr(rt::arg(args, 1), rt::settings().softSeek), last = flagOr(rt::arg(args, 2), false);
    const bool raise = flagOr(rt::arg(args, 3), false), forced = flagOr(rt::arg(args, 4), false);
    if (!area()) return rt::Value(false);
    rt::send(*this, "ChangePos", {rt::Value(static_cast<int>(kSeek)), key});
    bool found = false;
    inArea([&] {
        WorkArea& a = areaNow();
        const uint32_t before = a.recno();
        const std::string filter = a.filterText();
        rt::BlockPtr condition;
        rt::Value top, bottom;
        if (forced) liftFilterAndScope(a, condition, top, bottom);
        found = a.seek(key, soft, last);
        if (forced) putBackFilterAndScope(a, condition, filter, top, bottom);
        if (!found && !soft) a.goTo(before);
        return rt::Value();
    });
    if (!found && !soft && raise) raiseWarning(32893, 32894, cAlias(), rt::displayText(key));
    rt::send(*this, "UpdateControls", {rt::Value(static_cast<int>(kSeek)), key, rt::Value(found)});
    return rt::Value(found);
}

void XDbfDataSet::liftFilterAndScope(WorkArea& a, rt::BlockPtr& condition, rt::Value& top, rt::Value& bottom) {
    condition = compiledOver(a.filterText());
    a.clearFilter();
    if (rt::rdd::Order* o = a.controlling()) {
        top = o->scope(0);
        bottom = o->scope(1);
        o->setScope(0, rt::Value());
        o->setScope(1, rt::Value());
    }
}

void XDbfDataSet::putBackFilterAndScope(WorkArea& a, const rt::BlockPtr& condition, const std::string& filter,
                                        const rt::Value& top, const rt::Value& bottom) {
    if (condition) a.setFilter(condition, filter);
    if (rt::rdd::Order* o = a.controlling()) {
        o->setScope(0, top);
        o->setScope(1, bottom);
    }
}

rt::Value XDbfDataSet::ForcedSeek(rt::Args args) {
    const rt::Value forward[] = {rt::arg(args, 0), rt::Value(false), rt::Value(false), rt::Value(true), rt::Value(true)};
    return Seek(rt::Args(forward, 5));
}

rt::Value XDbfDataSet::CompleteSeek(rt::Args args) {
    const rt::Value forward[] = {rt::arg(args, 0), rt::arg(args, 1), rt::arg(args, 2), rt::arg(args, 3), rt::Value(true)};
    return Seek(rt::Args(forward, 5));
}

// ---- scopes

rt::Value XDbfDataSet::SetScope(rt::Args args) {
    if (!area()) return rt::Value(false);
    const rt::Value top = rt::arg(args, 0), bottom = rt::arg(args, 1).isNil() ? top : rt::arg(args, 1);
    const std::string order = inArea([&] {
        WorkArea& a = areaNow();
        rt::ntx::ordScope(a, 0, true, top);
        rt::ntx::ordScope(a, 1, true, bottom);
        return rt::Value(a.controlling() ? a.controlling()->name() : std::string());
    }).asString();
    std::vector<rt::Value>& rows = scopeRows();
    std::erase_if(rows, [&](const rt::Value& row) { return rt::upper(textOf(row.asArray()->at1(1))) == rt::upper(order); });
    rows.push_back(rt::Value::array({rt::Value(order), top, bottom}));
    const rt::Value notify(flagOr(rt::arg(args, 3), lUpdLinked()));
    if (flagOr(rt::arg(args, 2), true)) rt::send(*this, "GoTop", {notify});
    if (notify.asLogical()) rt::send(*this, "UpdateControls", {rt::Value(static_cast<int>(kWholeSet))});
    return rt::Value(true);
}

rt::Value XDbfDataSet::GetScope(rt::Args args) {
    rt::Value order = rt::arg(args, 0);
    if (order.isNil() || order.isNumber())
        order = area() ? inArea([&] {
            WorkArea& a = areaNow();
            const size_t n = order.isNumber() ? static_cast<size_t>(order.asInt()) : a.focus();
            return rt::Value(a.order(n) ? a.order(n)->name() : std::string());
        }) : rt::Value("");
    for (const rt::Value& row : scopeRows())
        if (rt::upper(textOf(row.asArray()->at1(1))) == rt::upper(textOf(order)))
            return rt::Value::array({row.asArray()->at1(2), row.asArray()->at1(3)});
    return rt::Value::array();
}

rt::Value XDbfDataSet::ClearScope(rt::Args args) {
    if (!area()) return {};
    const rt::Value old = GetScope({});
    const std::string order = inArea([] {
        WorkArea& a = areaNow();
        rt::ntx::ordScope(a, 0, true, rt::Value());
        rt::ntx::ordScope(a, 1, true, rt::Value());
        return rt::Value(a.controlling() ? a.controlling()->name() : std::string());
    }).asString();
    std::erase_if(scopeRows(), [&](const rt::Value& row) { return rt::upper(textOf(row.asArray()->at1(1))) == rt::upper(order); });
    if (flagOr(rt::arg(args, 0), lUpdLinked())) rt::send(*this, "UpdateControls", {rt::Value(static_cast<int>(kWholeSet))});
    return old.asArray()->items.empty() ? rt::Value() : old;
}

std::vector<rt::Value>& XDbfDataSet::scopeRows() {
    rt::Value& rows = field(kScopes);
    if (!rows.isArray()) rows = rt::Value::array();
    return rows.asArray()->items;
}

// ---- relations

rt::Value XDbfDataSet::SetRelation(rt::Args args) {
    const rt::Value child = rt::arg(args, 0);
    std::string expression = textOf(rt::arg(args, 1));
    if (!flagOr(rt::arg(args, 2), true)) ClearRelations({});
    if (expression.find("->") == std::string::npos)
        expression = expression.find('(') != std::string::npos ? cAlias() + "->(" + expression + ")"
                                                                : cAlias() + "->" + expression;
    rt::Value& rows = field(kRelations);
    if (!rows.isArray()) rows = rt::Value::array();
    rows.asArray()->items.push_back(rt::Value::array({child, rt::Value(expression)}));
    const int childArea = sendIfUnderstood(child, "Area").asInt();
    const rt::BlockPtr key = compiledOver(expression);
    if (area() && childArea && key)
        inArea([&] { areaNow().setRelation(childArea, key, expression); return rt::Value(); });
    return rt::Value(true);
}

rt::Value XDbfDataSet::ClearRelations(rt::Args) {
    if (area()) inArea([] { areaNow().clearRelations(); return rt::Value(); });
    field(kRelations) = rt::Value::array();
    return {};
}

// ---- pack, zap and reindex

rt::Value XDbfDataSet::Pack(rt::Args args) {
    return rt::Value(maintain([](WorkArea& a, const rt::Value&) { return a.pack(); }, rt::arg(args, 0), {},
                              rt::arg(args, 1)));
}

rt::Value XDbfDataSet::Zap(rt::Args args) {
    return rt::Value(maintain([](WorkArea& a, const rt::Value&) { return a.zap(); }, rt::arg(args, 0), {},
                              rt::arg(args, 1)));
}

rt::Value XDbfDataSet::Reindex(rt::Args args) {
    return rt::Value(maintain(
        [](WorkArea& a, const rt::Value& bar) {
            ProgressSteps progress{bar};
            progress.setUp(static_cast<uint64_t>(a.lastRec()) * a.orderCount());
            const bool done = rt::ntx::ordListRebuild(a, progress.callback(), progress.every);
            if (bar.isObject()) rt::send(bar, "_nValue", {rt::Value(0)});
            return done;
        },
        rt::arg(args, 0), rt::arg(args, 1), rt::arg(args, 2)));
}

// Runs the operation on the table opened exclusively: at once when the set is, else by closing it, opening it
// exclusively, running, closing and opening it shared again. A shared re-open that fails (another program
// took the table meanwhile) is a failure too, reported, and the set's controls are told it is closed.
bool XDbfDataSet::maintain(const std::function<bool(WorkArea&, const rt::Value&)>& operation,
                           const rt::Value& raiseErrors, const rt::Value& progress, const rt::Value& notifyArg) {
    if (!area()) return false;
    const rt::Value linked(lUpdLinked()), mute(true);
    SaveState(rt::Args(&mute, 1));
    std::optional<rt::Error> failure;
    const auto run = [&] {
        ErrorTrap trap;
        const bool done = inArea([&] { return rt::Value(operation(areaNow(), progress)); }).asLogical();
        if (trap.caught) failure = trap.caught;
        return done && !trap.caught;
    };
    bool done = false;
    if (!field(kShared).asLogical()) {
        done = run();
    } else {
        const rt::Value noEvents(false);
        Close(rt::Args(&noEvents, 1));
        field(kShared) = rt::Value(false);
        done = Open(rt::Args(&noEvents, 1)).asLogical() && run();
        Close(rt::Args(&noEvents, 1));
        field(kShared) = rt::Value(true);
        if (!Open(rt::Args(&noEvents, 1)).asLogical()) {
            ReleaseState(rt::Args(&linked, 1));  // Open reported why; the controls were told at Close
            return false;
        }
    }
    RestoreState(rt::Args(&linked, 1));
    if (flagOr(notifyArg, lUpdLinked())) rt::send(*this, "UpdateControls", {rt::Value(static_cast<int>(kWholeSet))});
    if (failure && flagOr(raiseErrors, true))
        rt::send(*this, "NewError", {rt::Value(failure->description + " " + tableFile())});
    return done;
}

}  // namespace vorpex::data
