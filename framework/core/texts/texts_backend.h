// The platform's own text source and locale, chosen at build time: the
// resource backend on Windows, the generated table elsewhere.
#pragma once

#include "framework/core/texts/framework_texts.h"
#include "framework/core/texts/texts.h"

namespace vorpex::texts {

// Lives for the whole process. `modules` is asked on every lookup, so a module
// registered later is seen at once.
const TextSource& platformTextSource(TextModuleList modules);

// The primary language of the user's locale.
int platformLocaleLanguage();

} // namespace vorpex::texts
