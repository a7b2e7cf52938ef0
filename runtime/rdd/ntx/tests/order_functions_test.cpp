// Orders through the table engine: the by-name functions as programs call them, on real DBF tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "runtime/core/error.h"
#include "runtime/core/runtime.h"
#include "runtime/core/settings.h"
#include "runtime/lib/date.h"
#include "runtime/lib/library.h"
#include "runtime/rdd/ntx/ntx_order.h"
#include "runtime/rdd/ntx/order_functions.h"
#include "runtime/rdd/record_key.h"
#include "runtime/rdd/table_functions.h"
#include "runtime/rdd/work_areas.h"
#include "tests/support/function_call.h"
#include "tests/support/temp_folder.h"

namespace rt::ntx {
namespace {

using rdd::WorkArea;
using rdd::WorkAreas;
using rt::testing::call;
using rt::testing::TempFolder;


Value row(const char* name, const char* type, int len, int dec) {
    return Value::array({Value(name), Value(type), Value(len), Value(dec)});
}

class OrderFunctions : public ::testing::Test {
protected:
    void SetUp() override {
        registerLibraryFunctions();
        rdd::registerTableFunctions();
        registerOrderFunctions();
        previous_ = setErrorHandler([this](Error& e) {
            errors.push_back(e);
            ErrorAnswer a;
            a.action = e.canDefault || e.genCode == eg::Corruption ? ErrorAction::Default : ErrorAction::Break;
            return a;
        });
        settings() = Settings{};
        settings().dateFormat = "yyyy/mm/dd";
        settings().century = true;
    }
    void TearDown() override {
        WorkAreas::instance().closeAll();
        setErrorHandler(previous_);
    }
    std::string file(const std::string& name) const { return dir.file(name); }
    // The punch table of the attendance import.
    void createPunches() {
        ASSERT_TRUE(call("DBCREATE", {Value(file("checadas")), Value::array({row("EMPLEADO", "N", 6, 0),
                                                                             row("FECHA", "C", 10, 0),
                                                                             row("HORA", "C", 8, 0)})})
                        .asLogical());
    }
    void use(const std::string& name, bool shared, bool newArea = true) {
        ASSERT_TRUE(call("DBUSEAREA", {Value(newArea), Value("DBFNTX"), Value(file(name)), Value(), Value(shared)})
                        .asLogical());
    }
    // Seek-or-append, as the import does it; answers whether the punch was new.
    bool punch(int badge, const std::string& fecha, const std::string& hora) {
        char key[32];
        std::snprintf(key, sizeof key, "%6d", badge);
        if (call("DBSEEK", {Value(std::string(key) + fecha + hora)}).asLogical()) return false;
        call("DBAPPEND");
        call("FIELDPUT", {Value(1), Value(badge)});
        call("FIELDPUT", {Value(2), Value(fecha)});
        call("FIELDPUT", {Value(3), Value(hora)});
        return true;
    }
    std::vector<int> recordsInOrder() {
        std::vector<int> out;
        call("DBGOTOP");
        while (!call("EOF").asLogical() && out.size() < 10000) {
            out.push_back(call("RECNO").asInt());
            call("DBSKIP");
        }
        return out;
    }

    std::pair<int, int> openTwiceShared();

    TempFolder dir;
    std::vector<Error> errors;
    ErrorHandler previous_;
};

TEST_F(OrderFunctions, ImportKeepsEachPunchOnceAcrossRuns) {
    createPunches();
    use("checadas", false);
    ASSERT_TRUE(call("ORDCREATE", {Value(file("checadas.ntx")), Value(), Value("str(empleado,6)+fecha+hora")})
                    .asLogical());
    struct P {
        int badge;
        const char* fecha;
        const char* hora;
    };
    const std::vector<P> run = {{17, "2010/03/25", "08:15:00"}, {17, "2010/03/25", "08:15:01"},
                                {195, "2010/03/25", "08:00:00"}, {17, "2010/03/25", "08:15:00"},
                                {3, "2010/03/26", "18:00:00"},  {195, "2010/03/25", "08:00:00"}};
    int added = 0;
    for (const auto& p : run) added += punch(p.badge, p.fecha, p.hora);
    EXPECT_EQ(added, 4);
    call("DBCLOSEAREA");

    // The next import recreates the index and adds nothing.
    use("checadas", false);
    ASSERT_TRUE(call("ORDCREATE", {Value(file("checadas.ntx")), Value(), Value("str(empleado,6)+fecha+hora")})
                    .asLogical());
    added = 0;
    for (const auto& p : run) added += punch(p.badge, p.fecha, p.hora);
    EXPECT_EQ(added, 0);
    EXPECT_EQ(call("LASTREC").asInt(), 4);
    EXPECT_EQ(recordsInOrder(), (std::vector<int>{4, 1, 2, 3}));
    EXPECT_TRUE(errors.empty()) << errors.front().description;
}

// Keys built from record bytes are the evaluator's bytes for every field type, for the values programs store
// and for bytes other programs may have left (blanks, leading zeros, stray characters, impossible dates);
// expressions of any other kind get no plan and stay with the evaluator.
TEST_F(OrderFunctions, KeysFromRecordBytesAreTheEvaluatorsBytes) {
    ASSERT_TRUE(call("DBCREATE", {Value(file("tipos")),
                                  Value::array({row("NOMBRE", "C", 5, 0), row("NUM", "N", 6, 0), row("CHICO", "N", 2, 0),
                                                row("PRECIO", "N", 8, 2), row("FECHA", "D", 8, 0), row("ACTIVO", "L", 1, 0),
                                                row("NOTAS", "M", 10, 0)})})
                    .asLogical());
    use("tipos", false);
    WorkArea& area = *WorkAreas::instance().current();
    struct Stored {
        const char* nombre;
        int64_t num;
        int64_t chico;
        double precio;
        const char* fecha;
    };
    for (const Stored& r : {Stored{"Ana", 42, 7, 3.5, "2010/03/25"}, Stored{"", -5, -9, -0.25, ""},
                            Stored{"Zoe\xe1z", 999999, 99, 99999.99, "1999/12/31"}, Stored{"b", 0, 0, 0, "2000/02/29"}}) {
        ASSERT_TRUE(area.append());
        area.fieldPut(1, Value(r.nombre));
        area.fieldPut(2, Value(r.num));
        area.fieldPut(3, Value(r.chico));
        area.fieldPut(4, Value(r.precio));
        area.fieldPut(5, Value(ctod(r.fecha)));
    }
    ASSERT_TRUE(area.append());  // left blank
    // Raw images: NOMBRE(5) NUM(6) CHICO(2) PRECIO(8) FECHA(8) ACTIVO(1) NOTAS(10) after the deleted flag.
    auto image = [](std::initializer_list<const char*> parts) {
        std::string r;
        for (const char* p : parts) r += p;
        return r;
    };
    for (const std::string& raw : {image({" ", "x    ", "000012", " 3", "    1.50", "20230231", "T", "          "}),
                                   image({"*", "abcde", "  12x4", "-1", " -1.2345", "abcdefgh", "F", "          "}),
                                   image({" ", "\t    ", "-00012", "1e", "3       ", "2023 1 1", "?", "          "}),
                                   image({" ", "     ", "123456", "99", "99999.99", "19000101", " ", "          "}),
                                   image({" ", "q    ", "    -0", "+5", "   -0.00", "        ", "F", "          "})}) {
        ASSERT_EQ(raw.size(), area.table().recordLength());
        ASSERT_TRUE(area.append());
        area.table().putRaw(raw.data());
    }
    area.commit();

    struct Case {
        const char* text;
        bool planned;
    };
    const Case cases[] = {
        {"NOMBRE", true}, {"STR(NUM,6)+NOMBRE", true}, {" str( num , 10 ) + dtos(fecha) ", true},
        {"STR(CHICO,1)+STR(NUM,3)", true}, {"STR(PRECIO,8,2)+STR(PRECIO,5)+STR(NUM,9,3)", true},
        {"Str(Num,6,0)+DToS(Fecha)+Nombre", true}, {"STR(NUM)", false}, {"STR(NUM,0)", false},
        {"DTOS(NOMBRE)", false}, {"STR(NOMBRE,5)", false}, {"UPPER(NOMBRE)", false}, {"NOMBRE+ACTIVO", false},
        {"NUM", false}, {"FECHA", false}, {"NOTAS", false}, {"NOMBRE+", false}, {"(NOMBRE)", false},
        {"NOMBRE-NOMBRE", false}, {"TIPOS->NOMBRE", false}, {"NOMBRE NOMBRE", false}, {"OTRO+NOMBRE", false},
        {"STR(NUM,6", false}, {"STR(NUM,6)+", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        auto plan = rdd::RecordKey::compile(c.text, area.table().fields());
        ASSERT_EQ(plan.has_value(), c.planned);
        if (!plan) continue;
        BlockPtr block = rdd::compileText(c.text);
        ASSERT_TRUE(block);
        std::string built;
        for (uint32_t r = 1; r <= area.lastRec(); ++r) {
            area.goTo(r);
            plan->build(area.table().record(), built);
            const Value evaluated = block->eval({});
            ASSERT_TRUE(evaluated.isString()) << "record " << r;
            EXPECT_EQ(built, evaluated.asString()) << "record " << r;
        }
    }
    EXPECT_TRUE(errors.empty());
}

TEST_F(OrderFunctions, ClosingRightAfterAnEditKeepsTheKey) {
    // The last record's key enters the index while the area closes, with the area still reachable.
    createPunches();
    use("checadas", false);
    ASSERT_TRUE(call("ORDCREATE", {Value(file("checadas.ntx")), Value(), Value("str(empleado,6)+fecha+hora")})
                    .asLogical());
    EXPECT_TRUE(punch(42, "2010/03/25", "08:15:00"));
    call("DBCLOSEAREA");
    use("checadas", false);
    ASSERT_TRUE(call("ORDLISTADD", {Value(file("checadas.ntx"))}).asLogical());
    EXPECT_FALSE(punch(42, "2010/03/25", "08:15:00"));
    EXPECT_EQ(call("ORDKEYCOUNT").asInt(), 1);
    EXPECT_TRUE(errors.empty()) << errors.front().description;
}

TEST_F(OrderFunctions, DescribesFocusesSeeksAndScopes) {
    createPunches();
    use("checadas", false);
    for (int i = 1; i <= 30; ++i) {
        call("DBAPPEND");
        call("FIELDPUT", {Value(1), Value(i % 10)});
        call("FIELDPUT", {Value(2), Value("2010/03/" + std::string(i < 10 ? "0" : "") + std::to_string(i))});
    }
    ASSERT_TRUE(call("ORDCREATE", {Value(file("byemp")), Value("BYEMP"), Value("str(empleado,6)")}).asLogical());
    call("ORDCONDSET", {Value("!DELETED()"), Value(), Value(), Value(), Value(), Value(), Value(), Value(), Value(),
                        Value(), Value(), Value(true)});
    ASSERT_TRUE(call("ORDCREATE", {Value(file("byday")), Value("BYDAY"), Value("fecha")}).asLogical());
    EXPECT_EQ(call("ORDCOUNT").asInt(), 2);
    EXPECT_EQ(call("ORDNAME", {Value(1)}).asString(), "BYEMP");
    EXPECT_EQ(call("ORDNAME").asString(), "BYDAY");
    EXPECT_EQ(call("ORDNUMBER", {Value("byemp")}).asInt(), 1);
    EXPECT_EQ(call("ORDKEY", {Value(1)}).asString(), "str(empleado,6)");
    EXPECT_EQ(call("ORDFOR", {Value("BYDAY")}).asString(), "!DELETED()");
    EXPECT_EQ(call("ORDBAGNAME", {Value(1)}).asString(), "byemp.ntx");
    EXPECT_EQ(call("ORDBAGEXT").asString(), ".ntx");

    EXPECT_EQ(call("ORDSETFOCUS", {Value("byemp")}).asString(), "BYDAY");
    EXPECT_EQ(call("ORDSETFOCUS", {Value(0)}).asString(), "BYEMP");
    EXPECT_EQ(call("ORDSETFOCUS", {Value(1)}).asString(), "");
    EXPECT_EQ(call("ORDSETFOCUS").asString(), "BYEMP");

    // Seeks: exact, soft, last, FOUND and the key value.
    EXPECT_TRUE(call("DBSEEK", {Value("     3")}).asLogical());
    EXPECT_EQ(call("RECNO").asInt(), 3);
    EXPECT_TRUE(call("FOUND").asLogical());
    EXPECT_EQ(call("ORDKEYVAL").asString(), "     3");
    EXPECT_TRUE(call("DBSEEK", {Value("     3"), Value(false), Value(true)}).asLogical());
    EXPECT_EQ(call("RECNO").asInt(), 23);
    EXPECT_FALSE(call("DBSEEK", {Value("    99")}).asLogical());
    EXPECT_TRUE(call("EOF").asLogical());
    // Soft seek (the setting is the default) lands on the next key.
    call("ORDSETFOCUS", {Value("BYDAY")});
    settings().softSeek = true;
    EXPECT_FALSE(call("DBSEEK", {Value("2010/03/1A")}).asLogical());
    EXPECT_EQ(call("RECNO").asInt(), 20);
    EXPECT_FALSE(call("FOUND").asLogical());
    settings().softSeek = false;
    call("ORDSETFOCUS", {Value("BYEMP")});

    // Key numbers and scopes.
    EXPECT_EQ(call("ORDKEYCOUNT").asInt(), 30);
    EXPECT_TRUE(call("ORDKEYGOTO", {Value(4)}).asLogical());
    EXPECT_EQ(call("RECNO").asInt(), 1);
    EXPECT_EQ(call("ORDKEYNO").asInt(), 4);
    EXPECT_EQ(call("ORDSCOPE", {Value(0), Value("     2")}).isNil(), true);
    call("ORDSCOPE", {Value(1), Value("     4")});
    EXPECT_EQ(call("ORDSCOPE", {Value(0)}).asString(), "     2");
    EXPECT_EQ(call("ORDKEYCOUNT").asInt(), 9);
    EXPECT_EQ(recordsInOrder(), (std::vector<int>{2, 12, 22, 3, 13, 23, 4, 14, 24}));
    call("ORDSCOPE", {Value(0), Value()});
    call("ORDSCOPE", {Value(1), Value()});
    EXPECT_EQ(call("ORDKEYCOUNT").asInt(), 30);

    // Direction flipped on the open order.
    EXPECT_FALSE(call("ORDDESCEND", {Value(), Value(), Value(true)}).asLogical());
    EXPECT_EQ(recordsInOrder().front(), 29);
    call("ORDDESCEND", {Value(), Value(), Value(false)});

    // Edits move records in every open order; the FOR condition drops deleted records.
    call("DBGOTO", {Value(5)});
    call("FIELDPUT", {Value(1), Value(0)});
    call("DBDELETE");
    call("DBCOMMIT");
    EXPECT_TRUE(call("DBSEEK", {Value("     0")}).asLogical());
    EXPECT_EQ(call("RECNO").asInt(), 5);
    call("ORDSETFOCUS", {Value("BYDAY")});
    EXPECT_EQ(call("ORDKEYCOUNT").asInt(), 29);

    // ORDDESTROY closes the order and removes its file.
    EXPECT_TRUE(call("ORDDESTROY", {Value("BYDAY")}).asLogical());
    EXPECT_FALSE(std::filesystem::exists(file("byday.ntx")));
    EXPECT_EQ(call("ORDCOUNT").asInt(), 1);
    EXPECT_TRUE(errors.empty()) << errors.front().description;
}

TEST_F(OrderFunctions, TemporaryTagsGetTheirOwnFilesAndUniqueNames) {
    createPunches();
    use("checadas", false);
    for (int i = 1; i <= 5; ++i) {
        call("DBAPPEND");
        call("FIELDPUT", {Value(1), Value(10 - i)});
    }
    WorkArea& area = *WorkAreas::instance().current();
    int steps = 0;
    IndexRequest r;
    r.tag = "_123456789";
    r.bag = "EMPLEA.TMP";
    r.key = "EMPLEADO";
    r.temporary = true;
    r.additive = true;
    r.progress = [&](uint64_t, uint64_t) { ++steps; };
    r.every = 2;
    ASSERT_TRUE(ordCreate(area, r));
    EXPECT_EQ(steps, 3);  // after records 2 and 4, and at the end
    // The caller's bag name finds the tag, while the file lives in the temporary folder.
    EXPECT_EQ(ordCount(area, "EMPLEA.TMP"), 1u);
    EXPECT_EQ(orderNumber(area, Value("_123456789"), "EMPLEA.TMP"), 1u);
    EXPECT_EQ(ordBagName(area, Value(1)), "EMPLEA.TMP");
    std::string bag = dynamic_cast<NtxOrder&>(*area.order(1)).path();
    EXPECT_TRUE(std::filesystem::exists(bag));
    // The same tag name again replaces the first; names never collide within the area.
    r.key = "FECHA";
    ASSERT_TRUE(ordCreate(area, r));
    EXPECT_EQ(area.orderCount(), 1u);
    EXPECT_FALSE(std::filesystem::exists(bag));
    EXPECT_EQ(ordKey(area, Value("_123456789")), "FECHA");
    std::string second = dynamic_cast<NtxOrder&>(*area.order(1)).path();
    call("DBCLOSEAREA");
    EXPECT_FALSE(std::filesystem::exists(second));
}

TEST_F(OrderFunctions, DamagedIndexIsReportedAndReindexRepairsIt) {
    createPunches();
    use("checadas", false);
    for (int i = 1; i <= 400; ++i) {
        call("DBAPPEND");
        call("FIELDPUT", {Value(1), Value(i)});
    }
    ASSERT_TRUE(call("ORDCREATE", {Value(file("emp")), Value(), Value("str(empleado,6)")}).asLogical());
    call("DBCLOSEAREA");
    // Damage a page below the root: its item count goes past the page capacity.
    {
        std::fstream f(file("emp.ntx"), std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(1024);
        const char bad[2] = {char(0xFF), char(0x7F)};
        f.write(bad, 2);
    }
    use("checadas", false);
    ASSERT_TRUE(call("ORDLISTADD", {Value(file("emp"))}).asLogical());
    call("DBSEEK", {Value("     1")});
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.back().genCode, eg::Corruption);
    EXPECT_EQ(errors.back().filename, file("emp.ntx"));
    errors.clear();
    ASSERT_TRUE(call("ORDLISTREBUILD").asLogical());
    EXPECT_TRUE(call("DBSEEK", {Value("     1")}).asLogical());
    EXPECT_EQ(call("ORDKEYCOUNT").asInt(), 400);
    EXPECT_TRUE(errors.empty());
    // A file whose key size does not match its expression is refused at open.
    call("DBCLOSEAREA");
    {
        std::fstream f(file("emp.ntx"), std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(22);
        f.write("str(empleado,5)", 16);
    }
    use("checadas", false);
    EXPECT_FALSE(call("ORDLISTADD", {Value(file("emp"))}).asLogical());
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.back().genCode, eg::Corruption);
}

// ---- hostile index files -------------------------------------------------------------------------------

// The bytes of an index file, edited in place through the published layout: header fields at fixed offsets,
// pages of a count, an offset table and items of child page, record number and key.
struct NtxBytes {
    std::vector<unsigned char> b;

    static NtxBytes load(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()}};
    }
    void save(const std::string& path) const {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    }
    uint32_t get32(size_t at) const {
        return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
    }
    void put32(size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
    }
    uint32_t root() const { return get32(4); }
    size_t item(uint32_t page, size_t i) const { return page + (b[page + 2 + 2 * i] | b[page + 3 + 2 * i] << 8); }
    uint32_t child(uint32_t page, size_t i) const { return get32(item(page, i)); }
    uint32_t firstLeaf() const {
        uint32_t p = root();
        while (child(p, 0) != 0) p = child(p, 0);
        return p;
    }
    size_t keySize() const { return b[14] | b[15] << 8; }
    void swapKeys(uint32_t page, size_t i, size_t j) {
        std::swap_ranges(b.begin() + static_cast<ptrdiff_t>(item(page, i) + 8),
                         b.begin() + static_cast<ptrdiff_t>(item(page, i) + 8 + keySize()),
                         b.begin() + static_cast<ptrdiff_t>(item(page, j) + 8));
    }
    void copyKey(uint32_t page, size_t from, size_t to) {
        std::copy_n(b.begin() + static_cast<ptrdiff_t>(item(page, from) + 8), keySize(),
                    b.begin() + static_cast<ptrdiff_t>(item(page, to) + 8));
    }
};

class HostileIndex : public OrderFunctions {
public:
    // 300 records under an index of 100-byte keys: eight keys a page, three levels.
    void buildTable() {
        ASSERT_TRUE(call("DBCREATE", {Value(file("emp")), Value::array({row("NAME", "C", 100, 0)})}).asLogical());
        use("emp", false);
        for (int i = 1; i <= 300; ++i) {
            call("DBAPPEND");
            call("FIELDPUT", {Value(1), Value(keyOf(i))});
        }
        ASSERT_TRUE(call("ORDCREATE", {Value(file("emp")), Value(), Value("NAME")}).asLogical());
        call("DBCLOSEAREA");
    }
    static std::string keyOf(int i) {
        char b[16];
        std::snprintf(b, sizeof b, "%6d", i);
        return b;
    }
    void reopen() {
        use("emp", false);
        ASSERT_TRUE(call("ORDLISTADD", {Value(file("emp"))}).asLogical());
    }
    // Walks the order to its end, however long the file makes it; answers the records met.
    int walk() {
        int steps = 0;
        for (call("DBGOTOP"); !call("EOF").asLogical() && steps < 1000; call("DBSKIP")) ++steps;
        return steps;
    }
    bool sawCorruptIndex() const {
        for (const Error& e : errors)
            if (e.genCode == eg::Corruption && e.filename == dir.file("emp.ntx")) return true;
        return false;
    }
};

TEST_F(HostileIndex, EveryEntryPointReportsTheCorruptIndexThroughTheErrorSystem) {
    using Damage = std::function<void(NtxBytes&)>;
    const Damage recordBeyondTable = [](NtxBytes& f) { f.put32(f.item(f.firstLeaf(), 0) + 4, 99999); };
    const Damage pageLinksItself = [](NtxBytes& f) {
        const uint32_t page = f.child(f.root(), 0);
        f.put32(f.item(page, 0), page);
    };
    const Damage crossLinked = [](NtxBytes& f) { f.put32(f.item(f.root(), 1), f.child(f.root(), 0)); };
    const Damage keysOutOfOrder = [](NtxBytes& f) { f.swapKeys(f.firstLeaf(), 0, 1); };
    // Each page in order, but the keys under the second child now sort before the separator above them.
    const Damage separatorRaised = [](NtxBytes& f) { f.copyKey(f.root(), 1, 0); };
    const Damage freeListAtRoot = [](NtxBytes& f) { f.put32(8, f.root()); };

    using Probe = std::function<void(HostileIndex&)>;
    const Probe walk = [](HostileIndex& t) { EXPECT_LT(t.walk(), 1000); };
    const Probe keyCount = [](HostileIndex&) { call("ORDKEYCOUNT"); };
    const Probe keyNo = [](HostileIndex&) {
        call("DBGOTO", {Value(299)});
        call("ORDKEYNO");
    };
    const Probe keyGoto = [](HostileIndex&) { call("ORDKEYGOTO", {Value(1)}); };
    const Probe seek = [](HostileIndex&) { call("DBSEEK", {Value(keyOf(1))}); };
    const Probe scopedWalk = [](HostileIndex& t) {
        call("ORDSCOPE", {Value(0), Value(keyOf(1))});
        call("ORDSCOPE", {Value(1), Value(keyOf(250))});
        EXPECT_LT(t.walk(), 1000);
    };
    const Probe appends = [](HostileIndex& t) {
        for (int i = 301; i <= 500; ++i) {
            call("DBAPPEND");
            call("FIELDPUT", {Value(1), Value(keyOf(i))});
        }
        call("DBCOMMIT");
        EXPECT_LT(t.walk(), 1000);
    };
    struct Case {
        const char* name;
        const Damage& damage;
        const Probe& probe;
    };
    const Case cases[] = {
        {"record beyond the table, walk", recordBeyondTable, walk},
        {"record beyond the table, ORDKEYGOTO", recordBeyondTable, keyGoto},
        {"record beyond the table, DBSEEK", recordBeyondTable, seek},
        {"record beyond the table, scope", recordBeyondTable, scopedWalk},
        {"page links itself, walk", pageLinksItself, walk},
        {"page links itself, ORDKEYCOUNT", pageLinksItself, keyCount},
        {"page links itself, ORDKEYNO", pageLinksItself, keyNo},
        {"page links itself, ORDKEYGOTO", pageLinksItself, keyGoto},
        {"page links itself, DBSEEK", pageLinksItself, seek},
        {"cross-linked page, walk", crossLinked, walk},
        {"cross-linked page, ORDKEYCOUNT", crossLinked, keyCount},
        {"cross-linked page, ORDKEYNO", crossLinked, keyNo},
        {"cross-linked page, ORDKEYGOTO", crossLinked, keyGoto},
        {"cross-linked page, scope", crossLinked, scopedWalk},
        {"keys out of order in a page, walk", keysOutOfOrder, walk},
        {"keys out of order in a page, DBSEEK", keysOutOfOrder, seek},
        {"keys out of order across pages, walk", separatorRaised, walk},
        {"free list at the root, appends", freeListAtRoot, appends},
    };
    buildTable();
    const NtxBytes good = NtxBytes::load(file("emp.ntx"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NtxBytes bad = good;
        c.damage(bad);
        bad.save(file("emp.ntx"));
        reopen();
        errors.clear();
        c.probe(*this);
        EXPECT_TRUE(sawCorruptIndex());
        WorkAreas::instance().closeAll();
    }
}

TEST_F(HostileIndex, AFileLeftHalfWrittenIsReportedOnOpenAndRepairedByReindex) {
    buildTable();
    NtxBytes f = NtxBytes::load(file("emp.ntx"));
    f.b[2] |= 1;  // the update counter as a writer leaves it between its first change and its last
    f.save(file("emp.ntx"));
    use("emp", false);
    EXPECT_FALSE(call("ORDLISTADD", {Value(file("emp"))}).asLogical());
    EXPECT_TRUE(sawCorruptIndex());
    EXPECT_EQ(call("ORDCOUNT").asInt(), 1);  // listed all the same, for the rebuild
    errors.clear();
    call("DBGOTOP");
    EXPECT_TRUE(sawCorruptIndex());
    errors.clear();
    ASSERT_TRUE(call("ORDLISTREBUILD").asLogical());
    EXPECT_EQ(walk(), 300);
    EXPECT_EQ(call("ORDKEYCOUNT").asInt(), 300);
    EXPECT_TRUE(errors.empty()) << errors.front().description;
    call("DBCLOSEAREA");
    reopen();
    EXPECT_EQ(call("ORDKEYCOUNT").asInt(), 300);
    EXPECT_TRUE(errors.empty()) << errors.front().description;
}

// The punch table with its order, open shared in two areas as two processes would have it; answers the areas.
std::pair<int, int> OrderFunctions::openTwiceShared() {
    createPunches();
    use("checadas", false);
    EXPECT_TRUE(call("ORDCREATE", {Value(file("checadas")), Value(), Value("str(empleado,6)+fecha+hora")})
                    .asLogical());
    call("DBCLOSEAREA");
    use("checadas", true);
    EXPECT_TRUE(call("ORDLISTADD", {Value(file("checadas"))}).asLogical());
    int first = call("SELECT").asInt();
    call("DBUSEAREA", {Value(true), Value("DBFNTX"), Value(file("checadas")), Value("OTHER"), Value(true)});
    EXPECT_TRUE(call("ORDLISTADD", {Value(file("checadas"))}).asLogical());
    return {first, call("SELECT").asInt()};
}

TEST_F(OrderFunctions, SharedAreasSeeEachOthersKeys) {
    auto [first, second] = openTwiceShared();
    for (int i = 0; i < 50; ++i) {
        call("DBSELECTAREA", {Value(i % 2 ? first : second)});
        EXPECT_TRUE(punch(i, "2010/03/25", "08:00:00"));
        call("DBCOMMIT");
        call("DBUNLOCK");
    }
    for (int area : {first, second}) {
        call("DBSELECTAREA", {Value(area)});
        EXPECT_EQ(call("ORDKEYCOUNT").asInt(), 50);
        for (int i = 0; i < 50; ++i) EXPECT_FALSE(punch(i, "2010/03/25", "08:00:00")) << i;
    }
    EXPECT_TRUE(errors.empty()) << errors.front().description;
}

// A rebuild replaces the file under every other handle's cached pages, so it needs the table to itself (as
// PACK and ZAP do): refused on a shared table, the order stays in step for every area.
TEST_F(OrderFunctions, ReindexNeedsTheTableForItself) {
    const int first = openTwiceShared().first;
    EXPECT_TRUE(punch(7, "2010/03/25", "08:00:00"));
    EXPECT_FALSE(call("ORDLISTREBUILD").asLogical());
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].genCode, eg::Shared);
    EXPECT_EQ(errors[0].filename, file("checadas.dbf"));
    call("DBCOMMIT");
    call("DBSELECTAREA", {Value(first)});
    EXPECT_EQ(call("ORDKEYCOUNT").asInt(), 1);
    EXPECT_FALSE(punch(7, "2010/03/25", "08:00:00"));
}

}  // namespace
}  // namespace rt::ntx
