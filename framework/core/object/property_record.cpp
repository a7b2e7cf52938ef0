#include "framework/core/object/property_record.h"

#include <map>
#include <vector>

namespace vorpex {

namespace {

// Tag of the pointer value that stands for a C++ accessor in a property row.
constexpr int kNativeAccessorTag = 0x5641;  // "VA"

std::map<const void*, std::shared_ptr<const rt::NativeMethod>>& nativeAccessors() {
    static auto* m = new std::map<const void*, std::shared_ptr<const rt::NativeMethod>>;
    return *m;
}

rt::Value textOrNil(const std::optional<std::string>& s) { return s ? rt::Value(*s) : rt::Value(); }

std::optional<std::string> optionalText(const rt::Value& v) {
    if (!v.isString()) return std::nullopt;
    return v.asString();
}

}  // namespace

Accessor::Accessor(rt::NativeMethod fn) {
    if (!fn) return;
    kind_ = Kind::Native;
    native_ = std::make_shared<const rt::NativeMethod>(std::move(fn));
}

const rt::NativeMethod& Accessor::native() const {
    static const rt::NativeMethod none;
    return native_ ? *native_ : none;
}

rt::Value Accessor::toValue() const {
    switch (kind_) {
        case Kind::Generic: return {};
        case Kind::Name: return rt::Value(name_);
        case Kind::Block: return rt::Value(block_);
        case Kind::Native:
            nativeAccessors().emplace(native_.get(), native_);
            return rt::Value(rt::Pointer{const_cast<rt::NativeMethod*>(native_.get()), kNativeAccessorTag});
    }
    return {};
}

Accessor Accessor::fromValue(const rt::Value& v) {
    if (v.isString()) return Accessor(v.asString());
    if (v.isBlock()) return Accessor(v.asBlock());
    if (!v.isPointer()) return {};
    rt::Pointer p = v.asPointer();
    if (p.tag != kNativeAccessorTag) return {};
    auto it = nativeAccessors().find(p.address);
    if (it == nativeAccessors().end()) return {};
    Accessor a;
    a.kind_ = Kind::Native;
    a.native_ = it->second;
    return a;
}

rt::Value choiceList(std::initializer_list<std::pair<const char*, rt::Value>> list) {
    std::vector<rt::Value> rows;
    for (const auto& [label, value] : list) rows.push_back(rt::Value::array({rt::Value(label), value}));
    return rt::Value::array(std::move(rows));
}

rt::Value rowOf(const PropertySpec& p) {
    return rt::Value::array({rt::Value(p.name), p.initial, textOrNil(p.type), rt::Value(p.scope),
                             rt::Value(p.readOnly), p.getter.toValue(), p.setter.toValue(), p.extra,
                             textOrNil(p.editor), p.choices, rt::Value(p.persistent)});
}

PropertySpec specOf(const rt::Value& row) {
    PropertySpec p;
    auto a = row.asArray();
    if (!a) return p;
    // A short row (as older code built them) reads NIL for its missing values instead of failing.
    p.name = a->at1(1).asString();
    p.initial = a->at1(2);
    p.type = optionalText(a->at1(3));
    p.scope = a->at1(4).isNumber() ? a->at1(4).asInt() : rt::scope::Exported;
    p.readOnly = a->at1(5).asLogical();
    p.getter = Accessor::fromValue(a->at1(6));
    p.setter = Accessor::fromValue(a->at1(7));
    p.extra = a->at1(8);
    p.editor = optionalText(a->at1(9));
    p.choices = a->at1(10);
    p.persistent = a->at1(11).asLogical();
    return p;
}

rt::Value rowOf(const EventSpec& e) {
    return rt::Value::array({rt::Value(e.name), rt::Value(e.params), rt::Value(e.scope)});
}

EventSpec eventSpecOf(const rt::Value& row) {
    EventSpec e;
    auto a = row.asArray();
    if (!a) return e;
    e.name = a->at1(1).asString();
    e.params = a->at1(2).asString();
    e.scope = a->at1(3).isNumber() ? a->at1(3).asInt() : rt::scope::Exported;
    return e;
}

}  // namespace vorpex
