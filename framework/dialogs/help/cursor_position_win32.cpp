#include <windows.h>

#include "framework/dialogs/help/cursor_position.h"

namespace vorpex {

CursorPosition cursorPosition() {
    POINT p{};
    if (!GetCursorPos(&p)) return {};
    return {p.x, p.y};
}

}  // namespace vorpex
