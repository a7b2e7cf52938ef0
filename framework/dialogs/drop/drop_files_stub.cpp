// Without a shell there is nothing to drop.
#include "framework/dialogs/drop/drop_files.h"

namespace vorpex {

void registerDropFunctions() {}

}  // namespace vorpex
