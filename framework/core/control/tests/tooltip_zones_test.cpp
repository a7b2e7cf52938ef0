// Tool-tip bookkeeping against a recording tip: whole-window tool, zones with their own ids, removal.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/control/tooltip_zones.h"

namespace vorpex::ctl {
namespace {

struct RecordingTip : TipSink {
    std::vector<std::string> calls;
    std::vector<int64_t> live;  // zone ids registered now; -1 for the whole-window tool
    void addWindowTool() override { calls.push_back("add"), live.push_back(-1); }
    void addZone(const rt::Value&, int64_t id) override { calls.push_back("zone " + std::to_string(id)), live.push_back(id); }
    void updateWindowTool() override { calls.push_back("update"); }
    void deleteWindowTool() override { calls.push_back("del"), erase(-1); }
    void deleteZone(int64_t id) override { calls.push_back("del " + std::to_string(id)), erase(id); }
    void erase(int64_t id) { std::erase(live, id); }
};

const rt::Value kRect = rt::Value::array({0, 0, 10, 10});

TEST(TooltipZones, WholeWindowToolIsAddedOnceThenUpdated) {
    RecordingTip tip;
    TooltipZones z;
    z.apply(tip, true, {}, std::nullopt);
    z.apply(tip, true, {}, std::nullopt);
    EXPECT_EQ(tip.calls, (std::vector<std::string>{"add", "update"}));
    z.apply(tip, false, {}, std::nullopt);
    EXPECT_TRUE(tip.live.empty());
    EXPECT_FALSE(z.registered());
}

TEST(TooltipZones, ZonesReplaceTheWindowToolAndAreAllRemovedWhateverTheirIds) {
    RecordingTip tip;
    TooltipZones z;
    z.apply(tip, true, {}, std::nullopt);
    z.apply(tip, true, kRect, std::nullopt);  // the window tool goes first
    z.apply(tip, true, kRect, 7);             // an id of its own
    z.apply(tip, true, kRect, std::nullopt);  // the count: 3
    EXPECT_EQ(tip.live, (std::vector<int64_t>{1, 7, 3}));
    EXPECT_EQ(z.zoneCount(), 3);
    z.apply(tip, false, {}, std::nullopt);
    EXPECT_TRUE(tip.live.empty()) << "zone 7 must go too";
    EXPECT_EQ(z.zoneCount(), 0);
}

TEST(TooltipZones, TextWithoutRectangleAfterZonesGoesBackToOneWindowTool) {
    RecordingTip tip;
    TooltipZones z;
    z.apply(tip, true, kRect, std::nullopt);
    z.apply(tip, true, kRect, std::nullopt);
    z.apply(tip, true, {}, std::nullopt);
    EXPECT_EQ(tip.live, (std::vector<int64_t>{-1}));
}

TEST(TooltipZones, ClearingForADestroyedWindowLeavesNothingAndStartsAfresh) {
    RecordingTip tip;
    TooltipZones z;
    z.apply(tip, true, {}, std::nullopt);
    z.clear(tip);
    EXPECT_TRUE(tip.live.empty());
    // A re-created window registers anew instead of updating a tool that no longer exists.
    z.apply(tip, true, {}, std::nullopt);
    EXPECT_EQ(tip.calls.back(), "add");
    z.clear(tip);
    z.clear(tip);  // twice is harmless
    EXPECT_TRUE(tip.live.empty());
}

}  // namespace
}  // namespace vorpex::ctl
