#include <windows.h>

#include "framework/core/native/native_args.h"
#include "framework/core/timer/timer.h"

namespace vorpex {

namespace {

using native::Args;
using native::Value;

Value bigNumber(LONGLONG n) { return Value(static_cast<long long>(n)); }

}  // namespace

void registerPlatformServices() {
    TTimer::classRecord();
    native::registerCallable("SETTIMER", [](Args a) -> Value {
        return Value(static_cast<unsigned long long>(SetTimer(reinterpret_cast<HWND>(native::handleArg(a, 0)),
                                                              static_cast<UINT_PTR>(native::intArg(a, 1)),
                                                              static_cast<UINT>(native::intArg(a, 2)), nullptr)));
    });
    native::registerCallable("KILLTIMER", [](Args a) -> Value {
        return Value(KillTimer(reinterpret_cast<HWND>(native::handleArg(a, 0)),
                               static_cast<UINT_PTR>(native::intArg(a, 1))) != 0);
    });
    native::registerCallable("QUERYPERFORMANCECOUNTER", [](Args) -> Value {
        LARGE_INTEGER n{};
        return bigNumber(QueryPerformanceCounter(&n) ? n.QuadPart : 0);
    });
    native::registerCallable("QUERYPERFORMANCEFREQUENCY", [](Args) -> Value {
        LARGE_INTEGER n{};
        return bigNumber(QueryPerformanceFrequency(&n) ? n.QuadPart : 0);
    });
    native::registerCallable("SLEEP", [](Args a) -> Value {
        Sleep(static_cast<DWORD>(native::intArg(a, 0)));
        return {};
    });
    native::registerCallable("GETTICKCOUNT", [](Args) -> Value { return Value(static_cast<unsigned long>(GetTickCount())); });
}

}  // namespace vorpex
