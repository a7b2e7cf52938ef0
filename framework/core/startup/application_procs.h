// The application module's start-up and exit procedures. INITAPPLICATION$ declares the publics Application,
// AppData, Screen and Printer and builds what exists: the application layer plugs its TApplication in with
// setApplicationFactory (its Initialize builds Screen, Printer and AppData too); without one only AppData is
// made. TERMINATEAPP$ ends the Application (which ends the others) or, without one, AppData, then runs
// TERMINATE(.F.).
#pragma once

#include <functional>

namespace vorpex {

// Builds the Application object and stores it (and what it makes) in the public variables.
using ApplicationFactory = std::function<void()>;
void setApplicationFactory(ApplicationFactory factory);

void initApplication();  // INITAPPLICATION$
void terminateApp();     // TERMINATEAPP$

// Registers both procedures with the runtime, once.
void installApplicationProcs();

}  // namespace vorpex
