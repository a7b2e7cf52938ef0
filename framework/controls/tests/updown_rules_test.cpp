// The up-down control's decisions: the acceleration table, refused steps and the room a buddy is given.
#include <gtest/gtest.h>

#include "framework/controls/updown/updown_rules.h"

namespace vorpex::updown {
namespace {

using rt::Value;

Value pair(Value a, Value b) { return Value::array({std::move(a), std::move(b)}); }

TEST(UpDownRules, TheAccelerationTableTakesThePairsInOrder) {
    const struct {
        Value list;
        std::vector<Accel> table;
    } cases[] = {
        {Value::array({pair(Value(0), Value(1)), pair(Value(2), Value(5)), pair(Value(5), Value(20))}),
         {{0, 1}, {2, 5}, {5, 20}}},
        {Value::array({Value("not a pair"), pair(Value(1), Value(10)), Value(7)}), {{1, 10}}},
        {Value::array({Value::array({Value(3)}), pair(Value(-1), Value(2)), pair(Value("1"), Value(2))}), {}},
        {Value::array(), {}},
        {Value(), {}},
    };
    for (const auto& c : cases) EXPECT_EQ(accelTable(c.list), c.table);
}

TEST(UpDownRules, OnChangeRefusesWithTrueOrANonZeroNumber) {
    const std::pair<Value, bool> cases[] = {{Value(true), true},  {Value(int64_t{1}), true}, {Value(int64_t{-3}), true},
                                            {Value(false), false}, {Value(int64_t{0}), false}, {Value(), false},
                                            {Value("yes"), false}};
    for (const auto& [answer, refused] : cases) EXPECT_EQ(stepRefused(answer), refused);
}

TEST(UpDownRules, ABuddyIsGivenTheRoomEachAttachmentTakes) {
    const struct {
        bool aligned;
        intptr_t attached, buddy;
        int64_t room;
    } cases[] = {
        {true, 0, 7, 15},   // the first buddy: the width less the shared pixel
        {true, 9, 7, 16},   // another buddy replaces one
        {true, 7, 7, 16},   // the same buddy again: the control takes its width again
        {false, 0, 7, 0},   // no alignment: the up-down stands beside it
        {true, 7, 0, 0},    // no buddy
    };
    for (const auto& c : cases)
        EXPECT_EQ(buddyRoom(16, c.aligned, c.attached, c.buddy), c.room) << c.attached << " " << c.buddy;
}

}  // namespace
}  // namespace vorpex::updown
