// Navigation: BOF/EOF and the phantom record, filters, hidden deleted records, locate, relations, the
// area-switching primitive, and navigation through a plugged-in order.
#include <algorithm>
#include <map>

#include "runtime/core/settings.h"
#include "test_support.h"

namespace rt::rdd::test {
namespace {

class NavigationTest : public EngineTest {
protected:
    // A table N = 1..count; the records listed in `deleted` are deleted.
    WorkArea* numbers(int count, std::vector<int> deleted = {}, const std::string& name = "n.dbf") {
        create(name, fields({{"N", 'N', 6, 0}, {"C", 'C', 4, 0}}));
        WorkArea* a = open(name);
        for (int i = 1; i <= count; ++i) {
            a->append();
            a->fieldPut(1, Value(i));
            if (std::count(deleted.begin(), deleted.end(), i)) a->deleteRecord();
        }
        a->goTop();
        return a;
    }
    std::vector<int> walk(WorkArea* a) {
        std::vector<int> seen;
        for (a->goTop(); !a->eof(); a->skip(1)) seen.push_back(a->fieldGet(1).asInt());
        return seen;
    }
};

BlockPtr block(std::function<bool()> f) {
    return makeBlock([f](Args) { return Value(f()); });
}

TEST_F(NavigationTest, EmptyTableSitsOnThePhantomWithBothFlags) {
    WorkArea* a = numbers(0);
    EXPECT_TRUE(a->bof());
    EXPECT_TRUE(a->eof());
    EXPECT_EQ(a->recno(), 1u);
    a->goBottom();
    EXPECT_TRUE(a->bof() && a->eof());
    a->skip(1);
    EXPECT_TRUE(a->eof());
    a->skip(-1);
    EXPECT_TRUE(a->bof() && a->eof());
}

TEST_F(NavigationTest, SkipSetsBofAndEofTheXbaseWay) {
    WorkArea* a = numbers(3);
    EXPECT_EQ(a->recno(), 1u);
    EXPECT_FALSE(a->bof());
    a->skip(-1);
    EXPECT_TRUE(a->bof());
    EXPECT_EQ(a->recno(), 1u);
    a->skip(1);
    EXPECT_FALSE(a->bof());
    EXPECT_EQ(a->recno(), 2u);
    a->skip(5);
    EXPECT_TRUE(a->eof());
    EXPECT_EQ(a->recno(), 4u);  // LASTREC() + 1
    EXPECT_EQ(a->fieldGet(1).asInt(), 0);
    EXPECT_EQ(a->fieldGet(2).asString(), "    ");  // blank fields on the phantom
    a->skip(-1);
    EXPECT_FALSE(a->eof());
    EXPECT_EQ(a->recno(), 3u);
    a->goTo(99);
    EXPECT_TRUE(a->eof());
    EXPECT_EQ(a->recno(), 4u);
    a->goTo(2);
    EXPECT_FALSE(a->eof());
    EXPECT_EQ(a->fieldGet(1).asInt(), 2);
}

TEST_F(NavigationTest, SetDeletedHidesDeletedRecordsFromSkippingButNotFromGoto) {
    WorkArea* a = numbers(6, {1, 3, 6});
    EXPECT_EQ(walk(a), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    settings().deleted = true;
    EXPECT_EQ(walk(a), (std::vector<int>{2, 4, 5}));
    a->goBottom();
    EXPECT_EQ(a->recno(), 5u);
    a->goTo(3);
    EXPECT_TRUE(a->deleted());
    EXPECT_FALSE(a->eof());
}

// A reopened table is walked from its read-ahead window (11-byte records: about 5,950 a window), over deleted
// records wherever they fall: first, in runs, across a window's edge, last. Edits made during a walk are written
// before the next step and read back by the next walk.
TEST_F(NavigationTest, AWalkThroughTheReadAheadWindowSeesWhatItShould) {
    const int count = 12000;
    const std::vector<int> deleted = {1, 2, 3000, 5957, 5958, 5959, 11914, 11915, count};
    numbers(count, deleted);
    areas().closeAll();
    WorkArea* a = open("n.dbf");
    settings().deleted = true;
    std::vector<int> want;
    for (int i = 1; i <= count; ++i)
        if (std::count(deleted.begin(), deleted.end(), i) == 0) want.push_back(i);
    EXPECT_EQ(walk(a), want);
    EXPECT_TRUE(a->eof());
    EXPECT_FALSE(a->bof());
    for (a->goTop(); !a->eof(); a->skip(1))
        if (a->recno() % 1000 == 0) a->fieldPut(2, Value("edit"));
    settings().deleted = false;
    std::vector<int> edited;
    for (a->goTop(); !a->eof(); a->skip(1))
        if (a->fieldGet(2).asString() == "edit") edited.push_back(static_cast<int>(a->recno()));
    EXPECT_EQ(edited, (std::vector<int>{1000, 2000, 4000, 5000, 6000, 7000, 8000, 9000, 10000, 11000}));
}

TEST_F(NavigationTest, FilterIsSetWithoutMovingAndHonouredBySkipping) {
    WorkArea* a = numbers(10);
    a->goTo(3);
    a->setFilter(block([a] { return a->fieldGet(1).asInt() % 4 == 0; }), "N % 4 == 0");
    EXPECT_EQ(a->recno(), 3u);
    EXPECT_EQ(a->filterText(), "N % 4 == 0");
    EXPECT_EQ(walk(a), (std::vector<int>{4, 8}));
    a->goBottom();
    EXPECT_EQ(a->recno(), 8u);
    a->skip(-1);
    EXPECT_EQ(a->recno(), 4u);
    a->skip(-1);
    EXPECT_TRUE(a->bof());
    EXPECT_EQ(a->recno(), 4u);
    a->setFilter(block([] { return false; }), "x");
    a->goTop();
    EXPECT_TRUE(a->eof() && a->bof());
    a->clearFilter();
    EXPECT_EQ(a->filterText(), "");
    EXPECT_EQ(walk(a).size(), 10u);
}

TEST_F(NavigationTest, LocateAndContinueFindEachMatchThenStopAtEof) {
    WorkArea* a = numbers(10);
    a->goBottom();
    EXPECT_TRUE(a->locate(block([a] { return a->fieldGet(1).asInt() % 3 == 0; })));
    EXPECT_EQ(a->recno(), 3u);
    EXPECT_TRUE(a->continueLocate());
    EXPECT_EQ(a->recno(), 6u);
    EXPECT_TRUE(a->continueLocate());
    EXPECT_EQ(a->recno(), 9u);
    EXPECT_FALSE(a->continueLocate());
    EXPECT_TRUE(a->eof());
    EXPECT_FALSE(a->found());
    // REST starts at the current record.
    a->goTo(7);
    EXPECT_TRUE(a->locate(block([a] { return a->fieldGet(1).asInt() % 3 == 0; }), nullptr, 0, 0, true));
    EXPECT_EQ(a->recno(), 9u);
    // WHILE stops the scan.
    a->goTo(1);
    EXPECT_FALSE(a->locate(block([a] { return a->fieldGet(1).asInt() == 8; }),
                           block([a] { return a->fieldGet(1).asInt() < 5; }), 0, 0, true));
}

TEST_F(NavigationTest, InAreaRestoresTheCurrentAreaEvenWhenTheBodyBreaks) {
    WorkArea* one = numbers(2, {}, "one.dbf");
    WorkArea* two = numbers(3, {}, "two.dbf");
    ASSERT_EQ(areas().currentNumber(), two->number());
    Value v = areas().inArea(one->number(), [&] { return Value(static_cast<int>(areas().current()->lastRec())); });
    EXPECT_EQ(v.asInt(), 2);
    EXPECT_EQ(areas().currentNumber(), two->number());
    EXPECT_THROW(areas().inArea(one->number(), [&]() -> Value { throw Break{}; }), Break);
    EXPECT_EQ(areas().currentNumber(), two->number());
    EXPECT_EQ(areas().numberOf("ONE"), one->number());
    EXPECT_EQ(areas().numberOf("one"), one->number());
    EXPECT_EQ(areas().numberOf("nothing"), 0);
}

TEST_F(NavigationTest, RelationMovesTheChildByRecordNumber) {
    WorkArea* child = numbers(5, {}, "child.dbf");
    WorkArea* parent = numbers(3, {}, "parent.dbf");
    parent->setRelation(child->number(), makeBlock([parent](Args) { return Value(parent->fieldGet(1).asInt() * 2 - 1); }),
                        "N*2-1");
    parent->goTop();
    EXPECT_EQ(child->recno(), 1u);
    parent->skip(1);
    EXPECT_EQ(child->recno(), 3u);
    parent->skip(1);
    EXPECT_EQ(child->recno(), 5u);
    parent->skip(1);
    EXPECT_TRUE(child->eof());
    parent->clearRelations();
    parent->goTop();
    EXPECT_TRUE(child->eof());
}

TEST_F(NavigationTest, AliasInUseRefusesASecondOpenUnderTheSameName) {
    numbers(1, {}, "one.dbf");
    create("n.dbf", fields({{"N", 'N', 6, 0}}));  // a table that opens: only the alias is in the way
    ErrorLog log;
    UseOptions o;
    o.newArea = true;
    o.alias = "ONE";
    o.shared = true;
    EXPECT_FALSE(areas().use(path("n.dbf"), o));
    ASSERT_EQ(log.seen.size(), 1u);
    EXPECT_EQ(log.seen[0].genCode, eg::DupAlias);
}

// An in-memory order over N descending, enough to show that the work area navigates through the seam and
// keeps the order told about every change.
class DescendingOrder final : public Order {
public:
    explicit DescendingOrder(WorkArea& a) : area_(a) { rebuild(); }
    std::string name() const override { return "DESC"; }
    std::string keyText() const override { return "N"; }
    std::string bagName() const override { return "mem"; }
    uint32_t first() override { return keys_.empty() ? 0 : keys_.front().second; }
    uint32_t last() override { return keys_.empty() ? 0 : keys_.back().second; }
    uint32_t next(uint32_t from) override { return step(from, 1); }
    uint32_t previous(uint32_t from) override { return step(from, -1); }
    SeekResult seek(const Value& key, bool soft, bool) override {
        for (auto& [k, r] : keys_)
            if (k <= key.asInt()) return {k == key.asInt() || soft ? r : 0, k == key.asInt()};
        return {};
    }
    Value keyValue() override { return area_.fieldGet(1); }
    uint32_t keyNo(uint32_t recno) override { return position(recno) + 1; }
    uint32_t keyCount() override { return static_cast<uint32_t>(keys_.size()); }
    uint32_t keyGoto(uint32_t n) override { return n >= 1 && n <= keys_.size() ? keys_[n - 1].second : 0; }
    void beforeChange(uint32_t recno) override {
        ++events["before"];
        remove(recno);
    }
    void afterChange(uint32_t recno) override {
        ++events["after"];
        insert(area_.fieldGet(1).asInt(), recno);
    }
    void appended(uint32_t recno) override {
        ++events["appended"];
        insert(0, recno);
    }
    void rebuild() override {
        ++events["rebuild"];
        keys_.clear();
        Table& t = area_.table();
        for (uint32_t r = 1; r <= t.recCount(); ++r) {
            t.load(r);
            insert(t.get(0).asInt(), r);
        }
    }
    std::map<std::string, int> events;

private:
    void insert(int key, uint32_t r) {
        keys_.emplace_back(key, r);
        std::stable_sort(keys_.begin(), keys_.end(), [](auto& x, auto& y) { return x.first > y.first; });
    }
    void remove(uint32_t r) { keys_.erase(keys_.begin() + position(r)); }
    size_t position(uint32_t r) const {
        for (size_t i = 0; i < keys_.size(); ++i)
            if (keys_[i].second == r) return i;
        return keys_.size();
    }
    uint32_t step(uint32_t from, int d) {
        size_t p = position(from);
        if (p == keys_.size()) return 0;
        if (d < 0) return p == 0 ? 0 : keys_[p - 1].second;
        return p + 1 < keys_.size() ? keys_[p + 1].second : 0;
    }
    WorkArea& area_;
    std::vector<std::pair<int, uint32_t>> keys_;
};

TEST_F(NavigationTest, ControllingOrderDrivesNavigationAndHearsOfEveryChange) {
    WorkArea* a = numbers(4);
    auto owned = std::make_unique<DescendingOrder>(*a);
    DescendingOrder* order = owned.get();
    a->addOrder(std::move(owned));
    EXPECT_EQ(a->focus(), 1u);
    EXPECT_EQ(walk(a), (std::vector<int>{4, 3, 2, 1}));

    a->append();
    a->fieldPut(1, Value(10));
    a->goTop();  // moving writes the record and tells the order
    EXPECT_EQ(order->events["appended"], 1);
    EXPECT_EQ(order->events["after"], 1);
    EXPECT_EQ(walk(a), (std::vector<int>{10, 4, 3, 2, 1}));

    EXPECT_TRUE(a->seek(Value(3), false));
    EXPECT_EQ(a->fieldGet(1).asInt(), 3);
    EXPECT_FALSE(a->seek(Value(7), false));
    EXPECT_TRUE(a->eof());
    EXPECT_FALSE(a->seek(Value(7), true));
    EXPECT_EQ(a->fieldGet(1).asInt(), 4);
    EXPECT_EQ(a->keyNo(), 2u);
    EXPECT_EQ(a->keyCount(), 5u);

    a->goTo(2);
    a->deleteRecord();
    a->skip(0);
    EXPECT_EQ(order->events["before"], 2);
    ASSERT_TRUE(a->pack());
    EXPECT_GE(order->events["rebuild"], 2);
    EXPECT_EQ(walk(a), (std::vector<int>{10, 4, 3, 1}));

    EXPECT_EQ(a->setFocus(0), 1u);
    EXPECT_EQ(walk(a), (std::vector<int>{1, 3, 4, 10}));
    ErrorLog log;
    EXPECT_FALSE(a->seek(Value(3), false));
    ASSERT_EQ(log.seen.size(), 1u);
    EXPECT_EQ(log.seen[0].genCode, eg::NoOrder);
}

}  // namespace
}  // namespace rt::rdd::test
