// What a program built on the framework provides: its main procedure. The framework's WinMain starts the
// runtime (error system, start-up procedures such as INITAPPLICATION$), runs MAIN, and ends the program
// through Terminate. Define it once, at global scope:
//
//     #include "framework/core/startup/program.h"
//     void MAIN() { ... Application():Run() ... }
#pragma once

void MAIN();
