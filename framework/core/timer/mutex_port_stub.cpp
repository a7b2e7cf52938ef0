#include "framework/core/timer/mutex_port.h"

namespace vorpex {

namespace {

// Without Windows there are no named system mutexes: nothing opens and nothing is made.
class NoMutexPort final : public MutexPort {
public:
    intptr_t open(const std::string&) override { return 0; }
    MutexCreation create(const std::string&, int64_t) override { return {}; }
    void close(intptr_t) override {}
};

}  // namespace

std::unique_ptr<MutexPort> makePlatformMutexPort() { return std::make_unique<NoMutexPort>(); }

}  // namespace vorpex
