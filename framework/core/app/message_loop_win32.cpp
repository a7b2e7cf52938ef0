#include <windows.h>

#include <vector>

#include "framework/core/app/hot_key_table.h"
#include "framework/core/app/loop_rules.h"
#include "framework/core/app/message_loop.h"
#include "framework/core/native/application_value.h"
#include "framework/core/native/win_casts.h"
#include "framework/core/native/win_window.h"
#include "framework/core/window/message_dispatch.h"
#include "framework/core/window/object_link.h"
#include "framework/core/window/window_proc.h"
#include "runtime/core/block.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {

namespace {

bool g_running = true;
int g_depth = 0;

struct DepthGuard {
    DepthGuard() { ++g_depth; }
    ~DepthGuard() { --g_depth; }
};

using win::toHwnd;

// Optional members are asked only when the class has them, so partial form classes still run.
rt::Value ask(const rt::Value& o, const char* message, std::initializer_list<rt::Value> args = {}) {
    rt::Symbol s = rt::Symbol::intern(message);
    if (!rt::understands(o, s)) return {};
    return rt::send(o, s, rt::Args(args.begin(), args.size()));
}

bool offerHotKey(const MSG& m) {
    if (!isKeyDown(m.message)) return false;
    BYTE keys[256] = {};
    if (!GetKeyboardState(keys)) return false;
    int modifiers = modifierSet(keys[VK_SHIFT] & 0x80, keys[VK_CONTROL] & 0x80, keys[VK_MENU] & 0x80);
    rt::BlockPtr block = hotKeys().match(static_cast<int>(m.wParam), modifiers);
    if (!block) return false;
    block->eval({});
    return true;
}

void translateAndDispatch(MSG& m) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
}

void serve(MSG& m, HWND client) {
    if (offerHotKey(m)) return;
    // Tab moves between controls; the MDI accelerators would take it for switching child windows.
    bool tab = m.message == WM_KEYDOWN && m.wParam == VK_TAB;
    if (client && !tab && TranslateMDISysAccel(client, &m)) return;
    translateAndDispatch(m);
}

// WM_QUIT ends every loop: an inner loop puts it back for the loops outside it.
LoopEnd quitLoop(const MSG& m) {
    if (g_depth > 1) PostQuitMessage(static_cast<int>(m.wParam));
    return LoopEnd::Quit;
}

// While the program is minimised during a modal run, the modal form is hidden and the main form disabled:
// input is dropped, a restore request reaches the main form, everything else is served.
void serveAwaitingRestore(MSG& m, HWND main) {
    if (isUserInput(m.message)) return;
    bool restore = m.message == WM_SYSCOMMAND && (m.wParam & 0xFFF0) == SC_RESTORE && main;
    if (restore) EnableWindow(main, TRUE);
    translateAndDispatch(m);
    if (restore) EnableWindow(main, FALSE);
}

}  // namespace

bool appRunning() { return g_running; }
void setAppRunning(bool running) { g_running = running; }

LoopEnd runMessageLoop(const rt::Value& form, bool modal) {
    const HWND hForm = toHwnd(handleOf(form));
    const HWND hClient = toHwnd(handleOf(ask(form, "oMdiClient")));
    const HWND hMain = toHwnd(handleOf(ask(application(), "oMainForm")));
    DepthGuard depth;
    g_running = true;
    bool awaitRestore = false;
    while (g_running) {
        MSG m{};
        if (!PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            windowLinks().freeReleased();  // idle: objects of windows destroyed meanwhile go now
            switch (fetchOutcome(GetMessageA(&m, nullptr, 0, 0))) {
                case Fetch::Error: return LoopEnd::Failed;
                case Fetch::Quit: return quitLoop(m);
                case Fetch::Message: break;
            }
        } else if (m.message == WM_QUIT) {
            return quitLoop(m);
        }
        if (awaitRestore) {
            serveAwaitingRestore(m, hMain);
            if (!IsIconic(hMain)) {
                awaitRestore = false;
                SetFocus(hForm);
            }
        } else {
            serve(m, hClient);
        }
        rethrowPendingCallbackErrors();
        if (rt::quitRequested()) return LoopEnd::Quit;
        if (!IsWindow(hForm)) return LoopEnd::FormGone;
        if (!modal || awaitRestore) continue;
        switch (modalStep(IsWindowVisible(hForm), IsIconic(hForm), hMain != nullptr, hMain && IsIconic(hMain))) {
            case ModalStep::Continue: break;
            case ModalStep::Leave: return LoopEnd::ModalClosed;
            case ModalStep::AwaitRestore: awaitRestore = true; break;
        }
    }
    return LoopEnd::Stopped;
}

LoopEnd runForm(const rt::Value& form) {
    rt::Value held = form;  // the form stays alive while its loop runs
    return runMessageLoop(held, false);
}

rt::Value formShowModal(rt::Object& self, rt::Args args) {
    const rt::Value me(self.self());
    const HWND hForm = toHwnd(handleOf(me));

    std::vector<rt::Value> disabled;  // held until re-enabled
    // Re-enabling runs however the loop is left; a break raised meanwhile waits for the loop outside.
    struct Restore {
        std::vector<rt::Value>& forms;
        ~Restore() {
            for (const rt::Value& f : forms) guardCallback([&] { return ask(f, "Enable"); }, rt::Value());
        }
    } restore{disabled};

    rt::Value list = ask(application(), "aForms");
    std::vector<rt::Value> forms = list.asArray() ? list.asArray()->items : std::vector<rt::Value>{};
    for (const rt::Value& f : forms) {
        if (f.sameAs(me) || !ask(f, "lEnabled").asLogical()) continue;
        disabled.push_back(f);
        ask(f, "Disable");
    }

    ask(me, "_nModalResult", {rt::Value(0)});
    ask(me, "_lModal", {rt::Value(true)});
    if (rt::arg(args, 1).asLogical()) win::centerWindow(hForm, nullptr);
    const rt::Value& showMode = rt::arg(args, 0);
    if (showMode.isNumber())
        ask(me, "Show", {showMode});
    else
        ask(me, "Show");
    ask(me, "AlignControls");

    runMessageLoop(me, true);
    return ask(me, "nModalResult");
}

void processMessages() {
    MSG m{};
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (m.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(m.wParam));  // it belongs to the loops
            return;
        }
        if (!offerHotKey(m)) translateAndDispatch(m);
        rethrowPendingCallbackErrors();
    }
}

rt::Value getActiveForm() {
    rt::Value list = ask(application(), "aForms");
    if (!list.asArray()) return {};
    std::vector<rt::Value> forms = list.asArray()->items;
    for (const rt::Value& f : forms)
        if (ask(f, "lActive").asLogical()) return f;
    return {};
}

void registerLoopFunctions() {
    rt::registerFunction("RUNFORM", [](rt::Args a) -> rt::Value {
        runForm(rt::arg(a, 0));
        return {};
    });
    rt::registerFunction("FORMSHOWMODAL", [](rt::Args a) -> rt::Value {
        // Called as a function the form comes first; as the method ShowModal it is Self.
        auto form = rt::arg(a, 0).asObject();
        return form ? formShowModal(*form, a.subspan(1)) : rt::Value();
    });
    rt::registerFunction("PROCESSMESSAGES", [](rt::Args) -> rt::Value {
        processMessages();
        return {};
    });
    rt::registerFunction("APPRUNNING", [](rt::Args a) -> rt::Value {
        if (rt::arg(a, 0).isLogical()) setAppRunning(rt::arg(a, 0).asLogical());
        return rt::Value(appRunning());
    });
    rt::registerFunction("GETACTIVEFORM", [](rt::Args) { return getActiveForm(); });
    rt::registerFunction("VP_SETKEY", [](rt::Args a) { return hotKeys().set(a); });
    rt::registerFunction("ISDEBUG", [](rt::Args) { return rt::Value(false); });
}

}  // namespace vorpex
