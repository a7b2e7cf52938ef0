// Per-driver settings, process-wide (RDDINFO): the last assignment through any caller wins.
#pragma once
#include <string>
#include <string_view>

#include "runtime/core/value.h"

namespace rt::rdd {

// RDDINFO codes the data layer reads and writes.
namespace rddi {
inline constexpr int MemoType = 14, LockScheme = 16, MemoBlockSize = 32, MemoVersion = 33, Optimize = 24,
                     TableExt = 5, MemoExt = 6, OrderBagExt = 7;
}

struct DriverSettings {
    bool optimize = true;
    int lockScheme = 0;     // stored; one scheme (the classic offsets) is implemented
    int memoType = 1;       // 1 DBT, 2 FPT, 3 SMT (not supported)
    int memoVersion = 0;    // stored
    int memoBlockSize = 64;  // FPT block size; DBT blocks are always 512
};

inline constexpr std::string_view kDefaultDriver = "DBFNTX";

bool knownDriver(std::string_view name);  // "" means the default driver
DriverSettings& driverSettings(std::string_view driver = {});
// RDDINFO(code, newValue, driver): answers the setting before; NIL newValue only reads.
Value rddInfo(int code, const Value& newValue, std::string_view driver = {});
// RDDSETDEFAULT: answers the previous default; an empty name only reads.
std::string rddSetDefault(std::string_view driver = {});

}  // namespace rt::rdd
