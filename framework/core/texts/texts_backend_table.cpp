// Backend of builds without Windows resources: the generated table, and the
// locale from the POSIX environment.
#include "framework/core/texts/texts_backend.h"

#include "framework/core/texts/table_text_source.h"
#include "framework/core/texts/text_locale.h"

#include <cstdlib>

namespace vorpex::texts {

const TextSource& platformTextSource(TextModuleList /*modules*/)
{
    static const TableTextSource source;
    return source;
}

int platformLocaleLanguage()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return languageOfLocaleName(value);
        }
    }
    return languageOfLocaleName("");
}

} // namespace vorpex::texts
