// Class records: the method table, the data layout and the class data of one class. A class is built once by
// its class function (see ClassBuilder) and lives for the whole run.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "symbol.h"
#include "value.h"

namespace rt {

class Object;
class Class;
struct Method;

// Member scopes, as the runtime numbers them.
namespace scope {
inline constexpr int Exported = 1;
inline constexpr int Published = 2;
inline constexpr int Protected = 4;
inline constexpr int Hidden = 8;
inline constexpr int Constructor = 16;
inline constexpr int ReadOnly = 32;
inline constexpr int Shared = 64;
}  // namespace scope

using NativeMethod = std::function<Value(Object& self, const Method& method, Args args)>;

enum class MethodKind {
    Native,        // a C++ function
    Inline,        // a code block evaluated with Self first
    DataGet,       // reads data item `position`
    DataSet,       // writes data item `position`
    ClassDataGet,  // reads class data `position`
    ClassDataSet,  // writes class data `position`
    Virtual,       // declared, does nothing, answers NIL
};

struct Method {
    Symbol symbol;
    MethodKind kind = MethodKind::Native;
    NativeMethod native;
    BlockPtr inlineBlock;
    int position = -1;  // data position for accessors, event slot for event messages
    int scope = scope::Exported;
    bool persistent = false;
    // Marks methods bound to one of the framework's generic implementations (generic getter, event caller...)
    // so that code walking the table can recognise them. 0 means none.
    int binding = 0;
    Value initial;  // declared initial value of a data-access message
    const Class* declaredBy = nullptr;
};

struct FieldDecl {
    std::string name;  // as declared
    Value initial;
    std::string type;
};

using Factory = std::function<std::shared_ptr<Object>(const Class&)>;

// What a class does with a message it has no method for (the class's own error handler clause), instead of
// the no-method error: records whose members are declared at run time take such a message as a member name.
using UnknownMessageHandler = std::function<Value(Object& self, Symbol message, Args args)>;

class Class {
public:
    Class(std::string name, const Class* parent, Factory factory);
    // Records are referred to by address (handles, objects); a copy would be a different class.
    Class(const Class&) = delete;
    Class& operator=(const Class&) = delete;

    const std::string& name() const { return name_; }
    const Class* parent() const { return parent_; }
    int handle() const { return handle_; }
    bool isDerivedFrom(const Class& other) const;

    // Method look-up by symbol: one hash probe.
    const Method* find(Symbol message) const;
    bool understands(Symbol message) const { return find(message) != nullptr; }
    // Methods in table order (inherited first, then this class's in declaration order). A deque, so that an
    // entry stays where it is while data added at run time extends the table during that entry's own call.
    const std::deque<Method>& methods() const { return methods_; }

    const std::vector<FieldDecl>& fields() const { return fields_; }
    int fieldCount() const { return static_cast<int>(fields_.size()); }
    // Position of the data item declared with that name (case-insensitive), -1 when none.
    int fieldPosition(std::string_view name) const;

    // Class data belongs to the class, not to one object, so objects reach it through their const record.
    Value& classData(int position) const { return classData_.at(position); }
    int classDataPosition(std::string_view name) const;

    // A new object of this class with its data items at their initial values.
    std::shared_ptr<Object> instantiate() const;

    // Building (ClassBuilder and run-time extension).
    int addField(std::string name, Value initial, std::string type);
    // A subclass that redeclares an inherited member keeps its position and changes only its initial value
    // and type.
    void redeclareField(int position, Value initial, std::string type);
    int addClassData(std::string name, Value initial);
    void setMethod(Method m);  // adds or replaces the method of that symbol
    Method* findMutable(Symbol message);
    void setInstanceSize(int size);
    // Subclasses inherit the handler; null when neither the class nor a parent has one.
    void setUnknownMessageHandler(UnknownMessageHandler handler) { unknown_ = std::move(handler); }
    const UnknownMessageHandler* unknownMessageHandler() const;

    // Registry of built classes.
    static const Class* byHandle(int handle);
    static const Class* byName(std::string_view name);
    void registerClass();
    void assignHandle(int handle) {
        if (handle_ == 0) handle_ = handle;
    }

private:
    std::string name_;
    const Class* parent_;
    Factory factory_;
    int handle_ = 0;
    std::deque<Method> methods_;
    std::unordered_map<Symbol, size_t> index_;
    std::vector<FieldDecl> fields_;
    std::vector<std::string> classDataNames_;
    mutable std::vector<Value> classData_;
    UnknownMessageHandler unknown_;
};

// A copy of an initial value for a new object: arrays are copied so objects do not share them.
Value cloneInitial(const Value& v);

}  // namespace rt

namespace rt {
// The runtime's root object class (handle 1), parent of every class without another parent.
const Class& baseObjectClass();
}  // namespace rt
