// Maps a POSIX locale name to the Windows primary language number, so the
// table backend picks the same default language a Windows program would.
#pragma once

#include <string_view>

namespace vorpex::texts {

// "es_ES.UTF-8" -> 0x0A; "C", "POSIX" and "" -> English; a language without
// framework texts -> 0 (no language: lookups fall back to English).
int languageOfLocaleName(std::string_view name);

} // namespace vorpex::texts
