#include "framework/core/timer/mutex_port.h"

namespace vorpex {

std::unique_ptr<MutexPort> makePlatformMutexPort();

namespace {

std::unique_ptr<MutexPort>& currentMutexPort() {
    // Never destroyed: objects that end during the program's exit still reach it.
    static auto* port = new std::unique_ptr<MutexPort>;
    return *port;
}

}  // namespace

MutexPort& mutexPort() {
    if (!currentMutexPort()) currentMutexPort() = makePlatformMutexPort();
    return *currentMutexPort();
}

std::unique_ptr<MutexPort> setMutexPort(std::unique_ptr<MutexPort> port) {
    std::unique_ptr<MutexPort> previous = std::move(currentMutexPort());
    currentMutexPort() = std::move(port);
    return previous;
}

}  // namespace vorpex
