#include "framework/core/timer/services.h"

#include "framework/core/timer/help.h"
#include "framework/core/timer/mutex.h"
#include "framework/core/timer/mutex_port.h"
#include "framework/core/native/native_args.h"

namespace vorpex {

// The Win32 part: TTimer and the timer and clock functions (empty elsewhere).
void registerPlatformServices();

void registerServiceClasses() {
    TMutex::classRecord();
    THelp::classRecord();
    native::registerCallable("MUTEX_OPEN", [](rt::Args a) -> rt::Value {
        return rt::Value(static_cast<long long>(mutexPort().open(native::textOr(a, 0))));
    });
    native::registerCallable("MUTEX_CREATE", [](rt::Args a) -> rt::Value {
        return rt::Value(static_cast<long long>(mutexPort().create(native::textOr(a, 0), native::intArg(a, 1)).handle));
    });
    registerPlatformServices();
}

}  // namespace vorpex
