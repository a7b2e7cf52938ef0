// What an OLE failure becomes: the run-time error of subsystem "OLE" and the text Ole2TxtError() answers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/core/error.h"

namespace rt::ole {

// The symbolic name of an HRESULT the client meets ("DISP_E_UNKNOWNNAME"), or "0x8000FFFF" for others.
std::string hresultText(uint32_t hr);

// Where a failure happened: the generic code follows from it and from the HRESULT.
enum class Stage { Create, Call };

// The error record of a failed step. `text` is the server's description when it gave one, else the HRESULT's
// text; it also becomes the thread's last error text.
Error oleError(Stage stage, uint32_t hr, std::string text, std::string_view operation, Args args);

// Raises the error and answers the handler's default value.
Value raiseOleError(Error e);

void setLastErrorText(std::string text);

}  // namespace rt::ole
