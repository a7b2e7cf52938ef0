// The framework texts as the rest of the framework calls them: one process-wide
// language and the program's own table (its resources on Windows).
#pragma once

#include "framework/core/texts/framework_texts.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vorpex::texts {

// LT(nId, [c1..c9]): the text in the current language (English when that has
// none) with %1..%9 filled; "" when neither language has it.
std::string LT(int id, const std::vector<std::string>& args = {});

// LT2(nId, [c1..c9]): as LT, without "&" accelerator marks.
std::string LT2(int id, const std::vector<std::string>& args = {});

// SETLANGUAGE([nLang]): sets the language when given and returns the previous
// one; 0 while neither a call with a language nor a first lookup has set it.
int SETLANGUAGE(std::optional<int> language = std::nullopt);

// GETWINDOWSLANGUAGE(): the low byte of the thread locale.
int GETWINDOWSLANGUAGE();

// GETLANGUAGES(): {id, text} of each non-empty language-neutral text 0-255.
std::vector<NeutralText> GETLANGUAGES();

// The native layer's lookups: no placeholder filling, nothing when missing.
std::optional<std::string> nativeLT(int id);
std::optional<std::string> nativeLT2(int id);

// Modules whose resources hold the texts, tried in order (Windows only; the
// table backend has no modules). Unset or empty: the program's own module.
using TextModuleList = std::function<std::vector<std::intptr_t>()>;
void setTextModules(TextModuleList modules);

// The process-wide instance, for code that needs more than the calls above.
FrameworkTexts& frameworkTexts();

} // namespace vorpex::texts
