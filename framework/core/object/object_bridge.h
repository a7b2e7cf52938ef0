// The object bridge: native code reads properties and calls methods by name, as the programs do. A getter
// sends the message without arguments and converts the result; a sender passes typed arguments and drops the
// result. A name that no class of the system declares (no symbol at all) sends nothing: senders do nothing
// and getters answer the type's empty value. A declared name the object does not understand raises the
// runtime's no-method error. Framework code that sends often caches its symbol and calls rt::send itself.
#pragma once

#include <string>

#include "runtime/core/object.h"
#include "runtime/core/value.h"

namespace vorpex {

long VP_ObjGetNL(const rt::ObjectPtr& o, const char* name);
double VP_ObjGetND(const rt::ObjectPtr& o, const char* name);
std::string VP_ObjGetC(const rt::ObjectPtr& o, const char* name);
// As VP_ObjGetC, with the text's length stored through `length` (when not null).
std::string VP_ObjGetCLen(const rt::ObjectPtr& o, const char* name, size_t* length);
size_t VP_ObjGetLen(const rt::ObjectPtr& o, const char* name);
bool VP_ObjGetL(const rt::ObjectPtr& o, const char* name);
void* VP_ObjGetPtr(const rt::ObjectPtr& o, const char* name);
// The result when it is an array or an object, else NIL.
rt::Value VP_ObjGetItem(const rt::ObjectPtr& o, const char* name);
// The result whatever its type.
rt::Value VP_ObjGetItemCopy(const rt::ObjectPtr& o, const char* name);

void VP_ObjSendNL(const rt::ObjectPtr& o, const char* name, long a);
void VP_ObjSendNL2(const rt::ObjectPtr& o, const char* name, long a, long b);
void VP_ObjSendNL3(const rt::ObjectPtr& o, const char* name, long a, long b, long c);
void VP_ObjSendNL4(const rt::ObjectPtr& o, const char* name, long a, long b, long c, long d);
void VP_ObjSendNL5(const rt::ObjectPtr& o, const char* name, long a, long b, long c, long d, long e);
void VP_ObjSendND(const rt::ObjectPtr& o, const char* name, double a);
void VP_ObjSendC(const rt::ObjectPtr& o, const char* name, const char* text);
void VP_ObjSendL(const rt::ObjectPtr& o, const char* name, bool a);
void VP_ObjSendPtr(const rt::ObjectPtr& o, const char* name, void* p);
void VP_ObjSendItem(const rt::ObjectPtr& o, const char* name, const rt::Value& a);
void VP_ObjSendItem2(const rt::ObjectPtr& o, const char* name, const rt::Value& a, const rt::Value& b);
void VP_ObjSend(const rt::ObjectPtr& o, const char* name);

// The public objects, cached at the first call that finds them set and kept to the end of the process, so
// exit-time code (message box titles, the error log's file name) still reads them after shutdown cleared the
// variables. Native code must not use their handles after their End.
rt::Value Application();
rt::Value Screen();
rt::Value Printer();
void resetBridgeCacheForTests();

}  // namespace vorpex
