#include "framework/core/debug/debug_functions.h"

#include <vector>

#include "framework/core/debug/debug_log.h"
#include "framework/core/debug/log_window.h"
#include "framework/core/debug/small_utilities.h"
#include "framework/core/debug/version_text.h"
#include "runtime/core/runtime.h"

namespace vorpex {

namespace {

using rt::Args;
using rt::Value;

// The trace functions take up to nine values.
Args firstNine(Args args) { return args.size() > 9 ? args.first(9) : args; }

void registerTrace() {
    rt::registerFunction("LOGDEBUG", [](Args a) -> Value {
        writeDebugOutput(logLine(firstNine(a)));
        return {};
    });
    rt::registerFunction("DBGTOSTRING", [](Args a) -> Value { return Value(dbgToString(rt::arg(a, 0))); });
    rt::registerFunction("DEBUGSTACK", [](Args a) -> Value {
        const Value& n = rt::arg(a, 0);
        for (const std::string& line : debugStackLines(n.isNumber() ? n.asInt() : 1)) writeDebugOutput(line);
        return {};
    });
    rt::registerFunction("OUTPUTDEBUGSTRING", [](Args a) -> Value {
        const Value& text = rt::arg(a, 0);
        writeDebugOutput(text.isString() ? text.asString() : std::string());
        return {};
    });
    rt::registerFunction("OUTPUTDEBUGDEC", [](Args a) -> Value {
        writeDebugOutput(std::to_string(rt::arg(a, 0).asInteger()));
        return {};
    });
    rt::registerFunction("OUTPUTDEBUGHEX", [](Args a) -> Value {
        writeDebugOutput(debugHex(rt::arg(a, 0).asInteger()));
        return {};
    });
    rt::registerFunction("LOGDISPLAY", [](Args a) -> Value {
        logDisplayLine(logLine(firstNine(a)));
        return {};
    });
    rt::registerFunction("LOGINCINDENT", [](Args) -> Value {
        changeLogIndent(2);
        return {};
    });
    rt::registerFunction("LOGDECINDENT", [](Args) -> Value {
        changeLogIndent(-2);
        return {};
    });
}

void registerUtilities() {
    rt::registerFunction("VORPEXVERSION", [](Args a) -> Value {
        const Value& n = rt::arg(a, 0);
        return Value(vorpexVersion(n.isNumber() ? n.asInt() : 1));
    });
    rt::registerFunction("STRPATTERN", [](Args a) -> Value {
        return Value(strPattern(rt::arg(a, 0).asString(), rt::arg(a, 1).asString(), rt::arg(a, 2).asLogical()));
    });
    rt::registerFunction("DTOSQL", [](Args a) -> Value { return Value(dToSql(rt::arg(a, 0).asDate())); });
    rt::registerFunction("DTTOSQL", [](Args a) -> Value { return Value(dtToSql(rt::arg(a, 0))); });
    rt::registerFunction("VP_GETDEFVALUE", [](Args a) -> Value { return defaultValueOf(rt::arg(a, 0).asString()); });
}

void callLogDisplay(const Value& v) {
    if (const rt::Function* f = rt::findFunction("LOGDISPLAY")) (*f)(Args(&v, 1));
}

}  // namespace

// The Win32 part (the cursor loader), empty elsewhere.
void registerPlatformDebugFunctions();

void registerDebugFunctions() {
    registerTrace();
    registerUtilities();
    registerPlatformDebugFunctions();
}

void logDisplayNumber(int64_t n) { callLogDisplay(Value(static_cast<long long>(n))); }
void logDisplayText(const std::string& text) { callLogDisplay(Value(text)); }

}  // namespace vorpex
