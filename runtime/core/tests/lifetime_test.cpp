#include <gtest/gtest.h>

#include "runtime/core/class_builder.h"
#include "runtime/core/send.h"

namespace rt {
namespace {

// Owners hold their components strongly; back references are weak, so a form-like cycle ends with its owner.
TEST(Lifetime, OwnerComponentCycleReturnsToBaseline) {
    ClassBuilder b("CYCLEPROBE", nullptr, nullptr);
    int children = b.addData("aChildren", Value::array());
    int parent = b.addData("oParent");
    const Class& c = b.create();

    int64_t baseline = Object::liveCount();
    {
        ObjectPtr owner = c.instantiate();
        for (int i = 0; i < 3; ++i) {
            ObjectPtr child = c.instantiate();
            child->field(parent) = Value::weak(owner);
            owner->field(children).asArray()->items.push_back(Value(child));
        }
        EXPECT_EQ(Object::liveCount(), baseline + 4);
        ObjectPtr first = owner->field(children).asArray()->items[0].asObject();
        EXPECT_EQ(first->field(parent).asObject(), owner);
    }
    EXPECT_EQ(Object::liveCount(), baseline);
}

TEST(Lifetime, ReceiverSurvivesDroppingItsLastOwnerInsideItsMethod) {
    static ObjectPtr holder;
    static bool aliveAfter = false;
    ClassBuilder b("SELFDROP", nullptr, nullptr);
    int mark = b.addData("nMark", 1);
    b.addMethod("DropSelf", [mark](Object& self, const Method&, Args) {
        holder.reset();
        aliveAfter = self.field(mark).asInt() == 1;  // still readable: send keeps the receiver alive
        return Value();
    });
    const Class& c = b.create();
    int64_t baseline = Object::liveCount();
    holder = c.instantiate();
    Object& raw = *holder;
    send(raw, "DropSelf");
    EXPECT_TRUE(aliveAfter);
    EXPECT_EQ(Object::liveCount(), baseline);
}

}  // namespace
}  // namespace rt
