// APPEND FROM ... DELIMITED WITH BLANK and SORT TO.
#include <sstream>

#include "runtime/core/settings.h"
#include "runtime/lib/date.h"
#include "runtime/rdd/commands.h"
#include "test_support.h"

namespace rt::rdd::test {
namespace {

class CommandTest : public EngineTest {
protected:
    WorkArea* scratch() {
        create("depaso.dbf", fields({{"IMPORTAR", 'C', 12, 0}, {"HORA", 'C', 8, 0}, {"EMPLEADO", 'N', 6, 0}}));
        return open("depaso.dbf");
    }
    std::vector<std::string> rows(WorkArea* a) {
        std::vector<std::string> out;
        for (a->goTop(); !a->eof(); a->skip(1)) {
            std::string r;
            for (size_t i = 1; i <= a->fieldCount(); ++i) {
                Value v = a->fieldGet(i);
                r += (i > 1 ? "|" : "") + (v.isNumber() ? std::to_string(v.asInteger()) : v.asString());
            }
            out.push_back(r);
        }
        return out;
    }
};

TEST_F(CommandTest, DelimitedImportSplitsAtBlanksAndNeverOverflows) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> want;
    };
    const Case cases[] = {
        {"clock lines, CR/LF", "7,25/03/2010 08:15:00\r\n5,01/01/2011 17:00:01\r\n",
         {"7,25/03/2010|08:15:00|0", "5,01/01/2011|17:00:01|0"}},
        {"LF and no final line end", "1 a\n2 b", {"1           |a       |0", "2           |b       |0"}},
        {"long parts are cut", "123456789012345 123456789 42", {"123456789012|12345678|42"}},
        {"parts beyond the fields are dropped", "a b 7 x y z", {"a           |b       |7"}},
        {"missing parts stay blank", "only\n", {"only        |        |0"}},
        {"empty lines add nothing", "\n\r\na b\n\n", {"a           |b       |0"}},
        {"end marker stops the data", "a b\x1A" "c d\n", {"a           |b       |0"}},
        {"two blanks make an empty part", "a  9", {"a           |        |9"}},
        {"number too wide for its field stays zero", "a b 12345678", {"a           |b       |0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        areas().closeAll();
        WorkArea* a = scratch();
        std::istringstream in(c.text);
        EXPECT_EQ(appendFromDelimited(*a, in), static_cast<int64_t>(c.want.size()));
        EXPECT_EQ(rows(a), c.want);
    }
}

TEST_F(CommandTest, DelimitedImportReadsAVeryLongLineInBoundedMemory) {
    WorkArea* a = scratch();
    std::string line = std::string(3'000'000, 'x') + " " + std::string(100, 'y') + "\n";
    std::istringstream in(line + "b c\n");
    EXPECT_EQ(appendFromDelimited(*a, in), 2);
    EXPECT_EQ(rows(a), (std::vector<std::string>{"xxxxxxxxxxxx|yyyyyyyy|0", "b           |c       |0"}));
}

TEST_F(CommandTest, DelimitedImportFromAFileAndFromAMissingOne) {
    WorkArea* a = scratch();
    writeFile("almacen.csv", "17,25/03/2010 08:15:00\r\n");
    EXPECT_EQ(appendFromDelimited(*a, path("almacen.csv")), 1);
    ErrorLog log;
    EXPECT_EQ(appendFromDelimited(*a, path("none.csv")), -1);
    ASSERT_EQ(log.seen.size(), 1u);
    EXPECT_EQ(log.seen[0].genCode, eg::Open);
    EXPECT_EQ(a->lastRec(), 1u);
}

TEST_F(CommandTest, DelimitedImportIntoDatesAndLogicals) {
    create("d.dbf", fields({{"D", 'D', 8, 0}, {"L", 'L', 1, 0}, {"N", 'N', 7, 2}}));
    WorkArea* a = open("d.dbf");
    std::istringstream in("20100325 T 3.5\nbad F x\n");
    EXPECT_EQ(appendFromDelimited(*a, in), 2);
    a->goTop();
    EXPECT_EQ(a->fieldGet(1).asDate(), makeDate(2010, 3, 25));
    EXPECT_TRUE(a->fieldGet(2).asLogical());
    EXPECT_DOUBLE_EQ(a->fieldGet(3).asDouble(), 3.5);
    a->skip(1);
    EXPECT_TRUE(a->fieldGet(1).asDate().empty());
    EXPECT_FALSE(a->fieldGet(2).asLogical());
}

TEST_F(CommandTest, SortIsAscendingStableAndKeepsTheStructure) {
    create("empl.dbf", fields({{"NUMERO", 'N', 4, 0}, {"NOMBRE", 'C', 10, 0}, {"NOTA", 'M', 10, 0}}));
    WorkArea* a = open("empl.dbf");
    const std::pair<int, const char*> data[] = {{5, "a"}, {2, "b"}, {9, "c"}, {2, "d"}, {5, "e"}, {1, "f"}};
    for (auto [n, s] : data) {
        a->append();
        a->fieldPut(1, Value(n));
        a->fieldPut(2, Value(s));
        a->fieldPut(3, Value(std::string("memo ") + s));
    }
    a->goTo(6);
    a->deleteRecord();
    a->pack();
    writeFile("EMPLEADO.DBF", "");  // an existing file under another spelling is the target
    ASSERT_TRUE(sortTo(*a, path("empleado"), "numero"));
    areas().closeAll();
#ifndef _WIN32
    EXPECT_FALSE(fileExists(path("empleado.dbf")));
#endif
    WorkArea* s = open("EMPLEADO.DBF");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(rows(s), (std::vector<std::string>{"2|b         |memo b", "2|d         |memo d", "5|a         |memo a",
                                                 "5|e         |memo e", "9|c         |memo c"}));
    EXPECT_TRUE(s->structure().asArray()->size() == 3);
}

TEST_F(CommandTest, SortHonoursSetDeletedAndRefusesAnUnknownField) {
    create("t.dbf", fields({{"N", 'N', 4, 0}}));
    WorkArea* a = open("t.dbf");
    for (int n : {3, 1, 2}) {
        a->append();
        a->fieldPut(1, Value(n));
    }
    a->goTo(2);
    a->deleteRecord();
    settings().deleted = true;
    ASSERT_TRUE(sortTo(*a, path("s.dbf"), "N"));
    ErrorLog log;
    EXPECT_FALSE(sortTo(*a, path("x.dbf"), "NOPE"));
    EXPECT_EQ(log.seen.size(), 1u);
    WorkArea* s = open("s.dbf");
    EXPECT_EQ(rows(s), (std::vector<std::string>{"2", "3"}));
}

// Signed and fractional keys, equal keys in table order, the record still being appended included; in
// natural order the records are read in bulk, under a filter record by record: both give the same order.
TEST_F(CommandTest, SortOrdersSignedAndFractionalKeysWithTiesInTableOrder) {
    create("t.dbf", fields({{"N", 'N', 7, 2}, {"C", 'C', 1, 0}}));
    WorkArea* a = open("t.dbf");
    const std::pair<double, const char*> data[] = {{3.5, "a"}, {-2, "b"},  {0, "c"},  {-2.25, "d"},
                                                   {3.5, "e"}, {10, "f"},  {-2, "g"}, {0.01, "h"}};
    for (auto [n, c] : data) {
        a->append();
        a->fieldPut(1, Value::number(n, 7, 2));
        a->fieldPut(2, Value(c));
    }
    auto letters = [&](const char* file) {
        WorkArea* s = open(file);
        std::string out;
        for (s->goTop(); !s->eof(); s->skip(1)) out += s->fieldGet(2).asString();
        areas().close(s->number());
        return out;
    };
    ASSERT_TRUE(sortTo(*a, path("natural.dbf"), "N"));
    a->setFilter(makeBlock([a](Args) { return Value(a->fieldGet(2).asString() != "c"); }), "C != 'c'");
    ASSERT_TRUE(sortTo(*a, path("filtered.dbf"), "N"));
    EXPECT_EQ(letters("natural.dbf"), "dbgchaef");
    EXPECT_EQ(letters("filtered.dbf"), "dbghaef");
}

// Integer keys take a packed path unless some stored text is not a plain integer: each table of stored key
// texts (as another program may have written them) must come out in the order of their values, ties in
// table order, whichever path sorts it.
TEST_F(CommandTest, SortOrdersStoredIntegerTextsByValueOnEitherPath) {
    struct Case {
        const char* name;
        std::vector<const char*> keys;  // N(9) texts, in table order; record i is letter 'a' + i
        const char* want;
    };
    const Case cases[] = {
        {"signs, blanks as zero, ties", {"       12", "      -12", "         ", "        0", "       12", "-99999999"},
         "fbcdae"},
        {"widest values", {"999999999", "-99999999", "        1"}, "bca"},
        {"a decimal point sends all to the general path", {"      1.5", "        1", "        2", "      -.5"},
         "dbac"},
        {"a plus sign or junk reads as zero there", {"       +3", "        2", "      1x7", "       -1"}, "dacb"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        areas().closeAll();
        create("t.dbf", fields({{"N", 'N', 9, 0}, {"C", 'C', 1, 0}}));
        WorkArea* a = open("t.dbf");
        for (size_t i = 0; i < c.keys.size(); ++i) {
            a->append();
            std::string image = std::string(" ") + c.keys[i] + static_cast<char>('a' + i);
            a->table().putRaw(image.data());
        }
        ASSERT_TRUE(sortTo(*a, path("sorted.dbf"), "N"));
        WorkArea* s = open("sorted.dbf");
        std::string out;
        for (s->goTop(); !s->eof(); s->skip(1)) out += s->fieldGet(2).asString();
        EXPECT_EQ(out, c.want);
    }
}

}  // namespace
}  // namespace rt::rdd::test
