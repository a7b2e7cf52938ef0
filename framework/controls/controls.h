// The standard controls' start-up: TLabel, TButton, TEdit, TMemo and TErrorForm become callable by name, as do
// the word-list functions (VP_WL*), and the error handler shows its errors on the error form. Safe to call more
// than once.
#pragma once

namespace vorpex {

void registerStandardControls();

}  // namespace vorpex
