// The log window of LOGDISPLAY. Its form, memo and timer are made through their classes by name, so the
// debug log needs no more of the framework than what the program links; without them the lines go to the
// debugger output.
#include <windows.h>

#include "framework/core/debug/debug_log.h"
#include "framework/core/debug/log_window.h"
#include "framework/core/window/object_link.h"
#include "runtime/core/block.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "runtime/lib/text.h"

namespace vorpex {

// Makes the form a window the application does not list (form.cpp): the log window never becomes the main
// form, nor is it disabled by modal runs.
void setFormUnlisted(const rt::Value& form);

namespace {

constexpr int kWidth = 200;
constexpr int kSeparatorDelay = 2000;
constexpr int kSizeToolWindow = 5;  // bsSIZETOOLWIN
constexpr int kClientAligned = 5;   // alCLIENT

// Back references only: the window's link holds the form while the window exists, the form its memo and
// timer; closing the window lets them all go.
struct LogWindow {
    rt::Value form, memo, timer;
} g_log;

rt::Value make(const char* className) {
    const rt::Function* f = rt::findFunction(className);
    return f ? (*f)({}) : rt::Value();
}

rt::Value ask(const rt::Value& o, const char* message, std::initializer_list<rt::Value> args = {}) {
    return rt::send(o, rt::Symbol::intern(message), rt::Args(args.begin(), args.size()));
}

rt::Value weak(const rt::Value& v) { return v.isObject() ? rt::Value::weak(v.asObject()) : rt::Value(); }

bool isOpen() {
    const intptr_t h = handleOf(g_log.form);
    return h && IsWindow(reinterpret_cast<HWND>(h)) && handleOf(g_log.memo);
}

int screenMetric(const char* property, int fallbackIndex) {
    const rt::Value& screen = rt::publicVar("Screen");
    rt::Symbol s = rt::Symbol::intern(property);
    if (rt::understands(screen, s)) {
        rt::Value v = rt::send(screen, s);
        if (v.isNumber() && v.asInt() > 0) return v.asInt();
    }
    return GetSystemMetrics(fallbackIndex);
}

void appendToMemo(const std::string& text) {
    HWND memo = reinterpret_cast<HWND>(handleOf(g_log.memo));
    const int end = GetWindowTextLengthA(memo);
    SendMessageA(memo, EM_SETSEL, end, end);
    SendMessageA(memo, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void appendSeparator() {
    HWND memo = reinterpret_cast<HWND>(handleOf(g_log.memo));
    RECT client{};
    GetClientRect(memo, &client);
    appendToMemo(rt::replicate("-", client.right / 8) + "\r\n");
    if (g_log.timer.isObject()) ask(g_log.timer, "_lEnabled", {rt::Value(false)});
}

bool open() {
    if (!rt::findFunction("TFORM") || !rt::findFunction("TMEMO") || !rt::findFunction("TTIMER")) return false;
    const rt::Value& app = rt::publicVar("Application");
    rt::Value owner = rt::understands(app, rt::Symbol::intern("oMainForm")) ? ask(app, "oMainForm") : rt::Value();

    rt::Value form = make("TFORM");
    setFormUnlisted(form);
    ask(form, "New", {owner});
    const int caption = screenMetric("nCaptionHeight", SM_CYCAPTION);
    const int screenWidth = screenMetric("nWidth", SM_CXSCREEN);
    const int screenHeight = screenMetric("nHeight", SM_CYSCREEN);
    ask(form, "SetBounds", {rt::Value(screenWidth - kWidth), rt::Value(caption), rt::Value(kWidth),
                            rt::Value(screenHeight - caption)});
    ask(form, "_cText", {rt::Value("Log")});
    ask(form, "_nBorderStyle", {rt::Value(kSizeToolWindow)});
    ask(form, "Create", {owner});

    rt::Value memo = make("TMEMO");
    ask(memo, "New", {form});
    ask(memo, "_nAlign", {rt::Value(kClientAligned)});
    ask(memo, "Create");

    rt::Value timer = make("TTIMER");
    ask(timer, "Create", {form, rt::Value(kSeparatorDelay), rt::Value(rt::makeBlock([](rt::Args) {
                              appendSeparator();
                              return rt::Value();
                          }))});

    g_log = LogWindow{weak(form), weak(memo), weak(timer)};
    ask(form, "Show");
    SetWindowPos(reinterpret_cast<HWND>(handleOf(form)), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return isOpen();
}

}  // namespace

void logDisplayLine(const std::string& line) {
    if (!isOpen() && !open()) {
        writeDebugOutput(line);
        return;
    }
    appendToMemo(line + "\r\n");
    ask(g_log.timer, "_lEnabled", {rt::Value(true)});
}

LogWindowState logWindowState() {
    if (!isOpen()) return {};
    return {handleOf(g_log.form), handleOf(g_log.memo)};
}

void closeLogWindow() {
    if (isOpen()) DestroyWindow(reinterpret_cast<HWND>(handleOf(g_log.form)));
    g_log = LogWindow{};
}

}  // namespace vorpex
