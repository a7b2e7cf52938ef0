#include "framework/core/object/object_bridge.h"

#include <initializer_list>

#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "runtime/core/symbol.h"

namespace vorpex {

namespace {

// Sends only a name that some class declares: an unknown name sends nothing and reads as NIL, which every
// getter converts to its type's empty value, never to an earlier call's result.
rt::Value sendKnown(const rt::ObjectPtr& o, const char* name, std::initializer_list<rt::Value> args = {}) {
    if (!o || !name) return {};
    rt::Symbol s = rt::Symbol::find(name);
    if (!s) return {};
    return rt::send(*o, s, rt::Args(args.begin(), args.size())).deref();
}

rt::Value get(const rt::ObjectPtr& o, const char* name) { return sendKnown(o, name); }

void put(const rt::ObjectPtr& o, const char* name, std::initializer_list<rt::Value> args) {
    sendKnown(o, name, args);
}

struct BridgeCache {
    rt::Value application, screen, printer;
};

BridgeCache& cache() {
    static auto* c = new BridgeCache;  // kept to the very end of the process
    return *c;
}

rt::Value cached(rt::Value& slot, const char* publicName) {
    if (slot.isNil() && rt::isPublic(publicName)) slot = rt::publicVar(publicName);
    return slot;
}

}  // namespace

long VP_ObjGetNL(const rt::ObjectPtr& o, const char* name) { return static_cast<long>(get(o, name).asInteger()); }
double VP_ObjGetND(const rt::ObjectPtr& o, const char* name) { return get(o, name).asDouble(); }
std::string VP_ObjGetC(const rt::ObjectPtr& o, const char* name) { return get(o, name).asString(); }

std::string VP_ObjGetCLen(const rt::ObjectPtr& o, const char* name, size_t* length) {
    std::string s = VP_ObjGetC(o, name);
    if (length) *length = s.size();
    return s;
}

size_t VP_ObjGetLen(const rt::ObjectPtr& o, const char* name) { return get(o, name).asString().size(); }
bool VP_ObjGetL(const rt::ObjectPtr& o, const char* name) { return get(o, name).asLogical(); }
void* VP_ObjGetPtr(const rt::ObjectPtr& o, const char* name) { return get(o, name).asPointer().address; }

rt::Value VP_ObjGetItem(const rt::ObjectPtr& o, const char* name) {
    rt::Value v = get(o, name);
    return v.isArray() || v.isObject() ? v : rt::Value();
}

rt::Value VP_ObjGetItemCopy(const rt::ObjectPtr& o, const char* name) { return get(o, name); }

void VP_ObjSendNL(const rt::ObjectPtr& o, const char* name, long a) { put(o, name, {a}); }
void VP_ObjSendNL2(const rt::ObjectPtr& o, const char* name, long a, long b) { put(o, name, {a, b}); }
void VP_ObjSendNL3(const rt::ObjectPtr& o, const char* name, long a, long b, long c) { put(o, name, {a, b, c}); }
void VP_ObjSendNL4(const rt::ObjectPtr& o, const char* name, long a, long b, long c, long d) {
    put(o, name, {a, b, c, d});
}
void VP_ObjSendNL5(const rt::ObjectPtr& o, const char* name, long a, long b, long c, long d, long e) {
    put(o, name, {a, b, c, d, e});
}
void VP_ObjSendND(const rt::ObjectPtr& o, const char* name, double a) { put(o, name, {a}); }
void VP_ObjSendC(const rt::ObjectPtr& o, const char* name, const char* text) { put(o, name, {rt::Value(text)}); }
void VP_ObjSendL(const rt::ObjectPtr& o, const char* name, bool a) { put(o, name, {a}); }
void VP_ObjSendPtr(const rt::ObjectPtr& o, const char* name, void* p) { put(o, name, {rt::Pointer{p, 0}}); }
void VP_ObjSendItem(const rt::ObjectPtr& o, const char* name, const rt::Value& a) { put(o, name, {a}); }
void VP_ObjSendItem2(const rt::ObjectPtr& o, const char* name, const rt::Value& a, const rt::Value& b) {
    put(o, name, {a, b});
}
void VP_ObjSend(const rt::ObjectPtr& o, const char* name) { put(o, name, {}); }

rt::Value Application() { return cached(cache().application, "Application"); }
rt::Value Screen() { return cached(cache().screen, "Screen"); }
rt::Value Printer() { return cached(cache().printer, "Printer"); }

void resetBridgeCacheForTests() { cache() = BridgeCache{}; }

}  // namespace vorpex
