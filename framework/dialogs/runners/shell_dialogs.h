// The shell's own dialogs: XPickIconDlg (an icon of a file), XRunFileDlg (the run dialog, its notifications to
// OnExecute) and XFormatDriveDlg (formatting a drive, with a suggested label). TPickIconDlg, TRunFileDlg and
// TFormatDriveDlg are their user classes. Where the shell lacks a dialog, Run answers .F.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "framework/core/object/component.h"
#include "framework/core/object/event.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

// The drive a text names ("C", "c:", "C:\"), 0 for A; -1 for none.
int driveNumberOf(const std::string& drive);

struct IconPick {
    bool ok = false;
    std::string fileName;  // cut to the shell's 259 characters
    int64_t index = 0;
};
IconPick runPickIcon(intptr_t owner, const IconPick& start);

struct RunFileRequest {
    intptr_t owner = 0, icon = 0;
    std::string directory, title, message;
    uint32_t flags = 0;
    // The file the user asked to run: answers 0 to run it, 1 not to, 2 to keep the dialog open.
    std::function<int64_t(const std::string& file, const std::string& directory, int64_t show)> execute;
};
// false where the shell has no run dialog.
bool runRunFile(const RunFileRequest& request);

// The shell's answer: the format's identifier, or -1 error, -2 cancelled, -3 not formattable; -1 where the
// shell has no format dialog.
constexpr int64_t kFormatError = -1;
int64_t runFormatDrive(intptr_t owner, int drive, uint32_t options, const std::string& label);

class XPickIconDlg : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord();
    static inline const EventRef OnShow{"OnShow"}, OnClose{"OnClose"};
    VP_METHODS(Run)  // () -> logical: .T. when an icon was picked (cFileName, nIndex)

private:
    static inline int kFileName = -1, kIndex = -1;
};

class XRunFileDlg : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord();
    static inline const EventRef OnShow{"OnShow"}, OnClose{"OnClose"}, OnExecute{"OnExecute"};
    VP_METHODS(Run)  // () -> logical: .F. where there is no run dialog

private:
    static inline int kIcon = -1, kDirectory = -1, kTitle = -1, kMessage = -1, kFlags = -1;
};

class XFormatDriveDlg : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord();
    static inline const EventRef OnShow{"OnShow"}, OnClose{"OnClose"};
    VP_METHODS(Run)  // () -> logical: .T. when the drive was formatted; else nLastError tells why

private:
    static inline int kDrive = -1, kFlags = -1, kLabel = -1, kLastError = -1;
};

using TPickIconDlg = UserClass<XPickIconDlg, "TPickIconDlg">;
using TRunFileDlg = UserClass<XRunFileDlg, "TRunFileDlg">;
using TFormatDriveDlg = UserClass<XFormatDriveDlg, "TFormatDriveDlg">;

}  // namespace vorpex
