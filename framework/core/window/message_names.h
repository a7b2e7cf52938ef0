// Which message numbers have a method, and what it is called. A window's message n is sent as the method
// "WM" + the Win32 name without "WM_" and without underscores (WM_LBUTTONDOWN -> WMLButtonDown); the private
// message WM_USER + 1 is WMVorpex. Messages above that have no method.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace vorpex {

inline constexpr unsigned kMessageSlots = 1026;
inline constexpr unsigned kVorpexMessage = 1025;  // WM_USER + 1

struct MessageName {
    unsigned number;
    std::string_view win32Name;   // "WM_LBUTTONDOWN", or the framework's own name for WMVorpex
    std::string_view methodName;  // "WMLButtonDown"
};

// The method name of a message, empty when the message has none.
std::string_view messageMethodName(unsigned message);

// Every named message, in ascending order.
std::span<const MessageName> messageNames();

// The naming rule applied to a Win32 name: "WM_NCHITTEST" -> "WMNCHITTEST". Method names are
// case-insensitive, so the rule fixes the letters and the table adds the readable mixed case.
std::string methodNameFromWin32(std::string_view win32Name);

}  // namespace vorpex
