// The masked edit on real windows under Wine: characters typed as WM_CHAR and deletions as WM_KEYDOWN, read
// back with WM_GETTEXT and through Value; text masks with and without literals, dates, numbers, validation,
// zero fill and the repair after a cut.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "framework/controls/controls.h"
#include "framework/controls/masked_edit/mask_edit.h"
#include "framework/core/control/tests/control_fixture.h"
#include "framework/core/object/vp_class.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "runtime/core/settings.h"
#include "runtime/lib/date.h"

namespace vorpex::testing {
namespace {

using rt::Value;

class MaskedEdit : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        registerStandardControls();
        saved_ = rt::settings();
        rt::settings().dateFormat = "dd/mm/yyyy";
        rt::settings().century = true;
        form = makeForm();
    }
    void TearDown() override {
        rt::settings() = saved_;
        ControlTest::TearDown();
    }
    // A masked edit holding `value` under `picture` (none given: nullptr).
    Value make(const Value& value, const char* picture, const std::function<void(const Value&)>& before = {}) {
        return makeControl(TMaskEdit::classRecord(), form, 10, 10, 200, 22, [&](const Value& e) {
            rt::send(e, "_Value", {value});
            if (picture) rt::send(e, "_cPicture", {picture});
            if (before) before(e);
        });
    }
    static std::string text(const Value& c) {
        char buf[512] = {};
        GetWindowTextA(hwndOf(c), buf, sizeof buf);
        return buf;
    }
    static void type(const Value& c, const std::string& chars) {
        for (unsigned char ch : chars) {
            SendMessageA(hwndOf(c), WM_CHAR, ch, 1);
            pump();  // a key the edit posts again comes in its turn
        }
    }
    static void key(const Value& c, WPARAM vk) { SendMessageA(hwndOf(c), WM_KEYDOWN, vk, 1); }
    static void caret(const Value& c, int start, int end = -2) {
        SendMessageA(hwndOf(c), EM_SETSEL, start, end == -2 ? start : end);
    }
    static std::pair<int, int> selection(const Value& c) {
        DWORD s = 0, e = 0;
        SendMessageA(hwndOf(c), EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
        return {static_cast<int>(s), static_cast<int>(e)};
    }

private:
    rt::Settings saved_;
};

TEST_F(MaskedEdit, TextMasksFilterAndPlace) {
    struct Case {
        const char* picture;
        const char* typed;
        const char* shown;
        const char* value;
    } cases[] = {
        {"9999999999", "12a3456789012", "1234567890", "1234567890"},
        {"@R 999-999", "123456", "123-456", "123456"},
        {"999-999", "12x3456", "123-456", "123-456"},
        {"!!AA", "ab1cd", "ABcd", "ABcd"},  // "!" upper-cases; a digit is no letter
        {"@! XXX", "abc", "ABC", "ABC"},
    };
    for (const Case& c : cases) {
        Value edit = make(Value(""), c.picture);
        caret(edit, 0);
        type(edit, c.typed);
        EXPECT_EQ(text(edit), c.shown) << c.picture;
        EXPECT_EQ(rt::send(edit, "Value").asString(), c.value) << c.picture;
        DestroyWindow(hwndOf(edit));
    }
}

TEST_F(MaskedEdit, DateFieldsAndDeletion) {
    Value edit = make(Value(rt::Date{}), "99/99/9999");
    EXPECT_EQ(text(edit), "  /  /    ");
    caret(edit, 0);
    const int carets[] = {1, 3, 4, 6};
    int i = 0;
    for (char ch : std::string("1203")) {
        type(edit, std::string(1, ch));
        EXPECT_EQ(selection(edit).first, carets[i++]);
    }
    EXPECT_EQ(text(edit), "12/03/    ");
    type(edit, "2026");
    EXPECT_EQ(rt::send(edit, "Value").asDate(), rt::makeDate(2026, 3, 12));

    caret(edit, 0);
    key(edit, VK_DELETE);
    EXPECT_EQ(text(edit), "2 /03/2026");
    EXPECT_EQ(selection(edit).first, 0);
    caret(edit, 4);
    key(edit, VK_BACK);
    SendMessageA(hwndOf(edit), WM_CHAR, VK_BACK, 1);  // the character that follows the key changes nothing
    EXPECT_EQ(text(edit), "2 /3 /2026");
    EXPECT_EQ(selection(edit).first, 3);
}

TEST_F(MaskedEdit, ImpossibleDatesDoNotPass) {
    Value edit = make(Value(rt::Date{}), "99/99/9999");
    EXPECT_TRUE(rt::send(edit, "Valid", {Value()}).isNil());  // all blank passes (no OnExit: NIL)
    caret(edit, 0);
    type(edit, "31022026");
    EXPECT_EQ(text(edit), "31/02/2026");
    const Value answer = rt::send(edit, "Valid", {Value()});
    ASSERT_TRUE(answer.isLogical());
    EXPECT_FALSE(answer.asLogical());
    EXPECT_EQ(selection(edit), std::make_pair(0, 10));
    // Leaving does not turn it into an empty date first.
    rt::send(edit, "WMKillFocus", {Value(0), Value(0), Value(0)});
    EXPECT_EQ(text(edit), "31/02/2026");
}

TEST_F(MaskedEdit, NumberIntegerAndDecimalPositions) {
    Value edit = make(Value(0), "9999.99");
    SetWindowTextA(hwndOf(edit), "");
    caret(edit, 0);
    type(edit, "12345");
    EXPECT_EQ(text(edit), "1234");  // a fifth integer digit is refused
    type(edit, ".567");
    EXPECT_EQ(text(edit), "1234.56");
    EXPECT_DOUBLE_EQ(rt::send(edit, "Value").asNumber().asDouble(), 1234.56);
    SetWindowTextA(hwndOf(edit), "12.5");
    caret(edit, 1);
    type(edit, "-");  // a sign goes first only
    caret(edit, 0);
    type(edit, "--");
    EXPECT_EQ(text(edit), "-12.5");
    EXPECT_DOUBLE_EQ(rt::send(edit, "Value").asNumber().asDouble(), -12.5);
    // Leaving shows the value through the picture again.
    rt::send(edit, "SetValue", {Value(3.5), false});
    EXPECT_EQ(text(edit), "3.50");
}

TEST_F(MaskedEdit, ZeroFillOnLeaving) {
    Value edit = make(Value(""), "99999", [](const Value& e) { rt::send(e, "_lZeroFill", {true}); });
    caret(edit, 0);
    type(edit, "42");
    rt::send(edit, "Valid", {Value()});
    EXPECT_EQ(rt::send(edit, "Value").asString(), "00042");
    EXPECT_EQ(text(edit), "00042");
}

TEST_F(MaskedEdit, LogicalsTakeOneLetter) {
    Value edit = make(Value(false), "");
    caret(edit, 0, -1);
    type(edit, "x");
    type(edit, "s");
    EXPECT_EQ(text(edit), "S");
    EXPECT_TRUE(rt::send(edit, "Value").asLogical());
}

TEST_F(MaskedEdit, CutKeepsTheLiteralsInPlace) {
    Value edit = make(Value(rt::makeDate(2026, 3, 12)), "99/99/9999");
    EXPECT_EQ(text(edit), "12/03/2026");
    caret(edit, 3, 5);
    SendMessageA(hwndOf(edit), WM_CLEAR, 0, 0);
    pump();
    EXPECT_EQ(text(edit), "12/  /2026");  // kept for the user to complete, not emptied
    EXPECT_EQ(selection(edit).first, 3);
    type(edit, "04");
    EXPECT_EQ(rt::send(edit, "Value").asDate(), rt::makeDate(2026, 4, 12));
    // With a complete date the text is re-formatted.
    caret(edit, 6, 10);
    SendMessageA(hwndOf(edit), WM_CLEAR, 0, 0);
    pump();
    EXPECT_EQ(text(edit), "12/04/    ");
}

// An Application whose system answers "," as the decimal separator.
const rt::Class& commaAppClass() {
    static const rt::Class& c = []() -> const rt::Class& {
        VPClass b("TTestCommaApp", nullptr);
        b.addMethod("DecimalSeparator", [](rt::Object&, const rt::Method&, rt::Args) { return Value(","); });
        return b.create();
    }();
    return c;
}

TEST_F(MaskedEdit, CommaSystemsShowDecimalsAfterAComma) {
    Value edit = make(Value(), nullptr, [](const Value& e) {
        Value& app = rt::publicVar("Application");
        const Value kept = app;
        app = Value(commaAppClass().instantiate());
        rt::send(e, "_Value", {Value(3.25)});
        app = kept;
    });
    EXPECT_EQ(text(edit), "3,25");
    EXPECT_DOUBLE_EQ(rt::send(edit, "Value").asNumber().asDouble(), 3.25);
    EXPECT_EQ(rt::send(edit, "cPicture").asString(), "@E 9999999999.99");
}

TEST_F(MaskedEdit, FocusShowsTheEditingForm) {
    Value edit = make(Value(0), "@ZK 9,999");
    EXPECT_EQ(text(edit), "");
    rt::send(edit, "SetValue", {Value(1234)});
    EXPECT_EQ(text(edit), "1,234");
    rt::send(edit, "SetValue", {Value(1234), true});
    EXPECT_EQ(text(edit), "1234");
    rt::send(edit, "SetValue", {Value(0), true});
    EXPECT_EQ(text(edit), "0");
}

TEST_F(MaskedEdit, FocusArrivingAndLeaving) {
    int changes = 0;
    Value edit = make(Value(1234), "@ZK 9,999", [&](const Value& e) { rt::send(e, "_OnChange", {counter(changes)}); });
    Value other = make(Value(""), "XXX");
    EXPECT_EQ(text(edit), "1,234");
    SetFocus(hwndOf(edit));
    pump();
    EXPECT_EQ(text(edit), "1234");
    EXPECT_EQ(selection(edit), std::make_pair(0, 4));  // "K" selects it all
    SetFocus(hwndOf(other));
    pump();
    EXPECT_EQ(text(edit), "1,234");
    EXPECT_EQ(changes, 0);
}

TEST_F(MaskedEdit, TypingOverASelectionAndPasting) {
    Value edit = make(Value("123-456"), "999-999");
    caret(edit, 0, 3);
    type(edit, "7");
    EXPECT_EQ(text(edit), "7  -456");

    Value date = make(Value(rt::makeDate(2026, 3, 12)), "99/99/9999");
    ASSERT_TRUE(OpenClipboard(hwndOf(date)));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 11);
    std::memcpy(GlobalLock(memory), "24/12/2025", 11);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
    caret(date, 0, -1);
    SendMessageA(hwndOf(date), WM_PASTE, 0, 0);
    pump();
    EXPECT_EQ(text(date), "24/12/2025");
    EXPECT_EQ(rt::send(date, "Value").asDate(), rt::makeDate(2025, 12, 24));
    EXPECT_EQ(selection(date).first, 10);
    EXPECT_NE(SendMessageA(hwndOf(date), EM_GETMODIFY, 0, 0), 0);
}

TEST_F(MaskedEdit, PastedTextFollowsTheMask) {
    struct Case {
        const char* picture;
        const char* start;
        const char* pasted;
        const char* shown;
    } cases[] = {
        {"999-999", "", "123456", "123-456"},
        {"9999", "", "1a2b", "12"},
        {"@R 999-999", "", "12-3456", "123-456"},
        {"AAAA", "", "\xF1\xE1" "1\xE9", "\xF1\xE1\xE9"},  // letters of code page 1252 are letters
    };
    for (const Case& c : cases) {
        Value edit = make(Value(c.start), c.picture);
        ASSERT_TRUE(OpenClipboard(hwndOf(edit)));
        EmptyClipboard();
        const size_t size = std::strlen(c.pasted) + 1;
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
        std::memcpy(GlobalLock(memory), c.pasted, size);
        GlobalUnlock(memory);
        SetClipboardData(CF_TEXT, memory);
        CloseClipboard();
        caret(edit, 0, -1);
        SendMessageA(hwndOf(edit), WM_PASTE, 0, 0);
        pump();
        EXPECT_EQ(text(edit), c.shown) << c.picture;
        DestroyWindow(hwndOf(edit));
    }
}

TEST_F(MaskedEdit, FunctionsByName) {
    const rt::Function* count = rt::findFunction("CHRCOUNT");
    ASSERT_NE(count, nullptr);
    const Value args[] = {Value("99/99/9999"), Value("/")};
    EXPECT_EQ((*count)(rt::Args(args, 2)).asInteger(), 2);
    EXPECT_NE(rt::findFunction("ALGUNDIGITO"), nullptr);
}

}  // namespace
}  // namespace vorpex::testing
