// The masked edit's decisions: splitting pictures, typing into text, date and number values, deleting inside
// a mask with the literals kept in place, and reading the text back.
#include <gtest/gtest.h>

#include <string>

#include "framework/controls/masked_edit/mask_rules.h"
#include "tests/support/function_call.h"

namespace vorpex::mask {
namespace {

using rt::Value;

TEST(MaskPicture, SplitsFunctionAndMask) {
    struct Case {
        const char* picture;
        bool isDate;
        const char* function;
        const char* mask;
        bool complex;
    } cases[] = {
        {"9999999999", false, "", "9999999999", false},
        {"@R 999-999", false, "@R", "999-999", true},
        {"@r!   ", false, "@R!", "", false},
        {"@", false, "", "", false},
        {"@ 999", false, "", "999", false},
        {"@D", true, "@D", "99/99/9999", true},
        {"@E 99/99/9999", true, "@E", "99/99/9999", true},
        {"  99.99", true, "", "99.99", true},  // a date's "." is a literal
        {"999,999.99", false, "", "999,999.99", false},
        {"$$$9.99", false, "", "$$$9.99", false},
        {"(999) 999", false, "", "(999) 999", true},
    };
    for (const Case& c : cases) {
        const Picture p = splitPicture(c.picture, c.isDate, "dd/mm/yyyy");
        EXPECT_EQ(p.function, c.function) << c.picture;
        EXPECT_EQ(p.mask, c.mask) << c.picture;
        EXPECT_EQ(p.complex, c.complex) << c.picture;
    }
    EXPECT_EQ(joinPicture("", "999"), "999");
    EXPECT_EQ(joinPicture("@R", "999-999"), "@R 999-999");
    EXPECT_EQ(focusedFunction("@ZE"), "@E");
    EXPECT_EQ(focusedFunction("@Z"), "");
}

TEST(MaskPicture, MasksMadeFromTheValue) {
    EXPECT_EQ(dateMask("mm/DD/yy"), "99/99/99");
    EXPECT_EQ(numberMask("        42"), "9999999999");
    EXPECT_EQ(numberMask("      3.25"), "9999999.99");
    EXPECT_EQ(numberMask("            12345.678"), "99999999999999999.999");
}

TEST(MaskInput, CharacterClasses) {
    struct Case {
        char mask;
        const char* accepted;
        const char* refused;
    } cases[] = {
        {'A', "aZ\xF1\xC1\xE9\xDF", "1 -\xD7"}, {'N', "a1Z\xD1\xFC", " -.\xF7"}, {'9', "05", "a -"}, {'#', "0 .+-", "a,"},
        {'L', "YnTfSv", "xa1"}, {'Y', "YyNn", "TS1"}, {'X', "a1 -", ""}, {'!', "a1 ", ""},
    };
    for (const Case& c : cases) {
        for (const char* p = c.accepted; *p; ++p) EXPECT_TRUE(accepts(c.mask, *p)) << c.mask << *p;
        for (const char* p = c.refused; *p; ++p) EXPECT_FALSE(accepts(c.mask, *p)) << c.mask << *p;
    }
}

// Types each character at the caret as the window would, returning the text.
std::string typeAll(std::string text, const char* mask, const char* keys, int64_t maxLength, int64_t caret = 0) {
    const bool complex = isComplex(mask, false);
    for (const char* k = keys; *k; ++k) {
        const Typed t = typeText(text, mask, complex, caret, false, *k, maxLength);
        if (t.kind != Typed::Placed) continue;
        text = t.text;
        caret = t.caret;
    }
    return text;
}

TEST(MaskInput, TextValues) {
    EXPECT_EQ(typeAll("", "9999999999", "12a3456789012", 10), "1234567890");
    EXPECT_EQ(typeAll("", "999-999", "123456", 7), "123-456");
    EXPECT_EQ(typeAll("", "!!!", "abc", 3), "ABC");
    EXPECT_EQ(typeAll("", "(999) 999", "55512", 9), "(555) 12");
    // A complex mask writes over the blanks that hold the places.
    EXPECT_EQ(typeAll("   -   ", "999-999", "1234", 7), "123-4  ");
    // Typing past the mask's end takes nothing.
    EXPECT_EQ(typeText("12", "99", false, 2, false, '3', 2).kind, Typed::Refused);
    // A caret beyond the text is taken as its end.
    const Typed far = typeText("1", "999", false, 40, false, '2', 3);
    EXPECT_EQ(far.text, "12");
    EXPECT_EQ(far.caret, 2);
    // With text selected an accepted key first clears it; a refused one leaves it.
    EXPECT_EQ(typeText("123", "999", false, 0, true, '4', 3).kind, Typed::ClearSelectionFirst);
    EXPECT_EQ(typeText("123", "999", false, 0, true, 'x', 3).kind, Typed::Refused);
}

TEST(MaskInput, PasteGoesThroughTheTypingRules) {
    // The literal is stepped over, not written over; refused characters are left out.
    EXPECT_EQ(pasteText("   -   ", "999-999", true, 0, "123456", 7).text, "123-456");
    EXPECT_EQ(pasteText("", "999-999", true, 0, "12-34", 7).text, "123-4");
    EXPECT_EQ(pasteText("", "9999", false, 0, "1a2b", 4).text, "12");
    EXPECT_EQ(pasteText("", "AAAA", false, 0, "\xF1\xE1" "1\xE9", 4).text, "\xF1\xE1\xE9");
    EXPECT_EQ(pasteText("", "!!", false, 0, "\xF1\xE1", 2).text, "\xD1\xC1");
    const Typed none = pasteText("12", "9999", false, 2, "ab", 4);
    EXPECT_EQ(none.kind, Typed::Refused);
    const Typed tail = pasteText("1", "9999", false, 1, "2345", 4);
    EXPECT_EQ(tail.text, "1234");
    EXPECT_EQ(tail.caret, 4);
}

TEST(MaskInput, DateFillsFieldsAndStepsOverSeparators) {
    const char* mask = "99/99/9999";
    std::string text = "  /  /    ";
    int64_t caret = 0;
    const int64_t carets[] = {1, 3, 4, 6};
    int step = 0;
    for (char k : std::string("1203")) {
        const Typed t = typeDate(text, mask, caret, caret, k, 10);
        ASSERT_EQ(t.kind, Typed::Placed);
        text = t.text;
        caret = t.caret;
        EXPECT_EQ(caret, carets[step++]);
    }
    EXPECT_EQ(text, "12/03/    ");
    EXPECT_EQ(typeDate(text, mask, 3, 3, 'a', 10).kind, Typed::Refused);
    EXPECT_EQ(typeDate(text, mask, 10, 10, '1', 10).kind, Typed::Refused);
    // A caret on a separator types after it.
    EXPECT_EQ(typeDate("12/03/2026", mask, 2, 2, '4', 10).text, "12/43/2026");
    // Digits in the selection are blanked first, separators stay.
    const Typed sel = typeDate("12/03/2026", mask, 0, 5, '7', 10);
    EXPECT_EQ(sel.text, "7 /  /2026");
    // A short text gets the separators of the mask.
    EXPECT_EQ(typeDate("1", mask, 1, 1, '2', 10).text, "12/");
}

TEST(MaskInput, NumberKeys) {
    const char* mask = "9999.99";
    struct Case {
        const char* text;
        int64_t s, e;
        char key;
        NumberKey::Kind kind;
        int64_t at;
    };
    const Case cases[] = {
        {"1234", 4, 4, '5', NumberKey::Refuse, 0},  // a fifth integer digit
        {"123", 3, 3, '4', NumberKey::Accept, 0},
        {"1234.5", 6, 6, '6', NumberKey::Accept, 0},
        {"1234.56", 7, 7, '7', NumberKey::Refuse, 0},
        {"1234.56", 0, 0, '7', NumberKey::Refuse, 0},
        {"1234.56", 0, 1, '7', NumberKey::Accept, 0},
        {"12", 2, 2, '.', NumberKey::Accept, 0},
        {"12.5", 1, 1, '.', NumberKey::SelectDecimals, 3},
        {"12.5", 0, 2, '.', NumberKey::ClearAndRepost, 0},
        {"12.5", 4, 4, '.', NumberKey::Refuse, 0},
        {"12", 0, 0, '-', NumberKey::Accept, 0},
        {"12", 1, 1, '-', NumberKey::Refuse, 0},
        {"-12", 0, 0, '-', NumberKey::Refuse, 0},
        {"-12", 0, 1, '-', NumberKey::Accept, 0},
        {"12", 2, 2, 'a', NumberKey::Refuse, 0},
        {"-123", 4, 4, '4', NumberKey::Accept, 0},  // the sign takes no integer place
        {"-1234", 5, 5, '5', NumberKey::Refuse, 0},
        {"-12.5", 2, 2, '3', NumberKey::Accept, 0},
        {"-1234.5", 7, 7, '6', NumberKey::Accept, 0},
        {"-1234", 0, 1, '5', NumberKey::Refuse, 0},  // replacing the sign by a fifth digit
    };
    for (const Case& c : cases) {
        const NumberKey k = numberKey(c.text, mask, c.s, c.e, c.key, '.');
        EXPECT_EQ(k.kind, c.kind) << c.text << " " << c.key << " at " << c.s;
        if (c.kind == NumberKey::SelectDecimals) {
            EXPECT_EQ(k.at, c.at);
        }
    }
    // With "," as the separator a typed "." writes it at the caret; a mask without a point takes none.
    const NumberKey w = numberKey("12", "", 2, 2, '.', ',');
    EXPECT_EQ(w.kind, NumberKey::WriteSeparator);
    EXPECT_EQ(w.at, 2);
    EXPECT_EQ(numberKey("12", "9999", 2, 2, '.', '.').kind, NumberKey::Refuse);
    EXPECT_EQ(numberKey("123456789", "9999", 9, 9, '1', '.').kind, NumberKey::Accept);
}

TEST(MaskDelete, FieldsKeepTheirPlaces) {
    const char* date = "99/99/9999";
    struct Case {
        const char* text;
        int64_t s, e;
        bool backspace;
        const char* after;
        int64_t caret;
    } cases[] = {
        {"12/03/2026", 0, 0, false, "2 /03/2026", 0},
        {"12/03/2026", 2, 2, true, "1 /03/2026", 1},
        {"12/03/2026", 3, 3, true, "12/03/2026", 2},  // over a separator the caret only moves
        {"12/03/2026", 1, 4, false, "1 /3 /2026", 1},
        {"12/03/2026", 2, 4, false, "12/3 /2026", 2},  // a selection starting on a separator takes one digit
        {"12/03/2026", 6, 10, true, "12/03/    ", 6},
        {"12/03/2026", 0, 0, true, "12/03/2026", 0},
        {"12/03/2026", 10, 10, false, "12/03/2026", 10},
        {"12/03/2026", 40, 50, false, "12/03/2026", 10},
    };
    for (const Case& c : cases) {
        const Deleted d = deleteInMask(c.text, date, true, false, c.s, c.e, c.backspace);
        EXPECT_EQ(d.text, c.after) << c.s << "-" << c.e << (c.backspace ? " bs" : " del");
        EXPECT_EQ(d.caret, c.caret) << c.s << "-" << c.e;
    }
    EXPECT_EQ(deleteInMask("123-456", "999-999", false, false, 4, 4, false).text, "123-56 ");
    EXPECT_EQ(deleteInMask("123-456", "999-999", false, true, 4, 4, false).text, "123-56");
    EXPECT_EQ(restoreWidth("1-456", 7, 0), "  1-456");
    EXPECT_EQ(restoreWidth("123-456", 7, 3), "123-456");
}

TEST(MaskReadBack, Values) {
    EXPECT_EQ(stripLiterals("123-456", "999-999"), "123456");
    EXPECT_EQ(stripLiterals("12", "999-999"), "12");
    EXPECT_EQ(stripLiterals("(55) 1", "(99) 99"), "551");
    // Logical, yes/no and the fill positions hold data too.
    EXPECT_EQ(stripLiterals("S-N-$*", "L-Y-$*"), "SN$*");
    struct Case {
        const char* text;
        const char* function;
        const char* digits;
        bool negative;
    } cases[] = {
        {"1,234.50", "", "1234.50", false},  {"1.234,50", "@E", "1234.50", false},
        {"-12.5", "", "12.5", true},         {"(12.50)", "@(", "12.50", true},
        {"12.50 DB", "@X", "12.50", true},   {"12.50 DB", "", "12.50", false},
        {"  7", "", "7", false},
    };
    for (const Case& c : cases) {
        const NumberText n = numberText(c.text, c.function);
        EXPECT_EQ(n.digits, c.digits) << c.text;
        EXPECT_EQ(n.negative, c.negative) << c.text;
    }
    for (const char* yes : {"Y", "s", "T", "v"}) EXPECT_TRUE(logicalFromText(yes)) << yes;
    for (const char* no : {"N", "F", "", "YES"}) EXPECT_FALSE(logicalFromText(no)) << no;
    EXPECT_EQ(dateTextForConversion("31/12/2026", "@E", "mm/dd/yyyy"), "12/31/2026");
    EXPECT_EQ(dateTextForConversion("31/12/2026", "", "mm/dd/yyyy"), "31/12/2026");
    EXPECT_EQ(dateTextForConversion("31/1", "@E", "mm/dd/yyyy"), "31/1");
    EXPECT_EQ(dateTextForConversion("2012/03/25", "@E", "yyyy/mm/dd"), "2012/03/25") << "year first: no swap";
    EXPECT_EQ(zeroFilled("42", 5), "00042");
    EXPECT_EQ(zeroFilled("123456", 5), "123456");
}

TEST(MaskFunctions, ByName) {
    registerMaskFunctions();
    registerMaskFunctions();
    using rt::testing::call;
    EXPECT_EQ(call("CHRCOUNT", {"99/99-9999", "/-"}).asInteger(), 2);
    EXPECT_EQ(call("CHRCOUNT", {"abc", ""}).asInteger(), 0);
    EXPECT_EQ(call("CHRCOUNT", {Value(), "a"}).asInteger(), 0);
    EXPECT_TRUE(call("ALGUNDIGITO", {"  /3 /    "}).asLogical());
    EXPECT_FALSE(call("ALGUNDIGITO", {"  /  /    "}).asLogical());
    EXPECT_FALSE(call("ALGUNDIGITO", {Value(12)}).asLogical());
}

}  // namespace
}  // namespace vorpex::mask
