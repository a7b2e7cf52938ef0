// The edit cycle of a DBF data set: edit and append modes over the buffer aFldEdit, posting it under a record
// lock, cancelling, deleting and reusing deleted records, and the lock and append loops that wait for other
// users. An edit never leaves a lock behind that it took, and a failed or vetoed append leaves no blank record.
#include <optional>
#include <vector>

#include "framework/core/native/value_readers.h"
#include "framework/core/object/event.h"
#include "framework/core/texts/texts.h"
#include "framework/data/data_set/current_area.h"
#include "framework/data/data_set/dbf_data_set.h"
#include "framework/data/data_set/error_trap.h"
#include "framework/data/data_set/lock_wait.h"
#include "framework/data/data_source/data_errors.h"
#include "runtime/core/error.h"
#include "runtime/core/send.h"
#include "runtime/core/settings.h"
#include "runtime/core/symbol.h"
#include "runtime/lib/display.h"
#include "runtime/rdd/work_areas.h"

namespace vorpex::data {

namespace {

using native::isFalse;
using native::textOf;

using rt::rdd::WorkArea;
using rt::rdd::WorkAreas;

// Sets a flag for the length of a scope, also when an event handler breaks out of it.
class FlagScope {
public:
    FlagScope(std::function<void(bool)> set) : set_(std::move(set)) { set_(true); }
    ~FlagScope() { set_(false); }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    std::function<void(bool)> set_;
};

}  // namespace

int64_t XDbfDataSet::recno() { return Recno({}).asInteger(); }

bool XDbfDataSet::holdsLock(int64_t n) {
    return area() && n > 0 && inArea([n] { return rt::Value(currentArea().isLocked(static_cast<uint32_t>(n))); })
                                  .asLogical();
}

bool XDbfDataSet::waitWithAlerts(const rt::Value& timeOut, const std::function<bool()>& attempt, int alertText,
                                 int titleText) {
    const rt::Value source = oDataSource();
    const double every = source.isObject() ? rt::send(source, "nTimeOut").asDouble() : 0;
    LockWait wait;
    wait.timeOut = timeOut.isNumber() ? timeOut.asDouble() : every;
    wait.alertEvery = every;
    wait.attempt = attempt;
    wait.alert = [&] { alertUser(texts::LT(alertText), texts::LT(titleText) + " " + cAlias()); };
    return waitFor(wait);
}

bool XDbfDataSet::lockRecord(int64_t n, const rt::Value& timeOut) {
    if (!area() || n < 1 || n > UINT32_MAX) return false;
    const bool locked = waitWithAlerts(timeOut, [&] {
        return inArea([n] { return rt::Value(currentArea().lockRecord(static_cast<uint32_t>(n))); }).asLogical();
    }, 32884, 32883);
    if (!locked) reportText(32885);
    return locked;
}

void XDbfDataSet::unlockRecord(int64_t n) {
    if (!area() || n < 1 || n > UINT32_MAX) return;
    inArea([n] {
        currentArea().unlockRecord(static_cast<uint32_t>(n));
        return rt::Value();
    });
}

// ---- locks

rt::Value XDbfDataSet::RecLock(rt::Args args) {
    const rt::Value n = rt::arg(args, 0);
    return rt::Value(lockRecord(n.isNumber() ? n.asInteger() : recno(), rt::arg(args, 1)));
}

// Only the current record is read again: going to another one would move the set behind its controls' backs.
rt::Value XDbfDataSet::RecUnLock(rt::Args args) {
    const rt::Value given = rt::arg(args, 0);
    const int64_t n = given.isNumber() ? given.asInteger() : recno();
    unlockRecord(n);
    if (area() && n == recno()) {
        const rt::Value again[] = {rt::Value(n), rt::Value(false)};
        GoTo(rt::Args(again, 2));
    }
    return rt::Value(true);
}

rt::Value XDbfDataSet::FilLock(rt::Args args) {
    if (!area()) return rt::Value(false);
    const bool locked = waitWithAlerts(rt::arg(args, 0), [&] {
        return inArea([] { return rt::Value(currentArea().lockFile()); }).asLogical();
    }, 32887, 32886);
    if (!locked) reportText(32888);
    return rt::Value(locked);
}

rt::Value XDbfDataSet::FilUnlock(rt::Args) {
    inArea([] {
        currentArea().unlockAll();
        return rt::Value();
    });
    return rt::Value(true);
}

rt::Value XDbfDataSet::IsRecordLocked(rt::Args) { return rt::Value(holdsLock(recno())); }

// ---- modes

rt::Value XDbfDataSet::AddNew(rt::Args args) {
    if (readOnly()) {
        setEditRecord(0);
        reportText(32878);
        return rt::Value(false);
    }
    setFast(false);
    fireEvent(*this, OnAddNew);
    if (!isFalse(rt::arg(args, 0))) Blank({});
    setEditRecord(-1);
    tellControls("GetData");
    tellControls("UnLock");
    return rt::Value(true);
}

rt::Value XDbfDataSet::Edit(rt::Args args) {
    if (!area() || recno() == 0 || Eof({}).asLogical()) {
        reportText(32879);
        return rt::Value(false);
    }
    if (readOnly()) {
        setEditRecord(0);
        reportText(32880);
        return rt::Value(false);
    }
    const int64_t r = recno();
    setEditRecord(0);
    if (rt::arg(args, 0).asLogical() && !lockRecord(r, {})) return rt::Value(false);
    setFast(false);
    fireEvent(*this, OnEdit);
    Load({});
    setEditRecord(r);
    tellControls("UnLock");
    return rt::Value(true);
}

// The lock an edit took goes with it: Edit(.T.), FastEdit and Update's own lock alike.
rt::Value XDbfDataSet::Cancel(rt::Args) {
    fireEvent(*this, OnCancel);
    if (nEditRecord() == 0) {
        reportText(32882);
        return rt::Value(false);
    }
    if (nEditRecord() > 0) unlockRecord(nEditRecord());
    setEditRecord(0);
    setFast(false);
    tellControls("Lock");
    tellControls("Refresh");
    DelTempControls({});
    return rt::Value(true);
}

rt::Value XDbfDataSet::abandon() {
    Cancel({});
    return rt::Value(false);
}

// An append asks OnPreSave before the record exists, so that a veto leaves nothing behind; a record that
// could not be filled is blanked and deleted.
rt::Value XDbfDataSet::Update(rt::Args args) {
    if (nEditRecord() == 0) return rt::Value(false);
    const bool events = !isFalse(rt::arg(args, 0));
    const int64_t r = recno();
    const bool appending = nEditRecord() == -1;
    if (!appending && nEditRecord() != r) {
        reportText(32903);
        return abandon();
    }
    fireEvent(*this, OnUpdate);
    if (linkedControls().empty() && !Modified({}).asLogical())
        logDebug("VORPEX: TDbfDataSet:aLinkedControls EMPTY. Nothing to update.");
    tellControls("Lock");
    int64_t posted = r;
    if (appending) {
        if (!prepareSave(events) || !bufferFits(fieldsToWrite(false))) return abandon();
        const rt::Value call[] = {rt::Value(), rt::Value(), rt::Value(events)};
        if (!Append(rt::Args(call, 3)).asLogical()) return abandon();
        posted = recno();
        if (!writeBuffer(false, true, events)) {
            dropAppended(posted);
            return abandon();
        }
    } else {
        if (!lockRecord(r, {})) return abandon();
        const rt::Value call[] = {rt::Value(), rt::Value(), rt::Value(events)};
        if (!Save(rt::Args(call, 3)).asLogical()) return abandon();
    }
    setEditRecord(0);
    Load({});
    if (events) {
        if (appending)
            rt::send(*this, "UpdateControls", {rt::Value(static_cast<int>(kAppended)), rt::Value(posted), rt::Value(r)});
        else
            rt::send(*this, "UpdateControls", {rt::Value(static_cast<int>(kPosted)), rt::Value(r)});
    }
    DelTempControls({});
    return rt::Value(true);
}

rt::Value XDbfDataSet::Save(rt::Args args) {
    const bool events = !isFalse(rt::arg(args, 2));
    if (!prepareSave(events)) return rt::Value(false);
    return rt::Value(writeBuffer(rt::arg(args, 0).asLogical(), !isFalse(rt::arg(args, 1)), events));
}

bool XDbfDataSet::prepareSave(bool events) {
    tellControls("SetData");
    return !(events && isFalse(fireEvent(*this, OnPreSave)));
}

rt::Value XDbfDataSet::bufferAt(size_t i) {
    const rt::Value& buffer = editBuffer();
    return buffer.isArray() && i >= 1 && i <= buffer.asArray()->items.size() ? buffer.asArray()->items[i - 1]
                                                                              : rt::Value();
}

std::vector<int> XDbfDataSet::fieldsToWrite(bool all) {
    const std::vector<rt::Value> list = fields();
    std::vector<int> numbers;
    for (size_t i = 0; i < list.size(); ++i)
        if (all || rt::send(list[i], "lModified").asLogical()) numbers.push_back(static_cast<int>(i) + 1);
    return numbers;
}

// Values the table would refuse are found before anything is written, so a record is never half saved.
bool XDbfDataSet::bufferFits(const std::vector<int>& numbers) {
    bool fits = true;
    for (int n : numbers) {
        const rt::Value v = bufferAt(n);
        if (inArea([&] { return rt::Value(currentArea().accepts(n, v)); }).asLogical()) continue;
        refuseWrite(n, v, "Data type error");
        fits = false;
    }
    return fits;
}

bool XDbfDataSet::writeBuffer(bool all, bool unlock, bool events) {
    const int64_t r = recno();
    if (!area()) return false;
    const std::vector<int> numbers = fieldsToWrite(all);
    if (!bufferFits(numbers)) return false;
    const bool tookLock = field(kShared).asLogical() && !holdsLock(r);
    if (tookLock && !lockRecord(r, {})) return false;
    bool ok = true;
    {
        FlagScope updating([this](bool on) { setOnUpdate(on); });
        for (const rt::Value& f : std::vector<rt::Value>(userFields())) {
            if (!all && !rt::send(f, "lModified").asLogical()) continue;
            const rt::Value v = rt::send(f, "Value");
            if (!v.isNil()) rt::send(f, "_Value", {v});
        }
        for (int n : numbers) ok = writeField(n, bufferAt(n)) && ok;
    }
    const rt::Value again[] = {rt::Value(r), rt::Value(false)};
    GoTo(rt::Args(again, 2));
    if (unlock || (!ok && tookLock)) unlockRecord(r);
    if (ok && events) fireEvent(*this, OnPostSave);
    return ok;
}

void XDbfDataSet::refuseWrite(int n, const rt::Value& value, const std::string& why) {
    const rt::ObjectPtr f = fieldAt(n);
    const std::string name = f ? textOf(rt::send(*f, "cName")) : std::string();
    const std::string type = f ? textOf(rt::send(*f, "cType")) : std::string();
    const std::string message = "VORPEX Fieldput error: " + why + " on field '" + name + "'. Expected type '" +
                                type + "', got type '" + std::string(1, value.typeCode()) + "' (" +
                                rt::displayText(value) + ")";
    logDebug(message);
    rt::send(*this, "NewError", {rt::Value(message)});
}

bool XDbfDataSet::writeField(int n, const rt::Value& value) {
    std::optional<rt::Error> refused;
    const bool written = inArea([&] {
                             ErrorTrap trap;
                             const bool ok = currentArea().fieldPut(static_cast<size_t>(n), value);
                             refused = trap.caught;
                             return rt::Value(ok);
                         }).asLogical();
    if (!written) refuseWrite(n, value, refused ? refused->description : std::string("Write refused"));
    return written;
}

// A write outside an edit on a shared table takes the record's lock for the moment of the write.
bool XDbfDataSet::writeLocked(int n, const rt::Value& value) {
    const int64_t r = recno();
    const bool needsLock = field(kShared).asLogical() && !holdsLock(r) &&
                           !inArea([] { return rt::Value(currentArea().fileLocked()); }).asLogical();
    if (needsLock && !lockRecord(r, {})) return false;
    const bool ok = writeField(n, value);
    if (needsLock) unlockRecord(r);
    return ok;
}

rt::Value XDbfDataSet::FieldPut(rt::Args args) {
    const int n = rt::arg(args, 0).asInt();
    const rt::Value value = rt::arg(args, 1);
    if (!fieldAt(n) || !area()) return {};
    if (nEditRecord() != 0 && !lOnUpdate() && !lFast()) {
        rt::Value& buffer = editBuffer();
        if (!buffer.isArray()) buffer = rt::Value::array();
        auto& items = buffer.asArray()->items;
        if (items.size() < fields().size()) items.resize(fields().size());
        items[n - 1] = value;
    } else if (!writeLocked(n, value)) {
        return {};
    }
    if (!lFast() && !lOnUpdate() && !rt::arg(args, 2).asLogical())
        rt::send(*this, "UpdDataControlValue", {rt::Value(n), value});
    return value;
}

// ---- deleting and reusing

rt::Value XDbfDataSet::Delete(rt::Args args) {
    if (!area()) return rt::Value(false);
    const rt::Value given = rt::arg(args, 0);
    if (given.isNumber() && given.asInteger() != recno()) {
        const rt::Value to[] = {given, rt::Value(false)};
        GoTo(rt::Args(to, 2));
    }
    if (Eof({}).asLogical()) return rt::Value(false);
    const bool events = !isFalse(rt::arg(args, 1));
    const int64_t r = recno();
    if (events) {
        if (isFalse(fireEvent(*this, OnPreDelete))) return rt::Value(false);
        rt::send(*this, "ChangePos", {rt::Value(static_cast<int>(kDeleted)), rt::Value(r)});
    }
    const bool done = field(kReUseDel).asLogical() ? blankAndDelete(r) : deleteLocked(r);
    if (!done) return rt::Value(false);
    if (events) {
        rt::send(*this, "UpdateControls", {rt::Value(static_cast<int>(kDeleted)), rt::Value(recno()), rt::Value(r)});
        fireEvent(*this, OnPostDelete);
    }
    return rt::Value(true);
}

bool XDbfDataSet::deleteLocked(int64_t r) {
    const bool held = holdsLock(r);
    if (!held && !lockRecord(r, {})) return false;
    const bool deleted = inArea([] { return rt::Value(currentArea().deleteRecord()); }).asLogical();
    if (!held) unlockRecord(r);
    if (deleted && rt::settings().deleted) skipRows(1);
    return deleted;
}

// The record is emptied before it is deleted, so blank keys sort it first where Recall looks for it.
bool XDbfDataSet::blankAndDelete(int64_t r) {
    skipRows(1);
    const bool atEnd = Eof({}).asLogical();
    const int64_t next = recno();
    Blank({});
    const rt::Value back[] = {rt::Value(r), rt::Value(false)};
    GoTo(rt::Args(back, 2));
    if (!lockRecord(r, {})) return false;
    if (!writeBuffer(true, false, false)) {
        unlockRecord(r);
        return false;
    }
    inArea([] { return rt::Value(currentArea().deleteRecord()); });
    unlockRecord(r);
    const rt::Value to[] = {rt::Value(atEnd ? RecCount({}).asInteger() + 1 : next), rt::Value(false)};
    GoTo(rt::Args(to, 2));
    return true;
}

void XDbfDataSet::dropAppended(int64_t n) {
    const rt::Value to[] = {rt::Value(n), rt::Value(false)};
    GoTo(rt::Args(to, 2));
    Blank({});
    if (writeBuffer(true, false, false)) inArea([] { return rt::Value(currentArea().deleteRecord()); });
    unlockRecord(n);
}

// The first deleted record in the current order, locked and checked again once locked (another program may
// have reused it in between), is recalled for the new record.
rt::Value XDbfDataSet::Recall(rt::Args) {
    if (!area()) return rt::Value(false);
    const int64_t back = recno();
    bool& hidden = rt::settings().deleted;
    const bool wasHidden = hidden;
    hidden = false;
    const bool recalled = inArea([] {
                              WorkArea& a = currentArea();
                              for (a.goTop(); !a.eof(); a.skip(1)) {
                                  if (!a.deleted() || !a.lockRecord(a.recno())) continue;
                                  if (a.deleted() && a.recall()) return rt::Value(true);
                                  a.unlockRecord(a.recno());
                              }
                              return rt::Value(false);
                          }).asLogical();
    hidden = wasHidden;
    if (!recalled) {
        const rt::Value to[] = {rt::Value(back), rt::Value(false)};
        GoTo(rt::Args(to, 2));
    }
    return rt::Value(recalled);
}

rt::Value XDbfDataSet::Append(rt::Args args) {
    if (!area()) return rt::Value(false);
    const bool events = !isFalse(rt::arg(args, 2));
    if (events && isFalse(fireEvent(*this, OnPreAppend))) return rt::Value(false);
    if (field(kReUseDel).asLogical() && Recall({}).asLogical()) {
        if (events) fireEvent(*this, OnPostAppend);
        return rt::Value(true);
    }
    const bool release = !isFalse(rt::arg(args, 1));
    std::optional<rt::Error> refused;
    const bool appended = waitWithAlerts(rt::arg(args, 0), [&] {
        if (refused) return true;  // not another user's doing: waiting will not help
        return inArea([&] {
                   ErrorTrap trap;
                   const bool ok = currentArea().append(release);
                   if (!ok && trap.caught && trap.caught->genCode != rt::eg::AppendLock) refused = trap.caught;
                   return rt::Value(ok);
               }).asLogical();
    }, 32890, 32889);
    if (!appended || refused) {
        reportText(32889, " " + cAlias());
        return rt::Value(false);
    }
    if (events) fireEvent(*this, OnPostAppend);
    return rt::Value(true);
}

// ---- fast variants: no events, the controls left alone, values straight to the table

rt::Value XDbfDataSet::FastAddNew(rt::Args) {
    Blank({});
    setEditRecord(-1);
    setFast(true);
    const rt::Value call[] = {rt::Value(), rt::Value(), rt::Value(false)};
    const rt::Value ok = Append(rt::Args(call, 3));
    if (!ok.asLogical()) {
        setEditRecord(0);
        setFast(false);
    }
    return ok;
}

rt::Value XDbfDataSet::FastEdit(rt::Args) {
    setEditRecord(0);
    Load({});
    const int64_t r = recno();
    if (!lockRecord(r, {})) return rt::Value(false);
    setEditRecord(r);
    setFast(true);
    return rt::Value(true);
}

rt::Value XDbfDataSet::FastUpdate(rt::Args) {
    setEditRecord(0);
    setFast(false);
    return RecUnLock({});
}

rt::Value XDbfDataSet::FastCancel(rt::Args) {
    if (nEditRecord() == 0) {
        reportText(32882);
        return rt::Value(false);
    }
    if (nEditRecord() > 0) {
        for (const rt::Value& f : std::vector<rt::Value>(fields())) rt::send(f, "_Value", {rt::send(f, "InitValue")});
        setEditRecord(0);
        setFast(false);
        return RecUnLock({});
    }
    const int64_t appended = recno();
    FastDelete({});
    unlockRecord(appended);
    const rt::Value quietly(false);
    GoBottom(rt::Args(&quietly, 1));
    setEditRecord(0);
    setFast(false);
    return rt::Value(true);
}

rt::Value XDbfDataSet::FastDelete(rt::Args args) {
    const rt::Value call[] = {rt::arg(args, 0), rt::Value(false)};
    return Delete(rt::Args(call, 2));
}

rt::Value XDbfDataSet::CanEdit(rt::Args) { return rt::Value(!readOnly()); }
rt::Value XDbfDataSet::CanBrowse(rt::Args) { return rt::Value(true); }

}  // namespace vorpex::data
