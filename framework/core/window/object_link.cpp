#include "framework/core/window/object_link.h"

#include <vector>

#include "runtime/core/class.h"
#include "runtime/core/send.h"

namespace vorpex {

namespace {

rt::Value readIfUnderstood(rt::Object& o, rt::Symbol message) {
    return o.objectClass().understands(message) ? rt::send(o, message) : rt::Value();
}

}  // namespace

intptr_t handleOf(rt::Object& object) {
    static const rt::Symbol handle = rt::Symbol::intern("Handle");
    rt::Value v = readIfUnderstood(object, handle);
    return v.isNumber() ? static_cast<intptr_t>(v.asInteger()) : 0;
}

intptr_t handleOf(const rt::Value& object) {
    auto o = object.deref().asObject();
    return o ? handleOf(*o) : 0;
}

WindowLink* linkObject(LinkRegistry& links, rt::Object& self, bool mdiChild) {
    static const rt::Symbol winClassName = rt::Symbol::intern("cWinClassName");
    rt::Value base = readIfUnderstood(self, winClassName);
    return links.link(self.self(), handleOf(self), mdiChild, base.isString() ? base.asString() : std::string());
}

void unlinkObject(LinkRegistry& links, rt::Object& self, bool children) {
    static const rt::Symbol controls = rt::Symbol::intern("aControls");
    if (!links.unlink(handleOf(self))) return;
    if (!children) return;
    rt::Value list = readIfUnderstood(self, controls);
    auto array = list.asArray();
    if (!array) return;
    // A copy: unlinking may run code that changes the list.
    std::vector<rt::Value> copy = array->items;
    for (const rt::Value& item : copy)
        if (auto child = item.deref().asObject()) unlinkObject(links, *child, true);
}

rt::Value controlFromHandle(LinkRegistry& links, intptr_t hWnd) {
    WindowLink* r = links.find(hWnd);
    return r && r->object ? rt::Value(r->object) : rt::Value();
}

}  // namespace vorpex
