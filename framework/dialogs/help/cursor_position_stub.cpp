#include "framework/dialogs/help/cursor_position.h"

namespace vorpex {

CursorPosition cursorPosition() { return {}; }

}  // namespace vorpex
