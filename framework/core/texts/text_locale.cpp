#include "framework/core/texts/text_locale.h"

#include "framework/core/texts/text_source.h"

#include <array>
#include <utility>

namespace vorpex::texts {

namespace {

constexpr std::array<std::pair<std::string_view, int>, 9> kLanguages{{
    {"ca", 0x03}, {"de", 0x07}, {"en", 0x09}, {"es", 0x0A}, {"fr", 0x0C},
    {"it", 0x10}, {"pt", 0x16}, {"eu", 0x2D}, {"gl", 0x56},
}};

} // namespace

int languageOfLocaleName(std::string_view name)
{
    const std::string_view code = name.substr(0, name.find_first_of("_.@"));
    if (code.empty() || code == "C" || code == "POSIX") {
        return kEnglish;
    }
    for (const auto& [tag, language] : kLanguages) {
        if (code == tag) {
            return language;
        }
    }
    return 0;
}

} // namespace vorpex::texts
