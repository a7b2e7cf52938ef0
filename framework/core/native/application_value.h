// What the native layer reads from the program's Application object (its title, its current folder) while
// knowing nothing of the class: the object is asked by message name.
#pragma once

#include <string>
#include <string_view>

namespace vorpex {

// The text `message` answers when sent to the public `Application`; "" when there is no such object, it does
// not understand the message, or the answer is no text.
std::string applicationText(std::string_view message);

}  // namespace vorpex
