// The progress window of a printing report, over stand-in window classes that record what they are told:
// the owner is disabled while the job runs and enabled however it ends, the page label counts the pages, and
// the window's button cancels the job at the next record.
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "framework/core/object/vp_class.h"
#include "framework/print/report/report.h"
#include "framework/print/report/tests/fake_report_device.h"
#include "runtime/core/block.h"
#include "runtime/core/error.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "runtime/lib/library.h"

namespace vorpex::testing {
namespace {

using rt::Value;

Value ask(const Value& o, const char* message, std::vector<Value> args = {}) {
    return rt::send(o, rt::Symbol::intern(message), rt::Args(args.data(), args.size()));
}

// A window stand-in: "_name" stores a property, "name" reads it back, any other message is journaled.
struct StandIn : rt::Object {
    explicit StandIn(const rt::Class& cls) : rt::Object(cls) {}
    std::map<std::string, Value> props;
};

std::vector<std::pair<std::string, Value>>& journal() {
    static std::vector<std::pair<std::string, Value>> calls;
    return calls;
}

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// Properties the report reads or asks about by name are real data; the rest goes to the journal.
const rt::Class& standInClass(const char* name) {
    VPClass b(name, nullptr, rt::factoryOf<StandIn>());
    for (const char* data : {"lEnabled", "cText", "OnClick"}) b.addData(data);
    b.record().setUnknownMessageHandler([name = std::string(name)](rt::Object& self, rt::Symbol message, rt::Args args) {
        auto& props = static_cast<StandIn&>(self).props;
        const std::string m = upper(message.name());
        if (!m.empty() && m[0] == '_') return props[m.substr(1)] = rt::arg(args, 0);
        if (auto found = props.find(m); found != props.end()) return found->second;
        journal().push_back({upper(name + ":" + m), Value(self.self())});
        return Value(self.self());
    });
    return b.create();
}

std::string trimmed(std::string s) {
    s.erase(0, s.find_first_not_of(' '));
    return s;
}

class ReportProgressTest : public ::testing::Test {
protected:
    void SetUp() override {
        rt::registerLibraryFunctions();
        registerReportClasses();
        static const bool classes = [] {
            for (const char* name : {"TFORM", "TBUTTON", "TGROUPBOX", "TLABEL"}) standInClass(name);
            return true;
        }();
        (void)classes;
        journal().clear();
        owner = Value(rt::findFunction("TFORM") ? (*rt::findFunction("TFORM"))({}) : Value());
        ASSERT_TRUE(owner.isObject());
        ask(owner, "_lEnabled", {true});
        report = ask(Value(TReport::classRecord().instantiate()), "Create", {owner});
        ask(report, "_bWhile", {Value(rt::makeBlock([this](rt::Args) { return Value(row <= 30); }))});
        ask(report, "_bSkip", {Value(rt::makeBlock([this](rt::Args a) {
                row += rt::arg(a, 0).asInteger();
                return Value();
            }))});
        const Value column = ask(report, "AddColumn");
        ask(column, "_aData", {Value::array({Value(rt::makeBlock([this](rt::Args) { return Value(row); }))})});
        device.portraitHeight = 400;
    }
    bool run() { return rt::objectAs<XReport>(report)->runOn(device); }
    Value madeOf(const std::string& call) const {
        for (const auto& [name, object] : journal())
            if (name == upper(call)) return object;
        return Value();
    }

    Value owner, report;
    FakeReportDevice device;
    int64_t row = 1;
};

TEST_F(ReportProgressTest, TheOwnerWaitsWhileThePageLabelCountsThePages) {
    std::vector<std::string> labels;
    std::vector<bool> ownerEnabled;
    ask(report, "_OnStartPage", {Value(rt::makeBlock([&](rt::Args a) {
            labels.push_back(trimmed(ask(ask(rt::arg(a, 0), "oLblPage"), "cText").asString()));
            ownerEnabled.push_back(ask(owner, "lEnabled").asLogical());
            return Value();
        }))});
    ASSERT_TRUE(run());
    ASSERT_GE(labels.size(), 2u);
    for (size_t i = 0; i < labels.size(); ++i) {
        EXPECT_EQ(labels[i], std::to_string(i + 1));
        EXPECT_FALSE(ownerEnabled[i]);
    }
    EXPECT_TRUE(ask(owner, "lEnabled").asLogical()) << "enabled again after the job";
    EXPECT_TRUE(madeOf("TFORM:End").isObject()) << "the window is closed";
    EXPECT_TRUE(ask(report, "oForm").isNil());
}

TEST_F(ReportProgressTest, TheButtonCancelsAtTheNextRecordAndTheJobEndsNormally) {
    ask(report, "_OnChanged", {Value(rt::makeBlock([&](rt::Args) {
            if (row == 3) {
                const Value button = madeOf("TBUTTON:Create");
                rt::evalIfBlock(ask(button, "OnClick"), {});
            }
            return Value();
        }))});
    ASSERT_TRUE(run());
    EXPECT_TRUE(ask(report, "lCancel").asLogical());
    EXPECT_EQ(ask(report, "nCounter").asInteger(), 2) << "two records printed";
    EXPECT_EQ(device.docsEnded, 1);
    EXPECT_EQ(device.pagesEnded, device.pagesStarted);
}

TEST_F(ReportProgressTest, AnErrorBreakingOutOfTheJobStillClosesTheWindowAndEnablesTheOwner) {
    ask(report, "_OnStartPage", {Value(rt::makeBlock([](rt::Args) -> Value {
            throw rt::Break{};
            return Value();
        }))});
    EXPECT_THROW(run(), rt::Break);
    EXPECT_TRUE(ask(owner, "lEnabled").asLogical());
    EXPECT_TRUE(madeOf("TFORM:End").isObject());
}

}  // namespace
}  // namespace vorpex::testing
