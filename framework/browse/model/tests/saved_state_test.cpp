// The saved layout text: written without blanks, read back with its order, and damaged texts that never lose
// a column nor list one twice.
#include <gtest/gtest.h>

#include "framework/browse/model/saved_state.h"

namespace vorpex::browse {
namespace {

using States = std::vector<ColumnState>;

TEST(SavedState, Written) {
    EXPECT_EQ(saveState(0, {{1, 60, true}, {2, 80, true}}), "0;1:60:S;2:80:S");
    EXPECT_EQ(saveState(22, {{3, 45, false}}), "22;3:45:H");
    EXPECT_EQ(saveState(0, {}), "0");
}

TEST(SavedState, ReadBack) {
    const States three{{1, 60, true}, {2, 80, true}, {3, 100, true}};
    struct Case {
        const char* name;
        std::string text;
        int64_t rowHeight;
        States columns;  // in their new order
    } cases[] = {
        {"round trip", "0;1:60:S;2:80:S;3:100:S", 0, three},
        {"reordered, resized and hidden", "20;3:30:H;1:61:S;2:80:S", 20, {{3, 30, false}, {1, 61, true}, {2, 80, true}}},
        {"fewer items than columns keep the order", "0;2:50:H", 0, {{1, 60, true}, {2, 50, false}, {3, 100, true}}},
        {"an empty item stops the reading", "0;3:50:H;;1:10:H", 0, {{1, 60, true}, {2, 80, true}, {3, 50, false}}},
        {"an unknown column is skipped", "0;9:10:S;2:81:S;1:61:S", 0, {{2, 81, true}, {1, 61, true}, {3, 100, true}}},
        {"a column listed twice counts once", "0;2:81:S;2:82:H;1:61:S", 0,
         {{2, 81, true}, {1, 61, true}, {3, 100, true}}},
        {"damaged items are skipped", "0;x:10:S;1:60;2:-5:S;3:7:Q", 0, three},
        {"a damaged row height reads as 0", "abc;1:60:S;2:80:S;3:100:S", 0, three},
        {"blanks around numbers are read", "5; 1 : 60 :S;2:80:S;3:100:S", 5, three},
    };
    for (const Case& c : cases) {
        const auto restored = restoreState(c.text, three);
        ASSERT_TRUE(restored) << c.name;
        EXPECT_EQ(restored->rowHeight, c.rowHeight) << c.name;
        EXPECT_EQ(restored->columns, c.columns) << c.name;
        ASSERT_EQ(restored->order.size(), three.size()) << c.name;
        for (size_t i = 0; i < three.size(); ++i)
            EXPECT_EQ(three[restored->order[i]].index, restored->columns[i].index) << c.name;
    }
    EXPECT_FALSE(restoreState("", three));
    EXPECT_FALSE(restoreState("0;1:60:S", {}));
}

}  // namespace
}  // namespace vorpex::browse
