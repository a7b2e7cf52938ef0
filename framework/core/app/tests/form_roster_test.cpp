#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/app/form_roster.h"
#include "runtime/core/class_builder.h"
#include "runtime/core/send.h"

namespace vorpex {
namespace {

// Stub forms: lVisible, lActive and a Destroy that, like a real form's window destruction, removes the form
// from the roster while the roster is still busy with the removal that caused it.
FormRoster* g_roster = nullptr;
std::vector<std::string> g_destroyed;

const rt::Class& stubForm() {
    static const rt::Class& c = []() -> const rt::Class& {
        rt::ClassBuilder b("TSTUBFORM", nullptr, nullptr);
        b.addData("cName", "");
        b.addData("lVisible", true);
        b.addData("lActive", false);
        b.addMethod("Destroy", [](rt::Object& self, const rt::Method&, rt::Args) {
            g_destroyed.push_back(rt::send(self, "cName").asString());
            g_roster->remove(rt::Value(self.self()));
            return rt::Value();
        });
        return b.create();
    }();
    return c;
}

rt::Value form(const char* name, bool visible = true) {
    rt::Value f(stubForm().instantiate());
    rt::send(f, "_cName", {rt::Value(name)});
    rt::send(f, "_lVisible", {rt::Value(visible)});
    return f;
}

struct RosterTest : ::testing::Test {
    FormRoster roster;
    void SetUp() override {
        g_roster = &roster;
        g_destroyed.clear();
    }
    std::string mainName() { return roster.mainForm().isNil() ? "" : rt::send(roster.mainForm(), "cName").asString(); }
};

TEST_F(RosterTest, FirstFormIsTheMainFormAndFormsAreListedOnce) {
    rt::Value a = form("a"), b = form("b");
    EXPECT_TRUE(roster.insert(a).sameAs(a));
    roster.insert(b);
    roster.insert(a);
    roster.insert(rt::Value());
    EXPECT_EQ(roster.forms()->size(), 2u);
    EXPECT_EQ(mainName(), "a");
}

TEST_F(RosterTest, ClosingTheMainFormPromotesTheFirstVisibleForm) {
    rt::Value a = form("a"), hidden = form("hidden", false), c = form("c");
    for (auto& f : {a, hidden, c}) roster.insert(f);
    EXPECT_FALSE(roster.remove(a));
    EXPECT_EQ(mainName(), "c");
    EXPECT_TRUE(g_destroyed.empty());
    EXPECT_EQ(roster.forms()->size(), 2u);
    EXPECT_FALSE(roster.remove(hidden));  // not the main form: the main form stays
    EXPECT_EQ(mainName(), "c");
}

TEST_F(RosterTest, ClosingTheMainFormWithOnlyHiddenFormsLeftDestroysEachOnceAndEnds) {
    rt::Value a = form("a");
    roster.insert(a);
    for (const char* n : {"h1", "h2", "h3"}) roster.insert(form(n, false));
    EXPECT_TRUE(roster.remove(a));
    EXPECT_EQ(g_destroyed, (std::vector<std::string>{"h1", "h2", "h3"}));
    EXPECT_EQ(roster.forms()->size(), 0u);
    EXPECT_TRUE(roster.mainForm().isNil());
}

TEST_F(RosterTest, ClosedFormIsNotKeptAliveAsTheActiveForm) {
    int64_t baseline = rt::Object::liveCount();
    {
        rt::Value a = form("a"), b = form("b");
        roster.insert(a);
        roster.insert(b);
        roster.setActiveForm(b);
        rt::send(b, "_lActive", {rt::Value(true)});
        EXPECT_TRUE(roster.firstActive().sameAs(b));
        EXPECT_TRUE(roster.activeForm().sameAs(b));
        roster.remove(b);
        EXPECT_TRUE(roster.activeForm().isNil());
        EXPECT_TRUE(roster.firstActive().isNil());
        roster.remove(a);
    }
    EXPECT_EQ(rt::Object::liveCount(), baseline);
}

TEST_F(RosterTest, EnsureMainFormTakesTheFirstListedWhenTheMainFormWasLost) {
    roster.ensureMainForm();  // no forms: nothing
    EXPECT_TRUE(roster.mainForm().isNil());
    rt::Value a = form("a", false), b = form("b", false);
    roster.insert(a);
    roster.insert(b);
    roster.remove(b);  // not the main form
    EXPECT_EQ(mainName(), "a");
}

}  // namespace
}  // namespace vorpex
