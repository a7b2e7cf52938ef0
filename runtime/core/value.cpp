#include "value.h"

#include <cmath>

#include "block.h"
#include "object.h"

namespace rt {

int64_t Number::asInteger() const {
    if (isInteger) return integer;
    if (!std::isfinite(real)) return 0;
    if (real >= 9.2e18 || real <= -9.2e18) return real > 0 ? INT64_MAX : INT64_MIN;
    return static_cast<int64_t>(real);  // truncation toward zero, as Int() does
}

Value::Value(ArrayPtr a) {
    if (a) v_ = std::move(a);
}
Value::Value(ObjectPtr o) {
    if (o) v_ = std::move(o);
}
Value::Value(BlockPtr b) {
    if (b) v_ = std::move(b);
}

Value Value::number(double d, int width, int decimals) {
    Number n{false, 0, d, static_cast<int16_t>(width), static_cast<int16_t>(decimals)};
    return Value(n);
}

Value Value::integer(int64_t i, int width) {
    Number n{true, i, 0.0, static_cast<int16_t>(width), 0};
    return Value(n);
}

Value Value::array(std::vector<Value> items) { return Value(std::make_shared<Array>(std::move(items))); }

Value Value::weak(const ObjectPtr& o) {
    Value v;
    if (o) v.v_ = WeakObject{o};
    return v;
}

Value Value::reference(RefCell cell) {
    Value v;
    if (!cell) cell = std::make_shared<Value>();
    v.v_ = std::move(cell);
    return v;
}

const Value& Value::deref() const {
    const Value* v = this;
    // Chains are short (a reference to a reference only when a by-ref parameter is passed on by ref).
    while (auto* cell = std::get_if<RefCell>(&v->v_)) v = cell->get();
    return *v;
}

void Value::assign(const Value& v) const {
    if (auto* cell = std::get_if<RefCell>(&v_)) {
        if ((*cell)->isReference())
            (*cell)->assign(v);
        else
            **cell = v.deref();
    }
}

Type Value::indirectType() const {
    switch (v_.index()) {
        case 9: return std::get<WeakObject>(v_).ref.expired() ? Type::Nil : Type::Object;
        default: return deref().type();
    }
}

bool Value::isWeak() const { return std::holds_alternative<WeakObject>(v_); }

bool Value::asLogical() const {
    const Value& v = deref();
    auto* b = std::get_if<bool>(&v.v_);
    return b && *b;
}

const Number& Value::asNumber() const {
    static const Number zero{};
    const Value& v = deref();
    auto* n = std::get_if<Number>(&v.v_);
    return n ? *n : zero;
}

const std::string& Value::asString() const {
    static const std::string empty;
    const Value& v = deref();
    auto* s = std::get_if<std::string>(&v.v_);
    return s ? *s : empty;
}

Date Value::asDate() const {
    const Value& v = deref();
    auto* d = std::get_if<Date>(&v.v_);
    return d ? *d : Date{};
}

ArrayPtr Value::asArray() const {
    const Value& v = deref();
    auto* a = std::get_if<ArrayPtr>(&v.v_);
    return a ? *a : nullptr;
}

ObjectPtr Value::asObject() const {
    const Value& v = deref();
    if (auto* o = std::get_if<ObjectPtr>(&v.v_)) return *o;
    if (auto* w = std::get_if<WeakObject>(&v.v_)) return w->ref.lock();
    return nullptr;
}

BlockPtr Value::asBlock() const {
    const Value& v = deref();
    auto* b = std::get_if<BlockPtr>(&v.v_);
    return b ? *b : nullptr;
}

Pointer Value::asPointer() const {
    const Value& v = deref();
    auto* p = std::get_if<Pointer>(&v.v_);
    return p ? *p : Pointer{};
}

RefCell Value::asReference() const {
    auto* cell = std::get_if<RefCell>(&v_);
    return cell ? *cell : nullptr;
}

char Value::typeCode() const {
    switch (type()) {
        case Type::Nil: return 'U';
        case Type::Logical: return 'L';
        case Type::Number: return 'N';
        case Type::String: return 'C';
        case Type::Date: return 'D';
        case Type::Array: return 'A';
        case Type::Object: return 'O';
        case Type::Block: return 'B';
        case Type::Pointer: return 'P';
    }
    return 'U';
}

bool Value::sameAs(const Value& other) const {
    const Value& a = deref();
    const Value& b = other.deref();
    if (a.type() != b.type()) return false;
    switch (a.type()) {
        case Type::Nil: return true;
        case Type::Logical: return a.asLogical() == b.asLogical();
        case Type::Number: return a.asNumber().asDouble() == b.asNumber().asDouble() &&
                                  a.asNumber().asInteger() == b.asNumber().asInteger();
        case Type::String: return a.asString() == b.asString();
        case Type::Date: return a.asDate() == b.asDate();
        case Type::Array: return a.asArray() == b.asArray();
        case Type::Object: return a.asObject() == b.asObject();
        case Type::Block: return a.asBlock() == b.asBlock();
        case Type::Pointer: return a.asPointer() == b.asPointer();
    }
    return false;
}

const Value& Array::at1(size_t index) const {
    return index >= 1 && index <= items.size() ? items[index - 1] : nil();
}

const Value& nil() {
    static const Value n;
    return n;
}

}  // namespace rt
