#include "framework/dialogs/dialogs.h"

#include "framework/core/ex_struct/ex_struct.h"
#include "framework/core/ex_struct/struct_stack.h"
#include "framework/core/file_name/file_name.h"
#include "framework/core/file_name/file_name_functions.h"
#include "framework/dialogs/registry/registry.h"

namespace vorpex {

void registerDialogServices() {
    dialogs::XFileName::classRecord();
    dialogs::TFileName::classRecord();
    dialogs::XExStruct::classRecord();
    dialogs::TExStruct::classRecord();
    dialogs::XRegistry::classRecord();
    dialogs::TRegistry::classRecord();
    dialogs::registerFileNameFunctions();
    dialogs::registerStructFunctions();
}

}  // namespace vorpex
