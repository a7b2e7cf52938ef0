// The data layer's error report: the rows a data source collects, the texts built from them, where an error
// happened, and the run-time error an aborting source raises. The texts are shown with MSGALERT or logged
// with LOGDEBUG by name, so that tests answer them without a message box.
#pragma once

#include <string>
#include <vector>

#include "runtime/core/error.h"
#include "runtime/core/value.h"

namespace vorpex::data {

inline constexpr const char* kDataErrorCaption = "Vorpex: DataControls error";

// Where an error was reported: the innermost caller outside the data classes.
struct ErrorPlace {
    std::string procedure;
    int line = 0;
};
// The first call-stack level, counting from the current one, whose name holds none of "DATA", "RECORDS",
// "TSQL"; an empty place when every level belongs to the data classes.
ErrorPlace errorPlace();

// One row of a source's error list: {set name column, text, code, trace}.
rt::Value errorRow(const std::string& setName, const std::string& text, int code, const ErrorPlace& place);
// The row's first column: the set name, or "[None]" in the current language.
std::string errorColumn(const std::string& setName);
// "On procedure: NAME line: N".
std::string errorTrace(const ErrorPlace& place);
// The message of one error: column, CR LF, five blanks, text " [# code]", CR LF, five blanks, trace.
std::string errorMessage(const rt::Value& row);
// Every row, as ShowMasiveError shows them.
std::string massErrorText(const std::vector<rt::Value>& rows);

// Shows the text (MSGALERT with the data layer's caption) or logs it (LOGDEBUG).
void showOrLog(const std::string& text, bool display);
// LOGDEBUG(text) and MSGALERT(text, title), when the program has them.
void logDebug(const std::string& text);
void alertUser(const std::string& text, const std::string& title);

// The error an aborting source raises: subsystem "VORPEX", severity error, sub-code when not zero.
rt::Error dataError(const std::string& text, int code, const std::string& operation);
// The object handed to a source's OnError event: the error's members by name (genCode, subSystem, subCode,
// severity, description, operation, procName, procLine, ...).
rt::Value errorObject(const rt::Error& e, const ErrorPlace& place);

}  // namespace vorpex::data
