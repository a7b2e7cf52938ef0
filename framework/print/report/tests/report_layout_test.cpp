// The banded report over a recording device with fixed measures ("B" 10 x 12 pixels, 72 dots per inch):
// its parts and defaults, group keys, totals, the page geometry, page breaks, rules, the "||" split, the
// orientation of wide reports, and jobs that fail or break out half way.
#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <string>
#include <vector>

#include "framework/core/object/vp_class.h"
#include "framework/print/report/report.h"
#include "framework/print/report/tests/fake_report_device.h"
#include "runtime/core/block.h"
#include "runtime/core/error.h"
#include "runtime/core/send.h"
#include "runtime/lib/library.h"
#include "runtime/lib/transform.h"
#include "tests/support/recording_handler.h"

namespace vorpex::testing {
namespace {

using rt::Value;

Value ask(const Value& o, const char* message, std::vector<Value> args = {}) {
    return rt::send(o, rt::Symbol::intern(message), rt::Args(args.data(), args.size()));
}

Value block(std::function<Value(rt::Args)> fn) { return Value(rt::makeBlock(std::move(fn))); }

std::string trimmed(std::string s) {
    s.erase(0, s.find_first_not_of(' '));
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

struct Row {
    std::string name;
    int64_t amount;
    std::string key;
};

std::vector<Row> numberedRows(int n) {
    std::vector<Row> rows;
    for (int i = 1; i <= n; ++i) rows.push_back({"R" + std::to_string(i), i, ""});
    return rows;
}

// A report over `rows`, walked by its own blocks; "Nombre" is measured, "Importe" is 8 characters and totals.
class ReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        rt::registerLibraryFunctions();
        registerReportClasses();
        report = ask(Value(TReport::classRecord().instantiate()), "Create");
        ask(report, "_bWhile", {block([this](rt::Args) { return Value(pos < rows.size()); })});
        ask(report, "_bSkip", {block([this](rt::Args a) {
                pos += static_cast<size_t>(rt::arg(a, 0).asInteger());
                return Value();
            })});
    }

    XReport& r() { return *rt::objectAs<XReport>(report); }
    const Row& current() const {
        static const Row none{};
        return pos < rows.size() ? rows[pos] : none;
    }

    Value addColumn(const char* title, std::function<Value(const Row&)> data, const char* picture = nullptr,
                    bool total = false, int64_t chars = 0) {
        const Value column = ask(report, "AddColumn");
        ask(column, "_aTitle", {Value::array({block([title](rt::Args) { return Value(title); })})});
        ask(column, "_aData", {Value::array({block([this, data](rt::Args) { return data(current()); })})});
        if (picture) ask(column, "_aPicture", {Value::array({Value(picture)})});
        ask(column, "_lTotal", {Value(total)});
        ask(column, "_nCharSize", {Value(chars)});
        return column;
    }
    void addStandardColumns() {
        addColumn("Nombre", [](const Row& row) { return Value(row.name); });
        addColumn("Importe", [](const Row& row) { return Value(row.amount); }, "9,999", true, 8);
    }
    Value addGroup() {
        const Value group = ask(report, "AddGroup");
        ask(group, "_bGroup", {block([this](rt::Args) { return Value(current().key); })});
        return group;
    }
    bool run() { return r().runOn(device); }
    // The data texts of the first column drawn on `page`.
    int namesOn(int page) const {
        int n = 0;
        for (const DrawnText& t : device.textsOn(page)) n += t.text.size() > 1 && t.text[0] == 'R' && isdigit(t.text[1]);
        return n;
    }

    Value report;
    FakeReportDevice device;
    std::vector<Row> rows;
    size_t pos = 0;
};

// ---- the parts

TEST_F(ReportTest, CreateMakesTheLineSetsAndPartsAreAddedAndRemoved) {
    for (const char* set : {"oHeader", "oTitle", "oFooter"}) {
        const Value line = ask(report, set);
        ASSERT_TRUE(line.isObject()) << set;
        EXPECT_EQ(ask(line, "aLine").asArray()->size(), 1u) << set << ": one empty line";
    }
    EXPECT_EQ(ask(ask(report, "oTitle"), "aAlignment").asArray()->at1(1).asInteger(), report::kAlignCenter);
    EXPECT_EQ(ask(ask(report, "oHeader"), "aAlignment").asArray()->at1(1).asInteger(), report::kAlignLeft);
    const Value first = ask(report, "AddColumn");
    const Value second = ask(report, "AddColumn");
    EXPECT_TRUE(rt::objectAs<XRptColumn>(first)->report().get() == &r()) << "a made column belongs to the report";
    ask(report, "DelColumn", {1});
    ASSERT_EQ(r().columns().size(), 1u);
    EXPECT_TRUE(Value(r().columns()[0]).sameAs(second));
    ask(report, "DelColumn", {5});
    EXPECT_EQ(r().columns().size(), 1u) << "no entry 5: nothing removed";
    EXPECT_FALSE(ask(report, "AreGroups").asLogical());
    ask(report, "AddGroup");
    EXPECT_TRUE(ask(report, "AreGroups").asLogical());
    ask(report, "DelGroup", {1});
    EXPECT_FALSE(ask(report, "AreGroups").asLogical());
}

TEST_F(ReportTest, DefaultsAndSetters) {
    const std::pair<const char*, Value> defaults[] = {
        {"cJobName", Value("Vorpex Report")}, {"nTitleUpLine", Value(3)}, {"nTitleDnLine", Value(3)},
        {"nTotalLine", Value(3)},            {"nGroupLine", Value(1)},   {"nGridStyle", Value(0)},
        {"nTopMargin", Value(100)},          {"nBottomMargin", Value(100)}, {"nLeftMargin", Value(0)},
        {"nClrLined", Value(16777215)},      {"lPageTotal", Value(true)}, {"lAutoLand", Value(true)},
        {"lXlsNumeric", Value(true)},        {"nPageLine", Value(1)},    {"lFirstRow", Value(true)}};
    for (const auto& [name, value] : defaults) EXPECT_TRUE(ask(report, name).sameAs(value)) << name;
    ask(report, "_lPreviewModal", {true});
    EXPECT_TRUE(ask(report, "lPreview").asLogical()) << "a modal preview is a preview";
    ask(report, "_lPreviewModal", {false});
    EXPECT_TRUE(ask(report, "lPreview").asLogical()) << "turning modal off leaves the preview";
}

TEST_F(ReportTest, AColumnsPicturesArePaddedWithItsTotalPicture) {
    const Value column = ask(report, "AddColumn");
    ask(column, "_aData", {Value::array({block([](rt::Args) { return Value(1); }), block([](rt::Args) { return Value(2); }),
                                         block([](rt::Args) { return Value(3); })})});
    ask(column, "_aPicture", {Value::array({Value("999")})});
    ask(column, "Create", {report});
    EXPECT_EQ(ask(column, "cTotalPict").asString(), "999");
    const auto& pictures = ask(column, "aPicture").asArray()->items;
    ASSERT_EQ(pictures.size(), 3u);
    for (const Value& p : pictures) EXPECT_EQ(p.asString(), "999");
    EXPECT_EQ(ask(column, "aTitle").asArray()->size(), 1u) << "one empty title";
    const Value bare = ask(report, "AddColumn");
    ask(bare, "Create");
    EXPECT_EQ(ask(bare, "aPicture").asArray()->at1(1).asString(), "");
    EXPECT_EQ(rt::objectAs<XRptColumn>(bare)->dataValue(1).asString(), "") << "the empty block";
}

TEST_F(ReportTest, ADataSetDrivesTheWalkAndIsPutBackAfterTheRun) {
    struct Set : TComponent {
        using TComponent::TComponent;
    };
    static std::vector<std::string> calls;
    static int64_t at = 0;
    calls.clear();
    at = 0;
    VPClass b("ReportTestSet", &TComponent::classRecord(), rt::factoryOf<Set>());
    for (const char* name : {"SaveState", "GoTop", "RestoreState"})
        b.addMethod(name, [name](rt::Object&, const rt::Method&, rt::Args) {
            calls.push_back(name);
            if (std::string(name) == "GoTop") at = 0;
            return Value();
        });
    b.addMethod("Eof", [](rt::Object&, const rt::Method&, rt::Args) { return Value(at >= 3); });
    b.addMethod("Skip", [](rt::Object&, const rt::Method&, rt::Args a) {
        at += rt::arg(a, 0).asInteger();
        return Value();
    });
    const Value set(b.create().instantiate());
    ask(report, "_oDataset", {set});
    EXPECT_TRUE(ask(report, "Finished").isLogical());
    addColumn("N", [](const Row&) { return Value(at); });
    ASSERT_TRUE(run());
    EXPECT_EQ(calls, (std::vector<std::string>{"SaveState", "GoTop", "RestoreState"}));
    EXPECT_EQ(ask(report, "nCounter").asInteger(), 3);
    ask(report, "_oDataset", {Value()});
    EXPECT_TRUE(ask(report, "bSkip").isNil()) << "back to the current work area";
}

// ---- group keys and totals

TEST_F(ReportTest, GroupKeysCompareExactly) {
    struct Case {
        const char* name;
        std::vector<std::string> keys;
        std::vector<std::string> groupTotals;
    };
    const Case cases[] = {
        {"a key that begins with the previous one is another group", {"1", "1", "10"}, {"3", "4"}},
        {"an empty first key is a group like any other", {"", "A", "A"}, {"1", "6"}},
        {"a key that comes back starts a group again", {"A", "B", "A"}, {"1", "2", "4"}},
        {"one key, one group", {"X", "X", "X"}, {"7"}},
    };
    for (const Case& c : cases) {
        SetUp();
        device = FakeReportDevice{};
        rows.clear();
        pos = 0;
        for (size_t i = 0; i < c.keys.size(); ++i) rows.push_back({"R" + std::to_string(i + 1), int64_t{1} << i, c.keys[i]});
        addStandardColumns();
        addGroup();
        ASSERT_TRUE(run()) << c.name;
        std::vector<std::string> footers, totals;
        for (const DrawnText& t : device.texts) {
            if (t.text == "Total...") footers.push_back(t.text);
        }
        // A group footer's totals stand on its row, in the totalling column.
        for (const DrawnText& footer : device.texts)
            if (footer.text == "Total...")
                for (const DrawnText& t : device.texts)
                    if (t.rect.top == footer.rect.top && t.page == footer.page && t.text != footer.text)
                        totals.push_back(trimmed(t.text));
        EXPECT_EQ(totals, c.groupTotals) << c.name;
    }
}

TEST_F(ReportTest, AKeyBlockThatFailsIsTheEmptyKeyAndNeverReachesTheHandler) {
    rows = {{"R1", 1, "A"}, {"R2", 2, "boom"}, {"R3", 4, "boom"}};
    addStandardColumns();
    const Value group = ask(report, "AddGroup");
    ask(group, "_bGroup", {block([this](rt::Args) {
            if (current().key == "boom") {
                rt::Error e;
                e.genCode = rt::eg::Arg;
                e.description = "argument error";
                rt::raise(e);
            }
            return Value(current().key);
        })});
    rt::testing::RecordingHandler handler;
    ASSERT_TRUE(run());
    EXPECT_TRUE(handler.seen.empty());
    EXPECT_EQ(device.count("Total..."), 2) << "groups A and \"\"";
}

TEST_F(ReportTest, TotalsAddUpInColumnsAndGroupsAndAHandlerMayChangeWhatIsAdded) {
    rows = {{"R1", 1, "A"}, {"R2", 2, "A"}, {"R3", 4, "B"}};
    addColumn("Nombre", [](const Row& row) { return Value(row.name); });
    const Value amount = addColumn("Importe", [](const Row& row) { return Value(row.amount); }, "9,999", true, 8);
    ask(amount, "_OnAddToTotal", {block([](rt::Args a) { return Value(rt::arg(a, 2).asInteger() * 10); })});
    addGroup();
    ASSERT_TRUE(run());
    EXPECT_EQ(ask(amount, "nTotal").asInteger(), 70);
    EXPECT_EQ(device.count("   30"), 1) << "group A";
    EXPECT_EQ(device.count("   40"), 1) << "group B";
    EXPECT_EQ(device.count("   70"), 1) << "the grand total";
    EXPECT_EQ(device.count("    1"), 1) << "the data line shows the value itself";
}

TEST_F(ReportTest, ASummaryDrawsNoDataButAddsUpAndShowsGroupTotalsOnTheFooterLines) {
    rows = {{"R1", 1, "A"}, {"R2", 2, "A"}, {"R3", 4, "B"}};
    addStandardColumns();
    addGroup();
    ask(report, "_lSummary", {true});
    ASSERT_TRUE(run());
    EXPECT_EQ(namesOn(1), 0);
    EXPECT_EQ(device.count("    1"), 0);
    EXPECT_EQ(ask(r().columns()[1], "nTotal").asInteger(), 7);
    for (const char* total : {"    3", "    4"}) {
        const DrawnText* t = device.find(total);
        ASSERT_NE(t, nullptr) << total;
        bool onFooter = false;
        for (const DrawnText& f : device.texts) onFooter |= f.text == "Total..." && f.rect.top == t->rect.top;
        EXPECT_TRUE(onFooter) << total;
    }
}

// ---- geometry and pages

TEST_F(ReportTest, TheMeasuringPassPlacesTheTableCentredUnderItsMarginsAndTitles) {
    rows = numberedRows(3);
    rows[0].name = "Ana";
    addStandardColumns();
    ASSERT_TRUE(run());
    const auto columns = r().columns();
    const std::pair<const char*, int64_t> expected[] = {
        {"nSeparator", 10}, {"nLineHeight", 14}, {"nWidth", 150},   {"nLeftCol", 425},        {"nRightCol", 575},
        {"nTopRow", 114},   {"nTopTitleRow", 118}, {"nBottomTitleRow", 130}, {"nTopDataRow", 136},
        {"nBottomRow", 1274}};
    for (const auto& [name, value] : expected) EXPECT_EQ(ask(report, name).asInteger(), value) << name;
    EXPECT_EQ(columns[0]->nWidth(), 60) << "the title is wider than the first record";
    EXPECT_EQ(columns[1]->nWidth(), 80) << "8 characters";
    EXPECT_EQ(columns[0]->nCol(), 425);
    EXPECT_EQ(columns[1]->nCol(), 495);
    const DrawnText* title = device.find("Nombre");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->rect, (report::Rect{425, 118, 485, 130}));
    const DrawnText* data = device.find("Ana");
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->rect, (report::Rect{425, 136, 485, 148}));
    EXPECT_EQ(device.find("Importe")->alignment, 0);
    EXPECT_EQ(device.rulesAt(114), 2) << "a double rule above the titles, one under each column";
    EXPECT_EQ(device.rulesAt(116), 2);
}

TEST_F(ReportTest, RecordsFillPagesAndEveryPageEndsWithTheRunningTotals) {
    struct Case {
        int records;
        int64_t pageHeight;
        std::vector<int> namesPerPage;
    };
    // Page height 400: the body ends at 400 - 100 (margin) - 26 (room for the totals); 9 lines of 14 fit.
    const Case cases[] = {
        {0, 400, {0}},
        {8, 400, {8}},
        {20, 400, {9, 9, 2}},
        {20, 1400, {20}},
    };
    for (const Case& c : cases) {
        SetUp();
        device = FakeReportDevice{};
        device.portraitHeight = c.pageHeight;
        rows = numberedRows(c.records);
        pos = 0;
        addStandardColumns();
        ask(report, "_cGrandTotal", {"Total general"});
        ASSERT_TRUE(run()) << c.records;
        const int pages = static_cast<int>(c.namesPerPage.size());
        EXPECT_EQ(device.pagesStarted, pages) << c.records << " records";
        EXPECT_EQ(device.pagesEnded, pages);
        EXPECT_EQ(device.docsStarted, 1);
        EXPECT_EQ(device.docsEnded, 1);
        int64_t running = 0, seen = 0;
        for (int page = 1; page <= pages; ++page) {
            EXPECT_EQ(namesOn(page), c.namesPerPage[page - 1]) << c.records << " records, page " << page;
            seen += c.namesPerPage[page - 1];
            running = seen * (seen + 1) / 2;
            const auto texts = device.textsOn(page);
            const std::string total = trimmed(rt::transform(Value(running), "9,999"));
            bool found = false;
            for (const DrawnText& t : texts) found |= trimmed(t.text) == total && t.rect.left == 495;
            EXPECT_TRUE(found) << "page " << page << " ends with the running total " << total;
            int labels = 0;
            for (const DrawnText& t : texts) labels += t.text == "Total general";
            EXPECT_EQ(labels, page == pages ? 1 : 0) << "the grand total's label on the last page only";
        }
    }
}

TEST_F(ReportTest, HeaderLinesSplitAtTwoBarsIntoALeftAndARightPart) {
    rows = numberedRows(2);
    addStandardColumns();
    ask(ask(report, "oHeader"), "_aLine", {Value::array({block([](rt::Args a) {
            return Value("ACME||Page " + std::to_string(ask(rt::arg(a, 0), "nPage").asInteger()));
        })})});
    ASSERT_TRUE(run());
    const DrawnText* left = device.find("ACME");
    const DrawnText* right = device.find("Page 1");
    ASSERT_NE(left, nullptr);
    ASSERT_NE(right, nullptr);
    EXPECT_EQ(left->alignment, report::kAlignLeft);
    EXPECT_EQ(right->alignment, report::kAlignRight);
    EXPECT_EQ(left->rect.left, r().nLeftCol());
    EXPECT_EQ(right->rect.right, r().nLeftCol() + r().nWidth());
    EXPECT_EQ(left->rect.top, 100) << "at the top margin";
    EXPECT_EQ(ask(report, "nTopRow").asInteger(), 100 + 12 + 14) << "the header's line is above the table";
}

TEST_F(ReportTest, AGridWithoutTheUpperRuleHasRulesUnderEveryRecordAndVerticalsAroundTheData) {
    rows = numberedRows(3);
    addColumn("Nombre", [](const Row& row) { return Value(row.name); });
    addColumn("Importe", [](const Row& row) { return Value(row.amount); }, "9,999", false, 8);
    ask(report, "_nTitleUpLine", {0});
    ask(report, "_nGridStyle", {3});
    ASSERT_TRUE(run());
    EXPECT_EQ(device.rulesAt(114), 0) << "no rule above the titles";
    EXPECT_EQ(device.rulesAt(128), 1) << "a double rule under them, across the table";
    EXPECT_EQ(device.rulesAt(130), 1);
    for (int64_t y : {148, 166, 184}) EXPECT_EQ(device.rulesAt(y), 1) << "a rule under the record ending at " << y - 2;
    std::vector<DrawnLine> verticals;
    for (const DrawnLine& l : device.lines)
        if (l.x1 == l.x2) verticals.push_back(l);
    ASSERT_EQ(verticals.size(), 3u) << "left, right and between the columns";
    const int64_t xs[] = {420, 580, 490};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(verticals[i].x1, xs[i]);
        EXPECT_EQ(verticals[i].y1, 132 - 4) << "from just above the first data row";
        EXPECT_EQ(verticals[i].y2, 186 + 4) << "to just below the last";
    }
}

TEST_F(ReportTest, AZeroSizedDeviceNeitherDividesByZeroNorPrintsEndlessPages) {
    device.charWidth = 0;
    device.charHeight = 0;
    device.portraitWidth = 0;
    device.portraitHeight = 0;
    rows = numberedRows(5);
    addStandardColumns();
    ASSERT_TRUE(run());
    EXPECT_LE(device.pagesStarted, 7);
    EXPECT_EQ(ask(report, "LinesLeft").asInteger(), 0);
}

// ---- the job

TEST_F(ReportTest, NoColumnsOrARefusedJobIsAFailureThatDrawsNothing) {
    rows = numberedRows(2);
    EXPECT_FALSE(run()) << "no columns";
    EXPECT_FALSE(ask(report, "lCreated").asLogical()) << "the report is ended";
    EXPECT_EQ(device.docsStarted, 0);

    SetUp();
    addStandardColumns();
    device.refuseDoc = true;
    EXPECT_FALSE(run()) << "the device refused the job";
    EXPECT_EQ(device.pagesStarted, 0);
    EXPECT_TRUE(device.texts.empty());
    EXPECT_EQ(device.docsEnded, 0);
}

TEST_F(ReportTest, AWideReportTurnsTheSheetBeforeTheFirstPageAndTurnsItBackAfterwards) {
    struct Case {
        const char* name;
        bool preview, modal, shown;
        int orientationAfter;
    };
    const Case cases[] = {
        {"printed", false, false, false, report::kPortrait},
        {"a modal preview", true, true, true, report::kPortrait},
        {"a preview nobody showed", true, false, false, report::kPortrait},
        {"a preview left open turns it back when it closes", true, false, true, report::kLandscape},
    };
    for (const Case& c : cases) {
        SetUp();
        device = FakeReportDevice{};
        device.previewShown = c.shown;
        rows = numberedRows(3);
        pos = 0;
        addColumn("Wide", [](const Row& row) { return Value(row.name); }, nullptr, false, 120);
        ask(report, "_lPreview", {c.preview});
        if (c.modal) ask(report, "_lPreviewModal", {true});
        ASSERT_TRUE(run()) << c.name;
        ASSERT_FALSE(device.orientationChanges.empty()) << c.name;
        EXPECT_EQ(device.orientationChanges[0], (std::pair<int, int>{report::kLandscape, 0}))
            << c.name << ": turned before any page";
        EXPECT_EQ(device.docsStarted, 1) << c.name << ": one job, none ended empty";
        EXPECT_EQ(device.docsEnded, 1) << c.name;
        EXPECT_EQ(device.orient, c.orientationAfter) << c.name;
        EXPECT_EQ(device.previews, c.preview ? 1 : 0) << c.name;
        if (c.preview) {
            EXPECT_EQ(device.previewOrientation, report::kPortrait) << c.name;
        }
        EXPECT_EQ(r().nLeftCol(), (1400 - 1200) / 2) << c.name << ": centred on the landscape sheet";
    }
}

TEST_F(ReportTest, AnErrorBreakingOutOfAHandlerEndsTheJobAndLeavesTheReportUsable) {
    rows = numberedRows(3);
    addStandardColumns();
    int calls = 0;
    ask(report, "_OnStartLine", {block([&calls](rt::Args) {
            if (++calls == 2) throw rt::Break{};
            return Value();
        })});
    EXPECT_THROW(run(), rt::Break);
    EXPECT_EQ(device.docsStarted, 1);
    EXPECT_EQ(device.docsEnded, 1) << "the document is ended";
    const size_t drawn = device.texts.size();
    pos = 0;
    ASSERT_TRUE(run()) << "the same report runs again";
    EXPECT_GT(device.texts.size(), drawn);
    EXPECT_EQ(calls, 2 + 3) << "every line of the second run is started, none refused as a nested call";
}

}  // namespace
}  // namespace vorpex::testing
