#include "framework/core/startup/crash_report.h"

#include <cstdio>

#include "framework/core/startup/startup_platform.h"

namespace vorpex {

namespace {

struct ExceptionText {
    uint32_t code;
    const char* text;
};

// The texts as programs have always shown them, misspelling included.
constexpr ExceptionText kExceptionTexts[] = {
    {0x80000002u, "Datatype misalignment"},
    {0x80000003u, "Breakpoint"},
    {0x80000004u, "Single step"},
    {0xC0000005u, "Access violation"},
    {0xC0000006u, "Page error"},
    {0xC000001Du, "Illegal instruction"},
    {0xC0000025u, "Noncontinuable exception"},
    {0xC0000026u, "Invalid disposition"},
    {0xC000008Cu, "Array bounds exceeed"},
    {0xC000008Du, "Flt: Denormal operand"},
    {0xC000008Eu, "Flt: Divide by zero"},
    {0xC000008Fu, "Flt: Inexact result"},
    {0xC0000090u, "Flt: Invalid operation"},
    {0xC0000091u, "Flt: Overflow"},
    {0xC0000092u, "Flt: stack check"},
    {0xC0000093u, "Flt: Underflow"},
    {0xC0000094u, "Divide by zero"},
    {0xC0000095u, "Overflow"},
    {0xC0000096u, "Privileged instruction"},
    {0xC00000FDu, "Stack overflow"},
};

CrashPresenter& presenter() {
    static CrashPresenter p;
    return p;
}

}  // namespace

const char* exceptionName(uint32_t code) {
    for (const ExceptionText& e : kExceptionTexts)
        if (e.code == code) return e.text;
    return nullptr;
}

std::string crashReportText(uint32_t code, const std::vector<rt::StackEntry>& stack) {
    char header[40];
    std::snprintf(header, sizeof header, "GPF (Code = %x):\r\n", static_cast<unsigned>(code));
    std::string text = header;
    if (const char* name = exceptionName(code)) text += std::string(name) + "\r\n";
    text += "\r\n";
    size_t levels = 0;
    for (const rt::StackEntry& level : stack) {
        if (level.name.empty() || levels == kCrashFrameLimit) break;
        std::string line = level.name.substr(0, kCrashNameLimit) + " (" + std::to_string(level.line) + ")\r\n";
        if (text.size() + line.size() > kCrashReportLimit) break;
        text += line;
        ++levels;
    }
    return text;
}

CrashPresenter setCrashReportPresenter(CrashPresenter p) {
    CrashPresenter old = std::move(presenter());
    presenter() = std::move(p);
    return old;
}

int ShowCrashReport(uint32_t code) {
    std::string text = crashReportText(code, rt::callStack(kCrashFrameLimit));
    if (presenter()) return presenter()(text);
    return platform::showCrashText(text);
}

}  // namespace vorpex
