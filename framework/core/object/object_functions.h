// The object layer's functions callable by name (programs, macro calls): VP_GETCLASSPROPERTIES,
// VP_GETCLASSEVENTS, VP_OBJGETPROPERTIES and the class functions of the classes built here.
#pragma once

namespace vorpex {

// Idempotent; the start-up calls it before the program's procedures run.
void registerObjectFunctions();

}  // namespace vorpex
