#include <windows.h>

#include <string>
#include <string_view>

namespace vorpex {

void platformDebugOutput(std::string_view text) {
    const std::string line(text);  // the API wants a terminated text
    OutputDebugStringA(line.c_str());
}

}  // namespace vorpex
