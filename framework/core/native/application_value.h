// What the native layer reads from the program's Application object (its title, its current folder) while
// knowing nothing of the class: the object is asked by message name.
#pragma once

#include <string>
#include <string_view>

#include "runtime/core/value.h"

namespace vorpex {

// The public `Application` (NIL before the program made one).
rt::Value application();

// The text `message` answers when sent to the public `Application`; "" when there is no such object, it does
// not understand the message, or the answer is no text.
std::string applicationText(std::string_view message);

// Lets the program's message loop handle what is waiting, through the callable PROCESSMESSAGES: code below the
// application layer keeps a long job's window alive without knowing the loop.
void processPendingMessages();

}  // namespace vorpex
