// The array browse's filter terms (parsed, never run: hostile texts keep nothing or are looked for as text) and
// its sort order (total over every type, stable).
#include <gtest/gtest.h>

#include "framework/browse/model/array_rules.h"

namespace vorpex::browse::testing {
namespace {

using rt::Value;

TEST(ArrayRules, FilterTermsOnANumericColumn) {
    struct Case {
        const char* entry;
        double cell;
        bool kept;
    } cases[] = {
        {">100", 120, true},   {">100", 100, false},   {">=100", 100, true}, {"<100", 99.5, true},
        {"<=100", 101, false}, {"=100", 100, true},    {"==100", 100, true}, {"!=100", 100, false},
        {"<>100", 7, true},    {" > 100 ", 120, true}, {">-5", -4, true},    {"<1.5", 1.25, true},
        {"12", 3120, true},    {"12", 3100, false},  // no sign: the digits are looked for in the text
        {">100 .OR. .T.", 5, false},                 // no number after the sign: nothing passes
        {"=1) .or. QUIT()", 1, false},
        {">", 5, false},
        {"1) .or. QUIT()", 1, false},               // looked for as text, found nowhere
    };
    for (const Case& c : cases) {
        const FilterTerm term = parseFilterTerm(c.entry, true);
        char text[32];
        std::snprintf(text, sizeof text, "%g", c.cell);
        EXPECT_EQ(passesFilter(term, text, c.cell), c.kept) << c.entry << " on " << c.cell;
    }
}

TEST(ArrayRules, FilterTermsOnATextColumnLookForTheText) {
    struct Case {
        const char* entry;
        const char* cell;
        bool kept;
    } cases[] = {{"ab", "Cabal", true}, {" AB ", "grab", true}, {"ab", "a b", false},
                 {">100", "x>100", true}, {">100", "150", false}};
    for (const Case& c : cases)
        EXPECT_EQ(passesFilter(parseFilterTerm(c.entry, false), c.cell, std::nullopt), c.kept) << c.entry << " / " << c.cell;
}

TEST(ArrayRules, SortOrderIsTotalOverTypesAndStable) {
    auto row = [](Value cell, int tag) { return Value::array({cell, Value(tag)}); };
    const std::vector<Value> rows{row(Value("b"), 0), row(Value(3), 1),          row(Value(), 2),
                                  row(Value("a"), 3), row(Value(rt::Date{10}), 4), row(Value(true), 5),
                                  row(Value(3), 6),   Value::array({}),             row(Value(1), 8)};
    EXPECT_EQ(sortedOrder(rows, 1, false), (std::vector<size_t>{2, 7, 5, 8, 1, 6, 4, 3, 0}))
        << "NIL (and a missing element), logicals, numbers, dates, texts; the two 3s keep their order";
    EXPECT_EQ(sortedOrder(rows, 1, true), (std::vector<size_t>{0, 3, 4, 1, 6, 8, 5, 2, 7}));
    EXPECT_EQ(sortedOrder(rows, 9, false).size(), rows.size()) << "an element no row has sorts nothing away";
}

}  // namespace
}  // namespace vorpex::browse::testing
