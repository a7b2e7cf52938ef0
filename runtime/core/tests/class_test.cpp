#include <gtest/gtest.h>

#include "runtime/core/block.h"
#include "runtime/core/class_builder.h"
#include "runtime/core/error.h"
#include "runtime/core/frame.h"
#include "runtime/core/send.h"

namespace rt {
namespace {

// A small C++ class of the kind the framework writes: typed members plus a class record.
class Counter : public Object {
public:
    using Object::Object;
    static inline int kCount = -1;

    static const Class& classRecord() {
        static const Class& c = []() -> const Class& {
            ClassBuilder b("COUNTER", nullptr, factoryOf<Counter>());
            kCount = b.addData("nCount", 0);
            b.addMethod("Add", method(&Counter::Add));
            b.addMethod("Bump", method(&Counter::Bump));
            b.addInline("Twice", makeBlock([](Args a) { return Value(arg(a, 1).asInt() * 2); }));
            b.addVirtual("Nothing");
            b.addClassData("nInstances", 0);
            return b.create();
        }();
        return c;
    }
    int count() const { return field(kCount).asInt(); }

    Value Add(Args a) {
        field(kCount) = count() + arg(a, 0).asInt();
        return Value(count());
    }
    // Answers through a by-reference argument.
    Value Bump(Args a) {
        if (!a.empty()) a[0].assign(Value(a[0].deref().asInt() + 1));
        return Value();
    }
};

TEST(Class, DataMethodsInlinesAndVirtualsBySend) {
    ObjectPtr o = Counter::classRecord().instantiate();
    EXPECT_EQ(send(*o, "nCount").asInt(), 0);
    EXPECT_EQ(send(*o, "_NCOUNT", {5}).asInt(), 5);  // the setter returns the value written
    EXPECT_EQ(send(*o, "add", {3}).asInt(), 8);
    EXPECT_EQ(std::static_pointer_cast<Counter>(o)->count(), 8);
    EXPECT_EQ(send(*o, "Twice", {21}).asInt(), 42);
    EXPECT_TRUE(send(*o, "Nothing").isNil());
    EXPECT_TRUE(understands(Value(o), Symbol::intern("ADD")));
    EXPECT_FALSE(understands(Value(o), Symbol::intern("Subtract")));
}

TEST(Class, ByReferenceArgumentsStayReferences) {
    ObjectPtr o = Counter::classRecord().instantiate();
    auto var = std::make_shared<Value>(Value(41));
    send(*o, "Bump", {Value::reference(var)});
    EXPECT_EQ(var->asInt(), 42);
}

TEST(Class, ClassDataIsSharedByObjectsAndCopiedPerSubclass) {
    ObjectPtr a = Counter::classRecord().instantiate();
    ObjectPtr b = Counter::classRecord().instantiate();
    send(*a, "_nInstances", {7});
    EXPECT_EQ(send(*b, "nInstances").asInt(), 7);

    ClassBuilder sub("SUBCOUNTER", &Counter::classRecord(), nullptr);
    const Class& sc = sub.create();
    ObjectPtr s = sc.instantiate();
    EXPECT_EQ(send(*s, "nInstances").asInt(), 7);
    send(*s, "_nInstances", {1});
    EXPECT_EQ(send(*a, "nInstances").asInt(), 7);
    // The subclass's objects are still made by the C++ factory of the parent.
    EXPECT_NE(std::dynamic_pointer_cast<Counter>(s), nullptr);
}

TEST(Class, RegistryByHandleAndName) {
    const Class& c = Counter::classRecord();
    EXPECT_GT(c.handle(), 2);
    EXPECT_EQ(Class::byHandle(c.handle()), &c);
    EXPECT_EQ(Class::byName("counter"), &c);
    EXPECT_EQ(Class::byHandle(0), nullptr);
    EXPECT_EQ(baseObjectClass().handle(), 1);
}

TEST(Frames, CallerSelfSkipsBlockFramesAndSeesTheSendingObject) {
    static Object* seenCaller = nullptr;
    ClassBuilder b("FRAMEPROBE", nullptr, nullptr);
    b.addMethod("Probe", [](Object&, const Method&, Args) {
        seenCaller = callerSelf();
        return Value();
    });
    b.addMethod("CallThroughBlock", [](Object& self, const Method&, Args) {
        ObjectPtr other = self.objectClass().instantiate();
        auto blk = makeBlock([other](Args) { return send(*other, "Probe"); });
        return blk->eval({});
    });
    const Class& c = b.create();
    ObjectPtr outer = c.instantiate();
    send(*outer, "CallThroughBlock");
    EXPECT_EQ(seenCaller, outer.get());

    auto stack = callStack();
    EXPECT_TRUE(stack.empty());
}

// The object extension adds a member while a method of that very class runs: its entry must stay put.
TEST(Class, DataAddedAtRunTimeFromInsideAMethodReachesEveryObject) {
    ClassBuilder b("EXTENDME", nullptr, nullptr);
    b.addMethod("Extend", [](Object& self, const Method& m, Args a) {
        for (int i = 0; i < 64; ++i) addDataAtRunTime(self.objectClass(), "x" + std::to_string(i), i);
        addDataAtRunTime(self.objectClass(), arg(a, 0).asString(), arg(a, 1));
        return Value(m.symbol.name());  // the running entry is still readable
    });
    const Class& c = b.create();
    ObjectPtr before = c.instantiate();
    EXPECT_EQ(send(*before, "Extend", {"cUser", "x"}).asString(), "EXTEND");
    EXPECT_EQ(send(*before, "cUser").asString(), "x");  // existing objects grow to the new layout
    EXPECT_EQ(send(*before, "x63").asInt(), 63);
    send(*before, "_cUser", {"y"});
    EXPECT_EQ(send(*before, "cUser").asString(), "y");
    EXPECT_EQ(send(*c.instantiate(), "cUser").asString(), "x");
}

TEST(Class, RedeclaredFieldKeepsItsPosition) {
    ClassBuilder b("REDECLARE", nullptr, nullptr);
    int pos = b.addData("nWidth", 1, "N");
    b.record().redeclareField(pos, 5, "N");
    const Class& c = b.create();
    EXPECT_EQ(c.fieldCount(), 1);
    EXPECT_EQ(c.instantiate()->field(pos).asInt(), 5);
}

}  // namespace
}  // namespace rt
