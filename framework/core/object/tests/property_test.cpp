#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/core/object/app_data.h"
#include "framework/core/object/class_lists.h"
#include "framework/core/object/object_functions.h"
#include "framework/core/object/property_record.h"
#include "framework/core/object/win_object.h"
#include "runtime/core/runtime.h"
#include "test_classes.h"

namespace vorpex::testing {
namespace {

using rt::scope::Published;

PropertySpec row(const rt::Class& c, std::string_view name) {
    for (const Value& r : propertyList(c)->items)
        if (rt::equalsIgnoreCase(r.asArray()->at1(1).asString(), name)) return specOf(r);
    ADD_FAILURE() << "no property " << name;
    return {};
}

const rt::Method& entry(const rt::Class& c, std::string_view message) {
    const rt::Method* m = c.find(rt::Symbol::intern(message));
    EXPECT_NE(m, nullptr) << message;
    static const rt::Method none;
    return m ? *m : none;
}

TEST(PropertyMerge, EmptyMembersInheritNameScopeReadOnlyPersistenceAreNew) {
    PropertySpec old{.name = "nWidth", .initial = 10, .type = "N", .scope = Published, .getter = "GetW",
                     .setter = "SetW", .extra = 8, .editor = "PE_Int", .choices = Value::array({1}),
                     .persistent = true};
    struct Case {
        const char* what;
        PropertySpec redeclared;
        bool moves;
        int initial;
        int scope;
    } cases[] = {
        {"bare: all inherited, listed last", {.name = "NWIDTH", .scope = 1, .readOnly = true}, true, 10, 1},
        {"new default only: stays in place", {.name = "nWidth", .initial = 20, .scope = 4}, false, 20, 4},
        {"choices alone do not keep the place", {.name = "nWidth", .choices = Value::array()}, true, 10, 1},
        {"an editor keeps the place", {.name = "nWidth", .editor = "X"}, false, 10, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        bool moves = false;
        PropertySpec m = mergeProperty(old, c.redeclared, moves);
        EXPECT_EQ(moves, c.moves);
        EXPECT_EQ(m.name, c.redeclared.name);
        EXPECT_EQ(m.initial.asInt(), c.initial);
        EXPECT_EQ(m.type, "N");
        EXPECT_EQ(m.scope, c.scope);
        EXPECT_EQ(m.readOnly, c.redeclared.readOnly);
        EXPECT_EQ(m.persistent, c.redeclared.persistent);
        EXPECT_EQ(m.getter.name(), "GetW");
        EXPECT_EQ(m.setter.name(), "SetW");
        EXPECT_EQ(m.extra.asInt(), 8);
    }
}

TEST(PropertyList, RedeclarationOrderScopeAndHiddenField) {
    const rt::Class& base = XProbe::classRecord();
    const rt::Class& sub = XProbe2::classRecord();
    EXPECT_EQ(names(Value(propertyList(base))), (std::vector<std::string>{"Cargo", "oParent", "nWidth", "cCaption",
                                                                          "nHeight", "lBusy", "nTop"}));
    // The bare redeclaration moved nWidth last; the others keep their places; nArea is new.
    EXPECT_EQ(names(Value(propertyList(sub))), (std::vector<std::string>{"Cargo", "oParent", "nHeight", "lBusy",
                                                                         "nTop", "NWIDTH", "nArea", "cCaption"}));
    PropertySpec w = row(sub, "nWidth");
    EXPECT_EQ(w.scope, rt::scope::Exported);
    EXPECT_TRUE(w.readOnly);
    EXPECT_FALSE(w.persistent);
    EXPECT_EQ(w.initial.asInt(), 10);
    EXPECT_EQ(w.type, "N");
    EXPECT_TRUE(row(base, "nWidth").persistent);  // published implies persistent

    // One hidden field per property, shared by the subclass; only the initial value changes.
    EXPECT_EQ(XProbe2::kWidthHere, XProbe::kWidth);
    EXPECT_EQ(XProbe2::kHeightHere, XProbe::kHeight);
    ObjectPtr a = base.instantiate(), b = sub.instantiate();
    EXPECT_EQ(a->field(XProbe::kHeight).asInt(), 5);
    EXPECT_EQ(b->field(XProbe::kHeight).asInt(), 50);
    EXPECT_EQ(rt::send(*b, "nHeight").asInt(), 100);  // the inherited custom getter still serves it
    EXPECT_EQ(entry(sub, "_nWidth").scope & 0xFF, rt::scope::ReadOnly);
    EXPECT_EQ(entry(base, "_nWidth").scope, Published | kGenericScopeMark);
}

TEST(PropertyAccess, GenericCustomNamedAndBlockAccessors) {
    ObjectPtr o = TProbe::classRecord().instantiate();
    EXPECT_EQ(rt::send(*o, "nWidth").asInt(), 10);
    // The generic setter answers the value written, so chained assignments work.
    EXPECT_EQ(rt::send(*o, "_nWidth", {5}).asInt(), 5);
    EXPECT_EQ(rt::objectAs<XProbe>(o)->nWidth(), 5);
    rt::send(*o, "_cCaption", {"ok"});
    EXPECT_EQ(rt::send(*o, "cCaption").asString(), "OK");
    EXPECT_EQ(rt::send(*o, "nHeight").asInt(), 10);  // "GetHeight" resolved at create
    EXPECT_EQ(rt::send(*o, "nTop").asInt(), 105);     // block getter, Self first
    // Writing through a field that holds a reference writes the caller's variable.
    auto cell = std::make_shared<Value>(1);
    o->field(XProbe::kWidth) = Value::reference(cell);
    rt::send(*o, "_nWidth", {9});
    EXPECT_EQ(cell->asInt(), 9);
    ObjectPtr s = XProbe2::classRecord().instantiate();
    EXPECT_EQ(rt::send(*s, "nArea").asInt(), 10 * 50);  // getter naming an inherited method
    rt::send(*s, "_cCaption", {"sub"});
    EXPECT_EQ(rt::send(*s, "cCaption").asString(), "SUB");  // a bare redeclaration keeps the C++ setter
    EXPECT_TRUE(specOf(propertyList(XProbe2::classRecord())->items.back()).persistent);
}

TEST(PropertyAccess, AccessorNamingNoMethodFailsWhenTheClassIsBuilt) {
    VPClass b("BrokenAccessor", &TComponent::classRecord());
    b.addProperty({.name = "nSize", .getter = "NoSuchGetter"});
    EXPECT_THROW(b.create(), std::logic_error);
}

TEST(ClassLists, TwoParentsTakeTheLastOnesLists) {
    XOther::classRecord();  // a parent named by text must be built already
    VPClass b("TwoParents", std::vector<VPClass::ParentRef>{&XProbe::classRecord(), std::string("xother")});
    const rt::Class& c = b.create();
    EXPECT_EQ(names(Value(propertyList(c))), (std::vector<std::string>{"Cargo", "oParent", "cOther"}));
    EXPECT_EQ(names(Value(eventList(c))), (std::vector<std::string>{"OnOther"}));
    EXPECT_TRUE(c.isDerivedFrom(XProbe::classRecord()));  // members come from the first
}

TEST(ClassLists, PlainValueClassesKeepTheirListsToo) {
    VPClass b("PlainValue", nullptr);  // rooted at the base object: no aProperties class data
    b.addProperty({.name = "nX", .initial = 1});
    b.addEvent("OnChange");
    const rt::Class& c = b.create();
    EXPECT_EQ(c.classDataPosition("aProperties"), -1);
    EXPECT_EQ(names(VP_GETCLASSPROPERTIES(Value(c.handle()))), std::vector<std::string>{"nX"});
    EXPECT_EQ(names(VP_GETCLASSEVENTS(Value(c.handle()))), std::vector<std::string>{"OnChange"});
    EXPECT_EQ(rt::send(*c.instantiate(), "nX").asInt(), 1);
}

TEST(ClassLists, EventRowsAndRedeclaredParams) {
    auto events = eventList(XProbe2::classRecord());
    ASSERT_EQ(events->size(), 3u);
    auto click = events->items[0].asArray();
    EXPECT_EQ(click->size(), kEventRowSize);
    EXPECT_EQ(click->at1(1).asString(), "OnClick");
    EXPECT_EQ(click->at1(2).asString(), "oSender");  // NIL params keep the inherited text
    EXPECT_EQ(click->at1(3).asInt(), rt::scope::Exported);
    EXPECT_EQ(events->items[2].asArray()->at1(1).asString(), "OnChange");
    EXPECT_EQ(events->items[2].asArray()->at1(2).asString(), "");
}

TEST(ClassLists, ByHandleAndObjectProperties) {
    for (Value h : {Value(), Value(0), Value(1), Value(2), Value(99999), Value("x")})
        EXPECT_EQ(VP_GETCLASSPROPERTIES(h).asArray()->size(), 0u) << h.typeCode();
    Value h(XProbe::classRecord().handle());
    EXPECT_EQ(names(VP_GETCLASSPROPERTIES(h)).size(), 7u);
    EXPECT_EQ(names(VP_GETCLASSEVENTS(h)), (std::vector<std::string>{"OnClick", "OnClose"}));
    auto rows = propertyList(XProbe::classRecord());
    for (const Value& r : rows->items) EXPECT_EQ(r.asArray()->size(), kPropertyRowSize);

    EXPECT_TRUE(VP_OBJGETPROPERTIES(Value(5)).isNil());
    ObjectPtr o = TProbe::classRecord().instantiate();
    rt::send(*o, "_nWidth", {33});
    Value props = VP_OBJGETPROPERTIES(Value(o));
    // Published or persistent data only: Cargo and nWidth (generic getters), nothing protected or exported.
    EXPECT_EQ(names(props), (std::vector<std::string>{"CARGO", "NWIDTH"}));
    auto width = props.asArray()->items[1].asArray();
    EXPECT_EQ(width->at1(2).asInt(), 33);
    EXPECT_EQ(width->at1(3).asInt(), 10);
}

TEST(UserClasses, PublicNameParentAndLists) {
    const rt::Class& t = TProbe::classRecord();
    EXPECT_EQ(t.parent(), &XProbe::classRecord());
    EXPECT_EQ(rt::send(*t.instantiate(), "ClassName").asString(), "TProbe");
    EXPECT_EQ(rt::send(*XProbe::classRecord().instantiate(), "ClassName").asString(), "XProbe");
    EXPECT_EQ(t.fieldPosition("ClassName"), XProbe::classRecord().fieldPosition("ClassName"));
    EXPECT_EQ(names(Value(propertyList(t))), names(Value(propertyList(XProbe::classRecord()))));
    EXPECT_NE(propertyList(t), propertyList(XProbe::classRecord()));  // one list per class
    EXPECT_NE(rt::objectAs<TProbe>(t.instantiate()), nullptr);
    EXPECT_EQ(rt::Class::byName("tprobe"), &t);
}

TEST(UserClasses, FrameworkUserClassesOnTheirImplementationClasses) {
    registerObjectFunctions();
    struct {
        const char* name;
        const rt::Class* implementation;
    } cases[] = {{"TComponent", &XComponent::classRecord()},
                 {"TWinObject", &XWinObject::classRecord()},
                 {"TAppData", &XAppData::classRecord()}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const rt::Class* cls = rt::Class::byName(c.name);
        ASSERT_NE(cls, nullptr);
        EXPECT_EQ(cls->parent(), c.implementation);
        EXPECT_EQ(rt::send(*cls->instantiate(), "ClassName").asString(), c.name);
        EXPECT_NE(rt::findFunction(c.name), nullptr);
    }
}

TEST(UserClasses, ClassFunctionMakesBareInstancesOrRunsTheConstructor) {
    const rt::Function* fn = rt::findFunction("TProbe");
    ASSERT_NE(fn, nullptr);
    Value bare = (*fn)({});
    ASSERT_TRUE(bare.isObject());
    EXPECT_TRUE(rt::send(bare, "oParent").isNil());
    ObjectPtr owner = TComponent::classRecord().instantiate();
    Value made = classCall(TProbe::classRecord(), std::vector<Value>{Value(owner)});
    EXPECT_EQ(rt::send(made, "oParent").asObject(), owner);
}

}  // namespace
}  // namespace vorpex::testing
