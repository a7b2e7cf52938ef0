#include <windows.h>

#include "framework/core/native/win_casts.h"
#include "framework/core/timer/mutex_port.h"

namespace vorpex {

namespace {

using win::toHandle;

class Win32MutexPort final : public MutexPort {
public:
    intptr_t open(const std::string& name) override {
        if (name.empty()) return 0;
        return reinterpret_cast<intptr_t>(OpenMutexA(MUTEX_ALL_ACCESS, FALSE, name.c_str()));
    }

    MutexCreation create(const std::string& name, int64_t timeoutMs) override {
        if (name.empty()) return {};
        HANDLE h = CreateMutexA(nullptr, FALSE, name.c_str());
        if (!h) return {};
        // Two instances starting together both find no mutex to open; the one whose creation finds it made
        // already is the second, whether or not it could own it.
        if (GetLastError() == ERROR_ALREADY_EXISTS) return {reinterpret_cast<intptr_t>(h), true};
        const DWORD wait = WaitForSingleObject(h, timeoutMs > 0 ? static_cast<DWORD>(timeoutMs) : 0);
        const bool owned = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
        if (!owned && timeoutMs <= 0) {
            CloseHandle(h);  // not handed out: nobody else would ever close it
            return {};
        }
        return {reinterpret_cast<intptr_t>(h), false};
    }

    void close(intptr_t handle) override {
        if (!handle) return;
        ReleaseMutex(toHandle(handle));  // fails harmlessly when this process does not own it
        CloseHandle(toHandle(handle));
    }
};

}  // namespace

std::unique_ptr<MutexPort> makePlatformMutexPort() { return std::make_unique<Win32MutexPort>(); }

}  // namespace vorpex
