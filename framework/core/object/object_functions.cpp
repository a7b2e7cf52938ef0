#include "framework/core/object/object_functions.h"

#include "framework/core/object/app_data.h"
#include "framework/core/object/class_lists.h"
#include "framework/core/object/win_object.h"
#include "runtime/core/runtime.h"

namespace vorpex {

void registerObjectFunctions() {
    rt::registerFunction("VP_GETCLASSPROPERTIES", [](rt::Args a) { return VP_GETCLASSPROPERTIES(rt::arg(a, 0)); });
    rt::registerFunction("VP_GETCLASSEVENTS", [](rt::Args a) { return VP_GETCLASSEVENTS(rt::arg(a, 0)); });
    rt::registerFunction("VP_OBJGETPROPERTIES", [](rt::Args a) { return VP_OBJGETPROPERTIES(rt::arg(a, 0)); });
    // Building a record registers its class function by its public name.
    TComponent::classRecord();
    TWinObject::classRecord();
    TAppData::classRecord();
}

}  // namespace vorpex
