// Everything the registry class asks of the platform, behind one interface, so that its rules (the current
// key, result codes, defaults, value types) are tested natively over an in-memory stand-in and the Windows
// build answers from the real registry. Keys cross as integers: the predefined roots by their numbers
// (0x80000000..0x80000005) and opened keys by the numbers the port gave out. A number that is neither is
// answered with kInvalidHandle, never used. Every answer is a system result code (0 = success).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vorpex::dialogs {

// System result codes the class itself gives or tests for.
inline constexpr int64_t kRegSuccess = 0;
inline constexpr int64_t kRegNotFound = 2;         // no such key or value
inline constexpr int64_t kRegInvalidHandle = 6;
inline constexpr int64_t kRegNotAvailable = 120;   // no registry on this platform

// Value types.
inline constexpr int64_t kRegText = 1;
inline constexpr int64_t kRegExpandText = 2;
inline constexpr int64_t kRegBinary = 3;
inline constexpr int64_t kRegNumber = 4;  // 32-bit, little-endian
inline constexpr int64_t kRegMultiText = 7;

inline constexpr int64_t kRegAllAccess = 983103;

// A value as read: its type and its bytes as stored (text keeps its terminating zero).
struct RegValue {
    int64_t type = 0;
    std::string bytes;
};

class RegistryPort {
public:
    virtual ~RegistryPort() = default;

    // On success `key` is the new key, which the caller closes.
    virtual int64_t open(int64_t, const std::string& /*subKey*/, int64_t /*access*/, int64_t& /*key*/) {
        return kRegNotAvailable;
    }
    virtual int64_t create(int64_t, const std::string& /*subKey*/, const std::string& /*cls*/, int64_t /*options*/,
                           int64_t /*access*/, int64_t& /*key*/) {
        return kRegNotAvailable;
    }
    virtual int64_t connect(const std::string& /*machine*/, int64_t /*root*/, int64_t& /*key*/) {
        return kRegNotAvailable;
    }
    virtual int64_t close(int64_t) { return kRegNotAvailable; }
    virtual int64_t deleteKey(int64_t, const std::string&) { return kRegNotAvailable; }
    virtual int64_t deleteValue(int64_t, const std::string&) { return kRegNotAvailable; }
    // Names in index order.
    virtual int64_t subKeys(int64_t, std::vector<std::string>&) { return kRegNotAvailable; }
    virtual int64_t valueNames(int64_t, std::vector<std::string>&) { return kRegNotAvailable; }
    virtual int64_t read(int64_t, const std::string& /*name*/, RegValue&) { return kRegNotAvailable; }
    virtual int64_t write(int64_t, const std::string& /*name*/, const RegValue&) { return kRegNotAvailable; }
    virtual int64_t flush(int64_t) { return kRegNotAvailable; }
};

// Whether a number is one of the predefined roots.
inline bool isRegistryRoot(int64_t key) { return key >= 0x80000000LL && key <= 0x80000006LL; }

// The port in use: the one installed by setRegistryPort, else the platform's.
RegistryPort& registryPort();
// Installs a port (tests); nullptr goes back to the platform's. The caller keeps it alive while installed.
void setRegistryPort(RegistryPort* port);
// Defined once per platform.
RegistryPort& platformRegistryPort();

}  // namespace vorpex::dialogs
