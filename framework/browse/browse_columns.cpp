// XBrowse: the column list (add, insert, delete, swap, move, look-ups) and the saved layout.
#include <algorithm>

#include "framework/browse/browse.h"
#include "framework/browse/browse_args.h"
#include "framework/browse/brw_column.h"
#include "framework/browse/model/saved_state.h"
#include "framework/core/object/optional_send.h"
#include "runtime/core/send.h"
#include "runtime/core/symbol.h"

namespace vorpex {

using rt::Value;
using namespace browse;


int64_t XBrowse::columnIndexOf(const Value& x) const {
    const std::vector<XBrwColumn*> list = columns();
    const auto count = static_cast<int64_t>(list.size());
    if (x.isNumber()) {
        const int64_t n = x.asInteger();
        return n >= 1 && n <= count ? n : 0;
    }
    auto column = rt::objectAs<XBrwColumn>(x);
    if (!column || column->nIndex().isNil()) return 0;
    for (int64_t i = 0; i < count; ++i)
        if (list[static_cast<size_t>(i)]->nIndex().sameAs(column->nIndex())) return i + 1;
    return 0;
}

void XBrowse::renumberFrom(size_t from, int64_t delta) {
    const std::vector<XBrwColumn*> list = columns();
    for (size_t i = from; i < list.size(); ++i)
        if (!list[i]->nIndex().isNil()) list[i]->setIndex(number(list[i]->nIndex().asInteger() + delta));
}

Value XBrowse::AddCol(rt::Args args) {
    Value column = rt::arg(args, 0);
    if (column.isNil()) column = createByClassName("TBrwColumn", "New", {selfObject()});
    auto typed = rt::objectAs<XBrwColumn>(column);
    if (!typed || !typed->nIndex().isNil()) return column;
    auto cols = field(kCols).asArray();
    typed->setIndex(number(static_cast<int64_t>(cols->size()) + 1));
    if (!typed->oParent()) typed->setParent(self());
    if (!typed->lCreated()) rt::send(column, "Create");
    cols->items.push_back(column);
    fireEvent(*this, OnNewItem, {column});
    if (windowExists()) {
        rt::send(column, "Adjust");
        if (rt::arg(args, 1).asLogical()) {
            rebuildDisplay(true);
            Refresh(Vals{Value(true)});
        }
    }
    return column;
}

Value XBrowse::InsCol(rt::Args args) {
    const int64_t position = rt::arg(args, 0).asInteger();
    if (position <= 0) return {};
    auto cols = field(kCols).asArray();
    if (position > static_cast<int64_t>(cols->size())) return AddCol(Vals{rt::arg(args, 1)});
    Value column = rt::arg(args, 1);
    if (column.isNil()) column = createByClassName("TBrwColumn", "New", {selfObject()});
    auto typed = rt::objectAs<XBrwColumn>(column);
    if (!typed) return {};
    typed->setIndex(number(position));
    if (!typed->oParent()) typed->setParent(self());
    cols->items.insert(cols->items.begin() + (position - 1), column);
    fireEvent(*this, OnNewItem, {column});
    renumberFrom(static_cast<size_t>(position), 1);
    if (!typed->lCreated()) rt::send(column, "Create");
    if (windowExists()) {
        rt::send(column, "Adjust");
        if (givenOr(args, 2, true)) {
            rebuildDisplay(true);
            Refresh(Vals{Value(true)});
        }
    }
    return column;
}

Value XBrowse::DelCol(rt::Args args) {
    const int64_t position = columnIndexOf(rt::arg(args, 0));
    if (position == 0) return false;
    auto cols = field(kCols).asArray();
    cols->items.erase(cols->items.begin() + (position - 1));
    renumberFrom(static_cast<size_t>(position - 1), -1);
    if (windowExists() && givenOr(args, 1, true)) {
        rebuildDisplay(true);
        Refresh(Vals{Value(true)});
    } else {
        rebuildDisplay(false);
    }
    return true;
}

Value XBrowse::SwapCols(rt::Args args) {
    const int64_t a = columnIndexOf(rt::arg(args, 0)), b = columnIndexOf(rt::arg(args, 1));
    if (a == 0 || b == 0 || freeze() >= std::min(a, b)) return {};
    auto cols = field(kCols).asArray();
    std::swap(cols->items[static_cast<size_t>(a - 1)], cols->items[static_cast<size_t>(b - 1)]);
    rebuildDisplay(windowExists());
    if (givenOr(args, 2, true)) repaintAll();
    return {};
}

Value XBrowse::MoveCol(rt::Args args) {
    const Value& x = rt::arg(args, 0);
    int64_t from = 0;
    if (x.isNumber()) {
        const int64_t position = x.asInteger();
        if (position >= 1 && position <= static_cast<int64_t>(placed_.size()))
            from = static_cast<int64_t>(placed_[static_cast<size_t>(position - 1)].column) + 1;
    } else {
        from = columnIndexOf(x);
    }
    const int64_t target = rt::arg(args, 1).asInteger();
    if (target < 1 || target > static_cast<int64_t>(placed_.size())) return {};
    const int64_t to = static_cast<int64_t>(placed_[static_cast<size_t>(target - 1)].column) + 1;
    if (from <= 0 || from == to || freeze() >= std::min(from, to)) return {};
    auto cols = field(kCols).asArray();
    const Value moved = cols->items[static_cast<size_t>(from - 1)];
    cols->items.erase(cols->items.begin() + (from - 1));
    cols->items.insert(cols->items.begin() + (to - 1), moved);
    rebuildDisplay(windowExists());
    if (givenOr(args, 2, true)) repaintAll();
    return {};
}

Value XBrowse::ColAtIndex(rt::Args args) {
    const Value& n = rt::arg(args, 0);
    for (XBrwColumn* column : columns())
        if (column->nIndex().sameAs(n)) return Value(column->self());
    return {};
}

Value XBrowse::ColAtPos(rt::Args args) {
    const int64_t n = rt::arg(args, 0).asInteger();
    if (n < 1 || n > static_cast<int64_t>(placed_.size())) return {};
    return field(kCols).asArray()->items[placed_[static_cast<size_t>(n - 1)].column];
}

Value XBrowse::SelectedCol(rt::Args) { return ColAtPos(Vals{field(kColSel)}); }

Value XBrowse::ColPos(rt::Args args) {
    auto column = rt::objectAs<XBrwColumn>(rt::arg(args, 0));
    return number(column ? column->nPos() : 0);
}

Value XBrowse::ColWithHeader(rt::Args args) {
    const std::string wanted = rt::upper(rt::arg(args, 0).asString());
    for (XBrwColumn* column : columns())
        if (rt::upper(column->cHeader()) == wanted) return Value(column->self());
    return {};
}

Value XBrowse::GetVisibleCols(rt::Args) {
    std::vector<Value> visible;
    for (XBrwColumn* column : columns())
        if (rt::send(*column, "IsVisible").asLogical()) visible.emplace_back(column->self());
    return Value::array(std::move(visible));
}

Value XBrowse::OrderOff(rt::Args) {
    for (XBrwColumn* column : columns()) column->setSort(0);
    return {};
}

Value XBrowse::Reset(rt::Args) {
    for (XBrwColumn* column : columns()) rt::send(*column, "End");
    field(kCols).asArray()->items.clear();
    for (int position : {kRowSel, kColSel, kColOffset}) setNum(position, 1);
    for (int position : {kDataRows, kKeyNo, kLen}) setNum(position, 0);
    rebuildDisplay(windowExists());
    return {};
}

Value XBrowse::SaveState(rt::Args) {
    std::vector<ColumnState> states;
    for (XBrwColumn* column : columns())
        states.push_back({column->nIndex().asInteger(), column->nWidth(), column->lVisible()});
    return Value(saveState(num(kRowHeight), states));
}

Value XBrowse::RestoreState(rt::Args args) {
    const std::vector<XBrwColumn*> list = columns();
    std::vector<ColumnState> states;
    for (XBrwColumn* column : list)
        states.push_back({column->nIndex().asInteger(), column->nWidth(), column->lVisible()});
    const auto restored = restoreState(rt::arg(args, 0).asString(), states);
    if (!restored) return {};
    setNum(kRowHeight, restored->rowHeight);
    auto cols = field(kCols).asArray();
    const std::vector<Value> before = cols->items;
    for (size_t i = 0; i < restored->order.size(); ++i) {
        const size_t from = restored->order[i];
        list[from]->restore(restored->columns[i].width, restored->columns[i].visible);
        cols->items[i] = before[from];
    }
    if (windowExists()) rt::send(*this, "Adjust");
    rebuildDisplay(windowExists());
    repaintAll();
    return {};
}

}  // namespace vorpex
