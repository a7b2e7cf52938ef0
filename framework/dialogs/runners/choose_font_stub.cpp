#include "framework/dialogs/runners/choose_font.h"

namespace vorpex {

FontAnswer runChooseFont(const FontRequest&) { return {}; }

}  // namespace vorpex
