// XRegistry: the system registry through one current key. Opening or creating a key makes it current, values
// are read and written in it, closing it returns to the root (Root). Every operation records the system's
// result code in nLastError (0 = success; 1 = the operation could not be attempted). Readers give the
// caller's default when a value is missing or of another type; dates and logical values are kept as text.
// TRegistry is its user class.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/object/component.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"
#include "framework/dialogs/registry/registry_port.h"

namespace vorpex::dialogs {

class XRegistry : public TComponent {
public:
    using TComponent::TComponent;
    XRegistry(const XRegistry&) = delete;
    XRegistry& operator=(const XRegistry&) = delete;
    ~XRegistry() override;
    static const rt::Class& classRecord();
    VP_METHODS(OpenKey,      // (cSubKey, [nAccess])
               CreateKey,    // (cSubKey, [cClass], [nOptions], [nAccess])
               CloseKey,
               Connect,      // (cMachine, nRootKey)
               DeleteKey,    // (cSubKey)
               DeleteValue,  // (cValueName)
               EnumKeys,
               EnumValues,
               GetString,    // (cValueName, [cDefault])
               SetString,    // (cValueName, cText)
               GetNumeric,   // (cValueName, [nDefault])
               SetNumeric,   // (cValueName, nValue)
               GetBinary,    // (cValueName, [cDefault])
               SetBinary,    // (cValueName, cBytes)
               SetValue,     // (cValueName, xValue): its display text
               GetDate,      // (cValueName, [dDefault])
               GetLogical,   // (cValueName, [lDefault])
               Flush)
    VP_OVERRIDES(Destroy)

    int64_t Root() const { return field(kRoot).asInteger(); }
    int64_t hCurrentKey() const { return field(kCurrentKey).asInteger(); }
    int64_t nLastError() const { return field(kLastError).asInteger(); }

private:
    static inline int kRoot = -1, kCurrentKey = -1, kLastError = -1;

    // The key operations work on: the current key, else the root.
    int64_t workKey() const;
    int64_t done(int64_t code);
    void setCurrentKey(int64_t key) { field(kCurrentKey) = key; }
    rt::Value keyOpened(int64_t code, int64_t key);
    rt::Value names(bool values);
    rt::Value write(rt::Args args, int64_t type, std::string bytes);
    // Reads a value of one of the wanted types; false (with nLastError set) when there is none.
    bool read(rt::Args args, std::initializer_list<int64_t> types, RegValue& value);
    // Closes every key the object holds: the current one and those left open behind it.
    void closeAll();

    // Keys left open behind the current one when another was opened from it; closed with the object, so an
    // object dropped without Destroy leaves no key open either.
    std::vector<int64_t> behind_;
};

using TRegistry = UserClass<XRegistry, "TRegistry">;

}  // namespace vorpex::dialogs
