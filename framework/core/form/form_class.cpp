// XForm's class record.
#include <windows.h>

#include "framework/core/form/form.h"
#include "framework/core/form/mdi_client.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"

namespace vorpex {

namespace {

using rt::Value;

constexpr int64_t kCwUseDefault = 0x80000000LL;
constexpr int64_t kFormCtlStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_HSCROLL | WS_VSCROLL;

}  // namespace

struct FormLayout {
    using X = XForm;

    static void properties(VPClass& b) {
        using namespace rt::scope;
        for (const char* bound : {"nLeft", "nTop", "nWidth", "nHeight"})
            b.addProperty({.name = bound, .initial = Value(static_cast<long long>(kCwUseDefault))});
        // NIL until a client size is asked for (or the window reports its own).
        b.record().redeclareField(X::kClientWidth, Value(), "N");
        b.record().redeclareField(X::kClientHeight, Value(), "N");
        X::kParentIcon = b.addProperty({.name = "lParentIcon", .initial = true, .type = "L", .scope = Published,
                                        .setter = &X::SetParentIconProperty});
        X::kIcon = b.addProperty({.name = "oIcon", .type = "TIcon", .scope = Published, .getter = &X::GetIcon,
                                  .setter = &X::SetIcon, .editor = "PE_Icon"});
        X::kAppWindow = b.addProperty({.name = "lAppWindow", .initial = false, .type = "L", .scope = Published});
        X::kModal = b.addProperty({.name = "lModal", .initial = false, .type = "L", .scope = Published});
        X::kCentered = b.addProperty({.name = "lCentered", .initial = false, .type = "L", .scope = Published,
                                      .setter = &X::SetCenteredProperty});
        X::kShowMode = b.addProperty({.name = "nShowMode", .initial = smNORMAL, .type = "N", .scope = Published,
                                      .choices = choiceList({{"smNORMAL", 1}, {"smMAXIMIZE", 3}, {"smMINIMIZE", 6}})});
        b.addProperty({.name = "nBorderStyle", .initial = 2, .type = "N", .scope = Published,
                       .setter = &X::SetBorderStyle,
                       .choices = choiceList({{"bsNONE", 0}, {"bsSINGLE", 1}, {"bsSIZEABLE", 2}, {"bsDIALOG", 3},
                                           {"bsTOOLWINDOW", 4}, {"bsSIZETOOLWIN", 5}, {"bsSPLASH", 6}})});
        X::kFormType = b.addProperty({.name = "nFormType", .initial = ftNORMAL, .type = "N", .scope = Published,
                                      .choices = choiceList({{"ftNORMAL", 0}, {"ftMDIFRAME", 1}, {"ftMDICHILD", 2}})});
        auto flag = [&](const char* name, bool initial) {
            return b.addProperty({.name = name, .initial = initial, .type = "L", .scope = Published});
        };
        X::kSysMenu = flag("lSysMenu", true);
        X::kCloseBox = flag("lCloseBox", true);
        X::kMinimizeBox = flag("lMinimizeBox", true);
        X::kMaximizeBox = flag("lMaximizeBox", true);
        X::kHelpIcon = flag("lHelpIcon", false);
        X::kHideOnClose = flag("lHideOnClose", false);
        X::kDirectShortCuts = flag("lDirectShortCuts", false);
        auto size = [&](const char* name, rt::Value (X::*setter)(rt::Args), int which) {
            const Accessor set = rt::NativeMethod([setter, which](rt::Object& self, const rt::Method&,
                                                                  rt::Args a) -> Value {
                std::vector<Value> args(2);
                args[static_cast<size_t>(which)] = rt::arg(a, 0);
                (static_cast<X&>(self).*setter)(args);
                return rt::arg(a, 0);
            });
            return b.addProperty({.name = name, .initial = 0, .type = "N", .scope = Published, .setter = set});
        };
        X::kMinWidth = size("nMinWidth", &X::SetMinSize, 0);
        X::kMinHeight = size("nMinHeight", &X::SetMinSize, 1);
        X::kMaxWidth = size("nMaxWidth", &X::SetMaxSize, 0);
        X::kMaxHeight = size("nMaxHeight", &X::SetMaxSize, 1);
        X::kMaxPosX = size("nMaxPosX", &X::SetMaxPos, 0);
        X::kMaxPosY = size("nMaxPosY", &X::SetMaxPos, 1);
        X::kMsgAuto = flag("lMsgAuto", false);

        b.addEvent("OnInitialize", Published, "oSender");
        b.addEvent("OnClose", Published, "oSender, @lClose");
        b.addEvent("OnActivate", Published, "oSender, oCtl");
        b.addEvent("OnDeactivate", Published, "oSender, oCtl");
        b.addEvent("OnSize", Published, "oSender, nSizeType, nClientWidth, nClientHeight");
        b.addEvent("OnMove", Published, "oSender, nLeft, nTop");
        b.addEvent("OnChangeFocus", Published, "oSender, oPrevCtl, oNextCtl");
        b.addEvent("OnMenuSelect", Published, "oSender, nFlags, hMenu, cMessage, oMenuItem");
        b.addEvent("OnHelp", Published, "oSender, HelpId, nPosX, nPosY");
        b.addEvent("OnHelpClick", Published, "oSender");

        // What forms do not offer.
        for (const char* hidden : {"nAlign", "nAnchors", "lParentFont", "cTooltip", "cTooltipTitle", "nTooltipIcon",
                                   "cBalloon", "l3D", "lBorder", "lTabStop", "cMessage"})
            b.addProperty({.name = hidden, .scope = Hidden});
        b.addEvent("OnEnter", Hidden);
        b.addEvent("OnExit", Hidden);

        b.record().redeclareField(X::kCtlStyle, Value(static_cast<long long>(kFormCtlStyle)), "N");
        b.record().redeclareField(X::kExStyle, Value(static_cast<long long>(WS_EX_CONTROLPARENT)), "N");
        b.record().redeclareField(X::kClassStyle, 0, "N");
        b.addProperty({.name = "aShortCut", .scope = Protected, .readOnly = true, .getter = &X::ShortcutsArray});
        X::kLastId = b.addData("nLastID", 100, "N", Protected);

        b.addProperty({.name = "lVisible", .initial = false});
        // A form's active control is only recorded: a form has no container to tell.
        b.addProperty({.name = "oActiveControl",
                       .setter = rt::NativeMethod([](rt::Object& self, const rt::Method&, rt::Args a) -> Value {
                           self.field(X::kActiveControl) = rt::arg(a, 0);
                           return rt::arg(a, 0);
                       })});
        X::kMDIMenu = b.addProperty({.name = "oMDIMenu", .setter = &X::SetMDIMenu});
        X::kComponents = b.addData("aComponents", Value::array(), "A", Exported);
        X::kMsgBar = b.addData("oMsgBar", Value(), "O", Exported);
        X::kActive = b.addProperty({.name = "lActive", .initial = false, .type = "L", .readOnly = true});
        X::kModalResult = b.addData("nModalResult", 0, "N", Exported);
        X::kMdiClient = b.addProperty({.name = "oMdiClient", .readOnly = true});
        X::kPrevWnd = b.addData("oPrevWnd", Value(), "O", Exported);
        X::kPopup = b.addData("oPopup", Value(), "O", Exported);
        X::kDefaultButton = b.addData("oDefaultButton", Value(), "O", Exported);
        X::kCancelButton = b.addData("oCancelButton", Value(), "O", Exported);
    }

    static void methods(VPClass& b) {
        addMembers<XForm>(b);
        b.addMethod("GetForm", rt::method(&X::FormOfForm));
        // The control base's Enable and Disable: a form changes its own window only.
        b.addMethod("Enable", [](rt::Object& self, const rt::Method&, rt::Args a) {
            return static_cast<X&>(self).XControl::Enable(a);
        });
        b.addMethod("Disable", [](rt::Object& self, const rt::Method&, rt::Args a) {
            return static_cast<X&>(self).XControl::Disable(a);
        });

        // A form's frame is the system's: no bevel of the control base around it.
        for (const char* none : {"WMSysKeyDown", "WMSysKeyUp", "WMNCPaint", "WMNCCalcSize"}) b.addVirtual(none);
        b.addMethod("WMChangeUIState", [](rt::Object&, const rt::Method&, rt::Args) { return Value(0); });
    }
};

const rt::Class& XForm::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        VPClass b("XForm", &TScrollingWinControl::classRecord(), rt::factoryOf<XForm>());
        FormLayout::properties(b);
        FormLayout::methods(b);
        return b.create();
    }();
    return c;
}

void registerForms() {
    TScrollingWinControl::classRecord();
    TForm::classRecord();
    TMDIClient::classRecord();
}

}  // namespace vorpex
