#include <gtest/gtest.h>

#include "runtime/lib/date.h"
#include "runtime/lib/number.h"
#include "runtime/lib/transform.h"
#include "tests/support/settings_guard.h"

namespace rt {
namespace {

using testing::SettingsGuard;

struct Case {
    Value value;
    const char* picture;
    const char* expected;
};

void expectAll(const std::vector<Case>& cases) {
    for (const Case& c : cases)
        EXPECT_EQ(transform(c.value, c.picture), c.expected) << "picture '" << c.picture << "'";
}

TEST(Transform, NumberTemplates) {
    expectAll({
        {1234.5, "9,999.99", "1,234.50"},
        {1234.5, "@E 9,999.99", "1.234,50"},
        {12, "9,999", "   12"},
        {1234567, "9,999,999", "1,234,567"},
        {-12, "9999", " -12"},
        {-0.5, "99.9", "-0.5"},
        {0.5, "9.99", "0.50"},
        {0.5, ".99", ".50"},
        {12345, "999", "***"},
        {-123, "999", "***"},  // the sign needs a position too
        {1234.5, "999.99", "***.**"},
        {12, "*****", "***12"},
        {12, "$$$$", "$$12"},
        {1234, "*,***,***", "****1,234"},
        {1234, "@R 99-99", "12-34"},
        {2.345, "9.99", "2.35"},  // rounded half away from zero
        {7, "###", "  7"},
    });
}

TEST(Transform, NumberFunctions) {
    expectAll({
        {0, "@Z 999", "   "},
        {0, "@Z 9,999.99", "        "},
        {42, "@B 9999", "42  "},
        {5, "@C 999", "  5 CR"},
        {-5, "@C 999", " -5"},
        {-5, "@X 999", "  5 DB"},
        {5, "@X 999", "  5"},
        {-5, "@( 999", " (5)"},
        {-123, "@( 999", "(123)"},
        {Value(realNumber(12.5, 2)), "@E", "        12,50"},
        {42, "", "        42"},
        {42, "@B", "42        "},
    });
}

TEST(Transform, Text) {
    expectAll({
        {"abc", "@!", "ABC"},
        {"abc", "XX!", "abC"},
        {"abcdef", "@! XX", "AB"},
        {"123456", "@R 999-999", "123-456"},
        {"123456", "999-999", "123-56 "},  // without R a literal stands in for the character
        {"ab", "XXXX", "ab  "},
        {"12", "@R (99) 99", "(12)   "},
        {"hello", "", "hello"},
        {"   ", "@Z XXX", "   "},
    });
}

TEST(Transform, DatesFollowTheFormat) {
    SettingsGuard guard;
    settings().dateFormat = "dd/mm/yyyy";
    settings().century = true;
    Date d = makeDate(2024, 3, 7);
    expectAll({
        {Value(d), "", "07/03/2024"},
        {Value(d), "99/99/9999", "07/03/2024"},
        {Value(d), "@D", "07/03/2024"},
        {Value(Date{}), "99/99/9999", "  /  /    "},
        {Value(Date{}), "@Z", "          "},
    });
    settings().dateFormat = "mm/dd/yyyy";
    settings().century = false;
    expectAll({
        {Value(d), "", "03/07/24"},
        {Value(d), "@E", "07/03/24"},
    });
}

TEST(Transform, LogicalsAndOthers) {
    expectAll({
        {true, "", "T"},
        {false, "", "F"},
        {true, "Y", "Y"},
        {false, "Y", "N"},
        {true, "L", "T"},
        {Value(), "999", ""},
        {Value::array(), "", ""},
    });
}

}  // namespace
}  // namespace rt
