#include "framework/browse/db_browse.h"

#include <windows.h>

#include <algorithm>

#include "framework/browse/browse_args.h"
#include "framework/browse/grid_gdi.h"
#include "framework/browse/model/follow.h"
#include "framework/core/control/control.h"
#include "framework/core/native/value_readers.h"
#include "framework/core/object/optional_send.h"
#include "framework/core/object/vp_class.h"
#include "framework/data/data_set/data_set.h"
#include "framework/data/data_set/error_trap.h"
#include "framework/data/data_source/data_errors.h"
#include "runtime/core/error.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "runtime/core/settings.h"

namespace vorpex {

using rt::Value;
using namespace browse;
using Set = data::XDataSet;

namespace {

using native::textOf;

bool logical(const Value& v) { return v.isLogical() && v.asLogical(); }
Value code(Set::Operation operation) { return Value(static_cast<int>(operation)); }

// The set's change notices off while the grid walks it, and back as they were afterwards.
class Muted {
public:
    explicit Muted(Value set) : set_(std::move(set)) {
        if (!set_.isObject()) return;
        was_ = rt::send(set_, "lUpdLinked");
        rt::send(set_, "_lUpdLinked", {Value(false)});
    }
    ~Muted() {
        if (set_.isObject()) rt::send(set_, "_lUpdLinked", {was_});
    }
    Muted(const Muted&) = delete;
    Muted& operator=(const Muted&) = delete;

private:
    Value set_, was_;
};

// A flag raised for one scope.
class Raised {
public:
    explicit Raised(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
    ~Raised() { flag_ = was_; }
    Raised(const Raised&) = delete;
    Raised& operator=(const Raised&) = delete;

private:
    bool& flag_;
    bool was_;
};

void beep() {
    if (const rt::Function* f = rt::findFunction("MSGBEEP"))
        (*f)({});
    else
        MessageBeep(MB_OK);
}

}  // namespace

const rt::Class& XDBBrowse::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XDBBrowse", &TBrowse::classRecord(), rt::factoryOf<XDBBrowse>());
        kDataSet = b.addProperty({.name = "oDataSet", .type = "O", .scope = Published, .setter = "SetDataSet"});
        kAutoOrderProp = b.addProperty({.name = "lAutoOrder", .initial = false, .type = "L", .scope = Published,
                                        .setter = "SetAutoOrder"});
        kAutoSave = b.addProperty({.name = "lAutoSave", .initial = true, .type = "L", .scope = Published});
        kOrgFilter = b.addData("cOrgFilter", Value(), "", Exported);
        kOnFilter = b.addData("lOnFilter", false, "L", Protected);
        kKeyBoard = b.addData("lKeyBoard", false, "L", Protected);
        kOnSeek = b.addData("lOnSeek", false, "L", Protected);
        addMembers<XDBBrowse>(b);
        return b.create();
    }();
    return c;
}

void registerDBBrowse() {
    TDBBrowse::classRecord();
    TDBBrwColumn::classRecord();
    TDbfBrwColumn::classRecord();
}

// ---------------------------------------------------------------- the set

Value XDBBrowse::openSet() const {
    const Value& set = field(kDataSet);
    return set.isObject() && logical(rt::send(set, "lOpen")) ? set : Value();
}

bool XDBBrowse::boundHere(const Value& browse) const { return browse.asObject().get() == this; }

bool XDBBrowse::setIs(const char* query) const {
    const Value set = openSet();
    return set.isObject() && logical(rt::send(set, query));
}

Value XDBBrowse::Create(rt::Args args) {
    XBrowse::Create(args);
    if (field(kDataSet).isObject()) SetDataSet(Vals{field(kDataSet)});
    return selfObject();
}

// Only a filter the filter bar put on the set is taken off: one the program set stays.
Value XDBBrowse::Free(rt::Args args) {
    const Value set = openSet();
    if (set.isObject() && barFiltered_)
        rt::send(set, "Filter", {field(kOrgFilter).isString() ? field(kOrgFilter) : Value(""), Value(false),
                                 Value(false), Value(true)});
    SetDataSet(Vals{Value(), Value(false)});
    return XBrowse::Free(args);
}

Value XDBBrowse::SetDataSet(rt::Args args) {
    const Value set = rt::arg(args, 0), old = field(kDataSet);
    const bool refresh = givenOr(args, 1, true);
    const Value me = Value::weak(self());
    if (!windowExists()) {
        field(kDataSet) = set;
        if (set.isObject()) rt::send(set, "_oDBBrowse", {me});
        return set;
    }
    if (old.isObject() && boundHere(rt::send(old, "oDBBrowse"))) rt::send(old, "_oDBBrowse", {Value()});
    field(kDataSet) = set;
    if (!set.isObject()) {
        Reset({});
        if (refresh) Refresh(Vals{Value(true)});
        return set;
    }
    if (!old.sameAs(set)) Reset({});
    rt::send(set, "_oDBBrowse", {me});
    if (openSet().isObject()) {
        field(kOrgFilter) = rt::send(set, "Filter", {Value(), Value(false), Value(false)});
        if (columns().empty())
            makeColumns(set);
        else
            bindColumns(set);
        SetAutoOrder(Vals{field(kAutoOrderProp)});
    }
    GetDisplayCols(Vals{Value(true)});
    Refresh(Vals{Value(true)});
    return set;
}

void XDBBrowse::makeColumns(const Value& set) {
    const Value list = rt::send(set, "aFields");
    if (!list.isArray()) return;
    for (const Value& f : std::vector<Value>(list.asArray()->items)) {
        const Value column = createByClassName("TDBBrwColumn", "New", {selfObject()});
        rt::send(column, "_cHeader", {rt::send(f, "cDisplayName")});
        rt::send(column, "_nAlignment", {Value(textOf(rt::send(f, "cType")) == "N" ? 2 : 0)});
        rt::send(column, "SetFieldObject", {f, Value(false)});
        AddCol(Vals{column});
    }
}

// Columns of another kind cannot read a field: the program hears of it through the error handler.
void XDBBrowse::bindColumns(const Value& set) {
    (void)set;
    int64_t n = 0;
    for (XBrwColumn* column : columns()) {
        ++n;
        auto* dbColumn = dynamic_cast<XDBBrwColumn*>(column);
        if (!dbColumn) {
            rt::Error e;
            e.genCode = rt::eg::Arg;
            e.subSystem = "VORPEX:SetDataSet";
            e.severity = rt::severity::Error;
            e.description = "Incorrect Browse Column type, should be KindOf('TDBBrwColumn') ";
            e.operation = "Column: " + std::to_string(n);
            e.canDefault = true;
            rt::raise(e);
            continue;
        }
        const Value given = rt::send(*dbColumn, "oDataField");
        if (given.isString()) rt::send(*dbColumn, "SetFieldObject", {given, Value(false)});
    }
}

Value XDBBrowse::ResetDataField(rt::Args) {
    for (XBrwColumn* column : columns()) sendIfUnderstood(Value(column->self()), "ResetDataField");
    if (windowExists()) Refresh(Vals{Value(true)});
    return {};
}

Value XDBBrowse::SetAutoOrder(rt::Args args) {
    const bool on = logical(rt::arg(args, 0));
    field(kAutoOrderProp) = on;
    setAutoOrderFlag(on);
    if (!on) clearSortMarks();
    return on;
}

void XDBBrowse::clearSortMarks() {
    for (XBrwColumn* column : columns()) rt::send(*column, "_nSort", {Value(0)});
}

Value XDBBrowse::AddCol(rt::Args args) {
    if (!rt::arg(args, 0).isNil()) return XBrowse::AddCol(args);
    const Value column = createByClassName("TDBBrwColumn", "New", {selfObject()});
    return XBrowse::AddCol(Vals{column, rt::arg(args, 1)});
}

Value XDBBrowse::InsCol(rt::Args args) {
    if (!rt::arg(args, 1).isNil()) return XBrowse::InsCol(args);
    const Value column = createByClassName("TDBBrwColumn", "New", {selfObject()});
    return XBrowse::InsCol(Vals{rt::arg(args, 0), column, rt::arg(args, 2)});
}

// ---------------------------------------------------------------- the row source

// The grid's own walks (painting, counting rows above, selecting) move the set quietly: only a move that
// ends on another record tells the set's controls, once, at its end.
template <class SetAnswer, class Own>
Value XDBBrowse::hook(const EventRef& event, std::initializer_list<Value> eventArgs, SetAnswer fromSet, Own own) {
    const Value answer = fireEvent(*this, event, eventArgs);
    if (!answer.isNil()) return answer;
    const Value set = openSet();
    return set.isObject() ? fromSet(set) : own();
}

Value XDBBrowse::MoveTop(rt::Args args) {
    return hook(OnGoTop, {}, [](const Value& s) { return rt::send(s, "GoTop", {Value(false)}); },
                [&] { return XBrowse::MoveTop(args); });
}

Value XDBBrowse::MoveBottom(rt::Args args) {
    return hook(OnGoBottom, {}, [](const Value& s) { return rt::send(s, "GoBottom", {Value(false)}); },
                [&] { return XBrowse::MoveBottom(args); });
}

// Never onto the set's end-of-file record: a skip that runs off the last record comes back to it.
Value XDBBrowse::Skip(rt::Args args) {
    const Value n = rt::arg(args, 0).isNil() ? Value(1) : rt::arg(args, 0);
    const Value set = openSet();
    if (set.isObject() && !boundHere(rt::send(set, "oDBBrowse"))) {
        data::logDebug("VORPEX DBBrowse: TDataSet object is pointing to another TDBBrowse");
        return Value(0);
    }
    return hook(OnSkip, {n},
                [&](const Value& s) {
                    const Value moved = rt::send(s, "nSkip", {n, Value(false)});
                    if (n.asInteger() > 0 && logical(rt::send(s, "Eof")))
                        rt::send(s, "nSkip", {Value(-1), Value(false)});
                    return moved;
                },
                [&] { return XBrowse::Skip(args); });
}

Value XDBBrowse::IsEof(rt::Args args) {
    return hook(OnEof, {}, [](const Value& s) { return rt::send(s, "Eof"); }, [&] { return XBrowse::IsEof(args); });
}

Value XDBBrowse::IsBof(rt::Args args) {
    return hook(OnBof, {}, [](const Value& s) { return rt::send(s, "Bof"); }, [&] { return XBrowse::IsBof(args); });
}

Value XDBBrowse::BookMark(rt::Args args) {
    const Value record = rt::arg(args, 0);
    return hook(OnBookMark, {record},
                [&](const Value& s) {
                    if (!record.isNil()) rt::send(s, "GoTo", {record, Value(false)});
                    return rt::send(s, "Recno");
                },
                [&] { return XBrowse::BookMark(args); });
}

Value XDBBrowse::KeyNo(rt::Args args) {
    const Value key = rt::arg(args, 0);
    const Value answer = hook(OnKeyNo, {key},
                              [&](const Value& s) {
                                  if (key.isNil()) return rt::send(s, "KeyNo");
                                  rt::send(s, "KeyGoto", {key, Value(false)});
                                  return Value(settleOnVisible());
                              },
                              [&] { return XBrowse::KeyNo(args); });
    setKeyNo(answer.isNumber() ? answer.asInteger() : 1);
    return answer;
}

// A key position can name a record the set hides (a deleted record while deleted ones are hidden, one a filter
// leaves out, in natural order above all): the grid takes the visible record at or before it, or the first
// after it when none is before.
int64_t XDBBrowse::settleOnVisible() {
    const Value set = openSet();
    rt::send(set, "nSkip", {Value(1), Value(false)});
    rt::send(set, "nSkip", {Value(-1), Value(false)});
    return rt::send(set, "KeyNo").asInteger();
}

Value XDBBrowse::KeyCount(rt::Args args) {
    const Value answer = hook(OnKeyCount, {}, [](const Value& s) { return rt::send(s, "KeyCount"); },
                              [&] { return XBrowse::KeyCount(args); });
    setLen(answer.isNumber() ? answer.asInteger() : 0);
    return answer;
}

// ---------------------------------------------------------------- moves through the set

Value XDBBrowse::moveSet(const char* message, std::initializer_list<Value> args, Value (XBrowse::*own)(rt::Args),
                         rt::Args ownArgs) {
    const Value set = openSet();
    if (!set.isObject()) return (this->*own)(ownArgs);
    cancelEdit();
    rt::send(set, message, args);
    return {};
}

Value XDBBrowse::GoTop(rt::Args args) { return moveSet("GoTop", {}, &XBrowse::GoTop, args); }
Value XDBBrowse::GoBottom(rt::Args args) { return moveSet("GoBottom", {}, &XBrowse::GoBottom, args); }

Value XDBBrowse::GoUp(rt::Args args) {
    if (openSet().isObject() && nEditMode() >= kAppend) {  // leaving a new row ends its edit, nothing more
        cancelEdit();
        return {};
    }
    return moveSet("nSkip", {Value(-1)}, &XBrowse::GoUp, args);
}

Value XDBBrowse::GoDown(rt::Args args) {
    field(kKeyBoard) = logical(rt::arg(args, 0));
    return moveSet("nSkip", {Value(1)}, &XBrowse::GoDown, args);
}

Value XDBBrowse::GoPageUp(rt::Args args) {
    const int64_t rows = rt::arg(args, 0).isNumber() ? rt::arg(args, 0).asInteger() : rowCount();
    return moveSet("nSkip", {Value(-rows)}, &XBrowse::GoPageUp, args);
}

Value XDBBrowse::GoPageDown(rt::Args args) {
    const int64_t rows = rt::arg(args, 0).isNumber() ? rt::arg(args, 0).asInteger() : rowCount();
    return moveSet("nSkip", {Value(rows)}, &XBrowse::GoPageDown, args);
}

Value XDBBrowse::GoTo(rt::Args args) { return Goto(args); }

// The scroll thumb: the grid places the set itself, then the set's other controls (the edits, a navigator)
// show the record the grid now shows.
Value XDBBrowse::Goto(rt::Args args) {
    const Value set = openSet();
    if (!set.isObject()) return XBrowse::GoTo(args);
    const Value key = rt::arg(args, 0);
    const bool events = givenOr(args, 1, true);
    if (nLen() < 1) return {};
    if (auto* typed = dynamic_cast<Set*>(set.asObject().get()); typed && events)
        fireEvent(*typed, Set::OnPreChange, {code(Set::kGoTo), key});
    {
        Raised own(ownMove_);
        Muted muted(set);
        XBrowse::GoTo(Vals{key});
    }
    tellLinked(Set::kGoTo, key, events);
    return {};
}

void XDBBrowse::tellLinked(int operation, const Value& p1, bool events) {
    const Value set = openSet();
    if (!set.isObject()) return;
    Raised own(ownMove_);
    if (events) {
        rt::send(set, "UpdateControls", {Value(operation), p1});
        return;
    }
    const Value linked = rt::send(set, "aLinkedControls");
    for (const Value& c : linked.isArray() ? linked.asArray()->items : std::vector<Value>{})
        sendIfUnderstood(c, "Refresh", {Value(), Value(operation), p1});
}

// A click on another row moves the set through the grid's own walk; the set's controls follow once.
Value XDBBrowse::WMLButtonDown(rt::Args args) {
    const Value set = openSet();
    if (!set.isObject()) return XBrowse::WMLButtonDown(args);
    const Value before = rt::send(set, "Recno");
    Value answer;
    {
        Raised own(ownMove_);
        answer = XBrowse::WMLButtonDown(args);
    }
    const Value after = rt::send(set, "Recno");
    if (!after.sameAs(before)) tellLinked(Set::kGoTo, after, true);
    return answer;
}

// ---------------------------------------------------------------- the set's notices

Value XDBBrowse::DSNavigate(rt::Args args) {
    if (ownMove_ || !windowExists()) return {};
    const Value set = openSet();
    const int operation = rt::arg(args, 0).asInt();
    const Value p1 = rt::arg(args, 1), p2 = rt::arg(args, 2);
    cancelEdit();
    rt::send(*this, "Seek");
    bool backFromEnd = false;
    {
        Muted muted(set);
        // A skip past the last record leaves the set on its end-of-file record: the grid shows the last one.
        if (operation == Set::kSkip && p1.asInteger() > 0 && set.isObject() && logical(rt::send(set, "Eof")) &&
            rt::send(set, "KeyCount").asInteger() > 0) {
            rt::send(set, "nSkip", {Value(-1), Value(false)});
            backFromEnd = true;
        }
        follow(operation, p1, p2);
    }
    if (backFromEnd) tellLinked(Set::kRefreshCurrent, Value(), false);
    return {};
}

void XDBBrowse::follow(int operation, const Value& p1, const Value& p2) {
    const auto followWith = [this](auto step) {
        onView([&](Viewport& view) {
            Follower follower(rowSource(), gridPort(), view);
            step(follower);
        });
    };
    switch (operation) {
        case Set::kGoTop: followWith([](Follower& f) { f.toTop(); }); break;
        case Set::kGoBottom: followWith([](Follower& f) { f.toBottom(); }); break;
        case Set::kGoTo:
        case Set::kKeyGoto: followWith([](Follower& f) { f.jumped(); }); break;
        case Set::kSkip: {
            const bool keyboard = field(kKeyBoard).asLogical();
            field(kKeyBoard) = false;
            followWith([&](Follower& f) { f.skipped(p1.asInteger(), p2.asInteger(), keyboard); });
            break;
        }
        case Set::kSeek:
        case Set::kLocate:
            logical(p2) ? Refresh(Vals{Value(false)}) : RefreshCurrent({});
            break;
        case Set::kContinue: logical(p1) ? Refresh(Vals{Value(false)}) : RefreshCurrent({}); break;
        case Set::kDeleted:
            afterDelete();
            Refresh(Vals{Value(false)});
            break;
        case Set::kAppended:
        case Set::kRefresh: Refresh(Vals{Value(false)}); break;
        case Set::kPosted:
        case Set::kRefreshCurrent: RefreshCurrent({}); break;
        case Set::kWholeSet:
        case Set::kRefreshFull: Refresh(Vals{Value(true)}); break;
        default: break;
    }
}

// A deleted record the set hides leaves the grid on the next visible one, or on the last.
void XDBBrowse::afterDelete() {
    const Value set = openSet();
    if (!set.isObject() || !rt::settings().deleted) return;
    while (logical(rt::send(set, "Deleted")) && !logical(rt::send(set, "Eof")))
        rt::send(set, "nSkip", {Value(1), Value(false)});
    if (logical(rt::send(set, "Eof"))) rt::send(set, "GoBottom", {Value(false)});
}

// ---------------------------------------------------------------- sorting, filtering, seeking

Value XDBBrowse::Sort(rt::Args args) {
    const Value set = openSet();
    auto column = rt::objectAs<XDBBrwColumn>(rt::arg(args, 0));
    if (!set.isObject() || !column) return false;
    const Value f = column->boundField();
    if (f.isNil()) return false;
    std::string expression = column->cSortEval();
    if (expression.empty()) expression = textOf(rt::send(f, "cName"));
    const bool ascending = column->nSort() <= 0;
    if (!ascending) expression += " DESC";
    if (!logical(rt::send(set, "Sort", {Value(expression), Value(false)}))) return false;
    clearSortMarks();
    rt::send(*column, "_nSort", {Value(ascending ? 1 : -1)});
    Refresh(Vals{Value(true)});
    return true;
}

// The filter bar's terms joined to the set's own filter; a condition the engine cannot take beeps, clears that
// column's text and puts the set's own filter back.
Value XDBBrowse::SetFilter(rt::Args args) {
    const Value set = openSet();
    if (!set.isObject() || field(kOnFilter).asLogical()) return {};
    field(kOnFilter) = true;
    const Value column = rt::arg(args, 0);
    if (field(kOrgFilter).isNil()) field(kOrgFilter) = rt::send(set, "Filter", {Value(), Value(false), Value(false)});
    const std::string own = textOf(field(kOrgFilter));
    std::string condition = own;
    if (logical(rt::send(*this, "lFilterBar"))) {
        condition = textOf(rt::send(set, "GetFilterExp", {selfValue()}));
        if (condition.empty()) condition = own;
    }
    const auto apply = [&](const std::string& c) {
        data::ErrorTrap trap;
        rt::send(set, "Filter", {Value(c), Value(false), Value(false), Value(true)});
        rt::send(set, "GoTop", {Value(false)});
        const bool taken = textOf(rt::send(set, "Filter", {Value(), Value(false), Value(false)})) == c;
        return taken && !trap.caught;
    };
    barFiltered_ = condition != own;
    if (!apply(condition)) {
        beep();
        if (const Value failed = ColAtPos(Vals{column}); failed.isObject()) {
            if (rt::understands(failed, rt::Symbol::intern("ClearFilter")))
                rt::send(failed, "ClearFilter");
            else
                rt::send(failed, "_cFilter", {Value("")});
        }
        apply(own);
        barFiltered_ = false;
    }
    fireEvent(*this, OnFilterChange, {column});
    fireChange(true);
    Refresh(Vals{Value(true)});
    tellLinked(Set::kWholeSet, Value(), false);
    field(kOnFilter) = false;
    return {};
}

Value XDBBrowse::FilterEdit(rt::Args args) {
    const Value refused = XBrowse::FilterEdit(args);
    if (refused.isLogical()) return refused;
    const int64_t position = headerItemPos(rt::arg(args, 1).asInteger());
    if (position <= 0) return false;
    const Value column = ColAtPos(Vals{Value(position)});
    auto dbColumn = rt::objectAs<XDBBrwColumn>(column);
    const bool own = column.isObject() && !textOf(rt::send(column, "FilterEval")).empty();
    if (!own && (!dbColumn || dbColumn->boundField().isNil())) return refuseFilter();
    return {};
}

// The program's OnSeek moves the set, which tells its controls; the grid then places the found record itself.
Value XDBBrowse::Seek(rt::Args args) {
    if (!openSet().isObject()) return XBrowse::Seek(args);
    Raised own(ownMove_);
    field(kOnSeek) = true;
    const Value answer = XBrowse::Seek(args);
    field(kOnSeek) = false;
    return answer;
}

Value XDBBrowse::AdjustColWidth(rt::Args args) {
    const Value set = openSet();
    if (!set.isObject() || !logical(rt::send(*this, "lAllowColSizing"))) return {};
    const Value x = rt::arg(args, 1);
    // A header's divider names its item, the record selector's included.
    const Value column = x.isObject() ? x : ColAtPos(Vals{number(headerItemPos(x.asInteger()))});
    auto typed = rt::objectAs<XBrwColumn>(column);
    if (!typed) return {};
    const std::string header = typed->cHeader();
    int64_t width = header.empty() ? 10 : textWidth(reinterpret_cast<HFONT>(headerFont()), header) + 10;
    {
        Muted muted(set);
        RowSource& rows = rowSource();
        const Value back = rows.bookmark();
        rows.skip(1 - nRowSel());
        for (int64_t row = 0; row < std::max<int64_t>(nDataRows(), 1); ++row) {
            width = std::max(width, rt::send(column, "DataWidth").asInteger());
            if (rows.skip(1) != 1) break;
        }
        rows.gotoBookmark(back);
    }
    rt::send(column, "SetWidth", {Value(width + 10)});
    return {};
}

// ---------------------------------------------------------------- the edit cycle

Value XDBBrowse::Edit(rt::Args args) {
    const Value set = openSet();
    if (!set.isObject() || setIs("IsReadOnly") || rt::send(set, "Recno").asInteger() == 0) return false;
    if (autoSave() && !logical(rt::send(set, "lOnEdit")) && !logical(rt::send(set, "Edit"))) return false;
    if (XBrowse::Edit(args).asLogical()) return true;
    if (autoSave()) rt::send(set, "Cancel");
    return false;
}

// An append that opens no editor leaves the set browsing: the Down key on the last record of a grid nobody can
// type in never starts a new record.
Value XDBBrowse::Append(rt::Args args) {
    const Value set = openSet();
    if (!set.isObject() || setIs("IsReadOnly")) return false;
    if (!XBrowse::Append(args).asLogical()) return false;
    if (!autoSave() || logical(rt::send(set, "AddNew"))) return true;
    XBrowse::CancelEdit(Vals{Value(true)});
    return false;
}

Value XDBBrowse::Insert(rt::Args args) { return Append(args); }

// The row count is read back from the set: an append that was posted counts once, one that was cancelled or
// refused not at all.
Value XDBBrowse::CancelEdit(rt::Args args) {
    const Value set = openSet();
    if (!set.isObject() || nEditMode() == kRead) return XBrowse::CancelEdit(args);
    const bool appending = nEditMode() == kAppend;
    const Value linked = rt::send(set, "aLinkedControls");
    for (const Value& c : linked.isArray() ? linked.asArray()->items : std::vector<Value>{})
        sendIfUnderstood(c, "SetData");
    XBrowse::CancelEdit(args);
    if (autoSave() && (logical(rt::send(set, "lOnEdit")) || logical(rt::send(set, "lOnAppend"))))
        rt::send(set, logical(rt::arg(args, 0).deref()) ? "Cancel" : "Update");
    for (XBrwColumn* column : columns()) {
        sendIfUnderstood(rt::send(*column, "oGridEdit"), "_oDataSet", {Value()});
        column->setEdited(false);
    }
    if (appending) {
        Refresh(Vals{Value(false)});
        fireChange(true);
    }
    refreshDrawn(false);
    return {};
}

Value XDBBrowse::Delete(rt::Args args) {
    const Value set = openSet();
    const bool force = logical(rt::arg(args, 0));
    if (!(force || logical(rt::send(*this, "lAllowDelete"))) || !set.isObject() || setIs("IsReadOnly"))
        return false;
    const Value veto = fireEvent(*this, OnDelete);
    if (veto.isLogical() && !veto.asLogical()) return false;
    if (!logical(rt::send(set, "Delete"))) return false;
    fireChange(true);
    return true;
}

}  // namespace vorpex
