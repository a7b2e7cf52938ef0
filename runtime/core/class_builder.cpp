#include "class_builder.h"

#include "block.h"
#include "send.h"

namespace rt {

Class* adoptClass(std::unique_ptr<Class> c);

namespace {

Value readData(Object& self, const Method& m, Args) { return self.field(m.position); }

Value writeData(Object& self, const Method& m, Args args) {
    Value v = arg(args, 0);
    Value& item = self.field(m.position);
    if (item.isReference())
        item.assign(v);
    else
        item = v;
    return v;
}

}  // namespace

ClassBuilder::ClassBuilder(std::string name, const Class* parent, Factory factory)
    : class_(adoptClass(std::make_unique<Class>(upper(name), parent ? parent : &baseObjectClass(),
                                                std::move(factory)))) {}

ClassBuilder::~ClassBuilder() = default;

// The getter `name` and setter `_name` of one data item or class data item; the setter is never persistent.
static void addAccessorPair(Class& c, std::string_view name, MethodKind getKind, MethodKind setKind, int position,
                     int scope, bool persistent, const Value& initial) {
    Method get;
    get.symbol = Symbol::intern(name);
    get.kind = getKind;
    get.position = position;
    get.scope = scope;
    get.persistent = persistent;
    get.initial = initial;
    get.declaredBy = &c;
    c.setMethod(get);
    Method set = get;
    set.symbol = Symbol::intern("_" + std::string(name));
    set.kind = setKind;
    set.persistent = false;
    c.setMethod(set);
}

int ClassBuilder::addData(std::string_view name, Value initial, std::string type, int scope, bool persistent) {
    int position = class_->addField(std::string(name), initial, std::move(type));
    addAccessorPair(*class_, name, MethodKind::DataGet, MethodKind::DataSet, position, scope, persistent, initial);
    return position;
}

int ClassBuilder::addHiddenItem(Value initial) { return class_->addField("", std::move(initial), ""); }

void ClassBuilder::addMethod(std::string_view name, NativeMethod fn, int scope, int binding, int position,
                             bool persistent) {
    Method m;
    m.symbol = Symbol::intern(name);
    m.kind = MethodKind::Native;
    m.native = std::move(fn);
    m.scope = scope;
    m.binding = binding;
    m.position = position;
    m.persistent = persistent;
    m.declaredBy = class_;
    class_->setMethod(std::move(m));
}

void ClassBuilder::addInline(std::string_view name, BlockPtr block, int scope, bool persistent) {
    Method m;
    m.symbol = Symbol::intern(name);
    m.kind = MethodKind::Inline;
    m.inlineBlock = std::move(block);
    m.scope = scope;
    m.persistent = persistent;
    m.declaredBy = class_;
    class_->setMethod(std::move(m));
}

void ClassBuilder::addVirtual(std::string_view name, int scope) {
    Method m;
    m.symbol = Symbol::intern(name);
    m.kind = MethodKind::Virtual;
    m.scope = scope;
    m.declaredBy = class_;
    class_->setMethod(std::move(m));
}

int ClassBuilder::addClassData(std::string_view name, Value initial, int scope) {
    int position = class_->addClassData(std::string(name), std::move(initial));
    addAccessorPair(*class_, name, MethodKind::ClassDataGet, MethodKind::ClassDataSet, position,
                    scope | scope::Shared, false, Value());
    return position;
}

const Method* ClassBuilder::declared(Symbol message) const {
    const Method* m = class_->find(message);
    return m && m->declaredBy == class_ ? m : nullptr;
}

Class& ClassBuilder::create() {
    if (!created_) {
        created_ = true;
        class_->registerClass();
    }
    return *class_;
}

int addDataAtRunTime(const Class& cls, std::string_view name, Value initial, int scope) {
    // Every record is owned by the registry and stays mutable there; callers only ever see const records.
    Class& c = const_cast<Class&>(cls);
    int position = c.addField(std::string(name), initial, "");
    addAccessorPair(c, name, MethodKind::DataGet, MethodKind::DataSet, position, scope, false, initial);
    return position;
}

// Shared by the runtime's send: the accessors of data members and class data.
Value invokeAccessor(Object& self, const Method& m, Args args) {
    switch (m.kind) {
        case MethodKind::DataGet: return readData(self, m, args);
        case MethodKind::DataSet: return writeData(self, m, args);
        case MethodKind::ClassDataGet: return self.objectClass().classData(m.position);
        case MethodKind::ClassDataSet: {
            Value v = arg(args, 0);
            self.objectClass().classData(m.position) = v;
            return v;
        }
        default: return Value();
    }
}

}  // namespace rt
