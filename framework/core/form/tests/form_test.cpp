// Forms under Wine: a program form built by CreateForm with handlers bound by name, clicked through messages
// and closed with a modal result; OnClose vetoes; components ended in reverse order; a timer of the form
// firing; styles, system menu, main form and saved state on real windows; keys and shortcuts; menu routing;
// help; and the objects back to their count once the forms are gone.
#include "framework/core/form/tests/form_fixture.h"

#include "framework/core/form/form_styles.h"
#include "framework/core/timer/help.h"
#include "framework/core/timer/help_port.h"
#include "framework/core/window/object_link.h"
#include "framework/core/window/window_proc.h"
#include "runtime/core/block.h"
#include "runtime/core/class_builder.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex::testing {
namespace {

using rt::Value;

Value block(std::function<Value(rt::Args)> f) { return Value(rt::makeBlock(std::move(f))); }

// The program-wide help port and scale, put back however a test ends (a failed ASSERT returns early).
class HelpPortSwap {
public:
    explicit HelpPortSwap(std::unique_ptr<HelpPort> port) : previous_(setHelpPort(std::move(port))) {}
    ~HelpPortSwap() { setHelpPort(std::move(previous_)); }
    HelpPortSwap(const HelpPortSwap&) = delete;
    HelpPortSwap& operator=(const HelpPortSwap&) = delete;

private:
    std::unique_ptr<HelpPort> previous_;
};

class ScaleSwap {
public:
    ScaleSwap(Value app, int64_t percent) : app_(std::move(app)), previous_(rt::send(app_, "nScale").asInteger()) {
        rt::send(app_, "SetScale", {percent});
    }
    ~ScaleSwap() { rt::send(app_, "SetScale", {previous_}); }
    ScaleSwap(const ScaleSwap&) = delete;
    ScaleSwap& operator=(const ScaleSwap&) = delete;

private:
    Value app_;
    int64_t previous_;
};

std::vector<UINT> systemMenuCommands(HWND h) {
    std::vector<UINT> ids;
    HMENU menu = GetSystemMenu(h, FALSE);
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i)
        if (UINT id = GetMenuItemID(menu, i); id != 0 && id != static_cast<UINT>(-1)) ids.push_back(id);
    return ids;
}

TEST_F(FormTest, AProgramFormIsClickedThroughMessagesAndClosedWithAModalResult) {
    {
        Value main = plainForm();
        rt::send(main, "Show");
        Value form = program();
        HWND h = hwndOf(form);
        ASSERT_TRUE(IsWindow(h));
        char cls[32] = {};
        GetClassNameA(h, cls, sizeof cls);
        EXPECT_STREQ(cls, "TForm1");  // a program's form keeps its own class name
        const Value ok = rt::send(form, "oOk"), apply = rt::send(form, "oApply");
        EXPECT_EQ(rt::send(ok, "nId").asInteger(), 101);
        EXPECT_EQ(rt::send(apply, "nId").asInteger(), 102);

        SendMessageA(hwndOf(apply), BM_CLICK, 0, 0);
        EXPECT_EQ(journal(), (std::vector<std::string>{"apply from button"}));
        PostMessageA(hwndOf(ok), BM_CLICK, 0, 0);  // served by the modal loop
        bool mainDisabled = false;
        rt::send(form, "_OnClose", {block([&](rt::Args) {
                     mainDisabled = !IsWindowEnabled(hwndOf(main));
                     return Value();
                 })});
        const Value result = rt::send(form, "ShowModal");
        EXPECT_EQ(result.asInteger(), mrOK);
        EXPECT_EQ(journal().back(), "ok");
        EXPECT_FALSE(IsWindow(h));
        EXPECT_TRUE(mainDisabled);
        EXPECT_TRUE(IsWindowEnabled(hwndOf(main)));
        EXPECT_EQ(rt::send(app(), "aForms").asArray()->size(), 1u);
    }
    closeAll();
    EXPECT_EQ(rt::Object::liveCount(), baseline);
}

TEST_F(FormTest, OnCloseCanRefuseAndCloseWithAReasonDoesNotAsk) {
    Value form = plainForm();
    HWND h = hwndOf(form);
    int asked = 0;
    rt::send(form, "_OnClose", {block([&](rt::Args a) {
                 ++asked;
                 EXPECT_TRUE(a[1].isReference());
                 a[1].assign(Value(false));  // lClose := .F.
                 return Value();
             })});
    EXPECT_FALSE(rt::send(form, "Close").asLogical());
    EXPECT_TRUE(IsWindow(h));
    rt::send(form, "_OnClose", {block([&](rt::Args) {
                 ++asked;
                 return Value(false);  // answering .F. refuses too
             })});
    EXPECT_FALSE(rt::send(form, "Close").asLogical());
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(rt::send(form, "Close", {1}).asLogical());
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(IsWindow(h));
}

TEST_F(FormTest, AFormThatHidesOnCloseStaysAndCloseStillAnswersTrue) {
    Value form = plainForm([](const Value& f) { rt::send(f, "_lHideOnClose", {true}); });
    rt::send(form, "Show");
    HWND h = hwndOf(form);
    EXPECT_TRUE(IsWindowVisible(h));
    EXPECT_TRUE(rt::send(form, "Close").asLogical());
    EXPECT_TRUE(IsWindow(h));
    EXPECT_FALSE(IsWindowVisible(h));
}

TEST_F(FormTest, ComponentsEndInReverseOrderAndATimerOfTheFormFires) {
    {
        programSetup = [](const Value& form) {
            for (const char* name : {"first", "second"})
                rt::send(Value(componentClass().instantiate()), "Create", {form, name});
            Value timer = rt::send((*rt::findFunction("TTIMER"))({}), "Create", {form, 20, "Tick"});
            rt::send(timer, "_lEnabled", {true});
            rt::send(Value(componentClass().instantiate()), "Create", {form, "third"});
        };
        Value form = program();
        ASSERT_EQ(rt::send(form, "aComponents").asArray()->size(), 4u);
        EXPECT_TRUE(pumpUntil([] { return std::count(journal().begin(), journal().end(), "tick") >= 2; }));
        journal().clear();
        EXPECT_TRUE(rt::send(form, "Close", {1}).asLogical());
        EXPECT_EQ(journal(), (std::vector<std::string>{"end third", "end second", "end first"}));
        EXPECT_EQ(rt::send(form, "aComponents").asArray()->size(), 0u);
    }
    closeAll();
    EXPECT_EQ(rt::Object::liveCount(), baseline);
}

TEST_F(FormTest, BorderStylesOnRealWindowsAndTheFirstFormIsTheMainForm) {
    Value first = plainForm();
    Value dialog = plainForm([](const Value& f) { rt::send(f, "_nBorderStyle", {bsDIALOG}); });
    Value noClose = plainForm([](const Value& f) { rt::send(f, "_lCloseBox", {false}); });
    EXPECT_TRUE(rt::send(app(), "oMainForm").sameAs(first));
    EXPECT_TRUE(GetWindowLongPtrA(hwndOf(first), GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_FALSE(GetWindowLongPtrA(hwndOf(dialog), GWL_EXSTYLE) & WS_EX_APPWINDOW);

    char cls[32] = {};
    GetClassNameA(hwndOf(dialog), cls, sizeof cls);
    EXPECT_STREQ(cls, "TDialog");
    GetClassNameA(hwndOf(first), cls, sizeof cls);
    EXPECT_STREQ(cls, "TForm");
    EXPECT_EQ(GetWindowLongPtrA(hwndOf(dialog), GWL_EXSTYLE) & 0x101, 0x101);
    EXPECT_TRUE(GetClassLongPtrA(hwndOf(dialog), GCL_STYLE) & CS_SAVEBITS);
    EXPECT_EQ(systemMenuCommands(hwndOf(dialog)), (std::vector<UINT>{SC_MOVE, SC_CLOSE}));
    const std::vector<UINT> left = systemMenuCommands(hwndOf(noClose));
    EXPECT_EQ(std::count(left.begin(), left.end(), SC_CLOSE), 0);
    EXPECT_GT(left.size(), 0u);
}

TEST_F(FormTest, SavedStateRoundTripsAndADamagedTextIsIgnored) {
    Value form = plainForm();
    rt::send(form, "RestoreState", {"00280032019000C8N", true});
    RECT r;
    GetWindowRect(hwndOf(form), &r);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.top, 50);
    EXPECT_EQ(r.right - r.left, 400);
    EXPECT_EQ(rt::send(form, "SaveState").asString(), "00280032019000C8n");  // hidden: lower case
    for (const char* damaged : {"00280032019000C8", "0028003201900ZC8N", "00280032019000C8Q"}) {
        rt::send(form, "RestoreState", {damaged});
        GetWindowRect(hwndOf(form), &r);
        EXPECT_EQ(r.left, 40) << damaged;
    }
    rt::send(form, "RestoreState", {"FFF8000A03200258x"});  // maximises, then hides
    EXPECT_TRUE(IsZoomed(hwndOf(form)));
    EXPECT_FALSE(IsWindowVisible(hwndOf(form)));
    EXPECT_EQ(rt::send(form, "SaveState").asString(), "FFF8000A03200258x");
}

TEST_F(FormTest, KeysDefaultAndCancelButtonsAndShortcuts) {
    Value form = program();
    rt::send(form, "Show");
    HWND h = hwndOf(form);
    const Value ok = rt::send(form, "oOk"), apply = rt::send(form, "oApply");
    rt::send(form, "_oCancelButton", {apply});

    EXPECT_EQ(SendMessageA(h, WM_CHAR, VK_ESCAPE, 0), 0);
    SendMessageA(h, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(journal(), (std::vector<std::string>{"apply from button"}));

    // Alt+P reaches "A&plicar"; two controls sharing "&A": the first usable one.
    Value other = rt::send(Value(XTestButton::classRecord().instantiate()), "New", {form});
    rt::send(other, "_cText", {"&Anular"});
    rt::send(other, "_OnClick", {block([](rt::Args) {
                  journal().push_back("anular");
                  return Value();
              })});
    rt::send(other, "Create");
    journal().clear();
    SendMessageA(h, WM_SYSCHAR, 'p', 0);
    SendMessageA(h, WM_SYSCHAR, 'a', 0);  // Aceptar closes the form with mrOK
    EXPECT_EQ(journal(), (std::vector<std::string>{"apply from button", "ok"}));
    EXPECT_FALSE(IsWindow(h));
}

TEST_F(FormTest, ReturnClicksTheDefaultButtonUnlessTheActiveControlKeepsTheFocus) {
    Value form = program();
    HWND h = hwndOf(form);
    const Value apply = rt::send(form, "oApply");
    rt::send(form, "_oDefaultButton", {apply});
    rt::send(form, "_oActiveControl", {apply});
    rt::send(apply, "_OnExit", {block([](rt::Args) { return Value(false); })});
    EXPECT_EQ(SendMessageA(h, WM_KEYDOWN, VK_RETURN, 0), 0);  // swallowed, nothing clicked
    EXPECT_TRUE(journal().empty());
    rt::send(apply, "_OnExit", {Value()});
    SendMessageA(h, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(journal(), (std::vector<std::string>{"apply from button"}));
    rt::send(apply, "Disable");
    journal().clear();
    EXPECT_EQ(SendMessageA(h, WM_KEYDOWN, VK_RETURN, 0), 0);  // default processing, which answers 0 too
    EXPECT_TRUE(journal().empty());
}

const rt::Class& fakeMenuClass() {
    static const rt::Class& c = []() -> const rt::Class& {
        rt::ClassBuilder b("TFAKEMENU", nullptr, nullptr);
        b.addData("Handle", 0);
        b.addData("aItems", Value::array({1}));
        b.addMethod("DoAction", [](rt::Object&, const rt::Method&, rt::Args a) {
            journal().push_back("menu " + std::to_string(rt::arg(a, 0).asInteger()));
            return Value(true);
        });
        b.addMethod("FindItem", [](rt::Object&, const rt::Method&, rt::Args) { return Value(); });
        return b.create();
    }();
    return c;
}

TEST_F(FormTest, MenuCommandsGoToTheMenuAndHelpGoesToOnHelpOrTheApplication) {
    Value form = program();
    HWND h = hwndOf(form);
    rt::send(form, "SetMenu", {Value(fakeMenuClass().instantiate())});
    SendMessageA(h, WM_COMMAND, MAKEWPARAM(205, 0), 0);
    SendMessageA(h, WM_COMMAND, MAKEWPARAM(206, 1), 0);  // an accelerator: nothing
    EXPECT_EQ(journal(), (std::vector<std::string>{"menu 205"}));

    // F1 on a control with a help id.
    const Value apply = rt::send(form, "oApply");
    rt::send(apply, "_HelpId", {77});
    HELPINFO info{};
    info.cbSize = sizeof info;
    info.MousePos = {5, 6};
    Value sender;
    rt::send(form, "_OnHelp", {block([&](rt::Args a) {
                 sender = a[0];
                 journal().push_back("help " + std::to_string(a[1].asInteger()) + " at " +
                                     std::to_string(a[2].asInteger()) + "," + std::to_string(a[3].asInteger()));
                 return Value();
             })});
    SendMessageA(hwndOf(apply), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(journal().back(), "help 77 at 5,6");
    EXPECT_TRUE(sender.sameAs(apply));

    // Without OnHelp the application's help file is asked for the id as a keyword.
    std::vector<HelpRequest> requests;
    struct Recorder : HelpPort {
        std::vector<HelpRequest>* r;
        bool winHelp(const HelpRequest& q) override { return r->push_back(q), false; }
        intptr_t htmlHelp(const HelpRequest& q) override { return r->push_back(q), 0; }
    };
    auto recorder = std::make_unique<Recorder>();
    recorder->r = &requests;
    const HelpPortSwap swap(std::move(recorder));
    rt::send(app(), "SetHelp", {"manual.chm"});
    rt::send(form, "_OnHelp", {Value()});
    SendMessageA(hwndOf(apply), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_EQ(requests.size(), 2u);  // the keyword, then the contents when it found nothing
    EXPECT_EQ(requests[0].command, kHhKeywordLookup);
    EXPECT_EQ(requests[0].text, "77");
    EXPECT_EQ(requests[1].command, kHhDisplayToc);
}

TEST_F(FormTest, SizeLimitsReachTheSystem) {
    Value form = plainForm([](const Value& f) {
        rt::send(f, "_nMinWidth", {250});
        rt::send(f, "_nMinHeight", {150});
    });
    MINMAXINFO info{};
    info.ptMaxTrackSize = {2000, 1500};
    EXPECT_EQ(SendMessageA(hwndOf(form), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info)), 0);
    EXPECT_EQ(info.ptMinTrackSize.x, 250);
    EXPECT_EQ(info.ptMinTrackSize.y, 150);
    EXPECT_EQ(info.ptMaxTrackSize.y, 1500);
    rt::send(form, "SetBounds", {0, 0, 100, 100});
    RECT r;
    GetWindowRect(hwndOf(form), &r);
    EXPECT_GE(r.right - r.left, 250);
}

}  // namespace
}  // namespace vorpex::testing

namespace vorpex::testing {
namespace {

TEST_F(FormTest, ScalingSizesTheFormButLeavesTheDefaultPositionAlone) {
    const ScaleSwap scale(app(), 125);
    ASSERT_EQ(rt::send(app(), "nScale").asInteger(), 125);
    Value form = rt::send(Value(TForm::classRecord().instantiate()), "New");
    rt::send(form, "_nWidth", {200});
    rt::send(form, "_nHeight", {120});
    rt::send(form, "Create");  // left and top stay the system's default position
    RECT r;
    GetWindowRect(hwndOf(form), &r);
    EXPECT_EQ(r.right - r.left, 250);
    EXPECT_EQ(r.bottom - r.top, 150);
    EXPECT_GE(r.left, -100);  // a scaled 0x80000000 would be far off any screen
    EXPECT_LT(r.left, 2000);
}

}  // namespace
}  // namespace vorpex::testing
