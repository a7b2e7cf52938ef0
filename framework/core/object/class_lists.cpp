#include "framework/core/object/class_lists.h"

#include <map>

#include "framework/core/object/property_record.h"
#include "runtime/core/object.h"

namespace vorpex {

namespace {

struct Lists {
    rt::ArrayPtr properties;
    rt::ArrayPtr events;
};

std::map<const rt::Class*, Lists>& recorded() {
    static auto* m = new std::map<const rt::Class*, Lists>;
    return *m;
}

rt::ArrayPtr listOf(const rt::Class& cls, const char* classData, rt::ArrayPtr Lists::*member) {
    int pos = cls.classDataPosition(classData);
    if (pos >= 0)
        if (auto a = cls.classData(pos).asArray()) return a;
    auto it = recorded().find(&cls);
    if (it != recorded().end() && it->second.*member) return it->second.*member;
    return std::make_shared<rt::Array>();
}

rt::Value namesOf(const rt::Value& hClass, rt::ArrayPtr (*list)(const rt::Class&)) {
    std::vector<rt::Value> names;
    if (!hClass.isNumber() || hClass.asInteger() <= 2) return rt::Value::array();
    const rt::Class* cls = rt::Class::byHandle(hClass.asInt());
    if (!cls) return rt::Value::array();
    for (const rt::Value& row : list(*cls)->items)
        if (auto a = row.asArray()) names.push_back(a->at1(1));
    return rt::Value::array(std::move(names));
}

// Reading a back reference gives the object itself, not the weak handle.
rt::Value strong(const rt::Value& v) { return v.isWeak() ? rt::Value(v.asObject()) : v; }

}  // namespace

rt::ArrayPtr propertyList(const rt::Class& cls) { return listOf(cls, "aProperties", &Lists::properties); }
rt::ArrayPtr eventList(const rt::Class& cls) { return listOf(cls, "aEvents", &Lists::events); }

void storeClassLists(const rt::Class& cls, rt::ArrayPtr properties, rt::ArrayPtr events) {
    // The class data and the record share one array, so rows added at run time show in both.
    if (int pos = cls.classDataPosition("aProperties"); pos >= 0) cls.classData(pos) = rt::Value(properties);
    if (int pos = cls.classDataPosition("aEvents"); pos >= 0) cls.classData(pos) = rt::Value(events);
    recorded()[&cls] = Lists{std::move(properties), std::move(events)};
}

rt::Value VP_GETCLASSPROPERTIES(const rt::Value& hClass) { return namesOf(hClass, &propertyList); }
rt::Value VP_GETCLASSEVENTS(const rt::Value& hClass) { return namesOf(hClass, &eventList); }

rt::Value VP_OBJGETPROPERTIES(const rt::Value& object) {
    rt::ObjectPtr o = object.asObject();
    if (!o) return {};
    const rt::Class& cls = o->objectClass();
    std::vector<rt::Value> out;
    for (const rt::Method& m : cls.methods()) {
        // Only messages that read a data item: plain data getters and properties' generic getters.
        bool readsData = m.kind == rt::MethodKind::DataGet || m.binding == binding::GenericGetter;
        if (!readsData || m.position < 0) continue;
        if (!(m.scope & rt::scope::Published) && !m.persistent) continue;
        const rt::Value initial =
            m.position < cls.fieldCount() ? cls.fields()[m.position].initial : rt::Value();
        out.push_back(rt::Value::array({rt::Value(m.symbol.name()), strong(o->field(m.position)), initial}));
    }
    return rt::Value::array(std::move(out));
}

}  // namespace vorpex
