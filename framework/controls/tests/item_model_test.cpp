// The items of combo and list boxes without windows: where insertions, deletions and modifications land,
// before and after the window exists, a refusing window leaving the model alone, a sorting window read back.
#include <gtest/gtest.h>

#include <algorithm>

#include "framework/controls/list/item_model.h"

namespace vorpex::lists {
namespace {

using rt::Value;

// A window holding texts, sorting them when asked, refusing what `refuse` names.
class FakeList final : public ListPort {
public:
    bool live = true, sorts = false, refuse = false;
    std::vector<std::string> held;

    bool exists() const override { return live; }
    int64_t count() override { return static_cast<int64_t>(held.size()); }
    int64_t add(const std::string& text) override {
        if (refuse) return kError;
        held.push_back(text);
        if (sorts) std::sort(held.begin(), held.end());
        return static_cast<int64_t>(held.size()) - 1;
    }
    int64_t insert(int64_t index, const std::string& text) override {
        if (refuse || index < 0 || index > count()) return kError;
        held.insert(held.begin() + index, text);
        return index;
    }
    int64_t remove(int64_t index) override {
        if (refuse || index < 0 || index >= count()) return kError;
        held.erase(held.begin() + index);
        return count();
    }
    int64_t reset() override {
        if (refuse) return kError;
        held.clear();
        return 0;
    }
    std::vector<std::string> texts() override { return held; }
};

std::vector<std::string> textsOf(const std::vector<Value>& items) {
    std::vector<std::string> t;
    for (const Value& v : items) t.push_back(v.asString());
    return t;
}

std::vector<Value> values(std::initializer_list<const char*> texts) {
    std::vector<Value> v;
    for (const char* t : texts) v.emplace_back(t);
    return v;
}

TEST(ItemModel, InsertPositionsBeforeAndAfterTheWindow) {
    struct Case {
        bool live;
        std::optional<int64_t> position;
        std::vector<std::string> expected;
    } cases[] = {
        {true, std::nullopt, {"a", "b", "c", "x"}},
        {true, 1, {"x", "a", "b", "c"}},
        {true, 3, {"a", "b", "x", "c"}},  // at the count: before the last item, not after it
        {true, 4, {"a", "b", "c", "x"}},
        {true, 9, {"a", "b", "c", "x"}},
        {false, 1, {"x", "a", "b", "c"}},  // without a window the model's count decides
        {false, 3, {"a", "b", "x", "c"}},
        {false, std::nullopt, {"a", "b", "c", "x"}},
    };
    for (const Case& c : cases) {
        FakeList port;
        port.live = c.live;
        std::vector<Value> items = values({"a", "b", "c"});
        if (c.live) port.held = {"a", "b", "c"};
        ItemModel model(items, port, {});
        EXPECT_TRUE(model.insert(c.position, Value("x")));
        EXPECT_EQ(textsOf(items), c.expected) << c.live << " " << c.position.value_or(0);
        if (c.live) {
            EXPECT_EQ(port.held, c.expected) << "model and window agree";
        }
    }
}

TEST(ItemModel, DeleteAndModifyKeepModelAndWindowTogether) {
    FakeList port;
    port.held = {"a", "b", "c"};
    std::vector<Value> items = values({"a", "b", "c"});
    ItemModel model(items, port, {});
    EXPECT_TRUE(model.modify(2, Value("x")));
    EXPECT_EQ(textsOf(items), (std::vector<std::string>{"a", "x", "c"}));
    EXPECT_EQ(port.held, textsOf(items));
    for (int64_t wrong : {0, 4, -1}) EXPECT_FALSE(model.remove(wrong)) << wrong;
    port.refuse = true;
    EXPECT_FALSE(model.remove(1));
    EXPECT_FALSE(model.insert(1, Value("y")));
    EXPECT_FALSE(model.reset());
    EXPECT_EQ(textsOf(items), (std::vector<std::string>{"a", "x", "c"})) << "a refusal changes nothing";
    port.refuse = false;
    EXPECT_TRUE(model.remove(3));
    EXPECT_EQ(textsOf(items), (std::vector<std::string>{"a", "x"}));
    EXPECT_EQ(port.held, textsOf(items));
}

TEST(ItemModel, SortingWindowIsReadBackAndCombosTrimLeadingBlanks) {
    FakeList port;
    port.sorts = true;
    std::vector<Value> items;
    ItemModel sorted(items, port, {.trimLeading = true, .sorted = true});
    sorted.insert(std::nullopt, Value("b"));
    sorted.insert(std::nullopt, Value("  a"));
    EXPECT_EQ(textsOf(items), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(sorted.assign(values({"z", "m", "c"})));
    EXPECT_EQ(textsOf(items), (std::vector<std::string>{"c", "m", "z"}));

    // Items stored before the window go into it when it is made.
    FakeList later;
    later.live = false;
    std::vector<Value> stored;
    ItemModel model(stored, later, {});
    model.assign(values({"uno", "dos"}));
    EXPECT_TRUE(later.held.empty());
    later.live = true;
    EXPECT_EQ(model.fillWindow(), 2);
    EXPECT_EQ(later.held, (std::vector<std::string>{"uno", "dos"}));
    EXPECT_EQ(model.fillWindow(), 0) << "nothing twice";
}

TEST(ItemModel, UnwrappingAndTabStops) {
    const Value inner = Value::array(values({"x", "y"}));
    EXPECT_EQ(textsOf(unwrapped({inner})), (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(unwrapped(values({"x"})).size(), 1u);
    EXPECT_EQ(unwrapped({inner, Value("z")}).size(), 2u);
    EXPECT_EQ(tabStops({Value(4), Value(8)}), (std::vector<int>{16, 32}));
}

}  // namespace
}  // namespace vorpex::lists
