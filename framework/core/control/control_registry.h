// Start-up of the control area: builds the control classes (TControl, TStdControl, TWinControl) and registers
// the callable functions of visual styles and the painting helpers, so that programs reach them by name.
// Controls own windows: elsewhere than on Windows it does nothing. Safe to call more than once.
#pragma once

namespace vorpex {

void registerControls();

}  // namespace vorpex
