// Natively the browse library holds the model alone: there is no class to register.
#include "framework/browse/browse_wiring.h"

namespace vorpex {

void registerBrowse() {}

}  // namespace vorpex
