// Without Windows there is no logged-on user or computer name to report.
#include "framework/core/error/error_platform.h"

namespace vorpex::errsys {

PlatformFacts platformFacts() { return {"", "", "0", "no Windows"}; }

}  // namespace vorpex::errsys
