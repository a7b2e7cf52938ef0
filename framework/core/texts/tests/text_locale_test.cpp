#include "framework/core/texts/text_locale.h"

#include <gtest/gtest.h>

namespace vorpex::texts {
namespace {

TEST(TextLocale, MapsPosixLocaleNamesToPrimaryLanguages)
{
    const std::pair<const char*, int> cases[] = {
        {"es_ES.UTF-8", 0x0A}, {"es", 0x0A},          {"ca_ES@valencia", 0x03}, {"de_AT.ISO-8859-1", 0x07},
        {"en_GB", 0x09},       {"fr_CA.utf8", 0x0C},  {"it_IT", 0x10},          {"pt_BR.UTF-8", 0x16},
        {"eu_ES", 0x2D},       {"gl_ES.UTF-8", 0x56}, {"C", 0x09},              {"C.UTF-8", 0x09},
        {"POSIX", 0x09},       {"", 0x09},            {"ja_JP.UTF-8", 0},       {"esp", 0},
    };
    for (const auto& [name, language] : cases) {
        EXPECT_EQ(languageOfLocaleName(name), language) << name;
    }
}

} // namespace
} // namespace vorpex::texts
