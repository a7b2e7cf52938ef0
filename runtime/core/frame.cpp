#include "frame.h"

#include "class.h"

namespace rt {

namespace {
thread_local Frame* g_top = nullptr;
}

std::string Frame::name() const {
    if (procedure) return procedure;
    if (cls && message.valid()) return cls->name() + ":" + message.name();
    if (message.valid()) return message.name();
    return isBlock ? "(b)" : "";
}

FrameGuard::FrameGuard(Object* self, const Class* cls, Symbol message, int line) {
    frame_.self = self;
    frame_.cls = cls;
    frame_.message = message;
    frame_.line = line;
    push();
}

FrameGuard::FrameGuard(const char* procedure, int line) {
    frame_.procedure = procedure;
    frame_.line = line;
    push();
}

FrameGuard::FrameGuard(BlockTag) {
    frame_.isBlock = true;
    // A block runs with the Self of the code that evaluates it, for callStack and executingSelf.
    push();
}

void FrameGuard::push() {
    frame_.previous = g_top;
    g_top = &frame_;
}

FrameGuard::~FrameGuard() { g_top = frame_.previous; }

const Frame* currentFrame() { return g_top; }

Object* callerSelf() {
    const Frame* f = g_top;
    if (!f) return nullptr;
    for (f = f->previous; f; f = f->previous)
        if (!f->isBlock) return f->self;
    return nullptr;
}

Object* executingSelf() {
    for (const Frame* f = g_top; f; f = f->previous)
        if (!f->isBlock) return f->self;
    return nullptr;
}

std::vector<StackEntry> callStack(size_t maxLevels) {
    std::vector<StackEntry> out;
    for (const Frame* f = g_top; f && out.size() < maxLevels; f = f->previous) out.push_back({f->name(), f->line});
    return out;
}

}  // namespace rt
