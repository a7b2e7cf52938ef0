// The records that describe a class's properties and events. Classes declare them through VPClass with named
// members; the per-class lists keep them as the 11-value and 3-value arrays that the framework and the design
// tools read (see rowOf / specOf).
#pragma once

#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "runtime/core/block.h"
#include "runtime/core/class.h"
#include "runtime/core/class_builder.h"

namespace vorpex {

// Marks on method entries that the builder binds to its generic implementations (rt::Method::binding).
namespace binding {
inline constexpr int GenericGetter = 101;
inline constexpr int GenericSetter = 102;
inline constexpr int EventSetter = 103;
inline constexpr int EventCaller = 104;
}  // namespace binding

// OR-ed into the scope of every accessor bound to a generic implementation; kept for tools that list scopes.
inline constexpr int kGenericScopeMark = 32768;

// How a property is read or written: the generic accessor (default), a C++ member function, the name of a
// method (resolved when the class is created) or a block evaluated with Self first.
class Accessor {
public:
    enum class Kind { Generic, Native, Name, Block };

    Accessor() = default;
    template <class T>
    Accessor(rt::Value (T::*fn)(rt::Args)) : Accessor(rt::method(fn)) {}
    template <class T>
    Accessor(rt::Value (T::*fn)()) : Accessor(rt::method(fn)) {}
    Accessor(rt::NativeMethod fn);
    Accessor(const char* methodName) : Accessor(std::string(methodName ? methodName : "")) {}
    Accessor(std::string methodName)
        : kind_(methodName.empty() ? Kind::Generic : Kind::Name), name_(std::move(methodName)) {}
    Accessor(rt::BlockPtr block) : kind_(block ? Kind::Block : Kind::Generic), block_(std::move(block)) {}

    Kind kind() const { return kind_; }
    bool isGeneric() const { return kind_ == Kind::Generic; }
    const rt::NativeMethod& native() const;
    const std::string& name() const { return name_; }
    const rt::BlockPtr& block() const { return block_; }

    // The row value: NIL, a pointer for a C++ function, the method name, or the block.
    rt::Value toValue() const;
    static Accessor fromValue(const rt::Value& v);

private:
    Kind kind_ = Kind::Generic;
    // Shared, so that the pointer a row shows for it stays valid for the whole run.
    std::shared_ptr<const rt::NativeMethod> native_;
    std::string name_;
    rt::BlockPtr block_;
};

// One property declaration. Members left empty (NIL, nullopt, generic) take the inherited declaration's values
// when a subclass redeclares a property.
// Every member has an initialiser, so designated initialisers may name only the members they need.
struct PropertySpec {
    std::string name{};
    rt::Value initial{};
    std::optional<std::string> type{};
    int scope = rt::scope::Exported;
    bool readOnly = false;
    Accessor getter{};
    Accessor setter{};
    rt::Value extra{};  // carried with the record; the builder gives it no meaning
    std::optional<std::string> editor{};
    rt::Value choices{};  // {{"label", value}, ...} for design tools
    bool persistent = false;
};

// A property's choices for design tools: {{"label", value}, ...}.
rt::Value choiceList(std::initializer_list<std::pair<const char*, rt::Value>> list);

// The 11-value row: {cName, xDefault, cType, nScope, lReadOnly, xGetter, xSetter, xExtra, cEditor, aChoices,
// lPersistent}.
inline constexpr size_t kPropertyRowSize = 11;
rt::Value rowOf(const PropertySpec& p);
PropertySpec specOf(const rt::Value& row);

struct EventSpec {
    std::string name{};
    std::string params{};  // "oSender, nKey, nFlags"
    int scope = rt::scope::Exported;
};

// The 3-value row: {cName, cParams, nScope}.
inline constexpr size_t kEventRowSize = 3;
rt::Value rowOf(const EventSpec& e);
EventSpec eventSpecOf(const rt::Value& row);

}  // namespace vorpex
