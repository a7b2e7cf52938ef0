// The methods of one class that answer window messages, resolved once per class so that dispatching a message
// is an array index rather than a name look-up.
#pragma once

#include <array>

#include "framework/core/window/message_names.h"
#include "runtime/core/class.h"

namespace vorpex {

struct MessageMethods {
    std::array<const rt::Method*, kMessageSlots> byMessage{};
    const rt::Method* handleEvent = nullptr;

    const rt::Method* forMessage(unsigned message) const {
        return message < kMessageSlots ? byMessage[message] : nullptr;
    }
};

// The message methods of a class, built on first use. A class that gains methods later (run-time extension)
// is resolved again.
const MessageMethods& messageMethodsOf(const rt::Class& cls);

}  // namespace vorpex
