// Plugs the application layer into start-up: INITAPPLICATION$ then makes TApplication (with its hidden window,
// Screen, Printer and AppData), and the window and loop functions become callable by name. On a platform
// without windows it does nothing.
#pragma once

namespace vorpex {

void installApplicationLayer();

}  // namespace vorpex
