// Builds a class record: data members, methods, inline and virtual methods, class data. A C++ class of the
// framework writes a class function that runs a builder once and keeps the finished record:
//
//     const rt::Class& XThing::classRecord() {
//         static const rt::Class& c = []() -> const rt::Class& {
//             rt::ClassBuilder b("XTHING", &TComponent::classRecord(), rt::factoryOf<XThing>());
//             kCount = b.addData("nCount", 0);
//             b.addMethod("Reset", rt::method(&XThing::Reset));
//             return b.create();
//         }();
//         return c;
//     }
#pragma once

#include <memory>
#include <string>
#include <type_traits>

#include "class.h"
#include "object.h"

namespace rt {

template <class T>
Factory factoryOf() {
    return [](const Class& c) -> std::shared_ptr<Object> { return std::make_shared<T>(c); };
}

// Adapts a member function `Value T::f(Args)` of a C++ class to a method of its class record.
template <class T>
NativeMethod method(Value (T::*fn)(Args)) {
    return [fn](Object& self, const Method&, Args args) -> Value { return (static_cast<T&>(self).*fn)(args); };
}
template <class T>
NativeMethod method(Value (T::*fn)()) {
    return [fn](Object& self, const Method&, Args) -> Value { return (static_cast<T&>(self).*fn)(); };
}

class ClassBuilder {
public:
    ClassBuilder(std::string name, const Class* parent, Factory factory);
    ClassBuilder(const ClassBuilder&) = delete;
    ClassBuilder& operator=(const ClassBuilder&) = delete;
    virtual ~ClassBuilder();

    // A data member with its getter `name` and setter `_name`; returns its 0-based position.
    int addData(std::string_view name, Value initial = {}, std::string type = "", int scope = scope::Exported,
                bool persistent = false);
    // A data member reachable only by position (no messages), such as an event slot.
    int addHiddenItem(Value initial = {});
    void addMethod(std::string_view name, NativeMethod fn, int scope = scope::Exported, int binding = 0,
                   int position = -1, bool persistent = false);
    // An inline method: the block receives Self first, then the message's arguments.
    void addInline(std::string_view name, BlockPtr block, int scope = scope::Exported, bool persistent = false);
    void addVirtual(std::string_view name, int scope = scope::Exported);
    // Class data with its getter and setter; returns its position.
    int addClassData(std::string_view name, Value initial = {}, int scope = scope::Exported);

    // Methods and inlines declared through this builder (not inherited), by upper-case name.
    const Method* declared(Symbol message) const;

    // Finishes the class, registers it and returns the record, which lives for the whole run.
    virtual Class& create();

    Class& record() { return *class_; }
    const std::string& className() const { return class_->name(); }

private:
    Class* class_;
    bool created_ = false;
};

// Extends a finished class by a data member at run time (the xBase object extension): objects made before grow
// to the new layout on first access. Returns the member's position.
int addDataAtRunTime(const Class& cls, std::string_view name, Value initial = {}, int scope = scope::Exported);

}  // namespace rt
