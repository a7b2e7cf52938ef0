// Without windows there is no application object to plug in: start-up builds AppData alone.
#include "framework/core/app/application_layer.h"

namespace vorpex {

void installApplicationLayer() {}

}  // namespace vorpex
