// XApplication: the one application object (public variable Application). It owns a hidden top-level window
// for the system's notifications, the list of open forms with the main form and its succession, the
// application font, icon, help and scale, the program's version texts and the single-instance guard; Run drives
// the message loop. TApplication is its user class. Windows only.
#pragma once

#include "framework/core/app/form_roster.h"
#include "framework/core/app/scale.h"
#include "framework/core/object/component.h"
#include "framework/core/object/event.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

class XApplication : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord();
    VP_METHODS(Run, Terminate, End, InsertForm, RemoveForm, SetActiveForm, SetScale, SetFont, GetFont, SetIcon,
               GetIcon, SetBusy, SetHelp, Help, CurrentDir, CurrentDrive, DecimalSeparator)
    VP_HIDDEN(SetMutex, SetTooltips, CallOnHelp, GetVersionInfo)

    static inline const EventRef OnHelp{"OnHelp"}, OnActivateApp{"OnActivateApp"}, OnCompacting{"OnCompacting"},
        OnDeviceChange{"OnDeviceChange"}, OnDevModeChange{"OnDevModeChange"}, OnDisplayChange{"OnDisplayChange"},
        OnFontChange{"OnFontChange"}, OnPowerBroadcast{"OnPowerBroadcast"}, OnSettingChange{"OnSettingChange"},
        OnSysColorChange{"OnSysColorChange"}, OnTimeChange{"OnTimeChange"}, OnThemeChanged{"OnThemeChanged"},
        OnUserChanged{"OnUserChanged"}, OnNewInstance{"OnNewInstance"};

    // Typed access for framework code.
    FormRoster& forms() { return roster_; }
    intptr_t Handle() const { return static_cast<intptr_t>(field(kHandle).asInteger()); }
    bool lTerminate() const { return field(kTerminate).asLogical(); }
    const std::string& cTitle() const { return field(kTitle).asString(); }

    rt::Value Initialize(rt::Args args);
    rt::Value ShowMessage(rt::Args args);  // the method MessageBox
    rt::Value SetAutoScale(rt::Args args);
    rt::Value SetTerminate(rt::Args args);
    rt::Value Forms(rt::Args args);
    rt::Value MainForm(rt::Args args);
    rt::Value ActiveForm(rt::Args args);

private:
    friend struct ApplicationLayout;
    static inline int kFont = -1, kIcon = -1, kTitle = -1, kAutoScale = -1, kScale = -1, kSingleInstance = -1,
                      kBusy = -1, kHelp = -1, kWinVer = -1, kWinPlatform = -1, kArguments = -1, kFileName = -1,
                      kDirectory = -1, kVersion = -1, kRelease = -1, kBuild = -1, kVersionText = -1,
                      kDescription = -1, kCompany = -1, kCopyright = -1, kTradeMarks = -1, kComments = -1,
                      kTerminate = -1, kHandle = -1, kTooltip = -1, kBalloon = -1, kFontScale = -1, kMutex = -1;

    rt::Value setTerminate(bool on);
    void createHiddenWindow();
    void endMember(int position);
    ScaleState scaleState() const;

    FormRoster roster_;
};

using TApplication = UserClass<XApplication, "TApplication">;

// What the start-up procedure calls: TApplication():Initialize(), registering the window and loop functions
// first. Answers the Application.
rt::Value initializeApplication();

}  // namespace vorpex
