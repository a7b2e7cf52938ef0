#include "class.h"

#include <memory>

#include "object.h"

namespace rt {

namespace {

struct Registry {
    std::vector<std::unique_ptr<Class>> owned;
    std::vector<Class*> byHandle;  // handle - 1
};

Registry& registry() {
    static Registry* r = [] {
        auto* reg = new Registry;  // classes live for the whole run
        // Handles 1 and 2 are the runtime's own root classes, so that user classes start at 3.
        for (const char* name : {"HBOBJECT", "HBCLASS"}) {
            reg->owned.push_back(std::make_unique<Class>(name, nullptr, nullptr));
            reg->byHandle.push_back(reg->owned.back().get());
            reg->owned.back()->assignHandle(static_cast<int>(reg->byHandle.size()));
        }
        return reg;
    }();
    return *r;
}

}  // namespace

Value cloneInitial(const Value& v) {
    if (auto a = v.asArray(); a && !v.isReference()) return Value::array(a->items);
    return v;
}

Class::Class(std::string name, const Class* parent, Factory factory)
    : name_(std::move(name)), parent_(parent), factory_(std::move(factory)) {
    if (!parent_) return;
    methods_ = parent_->methods_;
    index_ = parent_->index_;
    fields_ = parent_->fields_;
    // Class data is per class: a subclass starts with copies of its parent's values.
    classDataNames_ = parent_->classDataNames_;
    classData_ = parent_->classData_;
    if (!factory_) factory_ = parent_->factory_;
}

bool Class::isDerivedFrom(const Class& other) const {
    for (const Class* c = this; c; c = c->parent_)
        if (c == &other) return true;
    return false;
}

const Method* Class::find(Symbol message) const {
    auto it = index_.find(message);
    return it == index_.end() ? nullptr : &methods_[it->second];
}

Method* Class::findMutable(Symbol message) {
    auto it = index_.find(message);
    return it == index_.end() ? nullptr : &methods_[it->second];
}

int Class::fieldPosition(std::string_view name) const {
    // Later declarations shadow earlier ones of the same name.
    for (int i = static_cast<int>(fields_.size()) - 1; i >= 0; --i)
        if (equalsIgnoreCase(fields_[i].name, name)) return i;
    return -1;
}

int Class::classDataPosition(std::string_view name) const {
    for (int i = static_cast<int>(classDataNames_.size()) - 1; i >= 0; --i)
        if (equalsIgnoreCase(classDataNames_[i], name)) return i;
    return -1;
}

std::shared_ptr<Object> Class::instantiate() const {
    if (factory_) return factory_(*this);
    return std::make_shared<Object>(*this);
}

int Class::addField(std::string name, Value initial, std::string type) {
    fields_.push_back(FieldDecl{std::move(name), std::move(initial), std::move(type)});
    return static_cast<int>(fields_.size()) - 1;
}

void Class::redeclareField(int position, Value initial, std::string type) {
    if (position < 0 || position >= static_cast<int>(fields_.size())) return;
    fields_[position].initial = std::move(initial);
    fields_[position].type = std::move(type);
}

int Class::addClassData(std::string name, Value initial) {
    classDataNames_.push_back(std::move(name));
    classData_.push_back(std::move(initial));
    return static_cast<int>(classData_.size()) - 1;
}

void Class::setMethod(Method m) {
    auto it = index_.find(m.symbol);
    if (it != index_.end()) {
        methods_[it->second] = std::move(m);
        return;
    }
    index_.emplace(m.symbol, methods_.size());
    methods_.push_back(std::move(m));
}

void Class::setInstanceSize(int size) {
    while (static_cast<int>(fields_.size()) < size) fields_.push_back(FieldDecl{});
}

const UnknownMessageHandler* Class::unknownMessageHandler() const {
    for (const Class* c = this; c; c = c->parent_)
        if (c->unknown_) return &c->unknown_;
    return nullptr;
}

const Class& baseObjectClass() { return *registry().byHandle[0]; }

void Class::registerClass() {
    if (handle_ != 0) return;
    Registry& r = registry();
    for (size_t i = 0; i < r.byHandle.size(); ++i)
        if (r.byHandle[i] == this) {
            handle_ = static_cast<int>(i) + 1;
            return;
        }
    r.byHandle.push_back(this);
    handle_ = static_cast<int>(r.byHandle.size());
}

const Class* Class::byHandle(int handle) {
    Registry& r = registry();
    if (handle < 1 || handle > static_cast<int>(r.byHandle.size())) return nullptr;
    return r.byHandle[handle - 1];
}

const Class* Class::byName(std::string_view name) {
    for (const Class* c : registry().byHandle)
        if (equalsIgnoreCase(c->name(), name)) return c;
    return nullptr;
}

// Records made by ClassBuilder are owned by the registry.
Class* adoptClass(std::unique_ptr<Class> c) {
    Class* raw = c.get();
    registry().owned.push_back(std::move(c));
    return raw;
}

}  // namespace rt
