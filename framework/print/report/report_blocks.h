// What the report's classes share for evaluating a program's blocks and handing cell texts to its handlers.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "framework/core/object/event.h"
#include "runtime/core/object.h"
#include "runtime/core/value.h"

namespace vorpex::report {

// A block whose errors are ignored: they never reach the program's handler, and a failing block gives NIL.
// Any other value is returned as it is.
rt::Value evalQuiet(const rt::Value& block, rt::Args args);
// A block evaluated as usual (its errors reach the handler); any other value as it is.
rt::Value evalBlock(const rt::Value& block, std::initializer_list<rt::Value> args);
// A value as a cell or key text: strings as they are, NIL as "", anything else as it is displayed.
std::string textOf(const rt::Value& v);

// A cell on its way to the device: the handlers of OnPrint... events get text, font and colour by reference.
struct CellLook {
    std::string text;
    int font = 1;
    int64_t color = 0;
};
// Fires `event` with `before`, then @text, @font, @color, then `after`, and takes back what the handler set.
void fireCellEvent(rt::Object& sender, const EventRef& event, std::initializer_list<rt::Value> before, CellLook& look,
                   std::initializer_list<rt::Value> after = {});

}  // namespace vorpex::report

namespace vorpex::report {

// Marks a call as running and clears the mark however the call ends, also when an error breaks out of a
// handler: a mark left set would silence every later call.
class ReentryGuard {
public:
    explicit ReentryGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~ReentryGuard() { flag_ = false; }
    ReentryGuard(const ReentryGuard&) = delete;
    ReentryGuard& operator=(const ReentryGuard&) = delete;

private:
    bool& flag_;
};

}  // namespace vorpex::report
