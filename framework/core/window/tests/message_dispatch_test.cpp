#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "framework/core/window/message_dispatch.h"
#include "framework/core/window/message_methods.h"
#include "runtime/core/class_builder.h"
#include "runtime/core/error.h"

namespace vorpex {
namespace {

TEST(MessageResult, AnswersMapToWindowProcedureResults) {
    struct Case {
        rt::Value answer;
        std::optional<intptr_t> result;
    } cases[] = {
        {rt::Value(), std::nullopt},       {rt::Value(0), 0},         {rt::Value(false), 0},
        {rt::Value(true), 1},              {rt::Value(2.7), 2},       {rt::Value(-2.7), -2},
        {rt::Value(123456), 123456},       {rt::Value("1"), std::nullopt},
        {rt::Value::array(), std::nullopt}, {rt::Value(rt::Date{2451545}), std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(messageResult(c.answer), c.result) << c.answer.typeCode();
}

// Records every call a window message makes on the object.
struct Recorder {
    std::vector<std::string> calls;
    std::vector<std::vector<int64_t>> args;
    rt::Value answer;

    rt::NativeMethod method(std::string name) {
        return [this, name](rt::Object&, const rt::Method&, rt::Args a) {
            calls.push_back(name);
            std::vector<int64_t> ints;
            for (const rt::Value& v : a) ints.push_back(v.asInteger());
            args.push_back(ints);
            if (name == "Raise") throw rt::Break{rt::Value("stop")};
            if (name == "Fail") throw std::runtime_error("native failure");
            return answer;
        };
    }
};

struct DispatchFixture : ::testing::Test {
    Recorder rec;
    rt::ObjectPtr make(std::initializer_list<std::pair<const char*, const char*>> methods) {
        static int serial = 0;
        auto* b = new rt::ClassBuilder("TDISPATCHPROBE" + std::to_string(++serial), nullptr, nullptr);
        for (auto [message, behaviour] : methods) b->addMethod(message, rec.method(behaviour));
        builders.emplace_back(b);
        return b->create().instantiate();
    }
    std::vector<std::unique_ptr<rt::ClassBuilder>> builders;
    void TearDown() override { rt::clearPendingBreak(); }
};

TEST_F(DispatchFixture, NamedMethodGetsParametersInWindowOrderAndHandleEventInItsOwn) {
    auto o = make({{"WMLButtonDown", "WMLButtonDown"}, {"HandleEvent", "HandleEvent"}});
    rec.answer = rt::Value(7);
    EXPECT_EQ(dispatchToObject(*o, 0x201, 11, 22, 33), 7);
    EXPECT_EQ(dispatchToObject(*o, 0x202, 11, 22, 33), 7);  // no WMLButtonUp: HandleEvent
    EXPECT_EQ(dispatchToObject(*o, 5000, 1, 2, 3), 7);      // beyond the table: HandleEvent too
    ASSERT_EQ(rec.calls, (std::vector<std::string>{"WMLButtonDown", "HandleEvent", "HandleEvent"}));
    EXPECT_EQ(rec.args[0], (std::vector<int64_t>{11, 22, 33, 0x201}));
    EXPECT_EQ(rec.args[1], (std::vector<int64_t>{0x202, 11, 22, 33}));
    EXPECT_EQ(rec.args[2], (std::vector<int64_t>{5000, 1, 2, 3}));
}

TEST_F(DispatchFixture, NilAnswerOrNoMethodMeansDefaultProcessing) {
    auto answering = make({{"WMPaint", "WMPaint"}});
    EXPECT_EQ(dispatchToObject(*answering, 0x0F, 0, 0, 1), std::nullopt);  // answer is NIL
    EXPECT_EQ(dispatchToObject(*answering, 0x10, 0, 0, 1), std::nullopt);  // no WMClose, no HandleEvent
    EXPECT_EQ(rec.calls.size(), 1u);
}

TEST_F(DispatchFixture, EitherNameOfTheSettingChangeMessageIsAnswered) {
    auto o = make({{"WMWinIniChange", "WMWinIniChange"}});
    rec.answer = rt::Value(true);
    EXPECT_EQ(dispatchToObject(*o, 26, 0, 0, 1), 1);
}

TEST_F(DispatchFixture, MethodAddedAfterFirstDispatchIsFound) {
    auto o = make({{"WMSize", "WMSize"}});
    rec.answer = rt::Value(0);
    EXPECT_EQ(dispatchToObject(*o, 0x10, 0, 0, 1), std::nullopt);
    for (int i = 0; i < 40; ++i) builders.back()->addMethod("Filler" + std::to_string(i), rec.method("x"));
    builders.back()->addMethod("WMClose", rec.method("WMClose"));
    EXPECT_EQ(dispatchToObject(*o, 0x10, 0, 0, 1), 0);
    EXPECT_EQ(dispatchToObject(*o, 0x05, 0, 0, 1), 0);
    EXPECT_EQ(rec.calls, (std::vector<std::string>{"WMClose", "WMSize"}));
}

TEST_F(DispatchFixture, NoExceptionLeavesACallbackDispatch) {
    auto breaking = make({{"WMCommand", "Raise"}});
    EXPECT_EQ(dispatchFromCallback(*breaking, 0x111, 1, 2, 3), std::nullopt);
    EXPECT_TRUE(rt::breakPending());
    EXPECT_THROW(rethrowPendingCallbackErrors(), rt::Break);
    EXPECT_FALSE(rt::breakPending());

    auto failing = make({{"WMCommand", "Fail"}});
    EXPECT_EQ(dispatchFromCallback(*failing, 0x111, 1, 2, 3), std::nullopt);
    EXPECT_TRUE(callbackFailurePending());
    EXPECT_THROW(rethrowPendingCallbackErrors(), std::runtime_error);
    EXPECT_FALSE(callbackFailurePending());
    EXPECT_NO_THROW(rethrowPendingCallbackErrors());
}

}  // namespace
}  // namespace vorpex
