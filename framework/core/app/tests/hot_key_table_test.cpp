#include <gtest/gtest.h>

#include "framework/core/app/hot_key_table.h"
#include "runtime/core/block.h"

namespace vorpex {
namespace {

rt::Value block() {
    return rt::Value(rt::makeBlock([](rt::Args) { return rt::Value(); }));
}

rt::Value setKey(HotKeyTable& t, std::initializer_list<rt::Value> args) {
    return t.set(rt::Args(args.begin(), args.size()));
}

TEST(HotKeys, ModifiersMatchExactly) {
    HotKeyTable t;
    rt::Value ctrlF5 = block();
    EXPECT_TRUE(setKey(t, {116, 8, ctrlF5}).isNil());
    EXPECT_EQ(t.match(116, modifierSet(false, true, false)), ctrlF5.asBlock());
    EXPECT_EQ(t.match(116, modifierSet(true, true, false)), nullptr);  // Ctrl+Shift+F5 is another key
    EXPECT_EQ(t.match(116, 0), nullptr);
    EXPECT_EQ(modifierSet(true, true, true), 28);
}

TEST(HotKeys, SetReplaceAskAndRemove) {
    HotKeyTable t;
    rt::Value first = block(), second = block(), other = block();
    setKey(t, {116, 8, first});
    setKey(t, {117, 0, other});
    EXPECT_TRUE(setKey(t, {116, 8, second}).sameAs(first));  // replacing answers the previous block
    EXPECT_TRUE(setKey(t, {116, 8}).sameAs(second));          // two arguments only ask
    EXPECT_EQ(t.size(), 2u);
    EXPECT_TRUE(setKey(t, {116, 8, 0}).sameAs(second));       // a non-block removes
    EXPECT_EQ(t.match(116, 8), nullptr);
    EXPECT_TRUE(setKey(t, {116, 8, rt::Value()}).isNil());    // removing a key that is not there...
    EXPECT_EQ(t.match(117, 0), other.asBlock());               // ...leaves the others alone
    EXPECT_EQ(t.size(), 1u);
}

TEST(HotKeys, FullTableStoresNoMore) {
    HotKeyTable t;
    for (int k = 0; k < static_cast<int>(HotKeyTable::kCapacity); ++k) setKey(t, {k, 0, block()});
    EXPECT_TRUE(setKey(t, {999, 0, block()}).isNil());
    EXPECT_EQ(t.size(), HotKeyTable::kCapacity);
    EXPECT_EQ(t.match(999, 0), nullptr);
    rt::Value replacement = block();
    setKey(t, {5, 0, replacement});  // replacing still works when full
    EXPECT_EQ(t.match(5, 0), replacement.asBlock());
}

}  // namespace
}  // namespace vorpex
