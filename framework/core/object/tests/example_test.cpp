// The example of docs/OBJECT_MODEL.md and docs/ARCHITECTURE.md, kept compiling and working here.
#include <gtest/gtest.h>

#include "framework/core/object/component.h"
#include "framework/core/object/event.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "runtime/core/send.h"

namespace vorpex {

// ---- example: stopwatch.h ----
class XStopwatch : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord();
    static inline const EventRef OnTick{"OnTick"};

    // The by-name methods, each declared here and registered under its own name.
    VP_METHODS(Start, Tick)

    // Typed access for framework code.
    int nInterval() const { return field(kInterval).asInt(); }
    bool lRunning() const { return field(kRunning).asLogical(); }

private:
    rt::Value SetInterval(rt::Args args);
    static inline int kInterval = -1, kRunning = -1;
};

using TStopwatch = UserClass<XStopwatch, "TStopwatch">;

// ---- example: stopwatch.cpp ----
const rt::Class& XStopwatch::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XStopwatch", &TComponent::classRecord(), rt::factoryOf<XStopwatch>());
        kInterval = b.addProperty({.name = "nInterval", .initial = 1000, .type = "N", .scope = Published,
                                   .setter = &XStopwatch::SetInterval});
        kRunning = b.addProperty({.name = "lRunning", .initial = false, .type = "L", .readOnly = true});
        b.addEvent("OnTick", Published, "oSender, nCount");
        addMembers<XStopwatch>(b);  // Start and Tick, as the class lists them
        return b.create();
    }();
    return c;
}

rt::Value XStopwatch::SetInterval(rt::Args args) {
    int ms = rt::arg(args, 0).asInt();
    field(kInterval) = ms < 1 ? 1 : ms;  // a custom setter stores into the hidden field, then acts
    return rt::arg(args, 0);
}

rt::Value XStopwatch::Start(rt::Args) {
    field(kRunning) = true;
    return rt::Value(self());
}

rt::Value XStopwatch::Tick(rt::Args args) { return fireEvent(*this, OnTick, {rt::arg(args, 0)}); }
// ---- end of example ----

namespace {

TEST(Example, StopwatchFromTheObjectModelPage) {
    rt::ObjectPtr w = TStopwatch::classRecord().instantiate();
    rt::send(*w, "_nInterval", {0});
    EXPECT_EQ(rt::objectAs<XStopwatch>(w)->nInterval(), 1);
    rt::send(*w, "Start");
    EXPECT_TRUE(rt::send(*w, "lRunning").asLogical());
    assignEvent(*w, XStopwatch::OnTick, rt::Value(rt::makeBlock([](rt::Args a) { return a[1]; })));
    EXPECT_EQ(rt::send(*w, "Tick", {3}).asInt(), 3);
    EXPECT_EQ(rt::send(*w, "ClassName").asString(), "TStopwatch");
}

}  // namespace
}  // namespace vorpex
