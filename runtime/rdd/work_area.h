// A work area: one open table with its position, BOF/EOF, filter, relations, locks and orders. Records are
// reached in natural order unless an order is controlling (see order.h).
//
// Public calls report failures the xBase way: the error record goes to the runtime's error handler, Retry
// repeats the call, Default makes it answer false (or its empty result), Break unwinds as rt::Break.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "order.h"
#include "runtime/core/settings.h"
#include "table.h"
#include "runtime/core/block.h"

namespace rt::rdd {

class WorkAreas;

// Classic Clipper lock offsets for DBF tables, so other DBF programs on a shared folder honour our locks:
// record n locks the byte at kLockBase + n, a file lock takes the whole kLockBase..2*kLockBase range and
// an append takes the byte at kLockBase for the moment it moves the record count.
inline constexpr uint64_t kLockBase = 1000000000ULL;

struct Relation {
    int child = 0;
    BlockPtr key;
    std::string text;
};

class WorkArea {
public:
    WorkArea(WorkAreas& owner, int number, std::unique_ptr<Table> table, std::string alias);
    ~WorkArea();

    int number() const { return number_; }
    const std::string& alias() const { return alias_; }
    Table& table() { return *table_; }
    bool shared() const { return table_->shared(); }
    bool readOnly() const { return table_->readOnly(); }

    // Navigation; each honours the filter, SET DELETED and the controlling order.
    void goTop();
    void goBottom();
    void goTo(uint32_t recno);  // any record, visible or not; out of range: the phantom record
    void skip(int64_t count) {
        if (count != 1 || !stepAhead()) skipWalking(count);
    }
    bool bof() const { return bof_; }
    bool eof() const { return eof_; }
    bool found() const { return found_; }
    void setFound(bool f) { found_ = f; }
    uint32_t recno() const;  // the phantom record answers lastRec() + 1
    uint32_t lastRec();

    // Fields, 1-based as FIELDGET counts them.
    size_t fieldCount() const { return table_->fields().size(); }
    int fieldPos(std::string_view name) const { return table_->fieldIndex(name) + 1; }
    std::string fieldName(size_t n) const;
    Value fieldGet(size_t n);
    bool fieldPut(size_t n, const Value& v);
    // Whether field n takes a value of this type (what fieldPut would refuse, asked without an error).
    bool accepts(size_t n, const Value& v) const;
    Value structure() const;  // DBSTRUCT: {{name, type, len, dec}, ...}

    // Records.
    bool append(bool releaseLocks = true);
    bool deleteRecord();
    bool recall();
    bool deleted() const { return table_->deleted(); }
    bool commit();
    bool pack();
    bool zap();

    // Locks: record locks add up per area; a file lock covers every record.
    bool lockRecord(uint32_t recno);
    void unlockRecord(uint32_t recno);
    void unlockAll();
    bool lockFile();
    bool fileLocked() const { return fileLocked_; }
    std::vector<uint32_t> lockList() const;
    bool isLocked(uint32_t recno) const;

    // Filter: set without moving; `text` is what DBFILTER() answers.
    void setFilter(BlockPtr block, std::string text);
    void clearFilter();
    const std::string& filterText() const { return filterText_; }
    bool filtered() const { return filter_ != nullptr; }

    void setRelation(int childArea, BlockPtr key, std::string text);
    void clearRelations() { relations_.clear(); }
    const std::vector<Relation>& relations() const { return relations_; }

    // LOCATE FOR <for> [WHILE <while>] [NEXT <next>] [RECORD <rec>] [REST]; CONTINUE.
    bool locate(BlockPtr forCond, BlockPtr whileCond = nullptr, int64_t next = 0, uint32_t rec = 0,
                bool rest = false);
    bool continueLocate();

    // Orders (1-based; 0 = natural order).
    void addOrder(std::unique_ptr<Order> order);
    void removeOrder(size_t n);
    size_t orderCount() const { return orders_.size(); }
    Order* order(size_t n) const;
    Order* controlling() const { return order(focus_); }
    size_t focus() const { return focus_; }
    size_t setFocus(size_t n);  // answers the previous focus
    bool seek(const Value& key, bool softSeek, bool findLast = false);
    uint32_t keyNo();
    uint32_t keyCount();
    bool keyGoto(uint32_t position);

    // Writes the buffered record when changed, telling the orders.
    void flush() {
        if (hot_ || table_->changed()) flushChanges();
    }

private:
    void flushChanges();
    void skipWalking(int64_t count);
    // The usual step of a scan, without the general walk: natural order, no filter or relation, nothing to
    // write, the next record in the read-ahead window. False, having moved nowhere or onto a hidden deleted
    // record (which the general step then walks past), when any of that does not hold.
    bool stepAhead() {
        if (focus_ != 0 || filter_ || !relations_.empty() || hot_ || table_->isPhantom()) return false;
        if (!table_->loadAhead(table_->loaded() + 1)) return false;
        if (table_->deleted() && settings().deleted) return false;
        bof_ = eof_ = false;
        return true;
    }
    template <class F>
    void navigate(F&& move);
    void goTopNow();
    void goBottomNow();
    void goToNow(uint32_t recno);
    void skipNow(int64_t count);
    template <class F>
    auto guarded(F&& body, decltype(body()) otherwise) -> decltype(body());
    bool visible();
    void settle(uint32_t recno);  // position on recno (0 = phantom) and follow relations
    void toPhantom();
    uint32_t rawFirst();
    uint32_t rawLast();
    uint32_t rawNext(uint32_t r);
    uint32_t rawPrevious(uint32_t r);
    uint32_t visibleFrom(uint32_t r, bool forward);
    void beginChange();
    void beginOrderUpdate();
    void commitInOrder(bool toDisk);
    void requireWritableRecord();
    // Moves the related areas to this one's record; inline, as every move calls it and most areas have none.
    void syncRelations() {
        if (!relations_.empty()) followRelations();
    }
    void followRelations();
    bool scanLocate(int64_t next);
    bool tryLock(uint64_t offset, uint64_t length);

    WorkAreas& owner_;
    int number_;
    std::unique_ptr<Table> table_;
    std::string alias_;
    bool bof_ = true, eof_ = true, found_ = false;
    bool hot_ = false;  // orders were told the current record is changing

    std::set<uint32_t> locks_;
    bool fileLocked_ = false;

    BlockPtr filter_;
    std::string filterText_;
    std::vector<Relation> relations_;
    BlockPtr locateFor_;
    std::vector<std::unique_ptr<Order>> orders_;
    size_t focus_ = 0;
};

}  // namespace rt::rdd
