#include "framework/core/texts/framework_texts.h"
#include "framework/core/texts/table_text_source.h"

#include "framework_texts_table.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace vorpex::texts {
namespace {

constexpr int kSpanish = 0x0A;
constexpr int kGerman = 0x07;
constexpr int kJapanese = 0x11;

FrameworkTexts::LocaleLanguage fixedLocale(int language)
{
    return [language] { return language; };
}

// ---- the generated table through the lookup rules --------------------------

struct LookupCase
{
    const char* what;
    int locale;
    std::optional<int> language;  // SETLANGUAGE before the call, if any
    int id;
    std::vector<std::string> args;
    bool plain;                   // LT2 instead of LT
    const char* expected;
};

TEST(FrameworkTexts, LooksUpTheFrameworkTable)
{
    const TableTextSource table;
    const LookupCase cases[] = {
        {"locale default", kSpanish, {}, 32800, {}, false, "&Salir"},
        {"set language wins over locale", kSpanish, kGerman, 32800, {}, false, "&Beenden"},
        {"locale without texts", kJapanese, {}, 32800, {}, false, "&Quit"},
        {"set language without texts", kSpanish, kJapanese, 32800, {}, false, "&Quit"},
        {"missing in German", kGerman, {}, 32881, {}, false, "Forward-only set, operation not allowed"},
        {"Spanish has it", kSpanish, {}, 32881, {}, false, "Set de tipo 'Forward-only', operaci\xF3n no permitida"},
        {"in no language", kSpanish, {}, 32786, {}, false, ""},
        {"in no language", 9, {}, 32786, {}, false, ""},
        {"beyond the table", 9, {}, 32915, {}, false, ""},
        {"negative number", 9, {}, -1, {}, false, ""},
        {"number past 16 bits", 9, {}, 0x10000 + 32800, {}, false, ""},
        {"LT2", 9, {}, 32803, {}, true, "Details"},
        {"LT2 Spanish", kSpanish, {}, 32832, {}, true, "Seleccionar todo"},
        {"two arguments", 9, {}, 32797, {"X", "7"}, false, "X inside ERRORSYS, line: 7"},
        {"one argument", 9, {}, 32797, {"X"}, false, "X inside ERRORSYS, line: %2"},
        {"no re-expansion", 9, {}, 32797, {"a%2b", "7"}, false, "a%2b inside ERRORSYS, line: 7"},
        {"Spanish placeholders", kSpanish, {}, 32856, {"3", "9"}, false, "P\xE1gina 3 de 9"},
        {"%s stays", 9, {}, 32854, {"x"}, false, "File %s format incorrect!"},
        {"LT2 keeps an argument's &", 9, {}, 32798, {"R&D"}, true, "Arguments: (R&D)"},
    };
    for (const auto& c : cases) {
        FrameworkTexts texts(table, fixedLocale(c.locale));
        if (c.language) {
            texts.setLanguage(*c.language);
        }
        const std::string got = c.plain ? texts.plainText(c.id, c.args) : texts.text(c.id, c.args);
        EXPECT_EQ(got, c.expected) << c.what << " (" << c.id << ")";
    }
}

TEST(FrameworkTexts, FindReportsMissingAsNothing)
{
    const TableTextSource table;
    FrameworkTexts texts(table, fixedLocale(kGerman));
    EXPECT_EQ(texts.find(32786), std::nullopt);
    EXPECT_EQ(texts.find(32803), "&Details");
    EXPECT_EQ(texts.find(32797), "%1 in ERRORSYS, Zeile: %2");  // found, never filled
}

// ---- the language state -----------------------------------------------------

TEST(FrameworkTexts, LanguageStateFollowsSetLanguageAndFirstLookup)
{
    const TableTextSource table;
    int localeCalls = 0;
    int locale = kSpanish;
    FrameworkTexts texts(table, [&] {
        ++localeCalls;
        return locale;
    });

    EXPECT_EQ(texts.setLanguage(std::nullopt), 0) << "unset before any lookup";
    EXPECT_EQ(localeCalls, 0) << "asking is no lookup";

    EXPECT_EQ(texts.text(32800), "&Salir");
    EXPECT_EQ(texts.setLanguage(std::nullopt), kSpanish) << "the first lookup keeps the locale's language";
    locale = kGerman;
    EXPECT_EQ(texts.text(32800), "&Salir") << "the locale is taken once";
    EXPECT_EQ(localeCalls, 1);

    EXPECT_EQ(texts.setLanguage(kGerman), kSpanish) << "returns the previous language";
    EXPECT_EQ(texts.text(32800), "&Beenden");

    EXPECT_EQ(texts.setLanguage(-1), kGerman) << "not a language: reported, not set";
    EXPECT_EQ(texts.setLanguage(0x10000), kGerman);
    EXPECT_EQ(texts.setLanguage(std::nullopt), kGerman);

    EXPECT_EQ(texts.setLanguage(0), kGerman) << "0 unsets";
    EXPECT_EQ(texts.setLanguage(std::nullopt), 0);
    locale = kJapanese;
    EXPECT_EQ(texts.text(32800), "&Quit") << "an unset language is taken from the locale again";
    EXPECT_EQ(texts.setLanguage(std::nullopt), kJapanese);
    EXPECT_EQ(localeCalls, 2);
}

// ---- fallback and neutral texts on a small table ----------------------------

// Sorted by language, then id, as the generator writes it.
const TableText kFixture[] = {
    {0x00, 5, "neutral five", u"neutral five"},
    {0x00, 7, "", u""},
    {0x00, 300, "beyond the neutral range", u""},
    {0x09, 100, "&Hello %1", u""},
    {0x09, 101, "only English", u""},
    {0x09, 102, "English 102", u""},
    {0x0A, 100, "&Hola %1", u""},
    {0x0A, 102, "", u""},
    {0x0A, 103, "only Spanish", u""},
};

TEST(FrameworkTexts, FallsBackToEnglishForAMissingOrEmptyText)
{
    const TableTextSource fixture(kFixture);
    FrameworkTexts texts(fixture, fixedLocale(kSpanish));
    const std::pair<int, const char*> cases[] = {
        {100, "&Hola %1"},     {101, "only English"}, {102, "English 102"},
        {103, "only Spanish"}, {104, ""},             {5, ""},
    };
    for (const auto& [id, expected] : cases) {
        EXPECT_EQ(texts.text(id), expected) << id;
    }
    EXPECT_EQ(texts.plainText(100, std::vector<std::string>{"R&D"}), "Hola R&D");
}

TEST(FrameworkTexts, ListsNonEmptyNeutralTextsUpTo255)
{
    const TableTextSource fixture(kFixture);
    FrameworkTexts texts(fixture, fixedLocale(kSpanish));
    EXPECT_EQ(texts.neutralTexts(), (std::vector<NeutralText>{{5, "neutral five"}}));

    const TableTextSource table;
    EXPECT_TRUE(FrameworkTexts(table, fixedLocale(kSpanish)).neutralTexts().empty());
}

} // namespace
} // namespace vorpex::texts
