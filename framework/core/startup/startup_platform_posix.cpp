#include <cstdio>
#include <cstdlib>

#include "framework/core/startup/startup_platform.h"

namespace vorpex::platform {

int showCrashText(const std::string& text) {
    std::fputs(text.c_str(), stderr);
    return 0;
}

void exitProcess(int code) { std::exit(code); }

std::string moduleFileName(intptr_t) { return {}; }

void wireServices(const std::function<std::vector<intptr_t>()>&) {}

}  // namespace vorpex::platform
