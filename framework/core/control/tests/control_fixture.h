// What the control tests under Wine share: a stub Application (scale, font, busy flag, tip windows), the
// real Screen, a minimal form of our own (forms are built elsewhere), probe controls that record what reaches
// them, a tip object over a real comctl32 tool-tip window, and small helpers.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/core/control/control.h"
#include "framework/core/control/std_control.h"
#include "framework/core/control/win_control.h"
#include "framework/core/native/win_casts.h"
#include "runtime/core/value.h"

namespace vorpex::testing {

// What probes saw, in order ("GotFocus edit1", "OnEnter edit1 <- edit2", ...).
std::vector<std::string>& journal();

// A minimal top-level form: answers GetForm with itself, hands out ids from 101, keeps oPopup, lMsgAuto,
// oMsgBar and counts shortcut registrations and state requests.
class XTestForm : public XWinControl {
public:
    using XWinControl::XWinControl;
    static const rt::Class& classRecord();
    int nextId = 101;
    int shortcutsAdded = 0, shortcutsRemoved = 0, stateRequests = 0;
};

// Probe controls: a self-drawn one (on TControl), a standard one (on TStdControl) and a container (on
// TWinControl). Each records GotFocus and Notify, answers GetTooltip(id) with "zone <id>", reads
// nAlignment/nVAlignment and runs `onTimer` on WM_TIMER.
const rt::Class& probeControlClass();
const rt::Class& probeStdClass();
const rt::Class& probeContainerClass();
extern std::function<void(const rt::Value& control)> onTimer;
// A standard control class built on a system window class ("EDIT", "BUTTON", "STATIC"): the window class of
// a framework class is registered once, so each system class needs a framework class of its own.
const rt::Class& systemControlClass(const std::string& systemClass);

// The stub Application's members.
struct AppStub {
    rt::Value object;
    void setScale(int percent);
    void setBusy(bool busy);
    void setFont(const rt::Value& font);
    void setTooltip(const rt::Value& tip);
};

class ControlTest : public ::testing::Test {
public:
    // The window of a control, and its rectangle in its parent's client coordinates.
    static HWND hwndOf(const rt::Value& control);
    static RECT placeOf(const rt::Value& control);

protected:
    void SetUp() override;
    void TearDown() override;

    // A form, hidden unless `visible` (showing a top-level window costs Wine a moment without a window manager).
    rt::Value makeForm(bool visible = false, int width = 400, int height = 300);
    // A control of `cls` made with New(parent), given bounds and then Create()d.
    rt::Value makeControl(const rt::Class& cls, const rt::Value& parent, int left, int top, int width, int height,
                          const std::function<void(const rt::Value&)>& before = {});
    // Runs the pending messages.
    static void pump();
    // A counter event handler: a block that adds one and answers `answer`.
    static rt::Value counter(int& count, rt::Value answer = {});

    AppStub app;
    rt::Value form;
};

// A tip window object over a real comctl32 tool tip, with AddTool/DelTool/SetToolInfo as the framework's
// tip objects offer them: the whole-window tool belongs to the control's parent with the control's window as
// its id (text by callback), a zone belongs to the control with its own id.
rt::Value makeTestTip();
int toolCount(const rt::Value& tip);

using win::handleValue;

}  // namespace vorpex::testing
