// The standard controls' start-up: every control class (label, button, edit, memo, masked edit, progress bar,
// group box, bevel, panel, tool tip and balloon, scroll bar, header and its items, in-place editor, combo box,
// list box) and TErrorForm become callable by name, as do the word-list (VP_WL*), mask, scroll-information and
// header-item functions, and the error handler shows its errors on the error form. Safe to call more than once.
#pragma once

namespace vorpex {

void registerStandardControls();

}  // namespace vorpex
