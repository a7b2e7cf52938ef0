// The standard controls' start-up: TLabel, TButton, TEdit and TMemo become callable by name. Safe to call
// more than once.
#pragma once

namespace vorpex {

void registerStandardControls();

}  // namespace vorpex
