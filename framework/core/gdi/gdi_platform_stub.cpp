// Where there is no Windows there is nothing to draw on.
#include "framework/core/gdi/gdi_functions.h"

namespace vorpex {

void registerPlatformGdiFunctions() {}

}  // namespace vorpex
