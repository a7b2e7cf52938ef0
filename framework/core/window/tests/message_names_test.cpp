#include <gtest/gtest.h>

#include <set>
#include <string>

#include "framework/core/window/message_names.h"
#include "runtime/core/symbol.h"

namespace vorpex {
namespace {

TEST(MessageNames, NumbersMapToMethodNames) {
    struct Case {
        unsigned message;
        std::string_view name;
    } cases[] = {
        {0x0201, "WMLButtonDown"}, {0x0084, "WMNCHitTest"},   {0x0138, "WMCtlColorStatic"},
        {0x0111, "WMCommand"},     {0x0082, "WMNCDestroy"},   {26, "WMSettingChange"},
        {1025, "WMVorpex"},        {1024, ""},                {0, ""},
        {1026, ""},                {0xC000, ""},              {0x0041, "WMCompacting"},
    };
    for (const Case& c : cases) EXPECT_EQ(messageMethodName(c.message), c.name) << c.message;
}

TEST(MessageNames, EveryEntryFollowsTheNamingRuleAndFitsTheTable) {
    unsigned previous = 0;
    for (const MessageName& n : messageNames()) {
        EXPECT_EQ(rt::upper(n.methodName), methodNameFromWin32(n.win32Name)) << n.win32Name;
        EXPECT_LT(n.number, kMessageSlots) << n.win32Name;
        EXPECT_GE(n.number, previous) << n.win32Name;  // sorted, so the look-up's binary search holds
        previous = n.number;
    }
    EXPECT_EQ(methodNameFromWin32("WM_NCLBUTTONDBLCLK"), "WMNCLBUTTONDBLCLK");
}

// The messages the framework's own classes answer must all have a slot.
TEST(MessageNames, TableKnowsEveryMessageTheFrameworkAnswers) {
    const char* required[] = {
        "WMActivate", "WMActivateApp", "WMChangeUIState", "WMChar", "WMChildActivate", "WMClear", "WMClose",
        "WMCommand", "WMCompacting", "WMContextMenu", "WMCreate", "WMCtlColorBtn", "WMCtlColorEdit",
        "WMCtlColorListBox", "WMCtlColorScrollBar", "WMCtlColorStatic", "WMCut", "WMDestroy", "WMDevModeChange",
        "WMDeviceChange", "WMDisplayChange", "WMDrawItem", "WMDropFiles", "WMEraseBkgnd", "WMExitMenuLoop",
        "WMFontChange", "WMGetMinMaxInfo", "WMHScroll", "WMHelp", "WMInitMenu", "WMInitMenuPopup", "WMKeyDown",
        "WMKeyUp", "WMKillFocus", "WMLButtonDblClk", "WMLButtonDown", "WMLButtonUp", "WMMeasureItem",
        "WMMenuSelect", "WMMouseLeave", "WMMouseMove", "WMMouseWheel", "WMMove", "WMNCActivate", "WMNCCalcSize",
        "WMNCDestroy", "WMNCHitTest", "WMNCLButtonDblClk", "WMNCPaint", "WMNotify", "WMPaint", "WMParentNotify",
        "WMPaste", "WMPowerBroadcast", "WMPrintClient", "WMRButtonDown", "WMRButtonUp", "WMSetCursor",
        "WMSetFocus", "WMSettingChange", "WMShowWindow", "WMSize", "WMSysChar", "WMSysColorChange",
        "WMSysCommand", "WMSysKeyDown", "WMSysKeyUp", "WMThemeChanged", "WMTimeChange", "WMTimer", "WMUndo",
        "WMUserChanged", "WMVScroll", "WMWinIniChange", "WMWindowPosChanged", "WMWindowPosChanging", "WMVorpex"};
    std::set<std::string> known;
    for (const MessageName& n : messageNames()) known.insert(std::string(n.methodName));
    for (const char* name : required) EXPECT_TRUE(known.count(name)) << name;
}

}  // namespace
}  // namespace vorpex
