// Backend of Windows builds: the texts from the program's resources, the
// language from the thread locale.
#include "framework/core/texts/texts_backend.h"

#include "framework/core/texts/resource_text_source.h"

#include <windows.h>

namespace vorpex::texts {

const TextSource& platformTextSource(TextModuleList modules)
{
    static const ResourceTextSource source(std::move(modules));
    return source;
}

int platformLocaleLanguage()
{
    // The low byte, not PRIMARYLANGID's ten bits: the same for every language
    // with framework texts, and what callers of GETWINDOWSLANGUAGE expect.
    return static_cast<int>(GetThreadLocale() & 0xFF);
}

} // namespace vorpex::texts
