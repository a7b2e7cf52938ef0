// The standard controls' start-up: TLabel, TButton, TEdit, TMemo and TErrorForm become callable by name, and
// the error handler shows its errors on the error form. Safe to call more than once.
#pragma once

namespace vorpex {

void registerStandardControls();

}  // namespace vorpex
