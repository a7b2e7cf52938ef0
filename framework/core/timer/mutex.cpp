#include "framework/core/timer/mutex.h"

#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/timer/mutex_port.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {

namespace {

// The application's title at the moment it is needed: a mutex asked for before the title was set would
// otherwise carry an empty name and guard nothing.
std::string applicationTitle() {
    const rt::Value& app = rt::publicVar("Application");
    static const rt::Symbol title = rt::Symbol::intern("cTitle");
    if (!rt::understands(app, title)) return {};
    rt::Value v = rt::send(app, title);
    return v.isString() ? v.asString() : std::string();
}

}  // namespace

const rt::Class& XMutex::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XMutex", &TWinObject::classRecord(), rt::factoryOf<XMutex>());
        kName = b.addProperty({.name = "cName", .initial = "", .type = "C", .scope = Published});
        kTimeOut = b.addProperty({.name = "nTimeOut", .initial = 0, .type = "N", .scope = Published});
        b.addEvent("OnCreate", Published, "oSender");
        b.addEvent("OnFail", Published, "oSender");
        kExisting = b.addData("lExisting", false, "L", Exported);
        return b.create();
    }();
    return c;
}

XMutex::~XMutex() { closeHandle(); }

void XMutex::closeHandle() {
    if (!Handle()) return;
    mutexPort().close(Handle());
    setHandle(0);
}

rt::Value XMutex::Create(rt::Args args) {
    const rt::Value& name = rt::arg(args, 0);
    const rt::Value& timeout = rt::arg(args, 1);
    if (name.isString()) field(kName) = name;
    if (timeout.isNumber()) field(kTimeOut) = timeout;
    if (cName().empty()) field(kName) = applicationTitle();
    closeHandle();  // a second Create replaces the handle instead of leaking it

    field(kExisting) = false;
    intptr_t handle = mutexPort().open(cName());
    if (handle) {
        field(kExisting) = true;
    } else {
        const MutexCreation made = mutexPort().create(cName(), field(kTimeOut).asInteger());
        handle = made.handle;
        field(kExisting) = made.existed;
    }
    setHandle(handle);
    XComponent::Create({});
    fireEvent(*this, handle ? OnCreate : OnFail);
    return selfValue();
}

rt::Value XMutex::Destroy(rt::Args args) {
    closeHandle();
    return XComponent::Destroy(args);
}

}  // namespace vorpex
