#include "work_area.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "failure.h"
#include "runtime/core/settings.h"
#include "work_areas.h"

namespace rt::rdd {

namespace {

bool truthy(const BlockPtr& b) { return b->eval({}).asLogical(); }

}  // namespace

WorkArea::WorkArea(WorkAreas& owner, int number, std::unique_ptr<Table> table, std::string alias)
    : owner_(owner), number_(number), table_(std::move(table)), alias_(std::move(alias)) {}

WorkArea::~WorkArea() {
    try {
        commitInOrder(false);
        unlockAll();
    } catch (...) {
        // Closing never throws; the table's destructor writes what remains.
    }
}

// The table's records and count reach the file before the orders write the keys that point to them and mark
// their files whole: a process stopped in between leaves orders that say they are not in step.
void WorkArea::commitInOrder(bool toDisk) {
    flush();
    if (!table_->readOnly()) table_->commit(toDisk);
    for (auto& o : orders_) o->flush();
}

// A move that fails (a record that cannot be read) leaves the area on the phantom record, at EOF.
template <class F>
void WorkArea::navigate(F&& move) {
    bool moved = guarded([&] { move(); return true; }, false);
    if (moved) return;
    bof_ = eof_ = true;
    hot_ = false;
    try {
        table_->load(0);
    } catch (const Failure&) {
        // The buffer could not be written either; it was reported with the first failure.
    }
}

template <class F>
auto WorkArea::guarded(F&& body, decltype(body()) otherwise) -> decltype(body()) {
    return withErrorHandler(std::forward<F>(body), otherwise);
}

// ---- positions -------------------------------------------------------------------------------------------

uint32_t WorkArea::recno() const {
    return table_->isPhantom() ? table_->recCount() + 1 : table_->loaded();
}

uint32_t WorkArea::lastRec() { return table_->recCount(true); }

void WorkArea::flushChanges() {
    const bool changed = hot_;
    hot_ = false;
    table_->flushRecord();  // the record is in the file before any key that points to it
    if (changed)
        for (auto& o : orders_) o->afterChange(table_->loaded());
}

uint32_t WorkArea::rawFirst() {
    if (Order* o = controlling()) return o->first();
    return table_->recCount(true) > 0 ? 1 : 0;
}

uint32_t WorkArea::rawLast() {
    if (Order* o = controlling()) return o->last();
    return table_->recCount(true);
}

uint32_t WorkArea::rawNext(uint32_t r) {
    if (Order* o = controlling()) return o->next(r);
    if (r < table_->recCount()) return r + 1;
    return r < table_->recCount(true) ? r + 1 : 0;  // another handle may have appended
}

uint32_t WorkArea::rawPrevious(uint32_t r) {
    if (Order* o = controlling()) return o->previous(r);
    return r > 1 ? r - 1 : 0;
}

bool WorkArea::visible() {
    if (settings().deleted && table_->deleted()) return false;
    if (!filter_) return true;
    return owner_.inArea(number_, [&] { return Value(truthy(filter_)); }).asLogical();
}

// Loads r and walks on in the direction until a visible record; 0 when none is left.
uint32_t WorkArea::visibleFrom(uint32_t r, bool forward) {
    while (r != 0) {
        flush();
        table_->load(r);
        if (visible()) return r;
        r = forward ? rawNext(r) : rawPrevious(r);
    }
    return 0;
}

void WorkArea::toPhantom() {
    flush();
    table_->load(0);
}

void WorkArea::settle(uint32_t r) {
    if (r == 0)
        toPhantom();
    else if (table_->loaded() != r || table_->isPhantom()) {
        flush();
        table_->load(r);
    }
    syncRelations();
}

void WorkArea::goTop() {
    navigate([&] { goTopNow(); });
}

void WorkArea::goTopNow() {
    flush();
    uint32_t r = visibleFrom(rawFirst(), true);
    bof_ = eof_ = r == 0;
    settle(r);
}

void WorkArea::goBottom() {
    navigate([&] { goBottomNow(); });
}

void WorkArea::goBottomNow() {
    flush();
    uint32_t r = visibleFrom(rawLast(), false);
    bof_ = eof_ = r == 0;
    settle(r);
}

void WorkArea::goTo(uint32_t recno) {
    navigate([&] { goToNow(recno); });
}

void WorkArea::goToNow(uint32_t recno) {
    flush();
    uint32_t n = table_->recCount(true);
    bool inRange = recno >= 1 && recno <= n;
    bof_ = false;
    eof_ = !inRange;
    if (inRange) table_->load(recno);
    settle(inRange ? recno : 0);
}

void WorkArea::skipWalking(int64_t count) {
    navigate([&] { skipNow(count); });
}

void WorkArea::skipNow(int64_t count) {
    flush();
    if (count == 0) {
        uint32_t r = table_->isPhantom() ? 0 : table_->loaded();
        if (r) table_->load(r);  // re-read: another handle may have written it
        settle(r);
        return;
    }
    if (count > 0) {
        bof_ = false;
        for (int64_t i = 0; i < count && !eof_; ++i) {
            uint32_t r = visibleFrom(rawNext(table_->loaded()), true);
            if (r == 0) {
                eof_ = true;
                toPhantom();
            }
        }
        settle(eof_ ? 0 : table_->loaded());
        return;
    }
    for (int64_t i = 0; i < -count; ++i) {
        uint32_t from = table_->isPhantom() ? 0 : table_->loaded();
        uint32_t r = from == 0 ? visibleFrom(rawLast(), false) : visibleFrom(rawPrevious(from), false);
        if (r == 0) {
            // Before the first record: stay on the first visible one with BOF set.
            goTopNow();
            bof_ = true;
            return;
        }
        eof_ = false;
    }
    bof_ = false;
    settle(table_->loaded());
}

void WorkArea::followRelations() {
    for (const Relation& rel : relations_) {
        WorkArea* child = owner_.area(rel.child);
        if (!child) continue;
        Value key = owner_.inArea(number_, [&] { return rel.key->eval({}); });
        if (table_->isPhantom()) {
            child->goTo(0);
            continue;
        }
        if (child->controlling())
            child->seek(key, false);
        else
            child->goTo(static_cast<uint32_t>(key.asInteger()));
    }
}

// ---- fields ----------------------------------------------------------------------------------------------

std::string WorkArea::fieldName(size_t n) const {
    return n >= 1 && n <= fieldCount() ? table_->fields()[n - 1].name : std::string();
}

Value WorkArea::fieldGet(size_t n) {
    if (n < 1 || n > fieldCount()) return Value();
    return guarded([&] { return table_->get(n - 1); }, Value());
}

Value WorkArea::structure() const {
    std::vector<Value> rows;
    for (const Field& f : table_->fields())
        rows.push_back(Value::array({Value(f.name), Value(std::string(1, f.type)),
                                     Value(static_cast<int>(f.length)), Value(static_cast<int>(f.decimals))}));
    return Value::array(std::move(rows));
}

void WorkArea::requireWritableRecord() {
    if (table_->readOnly()) fail(eg::ReadOnly, sub::ReadOnly, "Write to a read-only table", table_->path());
    if (table_->isPhantom()) return;
    if (shared() && !isLocked(table_->loaded()))
        fail(eg::Unlocked, sub::Unlocked, "Record not locked", table_->path());
}

void WorkArea::beginChange() {
    if (hot_ || table_->isPhantom()) return;
    beginOrderUpdate();
    for (auto& o : orders_) o->beforeChange(table_->loaded());
    hot_ = true;
}

void WorkArea::beginOrderUpdate() {
    for (auto& o : orders_) o->beginUpdate();
}

bool WorkArea::fieldPut(size_t n, const Value& v) {
    if (n < 1 || n > fieldCount()) return false;
    return guarded(
        [&] {
            requireWritableRecord();
            // Check the type before telling the orders, so a refused value changes nothing.
            table_->checkType(n - 1, v);
            beginChange();
            table_->putChecked(n - 1, v);
            return true;
        },
        false);
}

bool WorkArea::accepts(size_t n, const Value& v) const {
    if (n < 1 || n > fieldCount()) return false;
    try {
        table_->checkType(n - 1, v);
        return true;
    } catch (const Failure&) {
        return false;
    }
}

// ---- records ---------------------------------------------------------------------------------------------

bool WorkArea::tryLock(uint64_t offset, uint64_t length) {
    // Another appender holds the count byte only for a moment: a few short tries ride over that.
    for (int i = 0; i < 20; ++i) {
        if (table_->file().lock(offset, length)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

bool WorkArea::append(bool releaseLocks) {
    owner_.setNetErr(false);
    bool ok = guarded(
        [&] {
            if (table_->readOnly()) fail(eg::ReadOnly, sub::ReadOnly, "Write to a read-only table", table_->path());
            flush();
            if (releaseLocks && !locks_.empty()) {
                for (uint32_t r : std::vector<uint32_t>(locks_.begin(), locks_.end())) unlockRecord(r);
            }
            beginOrderUpdate();
            bool osLocks = shared() && !fileLocked_;
            if (osLocks && !tryLock(kLockBase, 1)) {
                Failure f{makeError(eg::AppendLock, sub::AppendLock, "Append lock failed", table_->path())};
                f.error.canDefault = true;
                throw f;
            }
            uint32_t r = 0;
            try {
                r = table_->appendBlank();
            } catch (...) {
                if (osLocks) table_->file().unlock(kLockBase, 1);
                throw;
            }
            // Nobody else can know the new number yet, so its lock cannot fail.
            if (osLocks) table_->file().lock(kLockBase + r, 1);
            if (shared()) locks_.insert(r);  // an exclusive table needs no record locks
            if (osLocks) table_->file().unlock(kLockBase, 1);
            for (auto& o : orders_) o->appended(r);
            bof_ = eof_ = false;
            syncRelations();
            return true;
        },
        false);
    if (!ok) owner_.setNetErr(true);
    return ok;
}

bool WorkArea::deleteRecord() {
    return guarded(
        [&] {
            requireWritableRecord();
            if (table_->isPhantom()) return true;
            beginChange();
            table_->setDeleted(true);
            return true;
        },
        false);
}

bool WorkArea::recall() {
    return guarded(
        [&] {
            requireWritableRecord();
            if (table_->isPhantom()) return true;
            beginChange();
            table_->setDeleted(false);
            return true;
        },
        false);
}

bool WorkArea::commit() {
    return guarded(
        [&] {
            commitInOrder(true);
            return true;
        },
        false);
}

bool WorkArea::pack() {
    return guarded(
        [&] {
            if (shared()) fail(eg::Shared, sub::Shared, "Exclusive open required", table_->path());
            flush();
            beginOrderUpdate();
            table_->pack();
            for (auto& o : orders_) o->rebuild();
            goTop();
            return true;
        },
        false);
}

bool WorkArea::zap() {
    return guarded(
        [&] {
            if (shared()) fail(eg::Shared, sub::Shared, "Exclusive open required", table_->path());
            hot_ = false;
            beginOrderUpdate();
            table_->zap();
            for (auto& o : orders_) o->rebuild();
            goTop();
            return true;
        },
        false);
}

// ---- locks -----------------------------------------------------------------------------------------------

bool WorkArea::isLocked(uint32_t recno) const { return fileLocked_ || !shared() || locks_.count(recno) != 0; }

std::vector<uint32_t> WorkArea::lockList() const { return {locks_.begin(), locks_.end()}; }

bool WorkArea::lockRecord(uint32_t recno) {
    if (recno == 0 || locks_.count(recno)) return recno != 0;
    if (!shared()) return true;  // an exclusive table is the caller's alone
    if (shared() && !fileLocked_) {
        if (!table_->file().lock(kLockBase + recno, 1)) return false;
    }
    locks_.insert(recno);
    // Read the record again now that nobody else can change it.
    if (shared() && !table_->isPhantom() && table_->loaded() == recno) {
        flush();
        table_->load(recno);
    }
    return true;
}

void WorkArea::unlockRecord(uint32_t recno) {
    if (!locks_.count(recno)) return;
    // The record's changes reach the file before anyone else may lock it.
    if (table_->loaded() == recno) guarded([&] { flush(); return true; }, false);
    if (shared() && !fileLocked_) table_->file().unlock(kLockBase + recno, 1);
    locks_.erase(recno);
}

void WorkArea::unlockAll() {
    guarded([&] { flush(); return true; }, false);
    if (shared() && !fileLocked_)
        for (uint32_t r : locks_) table_->file().unlock(kLockBase + r, 1);
    locks_.clear();
    if (fileLocked_ && shared()) table_->file().unlock(kLockBase, kLockBase);
    fileLocked_ = false;
}

bool WorkArea::lockFile() {
    if (fileLocked_) return true;
    unlockAll();
    if (shared() && !table_->file().lock(kLockBase, kLockBase)) return false;
    fileLocked_ = true;
    if (shared() && !table_->isPhantom()) table_->load(table_->loaded());
    return true;
}

// ---- filter, relations, locate ---------------------------------------------------------------------------

void WorkArea::setFilter(BlockPtr block, std::string text) {
    filter_ = std::move(block);
    filterText_ = filter_ ? std::move(text) : std::string();
}

void WorkArea::clearFilter() {
    filter_.reset();
    filterText_.clear();
}

void WorkArea::setRelation(int childArea, BlockPtr key, std::string text) {
    if (!key || childArea == number_) return;
    relations_.push_back({childArea, std::move(key), std::move(text)});
}

bool WorkArea::scanLocate(int64_t next) {
    int64_t seen = 0;
    while (!eof_) {
        if (owner_.inArea(number_, [&] { return Value(truthy(locateFor_)); }).asLogical()) return found_ = true;
        if (next > 0 && ++seen >= next) break;
        skip(1);
    }
    return found_ = false;
}

bool WorkArea::locate(BlockPtr forCond, BlockPtr whileCond, int64_t next, uint32_t rec, bool rest) {
    locateFor_ = forCond ? std::move(forCond) : makeBlock([](Args) { return Value(true); }, "{|| .T. }");
    found_ = false;
    if (rec > 0) {
        goTo(rec);
        return found_ = !eof_ && owner_.inArea(number_, [&] { return Value(truthy(locateFor_)); }).asLogical();
    }
    if (!rest && next == 0) goTop();
    if (!whileCond) return scanLocate(next);
    int64_t seen = 0;
    while (!eof_) {
        if (!owner_.inArea(number_, [&] { return Value(truthy(whileCond)); }).asLogical()) break;
        if (owner_.inArea(number_, [&] { return Value(truthy(locateFor_)); }).asLogical()) return found_ = true;
        if (next > 0 && ++seen >= next) break;
        skip(1);
    }
    return found_ = false;
}

bool WorkArea::continueLocate() {
    found_ = false;
    if (!locateFor_ || eof_) return false;
    skip(1);
    return scanLocate(0);
}

// ---- orders ----------------------------------------------------------------------------------------------

void WorkArea::addOrder(std::unique_ptr<Order> order) {
    if (!order) return;
    orders_.push_back(std::move(order));
    if (focus_ == 0) focus_ = orders_.size();
}

void WorkArea::removeOrder(size_t n) {
    if (n < 1 || n > orders_.size()) return;
    guarded(
        [&] {
            commitInOrder(false);
            return true;
        },
        false);
    orders_.erase(orders_.begin() + static_cast<std::ptrdiff_t>(n - 1));
    if (focus_ == n)
        focus_ = 0;
    else if (focus_ > n)
        --focus_;
}

Order* WorkArea::order(size_t n) const { return n >= 1 && n <= orders_.size() ? orders_[n - 1].get() : nullptr; }

size_t WorkArea::setFocus(size_t n) {
    size_t old = focus_;
    if (n <= orders_.size()) focus_ = n;
    return old;
}

bool WorkArea::seek(const Value& key, bool softSeek, bool findLast) {
    return guarded(
        [&] {
            Order* o = controlling();
            if (!o) fail(eg::NoOrder, 1201, "No controlling order", table_->path());
            flush();
            SeekResult s = o->seek(key, softSeek, findLast);
            uint32_t r = s.recno == 0 ? 0 : visibleFrom(s.recno, true);
            found_ = s.found && r == s.recno;
            if (r == 0 || (!found_ && !softSeek)) {
                bof_ = false;
                eof_ = true;
                settle(0);
                return found_;
            }
            bof_ = eof_ = false;
            settle(r);
            return found_;
        },
        false);
}

uint32_t WorkArea::keyNo() {
    return guarded(
        [&]() -> uint32_t {
            if (Order* o = controlling()) return table_->isPhantom() ? 0 : o->keyNo(table_->loaded());
            return table_->isPhantom() ? 0 : table_->loaded();
        },
        0u);
}

uint32_t WorkArea::keyCount() {
    return guarded(
        [&]() -> uint32_t {
            if (Order* o = controlling()) return o->keyCount();
            return lastRec();
        },
        0u);
}

bool WorkArea::keyGoto(uint32_t position) {
    return guarded(
        [&] {
            uint32_t r = position;
            if (Order* o = controlling())
                r = o->keyGoto(position);
            else if (position > lastRec())
                r = 0;
            if (r == 0) return false;
            goTo(r);
            return true;
        },
        false);
}

}  // namespace rt::rdd
