#include "framework/core/error/error_report.h"

#include <cstdio>

#include "framework/core/native/to_string.h"
#include "framework/core/texts/texts.h"

namespace vorpex::errsys {

using texts::LT;

namespace {

constexpr const char* kCrLf = "\r\n";
constexpr int kOpenSharingViolation = 32;
constexpr size_t kBannerWidth = 79;

std::string number(int64_t n) { return std::to_string(n); }

// Str(n, 2): right-aligned in two characters.
std::string str2(size_t n) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%2zu", n);
    return buf;
}

std::string frameText(const rt::StackEntry& f) { return f.name + "(" + number(f.line) + ") "; }

struct StartFrame {
    size_t index = 0;
    bool found = false;
};

// Step one of every report: where on the stack the error's own frame is. The search stops at the first
// frame without a name, as that is where the named frames end.
StartFrame findStart(std::span<const rt::StackEntry> stack, const std::optional<Origin>& origin) {
    if (!origin) return {0, false};
    for (size_t i = 0; i < stack.size() && !stack[i].name.empty(); ++i)
        if (stack[i].name == origin->procName && stack[i].line == origin->procLine) return {i, true};
    return {1, false};
}

std::string banner(int id, char fill) { return centred(LT(id), kBannerWidth, fill) + kCrLf; }

std::string label(size_t blanks, const char* name, const std::string& value) {
    return std::string(blanks, ' ') + name + value + kCrLf;
}

}  // namespace

Decision decide(const rt::Error& e) {
    if (e.genCode == rt::eg::ZeroDiv) return Decision::Zero;
    if (e.genCode == rt::eg::Open && e.osCode == kOpenSharingViolation && e.canDefault) return Decision::NetError;
    if (e.genCode == rt::eg::AppendLock && e.canDefault) return Decision::NetError;
    return Decision::Report;
}

bool isHandlerFrame(std::string_view name) {
    for (std::string_view h : {"ERRORSYS", "__ERRRT", "HBOBJECT"})
        if (name.find(h) != std::string_view::npos) return true;
    return false;
}

std::string centred(const std::string& text, size_t width, char fill) {
    if (text.size() >= width) return text.substr(0, width);
    size_t left = (width - text.size()) / 2;
    return std::string(left, fill) + text + std::string(width - text.size() - left, fill);
}

std::string errorMessage(const rt::Error& e) {
    std::string s = LT(e.severity > 1 ? 32804 : 32805);
    s += " " + (e.subSystem.empty() ? std::string("???") : e.subSystem);
    s += "/" + number(e.subCode);
    if (!e.description.empty()) s += "  " + e.description;
    if (!e.filename.empty())
        s += ": " + e.filename;
    else if (!e.operation.empty())
        s += ": " + e.operation;
    return s;
}

std::string argumentsText(const rt::Error& e) {
    if (!e.args.isArray()) return "";
    std::string s;
    size_t i = 0;
    for (const rt::Value& raw : e.args.asArray()->items) {
        const rt::Value& v = raw.deref();
        s += " " + LT(32806, {str2(++i), std::string(1, v.typeCode()), toText(rt::Args(&v, 1))});
    }
    return s;
}

std::vector<rt::StackEntry> reportFrames(std::span<const rt::StackEntry> stack, const std::optional<Origin>& origin) {
    std::vector<rt::StackEntry> frames;
    for (size_t i = findStart(stack, origin).index; i < stack.size(); ++i)
        if (!isHandlerFrame(stack[i].name)) frames.push_back(stack[i]);
    return frames;
}

std::string formMessage(const rt::Error& e, std::span<const rt::StackEntry> stack,
                        const std::optional<Origin>& origin) {
    std::string s;
    if (origin && !findStart(stack, origin).found && !isHandlerFrame(origin->procName))
        s = frameText({origin->procName, origin->procLine}) + kCrLf;
    if (s.empty()) {
        std::vector<rt::StackEntry> frames = reportFrames(stack, origin);
        if (!frames.empty()) s = frameText(frames.front()) + kCrLf;
    }
    s += errorMessage(e) + kCrLf;
    s += LT(32798, {argumentsText(e)});
    if (e.osCode != 0) s += kCrLf + LT(32799, {number(e.osCode)});
    return s;
}

std::vector<std::string> options(const rt::Error& e) {
    std::vector<std::string> list{LT(32800)};
    if (e.canRetry) list.push_back(LT(32801));
    if (e.canDefault) list.push_back(LT(32802));
    return list;
}

Choice choiceOf(int chosen, const rt::Error& e) {
    std::vector<Choice> offered{Choice::Quit};
    if (e.canRetry) offered.push_back(Choice::Retry);
    if (e.canDefault) offered.push_back(Choice::Ignore);
    if (chosen < 1 || static_cast<size_t>(chosen) > offered.size()) return Choice::Quit;
    return offered[static_cast<size_t>(chosen) - 1];
}

std::string logText(const rt::Error& e, const LogEnvironment& env, std::span<const rt::StackEntry> stack,
                    const std::optional<Origin>& origin, std::span<const AreaState> areas) {
    std::string s = banner(32807, '*') + kCrLf;
    s += label(13, "Exe: ", env.exe);
    s += label(9, "Version: ", env.version);
    s += label(7, "User name: ", env.user);
    s += label(3, "Computer name: ", env.computer);
    s += LT(32808, {env.date, env.time, env.freeMemory, number(env.currentArea)}) + kCrLf;
    s += banner(32809, '-') + kCrLf;
    s += LT(32810, {env.frameworkVersion, env.runtimeVersion, env.compiler, env.platform}) + kCrLf;
    s += banner(32811, '-') + kCrLf;
    s += LT(32812, {e.subSystem, number(e.subCode), e.canDefault ? ".T." : ".F.", e.description, e.operation,
                    argumentsText(e), e.filename, number(e.osCode)});
    for (const rt::StackEntry& f : reportFrames(stack, origin)) s += "  " + f.name + " (" + number(f.line) + ")" + kCrLf;
    s += kCrLf;
    for (size_t i = 0; i < areas.size(); ++i) {
        const AreaState& a = areas[i];
        if (i == 0) s += banner(32813, '-');
        s += kCrLf + LT(32814, {number(a.number), a.alias, number(a.recno), a.filter, a.relation, number(a.order),
                                a.key});
    }
    return s;
}

}  // namespace vorpex::errsys
