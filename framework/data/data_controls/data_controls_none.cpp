// Without windows there are no edits to bind: the shared data members serve the tests' window-less edits.
#include "framework/data/data_controls/data_controls.h"

namespace vorpex {

void registerDataControls() {}

}  // namespace vorpex
