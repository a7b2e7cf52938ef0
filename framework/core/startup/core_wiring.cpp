#include "framework/core/startup/core_wiring.h"

#include <cstdint>
#include <vector>

#include "framework/core/control/control_registry.h"
#include "framework/core/debug/debug_functions.h"
#include "framework/core/ex_struct/struct_stack.h"
#include "framework/core/file_name/file_name_functions.h"
#include "framework/core/form/form_registry.h"
#include "framework/core/gdi/gdi_functions.h"
#include "framework/core/native/native_functions.h"
#include "framework/core/object/object_functions.h"
#include "framework/core/startup/instance_table.h"
#include "framework/core/startup/run_program.h"
#include "framework/core/startup/startup_platform.h"
#include "framework/core/texts/texts.h"
#include "framework/core/timer/services.h"
#include "framework/core/word_list/word_list.h"
#include "runtime/lib/library.h"
#include "runtime/rdd/ntx/order_functions.h"
#include "runtime/rdd/table_functions.h"

namespace vorpex {

namespace {

// Slot 0 (the program), then the registered resource modules, up to the first empty slot.
std::vector<intptr_t> programModules() {
    std::vector<intptr_t> modules;
    for (size_t i = 0; i < InstanceTable::kSlots && instanceTable().at(i) != 0; ++i)
        modules.push_back(instanceTable().at(i));
    return modules;
}

}  // namespace

void wireCore() {
    rt::registerLibraryFunctions();
    rt::rdd::registerTableFunctions();
    rt::ntx::registerOrderFunctions();
    registerObjectFunctions();
    registerStartupFunctions();
    registerNativeFunctions();
    registerGdiFunctions();
    registerDebugFunctions();
    registerServiceClasses();
    registerControls();
    registerForms();
    registerWordListFunctions();
    dialogs::registerFileNameFunctions();
    dialogs::registerStructFunctions();
    texts::setTextModules(programModules);
    platform::wireServices(programModules);
}

}  // namespace vorpex
