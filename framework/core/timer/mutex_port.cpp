#include "framework/core/timer/mutex_port.h"

namespace vorpex {

std::unique_ptr<MutexPort> makePlatformMutexPort();

namespace {

std::unique_ptr<MutexPort>& current() {
    // Never destroyed: objects that end during the program's exit still reach it.
    static auto* port = new std::unique_ptr<MutexPort>;
    return *port;
}

}  // namespace

MutexPort& mutexPort() {
    if (!current()) current() = makePlatformMutexPort();
    return *current();
}

std::unique_ptr<MutexPort> setMutexPort(std::unique_ptr<MutexPort> port) {
    std::unique_ptr<MutexPort> previous = std::move(current());
    current() = std::move(port);
    return previous;
}

}  // namespace vorpex
