// Where there is no Windows there are no graphics functions to register.
#include "framework/graphics/graphics.h"

namespace vorpex {

void registerPlatformGraphicsFunctions() {}

}  // namespace vorpex
