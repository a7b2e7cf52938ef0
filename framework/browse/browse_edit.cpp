// XBrowse: the edit cycle. A row edit opens the editor of every visible editable column and gives one of them
// the focus; an append or an insert does the same on an empty phantom row; Tab moves between the editors
// (ChangeFocus) and CancelEdit closes them, tells the edited columns and the program, and returns to reading.
#include <algorithm>

#include "framework/browse/browse.h"
#include "framework/browse/browse_args.h"
#include "framework/browse/brw_column.h"
#include "framework/browse/model/input_rules.h"
#include "framework/core/object/optional_send.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;
using namespace browse;

namespace {

bool refusedBy(const Value& answer) { return answer.isLogical() && !answer.asLogical(); }

}  // namespace

bool XBrowse::anyEditable() const {
    const std::vector<XBrwColumn*> list = columns();
    return std::any_of(list.begin(), list.end(), [](XBrwColumn* c) { return c->nPos() > 0 && c->nEditType() != 0; });
}

Value XBrowse::IsEditable(rt::Args) { return anyEditable(); }

EditorPlace XBrowse::editorPlace() const {
    return {.rowSel = num(kRowSel), .pitch = nIntRowHeight(), .headerHeight = headerHeight(),
            .phantomRow = num(kPhantomRow), .dataRows = num(kDataRows), .appending = nEditMode() == kAppend};
}

Value XBrowse::IsMultipleEdit(rt::Args) { return field(kMultiEdit); }

Value XBrowse::Edit(rt::Args args) { return rt::send(*this, "RowEdit", {rt::arg(args, 0)}); }

// Back to reading when no editor could be opened: no mode and no phantom row stay behind.
void XBrowse::abandonEdit() {
    for (XBrwColumn* column : columns()) column->hideEditor();
    field(kMultiEdit) = false;
    setNum(kEditMode, kRead);
    setNum(kPhantomRow, 0);
}

Value XBrowse::RowEdit(rt::Args args) {
    const bool user = rt::arg(args, 0).asLogical();
    if (nEditMode() == kRead && refusedBy(fireEvent(*this, OnEdit))) return false;
    if ((user && !field(kAllowEdit).asLogical()) || !anyEditable() || nEditMode() == kEdit) return false;
    if (nEditMode() == kRead) setNum(kEditMode, kEdit);
    setNum(kRowSel, std::min(num(kRowSel), rowCount()));
    field(kMultiEdit) = true;
    XBrwColumn* first = nullptr;
    for (XBrwColumn* column : columns()) {
        if (!column->lVisible()) continue;
        const bool opened = rt::send(*column, "Edit", {Value(), Value(true)}).asLogical();
        if (opened && !first && column->nPos() > 0) first = column;
    }
    if (first) {
        ::SetFocus(reinterpret_cast<HWND>(first->openEditor()));
        return true;
    }
    const Value selected = SelectedCol({});
    if (rt::send(*this, "ChangeFocus", {selected, false}).asLogical() ||
        rt::send(*this, "ChangeFocus", {selected, true}).asLogical())
        return true;
    abandonEdit();
    return false;
}

Value XBrowse::Append(rt::Args args) {
    const bool user = rt::arg(args, 0).asLogical();
    if (editing() || !anyEditable() || (user && !field(kAllowAppend).asLogical())) return false;
    if (refusedBy(fireEvent(*this, OnAppend))) return false;
    if (num(kDataRows) < rowCount()) {
        drawLine(nullptr, false, num(kRowSel));
        const int64_t target = std::max<int64_t>(1, num(kDataRows));
        setNum(kRowSel, num(kRowSel) + source_->skip(target - num(kRowSel)));
        rt::send(*this, "KeyNo");
    } else {
        GoBottom({});
        drawLine(nullptr, false, num(kRowSel));
    }
    setNum(kEditMode, kAppend);
    if (num(kRowSel) == rowCount()) repaintAll();
    setNum(kPhantomRow, num(kRowSel) + 1);
    const bool opened = rt::send(*this, "RowEdit", {user}).asLogical();
    repaintAll();
    return opened;
}

Value XBrowse::Insert(rt::Args args) {
    const bool user = rt::arg(args, 0).asLogical();
    if (refusedBy(fireEvent(*this, OnInsert))) return false;
    if ((user && !rt::send(*this, "lAllowInsert").asLogical()) || editing() || !anyEditable()) return false;
    drawLine(nullptr, false, num(kRowSel));
    setNum(kEditMode, kInsert);
    setNum(kPhantomRow, num(kRowSel));
    repaintAll();
    const bool opened = rt::send(*this, "Edit", {user}).asLogical();
    if (!opened) repaintAll();
    return opened;
}

Value XBrowse::Delete(rt::Args) { return false; }

Value XBrowse::CancelEdit(rt::Args args) {
    if (!editing() || field(kOnPostEdit).asLogical()) return {};
    const Value& given = args.size() > 0 ? args[0] : Value();
    const rt::RefCell canceled =
        given.isReference() ? given.asReference() : std::make_shared<Value>(Value(given.deref().asLogical()));
    const Value key = number(rt::arg(args, 1).asInteger());
    const bool reset = givenOr(args, 2, true);
    const bool phantom = num(kPhantomRow) != 0;
    for (XBrwColumn* column : columns()) column->hideEditor();
    for (XBrwColumn* column : columns()) {
        if (!column->lEdited()) continue;
        sendIfUnderstood(Value(column->self()), "PostEdit", {Value::reference(canceled), key});
        if (reset) column->setEdited(false);
    }
    field(kOnPostEdit) = true;
    fireEvent(*this, OnPostEdit, {Value::reference(canceled), key});
    field(kOnPostEdit) = false;
    field(kMultiEdit) = false;
    setNum(kPhantomRow, 0);
    setNum(kEditMode, kRead);
    if (phantom) repaintAll();
    return {};
}

// ---------------------------------------------------------------- moving between editors

void XBrowse::scrollToEditor(XBrwColumn* target, bool backward) {
    auto shown = [&] { return target->nPos() > 0 && displayRow().isPositionVisible(target->nPos(), true); };
    if (!backward) {
        while (!shown()) {
            const int64_t before = num(kColOffset);
            GoRight(Vals{Value(true)});
            if (num(kColOffset) == before) break;
        }
        return;
    }
    while (!shown() && num(kColOffset) > 1) GoLeft(Vals{Value(true)});
}

Value XBrowse::ChangeFocus(rt::Args args) {
    const std::vector<XBrwColumn*> list = columns();
    if (list.empty()) return false;
    const bool backward = rt::arg(args, 1).asLogical();
    auto from = rt::objectAs<XBrwColumn>(rt::arg(args, 0));
    const auto at = std::find(list.begin(), list.end(), from.get());
    const size_t origin = at != list.end() ? static_cast<size_t>(at - list.begin()) : (backward ? 0 : list.size() - 1);
    std::vector<bool> eligible;
    for (XBrwColumn* column : list)
        eligible.push_back(column->lVisible() && column->nEditType() != 0 && column->editorReady());
    const std::optional<size_t> next = nextEditor(eligible, origin, backward);
    if (!next) return false;
    XBrwColumn* target = list[*next];
    const int64_t offset = num(kColOffset);
    if (!backward && *next <= origin) GoLeftMost({});
    scrollToEditor(target, backward);
    if (num(kColOffset) != offset || (!backward && *next <= origin)) UpdGridEdits({});
    if (target == from.get()) return false;
    if (const intptr_t editor = target->openEditor()) ::SetFocus(reinterpret_cast<HWND>(editor));
    return true;
}

Value XBrowse::UpdGridEdits(rt::Args) {
    if (!editing() || field(kOnPostEdit).asLogical()) return {};
    const DisplayRow row = displayRow();
    for (XBrwColumn* column : columns()) {
        if (column->nPos() > 0 && row.isPositionVisible(column->nPos())) {
            sendIfUnderstood(Value(column->self()), "SetGridEditBounds");
            if (column->nEditType() != 0 && column->showEditor()) column->setEdited(true);
        } else {
            column->hideEditor();
        }
    }
    return {};
}

}  // namespace vorpex
