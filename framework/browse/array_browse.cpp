#include "framework/browse/array_browse.h"

#include <windows.h>

#include <algorithm>
#include <unordered_map>

#include "framework/browse/browse_args.h"
#include "framework/browse/grid_gdi.h"
#include "framework/browse/model/array_rules.h"
#include "framework/browse/model/viewport.h"
#include "framework/core/control/control.h"
#include "framework/core/form/form.h"
#include "framework/core/native/casts.h"
#include "framework/core/object/optional_send.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/window/object_link.h"
#include "framework/data/data_source/error_list_view.h"
#include "runtime/core/block.h"
#include "runtime/core/error.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "runtime/lib/text.h"

namespace vorpex {

using rt::Value;
using namespace browse;
using native::number;

namespace {

bool given(rt::Args args, size_t i) { return !rt::arg(args, i).isNil(); }

std::vector<Value>& itemsOf(const Value& array) { return array.asArray()->items; }

// The cell as the filter and the search read it: its display text without surrounding blanks.
std::string cellString(const Value& value) { return rt::alltrim(cellText(value, "")); }

}  // namespace

// ================================================================ the column

const rt::Class& XArrayBrwColumn::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        VPClass b("XArrayBrwColumn", &TBrwColumn::classRecord(), rt::factoryOf<XArrayBrwColumn>());
        kArrayCol = b.addData("nArrayCol", 0, "N");
        addMembers<XArrayBrwColumn>(b);
        return b.create();
    }();
    return c;
}

Value XArrayBrwColumn::GetData(rt::Args) {
    auto* grid = dynamic_cast<XArrayBrowse*>(browse());
    const Value row = grid ? grid->cell(grid->nArrayAt(), 0) : Value();
    const auto cells = row.isArray() ? row.asArray() : nullptr;
    if (!cells || nArrayCol() < 1 || nArrayCol() > static_cast<int64_t>(cells->size())) return Value("");
    return cells->items[static_cast<size_t>(nArrayCol() - 1)];
}

Value XArrayBrwColumn::SetData(rt::Args args) {
    auto* grid = dynamic_cast<XArrayBrowse*>(browse());
    const Value& value = rt::arg(args, 0);
    if (grid) grid->setCell(given(args, 1) ? rt::arg(args, 1).asInteger() : grid->nArrayAt(), nArrayCol(), value);
    return value;
}

// ================================================================ the browse

const rt::Class& XArrayBrowse::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XArrayBrowse", &TBrowse::classRecord(), rt::factoryOf<XArrayBrowse>());
        kArrayAt = b.addProperty({.name = "nArrayAt", .initial = 0, .type = "N", .scope = Exported});
        kArrayData = b.addProperty(
            {.name = "aArrayData", .initial = Value::array(), .type = "A", .scope = Exported,
             .setter = rt::NativeMethod([](rt::Object& o, const rt::Method&, rt::Args a) {
                 return static_cast<XArrayBrowse&>(o).SetArray(Vals{rt::arg(a, 0)});
             })});
        kFilterPos = b.addData("aArrayFilterPos", Value(), "A", Hidden);
        kOnFilter = b.addData("lOnFilter", false, "L", Hidden);
        kArrayOrg = b.addData("aArrayOrg", Value(), "A", Exported);
        b.addEvent("OnSort", Published, "oSender, aData, oCol, nAt, lDesc");
        addMembers<XArrayBrowse>(b);
        // lAutoOrder is the grid's flag; here setting it also binds or drops the search.
        b.addMethod("_lAutoOrder", [](rt::Object& o, const rt::Method&, rt::Args a) {
            return static_cast<XArrayBrowse&>(o).SetAutoOrder(a);
        });
        return b.create();
    }();
    return c;
}

// ---------------------------------------------------------------- rows and cells

int64_t XArrayBrowse::arrayLen() const {
    const auto r = rows();
    return r ? static_cast<int64_t>(r->size()) : 0;
}

Value XArrayBrowse::cell(int64_t row, int64_t element) const {
    const auto r = rows();
    if (!r || row < 1 || row > static_cast<int64_t>(r->size())) return {};
    const Value& line = r->items[static_cast<size_t>(row - 1)];
    if (element == 0) return line;
    const auto cells = line.isArray() ? line.asArray() : nullptr;
    if (!cells || element < 1 || element > static_cast<int64_t>(cells->size())) return {};
    return cells->items[static_cast<size_t>(element - 1)];
}

bool XArrayBrowse::setCell(int64_t row, int64_t element, const Value& value) {
    const Value line = cell(row, 0);
    const auto cells = line.isArray() ? line.asArray() : nullptr;
    if (!cells || element < 1 || element > static_cast<int64_t>(cells->size())) return false;
    cells->items[static_cast<size_t>(element - 1)] = value;
    return true;
}

std::vector<int64_t> XArrayBrowse::filterPositions() const {
    std::vector<int64_t> positions;
    if (const auto p = field(kFilterPos).asArray())
        for (const Value& v : p->items) positions.push_back(v.asInteger());
    return positions;
}

void XArrayBrowse::setFilterPositions(const std::vector<int64_t>& positions) {
    std::vector<Value> values;
    for (int64_t p : positions) values.push_back(number(p));
    field(kFilterPos) = Value::array(std::move(values));
}

void XArrayBrowse::refreshIf(bool refresh) {
    if (refresh) Refresh({});
}

// A row of each column's default value, in column order.
Value XArrayBrowse::newRow() {
    std::vector<Value> cells;
    for (XBrwColumn* column : columns()) cells.push_back(rt::send(*column, "DefaultValue"));
    return Value::array(std::move(cells));
}

Value XArrayBrowse::AddRow(rt::Args args) {
    const Value row = given(args, 0) ? rt::arg(args, 0) : newRow();
    itemsOf(field(kArrayData)).push_back(row);
    // While filtered, the whole list gets the row too: clearing the filter must not lose it.
    if (filtered()) {
        itemsOf(field(kArrayOrg)).push_back(row);
        std::vector<int64_t> positions = filterPositions();
        positions.push_back(static_cast<int64_t>(itemsOf(field(kArrayOrg)).size()));
        setFilterPositions(positions);
    }
    refreshIf(givenOr(args, 1, true));
    return row;
}

void XArrayBrowse::insertRow(const Value& row, int64_t position) {
    auto& shown = itemsOf(field(kArrayData));
    const auto at = static_cast<size_t>(std::clamp<int64_t>(position, 1, static_cast<int64_t>(shown.size()) + 1) - 1);
    shown.insert(shown.begin() + static_cast<std::ptrdiff_t>(at), row);
    if (!filtered()) return;
    std::vector<int64_t> positions = filterPositions();
    auto& whole = itemsOf(field(kArrayOrg));
    const int64_t orgAt = at < positions.size() ? positions[at] : static_cast<int64_t>(whole.size()) + 1;
    whole.insert(whole.begin() + (orgAt - 1), row);
    for (int64_t& p : positions)
        if (p >= orgAt) ++p;
    positions.insert(positions.begin() + static_cast<std::ptrdiff_t>(at), orgAt);
    setFilterPositions(positions);
}

Value XArrayBrowse::InsRow(rt::Args args) {
    const Value row = given(args, 0) ? rt::arg(args, 0) : newRow();
    insertRow(row, rt::arg(args, 1).asInteger());
    refreshIf(givenOr(args, 2, true));
    return row;
}

Value XArrayBrowse::DelRow(rt::Args args) {
    const int64_t row = given(args, 0) ? rt::arg(args, 0).asInteger() : nArrayAt();
    auto& shown = itemsOf(field(kArrayData));
    if (row < 1 || row > static_cast<int64_t>(shown.size())) return false;
    shown.erase(shown.begin() + (row - 1));
    if (filtered()) {
        std::vector<int64_t> positions = filterPositions();
        const int64_t orgAt = positions[static_cast<size_t>(row - 1)];
        auto& whole = itemsOf(field(kArrayOrg));
        whole.erase(whole.begin() + (orgAt - 1));
        positions.erase(positions.begin() + (row - 1));
        for (int64_t& p : positions)
            if (p > orgAt) --p;
        setFilterPositions(positions);
    }
    setArrayAt(std::clamp<int64_t>(nArrayAt(), std::min<int64_t>(1, arrayLen()), arrayLen()));
    refreshIf(givenOr(args, 1, true));
    return true;
}

Value XArrayBrowse::Zap(rt::Args) {
    field(kArrayData) = Value::array();
    field(kArrayOrg) = field(kArrayData);
    field(kFilterPos) = Value();
    field(kOnFilter) = false;
    setArrayAt(1);
    return Refresh(Vals{Value(true)});
}

Value XArrayBrowse::GetRow(rt::Args args) { return cell(given(args, 0) ? rt::arg(args, 0).asInteger() : nArrayAt(), 0); }

Value XArrayBrowse::SetRow(rt::Args args) {
    const int64_t row = given(args, 1) ? rt::arg(args, 1).asInteger() : nArrayAt();
    auto& shown = itemsOf(field(kArrayData));
    if (row < 1 || row > static_cast<int64_t>(shown.size())) return false;
    const Value old = shown[static_cast<size_t>(row - 1)];
    shown[static_cast<size_t>(row - 1)] = rt::arg(args, 0);
    // The whole list holds the same row: it must see the new one too.
    if (filtered()) {
        for (Value& r : itemsOf(field(kArrayOrg)))
            if (r.sameAs(old)) r = rt::arg(args, 0);
    }
    Refresh({});
    return true;
}

std::optional<XArrayBrowse::Target> XArrayBrowse::target(const Value& xCol, bool nilIsSelected) {
    if (xCol.isNumber()) return Target{nullptr, xCol.asInteger()};
    Value column = xCol;
    if (xCol.isString()) column = ColWithHeader(Vals{xCol});
    if (xCol.isNil()) column = nilIsSelected ? SelectedCol({}) : Value();
    auto typed = rt::objectAs<XArrayBrwColumn>(column);
    if (!typed) return std::nullopt;
    return Target{typed.get(), typed->nArrayCol()};
}

Value XArrayBrowse::GetValue(rt::Args args) {
    const std::optional<Target> t = target(rt::arg(args, 0), true);
    if (!t) return {};
    const int64_t row = given(args, 1) ? rt::arg(args, 1).asInteger() : nArrayAt();
    if (t->column && t->column->openEditor() && (row == nArrayAt() || nEditMode() == kAppend))
        return rt::send(rt::send(*t->column, "oGridEdit"), "Value");
    return cell(row, t->element);
}

Value XArrayBrowse::SetValue(rt::Args args) {
    const std::optional<Target> t = target(rt::arg(args, 0), false);
    if (!t) return {};
    const Value& value = rt::arg(args, 1);
    const int64_t row = given(args, 2) ? rt::arg(args, 2).asInteger() : nArrayAt();
    const bool appending = nEditMode() == kAppend;
    const Value old = appending ? Value() : cell(row, t->element);
    if (t->column && t->column->openEditor() && row == nArrayAt())
        rt::send(rt::send(*t->column, "oGridEdit"), "_Value", {value});
    if (!appending) setCell(row, t->element, value);
    RefreshCurrent({});
    return old;
}

// ---------------------------------------------------------------- the row source

Value XArrayBrowse::MoveTop(rt::Args args) {
    if (EventAssigned(OnGoTop)) return TBrowse::MoveTop(args);
    setArrayAt(std::min<int64_t>(1, arrayLen()));
    return {};
}

Value XArrayBrowse::MoveBottom(rt::Args args) {
    if (EventAssigned(OnGoBottom)) return TBrowse::MoveBottom(args);
    setArrayAt(arrayLen());
    return {};
}

Value XArrayBrowse::Skip(rt::Args args) {
    if (EventAssigned(OnSkip)) return TBrowse::Skip(args);
    const int64_t n = given(args, 0) ? rt::arg(args, 0).asInteger() : 1;
    if (arrayLen() == 0) return number(0);
    const int64_t from = nArrayAt();
    setArrayAt(std::clamp<int64_t>(from + n, 1, arrayLen()));
    return number(nArrayAt() - from);
}

Value XArrayBrowse::IsEof(rt::Args args) {
    if (EventAssigned(OnEof)) return TBrowse::IsEof(args);
    return nArrayAt() >= arrayLen();
}

Value XArrayBrowse::IsBof(rt::Args args) {
    if (EventAssigned(OnBof)) return TBrowse::IsBof(args);
    return nArrayAt() <= 1;
}

Value XArrayBrowse::BookMark(rt::Args args) {
    if (EventAssigned(OnBookMark)) return TBrowse::BookMark(args);
    if (rt::arg(args, 0).isNumber()) setArrayAt(rt::arg(args, 0).asInteger());
    return number(nArrayAt());
}

Value XArrayBrowse::KeyNo(rt::Args args) {
    if (EventAssigned(OnKeyNo)) return TBrowse::KeyNo(args);
    if (rt::arg(args, 0).isNumber()) setArrayAt(rt::arg(args, 0).asInteger());
    setKeyNo(nArrayAt());
    return number(nArrayAt());
}

Value XArrayBrowse::KeyCount(rt::Args args) {
    if (EventAssigned(OnKeyCount)) return TBrowse::KeyCount(args);
    setLen(arrayLen());
    setArrayAt(std::min(nArrayAt(), arrayLen()));
    return number(arrayLen());
}

Value XArrayBrowse::Refresh(rt::Args args) {
    if (rt::arg(args, 0).asLogical()) setArrayAt(std::min<int64_t>(1, arrayLen()));
    return TBrowse::Refresh(args);
}

Value XArrayBrowse::nArrayOrgAt(rt::Args) {
    if (!filtered()) return number(0);
    const std::vector<int64_t> positions = filterPositions();
    const int64_t at = nArrayAt();
    return number(at >= 1 && at <= static_cast<int64_t>(positions.size()) ? positions[static_cast<size_t>(at - 1)] : 0);
}

Value XArrayBrowse::nArrayPos(rt::Args) { return filtered() ? nArrayOrgAt({}) : number(nArrayAt()); }

Value XArrayBrowse::IsFiltered(rt::Args) { return !filterPositions().empty(); }

// ---------------------------------------------------------------- columns and the data

Value XArrayBrowse::Create(rt::Args args) {
    TBrowse::Create(args);
    SetArray({});
    return selfObject();
}

Value XArrayBrowse::AddCol(rt::Args args) {
    Value column = rt::arg(args, 0);
    if (column.isNil()) column = rt::send(Value(TArrayBrwColumn::classRecord().instantiate()), "New", {selfObject()});
    return TBrowse::AddCol(Vals{column, rt::arg(args, 1)});
}

Value XArrayBrowse::InsCol(rt::Args args) {
    Value column = rt::arg(args, 1);
    if (column.isNil()) column = rt::send(Value(TArrayBrwColumn::classRecord().instantiate()), "New", {selfObject()});
    return TBrowse::InsCol(Vals{rt::arg(args, 0), column, rt::arg(args, 2)});
}

void XArrayBrowse::useRows(const Value& data) {
    if (data.isArray()) field(kArrayData) = data;
    if (!field(kArrayData).isArray()) field(kArrayData) = Value::array();
    field(kArrayOrg) = field(kArrayData);
    field(kFilterPos) = Value();
    field(kOnFilter) = false;
}

// Every column must read array cells: another kind is reported through the error system.
void XArrayBrowse::checkColumns(const Value& headers) {
    const auto names = headers.isArray() ? headers.asArray() : nullptr;
    const std::vector<XBrwColumn*> list = columns();
    for (size_t i = 0; i < list.size(); ++i) {
        auto* column = dynamic_cast<XArrayBrwColumn*>(list[i]);
        if (!column) {
            rt::Error e;
            e.subSystem = "VORPEX:SetArray";
            e.severity = rt::severity::Error;
            e.description = "Incorrect Browse Column type, should be KindOf('TArrayBrwColumn') ";
            e.operation = "Column: " + std::to_string(i + 1);
            rt::raise(e);
            continue;
        }
        if (names && i < names->size()) rt::send(*column, "_cHeader", {names->items[i]});
        column->setArrayCol(static_cast<int64_t>(i) + 1);
    }
}

void XArrayBrowse::buildColumns(const Value& headers, bool autoOrder) {
    const auto names = headers.isArray() ? headers.asArray() : nullptr;
    const Value first = cell(1, 0);
    const size_t width = first.isArray() ? first.asArray()->size() : 0;
    const size_t count = std::max(width, names ? names->size() : size_t{0});
    for (size_t i = 0; i < count; ++i) {
        Value column = rt::send(Value(TArrayBrwColumn::classRecord().instantiate()), "New", {selfObject()});
        auto typed = rt::objectAs<XArrayBrwColumn>(column);
        if (names && i < names->size()) rt::send(column, "_cHeader", {names->items[i]});
        typed->setArrayCol(static_cast<int64_t>(i) + 1);
        if (cell(1, static_cast<int64_t>(i) + 1).isNumber()) rt::send(column, "SetAlignment", {2, false});
        if (autoOrder) rt::send(column, "_nWidth", {number(rt::send(column, "GetWidth", {true}).asInteger() + 30)});
        rt::send(column, "Create");
    }
    SetAutoOrder(Vals{Value(autoOrder)});
}

Value XArrayBrowse::SetArray(rt::Args args) {
    const Value& data = rt::arg(args, 0);
    setRowSel(1);
    setArrayAt(1);
    if (data.isArray() && arrayLen() > 0 && !data.asArray()->items.empty()) {
        const Value& first = data.asArray()->items.front();
        const size_t width = first.isArray() ? first.asArray()->size() : 0;
        if (width < columns().size()) Reset({});
    }
    useRows(data);
    if (!columns().empty())
        checkColumns(rt::arg(args, 1));
    else
        buildColumns(rt::arg(args, 1), rt::arg(args, 2).asLogical());
    rebuildColumns();
    if (windowExists()) Refresh(Vals{Value(true)});
    KeyCount({});
    return field(kArrayData);
}

// ---------------------------------------------------------------- order and search

Value XArrayBrowse::SetAutoOrder(rt::Args args) {
    const bool on = rt::arg(args, 0).asLogical();
    setAutoOrderFlag(on);
    if (on) {
        std::weak_ptr<rt::Object> weak = self();
        assignEvent(*this, OnSeek, Value(rt::makeBlock([weak](rt::Args a) -> Value {
                        auto grid = std::dynamic_pointer_cast<XArrayBrowse>(weak.lock());
                        return grid ? Value(seekOnArray(*grid, rt::arg(a, 1).asString())) : Value(false);
                    })));
    } else {
        for (XBrwColumn* column : columns()) rt::send(*column, "_nSort", {0});
        assignEvent(*this, OnSeek, Value());
    }
    return on;
}

bool seekOnArray(XArrayBrowse& grid, const std::string& text) {
    XArrayBrwColumn* sorted = nullptr;
    for (XBrwColumn* column : grid.columns()) {
        if (column->nSort() == 0) continue;
        sorted = dynamic_cast<XArrayBrwColumn*>(column);
        break;
    }
    if (!sorted) return false;
    const std::string wanted = upperText(text);
    for (int64_t row = 1; row <= grid.arrayLen(); ++row) {
        if (upperText(cellString(grid.cell(row, sorted->nArrayCol()))).rfind(wanted, 0) != 0) continue;
        grid.setArrayAt(row);
        return true;
    }
    return false;
}

Value XArrayBrowse::Sort(rt::Args args) {
    auto column = rt::objectAs<XArrayBrwColumn>(rt::arg(args, 0));
    auto& shown = itemsOf(field(kArrayData));
    if (!column || shown.empty()) return {};
    const int64_t previous = column->nSort();
    for (XBrwColumn* c : columns()) rt::send(*c, "_nSort", {0});
    // The marked rows are known by identity, never by marks written into the caller's rows.
    const bool multi = nMarqueeStyle() == kHighlightRowMulti;
    std::vector<const rt::Array*> marked;
    if (multi && aSelected().isArray())
        for (const Value& mark : aSelected().asArray()->items)
            if (const Value row = cell(mark.asInteger(), 0); row.isArray()) marked.push_back(row.asArray().get());
    const bool descending = previous > 0;
    if (EventAssigned(OnSort)) {
        fireEvent(*this, OnSort, {field(kArrayData), Value(column->self()), number(column->nArrayCol()), Value(descending)});
    } else {
        const std::vector<size_t> order = sortedOrder(shown, column->nArrayCol(), descending);
        std::vector<Value> sorted;
        sorted.reserve(order.size());
        for (size_t i : order) sorted.push_back(shown[i]);
        shown = std::move(sorted);
    }
    rt::send(*column, "_nSort", {descending ? -1 : 1});
    std::unordered_map<const rt::Array*, int64_t> placeOf;
    for (size_t i = 0; i < shown.size(); ++i)
        if (shown[i].isArray()) placeOf[shown[i].asArray().get()] = static_cast<int64_t>(i) + 1;
    if (multi) {
        std::vector<int64_t> places;
        for (const rt::Array* row : marked)
            if (auto it = placeOf.find(row); it != placeOf.end()) places.push_back(it->second);
        std::sort(places.begin(), places.end());
        std::vector<Value> selection;
        for (int64_t p : places) selection.push_back(number(p));
        aSelected() = Value::array(std::move(selection));
    }
    // The kept rows moved: their places in the whole list follow them.
    if (filtered()) {
        std::unordered_map<const rt::Array*, int64_t> orgPlace;
        const auto& whole = itemsOf(field(kArrayOrg));
        for (size_t i = 0; i < whole.size(); ++i)
            if (whole[i].isArray()) orgPlace[whole[i].asArray().get()] = static_cast<int64_t>(i) + 1;
        std::vector<int64_t> positions;
        for (const Value& row : shown) positions.push_back(row.isArray() ? orgPlace[row.asArray().get()] : 0);
        setFilterPositions(positions);
    }
    Refresh({});
    return {};
}

// ---------------------------------------------------------------- filter

void XArrayBrowse::clearFilter() {
    field(kArrayData) = field(kArrayOrg);
    field(kFilterPos) = Value();
    field(kOnFilter) = false;
}

Value XArrayBrowse::SetFilter(rt::Args args) {
    const Value& nCol = rt::arg(args, 0);
    const bool refresh = givenOr(args, 1, true);
    struct Term {
        int64_t element;
        FilterTerm asNumber, asText;
    };
    std::vector<Term> terms;
    if (rt::send(*this, "lFilterBar").asLogical())
        for (XBrwColumn* column : columns()) {
            const std::string entry = rt::send(*column, "cFilter").asString();
            auto* typed = dynamic_cast<XArrayBrwColumn*>(column);
            if (typed && !rt::alltrim(entry).empty())
                terms.push_back({typed->nArrayCol(), parseFilterTerm(entry, true), parseFilterTerm(entry, false)});
        }
    auto announce = [&] {
        fireEvent(*this, OnFilterChange, {nCol});
        fireRowChange();
        if (refresh) Refresh(Vals{Value(true)});
    };
    if (terms.empty()) {
        if (!filtered()) return {};
        clearFilter();
        announce();
        return {};
    }
    if (filtered()) clearFilter();
    std::vector<Value> kept;
    std::vector<int64_t> positions;
    const auto& whole = itemsOf(field(kArrayOrg));
    for (size_t i = 0; i < whole.size(); ++i) {
        const bool passes = std::all_of(terms.begin(), terms.end(), [&](const Term& t) {
            const Value value = cell(static_cast<int64_t>(i) + 1, t.element);
            return value.isNumber() ? passesFilter(t.asNumber, cellString(value), value.asDouble())
                                    : passesFilter(t.asText, cellString(value), std::nullopt);
        });
        if (!passes) continue;
        kept.push_back(whole[i]);
        positions.push_back(static_cast<int64_t>(i) + 1);
    }
    field(kArrayData) = Value::array(std::move(kept));
    setFilterPositions(positions);
    field(kOnFilter) = true;
    setArrayAt(std::min<int64_t>(1, arrayLen()));
    announce();
    return {};
}

// ---------------------------------------------------------------- widths

Value XArrayBrowse::AdjustColWidth(rt::Args args) {
    if (!rt::send(*this, "lAllowColSizing").asLogical()) return {};
    Value column = rt::arg(args, 1);
    if (column.isNumber()) {
        const int64_t item = column.asInteger() - (recordSelector() ? 1 : 0);
        if (item < 1) return {};
        column = ColAtPos(Vals{number(item)});
    }
    auto typed = rt::objectAs<XBrwColumn>(column);
    if (!typed) return {};
    int64_t width = 10;
    if (!typed->cHeader().empty())
        width = textWidth(reinterpret_cast<HFONT>(headerFont()), typed->cHeader()) + 10;
    const int64_t current = nArrayAt();
    for (int64_t row = 1; row <= arrayLen(); ++row) {
        setArrayAt(row);
        width = std::max(width, rt::send(*typed, "DataWidth").asInteger());
    }
    setArrayAt(current);
    rt::send(*typed, "_nWidth", {number(width + 10)});
    return {};
}

// ---------------------------------------------------------------- editing

// The row the edited cells are saved into, made first for an append or an insert; 0 for none.
int64_t XArrayBrowse::saveTarget(int64_t mode) {
    if (mode == kAppend) {
        AddRow(Vals{Value(), Value(false)});
        setLen(arrayLen());
        return arrayLen();
    }
    if (mode == kInsert) {
        const int64_t at = std::max<int64_t>(nArrayAt(), 1);
        insertRow(newRow(), at);
        setArrayAt(at);
        return at;
    }
    return nArrayAt();
}

Value XArrayBrowse::CancelEdit(rt::Args args) {
    if (nEditMode() == kRead) return {};
    const int64_t mode = nEditMode();
    const Value& givenCanceled = rt::arg(args, 0);
    const rt::RefCell canceled = givenCanceled.isReference()
                                     ? givenCanceled.asReference()
                                     : std::make_shared<Value>(Value(givenCanceled.deref().asLogical()));
    TBrowse::CancelEdit(Vals{Value::reference(canceled), rt::arg(args, 1), Value(false)});
    const bool save = !canceled->asLogical() && rt::send(*this, "lAutoSave").asLogical();
    const int64_t row = save ? saveTarget(mode) : 0;
    for (XBrwColumn* column : columns()) {
        if (!column->lEdited()) continue;
        if (save) rt::send(*column, "SetData", {rt::send(rt::send(*column, "oGridEdit"), "Value"), number(row)});
        column->setEdited(false);
    }
    // Only a row really added moves the grid onto it.
    if (save && mode == kAppend) {
        setRowSel(std::min(nRowSel() + 1, std::max<int64_t>(TBrowse::rowCount(), 1)));
        setArrayAt(arrayLen());
        setKeyNo(arrayLen());
        fireRowChange();
    }
    Refresh({});
    return {};
}

Value XArrayBrowse::Delete(rt::Args args) {
    const Value answer = fireEvent(*this, OnDelete);
    if (answer.isLogical() && !answer.asLogical()) return false;
    if (rt::arg(args, 0).asLogical() && !lAllowDelete()) return false;
    if (!DelRow({}).asLogical()) return false;
    fireRowChange();
    return true;
}

// ================================================================ the error list

namespace {

ErrorListAutomation& automation() {
    static ErrorListAutomation hook;
    return hook;
}

void showErrorList(const std::string& title, const Value& rows) {
    const Value owner = sendIfUnderstood(rt::publicVar("Application"), "oMainForm");
    Value form(TForm::classRecord().instantiate());
    rt::send(form, "New", {owner});
    rt::send(form, "SetBounds", {0, 0, 600, 440});
    rt::send(form, "_cText", {Value(title)});
    rt::send(form, "Create");
    Value grid(TArrayBrowse::classRecord().instantiate());
    rt::send(grid, "New", {form});
    rt::send(grid, "_nAlign", {5});
    rt::send(grid, "_nMarqueeStyle", {5});
    rt::send(grid, "_nRowDividerStyle", {4});
    rt::send(grid, "_nColDividerStyle", {4});
    rt::send(grid, "_nDataLines", {4});
    rt::send(grid, "Create");
    rt::send(grid, "SetArray", {rows, Value::array({"TDataSet", "Descrip.", "# Error", "Trace"})});
    rt::send(form, "_Cargo", {grid});
    if (automation()) automation()(form);
    rt::send(form, "ShowModal", {Value(), true});
    rt::send(form, "_Cargo", {Value()});
    rt::send(form, "End");
}

}  // namespace

ErrorListAutomation setErrorListAutomation(ErrorListAutomation hook) {
    ErrorListAutomation old = std::move(automation());
    automation() = std::move(hook);
    return old;
}

void registerArrayBrowse() {
    TArrayBrwColumn::classRecord();
    TArrayBrowse::classRecord();
    rt::registerFunction("SEEKONARRAY", [](rt::Args args) -> Value {
        auto grid = rt::objectAs<XArrayBrowse>(rt::arg(args, 0));
        return grid ? Value(seekOnArray(*grid, rt::arg(args, 2).asString())) : Value(false);
    });
    data::setErrorListView(showErrorList);
}

}  // namespace vorpex
