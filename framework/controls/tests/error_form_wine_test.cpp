// The error handler with its real form under Wine: what the form offers for a missing table and for an
// error without choices, retry, ignore, quit by the close box, the details pane with this error's log and
// the clipboard, and a failure while the form is built. Buttons are pressed by messages queued before the
// modal loop starts, which serves them as it would a person's clicks.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "framework/controls/button/button.h"
#include "framework/controls/controls.h"
#include "framework/controls/error_form/error_form.h"
#include "framework/core/app/application.h"
#include "framework/core/control/control.h"
#include "framework/core/debug/debug_functions.h"
#include "framework/core/error/error_log.h"
#include "framework/core/error/error_system.h"
#include "framework/core/form/form.h"
#include "framework/core/gdi/message_box.h"
#include "framework/core/native/native_functions.h"
#include "framework/core/object/object_bridge.h"
#include "framework/core/startup/terminate.h"
#include "framework/core/texts/texts.h"
#include "framework/core/window/object_link.h"
#include "framework/core/window/window_proc.h"
#include "framework/graphics/graphics.h"
#include "runtime/core/block.h"
#include "runtime/core/callback_guard.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "runtime/rdd/table.h"
#include "runtime/rdd/work_areas.h"

namespace vorpex {
namespace {

namespace fs = std::filesystem;
using rt::Value;
using rt::rdd::WorkAreas;

struct ButtonSeen {
    std::string text;
    RECT place;
    HWND window;
};

BOOL CALLBACK collectButton(HWND child, LPARAM list) {
    char cls[64] = {}, text[128] = {};
    GetClassNameA(child, cls, sizeof cls);
    CharUpperA(cls);
    if (!std::strstr(cls, "BUTTON")) return TRUE;  // the framework's superclass of "BUTTON"
    GetWindowTextA(child, text, sizeof text);
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    reinterpret_cast<std::vector<ButtonSeen>*>(list)->push_back({text, r, child});
    return TRUE;
}

HWND windowOf(const Value& o) { return reinterpret_cast<HWND>(rt::send(o, "Handle").asInteger()); }

std::string clipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(GlobalLock(h));
        GlobalUnlock(h);
    }
    CloseClipboard();
    return text;
}

class ErrorForm : public ::testing::Test {
protected:
    void SetUp() override {
        rt::resetForTests();
        resetTerminateForTests();
        resetBridgeCacheForTests();
        registerNativeFunctions();
        registerGraphics();
        registerControls();
        registerDebugFunctions();
        registerForms();
        registerStandardControls();
        initializeApplication();
        texts::SETLANGUAGE(9);
        home_ = fs::current_path();
        dir_ = fs::temp_directory_path() / ("vp_errform_" + std::to_string(GetCurrentProcessId()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        fs::current_path(dir_);
        ERRORSYS();
        setMessageBoxHook([this](const MessageBoxRequest& r) {
            boxes.push_back(r.text);
            return mb::IdOk;
        });
        terminateHooks().exitProcess = [this](int code) { exitCodes.push_back(code); };
    }
    void TearDown() override {
        setErrorFormAutomation(nullptr);
        setMessageBoxHook(nullptr);
        terminateHooks().exitProcess = nullptr;
        rt::setErrorHandler(nullptr);
        WorkAreas::instance().closeAll();
        const Value app = rt::publicVar("Application");
        if (app.isObject()) rt::send(app, "End");
        windowLinks().freeReleased();
        rt::clearPendingBreak();
        resetTerminateForTests();
        fs::current_path(home_);
        fs::remove_all(dir_);
    }

    // Presses the option button with this caption once the form runs modally; records what was offered.
    void pressWhenShown(const std::string& caption, std::function<void(const Value& form)> look = {}) {
        setErrorFormAutomation([this, caption, look](const Value& form) {
            seen.clear();
            EnumChildWindows(windowOf(form), collectButton, reinterpret_cast<LPARAM>(&seen));
            if (look) look(form);
            if (caption.empty()) {
                PostMessageA(windowOf(form), WM_CLOSE, 0, 0);
                return;
            }
            for (const ButtonSeen& b : seen)
                if (b.text == caption) return (void)PostMessageA(b.window, BM_CLICK, 0, 0);
            ADD_FAILURE() << "no button " << caption;
            PostMessageA(windowOf(form), WM_CLOSE, 0, 0);  // never leave the modal loop waiting
        });
    }
    static void makeTable(const std::string& name) {
        rt::rdd::Table::create(name, {{"NUMERO", 'N', 4, 0}}, {});
    }
    static bool use(const std::string& name) {
        rt::rdd::UseOptions o;
        o.newArea = true;
        return WorkAreas::instance().use(name, o);
    }

    std::vector<ButtonSeen> seen;
    std::vector<std::string> boxes;
    std::vector<int> exitCodes;

private:
    fs::path home_, dir_;
};

// A plain modal form: the first click is vetoed by OnClick and leaves it open, the second closes it with
// the button's modal result.
TEST_F(ErrorForm, AButtonsModalResultClosesAModalForm) {
    Value form = rt::send(Value(TForm::classRecord().instantiate()), "New");
    rt::send(form, "SetBounds", {30, 30, 300, 200});
    rt::send(form, "Create");
    Value button = rt::send(Value(TButton::classRecord().instantiate()), "New", {form});
    rt::send(button, "SetBounds", {10, 10, 80, 25});
    rt::send(button, "_nModalResult", {mrYES});
    int clicks = 0;
    rt::send(button, "_OnClick", {Value(rt::makeBlock([&clicks](rt::Args) { return Value(++clicks > 1); }))});
    rt::send(button, "Create");
    PostMessageA(windowOf(button), BM_CLICK, 0, 0);
    PostMessageA(windowOf(button), BM_CLICK, 0, 0);
    EXPECT_EQ(rt::send(form, "ShowModal").asInteger(), mrYES);
    EXPECT_EQ(clicks, 2);
}

TEST_F(ErrorForm, MissingTableOffersQuitRetryIgnoreAndIgnoreContinues) {
    std::string message, log;
    pressWhenShown("&Ignore", [&](const Value& form) {
        message = rt::send(rt::send(form, "oMemo1"), "cText").asString();
        log = rt::send(rt::send(form, "oMemo2"), "cText").asString();
        EXPECT_FALSE(IsWindowVisible(windowOf(rt::send(form, "oMemo2"))));
    });
    EXPECT_FALSE(use("empleado.dbf"));
    ASSERT_EQ(seen.size(), 4u);
    const char* captions[] = {"&Quit", "&Retry", "&Ignore", "&Details >>>"};
    const LONG lefts[] = {5, 85, 165, 512};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(seen[i].text, captions[i]);
        EXPECT_EQ(seen[i].place.left, lefts[i]) << captions[i];
    }
    EXPECT_NE(message.find("Open error: empleado.dbf"), std::string::npos) << message;
    std::ifstream in(errsys::kLogFile, std::ios::binary);
    std::stringstream file;
    file << in.rdbuf();
    EXPECT_EQ(log, file.str());
    EXPECT_EQ(rt::exitCode(), 1);
}

TEST_F(ErrorForm, RetryRepeatsTheOpen) {
    pressWhenShown("&Retry", [](const Value&) { makeTable("empleado.dbf"); });
    EXPECT_TRUE(use("empleado.dbf"));
}

TEST_F(ErrorForm, TheCloseBoxQuitsAndTheProgramEndsWithItsTablesClosed) {
    makeTable("checadas.dbf");
    ASSERT_TRUE(use("checadas.dbf"));
    pressWhenShown("");
    EXPECT_THROW(use("empleado.dbf"), rt::Break);
    rt::quit();
    EXPECT_EQ(WorkAreas::instance().area(1), nullptr);
    EXPECT_TRUE(fs::remove("checadas.dbf"));
}

TEST_F(ErrorForm, AnErrorWithoutChoicesOffersQuitOnly) {
    pressWhenShown("&Quit");
    rt::Error e;
    e.genCode = rt::eg::DataType;
    e.description = "Data type error";
    EXPECT_THROW(rt::raise(e), rt::Break);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].text, "&Quit");
    EXPECT_EQ(seen[1].text, "&Details >>>");
}

TEST_F(ErrorForm, AnUnwritableLogLeavesTheDetailsEmpty) {
    fs::create_directory(errsys::kLogFile);  // this error's log cannot be written...
    std::string shownLog = "unset";
    pressWhenShown("&Ignore", [&](const Value& form) {
        shownLog = rt::send(rt::send(form, "oMemo2"), "cText").asString();
    });
    EXPECT_FALSE(use("empleado.dbf"));
    EXPECT_EQ(shownLog, "");  // ...so the pane stays empty rather than showing an older file
}

TEST_F(ErrorForm, DetailsPaneOpensAndCopies) {
    std::string copied, log;
    pressWhenShown("&Ignore", [&](const Value& form) {
        rt::send(form, "Details");
        log = rt::send(rt::send(form, "oMemo2"), "cText").asString();
        copied = clipboardText();
        RECT client{};
        GetClientRect(windowOf(form), &client);
        EXPECT_EQ(client.bottom, 265);
        EXPECT_EQ(rt::send(rt::send(form, "oDetails"), "cText").asString(), "<<< &Details");
        rt::send(form, "Details");
        GetClientRect(windowOf(form), &client);
        EXPECT_EQ(client.bottom, 107);
    });
    EXPECT_FALSE(use("empleado.dbf"));
    EXPECT_FALSE(log.empty());
    EXPECT_EQ(copied, log);
}

TEST_F(ErrorForm, AFailureWhileTheFormIsBuiltShowsOneBoxAndEnds) {
    setErrorFormAutomation([](const Value&) { rt::send(Value(), "NoSuchMethod"); });
    EXPECT_THROW(use("empleado.dbf"), rt::Break);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("inside ERRORSYS, line: "), std::string::npos) << boxes[0];
    EXPECT_EQ(exitCodes, std::vector<int>{1});
}

}  // namespace
}  // namespace vorpex
