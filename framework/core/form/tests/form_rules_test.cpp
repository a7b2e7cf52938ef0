// The form's window-free rules: the border-style table, the saved state text, the shortcut table, the Return
// and Escape decisions, the tracking limits and the status bar's memory around a menu selection.
#include <gtest/gtest.h>

#include "framework/core/form/form_rules.h"
#include "framework/core/form/form_state.h"
#include "framework/core/form/form_styles.h"
#include "framework/core/form/shortcut_table.h"
#include "runtime/core/class_builder.h"

namespace vorpex {
namespace {

constexpr int64_t kBase = kWsCaption | kWsClipSiblings | kWsClipChildren | kWsSysMenu;

TEST(FormStylesTest, EachBorderStyle) {
    struct Case {
        int style;
        FormStyles expected;
    };
    const int64_t kept = 0x8;  // CS_DBLCLKS as the form had it
    const Case cases[] = {
        {bsNONE, {"TFormNone", kWsPopup | kWsClipSiblings | kWsClipChildren, 0, kept}},
        {bsSINGLE, {"TFormSingle", kBase, 0, kept}},
        {bsSIZEABLE, {"TForm", kBase | kWsThickFrame | kWsMinimizeBox | kWsMaximizeBox, 0, kept}},
        {bsDIALOG,
         {"TDialog", kWsBorder | kWsDlgFrame | kWsSysMenu | kWsClipSiblings | kWsClipChildren, 0x101,
          kept | 0x800}},
        {bsTOOLWINDOW, {"TToolWindow", kBase, 0x80, kept}},
        {bsSIZETOOLWIN, {"TSizeToolWin", kBase | kWsThickFrame, 0x80, kept}},
        {bsSPLASH, {"TSplash", kWsPopup | kWsClipChildren | kWsDlgFrame, 8, kept | 0x20000}},
    };
    for (const Case& c : cases) EXPECT_EQ(formStyles(c.style, kept, 6.1), c.expected) << c.style;
    EXPECT_EQ(formStyles(bsSPLASH, 0, 5.0)->classStyle, 0);  // no drop shadow before Windows XP
    EXPECT_EQ(formStyles(-1, 0, 6.1), std::nullopt);
    EXPECT_EQ(formStyles(7, 0, 6.1), std::nullopt);
    EXPECT_TRUE(isStyleClassName("tdialog"));
    EXPECT_FALSE(isStyleClassName("TForm1"));
}

TEST(FormStateTest, EncodingTheRestoredBoundsAndTheShowState) {
    EXPECT_EQ(encodeFormState(-8, 10, 800, 600, 'X', true), "FFF8000A03200258X");
    EXPECT_EQ(encodeFormState(-8, 10, 800, 600, 'X', false), "FFF8000A03200258x");
    EXPECT_EQ(encodeFormState(0x12345, 0, 1, 2, 'N', true), "2345000000010002N");
    EXPECT_EQ(encodeFormState(1, 2, 3, 4, 'M', false), "0001000200030004m");
}

TEST(FormStateTest, DecodingAcceptsOnlyWellFormedTexts) {
    EXPECT_EQ(decodeFormState("FFF8000A03200258x"), (FormState{-8, 10, 800, 600, 'X', false}));
    EXPECT_EQ(decodeFormState("fff8000a03200258N"), (FormState{-8, 10, 800, 600, 'N', true}));
    EXPECT_EQ(decodeFormState("0001000200030004m"), (FormState{1, 2, 3, 4, 'M', false}));
    for (const char* bad : {"FFF8000A0320025X", "FFF8000A03200258XX", "FFF8000A0320025GX", "FFF8 00A03200258X",
                            "FFF8000A03200258Q", "", "-FF8000A03200258N"})
        EXPECT_EQ(decodeFormState(bad), std::nullopt) << bad;
}

const rt::Class& plainClass() {
    static const rt::Class& c = []() -> const rt::Class& {
        rt::ClassBuilder b("TSHORTCUTPROBE", nullptr, nullptr);
        b.addData("lUsable", true);
        return b.create();
    }();
    return c;
}

TEST(ShortcutTest, TheLetterAfterTheFirstSingleAmpersand) {
    struct Case {
        const char* text;
        std::optional<char> letter;
    };
    const Case cases[] = {{"&Guardar", 'G'}, {"Sa&lir", 'L'},   {"A && B", std::nullopt}, {"A && &B", 'B'},
                          {"&&&x", 'X'},     {"fin&", std::nullopt}, {"", std::nullopt},   {"&\xF1", '\xD1'}};
    for (const Case& c : cases) EXPECT_EQ(shortcutLetter(c.text), c.letter) << c.text;
}

TEST(ShortcutTest, TheFirstUsableControlInCreationOrderGetsTheKey) {
    rt::ObjectPtr first = plainClass().instantiate(), second = plainClass().instantiate();
    ShortcutTable t;
    t.addTextLetter(rt::Value(first), "&Aceptar");
    t.addTextLetter(rt::Value(second), "&Anular");
    t.addKeys(rt::Value(second), rt::Value::array({"x", 'y'}));
    auto usable = [](const rt::Value& c) { return c.asObject()->field(0).asLogical(); };

    const ShortcutEntry* e = t.find('a', usable);
    ASSERT_NE(e, nullptr);
    EXPECT_TRUE(e->control.asObject() == first);
    EXPECT_FALSE(e->explicitKey);
    first->field(0) = false;  // disabled or hidden: skipped
    e = t.find('A', usable);
    ASSERT_NE(e, nullptr);
    EXPECT_TRUE(e->control.asObject() == second);
    e = t.find('Y', usable);
    ASSERT_NE(e, nullptr);
    EXPECT_TRUE(e->explicitKey);
    EXPECT_EQ(t.find('Z', usable), nullptr);

    t.remove(rt::Value(second));
    EXPECT_EQ(t.find('A', usable), nullptr);
    EXPECT_EQ(t.entries().size(), 1u);
    EXPECT_EQ(t.toArray().asArray()->size(), 1u);
    first.reset();  // a control that ended leaves with the next removal
    t.remove(rt::Value());
    EXPECT_TRUE(t.entries().empty());
}

TEST(FormKeysTest, ReturnAndEscape) {
    EXPECT_EQ(returnKeyAction(true, true, false), KeyAction::ClickDefault);
    EXPECT_EQ(returnKeyAction(true, false, true), KeyAction::Swallow);
    EXPECT_EQ(returnKeyAction(false, true, true), KeyAction::NextControl);
    EXPECT_EQ(returnKeyAction(false, true, false), KeyAction::None);
    EXPECT_EQ(escapeKeyAction(true, false, false), KeyAction::ClickCancel);
    EXPECT_EQ(escapeKeyAction(false, true, true), KeyAction::CloseForm);
    EXPECT_EQ(escapeKeyAction(false, true, false), KeyAction::None);
    EXPECT_EQ(escapeKeyAction(false, false, true), KeyAction::None);
}

TEST(FormLimitsTest, OnlyTheLimitsGivenReplaceTheSystems) {
    const MinMaxInfo system{1280, 1024, -4, -4, 120, 40, 1290, 1034};
    MinMaxInfo info = system;
    EXPECT_FALSE(applySizeLimits(info, {}));
    EXPECT_EQ(info.minTrackX, 120);
    EXPECT_TRUE(applySizeLimits(info, {.minWidth = 300, .minHeight = 200, .maxWidth = 800}));
    EXPECT_EQ(info.minTrackX, 300);
    EXPECT_EQ(info.minTrackY, 200);
    EXPECT_EQ(info.maxTrackX, 800);
    EXPECT_EQ(info.maxTrackY, 1034);  // a width limit leaves the height free
    EXPECT_EQ(info.maxPositionX, -4);
    EXPECT_TRUE(applySizeLimits(info, {.maxPosX = 10, .maxPosY = 20}));
    EXPECT_EQ(info.maxPositionX, 10);
    EXPECT_EQ(info.maxPositionY, 20);
}

TEST(MenuStatusTest, TheBarsOwnStateIsRememberedOnceAndPutBack) {
    MenuStatusMemory m;
    bool simple = true;
    rt::Value text;
    EXPECT_FALSE(m.takeBack(simple, text));
    ASSERT_TRUE(m.shouldRemember());
    m.remember(false, "Listo");
    EXPECT_FALSE(m.shouldRemember());  // a second item keeps the first remembered state
    EXPECT_TRUE(m.takeBack(simple, text));
    EXPECT_FALSE(simple);
    EXPECT_EQ(text.asString(), "Listo");
    EXPECT_TRUE(m.shouldRemember());
}

}  // namespace
}  // namespace vorpex
