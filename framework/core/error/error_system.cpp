#include "framework/core/error/error_system.h"

#include <exception>

#include "framework/core/error/error_log.h"
#include "framework/core/error/error_report.h"
#include "framework/core/gdi/message_box.h"
#include "framework/core/startup/terminate.h"
#include "framework/core/texts/texts.h"
#include "runtime/core/frame.h"
#include "runtime/core/runtime.h"
#include "runtime/rdd/work_areas.h"

namespace vorpex {

using errsys::Choice;
using errsys::Decision;
using texts::LT;

namespace {

ErrorPresenter& presenterSlot() {
    static ErrorPresenter p;
    return p;
}

// Without the error form: Abort / Retry / Ignore, mapped onto the positions of the options offered.
int messageBoxPresenter(const ErrorFormRequest& r) {
    if (!r.canRetry && !r.canDefault) {
        messageBox(r.message, LT(32796), mb::IconStop);
        return 1;
    }
    constexpr unsigned kAbortRetryIgnore = 0x2;
    constexpr int kRetry = 4, kIgnore = 5;
    int button = messageBox(r.message, LT(32796), kAbortRetryIgnore | mb::IconStop);
    if (button == kRetry && r.canRetry) return 2;
    if (button == kIgnore && r.canDefault) return r.canRetry ? 3 : 2;
    return 1;
}

// Set from the moment an error is reported until its form has closed: an error raised meanwhile is a
// failure of the handler itself.
bool& reporting() {
    static bool flag = false;
    return flag;
}

class ReportingScope {
public:
    ReportingScope() { reporting() = true; }
    ~ReportingScope() { reporting() = false; }
    ReportingScope(const ReportingScope&) = delete;
    ReportingScope& operator=(const ReportingScope&) = delete;
};

// The handler failed: one message box, then the program ends. When ending returns (a test's exit seam), the
// break still unwinds the failed report.
[[noreturn]] void failInsideHandler(const std::string& what) {
    std::vector<rt::StackEntry> stack = rt::callStack();
    std::string line = stack.size() > 1 ? std::to_string(stack[1].line) : "0";
    messageBox(LT(32797, {what, line}));
    rt::setExitCode(1);
    Terminate(1);
    throw rt::Break{};
}

void closeEveryDataSource() {
    if (const rt::Function* closeAll = rt::findFunction("DATASOURCECLOSEALL")) (*closeAll)({});
    // Tables opened directly in work areas (imports, reports) close once the break has left the code that
    // failed: closing them here could free an area whose own method is still on the stack. The program's end
    // runs the exit procedures, so the break that quits closes them and their headers are final.
    rt::addExitProc("ERRORSYS", [] { rt::rdd::WorkAreas::instance().closeAll(); });
}

rt::ErrorAnswer report(rt::Error& e) {
    if (reporting()) failInsideHandler(errsys::errorMessage(e));
    int chosen = 0;
    {
        ReportingScope scope;
        rt::FrameGuard frame("ERRORSYS");
        try {
            std::vector<rt::StackEntry> stack = rt::callStack();
            ErrorFormRequest request{errsys::formMessage(e, stack, std::nullopt), errsys::options(e), {},
                                     e.canRetry, e.canDefault};
            errsys::LogResult log = errsys::LogError(e, stack, std::nullopt);
            // This error's own text, never what an older file still says.
            if (log.written) request.log = log.text;
            chosen = ShowError(request);
        } catch (rt::Break&) {
            throw;
        } catch (const std::exception& x) {
            failInsideHandler(x.what());
        }
    }
    switch (errsys::choiceOf(chosen, e)) {
        case Choice::Retry: return {rt::ErrorAction::Retry, rt::Value(true)};
        case Choice::Ignore: return {rt::ErrorAction::Default, rt::Value(false)};
        case Choice::Quit: break;
    }
    closeEveryDataSource();
    return {rt::ErrorAction::Break, rt::Value()};
}

}  // namespace

ErrorPresenter setErrorPresenter(ErrorPresenter presenter) {
    ErrorPresenter old = std::move(presenterSlot());
    presenterSlot() = std::move(presenter);
    return old;
}

int ShowError(const ErrorFormRequest& request) {
    const ErrorPresenter& p = presenterSlot();
    return p ? p(request) : messageBoxPresenter(request);
}

rt::ErrorAnswer XsError(rt::Error& e) {
    switch (errsys::decide(e)) {
        case Decision::Zero: return {rt::ErrorAction::Default, rt::Value(0)};
        case Decision::NetError:
            rt::rdd::WorkAreas::instance().setNetErr(true);
            return {rt::ErrorAction::Default, rt::Value(false)};
        case Decision::Report: break;
    }
    return report(e);
}

void ERRORSYS() { rt::setErrorHandler(XsError); }

void installErrorSystem() {
    rt::setErrorSystemProc(ERRORSYS);
    rt::registerFunction("ERRORSYS", [](rt::Args) {
        ERRORSYS();
        return rt::Value();
    });
}

}  // namespace vorpex
