#include <gtest/gtest.h>

#include "runtime/core/class_builder.h"
#include "runtime/core/error.h"
#include "runtime/core/send.h"
#include "tests/support/recording_handler.h"

namespace rt {
namespace {

using testing::RecordingHandler;

const Class& emptyClass() {
    static const Class& c = []() -> const Class& {
        ClassBuilder b("EMPTYPROBE", nullptr, nullptr);
        return b.create();
    }();
    return c;
}

TEST(NoMethodError, CarriesCodeSubcodeAndMessageName) {
    RecordingHandler h({{ErrorAction::Default, Value("fallback")}});
    ObjectPtr o = emptyClass().instantiate();
    Value r = send(*o, "Missing", {1, 2});
    EXPECT_EQ(r.asString(), "fallback");
    ASSERT_EQ(h.seen.size(), 1u);
    EXPECT_EQ(h.seen[0].genCode, eg::NoMethod);
    EXPECT_EQ(h.seen[0].subCode, 1004);
    EXPECT_EQ(h.seen[0].operation, "MISSING");
    EXPECT_EQ(h.seen[0].args.asArray()->size(), 3u);  // the receiver, then the arguments
}

TEST(NoMethodError, RetryLooksTheMethodUpAgain) {
    ClassBuilder b("RETRYPROBE", nullptr, nullptr);
    Class& c = b.create();
    ObjectPtr o = c.instantiate();
    RecordingHandler h({{ErrorAction::Retry, Value()}});
    h.onRetry = [&] {
        Method m;
        m.symbol = Symbol::intern("Late");
        m.native = [](Object&, const Method&, Args) { return Value("arrived"); };
        c.setMethod(m);
    };
    EXPECT_EQ(send(*o, "Late").asString(), "arrived");
    EXPECT_EQ(h.seen.size(), 1u);
}

TEST(NoMethodError, BreakUnwindsAsAnException) {
    RecordingHandler h({{ErrorAction::Break, Value(9)}});
    ObjectPtr o = emptyClass().instantiate();
    try {
        send(*o, "Missing");
        FAIL() << "a break must unwind";
    } catch (const Break& b) {
        EXPECT_EQ(b.value.asInt(), 9);
    }
}

TEST(ErrorHandler, AnswersTheErrorDoesNotAllowBecomeABreak) {
    RecordingHandler h({{ErrorAction::Retry, Value()}});
    Error e;
    e.genCode = eg::Open;
    e.canRetry = false;
    EXPECT_THROW(raise(e), Break);
    EXPECT_EQ(e.tries, 1);
}

TEST(ErrorHandler, SendingToANonObjectRaisesNoMethod) {
    RecordingHandler h({{ErrorAction::Default, Value()}});
    send(Value(3), "Anything");
    ASSERT_EQ(h.seen.size(), 1u);
    EXPECT_EQ(h.seen[0].operation, "ANYTHING");
}

}  // namespace
}  // namespace rt
