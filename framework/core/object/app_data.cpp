#include "framework/core/object/app_data.h"

#include "framework/core/object/class_lists.h"
#include "framework/core/object/property_record.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {

const rt::Class& XAppData::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XAppData", &TComponent::classRecord(), rt::factoryOf<XAppData>());
        b.addEvent("OnClose", Published, "oSender");
        b.addMethod("Initialize", rt::method(&XAppData::Initialize), Exported | Constructor);
        addMembers<XAppData>(b);
        return b.create();
    }();
    return c;
}

rt::Value XAppData::Initialize(rt::Args) {
    rt::Value& appData = rt::publicVar("AppData");
    if (!appData.isObject()) appData = selfValue();
    return appData;
}

rt::Value XAppData::Create(rt::Args args) { return Initialize(args); }

rt::Value XAppData::Destroy(rt::Args) {
    fireEvent(*this, OnClose);
    return selfValue();
}

rt::Value XAppData::AddData(rt::Args args) {
    const std::string name = rt::arg(args, 0).asString();
    const rt::Value value = rt::arg(args, 1);
    const rt::Class& cls = objectClass();
    // A full 11-value row: published, hence persistent. The row is appended even for a name the class
    // already answers, as it always was.
    propertyList(cls)->items.push_back(
        rowOf(PropertySpec{.name = name, .initial = value, .scope = rt::scope::Published, .persistent = true}));
    rt::Symbol getter = rt::Symbol::intern(name);
    rt::Symbol setter = rt::Symbol::intern("_" + name);
    if (!cls.understands(getter) && !cls.understands(setter))
        rt::addDataAtRunTime(cls, name, rt::Value(), rt::scope::Published);
    rt::send(*this, setter, rt::Args(&value, 1));
    return {};
}

}  // namespace vorpex
