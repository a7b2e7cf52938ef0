#include "framework/core/gdi/gdi_functions.h"

#include "framework/core/gdi/color.h"
#include "framework/core/gdi/message_box.h"
#include "framework/core/native/native_args.h"

namespace vorpex {

using namespace native;

void registerGdiFunctions() {
    registerMessageBoxFunctions();
    registerCallable("COLORBLEND", [](Args a) -> Value {
        return Value(colorBlend(intArg(a, 0), intArg(a, 1), intArg(a, 2, kDefaultBlendAlpha)));
    });
    registerPlatformGdiFunctions();
}

}  // namespace vorpex
