// The per-class property and event lists, and the callable functions that read them.
#pragma once

#include "runtime/core/class.h"
#include "runtime/core/value.h"

namespace vorpex {

// The class's lists: its class data `aProperties` / `aEvents` when it has them (every XComponent descendant),
// else the lists its builder recorded. An empty array for a class built without VPClass.
rt::ArrayPtr propertyList(const rt::Class& cls);
rt::ArrayPtr eventList(const rt::Class& cls);
// Called by VPClass::create.
void storeClassLists(const rt::Class& cls, rt::ArrayPtr properties, rt::ArrayPtr events);

// Property / event names of the class with that handle; {} for NIL, a handle of 2 or less, or no such class.
rt::Value VP_GETCLASSPROPERTIES(const rt::Value& hClass);
rt::Value VP_GETCLASSEVENTS(const rt::Value& hClass);
// {{NAME, xValue, xInitial}, ...} for the published or persistent data of the object's class, in table order;
// NIL when the value is not an object.
rt::Value VP_OBJGETPROPERTIES(const rt::Value& object);

}  // namespace vorpex
