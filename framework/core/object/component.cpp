#include "framework/core/object/component.h"

#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "runtime/core/send.h"

namespace vorpex {

namespace {

struct Messages {
    rt::Symbol setParent = rt::Symbol::intern("_oParent");
    rt::Symbol destroy = rt::Symbol::intern("Destroy");
    rt::Symbol free = rt::Symbol::intern("Free");
};

const Messages& messages() {
    static const Messages m;
    return m;
}

}  // namespace

const rt::Class& XComponent::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XComponent", nullptr, rt::factoryOf<XComponent>());
        kCargo = b.addProperty({.name = "Cargo", .scope = Published});
        kFree = b.addData("lFree", true, "L", Protected);
        kCreated = b.addData("lCreated", false, "L", Protected);
        b.addClassData("aProperties", rt::Value::array());
        b.addClassData("aEvents", rt::Value::array());
        kParent = b.addProperty({.name = "oParent", .setter = &XComponent::SetParent});
        for (const char* text : {"cAuthor", "cCopyright", "cProduct", "cVersion"})
            b.addData(text, "", "C", Exported | ReadOnly);
        b.addMethod("New", rt::method(&XComponent::New), Exported | Constructor);
        b.addMethod("Create", rt::method(&XComponent::Create), Exported | Constructor);
        addMembers<XComponent>(b);
        b.addMethod("EventAssigned", rt::method(&XComponent::EventAssignedByName));
        b.addVirtual("VPNotify");
        return b.create();
    }();
    return c;
}

rt::Value XComponent::SetParent(rt::Args args) {
    const rt::Value& v = rt::arg(args, 0);
    field(kParent) = v.isObject() ? rt::Value::weak(v.asObject()) : v;
    return v;
}

rt::Value XComponent::New(rt::Args args) {
    // Through the setter by name: a subclass may react to its new owner.
    const rt::Value& parent = rt::arg(args, 0);
    if (!parent.isNil()) rt::send(*this, messages().setParent, rt::Args(&parent, 1));
    setFree(true);
    return selfValue();
}

rt::Value XComponent::Create(rt::Args args) {
    XComponent::New(args);
    setCreated(true);
    return selfValue();
}

rt::Value XComponent::Destroy(rt::Args args) {
    bool release = rt::arg(args, 0).asLogical();
    setFree(release);
    if (release) rt::send(*this, messages().free);
    setCreated(false);
    return selfValue();
}

rt::Value XComponent::Free(rt::Args) { return {}; }

rt::Value XComponent::End(rt::Args) {
    const rt::Value yes(true);
    rt::send(*this, messages().destroy, rt::Args(&yes, 1));
    return {};
}

rt::Value XComponent::EventAssignedByName(rt::Args args) {
    return rt::Value(VP_EventAssigned(*this, rt::arg(args, 0).asString()));
}

}  // namespace vorpex
