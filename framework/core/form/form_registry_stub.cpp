#include "framework/core/form/form_registry.h"

namespace vorpex {

void registerForms() {}

}  // namespace vorpex
