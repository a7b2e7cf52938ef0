#include "driver_settings.h"

#include <map>

#include "runtime/core/symbol.h"

namespace rt::rdd {

namespace {

std::string& defaultDriver() {
    static std::string name(kDefaultDriver);
    return name;
}

std::map<std::string, DriverSettings>& all() {
    static std::map<std::string, DriverSettings> m;
    return m;
}

Value swapInt(int& slot, const Value& v) {
    Value old(slot);
    if (v.isNumber()) slot = v.asInt();
    return old;
}

}  // namespace

bool knownDriver(std::string_view name) { return name.empty() || equalsIgnoreCase(name, kDefaultDriver); }

DriverSettings& driverSettings(std::string_view driver) {
    return all()[driver.empty() ? defaultDriver() : upper(driver)];
}

Value rddInfo(int code, const Value& v, std::string_view driver) {
    DriverSettings& s = driverSettings(driver);
    switch (code) {
    case rddi::Optimize: {
        Value old(s.optimize);
        if (v.isLogical()) s.optimize = v.asLogical();
        return old;
    }
    case rddi::LockScheme: return swapInt(s.lockScheme, v);
    case rddi::MemoType: return swapInt(s.memoType, v);
    case rddi::MemoVersion: return swapInt(s.memoVersion, v);
    case rddi::MemoBlockSize: return swapInt(s.memoBlockSize, v);
    case rddi::TableExt: return Value(".dbf");
    case rddi::MemoExt: return Value(s.memoType == 2 ? ".fpt" : ".dbt");
    case rddi::OrderBagExt: return Value(".ntx");
    default: return Value();
    }
}

std::string rddSetDefault(std::string_view driver) {
    std::string old = defaultDriver();
    if (!driver.empty()) defaultDriver() = upper(driver);
    return old;
}

}  // namespace rt::rdd
