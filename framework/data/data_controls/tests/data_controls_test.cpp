// The data-aware edits' shared members over a real data set, with an edit that has no window: binding by name
// and by object, the length taken from the field, read-only unless the set edits, typing into the buffer, and
// what the set's moves, Update, Cancel and Close do to the control.
#include <gtest/gtest.h>

#include <string>

#include "framework/core/object/component.h"
#include "framework/core/object/user_class.h"
#include "framework/data/data_controls/data_controls.h"
#include "framework/data/tests/data_set_fixture.h"
#include "runtime/core/settings.h"
#include "tests/support/settings_guard.h"

namespace vorpex::data {
namespace {

using rt::Value;
using testing::ask;

// An edit as far as the data members use it: Value, lReadOnly, nMaxLength, and a window handle.
class FakeEdit : public vorpex::TComponent {
public:
    using vorpex::TComponent::TComponent;
    int refreshed = 0, changed = 0;
    static const rt::Class& classRecord() {
        static const rt::Class& c = []() -> const rt::Class& {
            using namespace rt::scope;
            VPClass b("FAKEEDIT", &TComponent::classRecord(), rt::factoryOf<FakeEdit>());
            b.addProperty({.name = "Value", .initial = "", .scope = Published});
            b.addProperty({.name = "lReadOnly", .initial = false, .type = "L", .scope = Published, .setter = "SetReadOnly"});
            b.addProperty({.name = "nMaxLength", .initial = 40, .type = "N", .scope = Published});
            b.addMethod("SetReadOnly", [](rt::Object& o, const rt::Method&, rt::Args a) {
                o.field(o.objectClass().fieldPosition("FlReadOnly")) = rt::arg(a, 0);
                return rt::arg(a, 0);
            });
            b.addMethod("hWnd", [](rt::Object&, const rt::Method&, rt::Args) { return Value(1); });
            b.addMethod("Refresh", [](rt::Object& o, const rt::Method&, rt::Args) {
                ++static_cast<FakeEdit&>(o).refreshed;
                return Value();
            });
            b.addMethod("Change", [](rt::Object& o, const rt::Method&, rt::Args) {
                ++static_cast<FakeEdit&>(o).changed;
                return Value();
            });
            return b.create();
        }();
        return c;
    }
};

class FakeDBEdit : public FakeEdit {
public:
    using FakeEdit::FakeEdit;
    static const rt::Class& classRecord() {
        static const rt::Class& c = []() -> const rt::Class& {
            VPClass b("FAKEDBEDIT", &FakeEdit::classRecord(), rt::factoryOf<FakeDBEdit>());
            addDataControlMembers(b, FakeEdit::classRecord());
            return b.create();
        }();
        return c;
    }
};

class DataControls : public testing::DataSetFixture {
protected:
    Value newEdit(const char* field = nullptr, const Value& set = {}) {
        const Value e(FakeDBEdit::classRecord().instantiate());
        if (field) ask(e, "_oDataField", {Value(field)});
        if (set.isObject()) ask(e, "_oDataSet", {set});
        return e;
    }
    static std::string shownText(const Value& edit) {
        const std::string v = ask(edit, "Value").asString();
        return v.substr(0, v.find_last_not_of(' ') + 1);
    }
    static bool readOnly(const Value& edit) { return ask(edit, "lReadOnly").asLogical(); }
    // Text typed by the user: the window's new text, then the change notification.
    static void type(const Value& edit, const char* text) {
        ask(edit, "_Value", {Value(text)});
        ask(edit, "Change");
    }
};

TEST_F(DataControls, AFieldNamedBeforeTheSetBindsWhenTheSetOpens) {
    const Value set = newSet();
    const Value edit = newEdit("NOMBRE", set);
    EXPECT_TRUE(ask(edit, "oDataField").isString());
    EXPECT_EQ(num(ask(edit, "nMaxLength")), 40);
    ASSERT_TRUE(ask(set, "Open").asLogical());
    EXPECT_TRUE(ask(edit, "oDataField").sameAs(ask(set, "oFieldByName", {Value("NOMBRE")})));
    EXPECT_EQ(num(ask(edit, "nMaxLength")), 10);
    EXPECT_EQ(shownText(edit), "E1");
    ask(set, "GoTo", {Value(3)});
    EXPECT_EQ(shownText(edit), "E3");
    ask(set, "Close");
    EXPECT_EQ(ask(edit, "oDataField").asString(), "NOMBRE");

    const Value late = newEdit("EDAD");  // a set assigned after it is open binds at once
    const Value open = openSet();
    ask(late, "_oDataSet", {open});
    EXPECT_TRUE(ask(late, "oDataField").isObject());
    EXPECT_EQ(num(ask(late, "Value")), 21);
}

TEST_F(DataControls, EditableOnlyWhileTheSetEditsAndOnlyWhenEditable) {
    const Value set = openSet();
    const Value edit = newEdit("NOMBRE", set), fixed = newEdit("EDAD", set);
    ask(fixed, "_lEditable", {Value(false)});
    EXPECT_TRUE(readOnly(edit));
    ask(edit, "_lReadOnly", {Value(false)});
    EXPECT_TRUE(readOnly(edit));  // browsing: no typing
    ASSERT_TRUE(ask(set, "Edit").asLogical());
    EXPECT_FALSE(readOnly(edit));
    EXPECT_TRUE(readOnly(fixed));
    ASSERT_TRUE(ask(set, "Cancel").asLogical());
    EXPECT_TRUE(readOnly(edit));
    ASSERT_TRUE(ask(set, "AddNew").asLogical());
    EXPECT_FALSE(readOnly(edit));
    EXPECT_EQ(shownText(edit), "");  // the blank record's value
    ASSERT_TRUE(ask(set, "Update").asLogical());
    EXPECT_TRUE(readOnly(edit));
}

TEST_F(DataControls, TypingFillsTheBufferUpdateWritesItCancelBringsTheTableBack) {
    const Value set = openSet();
    const Value edit = newEdit("NOMBRE", set), twin = newEdit("NOMBRE", set);
    ask(set, "GoTo", {Value(2)});
    type(edit, "TYPED");  // browsing: nothing reaches the set
    EXPECT_EQ(ask(set, "FieldGet", {Value(1)}).asString(), "E2        ");
    ask(set, "Refresh");
    EXPECT_EQ(shownText(edit), "E2");

    ASSERT_TRUE(ask(set, "Edit").asLogical());
    type(edit, "TYPED");
    EXPECT_EQ(ask(set, "FieldGet", {Value(1)}).asString(), "TYPED");
    EXPECT_EQ(shownText(twin), "TYPED");
    ASSERT_TRUE(ask(set, "Cancel").asLogical());
    EXPECT_EQ(shownText(edit), "E2");
    EXPECT_EQ(shownText(twin), "E2");

    ASSERT_TRUE(ask(set, "Edit").asLogical());
    ask(twin, "_lAutoSave", {Value(false)});  // only the edit's own value is saved
    ask(edit, "_Value", {Value("SAVED")});  // no change notification: Update's SetData still takes it
    ASSERT_TRUE(ask(set, "Update").asLogical());
    ask(set, "GoTo", {Value(2)});
    EXPECT_EQ(shownText(edit), "SAVED");
    EXPECT_EQ(ask(set, "FieldGet", {Value(1)}).asString(), "SAVED     ");
}

TEST_F(DataControls, AControlDoesNotLeaveASetThatIsEditingUnlessForced) {
    const Value first = openSet(), second = openSet();
    const Value edit = newEdit("NOMBRE", first);
    ASSERT_TRUE(ask(first, "Edit").asLogical());
    ask(edit, "_oDataSet", {second});
    EXPECT_TRUE(ask(edit, "oDataSet").sameAs(first));
    EXPECT_TRUE(ask(second, "aLinkedControls").asArray()->items.empty());
    ask(edit, "SetDataSet", {second, Value(true)});
    EXPECT_TRUE(ask(edit, "oDataSet").sameAs(second));
    EXPECT_TRUE(ask(first, "aLinkedControls").asArray()->items.empty());
    ask(edit, "Free");
    EXPECT_TRUE(ask(second, "aLinkedControls").asArray()->items.empty());
}

TEST_F(DataControls, UnboundControlsReportAndIgnore) {
    const Value edit = newEdit("NOMBRE");
    type(edit, "X");
    EXPECT_EQ(ask(edit, "Value").asString(), "X");
    ask(edit, "GetData");
    EXPECT_TRUE(wasShown("VORPEX: FAKEDBEDIT:oDataField is not a valid TDataField Object (NOMBRE)"));
    ask(edit, "SetData");
}

TEST_F(DataControls, TheLengthComesFromWhatTheFieldShows) {
    rt::testing::SettingsGuard keep;
    rt::settings().century = true;
    rt::settings().dateFormat = "dd/mm/yy";
    EXPECT_EQ(displayLength("D", 8), 10);
    rt::settings().century = false;
    EXPECT_EQ(displayLength("D", 8), 8);
    EXPECT_EQ(displayLength("C", 40), 40);
    EXPECT_EQ(displayLength("N", 10), 10);
    EXPECT_EQ(displayLength("M", 10), 0);
}

}  // namespace
}  // namespace vorpex::data
