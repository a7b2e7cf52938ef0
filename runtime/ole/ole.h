// The OLE Automation client: objects of other programs (a spreadsheet, a word processor) reached by their
// ProgID and driven by name. An OLE object is a runtime object that answers every message by sending it through
// the server's IDispatch: `oApp:Visible` reads a property, `oApp:_Visible(.T.)` (the `:=` form) writes it, any
// other message with arguments calls a method. Arguments and results are the runtime's values (texts, numbers,
// logicals, dates, arrays, OLE objects); a failure raises a run-time error of subsystem "OLE" whose description
// is the server's own error text when it gave one.
//
// Windows only: elsewhere every entry point raises the error `notAvailableText()`.
#pragma once

#include <string>
#include <string_view>

#include "runtime/core/value.h"

namespace rt::ole {

// False where the platform has no OLE Automation (the native builds).
bool available();

// A new instance of the ProgID's server, as an OLE object. On failure the error is raised; a handler's
// default answer is returned instead (NIL when it gives none).
Value createObject(std::string_view progId);
// The running instance the server registered as active; fails like createObject when there is none.
Value getActiveObject(std::string_view progId);

// The text of the last OLE failure of this thread, "S_OK" after a call that succeeded.
const std::string& lastErrorText();

// CREATEOBJECT(cProgId), GETACTIVEOBJECT(cProgId) and OLE2TXTERROR() callable by name.
void registerFunctions();

// The description of the error raised when the platform has no OLE Automation.
std::string_view notAvailableText();

}  // namespace rt::ole
