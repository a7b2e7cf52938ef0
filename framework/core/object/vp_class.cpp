#include "framework/core/object/vp_class.h"

#include <algorithm>
#include <set>
#include <stdexcept>

#include "framework/core/object/class_lists.h"
#include "framework/core/object/event.h"
#include "runtime/core/object.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {

namespace {

const rt::Class* resolveParent(const VPClass::ParentRef& ref) {
    if (auto* c = std::get_if<const rt::Class*>(&ref)) return *c;
    if (auto* h = std::get_if<int>(&ref)) return rt::Class::byHandle(*h);
    return rt::Class::byName(rt::upper(std::get<std::string>(ref)));
}

const rt::Class* firstParent(const std::vector<VPClass::ParentRef>& parents) {
    if (parents.empty()) return nullptr;
    const rt::Class* c = resolveParent(parents.front());
    if (!c) throw std::logic_error("VPClass: unknown parent class");
    return c;
}

// The hidden field of the property a generic accessor serves, when its entry has no position yet.
int fieldOf(rt::Object& self, const rt::Method& m, bool setter) {
    if (m.position >= 0) return m.position;
    std::string_view name = m.symbol.name();
    if (setter && !name.empty()) name.remove_prefix(1);
    return self.objectClass().fieldPosition("F" + std::string(name));
}

rt::Value genericGetter(rt::Object& self, const rt::Method& m, rt::Args) {
    const rt::Value& v = self.field(fieldOf(self, m, false));
    // A back reference reads as the object itself.
    return v.isWeak() ? rt::Value(v.asObject()) : v;
}

rt::Value genericSetter(rt::Object& self, const rt::Method& m, rt::Args args) {
    const rt::Value& v = rt::arg(args, 0);
    rt::Value& item = self.field(fieldOf(self, m, true));
    if (item.isReference())
        item.assign(v);
    else
        item = v;
    return v;
}

bool sameName(const std::string& a, const std::string& b) { return rt::equalsIgnoreCase(a, b); }

}  // namespace

PropertySpec mergeProperty(const PropertySpec& old, PropertySpec p, bool& moveToEnd) {
    moveToEnd = p.initial.isNil() && !p.type && p.getter.isGeneric() && p.setter.isGeneric() && p.extra.isNil() &&
                !p.editor;
    if (p.initial.isNil()) p.initial = old.initial;
    if (!p.type) p.type = old.type;
    if (p.getter.isGeneric()) p.getter = old.getter;
    if (p.setter.isGeneric()) p.setter = old.setter;
    if (p.extra.isNil()) p.extra = old.extra;
    if (!p.editor) p.editor = old.editor;
    if (p.choices.isNil()) p.choices = old.choices;
    return p;
}

VPClass::VPClass(std::string name, const rt::Class* parent, rt::Factory factory)
    : rt::ClassBuilder(name, parent, std::move(factory)), publicName_(name) {
    if (parent) copyLists(*parent);
}

VPClass::VPClass(std::string name, const std::vector<ParentRef>& parents, rt::Factory factory)
    : rt::ClassBuilder(name, firstParent(parents), std::move(factory)), publicName_(name) {
    for (const ParentRef& ref : parents) {
        const rt::Class* c = resolveParent(ref);
        if (!c) throw std::logic_error("VPClass " + publicName_ + ": unknown parent class");
        copyLists(*c);  // with several parents the last one's lists remain
    }
}

void VPClass::copyLists(const rt::Class& from) {
    properties_.clear();
    events_.clear();
    for (const rt::Value& row : propertyList(from)->items) properties_.push_back(specOf(row));
    for (const rt::Value& row : eventList(from)->items) events_.push_back(eventSpecOf(row));
}

int VPClass::addProperty(PropertySpec p) {
    if (p.scope & rt::scope::Published) p.persistent = true;
    auto it = std::find_if(properties_.begin(), properties_.end(),
                           [&](const PropertySpec& q) { return sameName(q.name, p.name); });
    size_t index = properties_.size();
    if (it == properties_.end()) {
        properties_.push_back(std::move(p));
    } else {
        bool moveToEnd = false;
        PropertySpec merged = mergeProperty(*it, std::move(p), moveToEnd);
        if (moveToEnd) {
            properties_.erase(it);
            index = properties_.size();
            properties_.push_back(std::move(merged));
        } else {
            index = static_cast<size_t>(it - properties_.begin());
            *it = std::move(merged);
        }
    }
    const PropertySpec& spec = properties_[index];

    // A redeclared property keeps the inherited hidden field; only its initial value and type change.
    const std::string fieldName = "F" + spec.name;
    const std::string type = spec.type.value_or("");
    int field = record().fieldPosition(fieldName);
    if (field >= 0) {
        record().redeclareField(field, spec.initial, type);
        for (const std::string& name : {fieldName, "_" + fieldName})
            if (rt::Method* m = record().findMutable(rt::Symbol::intern(name))) m->initial = spec.initial;
    } else {
        field = addData(fieldName, spec.initial, type, rt::scope::Protected);
    }
    bindGetter(spec, field);
    bindSetter(spec, field);
    return field;
}

void VPClass::bindGetter(const PropertySpec& p, int field) {
    rt::Symbol message = rt::Symbol::intern(p.name);
    dropPending(message);
    switch (p.getter.kind()) {
        case Accessor::Kind::Generic:
            addMethod(p.name, genericGetter, p.scope | kGenericScopeMark, binding::GenericGetter, field,
                      p.persistent);
            break;
        case Accessor::Kind::Native: addMethod(p.name, p.getter.native(), p.scope, 0, -1, p.persistent); break;
        case Accessor::Kind::Name:
            pending_.push_back({message, rt::upper(p.getter.name()), p.scope, p.persistent});
            break;
        case Accessor::Kind::Block: addInline(p.name, p.getter.block(), p.scope, p.persistent); break;
    }
}

void VPClass::bindSetter(const PropertySpec& p, int field) {
    const std::string name = "_" + p.name;
    rt::Symbol message = rt::Symbol::intern(name);
    dropPending(message);
    // Setters are never persistent; a read-only property's setter is not public.
    switch (p.setter.kind()) {
        case Accessor::Kind::Generic:
            addMethod(name, genericSetter, (p.readOnly ? rt::scope::ReadOnly : p.scope) | kGenericScopeMark,
                      binding::GenericSetter, field);
            break;
        case Accessor::Kind::Native:
            addMethod(name, p.setter.native(), p.readOnly ? rt::scope::ReadOnly : p.scope);
            break;
        case Accessor::Kind::Name:
            pending_.push_back({message, rt::upper(p.setter.name()), p.readOnly ? rt::scope::Protected : p.scope,
                                false});
            break;
        case Accessor::Kind::Block:
            addInline(name, p.setter.block(), p.readOnly ? rt::scope::Protected : p.scope);
            break;
    }
}

void VPClass::dropPending(rt::Symbol message) {
    std::erase_if(pending_, [&](const TextAccessor& t) { return t.message == message; });
}

void VPClass::addEvent(std::string_view name, int scope, std::optional<std::string> params) {
    auto it = std::find_if(events_.begin(), events_.end(),
                           [&](const EventSpec& e) { return rt::equalsIgnoreCase(e.name, name); });
    if (it == events_.end()) {
        events_.push_back({std::string(name), params.value_or(""), scope});
    } else {
        *it = {std::string(name), params.value_or(it->params), scope};
    }
    // A redeclared event keeps the slot it inherited.
    const rt::Method* old = record().find(rt::Symbol::intern(name));
    int slot = old && old->binding == binding::EventCaller ? old->position : -1;
    addMethod("_" + std::string(name), eventSetter, scope | kGenericScopeMark, binding::EventSetter, slot);
    addMethod(name, eventCaller, scope | kGenericScopeMark, binding::EventCaller, slot);
}

int VPClass::addComponent(std::string_view name, std::string_view type) {
    return addData(rt::upper(name), rt::Value(), std::string(type));
}

rt::Class& VPClass::create() {
    addClassName();
    bindTextAccessors();
    layOutEventSlots();
    rt::Class& cls = rt::ClassBuilder::create();

    std::vector<rt::Value> propertyRows, eventRows;
    for (const PropertySpec& p : properties_) propertyRows.push_back(rowOf(p));
    for (const EventSpec& e : events_) eventRows.push_back(rowOf(e));
    storeClassLists(cls, std::make_shared<rt::Array>(std::move(propertyRows)),
                    std::make_shared<rt::Array>(std::move(eventRows)));

    // The class function by its public name; the first class registered under a name keeps it.
    if (!rt::findFunction(publicName_)) {
        const rt::Class* record = &cls;
        rt::registerFunction(publicName_, [record](rt::Args args) { return classCall(*record, args); });
    }
    return cls;
}

void VPClass::addClassName() {
    int field = record().fieldPosition("ClassName");
    if (field < 0) {
        addData("ClassName", publicName_, "C");
        return;
    }
    // Every class of a hierarchy answers its own name through the one inherited member.
    record().redeclareField(field, publicName_, "C");
    for (const char* name : {"CLASSNAME", "_CLASSNAME"})
        if (rt::Method* m = record().findMutable(rt::Symbol::intern(name))) m->initial = publicName_;
}

void VPClass::bindTextAccessors() {
    for (const TextAccessor& t : pending_) {
        // Methods declared here come first; inherited ones serve too, so a property may name a parent's method.
        rt::Symbol target = rt::Symbol::intern(t.target);
        const rt::Method* m = declared(target);
        if (!m) m = record().find(target);
        if (!m)
            throw std::logic_error("class " + publicName_ + ": accessor " + t.message.name() + " names " + t.target +
                                   ", which the class does not have");
        rt::Method bound = *m;
        bound.symbol = t.message;
        bound.scope = t.scope;
        bound.persistent = t.persistent;
        bound.declaredBy = &record();
        record().setMethod(std::move(bound));
    }
    pending_.clear();
}

void VPClass::layOutEventSlots() {
    // New events get their two items after all ordinary data of this class; inherited ones keep theirs.
    for (const rt::Method& m : record().methods()) {
        if (m.binding != binding::EventCaller || m.position >= 0) continue;
        int slot = addHiddenItem();
        addHiddenItem();
        record().findMutable(m.symbol)->position = slot;
        if (rt::Method* setter = record().findMutable(rt::Symbol::intern("_" + m.symbol.name())))
            setter->position = slot;
    }
}

rt::Value classCall(const rt::Class& cls, rt::Args args) {
    static auto* initialised = new std::set<const rt::Class*>;
    static const rt::Symbol initClass = rt::Symbol::intern("InitClass");
    static const rt::Symbol constructor = rt::Symbol::intern("New");
    rt::ObjectPtr o = cls.instantiate();
    if (initialised->insert(&cls).second && cls.understands(initClass)) rt::send(*o, initClass, args);
    if (args.empty()) return rt::Value(o);
    return rt::send(*o, constructor, args);
}

}  // namespace vorpex
