// XFindDlg and XReplaceDlg: the system's modeless find and replace dialogs, run in a message loop of their own
// until they close. Each button fires an event with the dialog's current texts and flags (OnFind, and for the
// replace dialog OnReplace and OnReplaceAll); OnClose follows when the dialog is gone. TFindDlg and
// TReplaceDlg are their user classes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "framework/core/object/component.h"
#include "framework/core/object/event.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

// The dialogs' text buffers, with their closing NUL: a longer text is cut to fit.
constexpr size_t kFindTextBuffer = 255;
std::string fitFindText(const std::string& text);

enum class FindAction { None, FindNext, Replace, ReplaceAll, Close };

// What a notification's flags ask for, and the flags the user chose (the action bits taken off).
FindAction findActionOf(uint32_t flags);
uint32_t findChoiceFlags(uint32_t flags);

struct FindNotice {
    FindAction action = FindAction::None;
    std::string findText, replaceText;
    uint32_t flags = 0;  // the user's choices (down, whole word, match case) and the caller's flags
};

struct FindRequest {
    intptr_t owner = 0;
    rt::Object* dialog = nullptr;  // the hook's: Help and the tests' answerer
    bool replace = false;
    bool center = false;
    std::string findText, replaceText;  // already fitted to the buffers
    uint32_t flags = 0;
    std::function<void(const FindNotice&)> notify;  // each button; FindAction::Close once, after the dialog is gone
};

struct FindOutcome {
    bool shown = false;
    uint32_t error = 0;  // CommDlgExtendedError when the dialog could not be shown
};

// Runs the dialog until it closes; not shown where there are no dialogs. A break or failure left by a handler
// closes the dialog and is rethrown here, without the closing notice.
FindOutcome runFindReplace(const FindRequest& request);

// The find dialog: cText, nFlags in; OnFind(oSender, cText, nFlags) per Find Next, OnClose(oSender, cText,
// nFlags) at the end, with cText and nFlags kept as the dialog left them.
class XFindDlg : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord();
    static inline const EventRef OnShow{"OnShow"}, OnClose{"OnClose"}, OnFind{"OnFind"};
    VP_METHODS(Run)  // () -> logical: .F. when the dialog could not be shown

protected:
    rt::Value runDialog(bool replace);
    static inline int kText = -1, kFlags = -1, kReplaceText = -1, kCenter = -1, kLastError = -1;
};

// The replace dialog: also cReplaceText; events (oSender, cText, cReplaceText, nFlags): OnFind, OnReplace,
// OnReplaceAll, OnClose.
class XReplaceDlg : public XFindDlg {
public:
    using XFindDlg::XFindDlg;
    static const rt::Class& classRecord();
    static inline const EventRef OnReplace{"OnReplace"}, OnReplaceAll{"OnReplaceAll"};
    VP_METHODS(Run)
};

using TFindDlg = UserClass<XFindDlg, "TFindDlg">;
using TReplaceDlg = UserClass<XReplaceDlg, "TReplaceDlg">;

}  // namespace vorpex
