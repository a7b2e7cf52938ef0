// What the log asks of the operating system: who runs the program, on which computer, how much memory is
// free, and which Windows it is.
#pragma once

#include <string>

namespace vorpex::errsys {

struct PlatformFacts {
    std::string user, computer, freeMemory, platform;
};

PlatformFacts platformFacts();

}  // namespace vorpex::errsys
