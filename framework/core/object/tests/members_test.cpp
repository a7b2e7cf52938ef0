// Member listings: each listed member registered under its own name with its listing's scope, overrides
// reached through the base's entry, a class without listings of its own re-registering nothing, and names
// that are macros where the listing is compiled registered as written.
#include <gtest/gtest.h>

#include <string>

#include "framework/core/object/component.h"
#include "framework/core/object/members.h"
#include "framework/core/object/vp_class.h"
#include "runtime/core/send.h"

namespace vorpex::testing {
namespace {

class XListed : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord() {
        static const rt::Class& c = []() -> const rt::Class& {
            VPClass b("XListed", &TComponent::classRecord(), rt::factoryOf<XListed>());
            addMembers<XListed>(b);
            return b.create();
        }();
        return c;
    }
    VP_METHODS(Plain)
    VP_QUERIES(Count)
    VP_VIRTUALS(Handler)
    VP_PROTECTED(Guarded)
    VP_HIDDEN(Secret)
};

rt::Value XListed::Plain(rt::Args args) { return rt::Value("plain:" + rt::arg(args, 0).asString()); }
rt::Value XListed::Count() { return rt::Value(7); }
rt::Value XListed::Handler(rt::Args) { return rt::Value("base"); }
rt::Value XListed::Guarded(rt::Args) { return {}; }
rt::Value XListed::Secret(rt::Args) { return {}; }

// Overrides the handler only; lists nothing else.
class XOverriding : public XListed {
public:
    using XListed::XListed;
    static const rt::Class& classRecord() {
        static const rt::Class& c = []() -> const rt::Class& {
            VPClass b("XOverriding", &XListed::classRecord(), rt::factoryOf<XOverriding>());
            addMembers<XOverriding>(b);
            return b.create();
        }();
        return c;
    }
    VP_OVERRIDES(Handler)
};

rt::Value XOverriding::Handler(rt::Args) { return rt::Value("derived"); }

// Lists nothing: everything is inherited.
class XSilent : public XOverriding {
public:
    using XOverriding::XOverriding;
    static const rt::Class& classRecord() {
        static const rt::Class& c = []() -> const rt::Class& {
            VPClass b("XSilent", &XOverriding::classRecord(), rt::factoryOf<XSilent>());
            addMembers<XSilent>(b);
            return b.create();
        }();
        return c;
    }
};

// Names that a header of the platform turns into macros, as <windows.h> does CreateDC and StartDoc.
#define CreateThing CreateThingA
#define StartThing StartThingA

class XMacroNamed : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord() {
        static const rt::Class& c = []() -> const rt::Class& {
            VPClass b("XMacroNamed", &TComponent::classRecord(), rt::factoryOf<XMacroNamed>());
            addMembers<XMacroNamed>(b);
            return b.create();
        }();
        return c;
    }
    VP_METHODS(CreateThing,  // a comment inside the listing
               StartThing)
};

rt::Value XMacroNamed::CreateThing(rt::Args) { return rt::Value("created"); }
rt::Value XMacroNamed::StartThing(rt::Args) { return rt::Value("started"); }

#undef CreateThing
#undef StartThing

const rt::Method* method(const rt::Class& c, const char* name) { return c.find(rt::Symbol::intern(name)); }

TEST(Members, EachListingRegistersItsMembersUnderTheirNamesWithItsScope) {
    const struct {
        const char* name;
        int scope;
    } cases[] = {
        {"Plain", rt::scope::Exported},     {"Count", rt::scope::Exported},
        {"Handler", rt::scope::Exported},   {"Guarded", rt::scope::Protected},
        {"Secret", rt::scope::Hidden},
    };
    const rt::Class& c = XListed::classRecord();
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        const rt::Method* m = method(c, k.name);
        ASSERT_NE(m, nullptr);
        EXPECT_EQ(m->scope, k.scope);
        EXPECT_EQ(m->declaredBy, &c);
    }
    // Names stay case-insensitive.
    rt::ObjectPtr o = c.instantiate();
    EXPECT_EQ(rt::send(*o, "PLAIN", {"x"}).asString(), "plain:x");
    EXPECT_EQ(rt::send(*o, "count").asInteger(), 7);
}

TEST(Members, AnOverrideIsRegisteredByItsClassAndNothingInheritedIsRegisteredAgain) {
    const rt::Class& overriding = XOverriding::classRecord();
    EXPECT_EQ(method(overriding, "Handler")->declaredBy, &overriding);
    EXPECT_EQ(method(overriding, "Plain")->declaredBy, &XListed::classRecord());

    const rt::Class& silent = XSilent::classRecord();
    for (const char* name : {"Plain", "Count", "Handler", "Guarded", "Secret"}) {
        SCOPED_TRACE(name);
        EXPECT_NE(method(silent, name)->declaredBy, &silent);
    }
    rt::ObjectPtr o = silent.instantiate();
    EXPECT_EQ(rt::send(*o, "Handler").asString(), "derived");
}

TEST(Members, AListedNameThatIsAMacroIsRegisteredAsWritten) {
    const rt::Class& c = XMacroNamed::classRecord();
    EXPECT_EQ(method(c, "CreateThingA"), nullptr);
    rt::ObjectPtr o = c.instantiate();
    EXPECT_EQ(rt::send(*o, "CreateThing").asString(), "created");
    EXPECT_EQ(rt::send(*o, "StartThing").asString(), "started");
}

TEST(Members, TheBaseEntryOfAVirtualReachesTheOverride) {
    // The base's own registration, called on a derived object, dispatches to the override.
    rt::ObjectPtr o = XOverriding::classRecord().instantiate();
    const rt::Method* base = method(XListed::classRecord(), "Handler");
    EXPECT_EQ(base->native(*o, *base, {}).asString(), "derived");
}

}  // namespace
}  // namespace vorpex::testing
