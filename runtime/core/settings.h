// The runtime's global settings (SET ...). One instance per process, read by the library functions, the
// expression evaluator and the table engine.
#pragma once

#include <string>

namespace rt {

struct Settings {
    std::string dateFormat = "mm/dd/yy";  // SET DATE FORMAT; SET CENTURY widens "yy" to "yyyy"
    bool century = false;
    int epoch = 1900;        // SET EPOCH: two-digit years fall in [epoch, epoch + 99]
    int decimals = 2;        // SET DECIMALS
    bool exact = false;      // SET EXACT: "=" on strings compares the whole right side only when on
    bool deleted = false;    // SET DELETED: skipping hides deleted records
    bool exclusive = true;   // SET EXCLUSIVE: USE opens exclusively unless told otherwise
    bool softSeek = false;   // SET SOFTSEEK
    bool confirm = false;    // SET CONFIRM
    std::string defaultPath; // SET DEFAULT TO
};

Settings& settings();

// The date format with SET CENTURY applied ("dd/mm/yy" becomes "dd/mm/yyyy" when on).
std::string effectiveDateFormat();

}  // namespace rt
