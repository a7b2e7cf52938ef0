// Start-up of the form classes: builds TScrollingWinControl, TForm and TMDIClient so that programs reach them
// by name. Forms own windows: elsewhere than on Windows it does nothing. Safe to call more than once.
#pragma once

namespace vorpex {

void registerForms();

}  // namespace vorpex
