// Table storage: byte layout against a hand-made file, field conversions, damaged files, crash safety.
#include <sys/types.h>

#include <cstring>
#include <filesystem>

#include "runtime/lib/date.h"
#include "runtime/rdd/failure.h"
#include "test_support.h"
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace rt::rdd::test {
namespace {

class TableTest : public EngineTest {};

std::string descriptor(const char* name, char type, int len, int dec) {
    std::string d(32, '\0');
    std::memcpy(d.data(), name, std::strlen(name));
    d[11] = type;
    d[16] = static_cast<char>(len);
    d[17] = static_cast<char>(dec);
    return d;
}

std::string le16(int v) { return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}; }

TEST_F(TableTest, CreatedFileMatchesTheClassicLayoutByteForByte) {
    create("emp.dbf", fields({{"numero", 'N', 4, 0}, {"NOMBRE", 'C', 10, 0}, {"BAJA", 'L', 1, 0},
                              {"FECHA", 'D', 8, 0}}));
    WorkArea* a = open("emp.dbf");
    ASSERT_NE(a, nullptr);
    ASSERT_TRUE(a->append());
    EXPECT_TRUE(a->fieldPut(1, Value(17)));
    EXPECT_TRUE(a->fieldPut(2, Value("ANA")));
    EXPECT_TRUE(a->fieldPut(3, Value(true)));
    EXPECT_TRUE(a->fieldPut(4, Value(makeDate(2010, 3, 25))));
    areas().closeAll();

    Ymd now = ymdFromJulian(today().julian);
    std::string want;
    want += '\x03';
    want += static_cast<char>(now.year - 1900);
    want += static_cast<char>(now.month);
    want += static_cast<char>(now.day);
    want += std::string("\x01\0\0\0", 4);
    want += le16(32 + 4 * 32 + 1) + le16(1 + 4 + 10 + 1 + 8);
    want += std::string(20, '\0');
    want += descriptor("NUMERO", 'N', 4, 0) + descriptor("NOMBRE", 'C', 10, 0) + descriptor("BAJA", 'L', 1, 0) +
            descriptor("FECHA", 'D', 8, 0);
    want += '\x0D';
    want += std::string(" ") + "  17" + "ANA       " + "T" + "20100325";
    want += '\x1A';
    EXPECT_EQ(readFile("emp.dbf"), want);
}

struct FieldCase {
    const char* name;
    Field field;
    Value in;
    std::string stored;  // the field's bytes
    Value out;           // read back (NIL: same as in)
};

TEST_F(TableTest, FieldValuesAreStoredAndReadBackAsTheFormatWants) {
    const FieldCase cases[] = {
        {"char padded", {"C", 'C', 6, 0}, Value("ab"), "ab    ", Value("ab    ")},
        {"char cut", {"C", 'C', 3, 0}, Value("abcdef"), "abc", Value("abc")},
        {"int right aligned", {"N", 'N', 6, 0}, Value(-42), "   -42", Value()},
        {"decimals rounded", {"N", 'N', 8, 2}, Value(3.14159), "    3.14", Value(3.14)},
        {"widest numeric", {"N", 'N', 20, 2}, Value(1.5), "                1.50", Value(1.5)},
        {"zero decimals from real", {"N", 'N', 5, 0}, Value(12.0), "   12", Value(12)},
        {"date", {"D", 'D', 8, 0}, Value(makeDate(1999, 12, 31)), "19991231", Value()},
        {"empty date", {"D", 'D', 8, 0}, Value(Date{}), "        ", Value()},
        {"true", {"L", 'L', 1, 0}, Value(true), "T", Value()},
        {"false", {"L", 'L', 1, 0}, Value(false), "F", Value()},
    };
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(c.name);
        areas().closeAll();
        create("t.dbf", {c.field});
        WorkArea* a = open("t.dbf");
        ASSERT_NE(a, nullptr);
        ASSERT_TRUE(a->append());
        ASSERT_TRUE(a->fieldPut(1, c.in));
        a->goTop();
        std::string bytes(a->table().record() + 1, c.field.length);
        EXPECT_EQ(bytes, c.stored);
        Value back = a->fieldGet(1);
        const Value& want = c.out.isNil() ? c.in : c.out;
        EXPECT_EQ(back.typeCode(), want.typeCode());
        if (want.isNumber())
            EXPECT_DOUBLE_EQ(back.asDouble(), want.asDouble());
        else
            EXPECT_TRUE(back.sameAs(want)) << back.typeCode();
    }
}

TEST_F(TableTest, NumericFieldKeepsWidthAndDecimalsInTheValue) {
    create("t.dbf", fields({{"N", 'N', 7, 2}}));
    WorkArea* a = open("t.dbf");
    ASSERT_TRUE(a->append());
    ASSERT_TRUE(a->fieldPut(1, Value(5)));
    Number n = a->fieldGet(1).asNumber();
    EXPECT_EQ(n.width, 7);
    EXPECT_EQ(n.decimals, 2);
    EXPECT_DOUBLE_EQ(n.asDouble(), 5.0);
}

TEST_F(TableTest, WrongTypeRaisesACatchableDataTypeErrorAndChangesNothing) {
    create("t.dbf", fields({{"N", 'N', 4, 0}, {"C", 'C', 4, 0}}));
    WorkArea* a = open("t.dbf");
    ASSERT_TRUE(a->append());
    ASSERT_TRUE(a->fieldPut(1, Value(7)));
    {
        ErrorLog log(ErrorAction::Break);
        EXPECT_THROW(a->fieldPut(1, Value("x")), Break);
        ASSERT_EQ(log.seen.size(), 1u);
        EXPECT_EQ(log.seen[0].genCode, eg::DataType);
        EXPECT_FALSE(log.seen[0].description.empty());
    }
    ErrorLog log;  // Default: the call answers false
    EXPECT_FALSE(a->fieldPut(2, Value(3)));
    EXPECT_EQ(a->fieldGet(1).asInt(), 7);
    EXPECT_EQ(a->fieldGet(2).asString(), "    ");
}

TEST_F(TableTest, NumberTooWideForTheFieldIsAnErrorNotAsterisks) {
    create("t.dbf", fields({{"N", 'N', 3, 0}}));
    WorkArea* a = open("t.dbf");
    ASSERT_TRUE(a->append());
    ASSERT_TRUE(a->fieldPut(1, Value(12)));
    ErrorLog log;
    EXPECT_FALSE(a->fieldPut(1, Value(12345)));
    ASSERT_EQ(log.seen.size(), 1u);
    EXPECT_EQ(log.seen[0].genCode, eg::DataWidth);
    EXPECT_EQ(a->fieldGet(1).asInt(), 12);
}

TEST_F(TableTest, CreateRefusesBadStructures) {
    const std::vector<Field> bad[] = {
        {},
        {{"", 'C', 5, 0}},
        {{"TOOLONGNAME1", 'C', 5, 0}},
        {{"A", 'X', 5, 0}},
        {{"A", 'C', 0, 0}},
        {{"A", 'N', 21, 0}},
        {{"A", 'N', 4, 3}},
        {{"A", 'C', 5, 0}, {"a", 'N', 5, 0}},
    };
    for (const auto& f : bad) {
        try {
            create("bad.dbf", f);
            ADD_FAILURE() << "accepted a bad structure of " << f.size() << " fields";
        } catch (const Failure& e) {
            EXPECT_EQ(e.error.genCode, eg::Create);
        }
    }
}

// ---- damaged files ----------------------------------------------------------------------------------------

std::string goodTable() {
    std::string h;
    h += '\x03';
    h += std::string("\x7A\x01\x01", 3);
    h += std::string("\x02\0\0\0", 4);
    h += le16(65) + le16(6);
    h += std::string(20, '\0');
    h += descriptor("NAME", 'C', 5, 0);
    h += '\x0D';
    h += " ANA  BETO ";
    h += '\x1A';
    return h;
}

TEST_F(TableTest, DamagedTablesOpenWithACorruptionErrorNamingTheFile) {
    struct Damage {
        const char* name;
        std::function<void(std::string&)> apply;
    };
    const Damage damages[] = {
        {"empty file", [](std::string& s) { s.clear(); }},
        {"cut inside the header", [](std::string& s) { s.resize(40); }},
        {"not a table", [](std::string& s) { s[0] = 'M'; }},
        {"record count beyond the file", [](std::string& s) { s[4] = 9; }},
        {"huge record count", [](std::string& s) { s[7] = '\x7F'; }},
        {"header length too small", [](std::string& s) { s.replace(8, 2, le16(20)); }},
        {"header length past the file", [](std::string& s) { s.replace(8, 2, le16(60000)); }},
        {"record length zero", [](std::string& s) { s.replace(10, 2, le16(0)); }},
        {"record length not the fields", [](std::string& s) { s.replace(10, 2, le16(9)); }},
        {"descriptors without terminator", [](std::string& s) { s[64] = 'X'; }},
        {"field of width zero", [](std::string& s) { s[32 + 16] = 0; }},
        {"unknown field type", [](std::string& s) { s[32 + 11] = '?'; }},
    };
    for (const Damage& d : damages) {
        SCOPED_TRACE(d.name);
        std::string bytes = goodTable();
        d.apply(bytes);
        writeFile("bad.dbf", bytes);
        ErrorLog log(ErrorAction::Break);
        UseOptions o;
        EXPECT_THROW(areas().use(path("bad.dbf"), o), Break);
        ASSERT_EQ(log.seen.size(), 1u);
        EXPECT_EQ(log.seen[0].genCode, eg::Corruption);
        EXPECT_NE(log.seen[0].filename.find("bad.dbf"), std::string::npos);
        EXPECT_EQ(areas().current(), nullptr);
    }
    writeFile("good.dbf", goodTable());
    ASSERT_NE(open("good.dbf"), nullptr);
    EXPECT_EQ(areas().current()->lastRec(), 2u);
}

// A one-record table whose fields are a C(2) and then `last` as its descriptor says (width `len`): the record
// length always matches, so only the descriptor itself is in question.
std::string tableEndingWith(char version, char type, int len, int dec) {
    std::string h;
    h += version;
    h += std::string("\x7A\x01\x01", 3);
    h += std::string("\x01\0\0\0", 4);
    h += le16(32 + 2 * 32 + 1) + le16(1 + 2 + len);
    h += std::string(20, '\0');
    h += descriptor("CODE", 'C', 2, 0) + descriptor("LAST", type, len, dec);
    h += '\x0D';
    h += " AB" + std::string(static_cast<size_t>(len), '1');
    h += '\x1A';
    return h;
}

TEST_F(TableTest, FieldDescriptorsAreCheckedAgainstTheirTypeWhenTheTableOpens) {
    struct Case {
        const char* name;
        char version, type;
        int len, dec;
        bool opens;
    };
    const Case cases[] = {
        {"date of width 1", '\x03', 'D', 1, 0, false},
        {"date of width 9", '\x03', 'D', 9, 0, false},
        {"logical of width 2", '\x03', 'L', 2, 0, false},
        {"numeric of width 100", '\x03', 'N', 100, 2, false},
        {"float of width 21", '\x03', 'F', 21, 0, false},
        {"decimals as wide as the field", '\x03', 'N', 4, 4, false},
        {"memo of width 4 beside a DBT", '\x03', 'M', 4, 0, false},
        {"memo of width 8", '\xF5', 'M', 8, 0, false},
        {"general field", '\x03', 'G', 10, 0, false},
        {"binary field", '\x03', 'B', 10, 0, false},
        {"date of width 8", '\x03', 'D', 8, 0, true},
        {"numeric of width 20", '\x03', 'N', 20, 2, true},
        {"float of width 20", '\x03', 'F', 20, 3, true},
        {"logical of width 1", '\x03', 'L', 1, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile("t.dbf", tableEndingWith(c.version, c.type, c.len, c.dec));
        ErrorLog log;
        UseOptions o;
        const bool opened = areas().use(path("t.dbf"), o);
        EXPECT_EQ(opened, c.opens);
        if (!opened) {
            ASSERT_EQ(log.seen.size(), 1u);
            EXPECT_EQ(log.seen[0].genCode, eg::Corruption);
            EXPECT_NE(log.seen[0].filename.find("t.dbf"), std::string::npos);
            EXPECT_NE(log.seen[0].description.find("LAST"), std::string::npos);
            continue;
        }
        WorkArea* a = areas().current();
        a->goTop();
        EXPECT_EQ(a->fieldGet(1).asString(), "AB");
        a->fieldGet(2);  // read within the field's width (the sanitizers watch)
        EXPECT_TRUE(log.seen.empty());
        areas().closeAll();
    }
}

TEST_F(TableTest, FoxProMemoPointersOfFourBinaryBytesAreReadAndWritten) {
    create("t.dbf", fields({{"CODE", 'C', 2, 0}, {"NOTE", 'M', 10, 0}}), MemoKind::Fpt);
    // The same table with its memo field narrowed to the four-byte binary kind.
    std::string bytes = readFile("t.dbf");
    bytes = bytes.substr(0, 4) + std::string(4, '\0') + le16(32 + 2 * 32 + 1) + le16(1 + 2 + 4) +
            bytes.substr(12, 32 + 32 - 12) + descriptor("NOTE", 'M', 4, 0) + "\x0D\x1A";
    writeFile("t.dbf", bytes);
    WorkArea* a = open("t.dbf");
    ASSERT_NE(a, nullptr);
    ASSERT_TRUE(a->append());
    ASSERT_TRUE(a->fieldPut(2, Value(std::string(300, 'x'))));
    areas().closeAll();
    const std::string stored = readFile("t.dbf");
    const size_t record = 32 + 2 * 32 + 1;
    ASSERT_GE(stored.size(), record + 7);
    EXPECT_NE(stored.substr(record + 3, 4), std::string(4, '\0'));  // a block number, in binary
    a = open("t.dbf");
    ASSERT_NE(a, nullptr);
    a->goTop();
    EXPECT_EQ(a->fieldGet(2).asString(), std::string(300, 'x'));
}

#ifndef _WIN32
TEST_F(TableTest, RecordsCutAwayUnderAnOpenTableAreAnErrorAndLeaveTheAreaAtEof) {
    create("t.dbf", fields({{"C", 'C', 200, 0}}));
    WorkArea* a = open("t.dbf");
    for (int i = 0; i < 1000; ++i) a->append();
    a->commit();
    areas().closeAll();
    a = open("t.dbf");
    std::filesystem::resize_file(path("t.dbf"), 32 + 32 + 1 + 201);  // POSIX share locks are only advisory
    ErrorLog log;
    a->goTo(900);
    EXPECT_TRUE(a->eof());
    ASSERT_EQ(log.seen.size(), 1u);
    EXPECT_EQ(log.seen[0].genCode, eg::Corruption);
}
#endif

TEST_F(TableTest, MissingFileIsAnOpenErrorWithTheOsCode) {
    ErrorLog log;
    UseOptions o;
    EXPECT_FALSE(areas().use(path("none.dbf"), o));
    ASSERT_EQ(log.seen.size(), 1u);
    EXPECT_EQ(log.seen[0].genCode, eg::Open);
    EXPECT_EQ(log.seen[0].osCode, 2);
    EXPECT_TRUE(log.seen[0].canDefault);
}

// ---- writes keep the file consistent ------------------------------------------------------------------------

TEST_F(TableTest, HeaderCountNeverRunsAheadOfTheRecordsOnDisk) {
    create("t.dbf", fields({{"N", 'N', 8, 0}}));
    for (bool shared : {false, true}) {
        SCOPED_TRACE(shared ? "shared" : "exclusive");
        WorkArea* a = open("t.dbf", shared);
        ASSERT_NE(a, nullptr);
        for (int i = 0; i < 5000; ++i) {
            ASSERT_TRUE(a->append());
            a->fieldPut(1, Value(i));
            if (i % 997 != 0) continue;
            // Through the area's own handle: Windows lets no other handle read an exclusive table.
            uint32_t count = 0;
            ASSERT_EQ(a->table().file().readAt(4, &count, 4), 4u);
            uint32_t onDisk = static_cast<uint32_t>((a->table().file().size() - 65) / 9);
            EXPECT_LE(count, onDisk);
        }
        areas().closeAll();
    }
}

// Appends pass through a view of the file's tail that moves on every megabyte: records in earlier stretches
// stay readable and editable, and closing leaves exactly the records and the end marker.
TEST_F(TableTest, LongAppendsSpanSeveralTailStretchesAndCloseToTheExactSize) {
    create("t.dbf", fields({{"N", 'N', 8, 0}, {"C", 'C', 240, 0}}));
    WorkArea* a = open("t.dbf");
    ASSERT_NE(a, nullptr);
    const int count = 10000;  // about 2.5 MB of records
    auto text = [](int i) { return std::string(240, static_cast<char>('A' + i % 26)); };
    for (int i = 1; i <= count; ++i) {
        ASSERT_TRUE(a->append());
        a->fieldPut(1, Value(i));
        a->fieldPut(2, Value(text(i)));
    }
    for (int r : {1, 4000, 4500, 9000, count}) {
        a->goTo(static_cast<uint32_t>(r));
        EXPECT_EQ(a->fieldGet(1).asInt(), r);
        EXPECT_EQ(a->fieldGet(2).asString(), text(r));
    }
    a->goTo(2);
    a->fieldPut(1, Value(-2));
    ASSERT_TRUE(a->append());
    a->fieldPut(1, Value(count + 1));
    areas().closeAll();

    std::string bytes = readFile("t.dbf");
    const size_t header = 32 + 2 * 32 + 1, length = 1 + 8 + 240;
    ASSERT_EQ(bytes.size(), header + (count + 1) * length + 1);
    EXPECT_EQ(bytes.back(), '\x1A');
    a = open("t.dbf");
    EXPECT_EQ(a->lastRec(), static_cast<uint32_t>(count + 1));
    int n = 0;
    for (a->goTop(); !a->eof(); a->skip(1)) {
        ++n;
        ASSERT_FALSE(a->deleted()) << n;
        ASSERT_EQ(a->fieldGet(1).asInt(), n == 2 ? -2 : n);
    }
    EXPECT_EQ(n, count + 1);
}

// A bulk pass maps the records for reading: every record the table holds, the one still being appended
// (counted first) and an edit not yet written included; an empty table and a range past the end map nothing.
TEST_F(TableTest, RecordsViewedForReadingAreEveryRecordAsStored) {
    create("t.dbf", fields({{"N", 'N', 4, 0}}));
    WorkArea* a = open("t.dbf");
    FileView view;
    EXPECT_FALSE(a->table().viewRecords(view));
    for (int n : {1, 2, 3}) {
        ASSERT_TRUE(a->append());
        a->fieldPut(1, Value(n));
    }
    a->goTo(1);
    a->fieldPut(1, Value(9));
    ASSERT_TRUE(a->table().viewRecords(view));
    EXPECT_EQ(std::string(view.at(view.begin()), view.end() - view.begin()), "    9    2    3");
    EXPECT_EQ(a->lastRec(), 3u);
    EXPECT_FALSE(view.mapRead(a->table().file(), a->table().file().size() - 1, 2));
}

// A pass of edits over records just appended (the import's pass over its scratch table) goes through the view
// the appends lengthened; every edit reaches the file, and appending after the pass goes on at the end.
TEST_F(TableTest, EditsInAPassOverRecordsJustAppendedReachTheFile) {
    create("t.dbf", fields({{"N", 'N', 8, 0}, {"C", 'C', 240, 0}}));
    WorkArea* a = open("t.dbf");
    const int count = 10000;  // about 2.5 MB, past several lengthenings of the view
    for (int i = 1; i <= count; ++i) {
        ASSERT_TRUE(a->append());
        a->fieldPut(1, Value(i));
    }
    for (a->goTop(); !a->eof(); a->skip(1)) {
        const int r = static_cast<int>(a->recno());
        ASSERT_EQ(a->fieldGet(1).asInt(), r);
        a->fieldPut(1, Value(-r));
        a->fieldPut(2, Value(std::string(240, static_cast<char>('A' + r % 26))));
    }
    ASSERT_TRUE(a->append());
    a->fieldPut(1, Value(-(count + 1)));
    areas().closeAll();

    const size_t header = 32 + 2 * 32 + 1, length = 1 + 8 + 240;
    EXPECT_EQ(readFile("t.dbf").size(), header + (count + 1) * length + 1);
    a = open("t.dbf");
    int n = 0;
    for (a->goTop(); !a->eof(); a->skip(1)) {
        ++n;
        ASSERT_EQ(a->fieldGet(1).asInt(), -n);
        if (n <= count) {
            ASSERT_EQ(a->fieldGet(2).asString(), std::string(240, static_cast<char>('A' + n % 26)));
        }
    }
    EXPECT_EQ(n, count + 1);
}

// An edit elsewhere moves the view away from the record just appended; that record must stay whole and
// readable, and the next append must not write over it.
TEST_F(TableTest, EditingAnEarlierRecordRightAfterAnAppendKeepsTheAppendedRecord) {
    create("t.dbf", fields({{"N", 'N', 8, 0}, {"C", 'C', 240, 0}}));
    WorkArea* a = open("t.dbf");
    for (int i = 1; i <= 6000; ++i) {  // past the first megabyte, so record 1 lies outside the appending view
        ASSERT_TRUE(a->append());
        a->fieldPut(1, Value(i));
    }
    a->goTo(1);
    a->fieldPut(1, Value(-1));
    a->goTo(6000);
    EXPECT_EQ(a->fieldGet(1).asInt(), 6000);
    ASSERT_TRUE(a->append());
    a->fieldPut(1, Value(6001));
    areas().closeAll();
    a = open("t.dbf");
    for (uint32_t r : {1u, 5999u, 6000u, 6001u}) {
        a->goTo(r);
        EXPECT_FALSE(a->deleted()) << r;
        EXPECT_EQ(a->fieldGet(1).asInt(), r == 1 ? -1 : static_cast<int>(r)) << r;
    }
}

#ifndef _WIN32
TEST_F(TableTest, AProcessKilledWhileAppendingLosesAtMostTheRecordBeingWritten) {
    create("t.dbf", fields({{"N", 'N', 8, 0}, {"C", 'C', 20, 0}}));
    pid_t child = fork();
    if (child == 0) {
        UseOptions o;
        if (!WorkAreas::instance().use(path("t.dbf"), o)) _exit(3);
        WorkArea* a = WorkAreas::instance().current();
        for (int i = 1;; ++i) {
            a->append();
            a->fieldPut(1, Value(i));
            a->fieldPut(2, Value(std::string(20, static_cast<char>('A' + i % 26))));
            if (i == 1000) kill(getpid(), SIGKILL);  // mid-import, nothing committed by the program
        }
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    WorkArea* a = open("t.dbf");
    ASSERT_NE(a, nullptr);
    EXPECT_GE(a->lastRec(), 999u);
    uint32_t n = 0;
    for (a->goTop(); !a->eof(); a->skip(1)) {
        ++n;
        ASSERT_EQ(a->fieldGet(1).asInt(), static_cast<int>(n));
        ASSERT_EQ(a->fieldGet(2).asString(), std::string(20, static_cast<char>('A' + n % 26)));
    }
    EXPECT_EQ(n, a->lastRec());

    // The killed process left its tail stretch behind the end marker; the next close that writes trims it.
    ASSERT_TRUE(a->append());
    a->fieldPut(1, Value(static_cast<int>(n + 1)));
    areas().closeAll();
    EXPECT_EQ(readFile("t.dbf").size(), 32u + 2 * 32 + 1 + (n + 1) * 29 + 1);
}
#endif

TEST_F(TableTest, PackRemovesDeletedRecordsAndZapEmptiesTheTable) {
    create("t.dbf", fields({{"N", 'N', 6, 0}}));
    WorkArea* a = open("t.dbf");
    for (int i = 1; i <= 10; ++i) {
        a->append();
        a->fieldPut(1, Value(i));
        if (i % 3 == 0) a->deleteRecord();
    }
    ASSERT_TRUE(a->pack());
    EXPECT_EQ(a->lastRec(), 7u);
    std::vector<int> kept;
    for (a->goTop(); !a->eof(); a->skip(1)) kept.push_back(a->fieldGet(1).asInt());
    EXPECT_EQ(kept, (std::vector<int>{1, 2, 4, 5, 7, 8, 10}));
    areas().closeAll();
    EXPECT_EQ(readFile("t.dbf").size(), 32u + 32 + 1 + 7 * 7 + 1);

    a = open("t.dbf");
    ASSERT_TRUE(a->zap());
    EXPECT_EQ(a->lastRec(), 0u);
    EXPECT_TRUE(a->eof());
    EXPECT_TRUE(a->bof());
    areas().closeAll();
    EXPECT_EQ(readFile("t.dbf").size(), 32u + 32 + 1 + 1);
}

TEST_F(TableTest, PackAndZapNeedAnExclusiveTable) {
    create("t.dbf", fields({{"N", 'N', 6, 0}}));
    WorkArea* a = open("t.dbf", true);
    ErrorLog log;
    EXPECT_FALSE(a->pack());
    EXPECT_FALSE(a->zap());
    ASSERT_EQ(log.seen.size(), 2u);
    EXPECT_EQ(log.seen[0].genCode, eg::Shared);
}

}  // namespace
}  // namespace rt::rdd::test
