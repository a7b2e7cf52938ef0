#include <gtest/gtest.h>

#include "framework/core/object/object_bridge.h"
#include "runtime/core/runtime.h"
#include "test_classes.h"

namespace vorpex::testing {
namespace {

// A target for the multi-argument senders.
const rt::Class& boundsClass() {
    static const rt::Class& c = [] () -> const rt::Class& {
        VPClass b("BridgeBounds", &TComponent::classRecord());
        b.addProperty({.name = "aLast", .initial = Value::array()});
        b.addMethod("SetBounds", [](rt::Object& self, const rt::Method&, Args a) {
            return rt::send(self, "_aLast", {Value::array(std::vector<Value>(a.begin(), a.end()))});
        });
        return b.create();
    }();
    return c;
}

size_t lastCount(const ObjectPtr& o) { return rt::send(*o, "aLast").asArray()->size(); }

TEST(Bridge, SendersReachSettersByNameInAnyCase) {
    ObjectPtr o = TProbe::classRecord().instantiate();
    VP_ObjSendNL(o, "_nWidth", 2);
    EXPECT_EQ(VP_ObjGetNL(o, "nWidth"), 2);
    VP_ObjSendNL(o, "_NWIDTH", 3);
    EXPECT_EQ(VP_ObjGetNL(o, "nwidth"), 3);
    VP_ObjSendND(o, "_nWidth", 2.5);
    EXPECT_DOUBLE_EQ(VP_ObjGetND(o, "nWidth"), 2.5);
    VP_ObjSendC(o, "_cCaption", "abc");
    EXPECT_EQ(VP_ObjGetC(o, "cCaption"), "ABC");
    size_t len = 0;
    EXPECT_EQ(VP_ObjGetCLen(o, "cCaption", &len), "ABC");
    EXPECT_EQ(len, 3u);
    EXPECT_EQ(VP_ObjGetLen(o, "cCaption"), 3u);
    VP_ObjSendL(o, "_Cargo", true);
    EXPECT_TRUE(VP_ObjGetL(o, "Cargo"));
    int target = 0;
    VP_ObjSendPtr(o, "_Cargo", &target);
    EXPECT_EQ(VP_ObjGetPtr(o, "Cargo"), &target);
    VP_ObjSendItem(o, "_Cargo", Value::array({1, 2}));
    EXPECT_TRUE(VP_ObjGetItem(o, "Cargo").isArray());
    VP_ObjSendItem2(o, "_Cargo", Value(o), 1);
    VP_ObjSendItem(o, "_Cargo", 5);
    EXPECT_TRUE(VP_ObjGetItem(o, "Cargo").isNil());  // neither array nor object
    EXPECT_EQ(VP_ObjGetItemCopy(o, "Cargo").asInt(), 5);
}

TEST(Bridge, MultiArgumentSenders) {
    ObjectPtr o = boundsClass().instantiate();
    VP_ObjSendNL2(o, "SetBounds", 1, 2);
    EXPECT_EQ(lastCount(o), 2u);
    VP_ObjSendNL3(o, "SetBounds", 1, 2, 3);
    EXPECT_EQ(lastCount(o), 3u);
    VP_ObjSendNL4(o, "SetBounds", 1, 2, 3, 4);
    EXPECT_EQ(lastCount(o), 4u);
    VP_ObjSendNL5(o, "SetBounds", 1, 2, 3, 4, 5);
    EXPECT_EQ(lastCount(o), 5u);
    EXPECT_EQ(rt::send(*o, "aLast").asArray()->at1(5).asInt(), 5);
    VP_ObjSend(o, "SetBounds");
    EXPECT_EQ(lastCount(o), 0u);
}

TEST(Bridge, UnknownNamesSendNothingAndReadEmptyNeverAStaleResult) {
    ObjectPtr o = TProbe::classRecord().instantiate();
    RecordingHandler errors(rt::ErrorAction::Break);
    const char* unknown = "NoSuchNameAnywhereInTheBridgeTest";
    VP_ObjSendNL(o, "_nWidth", 33);
    ASSERT_EQ(VP_ObjGetNL(o, "nWidth"), 33);  // a result the next getter must not repeat
    EXPECT_EQ(VP_ObjGetNL(o, unknown), 0);
    VP_ObjSendC(o, "_cCaption", "text");
    ASSERT_EQ(VP_ObjGetC(o, "cCaption"), "TEXT");
    EXPECT_EQ(VP_ObjGetC(o, unknown), "");
    EXPECT_EQ(VP_ObjGetND(o, unknown), 0.0);
    EXPECT_EQ(VP_ObjGetLen(o, unknown), 0u);
    EXPECT_FALSE(VP_ObjGetL(o, unknown));
    EXPECT_EQ(VP_ObjGetPtr(o, unknown), nullptr);
    EXPECT_TRUE(VP_ObjGetItem(o, unknown).isNil());
    VP_ObjSendNL(o, unknown, 1);
    VP_ObjSend(o, unknown);
    EXPECT_TRUE(errors.seen.empty());
    EXPECT_FALSE(rt::Symbol::find(unknown));  // and the bridge did not invent it
    EXPECT_EQ(VP_ObjGetNL(nullptr, "nWidth"), 0);
}

TEST(Bridge, ANameOtherClassesDeclareRaisesTheNoMethodError) {
    XOther::classRecord();  // declares cOther
    ObjectPtr o = TProbe::classRecord().instantiate();
    RecordingHandler errors({{rt::ErrorAction::Default, {}}, {rt::ErrorAction::Default, {}}});
    VP_ObjSendC(o, "_cOther", "x");
    ASSERT_EQ(errors.seen.size(), 1u);
    EXPECT_EQ(errors.seen[0].genCode, 13);
    EXPECT_EQ(errors.seen[0].subCode, 1004);
    EXPECT_TRUE(rt::equalsIgnoreCase(errors.seen[0].operation, "_cOther"));
    EXPECT_EQ(VP_ObjGetC(o, "cOther"), "");  // answered Default
    EXPECT_EQ(errors.seen.size(), 2u);
}

TEST(Bridge, PublicObjectsAreCachedOnFirstUseAndOutliveTheVariables) {
    resetBridgeCacheForTests();
    rt::clearPublics();
    EXPECT_TRUE(Application().isNil());
    for (const char* name : {"Application", "Screen", "Printer"}) rt::declarePublic(name);
    EXPECT_TRUE(Application().isNil());  // declared, still NIL: nothing cached yet
    ObjectPtr app = TComponent::classRecord().instantiate();
    ObjectPtr screen = TComponent::classRecord().instantiate();
    ObjectPtr printer = TComponent::classRecord().instantiate();
    rt::publicVar("Application") = Value(app);
    rt::publicVar("Screen") = Value(screen);
    rt::publicVar("Printer") = Value(printer);
    EXPECT_EQ(Application().asObject(), app);
    EXPECT_EQ(Screen().asObject(), screen);
    EXPECT_EQ(Printer().asObject(), printer);
    rt::clearPublics();  // shutdown clears the variables
    EXPECT_EQ(Application().asObject(), app);
    EXPECT_EQ(Screen().asObject(), screen);
    EXPECT_EQ(Printer().asObject(), printer);
    resetBridgeCacheForTests();
}

}  // namespace
}  // namespace vorpex::testing
