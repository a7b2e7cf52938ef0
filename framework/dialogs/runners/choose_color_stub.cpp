#include "framework/dialogs/runners/choose_color.h"

namespace vorpex {

ColorAnswer runChooseColor(const ColorRequest&) { return {}; }

}  // namespace vorpex
