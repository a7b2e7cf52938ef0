// The seam for index orders. A work area navigates through its controlling order when it has one (natural
// record order otherwise) and tells every open order about each change, so that orders stay current. The
// NTX driver implements this interface; the work area never needs to know the file format behind it.
//
// Record numbers: 0 means "no record" (before the first or after the last key, or an empty order). Orders
// answer positions only; filters and hidden deleted records are applied by the work area on top.
#pragma once
#include <cstdint>
#include <string>

#include "runtime/core/value.h"

namespace rt::rdd {

class WorkArea;

struct SeekResult {
    uint32_t recno = 0;  // where the seek lands: the key found, the next key (soft seek), or 0 (end)
    bool found = false;
};

class Order {
public:
    virtual ~Order() = default;

    // Identity and description (ORDNAME, ORDKEY, ORDFOR, ORDBAGNAME).
    virtual std::string name() const = 0;
    virtual std::string keyText() const = 0;
    virtual std::string forText() const { return {}; }
    virtual std::string bagName() const = 0;
    virtual bool descending() const { return false; }
    virtual void setDescending(bool) {}
    virtual bool unique() const { return false; }

    // Positions in key order, within the order's scopes. `from` is the record the area stands on: the
    // buffered record of the work area holds its current values, the order finds its own key position.
    virtual uint32_t first() = 0;
    virtual uint32_t last() = 0;
    virtual uint32_t next(uint32_t from) = 0;
    virtual uint32_t previous(uint32_t from) = 0;
    virtual SeekResult seek(const Value& key, bool softSeek, bool findLast) = 0;
    // The key of the buffered record (ORDKEYVAL).
    virtual Value keyValue() = 0;

    // Logical key positions (ORDKEYNO, ORDKEYCOUNT, ORDKEYGOTO); 0 when unknown or out of range.
    virtual uint32_t keyNo(uint32_t recno) = 0;
    virtual uint32_t keyCount() = 0;
    virtual uint32_t keyGoto(uint32_t position) = 0;

    // Scopes (ORDSCOPE): 0 top, 1 bottom; NIL clears.
    virtual void setScope(int which, const Value& key) { (void)which, (void)key; }
    virtual Value scope(int which) const { (void)which; return Value(); }

    // Maintenance. beginUpdate runs before the table's bytes change in a way the order must follow (an append,
    // a record's first change, PACK, ZAP): an order kept in a file marks it as changing first, so that a
    // process stopped at any moment leaves a file that is in step with the table or says it is not.
    virtual void beginUpdate() {}
    // beforeChange runs while the buffer still holds the record's old values (first field
    // change of a record, delete or recall), afterChange once the new values are in the buffer and are
    // being written. appended runs for a new blank record, before any field of it is assigned.
    virtual void beforeChange(uint32_t recno) = 0;
    virtual void afterChange(uint32_t recno) = 0;
    virtual void appended(uint32_t recno) = 0;
    // The table's records were renumbered (PACK) or removed (ZAP): rebuild from the table.
    virtual void rebuild() = 0;
    // The area is flushing: write what the order keeps in memory.
    virtual void flush() {}
};

}  // namespace rt::rdd
