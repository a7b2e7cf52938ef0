// Without windows there is no preview window to register.
#include "framework/print/preview/preview_classes.h"

namespace vorpex {

void registerPreviewClasses() {}

}  // namespace vorpex
