// The Help button's routing (the dialog's OnHelp first, else its owner with a window, else Application), the
// time-out message box's text and time-out, and the colour dialog answered by the tests' answerer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/object/component.h"
#include "framework/core/object/vp_class.h"
#include "framework/dialogs/help/dialog_help.h"
#include "framework/dialogs/dialog_answerer.h"
#include "framework/dialogs/runners/choose_color.h"
#include "framework/dialogs/runners/message_box.h"
#include "framework/dialogs/runners/timeout_message_box.h"
#include "runtime/core/block.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace vorpex::testing {
namespace {

using rt::Value;

std::vector<std::string> heard;

// An object answering Help by noting who heard it and the topic, with a window handle of its own.
const rt::Class& helperClass(const char* name) {
    VPClass b(name, &TComponent::classRecord(), rt::factoryOf<TComponent>());
    b.addData("Handle", 0, "N");
    const std::string who = name;
    b.addMethod("Help", [who](rt::Object&, const rt::Method&, rt::Args args) {
        heard.push_back(who + ":" + rt::arg(args, 1).asString() + ":" + std::to_string(rt::arg(args, 2).asInteger()));
        return Value();
    });
    return b.create();
}

const rt::Class& dialogClass() {
    static const rt::Class& c = [] () -> const rt::Class& {
        VPClass b("HelpTestDialog", &TComponent::classRecord(), rt::factoryOf<TComponent>());
        b.addProperty({.name = "HelpId", .initial = "topic"});
        b.addEvent("OnHelp", rt::scope::Published, "oSender, HelpId, nPosX, nPosY");
        return b.create();
    }();
    return c;
}

TEST(DialogHelp, GoesToTheHandlerThenTheOwnerWithAWindowThenTheApplication) {
    static const rt::Class& ownerClass = helperClass("HelpTestOwner");
    static const rt::Class& appClass = helperClass("HelpTestApplication");
    struct Case {
        bool handler;
        int64_t ownerWindow;  // -1: no owner
        std::string expected;
    } cases[] = {{true, 7, "handler:topic:5"},
                 {false, 7, "HelpTestOwner:topic:5"},
                 {false, 0, "HelpTestApplication:topic:5"},
                 {false, -1, "HelpTestApplication:topic:5"}};
    rt::publicVar("Application") = Value(appClass.instantiate());
    for (const Case& c : cases) {
        heard.clear();
        Value dialog(dialogClass().instantiate());
        Value owner;
        if (c.ownerWindow >= 0) {
            owner = Value(ownerClass.instantiate());
            rt::send(owner, "_Handle", {c.ownerWindow});
            rt::send(dialog, "New", {owner});
        }
        if (c.handler)
            rt::send(dialog, "_OnHelp", {Value(rt::makeBlock([](rt::Args args) {
                         heard.push_back("handler:" + rt::arg(args, 1).asString() + ":" +
                                         std::to_string(rt::arg(args, 2).asInteger()));
                         return Value(true);
                     }))});
        const Value result = fireDialogHelp(*dialog.asObject(), 5, 9);
        ASSERT_EQ(heard.size(), 1u) << c.expected;
        EXPECT_EQ(heard[0], c.expected);
        EXPECT_EQ(result.isLogical(), c.handler) << "the handler's answer, else 0";
    }
    rt::publicVar("Application") = Value();
}

TEST(TimeoutMessageBox, OnlyTheSecondsMarkerIsReplaced) {
    const struct {
        const char* text;
        const char* shown;
    } cases[] = {{"Quedan %i segundos", "Quedan 7 segundos"},
                 {"100% listo, %i s", "100% listo, 7 s"},
                 {"%s %d %n %i%i", "%s %d %n 77"},
                 {"sin marca", "sin marca"},
                 {"%", "%"},
                 {"%I no es la marca", "%I no es la marca"}};
    for (const auto& c : cases) EXPECT_EQ(timeoutText(c.text, 7), c.shown) << c.text;
}

TEST(TimeoutMessageBox, EachStyleNamesItsButtonsInOrder) {
    const struct {
        uint32_t style;
        std::vector<int> buttons;
    } cases[] = {{0, {1}}, {1, {1, 2}}, {2, {3, 4, 5}}, {3, {6, 7, 2}}, {4, {6, 7}}, {5, {4, 2}},
                 {6, {2, 10, 11}}, {0x34, {6, 7}}, {15, {}}};
    for (const auto& c : cases) EXPECT_EQ(messageBoxButtons(c.style), c.buttons) << c.style;
}

#ifdef _WIN32
TEST(TimeoutMessageBox, TheTimeOutPressesItsButton) {
    Value box(TMessageBox::classRecord().instantiate());
    rt::send(box, "_cText", {"Cierra en %i s (100%)"});
    rt::send(box, "_cTitle", {"Prueba"});
    rt::send(box, "_nStyle", {4});  // MB_YESNO
    rt::send(box, "_aButtons", {Value::array({"Si, claro", ""})});
    rt::send(box, "_lCenter", {true});
    rt::send(box, "_nTimeout", {1});
    rt::send(box, "_nTimeOutResult", {7});  // IDNO
    int events = 0;
    const Value count(rt::makeBlock([&events](rt::Args) { return Value(++events); }));
    rt::send(box, "_OnShow", {count});
    rt::send(box, "_OnClose", {count});
    EXPECT_EQ(rt::send(box, "Execute").asInteger(), 7);
    EXPECT_EQ(events, 2);
}

TEST(ChooseColorDialog, HelpReachesTheHandlerAndOkKeepsTheColours) {
    struct Case {
        WPARAM button;
        bool chosen;
    } cases[] = {{IDOK, true}, {IDCANCEL, false}};
    for (const Case& c : cases) {
        setDialogAnswerer([&c](intptr_t window) {
            PostMessageA(reinterpret_cast<HWND>(window), WM_COMMAND, 1038, 0);
            PostMessageA(reinterpret_cast<HWND>(window), WM_COMMAND, c.button, 0);
        });
        Value dlg(TChooseColorDlg::classRecord().instantiate());
        rt::send(dlg, "_nFlags", {4});  // CC_SHOWHELP
        rt::send(dlg, "_nColor", {0x0000FF});
        rt::send(dlg, "_aCustomColors", {Value::array({0x00FF00})});
        rt::send(dlg, "_HelpId", {"colores"});
        std::string helped;
        rt::send(dlg, "_OnHelp", {Value(rt::makeBlock([&helped](rt::Args a) {
                     helped = rt::arg(a, 1).asString();
                     return Value(true);
                 }))});
        EXPECT_EQ(rt::send(dlg, "Run").asLogical(), c.chosen);
        EXPECT_EQ(helped, "colores");
        EXPECT_EQ(rt::send(dlg, "nLastError").asInteger(), 0);
        EXPECT_EQ(rt::send(dlg, "nColor").asInteger(), 0x0000FF);
        const rt::ArrayPtr custom = rt::send(dlg, "aCustomColors").asArray();
        ASSERT_EQ(custom->items.size(), c.chosen ? 16u : 1u);
        EXPECT_EQ(custom->at1(1).asInteger(), 0x00FF00);
        if (c.chosen) {
            EXPECT_EQ(custom->at1(16).asInteger(), 0xFFFFFF) << "slots not given are white";
        }
    }
    setDialogAnswerer(nullptr);
}
#endif

}  // namespace
}  // namespace vorpex::testing
