#include "framework/dialogs/runners/find_replace.h"

namespace vorpex {

FindOutcome runFindReplace(const FindRequest&) { return {}; }

}  // namespace vorpex
