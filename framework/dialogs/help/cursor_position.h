// Where the mouse cursor is on the screen; {0, 0} where there is no screen.
#pragma once

#include <cstdint>

namespace vorpex {

struct CursorPosition {
    int64_t x = 0, y = 0;
};

CursorPosition cursorPosition();

}  // namespace vorpex
