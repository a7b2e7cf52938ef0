// The library functions callable by name (expressions, the programs, macro calls).
#pragma once

namespace rt {

// Registers Str, Val, SubStr, ..., Transform, the date and clock functions, Round, Int, Abs, Max, Min,
// Mod, ValType, Chr, Asc, IIf and Empty with rt::registerFunction. Called by the program start; calling it
// again registers the same functions again and changes nothing.
void registerLibraryFunctions();

}  // namespace rt
