// A program on the framework's own WinMain, for the tests that run it as a child process:
//   startup_probe <output file> <mode> [words...]
// It writes what it sees to the output file (and a crash report, through the presenter seam, to
// "<output file>.report") and ends the way the mode asks.
#include <windows.h>

#include <fstream>
#include <stdexcept>
#include <string>

#include "framework/core/object/app_data.h"
#include "framework/core/startup/crash_report.h"
#include "framework/core/startup/program.h"
#include "framework/core/startup/run_program.h"
#include "framework/core/startup/terminate.h"
#include "runtime/core/block.h"
#include "runtime/core/frame.h"
#include "runtime/core/runtime.h"

namespace {

std::string g_out;

void say(const std::string& line) { std::ofstream(g_out, std::ios::app | std::ios::binary) << line << "\n"; }

[[gnu::noinline]] void accessViolation() {
    volatile int* nowhere = nullptr;
    *nowhere = 1;
}

LRESULT CALLBACK crashingProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_USER) {
        rt::FrameGuard frame("WNDPROC", 21);
        accessViolation();
    }
    return DefWindowProcA(w, msg, wp, lp);
}

void crashInWindowProcedure() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = crashingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VorpexStartupProbe";
    RegisterClassA(&wc);
    HWND w = CreateWindowA(wc.lpszClassName, "probe", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                           wc.hInstance, nullptr);
    PostMessageA(w, WM_USER, 0, 0);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
}

void echo() {
    const auto& args = rt::arguments();
    say("argc " + std::to_string(args.size()));
    for (const std::string& a : args) say("[" + a + "]");
    say("module " + vorpex::programEntry().modulePath);
}

void terminateTwice() {
    rt::Value appData = rt::publicVar("AppData");
    vorpex::assignEvent(*appData.asObject(), vorpex::XAppData::OnClose, rt::Value(rt::makeBlock([](rt::Args) {
                            say("close");
                            return rt::Value();
                        })));
    rt::addExitProc("PROBEEXIT2", [] {
        vorpex::Terminate(1);  // shutdown already runs: returns at once
        say("exit again");
    });
    rt::setExitCode(5);
    vorpex::Terminate(1);
    say("after");  // never: Terminate(1) ends the process
}

}  // namespace

void MAIN() {
    const auto& args = rt::arguments();
    if (args.size() < 2) {
        rt::setExitCode(9);
        return;
    }
    g_out = args[0];
    const std::string mode = args[1];
    vorpex::setCrashReportPresenter([](const std::string& text) {
        std::ofstream(g_out + ".report", std::ios::binary) << text;
        say("report");
        return IDOK;
    });
    rt::addExitProc("PROBEEXIT", [] { say("exit"); });
    rt::FrameGuard frame("MAIN", 1);
    if (mode == "echo") echo();
    if (mode == "crash") {
        rt::FrameGuard inner("CRASHER", 12);
        accessViolation();
    }
    if (mode == "crash-in-exit")
        rt::addExitProc("EXITCRASH", [] {
            rt::FrameGuard inner("EXITCRASH", 7);
            accessViolation();
        });
    if (mode == "crash-in-window") crashInWindowProcedure();
    if (mode == "throw") throw std::runtime_error("escaped");
    if (mode == "terminate-twice") terminateTwice();
    if (mode == "exit-code") rt::setExitCode(3);
    if (mode == "names")
        for (size_t i = 2; i < args.size(); ++i) say(args[i] + (rt::findFunction(args[i]) ? " yes" : " no"));
}
