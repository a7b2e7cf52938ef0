#include <gtest/gtest.h>

#include "framework/core/object/app_data.h"
#include "framework/core/object/class_lists.h"
#include "framework/core/object/property_record.h"
#include "runtime/core/runtime.h"
#include "test_classes.h"

namespace vorpex::testing {
namespace {

// Counts the Free calls that Destroy and End make.
class XCounted : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord() {
        static const rt::Class& c = userClass<XCounted>("XCounted", TComponent::classRecord());
        return c;
    }
    Value Free(Args) override {
        ++frees;
        return {};
    }
    int frees = 0;
};

std::shared_ptr<XCounted> counted() { return rt::objectAs<XCounted>(XCounted::classRecord().instantiate()); }

TEST(Component, DestroyEndAndFree) {
    struct Case {
        const char* what;
        const char* message;
        std::vector<Value> args;
        int frees;
        bool resultIsSelf;
    } cases[] = {
        {"Destroy()", "Destroy", {}, 0, true},
        {"Destroy(.F.)", "Destroy", {false}, 0, true},
        {"Destroy(.T.)", "Destroy", {true}, 1, true},
        {"End()", "End", {}, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto o = counted();
        rt::send(Value(o), "Create");
        ASSERT_TRUE(o->lCreated());
        Value result = rt::send(*o, rt::Symbol::intern(c.message), Args(c.args));
        EXPECT_EQ(o->frees, c.frees);
        EXPECT_FALSE(o->lCreated());
        EXPECT_EQ(o->lFree(), c.frees == 1);
        if (c.resultIsSelf)
            EXPECT_EQ(result.asObject(), o);
        else
            EXPECT_TRUE(result.isNil());
    }
}

TEST(Component, NewAndCreateSetTheOwnerOnlyWhenGiven) {
    ObjectPtr owner = TComponent::classRecord().instantiate();
    ObjectPtr other = TComponent::classRecord().instantiate();
    auto o = counted();
    EXPECT_EQ(rt::send(Value(o), "New", {Value(owner)}).asObject(), o);
    EXPECT_EQ(o->oParent(), owner);
    EXPECT_FALSE(o->lCreated());
    EXPECT_TRUE(o->lFree());
    rt::send(Value(o), "Create");
    EXPECT_EQ(o->oParent(), owner);  // Create() leaves it
    rt::send(Value(o), "Create", {Value(other)});
    EXPECT_EQ(rt::send(Value(o), "oParent").asObject(), other);
    EXPECT_TRUE(o->lCreated());
    EXPECT_TRUE(o->field(o->objectClass().fieldPosition("FoParent")).isWeak());  // a back reference
}

TEST(Component, EndReachesADestroyOverriddenByName) {
    static int destroyed = 0;
    VPClass b("TUserComponent", &TComponent::classRecord());
    b.addMethod("Destroy", [](rt::Object&, const rt::Method&, Args a) {
        destroyed += rt::arg(a, 0).asLogical() ? 10 : 1;
        return Value();
    });
    ObjectPtr o = b.create().instantiate();
    EXPECT_TRUE(rt::send(*o, "End").isNil());
    EXPECT_EQ(destroyed, 10);
}

TEST(Component, DescriptiveTextsAreReadOnlyData) {
    const rt::Class& c = TComponent::classRecord();
    for (const char* name : {"cAuthor", "cCopyright", "cProduct", "cVersion"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(rt::send(*c.instantiate(), name).asString(), "");
        EXPECT_EQ(c.find(rt::Symbol::intern(std::string("_") + name))->scope & rt::scope::ReadOnly,
                  rt::scope::ReadOnly);
    }
}

class AppDataTest : public ::testing::Test {
protected:
    void SetUp() override { rt::publicVar("AppData") = Value(); }
    void TearDown() override { rt::publicVar("AppData") = Value(); }
    Value initialize() { return rt::send(Value(TAppData::classRecord().instantiate()), "Initialize"); }
};

TEST_F(AppDataTest, InitializeIsASingletonInThePublicVariable) {
    Value first = initialize();
    ASSERT_TRUE(first.isObject());
    EXPECT_EQ(initialize().asObject(), first.asObject());
    EXPECT_EQ(rt::publicVar("AppData").asObject(), first.asObject());
    EXPECT_EQ(rt::send(Value(TAppData::classRecord().instantiate()), "Create").asObject(), first.asObject());
}

TEST_F(AppDataTest, AddDataExtendsTheClassAndItsList) {
    Value app = initialize();
    auto list = propertyList(app.asObject()->objectClass());
    size_t rows = list->size();
    EXPECT_TRUE(rt::send(app, "AddData", {"cUser", "x"}).isNil());
    EXPECT_EQ(rt::send(app, "cUser").asString(), "x");
    rt::send(app, "_cUser", {"y"});
    EXPECT_EQ(rt::send(app, "cUser").asString(), "y");
    ASSERT_EQ(list->size(), rows + 1);
    auto row = list->items.back().asArray();
    EXPECT_EQ(row->size(), kPropertyRowSize);  // a full row: readers of lPersistent find it
    PropertySpec spec = specOf(list->items.back());
    EXPECT_EQ(spec.scope, rt::scope::Published);
    EXPECT_TRUE(spec.persistent);
    EXPECT_EQ(spec.initial.asString(), "x");

    // A name already answered adds no member; the row is appended all the same, as it always was.
    int fields = app.asObject()->objectClass().fieldCount();
    rt::send(app, "AddData", {"cUser", "z"});
    EXPECT_EQ(app.asObject()->objectClass().fieldCount(), fields);
    EXPECT_EQ(list->size(), rows + 2);
    EXPECT_EQ(rt::send(app, "cUser").asString(), "z");
    // Published run-time data shows among the object's properties.
    EXPECT_EQ(names(VP_OBJGETPROPERTIES(app)).back(), "CUSER");
}

TEST_F(AppDataTest, EndOnlyFiresOnClose) {
    Value app = initialize();
    int closes = 0;
    Value sender;
    assignEvent(*app.asObject(), XAppData::OnClose, Value(rt::makeBlock([&](Args a) {
                    ++closes;
                    sender = a[0];
                    return Value();
                })));
    // Create only initialises; mark the object created to see that End leaves the mark alone.
    app.asObject()->field(app.asObject()->objectClass().fieldPosition("lCreated")) = true;
    rt::send(app, "End");
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(sender.asObject(), app.asObject());
    EXPECT_TRUE(rt::send(app, "lCreated").asLogical());  // left alone
}

// A form-like owner: components held strongly, their owner and event targets weakly. Ending and dropping the
// owner frees everything.
TEST(Lifetime, FormWithComponentsAndEventsReturnsToBaseline) {
    const int64_t baseline = rt::Object::liveCount();
    {
        auto form = rt::objectAs<TestForm>(TestForm::classRecord().instantiate());
        rt::send(Value(form), "CreateForm");
        auto more = Value::array();
        for (int i = 0; i < 5; ++i) {
            Value c = rt::send(Value(TProbe::classRecord().instantiate()), "New", {Value(form)});
            rt::send(Value(form), "Assign", {c, "OnClick", "Button1Click"});
            more.asArray()->items.push_back(c);
        }
        form->setCargo(more);
        EXPECT_EQ(rt::Object::liveCount(), baseline + 7);
        EXPECT_EQ(fireEvent(*form->button(), XProbe::OnClick).asInt(), 42);
        rt::send(Value(form), "End");
    }
    EXPECT_EQ(rt::Object::liveCount(), baseline);
}

TEST(Lifetime, BlockHandlersHoldingTheirOwnerAreReleasedByClearEvents) {
    const int64_t baseline = rt::Object::liveCount();
    {
        auto form = rt::objectAs<TestForm>(TestForm::classRecord().instantiate());
        rt::send(Value(form), "CreateForm");
        // A block that keeps its form: a cycle that only an explicit release breaks.
        assignEvent(*form->button(), XProbe::OnClick, Value(rt::makeBlock([form](Args) { return Value(form); })));
        clearEvents(*form->button());
    }
    EXPECT_EQ(rt::Object::liveCount(), baseline);
}

}  // namespace
}  // namespace vorpex::testing
