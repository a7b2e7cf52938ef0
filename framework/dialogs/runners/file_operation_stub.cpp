#include "framework/dialogs/runners/file_operation.h"

namespace vorpex {

FileOperationAnswer runFileOperation(const FileOperation&) { return {}; }

}  // namespace vorpex
