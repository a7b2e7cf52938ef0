#include <gtest/gtest.h>

#include <optional>

#include "framework/core/object/class_lists.h"
#include "runtime/core/block.h"
#include "runtime/core/class_builder.h"
#include "runtime/core/frame.h"
#include "test_classes.h"

namespace vorpex::testing {
namespace {

std::shared_ptr<TestForm> makeForm() {
    auto form = rt::objectAs<TestForm>(TestForm::classRecord().instantiate());
    rt::send(Value(form), "CreateForm");
    return form;
}

int firedValue(const Value& v) { return v.isNil() ? -1 : v.asInt(); }

TEST(EventAssignment, EachKindOfHandler) {
    static Value blockSender;
    Value block(rt::makeBlock([](Args a) {
        blockSender = a[0];
        return Value(a[1].asInt() + 94);
    }));
    Value ownPointer = methodPointer(TestForm::classRecord(), "Button1Click");
    Value foreignPointer = methodPointer(XOther::classRecord(), "Button1Click");
    static int plain = 0;
    struct Case {
        const char* what;
        Value handler;
        int genCode;  // 0: no error
        const char* description;
        bool assigned;
        int fired;  // firing with (5); -1 for NIL
    } cases[] = {
        {"method name", "Button1Click", 0, "", true, 42},
        {"name in another case", "BUTTON1CLICK", 0, "", true, 42},
        {"block", block, 0, "", true, 99},
        {"NIL", Value(), 0, "", false, -1},
        {"pointer to the form's method", ownPointer, 0, "", true, 42},
        // With Default the handler bound in CreateForm stays.
        {"unknown name", "NoSuch", 13, "", true, 42},
        {"pointer to another class's method", foreignPointer, 1, "It is not a valid function pointer.", true, 42},
        {"plain pointer", Value(rt::Pointer{&plain, 0}), 1, "It is not a valid function pointer.", true, 42},
        {"a number", Value(7), 1, "It is not a valid event handler.", false, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto form = makeForm();
        auto button = form->button();
        RecordingHandler errors({{rt::ErrorAction::Default, {}}});
        rt::send(Value(form), "Assign", {Value(button), "OnClick", c.handler});
        if (c.genCode == 0) {
            EXPECT_TRUE(errors.seen.empty());
        } else {
            ASSERT_EQ(errors.seen.size(), 1u);
            EXPECT_EQ(errors.seen[0].genCode, c.genCode);
            EXPECT_EQ(errors.seen[0].subCode, 1004);
            EXPECT_EQ(errors.seen[0].description, c.description);
        }
        EXPECT_EQ(VP_EventAssigned(*button, "OnClick"), c.assigned);
        EXPECT_EQ(firedValue(fireEvent(*button, XProbe::OnClick, {5})), c.fired);
        if (c.fired == 42) {
            ASSERT_FALSE(form->senders.empty());
            EXPECT_EQ(form->senders.back().asObject(), button);  // the sender comes first
            EXPECT_EQ(form->extra.asInt(), 5);
        }
        if (c.fired == 99) {
            EXPECT_EQ(blockSender.asObject(), button);
        }
    }
    blockSender = Value();
}

TEST(EventAssignment, UnknownNameReportsTheNameAndBreaksByDefault) {
    auto form = makeForm();
    RecordingHandler errors(rt::ErrorAction::Break);
    EXPECT_THROW(rt::send(Value(form), "Assign", {Value(form->button()), "OnClick", "NoSuch"}), rt::Break);
    ASSERT_EQ(errors.seen.size(), 1u);
    EXPECT_EQ(errors.seen[0].operation, "NoSuch");
    EXPECT_TRUE(errors.seen[0].canRetry);
    EXPECT_TRUE(errors.seen[0].canDefault);
    EXPECT_TRUE(VP_EventAssigned(*form->button(), "OnClick"));  // the old handler survives the break
}

TEST(EventAssignment, RetryLooksAgain) {
    auto form = makeForm();
    int retries = 0;
    auto old = rt::setErrorHandler([&](rt::Error& e) {
        // The first answer makes the name exist, as a handler that loads a missing module would.
        if (++retries == 1) rt::addDataAtRunTime(TestForm::classRecord(), "LateHandler", 77);
        EXPECT_EQ(e.tries, retries);
        return rt::ErrorAnswer{rt::ErrorAction::Retry, Value()};
    });
    rt::send(Value(form), "Assign", {Value(form->button()), "OnClick", "LateHandler"});
    rt::setErrorHandler(old);
    EXPECT_EQ(retries, 1);
    EXPECT_EQ(fireEvent(*form->button(), XProbe::OnClick).asInt(), 77);
}

TEST(EventAssignment, ExecutingObjectIsTheCallerSkippingBlocks) {
    auto form = makeForm();
    auto button = form->button();
    rt::send(Value(form), "AssignInBlock", {Value(button), "OnClick", "FormClosing"});
    EXPECT_TRUE(fireEvent(*button, XProbe::OnClick).asLogical());  // bound to the form, not to a block frame

    // An assignment run by another object binds to that object.
    ObjectPtr other = XOther::classRecord().instantiate();
    {
        rt::FrameGuard frame(other.get(), &other->objectClass(), rt::Symbol::intern("SETUP"));
        assignEvent(*button, XProbe::OnClick, "Button1Click");
    }
    EXPECT_EQ(fireEvent(*button, XProbe::OnClick).asInt(), -1);

    // A plain procedure has no Self: a name cannot be bound.
    for (bool inProcedure : {true, false}) {
        SCOPED_TRACE(inProcedure);
        RecordingHandler errors({{rt::ErrorAction::Default, {}}});
        std::optional<rt::FrameGuard> frame;
        if (inProcedure) frame.emplace("MAIN");
        assignEvent(*button, XProbe::OnClick, "Button1Click");
        ASSERT_EQ(errors.seen.size(), 1u);
        EXPECT_EQ(errors.seen[0].genCode, 13);
    }
}

TEST(EventFiring, ByReferenceArgumentsAnswerTheCaller) {
    auto form = makeForm();
    auto lClose = std::make_shared<Value>(true);
    EXPECT_TRUE(fireEvent(*form->button(), XProbe::OnClose, {Value::reference(lClose)}).asLogical());
    EXPECT_FALSE(lClose->asLogical());
    *lClose = true;
    rt::send(Value(form->button()), "OnClose", {Value::reference(lClose)});  // by name as well
    EXPECT_FALSE(lClose->asLogical());
}

TEST(EventFiring, PreparedEventTakesItsOwnSender) {
    auto form = makeForm();
    auto button = form->button();
    ObjectPtr stand = XOther::classRecord().instantiate();
    PreparedEvent e = VP_PrepareEvent(*button, "onclick");
    ASSERT_TRUE(e);
    EXPECT_EQ(e.call({Value(stand), 8}).asInt(), 42);
    EXPECT_EQ(form->senders.back().asObject(), stand);

    auto countArgs = [](Args a) { return Value(static_cast<int>(a.size())); };
    assignEvent(*button, XProbe::OnClick, Value(rt::makeBlock(countArgs)));
    EXPECT_EQ(VP_PrepareEvent(*button, "OnClick").call({Value(stand), 1, 2, 3}).asInt(), 4);

    assignEvent(*button, XProbe::OnClick, Value());
    EXPECT_FALSE(VP_PrepareEvent(*button, "OnClick"));
    EXPECT_FALSE(VP_PrepareEvent(*button, "OnNoSuchEventAnywhere"));
    EXPECT_FALSE(VP_PrepareEvent(*button, "nWidth"));  // a message, but no event
}

TEST(EventFiring, AssignedTestsAndUnassignedEvents) {
    auto form = makeForm();
    auto button = form->button();
    EXPECT_TRUE(rt::send(Value(button), "EventAssigned", {"onClick"}).asLogical());
    EXPECT_FALSE(rt::send(Value(button), "EventAssigned", {"OnUnknown"}).asLogical());
    EXPECT_TRUE(button->EventAssigned(XProbe::OnClose));
    ObjectPtr fresh = TProbe::classRecord().instantiate();
    EXPECT_FALSE(VP_EventAssigned(*fresh, "OnClick"));
    EXPECT_TRUE(fireEvent(*fresh, XProbe::OnClick, {1}).isNil());
    // An event the sender's class does not have.
    ObjectPtr other = XOther::classRecord().instantiate();
    EXPECT_TRUE(fireEvent(*other, XProbe::OnClick).isNil());
}

TEST(EventSlots, LaidOutAfterAllDataAndKeptBySubclasses) {
    const rt::Class& base = XProbe::classRecord();
    const rt::Class& sub = XProbe2::classRecord();
    auto slot = [](const rt::Class& c, const char* name) { return c.find(rt::Symbol::intern(name))->position; };
    int lastData = base.fieldPosition("ClassName");
    EXPECT_GT(slot(base, "OnClick"), lastData);
    EXPECT_EQ(slot(base, "OnClose"), slot(base, "OnClick") + 2);
    EXPECT_EQ(slot(base, "_OnClose"), slot(base, "OnClose"));
    EXPECT_EQ(base.fieldCount(), slot(base, "OnClose") + 2);
    EXPECT_EQ(slot(sub, "OnClick"), slot(base, "OnClick"));  // redeclared, same slot
    EXPECT_GT(slot(sub, "OnChange"), sub.fieldPosition("nExtra"));
}

TEST(EventSlots, ObjectTargetIsAWeakBackReference) {
    auto form = makeForm();
    std::shared_ptr<XProbe> button = form->button();
    form.reset();  // the button does not keep its form alive
    EXPECT_FALSE(VP_EventAssigned(*button, "OnClick"));
    EXPECT_TRUE(fireEvent(*button, XProbe::OnClick).isNil());
}

}  // namespace
}  // namespace vorpex::testing
