// The call-frame stack of the object layer. Every by-name send, every form set-up and every block evaluation
// pushes a frame; an event assignment asks it for the executing object, and error reports for the call stack.
#pragma once

#include <string>
#include <vector>

#include "symbol.h"

namespace rt {

class Object;
class Class;

struct Frame {
    Object* self = nullptr;  // not owned: the frame never outlives the call that holds the object
    const Class* cls = nullptr;
    Symbol message;
    const char* procedure = nullptr;  // a plain procedure's name when there is no class and message
    int line = 0;
    bool isBlock = false;
    Frame* previous = nullptr;

    std::string name() const;  // "CLASS:MESSAGE" or the procedure's name
};

class FrameGuard {
public:
    FrameGuard(Object* self, const Class* cls, Symbol message, int line = 0);
    explicit FrameGuard(const char* procedure, int line = 0);
    struct BlockTag {};
    explicit FrameGuard(BlockTag);
    ~FrameGuard();
    FrameGuard(const FrameGuard&) = delete;
    FrameGuard& operator=(const FrameGuard&) = delete;

private:
    void push();
    Frame frame_;
};

const Frame* currentFrame();
// The Self of the frame that called the current one, skipping code-block frames; null when none.
Object* callerSelf();
// The Self of the innermost frame that is not a block frame; null when none.
Object* executingSelf();

struct StackEntry {
    std::string name;
    int line = 0;
};
// Innermost first.
std::vector<StackEntry> callStack(size_t maxLevels = 64);

}  // namespace rt
