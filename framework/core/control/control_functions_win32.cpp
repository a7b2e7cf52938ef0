// What the control area registers at start-up.
#include "framework/core/control/control_registry.h"

#include "framework/core/control/control.h"
#include "framework/core/control/std_control.h"
#include "framework/core/control/win_control.h"
#include "framework/core/theme/theme.h"
#include "framework/core/window/window_proc.h"
#include "framework/core/gdi/bitmap_draw.h"

namespace vorpex {

void registerControls() {
    registerWindowFunctions();
    TControl::classRecord();
    TStdControl::classRecord();
    TWinControl::classRecord();
    theme::registerThemeFunctions();
    registerBitmapDrawFunctions();
}

}  // namespace vorpex
