// Memo fields in DBT and FPT files: round trips, reuse of blocks, the on-disk form, damage.
#include <cstring>

#include "runtime/rdd/failure.h"
#include "test_support.h"

namespace rt::rdd::test {
namespace {

class MemoTest : public EngineTest, public ::testing::WithParamInterface<MemoKind> {
protected:
    std::string memoName() const { return GetParam() == MemoKind::Fpt ? "m.fpt" : "m.dbt"; }
};

TEST_P(MemoTest, TextsOfEverySizeComeBackWhole) {
    create("m.dbf", fields({{"ID", 'N', 4, 0}, {"NOTE", 'M', 10, 0}}), GetParam());
    WorkArea* a = open("m.dbf");
    const std::string texts[] = {"", "short", std::string(511, 'x'), std::string(510, 'y'), std::string(5000, 'z'),
                                 "line one\r\nline two"};
    for (const std::string& t : texts) {
        ASSERT_TRUE(a->append());
        ASSERT_TRUE(a->fieldPut(2, Value(t)));
    }
    areas().closeAll();
    a = open("m.dbf");
    uint32_t r = 1;
    for (const std::string& t : texts) {
        a->goTo(r++);
        EXPECT_EQ(a->fieldGet(2).asString(), t);
    }
}

TEST_P(MemoTest, RewritingAShorterTextReusesItsBlocks) {
    create("m.dbf", fields({{"NOTE", 'M', 10, 0}}), GetParam());
    WorkArea* a = open("m.dbf", true);  // shared, so that the test may read the memo file beside it
    a->append();
    a->fieldPut(1, Value(std::string(1000, 'a')));
    a->commit();
    size_t size = readFile(memoName()).size();
    a->fieldPut(1, Value(std::string(900, 'b')));
    a->commit();
    EXPECT_EQ(readFile(memoName()).size(), size);
    a->fieldPut(1, Value(std::string(3000, 'c')));
    a->commit();
    EXPECT_GT(readFile(memoName()).size(), size);
    EXPECT_EQ(a->fieldGet(1).asString(), std::string(3000, 'c'));
}

TEST_P(MemoTest, PointerOutsideTheMemoFileIsCorruptionNotACrash) {
    create("m.dbf", fields({{"NOTE", 'M', 10, 0}}), GetParam());
    WorkArea* a = open("m.dbf");
    a->append();
    a->fieldPut(1, Value("hello"));
    areas().closeAll();
    std::string dbf = readFile("m.dbf");
    std::memcpy(dbf.data() + 32 + 32 + 1 + 1, "    999999", 10);
    writeFile("m.dbf", dbf);
    a = open("m.dbf");
    ErrorLog log;
    EXPECT_TRUE(a->fieldGet(1).isNil());
    ASSERT_EQ(log.seen.size(), 1u);
    EXPECT_EQ(log.seen[0].genCode, eg::Corruption);
    EXPECT_NE(log.seen[0].filename.find(memoName()), std::string::npos);
}

TEST_P(MemoTest, MissingOrCutMemoFileIsReportedAtOpen) {
    create("m.dbf", fields({{"NOTE", 'M', 10, 0}}), GetParam());
    writeFile(memoName(), "abc");
    ErrorLog log;
    EXPECT_EQ(open("m.dbf"), nullptr);
    ASSERT_EQ(log.seen.size(), 1u);
    EXPECT_EQ(log.seen[0].genCode, eg::Corruption);
    std::remove(path(memoName()).c_str());
    EXPECT_EQ(open("m.dbf"), nullptr);
    ASSERT_EQ(log.seen.size(), 2u);
    EXPECT_EQ(log.seen[1].genCode, eg::Open);
    EXPECT_EQ(log.seen[1].osCode, 2);
}

INSTANTIATE_TEST_SUITE_P(Kinds, MemoTest, ::testing::Values(MemoKind::Dbt, MemoKind::Fpt),
                         [](const auto& info) { return info.param == MemoKind::Fpt ? "Fpt" : "Dbt"; });

class MemoLayoutTest : public EngineTest {};

TEST_F(MemoLayoutTest, DbtAndFptFilesHaveTheirClassicHeadersAndBlocks) {
    create("d.dbf", fields({{"NOTE", 'M', 10, 0}}), MemoKind::Dbt);
    WorkArea* a = open("d.dbf");
    a->append();
    a->fieldPut(1, Value("hi"));
    areas().closeAll();
    std::string dbf = readFile("d.dbf");
    EXPECT_EQ(static_cast<uint8_t>(dbf[0]), 0x83);
    EXPECT_EQ(dbf.substr(66, 10), "         1");
    std::string dbt = readFile("d.dbt");
    ASSERT_EQ(dbt.size(), 1024u);
    EXPECT_EQ(dbt.substr(0, 4), std::string("\x02\0\0\0", 4));  // next free block
    EXPECT_EQ(dbt.substr(512, 4), "hi\x1A\x1A");

    Table::create(path("f.dbf"), fields({{"NOTE", 'M', 10, 0}}), CreateOptions{MemoKind::Fpt, 32});
    a = open("f.dbf");
    a->append();
    a->fieldPut(1, Value("hi"));
    areas().closeAll();
    EXPECT_EQ(static_cast<uint8_t>(readFile("f.dbf")[0]), 0xF5);
    std::string fpt = readFile("f.fpt");
    EXPECT_EQ(fpt.substr(0, 8), std::string("\0\0\0\x11\0\0\0\x20", 8));  // next free 17, block size 32
    EXPECT_EQ(fpt.substr(512, 10), std::string("\0\0\0\x01\0\0\0\x02hi", 10));
}

}  // namespace
}  // namespace rt::rdd::test
