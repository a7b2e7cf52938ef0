// Named system mutexes behind XMutex: Win32 on Windows, a fake in tests. Handles cross as integers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace vorpex {

struct MutexCreation {
    intptr_t handle = 0;  // 0: none could be made or kept
    bool existed = false;  // the name belonged to a mutex already (another instance made it first)
};

class MutexPort {
public:
    virtual ~MutexPort() = default;
    // The existing mutex of that name with full access; 0 when none exists or the name is empty.
    virtual intptr_t open(const std::string& name) = 0;
    // Creates the mutex of that name, not owned. A mutex that already existed is kept as it is, like an opened
    // one. A new one is taken: with a time-out it waits that long and keeps the handle whatever the outcome;
    // without one it tries at once and closes the handle when it cannot have it. Nothing for an empty name.
    virtual MutexCreation create(const std::string& name, int64_t timeoutMs) = 0;
    // Releases the mutex when this process owns it and closes the handle.
    virtual void close(intptr_t handle) = 0;
};

MutexPort& mutexPort();
// Replaces the port (tests); null restores the platform's. Answers the previous one.
std::unique_ptr<MutexPort> setMutexPort(std::unique_ptr<MutexPort> port);

}  // namespace vorpex
