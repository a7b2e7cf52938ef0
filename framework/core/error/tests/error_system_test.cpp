// The installed handler end to end over real tables in a scratch folder: the silent cases, the report with
// its "Error.log", and what retry, ignore and quit do, with the form replaced by a scripted presenter.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "framework/core/error/error_log.h"
#include "framework/core/error/error_system.h"
#include "framework/core/gdi/message_box.h"
#include "framework/core/startup/terminate.h"
#include "framework/core/texts/texts.h"
#include "runtime/core/class_builder.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "runtime/lib/arithmetic.h"
#include "runtime/rdd/table.h"
#include "runtime/rdd/work_areas.h"

namespace vorpex {
namespace {

namespace fs = std::filesystem;
using rt::Value;
using rt::rdd::WorkAreas;

class ErrorHandler : public ::testing::Test {
protected:
    void SetUp() override {
        texts::SETLANGUAGE(9);
        rt::resetForTests();
        resetTerminateForTests();
        home_ = fs::current_path();
        dir_ = fs::temp_directory_path() / ("vp_errsys_" + std::to_string(++counter_));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        fs::current_path(dir_);
        ERRORSYS();
        setErrorPresenter([this](const ErrorFormRequest& r) {
            shown.push_back(r);
            return answers.empty() ? 1 : answers[std::min(shown.size(), answers.size()) - 1];
        });
        setMessageBoxHook([this](const MessageBoxRequest& r) {
            boxes.push_back(r.text);
            return mb::IdOk;
        });
        terminateHooks().exitProcess = [this](int code) { exitCodes.push_back(code); };
    }
    void TearDown() override {
        WorkAreas::instance().closeAll();
        WorkAreas::instance().setNetErr(false);
        setErrorPresenter(nullptr);
        setMessageBoxHook(nullptr);
        terminateHooks().exitProcess = nullptr;
        rt::setErrorHandler(nullptr);
        resetTerminateForTests();
        rt::resetForTests();
        fs::current_path(home_);
        fs::remove_all(dir_);
    }

    void makeTable(const std::string& name) {
        rt::rdd::Table::create(name, {{"NUMERO", 'N', 4, 0}, {"NOMBRE", 'C', 20, 0}}, {});
    }
    bool use(const std::string& name, const std::string& alias = {}) {
        rt::rdd::UseOptions o;
        o.newArea = true;
        o.alias = alias;
        return WorkAreas::instance().use(name, o);
    }
    static std::string fileText(const std::string& name) {
        std::ifstream in(name, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    int openCount() {
        int n = 0;
        for (int i = 1; i <= 600; ++i) n += WorkAreas::instance().area(i) != nullptr;
        return n;
    }

    std::vector<ErrorFormRequest> shown;
    std::vector<int> answers;  // the option chosen on each showing; the last one repeats
    std::vector<std::string> boxes;
    std::vector<int> exitCodes;

private:
    fs::path home_, dir_;
    static inline int counter_ = 0;
};

TEST_F(ErrorHandler, DivisionByZeroYieldsZeroSilently) {
    Value r = rt::arithmetic(rt::ArithOp::Divide, Value(7), Value(0));
    EXPECT_EQ(r.asInteger(), 0);
    EXPECT_TRUE(shown.empty());
    EXPECT_FALSE(fs::exists(errsys::kLogFile));
}

TEST_F(ErrorHandler, SharingCasesSetNetErrSilently) {
    for (int genCode : {rt::eg::Open, rt::eg::AppendLock}) {
        WorkAreas::instance().setNetErr(false);
        rt::Error e;
        e.genCode = genCode;
        e.osCode = genCode == rt::eg::Open ? 32 : 0;
        e.canDefault = true;
        rt::ErrorAnswer a = rt::raise(e);
        EXPECT_EQ(a.action, rt::ErrorAction::Default);
        EXPECT_FALSE(a.value.asLogical());
        EXPECT_TRUE(WorkAreas::instance().netErr());
    }
    EXPECT_TRUE(shown.empty());
    EXPECT_FALSE(fs::exists(errsys::kLogFile));
}

#ifdef _WIN32
// A table another handle holds exclusively: the open fails with the sharing violation and no one is asked.
TEST_F(ErrorHandler, ExclusiveTableOpenedAgainIsANetworkError) {
    makeTable("empleado.dbf");
    ASSERT_TRUE(use("empleado.dbf", "A"));
    EXPECT_FALSE(use("empleado.dbf", "B"));
    EXPECT_TRUE(WorkAreas::instance().netErr());
    EXPECT_TRUE(shown.empty());
}
#endif

TEST_F(ErrorHandler, MissingTableIsReportedLoggedAndIgnored) {
    makeTable("checadas.dbf");
    ASSERT_TRUE(use("checadas.dbf"));
    answers = {3};  // "&Ignore"
    EXPECT_FALSE(use("empleado.dbf"));
    ASSERT_EQ(shown.size(), 1u);
    const ErrorFormRequest& r = shown[0];
    EXPECT_NE(r.message.find("Error DBFNTX/1001  Open error: empleado.dbf"), std::string::npos) << r.message;
    EXPECT_NE(r.message.find("(DOS Error 2)"), std::string::npos);
    EXPECT_EQ(r.options, (std::vector<std::string>{"&Quit", "&Retry", "&Ignore"}));
    // The form shows exactly what was written.
    EXPECT_EQ(fileText(errsys::kLogFile), r.log);
    EXPECT_NE(r.log.find("   Involved File: empleado.dbf"), std::string::npos);
    EXPECT_NE(r.log.find("   Alias Alias  : CHECADAS"), std::string::npos);
    EXPECT_EQ(rt::exitCode(), 1);
    EXPECT_EQ(openCount(), 1);  // ignoring continues with what was open
}

TEST_F(ErrorHandler, TypeErrorOffersQuitAndIgnore) {
    answers = {2};
    Value r = rt::arithmetic(rt::ArithOp::Add, Value("abc"), Value(1));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].message.find("Error BASE/1081"), std::string::npos) << shown[0].message;
    EXPECT_NE(shown[0].message.find("Arguments: ( [ 1] = Type: C Val: abc [ 2] = Type: N Val: 1)"),
              std::string::npos)
        << shown[0].message;
    EXPECT_EQ(shown[0].options, (std::vector<std::string>{"&Quit", "&Ignore"}));
    EXPECT_FALSE(r.asLogical());
}

TEST_F(ErrorHandler, RetryRepeatsTheFailedOperation) {
    static const rt::Class& cls = [] () -> const rt::Class& {
        rt::ClassBuilder b("ERRSYSTESTTHING", nullptr, rt::factoryOf<rt::Object>());
        return b.create();
    }();
    Value thing(cls.instantiate());
    answers = {2, 2, 3};  // retry twice, then ignore
    Value r = rt::send(thing, "Missing");
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].options, (std::vector<std::string>{"&Quit", "&Retry", "&Ignore"}));
    EXPECT_EQ(shown[1].message, shown[0].message);
    EXPECT_FALSE(r.asLogical());
}

TEST_F(ErrorHandler, RetryOpensTheTableOnceItIsBack) {
    setErrorPresenter([this](const ErrorFormRequest& r) {
        shown.push_back(r);
        makeTable("empleado.dbf");  // the user puts the file back, then retries
        return 2;
    });
    EXPECT_TRUE(use("empleado.dbf"));
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_EQ(openCount(), 1);
}

TEST_F(ErrorHandler, QuitBreaksOutAndTheProgramEndsWithEveryTableClosed) {
    makeTable("checadas.dbf");
    ASSERT_TRUE(use("checadas.dbf"));
    answers = {1};
    EXPECT_THROW(use("empleado.dbf"), rt::Break);
    ASSERT_EQ(shown.size(), 1u);
    // The program's end: its exit procedures run.
    rt::quit();
    EXPECT_EQ(openCount(), 0);
    EXPECT_EQ(rt::exitCode(), 1);
    // Closed for real: the file can go.
    EXPECT_TRUE(fs::remove("checadas.dbf"));
}

TEST_F(ErrorHandler, DetailsShowThisErrorEvenWhenTheLogCannotBeWritten) {
    fs::create_directory(errsys::kLogFile);  // nothing can create a file of that name now
    answers = {3};
    EXPECT_FALSE(use("empleado.dbf"));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].log.empty());
    EXPECT_EQ(rt::exitCode(), 1);
}

TEST_F(ErrorHandler, AFailureInsideTheHandlerShowsOneBoxAndEnds) {
    setErrorPresenter([](const ErrorFormRequest&) {
        rt::send(Value(), "NoSuchMethod");  // fails while the form would be shown
        return 1;
    });
    EXPECT_THROW(rt::arithmetic(rt::ArithOp::Add, Value("abc"), Value(1)), rt::Break);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("Error BASE/1004  No exported method: NOSUCHMETHOD inside ERRORSYS, line: "),
              std::string::npos)
        << boxes[0];
    EXPECT_EQ(exitCodes, std::vector<int>{1});
}

TEST_F(ErrorHandler, WithoutAFormAMessageBoxAsks) {
    setErrorPresenter(nullptr);
    setMessageBoxHook([this](const MessageBoxRequest& r) {
        boxes.push_back(r.text);
        return 5;  // IDIGNORE
    });
    EXPECT_FALSE(use("empleado.dbf"));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("Open error"), std::string::npos);
}

}  // namespace
}  // namespace vorpex
