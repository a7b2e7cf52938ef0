#include "framework/core/debug/debug_log.h"

#include <algorithm>
#include <cstdio>

#include "runtime/core/frame.h"
#include "runtime/lib/display.h"
#include "runtime/lib/text.h"

namespace vorpex {

// The platform's debugger output (debug_output_win32.cpp / debug_output_stub.cpp).
void platformDebugOutput(std::string_view text);

namespace {

DebugSink& sink() {
    static DebugSink s;
    return s;
}

int g_indent = 0;

}  // namespace

DebugSink setDebugSink(DebugSink s) {
    DebugSink previous = std::move(sink());
    sink() = std::move(s);
    return previous;
}

void writeDebugOutput(std::string_view text) {
    if (sink())
        sink()(text);
    else
        platformDebugOutput(text);
}

int logIndent() { return g_indent; }
void changeLogIndent(int delta) { g_indent = std::max(0, g_indent + delta); }
void resetLogIndent() { g_indent = 0; }

std::string dbgToString(const rt::Value& value) {
    const rt::Value& v = value.deref();
    if (rt::ArrayPtr a = v.asArray()) {
        std::string out;
        for (const rt::Value& item : a->items) out += " " + dbgToString(item);
        return out;
    }
    if (v.isNumber()) return rt::alltrim(rt::displayText(v));
    return rt::displayText(v);
}

std::string logLine(rt::Args args) {
    std::string line(static_cast<size_t>(g_indent), ' ');
    for (size_t i = 0; i < args.size(); ++i) {
        if (i) line += ' ';
        line += dbgToString(args[i]);
    }
    return line;
}

std::vector<std::string> debugStackLines(int levels) {
    std::vector<std::string> lines;
    if (levels <= 0) return lines;
    const std::vector<rt::StackEntry> stack = rt::callStack(static_cast<size_t>(levels));
    for (const rt::StackEntry& e : stack) {
        lines.push_back((lines.empty() ? "Calls: " : "       ") + e.name + "(" + std::to_string(e.line) + ")");
    }
    return lines;
}

std::string debugHex(int64_t n) {
    uint64_t pattern = static_cast<uint64_t>(n);
    if (n < 0 && n >= INT32_MIN) pattern &= 0xFFFFFFFFu;
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%04llX", static_cast<unsigned long long>(pattern));
    return buffer;
}

}  // namespace vorpex
