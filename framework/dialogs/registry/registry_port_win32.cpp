// The registry port over advapi32. Only the predefined roots and keys this port opened (and has not closed)
// are used: any other number answers ERROR_INVALID_HANDLE, so a stale or foreign number never reaches the
// system. Buffers are sized from the system's own answers, never fixed.
#include <windows.h>

#include <set>

#include "framework/dialogs/registry/registry_port.h"

namespace vorpex::dialogs {

namespace {

// The predefined roots are sign-extended 32-bit values on 64-bit Windows.
HKEY rootKey(int64_t number) {
    return reinterpret_cast<HKEY>(static_cast<intptr_t>(static_cast<int32_t>(static_cast<uint32_t>(number))));
}

int64_t result(LONG code) { return static_cast<int64_t>(static_cast<uint32_t>(code)); }

class Win32RegistryPort : public RegistryPort {
public:
    int64_t open(int64_t parent, const std::string& subKey, int64_t access, int64_t& key) override {
        HKEY from = valid(parent);
        if (!from) return ERROR_INVALID_HANDLE;
        HKEY opened = nullptr;
        const LONG rc = RegOpenKeyExA(from, subKey.c_str(), 0, static_cast<REGSAM>(access), &opened);
        return adopt(rc, opened, key);
    }

    int64_t create(int64_t parent, const std::string& subKey, const std::string& cls, int64_t options,
                   int64_t access, int64_t& key) override {
        HKEY from = valid(parent);
        if (!from) return ERROR_INVALID_HANDLE;
        HKEY made = nullptr;
        const LONG rc = RegCreateKeyExA(from, subKey.c_str(), 0, cls.empty() ? nullptr : const_cast<char*>(cls.c_str()),
                                        static_cast<DWORD>(options), static_cast<REGSAM>(access), nullptr, &made,
                                        nullptr);
        return adopt(rc, made, key);
    }

    int64_t connect(const std::string& machine, int64_t root, int64_t& key) override {
        if (!isRegistryRoot(root)) return ERROR_INVALID_HANDLE;
        HKEY remote = nullptr;
        const LONG rc = RegConnectRegistryA(machine.c_str(), rootKey(root), &remote);
        return adopt(rc, remote, key);
    }

    int64_t close(int64_t key) override {
        if (!open_.count(key)) return ERROR_INVALID_HANDLE;
        const LONG rc = RegCloseKey(reinterpret_cast<HKEY>(static_cast<intptr_t>(key)));
        open_.erase(key);  // a failed close still leaves the handle unusable
        return result(rc);
    }

    int64_t deleteKey(int64_t key, const std::string& subKey) override {
        HKEY k = valid(key);
        return k ? result(RegDeleteKeyA(k, subKey.c_str())) : ERROR_INVALID_HANDLE;
    }

    int64_t deleteValue(int64_t key, const std::string& name) override {
        HKEY k = valid(key);
        return k ? result(RegDeleteValueA(k, name.c_str())) : ERROR_INVALID_HANDLE;
    }

    int64_t subKeys(int64_t key, std::vector<std::string>& names) override {
        return enumerate(key, names, false);
    }
    int64_t valueNames(int64_t key, std::vector<std::string>& names) override {
        return enumerate(key, names, true);
    }

    int64_t read(int64_t key, const std::string& name, RegValue& value) override {
        HKEY k = valid(key);
        if (!k) return ERROR_INVALID_HANDLE;
        // The value may grow between asking its size and reading it: ask again then.
        for (;;) {
            DWORD type = 0, size = 0;
            LONG rc = RegQueryValueExA(k, name.c_str(), nullptr, &type, nullptr, &size);
            if (rc != ERROR_SUCCESS) return result(rc);
            std::string bytes(size, '\0');
            rc = RegQueryValueExA(k, name.c_str(), nullptr, &type,
                                  reinterpret_cast<BYTE*>(bytes.data()), &size);
            if (rc == ERROR_MORE_DATA) continue;
            if (rc != ERROR_SUCCESS) return result(rc);
            bytes.resize(size);
            value = {static_cast<int64_t>(type), std::move(bytes)};
            return ERROR_SUCCESS;
        }
    }

    int64_t write(int64_t key, const std::string& name, const RegValue& value) override {
        HKEY k = valid(key);
        if (!k) return ERROR_INVALID_HANDLE;
        return result(RegSetValueExA(k, name.c_str(), 0, static_cast<DWORD>(value.type),
                                     reinterpret_cast<const BYTE*>(value.bytes.data()),
                                     static_cast<DWORD>(value.bytes.size())));
    }

    int64_t flush(int64_t key) override {
        HKEY k = valid(key);
        return k ? result(RegFlushKey(k)) : ERROR_INVALID_HANDLE;
    }

private:
    std::set<int64_t> open_;

    HKEY valid(int64_t key) const {
        if (isRegistryRoot(key)) return rootKey(key);
        if (open_.count(key)) return reinterpret_cast<HKEY>(static_cast<intptr_t>(key));
        return nullptr;
    }

    int64_t adopt(LONG rc, HKEY made, int64_t& key) {
        if (rc != ERROR_SUCCESS) return result(rc);
        key = static_cast<int64_t>(reinterpret_cast<intptr_t>(made));
        open_.insert(key);
        return ERROR_SUCCESS;
    }

    // The longest name comes from the key's own information, plus its terminating zero.
    int64_t enumerate(int64_t key, std::vector<std::string>& names, bool values) {
        HKEY k = valid(key);
        if (!k) return ERROR_INVALID_HANDLE;
        DWORD count = 0, longest = 0;
        LONG rc = values ? RegQueryInfoKeyA(k, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                                            &longest, nullptr, nullptr, nullptr)
                         : RegQueryInfoKeyA(k, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr,
                                            nullptr, nullptr, nullptr, nullptr);
        if (rc != ERROR_SUCCESS) return result(rc);
        std::string buffer(longest + 1, '\0');
        for (DWORD i = 0;; ++i) {
            DWORD size = static_cast<DWORD>(buffer.size());
            rc = values ? RegEnumValueA(k, i, buffer.data(), &size, nullptr, nullptr, nullptr, nullptr)
                        : RegEnumKeyExA(k, i, buffer.data(), &size, nullptr, nullptr, nullptr, nullptr);
            if (rc == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
            if (rc == ERROR_MORE_DATA) {  // a longer name arrived meanwhile: grow and read this index again
                buffer.resize(buffer.size() * 2);
                --i;
                continue;
            }
            if (rc != ERROR_SUCCESS) return result(rc);
            names.emplace_back(buffer.data(), size);
        }
    }
};

}  // namespace

// Never destroyed: registry objects that end during the program's exit still close their keys through it.
RegistryPort& platformRegistryPort() {
    static auto* port = new Win32RegistryPort;
    return *port;
}

}  // namespace vorpex::dialogs
