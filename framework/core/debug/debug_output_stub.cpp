#include <string_view>

namespace vorpex {

// Without Windows there is no debugger output to write to.
void platformDebugOutput(std::string_view) {}

}  // namespace vorpex
