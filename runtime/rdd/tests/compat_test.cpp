// Compatibility with an independent DBF implementation (Debian's python3-dbf): tables we write, delete from
// and pack are read back by it field by field, and tables it writes (C, N, D, L, M) are read by us.
#include <cstdio>
#include <fstream>
#include <sstream>

#include "runtime/lib/date.h"
#include "test_support.h"

namespace rt::rdd::test {
namespace {

const char* const kScript = R"PY(
import sys, datetime, dbf
mode, path = sys.argv[1], sys.argv[2]
if mode == 'read':
    t = dbf.Table(path)
    t.open()
    for r in t:
        if dbf.is_deleted(r):
            continue
        print('|'.join(repr(r[f]) for f in t.field_names))
    t.close()
else:
    t = dbf.Table(path, 'name C(10); num N(8,2); day D; ok L; note M', dbf_type='db3')
    t.open(mode=dbf.READ_WRITE)
    t.append(('ANA', 3.5, datetime.date(2010, 3, 25), True, 'hello memo'))
    t.append(('BETO', -12, None, False, ''))
    t.append(('CARLA', 123.25, datetime.date(1999, 12, 31), False, 'x' * 1500))
    t.close()
)PY";

class CompatTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        std::ofstream(path("dbfcheck.py")) << kScript;
    }
    std::string python(const std::string& mode, const std::string& table) {
        std::string cmd = "/usr/bin/python3 " + path("dbfcheck.py") + " " + mode + " " + path(table) + " 2>&1";
        FILE* p = popen(cmd.c_str(), "r");
        std::string out;
        char buf[4096];
        while (size_t n = fread(buf, 1, sizeof buf, p)) out.append(buf, n);
        EXPECT_EQ(pclose(p), 0) << out;
        return out;
    }
};

TEST_F(CompatTest, TablesWeWriteDeleteFromAndPackAreReadFieldByField) {
    create("ours.dbf", fields({{"NAME", 'C', 10, 0}, {"NUM", 'N', 8, 2}, {"DAY", 'D', 8, 0}, {"OK", 'L', 1, 0},
                               {"NOTE", 'M', 10, 0}}));
    WorkArea* a = open("ours.dbf");
    struct Row {
        const char* name;
        double num;
        Date day;
        bool ok;
        std::string note;
    };
    const Row data[] = {{"ANA", 3.5, makeDate(2010, 3, 25), true, "hello memo"},
                        {"GONE", 1, Date{}, false, "deleted"},
                        {"BETO", -12, Date{}, false, ""},
                        {"CARLA", 123.25, makeDate(1999, 12, 31), false, std::string(1500, 'x')}};
    for (const Row& r : data) {
        a->append();
        a->fieldPut(1, Value(r.name));
        a->fieldPut(2, Value(r.num));
        a->fieldPut(3, Value(r.day));
        a->fieldPut(4, Value(r.ok));
        a->fieldPut(5, Value(r.note));
    }
    a->goTo(2);
    a->deleteRecord();
    ASSERT_TRUE(a->pack());
    areas().closeAll();
    EXPECT_EQ(python("read", "ours.dbf"),
              "'ANA       '|3.5|datetime.date(2010, 3, 25)|True|'hello memo'\n"
              "'BETO      '|-12.0|None|False|''\n"
              "'CARLA     '|123.25|datetime.date(1999, 12, 31)|False|'" +
                  std::string(1500, 'x') + "'\n");
}

TEST_F(CompatTest, TablesItWritesAreReadByUs) {
    python("write", "theirs.dbf");
    WorkArea* a = open("theirs.dbf");
    ASSERT_NE(a, nullptr);
    ASSERT_EQ(a->lastRec(), 3u);
    std::ostringstream seen;
    for (a->goTop(); !a->eof(); a->skip(1)) {
        seen << a->fieldGet(1).asString() << "|" << a->fieldGet(2).asDouble() << "|" << dtos(a->fieldGet(3).asDate())
             << "|" << a->fieldGet(4).asLogical() << "|" << a->fieldGet(5).asString() << "\n";
    }
    EXPECT_EQ(seen.str(), "ANA       |3.5|20100325|1|hello memo\n"
                          "BETO      |-12|        |0|\n"
                          "CARLA     |123.25|19991231|0|" + std::string(1500, 'x') + "\n");
    // And we can go on writing to it.
    ASSERT_TRUE(a->append());
    ASSERT_TRUE(a->fieldPut(5, Value("added by us")));
    areas().closeAll();
    EXPECT_NE(python("read", "theirs.dbf").find("'added by us'"), std::string::npos);
}

}  // namespace
}  // namespace rt::rdd::test
