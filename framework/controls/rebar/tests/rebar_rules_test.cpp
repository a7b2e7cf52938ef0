// The rebar's decisions as tables: band styles, identifiers after deletions, and child sizes.
#include <gtest/gtest.h>

#include <vector>

#include "framework/controls/rebar/rebar_rules.h"

namespace vorpex::rebar {
namespace {

TEST(RebarRules, BandStylesFollowTheFlagsAndTheGripperHasThreeChoices) {
    struct Case {
        BandFlags flags;
        bool insertion;
        int64_t style;
    };
    const std::vector<Case> cases = {
        {{}, true, kVariableHeight},
        {{}, false, 0},
        {{true, true, true, true, std::nullopt}, false, kBreak | kChildEdge | kFixedBitmap | kFixedSize},
        {{false, false, false, false, true}, false, kGripperAlways},
        {{false, false, false, false, false}, true, kNoGripper | kVariableHeight},
    };
    for (size_t i = 0; i < cases.size(); ++i) EXPECT_EQ(bandStyle(cases[i].flags, cases[i].insertion), cases[i].style) << i;
}

TEST(RebarRules, IdentifiersKeepGrowingAfterABandInTheMiddleGoes) {
    EXPECT_EQ(nextBandId({}), 1);
    EXPECT_EQ(nextBandId({1, 2, 3}), 4);
    EXPECT_EQ(nextBandId({1, 3}), 4);  // band 2 went: no identifier is used twice
}

TEST(RebarRules, AChildTakesItsOwnSizeUnlessGivenOne) {
    EXPECT_EQ(childSize(200, 28, std::nullopt, std::nullopt, std::nullopt, std::nullopt, false),
              (ChildSize{200, 200, 200, 28, 28, 28}));
    EXPECT_EQ(childSize(200, 28, 100, 150, 30, 20, false), (ChildSize{100, 100, 150, 30, 20, 30}));
    EXPECT_EQ(childSize(200, 28, std::nullopt, std::nullopt, std::nullopt, std::nullopt, true),
              (ChildSize{28, 28, 28, 200, 200, 200}));
}

}  // namespace
}  // namespace vorpex::rebar
