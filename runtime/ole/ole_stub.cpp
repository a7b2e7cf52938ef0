// The client where the platform has no OLE Automation: every entry point raises one clear error.
#include "ole.h"
#include "ole_error.h"

namespace rt::ole {

namespace {

Value unavailable(std::string_view operation, std::string_view progId) {
    const Value argument(progId);
    return raiseOleError(oleError(Stage::Create, 0x80004001u, std::string(notAvailableText()), operation,
                                  Args(&argument, 1)));
}

}  // namespace

bool available() { return false; }

Value createObject(std::string_view progId) { return unavailable("CREATEOBJECT", progId); }

Value getActiveObject(std::string_view progId) { return unavailable("GETACTIVEOBJECT", progId); }

}  // namespace rt::ole
