// The root of every runtime object: a class record plus the object's data items.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "value.h"

namespace rt {

class Class;

class Object : public std::enable_shared_from_this<Object> {
public:
    explicit Object(const Class& cls);
    virtual ~Object();
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    const Class& objectClass() const { return *class_; }
    // Data item at a 0-based position of the class layout. A position past the current items (data added to
    // the class after this object was made) grows the object with the class's initial values.
    Value& field(int position);
    const Value& field(int position) const;
    int fieldCount() const { return static_cast<int>(fields_.size()); }

    ObjectPtr self() { return shared_from_this(); }

    // Objects alive right now, for lifetime tests and leak checks.
    static int64_t liveCount();

private:
    void growTo(int position) const;

    const Class* class_;
    mutable std::vector<Value> fields_;
};

// Downcast of an object to a C++ class of the framework; null when the object is of another type.
template <class T>
std::shared_ptr<T> objectAs(const ObjectPtr& o) {
    return std::dynamic_pointer_cast<T>(o);
}
template <class T>
std::shared_ptr<T> objectAs(const Value& v) {
    return std::dynamic_pointer_cast<T>(v.asObject());
}

}  // namespace rt
