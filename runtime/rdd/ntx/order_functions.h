// Order management over a work area: opening and closing index files, creating and destroying orders,
// reindexing, the controlling order, descriptions, direction and scopes. Each call reports failures the
// way the work area does (error handler; Default answers the empty result). registerOrderFunctions()
// makes the same operations callable by name.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "runtime/core/value.h"
#include "runtime/rdd/work_area.h"

namespace rt::ntx {

using Progress = std::function<void(uint64_t done, uint64_t total)>;

struct IndexRequest {
    std::string bag;       // file; the tag's name + ".ntx" when empty
    std::string tag;       // order name; the file's base name when empty
    std::string key;       // key expression text
    BlockPtr keyBlock;     // evaluates the key; compiled from `key` when null
    std::string forCond;   // FOR condition text, "" = every record
    BlockPtr forBlock;
    bool unique = false;
    bool descending = false;
    bool temporary = false;  // the file lives in the temporary folder and goes with the order
    bool additive = false;   // keep the area's other orders open
    Progress progress;
    uint64_t every = 0;      // records between progress calls
};

// ORDLISTADD / SET INDEX TO (one file): the first order added becomes controlling when none is.
bool ordListAdd(rdd::WorkArea& area, const std::string& bag, const std::string& tag = {});
// ORDLISTCLEAR / SET INDEX TO with no files: closes every order of the area.
void ordListClear(rdd::WorkArea& area);
// ORDCREATE / INDEX ON: builds the file from every record of the table; the new order is controlling.
bool ordCreate(rdd::WorkArea& area, const IndexRequest& request);
// ORDDESTROY: closes the order and removes its file.
bool ordDestroy(rdd::WorkArea& area, const Value& order, const std::string& bag = {});
// ORDLISTREBUILD / REINDEX: every order rebuilt from the table (also repairs a damaged file); the table must be
// open exclusively, as for PACK and ZAP. Progress counts records over all orders.
bool ordListRebuild(rdd::WorkArea& area, const Progress& progress = {}, uint64_t every = 0);

// The order meant by a name, a number (1-based) or NIL/0 (the controlling one); 0 when none.
size_t orderNumber(rdd::WorkArea& area, const Value& order, const std::string& bag = {});
// ORDSETFOCUS: by name or number, 0 for natural order; answers the previous order's name ("" natural).
std::string ordSetFocus(rdd::WorkArea& area, const Value& order, const std::string& bag = {});
std::string ordName(rdd::WorkArea& area, const Value& order, const std::string& bag = {});
std::string ordKey(rdd::WorkArea& area, const Value& order, const std::string& bag = {});
std::string ordFor(rdd::WorkArea& area, const Value& order, const std::string& bag = {});
std::string ordBagName(rdd::WorkArea& area, const Value& order);
size_t ordCount(rdd::WorkArea& area, const std::string& bag = {});
Value ordKeyVal(rdd::WorkArea& area);
// ORDDESCEND: answers the previous direction; sets it when `set` is a logical.
bool ordDescend(rdd::WorkArea& area, const Value& order, const Value& set = Value());
// ORDSCOPE: 0 top, 1 bottom; answers the previous value; with `assign` the new value (NIL clears).
Value ordScope(rdd::WorkArea& area, int which, bool assign, const Value& value = Value());

// Registers ORDLISTADD, ORDLISTCLEAR, DBSETINDEX, DBCLEARINDEX, ORDCONDSET, ORDCREATE, DBCREATEINDEX,
// ORDDESTROY, ORDLISTREBUILD, DBREINDEX, ORDSETFOCUS, ORDNAME, ORDNUMBER, ORDKEY, ORDFOR, ORDBAGNAME,
// ORDBAGEXT, ORDCOUNT, ORDKEYVAL, ORDDESCEND and ORDSCOPE. Calling it again changes nothing.
void registerOrderFunctions();

}  // namespace rt::ntx
