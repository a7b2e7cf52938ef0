#include "framework/core/control/control_registry.h"

namespace vorpex {

void registerControls() {}

}  // namespace vorpex
