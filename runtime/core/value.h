// The runtime's tagged value: what every variable, field, argument and result of the object layer holds.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace rt {

class Object;
class Block;
class Value;
struct Array;

using ObjectPtr = std::shared_ptr<Object>;
using BlockPtr = std::shared_ptr<Block>;
using ArrayPtr = std::shared_ptr<Array>;
using Args = std::span<const Value>;

enum class Type : uint8_t { Nil, Logical, Number, String, Date, Array, Object, Block, Pointer };

// A number keeps its integer exactly (64-bit masks, handles) and remembers the width and decimals it was
// declared or computed with, because display and field storage depend on them.
struct Number {
    bool isInteger = true;
    int64_t integer = 0;
    double real = 0.0;
    int16_t width = -1;     // -1: default display width
    int16_t decimals = -1;  // -1: default (integers 0, reals the SET DECIMALS setting)

    double asDouble() const { return isInteger ? static_cast<double>(integer) : real; }
    int64_t asInteger() const;
};

// A date as its Julian day number; 0 is the empty date.
struct Date {
    int32_t julian = 0;
    bool empty() const { return julian == 0; }
    friend bool operator==(Date, Date) = default;
    friend auto operator<=>(Date, Date) = default;
};

// An opaque pointer value; `tag` tells native code what it points at (0 = plain pointer).
struct Pointer {
    void* address = nullptr;
    int tag = 0;
    friend bool operator==(const Pointer&, const Pointer&) = default;
};

// A cell shared between a caller's variable and a callee's parameter passed by reference.
using RefCell = std::shared_ptr<Value>;

class Value {
public:
    Value() = default;
    Value(std::nullptr_t) {}
    Value(bool b) : v_(b) {}
    Value(int i) : v_(Number{true, i}) {}
    Value(long i) : v_(Number{true, static_cast<int64_t>(i)}) {}
    Value(long long i) : v_(Number{true, static_cast<int64_t>(i)}) {}
    Value(unsigned i) : v_(Number{true, static_cast<int64_t>(i)}) {}
    Value(unsigned long i) : v_(Number{true, static_cast<int64_t>(i)}) {}
    Value(unsigned long long i) : v_(Number{true, static_cast<int64_t>(i)}) {}
    Value(double d) : v_(Number{false, 0, d}) {}
    Value(Number n) : v_(n) {}
    Value(const char* s) : v_(std::string(s ? s : "")) {}
    Value(std::string s) : v_(std::move(s)) {}
    Value(std::string_view s) : v_(std::string(s)) {}
    Value(Date d) : v_(d) {}
    Value(ArrayPtr a);
    Value(ObjectPtr o);
    Value(BlockPtr b);
    Value(Pointer p) : v_(p) {}
    template <class T>
        requires std::is_base_of_v<Object, T>
    Value(std::shared_ptr<T> o) : Value(ObjectPtr(std::move(o))) {}

    static Value number(double d, int width, int decimals);
    static Value integer(int64_t i, int width = -1);
    static Value array(std::vector<Value> items = {});
    // A back reference: presents as the object while it lives, as NIL once it has ended.
    static Value weak(const ObjectPtr& o);
    // A by-reference cell; reads and writes go through to the shared variable.
    static Value reference(RefCell cell);

    // The first nine alternatives are the types themselves, in order; only weak and by-reference values
    // need the out-of-line look.
    Type type() const {
        const size_t i = v_.index();
        return i <= static_cast<size_t>(Type::Pointer) ? static_cast<Type>(i) : indirectType();
    }
    bool isNil() const { return type() == Type::Nil; }
    bool isLogical() const { return type() == Type::Logical; }
    bool isNumber() const { return type() == Type::Number; }
    bool isString() const { return type() == Type::String; }
    bool isDate() const { return type() == Type::Date; }
    bool isArray() const { return type() == Type::Array; }
    bool isObject() const { return type() == Type::Object; }
    bool isBlock() const { return type() == Type::Block; }
    bool isPointer() const { return type() == Type::Pointer; }
    bool isReference() const { return std::holds_alternative<RefCell>(v_); }
    bool isWeak() const;

    // Typed reads answer the type's empty value when the value holds another type; callers that must
    // distinguish test the type first.
    bool asLogical() const;
    const Number& asNumber() const;
    double asDouble() const { return asNumber().asDouble(); }
    int64_t asInteger() const { return asNumber().asInteger(); }
    int asInt() const { return static_cast<int>(asInteger()); }
    const std::string& asString() const;
    Date asDate() const;
    ArrayPtr asArray() const;
    ObjectPtr asObject() const;
    BlockPtr asBlock() const;
    Pointer asPointer() const;
    RefCell asReference() const;

    // The value itself with references followed: what a callee sees of a by-reference argument.
    const Value& deref() const;
    // Writes through a by-reference argument; on a plain value it does nothing.
    void assign(const Value& v) const;

    // One-letter type code as the xBase ValType() reports it ("U", "L", "N", "C", "D", "A", "O", "B", "P").
    char typeCode() const;

    // Identity for arrays, objects and blocks; value equality for the rest (exact string comparison).
    bool sameAs(const Value& other) const;

private:
    struct WeakObject {
        std::weak_ptr<Object> ref;
    };
    Type indirectType() const;
    using Storage = std::variant<std::monostate, bool, Number, std::string, Date, ArrayPtr, ObjectPtr, BlockPtr,
                                 Pointer, WeakObject, RefCell>;
    static_assert(std::is_same_v<std::variant_alternative_t<static_cast<size_t>(Type::Pointer), Storage>, Pointer>,
                  "type() reads the first alternatives as the Type values");
    Storage v_;
};

struct Array {
    std::vector<Value> items;
    Array() = default;
    explicit Array(std::vector<Value> v) : items(std::move(v)) {}
    size_t size() const { return items.size(); }
    // 1-based read; out of range gives NIL.
    const Value& at1(size_t index) const;
};

// The NIL value, for functions that return a reference to an absent item.
const Value& nil();

// Argument at 0-based position `i`, NIL when not passed.
inline const Value& arg(Args args, size_t i) { return i < args.size() ? args[i].deref() : nil(); }

}  // namespace rt
