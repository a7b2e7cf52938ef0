// The client's functions callable by name.
#include "ole.h"
#include "runtime/core/runtime.h"

namespace rt::ole {

void registerFunctions() {
    registerFunction("CREATEOBJECT", [](Args a) { return createObject(arg(a, 0).asString()); });
    registerFunction("GETACTIVEOBJECT", [](Args a) { return getActiveObject(arg(a, 0).asString()); });
    registerFunction("OLE2TXTERROR", [](Args) { return Value(lastErrorText()); });
}

}  // namespace rt::ole
