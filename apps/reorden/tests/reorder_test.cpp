// The reorder on real tables in a scratch folder: sorting, refusals that change nothing, and failures at every
// step after the rename, which must always leave the original records in EMPLEADO.DBF. Runs natively and
// under Wine (there the renames meet the real Windows sharing rules).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "apps/reorden/rdd_table_steps.h"
#include "apps/reorden/reorder.h"
#include "runtime/core/error.h"
#include "runtime/core/settings.h"
#include "runtime/rdd/table.h"
#include "runtime/rdd/work_areas.h"

namespace reorden {
namespace {

namespace fs = std::filesystem;
using rt::rdd::Field;
using rt::rdd::WorkAreas;

struct Employee {
    int numero;
    std::string nombre;
    bool deleted = false;
    bool operator==(const Employee& o) const { return numero == o.numero && nombre == o.nombre; }
};

std::ostream& operator<<(std::ostream& out, const Employee& e) { return out << e.numero << ":" << e.nombre; }

const std::vector<Field> kEmployeeFields{{"NUMERO", 'N', 4, 0}, {"NOMBRE", 'C', 40, 0}, {"BAJA", 'C', 1, 0}};

// 5, 2, 9 with a deleted 7 and a second 2 that must stay behind the first (a stable sort).
const std::vector<Employee> kStaff{{5, "CINCO"}, {2, "DOS A"}, {9, "NUEVE"}, {7, "SIETE", true}, {2, "DOS B"}};
const std::vector<Employee> kSorted{{2, "DOS A"}, {2, "DOS B"}, {5, "CINCO"}, {9, "NUEVE"}};
const std::vector<Employee> kLive{{5, "CINCO"}, {2, "DOS A"}, {9, "NUEVE"}, {2, "DOS B"}};

class ReorderTest : public ::testing::Test {
public:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "-" + info->name();
        std::replace(name.begin(), name.end(), '/', '_');
        dir_ = (fs::temp_directory_path() / "vorpex-reorden-tests" / name).generic_string();
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        rt::settings() = rt::Settings{};
        previous_ = rt::setErrorHandler([this](rt::Error& e) {
            errors.push_back(e);
            return rt::ErrorAnswer{answer, rt::Value(false)};
        });
    }
    void TearDown() override {
        WorkAreas::instance().closeAll();
        rt::setErrorHandler(previous_);
        rt::settings() = rt::Settings{};
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    std::string path(const std::string& name) const { return dir_ + "/" + name; }

    void makeTable(const std::string& name, const std::vector<Employee>& rows,
                   std::vector<Field> fields = kEmployeeFields) {
        rt::rdd::Table::create(path(name), fields, {});
        auto table = rt::rdd::Table::open(path(name), {});
        for (const Employee& e : rows) {
            table->appendBlank();
            table->put(0, rt::Value(e.numero));
            table->put(1, rt::Value(e.nombre));
            table->setDeleted(e.deleted);
        }
        table->commit();
    }

    // The records not marked deleted, read with the engine's table layer (no work area, no error handler).
    std::vector<Employee> liveRecords(const std::string& name) const {
        rt::rdd::TableOptions options;
        options.readOnly = true;
        auto table = rt::rdd::Table::open(path(name), options);
        std::vector<Employee> out;
        for (uint32_t r = 1; r <= table->recCount(); ++r) {
            table->load(r);
            if (table->deleted()) continue;
            std::string nombre = table->get(1).asString();
            nombre.erase(nombre.find_last_not_of(' ') + 1);
            out.push_back({static_cast<int>(table->get(0).asInteger()), nombre});
        }
        return out;
    }

    std::string bytes(const std::string& name) const {
        std::ifstream in(path(name), std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

    // The folder's file names as spelled on disk, sorted.
    std::vector<std::string> spelledFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // The same upper-cased: the files as Windows tells them apart.
    std::vector<std::string> files() const {
        std::vector<std::string> names = spelledFiles();
        for (std::string& n : names)
            std::transform(n.begin(), n.end(), n.begin(), [](unsigned char c) { return std::toupper(c); });
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string dir_;
    std::vector<rt::Error> errors;
    rt::ErrorAction answer = rt::ErrorAction::Default;
    rt::ErrorHandler previous_;
    RddTableSteps steps;
};

using Files = std::vector<std::string>;

TEST_F(ReorderTest, SortsOnNumeroDropsDeletedAndKeepsTheFileNameAsSpelled) {
    makeTable("empleado.dbf", kStaff);

    Result r = reorder(steps, dir_);
    EXPECT_EQ(r.outcome, Outcome::Reordered);
    EXPECT_EQ(r.message, "Listo! Archivo reordenado.");
    EXPECT_TRUE(errors.empty());
    // One table, under the name as it was spelled: no EMPL.DBF, no "EMPLEADO.DBF" beside "empleado.dbf".
    EXPECT_EQ(spelledFiles(), Files{"empleado.dbf"});
    EXPECT_EQ(liveRecords("empleado.dbf"), kSorted);
    EXPECT_EQ(rt::rdd::Table::open(path("empleado.dbf"), {})->recCount(), kSorted.size());

    // A second run leaves the same records (equal numbers keep their order).
    EXPECT_EQ(reorder(steps, dir_).outcome, Outcome::Reordered);
    EXPECT_EQ(spelledFiles(), Files{"empleado.dbf"});
    EXPECT_EQ(liveRecords("empleado.dbf"), kSorted);
    EXPECT_EQ(WorkAreas::instance().current(), nullptr) << "the reorder leaves no table open";
}

TEST_F(ReorderTest, AnEmptyTableStaysAnEmptyTable) {
    makeTable("EMPLEADO.DBF", {{1, "BORRADO", true}});
    EXPECT_EQ(reorder(steps, dir_).outcome, Outcome::Reordered);
    EXPECT_EQ(files(), Files{"EMPLEADO.DBF"});
    EXPECT_TRUE(liveRecords("EMPLEADO.DBF").empty());
}

// A refused rename: nothing changes and the label says why.
struct Refusal {
    const char* name;
    std::function<void(ReorderTest&)> arrange;  // after EMPLEADO.DBF exists (unless it removes it)
    Outcome outcome;
    const char* message;
};

void PrintTo(const Refusal& r, std::ostream* out) { *out << r.name; }

class RefusalTest : public ReorderTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(RefusalTest, ChangesNoFileAndSaysWhy) {
    makeTable("EMPLEADO.DBF", kStaff);
    GetParam().arrange(*this);
    const Files before = files();
    std::vector<std::string> contents;
    for (const std::string& f : before) contents.push_back(bytes(f));

    Result r = reorder(steps, dir_);
    EXPECT_EQ(r.outcome, GetParam().outcome);
    EXPECT_EQ(r.message, GetParam().message);
    WorkAreas::instance().closeAll();  // the holder, where there is one
    EXPECT_EQ(files(), before);
    for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(bytes(before[i]), contents[i]) << before[i];
}

INSTANTIATE_TEST_SUITE_P(
    Rename, RefusalTest,
    ::testing::Values(
        Refusal{"TableMissing", [](ReorderTest& t) { fs::remove(t.path("EMPLEADO.DBF")); }, Outcome::Missing,
                "No se encontr\xF3 EMPLEADO.DBF."},
        Refusal{"TempPresent", [](ReorderTest& t) { t.makeTable("empl.dbf", {{1, "OTRA"}}); }, Outcome::TempExists,
                "Ya existe EMPL.DBF."},
        Refusal{"HeldOpenElsewhere",
                [](ReorderTest& t) {
                    // As Asistencias holds it: a shared open through the engine.
                    rt::rdd::UseOptions o;
                    o.newArea = true;
                    o.shared = true;
                    ASSERT_TRUE(WorkAreas::instance().use(t.path("EMPLEADO.DBF"), o));
                    WorkAreas::instance().select(0);
                },
                Outcome::HeldOpen, "EMPLEADO.DBF est\xE1" " en uso."}),
    [](const auto& info) { return std::string(info.param.name); });

// Failures of the real engine after the rename: the error handler is asked, and whether it lets the step
// pass (Default) or breaks out, the original records end up in EMPLEADO.DBF and EMPL.DBF is gone.
struct EngineFailure {
    enum class Kept { Records, Bytes };  // a file that is no table can only be compared byte for byte
    const char* name;
    std::function<void(ReorderTest&)> arrange;
    std::vector<std::string> files = {"EMPLEADO.DBF"};
    Kept kept = Kept::Records;
};

void PrintTo(const EngineFailure& f, std::ostream* out) { *out << f.name; }

class EngineFailureTest : public ReorderTest,
                          public ::testing::WithParamInterface<std::tuple<EngineFailure, rt::ErrorAction>> {};

TEST_P(EngineFailureTest, PutsTheOriginalBack) {
    const auto& [failure, action] = GetParam();
    failure.arrange(*this);
    const std::string original = bytes("EMPLEADO.DBF");
    answer = action;

    if (action == rt::ErrorAction::Break) {
        EXPECT_THROW(reorder(steps, dir_), rt::Break);
    } else {
        Result r = reorder(steps, dir_);
        EXPECT_EQ(r.outcome, Outcome::RolledBack);
        EXPECT_EQ(r.message, "Fall\xF3. Se restaur\xF3 el archivo.");
    }
    EXPECT_FALSE(errors.empty()) << "the failure went to the error handler";
    EXPECT_EQ(files(), failure.files);
    if (failure.kept == EngineFailure::Kept::Bytes) {
        EXPECT_EQ(bytes("EMPLEADO.DBF"), original);
    } else {
        EXPECT_EQ(liveRecords("EMPLEADO.DBF"), kLive);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Steps, EngineFailureTest,
    ::testing::Combine(
        ::testing::Values(
            EngineFailure{"OpenFails",
                          [](ReorderTest& t) {
                              std::ofstream(t.path("EMPLEADO.DBF"), std::ios::binary) << "no es una tabla";
                          },
                          {"EMPLEADO.DBF"},
                          EngineFailure::Kept::Bytes},
            EngineFailure{"PackFailsOnASharedOpen",
                          [](ReorderTest& t) {
                              t.makeTable("EMPLEADO.DBF", kStaff);
                              rt::settings().exclusive = false;
                          }},
            EngineFailure{"SortFailsWithoutNumero",
                          [](ReorderTest& t) {
                              t.makeTable("EMPLEADO.DBF", kStaff,
                                          {{"NUM", 'N', 4, 0}, {"NOMBRE", 'C', 40, 0}, {"BAJA", 'C', 1, 0}});
                          }},
            // Only the .DBF is renamed: a table with memos cannot open as EMPL without EMPL.DBT.
            EngineFailure{"MemoTableFailsToOpen",
                          [](ReorderTest& t) {
                              t.makeTable("EMPLEADO.DBF", kStaff,
                                          {{"NUMERO", 'N', 4, 0}, {"NOMBRE", 'C', 40, 0}, {"NOTA", 'M', 10, 0}});
                          },
                          {"EMPLEADO.DBF", "EMPLEADO.DBT"}}),
        ::testing::Values(rt::ErrorAction::Default, rt::ErrorAction::Break)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) +
               (std::get<1>(info.param) == rt::ErrorAction::Break ? "_Break" : "_Default");
    });

// Faults the engine rarely shows, injected one step at a time: a step that answers false, one that throws
// out of the reorder, and a sort that claims success over a short or missing table.
enum class Fault { False, Throws, ShortTable, NoTable };

class FaultySteps : public RddTableSteps {
public:
    FaultySteps(std::string step, Fault fault) : step_(std::move(step)), fault_(fault) {}

    bool open(const std::string& path) override { return act("open") && RddTableSteps::open(path); }
    bool pack() override { return act("pack") && RddTableSteps::pack(); }
    bool sortTo(const std::string& target, const std::string& field) override {
        if (step_ != "sortTo") return RddTableSteps::sortTo(target, field);
        switch (fault_) {
        case Fault::ShortTable: rt::rdd::Table::create(target, kEmployeeFields, {}); return true;
        case Fault::NoTable: return true;
        default: return act("sortTo") && RddTableSteps::sortTo(target, field);
        }
    }
    int64_t storedCount(const std::string& path) override {
        return act("storedCount") ? RddTableSteps::storedCount(path) : -1;
    }

private:
    bool act(const char* step) {
        if (step_ != step) return true;
        if (fault_ == Fault::Throws) throw rt::Break{};
        return false;
    }
    std::string step_;
    Fault fault_;
};

struct Injected {
    const char* step;
    Fault fault;
};

void PrintTo(const Injected& i, std::ostream* out) { *out << i.step << "/" << static_cast<int>(i.fault); }

class InjectedFaultTest : public ReorderTest, public ::testing::WithParamInterface<Injected> {};

TEST_P(InjectedFaultTest, LeavesTheOriginalRecordsInEmpleado) {
    makeTable("EMPLEADO.DBF", kStaff);
    FaultySteps faulty(GetParam().step, GetParam().fault);
    if (GetParam().fault == Fault::Throws) {
        EXPECT_THROW(reorder(faulty, dir_), rt::Break);
    } else {
        EXPECT_EQ(reorder(faulty, dir_).outcome, Outcome::RolledBack);
    }
    WorkAreas::instance().closeAll();
    EXPECT_EQ(files(), Files{"EMPLEADO.DBF"});
    EXPECT_EQ(liveRecords("EMPLEADO.DBF"), kLive);
}

const Injected kInjected[] = {{"open", Fault::False},   {"open", Fault::Throws},         {"pack", Fault::False},
                              {"pack", Fault::Throws},   {"sortTo", Fault::False},        {"sortTo", Fault::Throws},
                              {"sortTo", Fault::ShortTable}, {"sortTo", Fault::NoTable}, {"storedCount", Fault::False}};

std::string injectedName(const ::testing::TestParamInfo<Injected>& info) {
    static const char* const faults[] = {"False", "Throws", "ShortTable", "NoTable"};
    return std::string(info.param.step) + "_" + faults[static_cast<int>(info.param.fault)];
}

INSTANTIATE_TEST_SUITE_P(Steps, InjectedFaultTest, ::testing::ValuesIn(kInjected), injectedName);

TEST_F(ReorderTest, ASortedTableWhoseTempCannotBeErasedSaysSo) {
    class KeepTemp : public RddTableSteps {
    public:
        int erase(const std::string&) override { return 5; }
    } keep;
    makeTable("EMPLEADO.DBF", kStaff);
    Result r = reorder(keep, dir_);
    EXPECT_EQ(r.outcome, Outcome::TempKept);
    EXPECT_EQ(r.message, "Listo. No se borr\xF3 EMPL.DBF.");
    EXPECT_EQ(files(), (Files{"EMPL.DBF", "EMPLEADO.DBF"}));
    EXPECT_EQ(liveRecords("EMPLEADO.DBF"), kSorted);
}

TEST_F(ReorderTest, APartialTableThatCannotBeRemovedLeavesTheDataInEmplAndSaysSo) {
    class Stuck : public RddTableSteps {
    public:
        bool sortTo(const std::string& target, const std::string&) override {
            rt::rdd::Table::create(target, kEmployeeFields, {});
            return false;
        }
        int erase(const std::string&) override { return 32; }
    } stuck;
    makeTable("EMPLEADO.DBF", kStaff);
    Result r = reorder(stuck, dir_);
    EXPECT_EQ(r.outcome, Outcome::Stranded);
    EXPECT_EQ(r.message, "Fall\xF3. Datos en EMPL.DBF.");
    EXPECT_EQ(liveRecords("EMPL.DBF"), kLive);

    // The next start cannot put it back over the partial table: it tells instead and touches nothing.
    Result start = recoverStranded(steps, dir_);
    EXPECT_EQ(start.outcome, Outcome::Leftover);
    EXPECT_EQ(start.message, "Ya existe EMPL.DBF: rev\xEDselo.");
    EXPECT_EQ(files(), (Files{"EMPL.DBF", "EMPLEADO.DBF"}));
}

TEST_F(ReorderTest, StartUpPutsAStrandedEmplBack) {
    makeTable("EMPL.DBF", kStaff);
    Result r = recoverStranded(steps, dir_);
    EXPECT_EQ(r.outcome, Outcome::Recovered);
    EXPECT_EQ(r.message, "Se restaur\xF3 EMPLEADO.DBF.");
    EXPECT_EQ(files(), Files{"EMPLEADO.DBF"});
    EXPECT_EQ(liveRecords("EMPLEADO.DBF"), kLive);

    // With nothing stranded the start-up check does nothing.
    Result again = recoverStranded(steps, dir_);
    EXPECT_EQ(again.outcome, Outcome::Nothing);
    EXPECT_EQ(again.message, "");
    fs::remove(path("EMPLEADO.DBF"));
    EXPECT_EQ(recoverStranded(steps, dir_).outcome, Outcome::Nothing);
}

TEST_F(ReorderTest, AStrandedEmplHeldOpenIsReportedNotMoved) {
    makeTable("EMPL.DBF", kStaff);
    rt::rdd::UseOptions o;
    o.shared = true;
    ASSERT_TRUE(WorkAreas::instance().use(path("EMPL.DBF"), o));
    Result r = recoverStranded(steps, dir_);
    EXPECT_EQ(r.outcome, Outcome::NotRecovered);
    EXPECT_EQ(r.message, "Los datos est\xE1n en EMPL.DBF.");
    WorkAreas::instance().closeAll();
    EXPECT_EQ(files(), Files{"EMPL.DBF"});
}

TEST(ReorderMessages, FitTheLabelAndAnOtherRenameFailureNamesTheCode) {
    for (int o = static_cast<int>(Outcome::Nothing); o <= static_cast<int>(Outcome::Leftover); ++o)
        EXPECT_LE(messageFor(static_cast<Outcome>(o), 1234).size(), 30u) << messageFor(static_cast<Outcome>(o));
    EXPECT_EQ(messageFor(Outcome::RenameFailed, 5), "Error 5 al renombrar.");
}

}  // namespace
}  // namespace reorden
