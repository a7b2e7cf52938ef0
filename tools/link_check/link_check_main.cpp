// The program of vorpex_link_check (cmake/VorpexLinkCheck.cmake): it exists to be linked with every library
// whole, never to be run.
#include "framework/core/startup/program.h"

void MAIN() {}
