// Filtering, sorting, seeking and packing a DBF data set: the filter-bar terms as a table of typed texts
// (hostile ones among them), the temporary sort tags' names, and the set's operations on the employee table.
#include "framework/data/data_set/filter_sort_rules.h"
#include "framework/data/tests/data_set_fixture.h"
#include "framework/data/data_source/dbf_data_source.h"
#include "runtime/lib/library.h"
#include "tests/support/recording_handler.h"

namespace vorpex::data::testing {
namespace {

using rt::Value;

struct TermCase {
    const char* field;
    const char* type;
    const char* typed;
    const char* term;  // nullptr: refused
};

TEST(FilterTerms, BuildsOneTermPerKindAndNeverRunsTypedText) {
    const TermCase cases[] = {
        {"NOMBRE", "C", "%ez", "Right( Upper( NOMBRE ), 2 )  == 'EZ'"},
        {"NOMBRE", "C", "ga%", "Left( Upper( NOMBRE ), 2 ) == 'GA'"},
        {"NOMBRE", "C", "%ar%", "'AR' $ Upper( NOMBRE )"},
        {"NOMBRE", "M", "ar", "'AR' $ Upper( NOMBRE )"},
        {"NUMERO", "N", "<5", "NUMERO <5"},
        {"NUMERO", "N", ">= 12.5", "NUMERO >=12.5"},
        {"NUMERO", "N", "5", "NUMERO = 5"},
        {"NUMERO", "N", "=5", "NUMERO = 5"},
        {"ALTA", "D", ">=2010/01/01", "ALTA >= CToD( '2010/01/01' )"},
        {"ALTA", "D", "2010/01/01", "ALTA = CToD( '2010/01/01' )"},
        {"BAJA", "L", "si", "BAJA == ( Left( Upper( 'si' ), 1 ) != 'N' )"},
        // A quote in a text stays inside the literal: another delimiter is chosen.
        {"NOMBRE", "C", "o'hara", "\"O'HARA\" $ Upper( NOMBRE )"},
        {"NOMBRE", "C", "x' .OR. .T. .OR. 'y", "\"X' .OR. .T. .OR. 'Y\" $ Upper( NOMBRE )"},
        {"NOMBRE", "C", "a'b\"c", "[A'B\"C] $ Upper( NOMBRE )"},
        {"NOMBRE", "C", "a'b\"c]d", nullptr},
        // Numbers and dates take an operator and a literal, nothing after it.
        {"NUMERO", "N", "<5 .OR. FErase('x')", nullptr},
        {"NUMERO", "N", "5)", nullptr},
        {"NUMERO", "N", "<", nullptr},
        {"NUMERO", "N", "1.2.3", nullptr},
        {"ALTA", "D", ">2010/01/01') .OR. (.T.", nullptr},
        {"ALTA", "D", "<>2010/01/01", nullptr},
        {"BAJA", "L", "s'+FErase('x')+\"]", nullptr},
        {"NOMBRE", "C", "   ", nullptr},
    };
    for (const TermCase& c : cases) {
        const std::optional<std::string> term = filterTerm(c.field, c.type, c.typed);
        if (c.term)
            EXPECT_EQ(term.value_or("<refused>"), c.term) << c.typed;
        else
            EXPECT_FALSE(term) << c.typed << " gave " << term.value_or("");
    }
}

TEST(SortRules, NamesDirectionsAndCapitals) {
    EXPECT_EQ(crc32Of("123456789"), 0xCBF43926u);  // the zip check value
    const std::string name = sortTagName("NOMBRE");
    EXPECT_EQ(name, "_" + std::to_string(crc32Of("NOMBRE")).substr(0, 9));
    EXPECT_NE(sortTagName("NOMBRE", 1), name);
    EXPECT_EQ(sortTagName("NOMBRE", 1).size(), name.size());

    std::string e = "NOMBRE desc";
    EXPECT_TRUE(takeSortDirection(e));
    EXPECT_EQ(e, "NOMBRE");
    e = "NOMBRE ASC";
    EXPECT_FALSE(takeSortDirection(e));
    EXPECT_EQ(e, "NOMBRE");
    e = "ASCII( NOMBRE )";
    EXPECT_FALSE(takeSortDirection(e));
    EXPECT_EQ(e, "ASCII( NOMBRE )");

    EXPECT_TRUE(sameExpression("Upper( NOMBRE )", "UPPER(NOMBRE)"));
    EXPECT_FALSE(sameExpression("NOMBRE", "EDAD"));
    EXPECT_EQ(capitalizedTag("CUSTOMER  BY NAME"), "Customer by Name");
}

class DataOrdersTest : public DataSetFixture {
protected:
    std::vector<std::string> names(const Value& set) {
        std::vector<std::string> out;
        ask(set, "GoTop", {Value(false)});
        while (!ask(set, "Eof").asLogical()) {
            out.push_back(trimmedText(ask(set, "FieldGet", {Value(1)})));
            ask(set, "Skip", {Value(1), Value(false)});
        }
        return out;
    }
    static std::string trimmedText(const Value& v) {
        std::string s = text(v);
        while (!s.empty() && s.back() == ' ') s.pop_back();
        return s;
    }
};

TEST_F(DataOrdersTest, FilterSelectsAndAnswersThePreviousOne) {
    const Value set = openSet();
    EXPECT_EQ(text(ask(set, "SetFilter", {Value("EDAD > 28")})), "");
    EXPECT_EQ(names(set), (std::vector<std::string>{"E9", "E10"}));
    EXPECT_EQ(text(ask(set, "ClearFilter")), "EDAD > 28");
    EXPECT_EQ(names(set).size(), 10u);
}

TEST_F(DataOrdersTest, SortReusesItsTagBothWaysAndNeverAnotherExpressionsTag) {
    const Value set = openSet();
    ASSERT_TRUE(ask(set, "Sort", {Value("NOMBRE DESC")}).asLogical());
    EXPECT_EQ(names(set).front(), "E9");
    ASSERT_TRUE(ask(set, "Sort", {Value("NOMBRE")}).asLogical());
    EXPECT_EQ(names(set).front(), "E1");
    EXPECT_EQ(ask(set, "GetTags", {Value(false), Value(false)}).asArray()->items.size(), 1u);
    EXPECT_EQ(ask(set, "GetTags").asArray()->items.size(), 0u);  // temporary tags hidden

    // Another expression already holds the name EDAD's sort would get: EDAD gets a tag of its own.
    const std::string bag = text(ask(set, "cSortFile"));
    ASSERT_TRUE(ask(set, "AddTag", {Value(sortTagName("EDAD")), Value("NOMBRE"), Value(), Value(bag), Value(),
                                    Value(true)}).asLogical());
    ASSERT_TRUE(ask(set, "Sort", {Value("EDAD DESC")}).asLogical());
    EXPECT_EQ(names(set).front(), "E10");
    EXPECT_EQ(ask(set, "GetTags", {Value(false), Value(false)}).asArray()->items.size(), 3u);
    EXPECT_FALSE(ask(set, "Sort", {Value("NOMBRE +")}).asLogical());

    ask(set, "Close");
    EXPECT_EQ(text(ask(set, "cSortFile")), "");
}

TEST_F(DataOrdersTest, FailedExactSeekStaysAndScopeNarrows) {
    const Value set = openSet();
    ASSERT_TRUE(ask(set, "AddTag", {Value("EDADES"), Value("EDAD")}).asLogical());
    ask(set, "OrdSetFocus", {Value("EDADES")});
    EXPECT_TRUE(ask(set, "Seek", {Value(25)}).asLogical());
    EXPECT_EQ(num(ask(set, "Recno")), 5);
    EXPECT_FALSE(ask(set, "Seek", {Value(99), Value(false)}).asLogical());
    EXPECT_EQ(num(ask(set, "Recno")), 5);
    ask(set, "SetScope", {Value(27)});
    EXPECT_EQ(names(set), (std::vector<std::string>{"E7"}));
    const Value scope = ask(set, "GetScope");
    ASSERT_EQ(scope.asArray()->items.size(), 2u);
    EXPECT_EQ(num(scope.asArray()->items[1]), 27);
    ask(set, "ClearScope");
    EXPECT_EQ(names(set).size(), 10u);
}

// The warnings allow no default: the error block's answer ends the call.
TEST_F(DataOrdersTest, MissingTagAndFailedSeekWarnOnlyWhenAsked) {
    const Value set = openSet();
    rt::testing::RecordingHandler handler;
    const std::vector<rt::Error>& raised = handler.seen;
    EXPECT_THROW(ask(set, "OrdSetFocus", {Value("NOSUCH")}), rt::Break);
    ask(set, "OrdSetFocus", {Value("NOSUCH"), Value(), Value(false)});
    ASSERT_TRUE(ask(set, "AddTag", {Value("EDADES"), Value("EDAD")}).asLogical());
    ask(set, "GoTo", {Value(4)});
    EXPECT_THROW(ask(set, "ForcedSeek", {Value(99)}), rt::Break);
    EXPECT_EQ(num(ask(set, "Recno")), 4);
    EXPECT_FALSE(ask(set, "Seek", {Value(99), Value(false)}).asLogical());
    ASSERT_EQ(raised.size(), 2u);
    for (const rt::Error& e : raised) {
        EXPECT_EQ(e.subSystem, "Vorpex: TRddDataSource");
        EXPECT_EQ(e.severity, rt::severity::Warning);
        EXPECT_FALSE(e.canDefault);
    }
    EXPECT_NE(raised[0].operation.find("NOSUCH"), std::string::npos);
    EXPECT_NE(raised[1].operation.find("99"), std::string::npos);
}

TEST_F(DataOrdersTest, SharedPackReopensAndFailsWhileAnotherHoldsTheTable) {
    const Value set = openSet();
    ask(set, "GoTo", {Value(3)});
    ask(set, "Delete");
    rt::rdd::WorkArea* other = openArea("OTHER");
    ASSERT_NE(other, nullptr);
    shown.clear();
    rt::testing::RecordingHandler handler;  // the program's handler lets a held table's open fail quietly
    EXPECT_FALSE(ask(set, "Pack").asLogical());
    EXPECT_EQ(shown.size(), 1u);  // the exclusive open's own report, once
    EXPECT_TRUE(ask(set, "lOpen").asLogical());
    EXPECT_TRUE(ask(set, "lShared").asLogical());
    EXPECT_EQ(num(ask(set, "RecCount")), 10);
    rt::rdd::WorkAreas::instance().close(other->number());

    EXPECT_TRUE(ask(set, "Pack").asLogical());
    EXPECT_TRUE(ask(set, "lOpen").asLogical());
    EXPECT_TRUE(ask(set, "lShared").asLogical());
    EXPECT_EQ(num(ask(set, "RecCount")), 9);
    EXPECT_TRUE(ask(set, "Zap").asLogical());
    EXPECT_EQ(num(ask(set, "RecCount")), 0);
}

// What the filter bar's builder reads of a browse and its columns.
const rt::Class& browseStandIn() {
    static const rt::Class& c = []() -> const rt::Class& {
        rt::ClassBuilder b("ORDERSTESTBROWSE", &rt::baseObjectClass(), rt::factoryOf<rt::Object>());
        b.addData("cOrgFilter", Value(""));
        b.addData("aCols", Value::array());
        return b.create();
    }();
    return c;
}

const rt::Class& columnStandIn() {
    static const rt::Class& c = []() -> const rt::Class& {
        rt::ClassBuilder b("ORDERSTESTCOLUMN", &rt::baseObjectClass(), rt::factoryOf<rt::Object>());
        b.addData("cFilter", Value(""));
        b.addData("oDataField");
        return b.create();
    }();
    return c;
}

TEST_F(DataOrdersTest, FilterBarJoinsTermsAndAHostileTermMatchesNothing) {
    rt::registerLibraryFunctions();
    const Value set = openSet();
    const Value browse(browseStandIn().instantiate());
    const auto column = [&](const char* field, const char* typed) {
        const Value c(columnStandIn().instantiate());
        ask(c, "_cFilter", {Value(typed)});
        if (field) ask(c, "_oDataField", {ask(set, "oFieldByName", {Value(field)})});
        return c;
    };
    ask(browse, "_cOrgFilter", {Value("EDAD > 21")});
    ask(browse, "_aCols", {Value::array({column("NOMBRE", "e1%"), column(nullptr, "x"), column("EDAD", ""),
                                         column("EDAD", "<=30")})});
    const std::string condition = text(ask(set, "GetFilterExp", {browse}));
    EXPECT_EQ(condition, "( EDAD > 21) .AND. Left( Upper( NOMBRE ), 2 ) == 'E1' .AND. EDAD <=30");
    ask(set, "SetFilter", {Value(condition)});
    EXPECT_EQ(names(set), (std::vector<std::string>{"E10"}));

    ask(browse, "_cOrgFilter", {Value("")});
    ask(browse, "_aCols", {Value::array({column("EDAD", "<30 .OR. .T.")})});
    EXPECT_EQ(text(ask(set, "GetFilterExp", {browse})), ".F.");
}

// A source that runs a hook each time a set opens through it: the other program acting between two opens.
class HookedSource : public TNtxDataSource {
public:
    using TNtxDataSource::TNtxDataSource;
    static inline std::function<void()> beforeOpen;
    static const rt::Class& classRecord() {
        static const rt::Class& c = []() -> const rt::Class& {
            rt::ClassBuilder b("ORDERSTESTSOURCE", &TNtxDataSource::classRecord(), rt::factoryOf<HookedSource>());
            b.addMethod("OnOpen", [](rt::Object& o, const rt::Method&, rt::Args a) {
                if (beforeOpen) beforeOpen();
                return static_cast<HookedSource&>(o).XDbfDataSource::OnOpen(a);
            });
            return b.create();
        }();
        return c;
    }
};

// The shared re-open after the exclusive step finds the table taken: the pack fails, the set says it is closed
// and its controls are told, instead of a success over a set left closed.
TEST_F(DataOrdersTest, SharedPackWhoseReopenFailsReportsIt) {
    source = ask(Value(HookedSource::classRecord().instantiate()), "New");
    ask(source, "_cConnect", {Value(dir.path().string())});
    const Value set = openSet();
    const Value control(ControlStub::classRecord().instantiate());
    ask(set, "AddLinkedControl", {control});
    int opens = 0;
    rt::rdd::WorkArea* taker = nullptr;
    HookedSource::beforeOpen = [&] {
        rt::rdd::UseOptions o;
        o.newArea = true;
        o.alias = "TAKER";
        o.shared = false;
        const int current = rt::rdd::WorkAreas::instance().currentNumber();
        if (++opens == 2 && rt::rdd::WorkAreas::instance().use(table(), o)) taker = rt::rdd::WorkAreas::instance().current();
        rt::rdd::WorkAreas::instance().select(current);
    };
    rt::testing::RecordingHandler handler;
    const bool packed = ask(set, "Pack").asLogical();
    HookedSource::beforeOpen = nullptr;
    ASSERT_NE(taker, nullptr);
    EXPECT_FALSE(packed);
    EXPECT_FALSE(ask(set, "lOpen").asLogical());
    EXPECT_TRUE(ask(set, "lUpdLinked").asLogical());  // the pack's muting ends with it
    const auto& got = static_cast<ControlStub&>(*control.asObject()).got;
    EXPECT_NE(std::find(got.begin(), got.end(), "ResetDataField"), got.end());
    EXPECT_FALSE(shown.empty());
}

}  // namespace
}  // namespace vorpex::data::testing
