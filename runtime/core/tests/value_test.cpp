#include <gtest/gtest.h>

#include "runtime/core/object.h"
#include "runtime/core/class_builder.h"
#include "runtime/core/symbol.h"
#include "runtime/core/value.h"

namespace rt {
namespace {

TEST(Value, TypeCodesAndEmptyReadsOfOtherTypes) {
    struct Case {
        Value v;
        char code;
    };
    const Case cases[] = {{Value(), 'U'},          {Value(true), 'L'},        {Value(42), 'N'},
                          {Value(1.5), 'N'},       {Value("x"), 'C'},         {Value(Date{2451545}), 'D'},
                          {Value::array(), 'A'},   {Value(Pointer{}), 'P'}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.v.typeCode(), c.code);
        // Reading a value as another type gives that type's empty value, never a fault.
        if (!c.v.isString()) {
            EXPECT_EQ(c.v.asString(), "");
        }
        if (!c.v.isNumber()) {
            EXPECT_EQ(c.v.asInteger(), 0);
        }
        if (!c.v.isArray()) {
            EXPECT_EQ(c.v.asArray(), nullptr);
        }
    }
}

TEST(Value, IntegersStayExactAt64Bits) {
    Value v(static_cast<long long>(-1));
    EXPECT_EQ(v.asInteger(), -1);
    Value big(static_cast<long long>(0x7FFFFFFFFFFFFFF1LL));
    EXPECT_EQ(big.asInteger(), 0x7FFFFFFFFFFFFFF1LL);
    EXPECT_EQ(Value(2.9).asInteger(), 2);
    EXPECT_EQ(Value(-2.9).asInteger(), -2);
}

TEST(Value, ArraysHaveReferenceSemantics) {
    Value a = Value::array({1, 2});
    Value b = a;
    b.asArray()->items.push_back(3);
    EXPECT_EQ(a.asArray()->size(), 3u);
    EXPECT_TRUE(a.sameAs(b));
    EXPECT_FALSE(a.sameAs(Value::array({1, 2, 3})));
    EXPECT_TRUE(a.asArray()->at1(4).isNil());
    EXPECT_TRUE(a.asArray()->at1(0).isNil());
}

TEST(Value, ReferencesReadAndWriteThroughToTheVariable) {
    auto cell = std::make_shared<Value>(Value(1));
    Value byRef = Value::reference(cell);
    EXPECT_TRUE(byRef.isNumber());
    EXPECT_EQ(byRef.asInt(), 1);
    byRef.assign(Value("changed"));
    EXPECT_EQ(cell->asString(), "changed");
    // A reference passed on by reference still reaches the first variable.
    Value again = Value::reference(std::make_shared<Value>(byRef));
    again.assign(Value(7));
    EXPECT_EQ(cell->asInt(), 7);
    // Assigning to a plain value does nothing to it.
    Value plain(3);
    plain.assign(Value(4));
    EXPECT_EQ(plain.asInt(), 3);
}

TEST(Value, WeakObjectReadsAsNilOnceTheObjectHasEnded) {
    ClassBuilder b("WEAKPROBE", nullptr, nullptr);
    const Class& c = b.create();
    ObjectPtr o = c.instantiate();
    Value w = Value::weak(o);
    EXPECT_TRUE(w.isObject());
    EXPECT_EQ(w.asObject(), o);
    o.reset();
    EXPECT_TRUE(w.isNil());
    EXPECT_EQ(w.asObject(), nullptr);
}

TEST(Symbol, CaseInsensitiveInterningAndFind) {
    EXPECT_FALSE(Symbol::find("NeverInternedAnywhere_xyz").valid());
    Symbol a = Symbol::intern("OnClick");
    EXPECT_EQ(a, Symbol::intern("ONCLICK"));
    EXPECT_EQ(a, Symbol::find("onclick"));
    EXPECT_EQ(a.name(), "ONCLICK");
    EXPECT_NE(a, Symbol::intern("_OnClick"));
}

}  // namespace
}  // namespace rt
