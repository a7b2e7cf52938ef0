// The texts as a Windows program reads them from its resources. The table the
// resources were generated with is the reference: any slip in the .rc
// encoding, a lost entry or a block in the wrong language shows up here.
#include "framework/core/texts/framework_texts.h"
#include "framework/core/texts/resource_text_source.h"
#include "framework/core/texts/table_text_source.h"
#include "framework/core/texts/texts.h"
#include "framework/core/texts/texts_backend.h"

#include "framework_texts_table.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <set>

namespace vorpex::texts {
namespace {

constexpr int kSpanish = 0x0A;
constexpr int kGerman = 0x07;
constexpr int kJapanese = 0x11;

// Restores the thread locale a test changed.
class ThreadLocale
{
public:
    explicit ThreadLocale(int primaryLanguage) : saved_(GetThreadLocale())
    {
        SetThreadLocale(MAKELCID(MAKELANGID(primaryLanguage, SUBLANG_DEFAULT), SORT_DEFAULT));
    }
    ~ThreadLocale() { SetThreadLocale(saved_); }
    ThreadLocale(const ThreadLocale&) = delete;
    ThreadLocale& operator=(const ThreadLocale&) = delete;

private:
    LCID saved_;
};

TEST(ResourceTexts, EveryEntryEqualsTheTable)
{
    const ResourceTextSource resources({});
    const bool ansi1252 = GetACP() == 1252;
    for (const TableText& entry : frameworkTable()) {
        const auto wide = resources.findWide(entry.id, entry.language);
        ASSERT_TRUE(wide) << entry.language << "/" << entry.id;
        EXPECT_TRUE(*wide == entry.wide) << entry.language << "/" << entry.id;
        if (ansi1252) {
            EXPECT_EQ(resources.find(entry.id, entry.language), entry.ansi) << entry.language << "/" << entry.id;
        }
    }
    EXPECT_TRUE(ansi1252) << "the ANSI forms were not compared: code page " << GetACP();
}

TEST(ResourceTexts, CarryNothingTheTableLacks)
{
    const ResourceTextSource resources({});
    std::set<std::pair<int, int>> inTable;
    std::set<int> languages;
    for (const TableText& entry : frameworkTable()) {
        inTable.insert({entry.language, entry.id});
        languages.insert(entry.language);
    }
    for (int language : languages) {
        for (int id = 32752; id < 32928; ++id) {  // the whole blocks around the table
            EXPECT_EQ(resources.findWide(id, language).has_value(), inTable.count({language, id}) == 1)
                << language << "/" << id;
        }
    }
}

TEST(ResourceTexts, LookUpALanguageExactly)
{
    const ResourceTextSource resources({});
    const ThreadLocale spanish(kSpanish);
    // Windows' own lookup would answer a missing language with another one.
    EXPECT_EQ(resources.find(32800, kJapanese), std::nullopt);
    EXPECT_EQ(resources.find(32800, 0), std::nullopt);
    EXPECT_EQ(resources.find(32881, kGerman), std::nullopt);

    FrameworkTexts texts(resources, [] { return kSpanish; });
    EXPECT_EQ(texts.text(32800), "&Salir");
    texts.setLanguage(kJapanese);
    EXPECT_EQ(texts.text(32800), "&Quit");
    texts.setLanguage(kGerman);
    EXPECT_EQ(texts.text(32800), "&Beenden");
    EXPECT_EQ(texts.text(32881), "Forward-only set, operation not allowed");
    EXPECT_EQ(texts.text(32786), "");
    EXPECT_EQ(texts.plainText(32803), "Details");
    EXPECT_EQ(texts.text(32797, std::vector<std::string>{"a%2b", "7"}), "a%2b in ERRORSYS, Zeile: 7");
}

TEST(ResourceTexts, TriesTheModulesInOrder)
{
    const auto program = programModule();
    const auto other = reinterpret_cast<std::intptr_t>(GetModuleHandleW(L"kernel32.dll"));
    ASSERT_NE(other, 0);
    struct Case
    {
        const char* what;
        std::vector<std::intptr_t> modules;
        bool found;
    };
    const Case cases[] = {
        {"program only", {program}, true},
        {"a module without the block, then the program", {other, program}, true},
        {"an empty slot is skipped", {0, program}, true},
        {"no module has it", {other}, false},
        {"no list means the program", {}, true},
    };
    for (const auto& c : cases) {
        const ResourceTextSource resources([&c] { return c.modules; });
        EXPECT_EQ(resources.find(32800, kSpanish).has_value(), c.found) << c.what;
    }
}

TEST(ResourceTexts, LocaleDefaultFollowsTheThreadLocale)
{
    const std::pair<int, const char*> cases[] = {
        {kSpanish, "&Salir"}, {kGerman, "&Beenden"}, {0x0C, "&Quitter"}, {kJapanese, "&Quit"}, {0x09, "&Quit"},
    };
    const ResourceTextSource resources({});
    for (const auto& [language, expected] : cases) {
        const ThreadLocale locale(language);
        EXPECT_EQ(platformLocaleLanguage(), language);
        FrameworkTexts texts(resources, platformLocaleLanguage);
        EXPECT_EQ(texts.text(32800), expected) << language;
        EXPECT_EQ(texts.setLanguage(std::nullopt), language);
    }
}

// The only test in this program that touches the process-wide state.
TEST(ResourceTexts, ProcessWideCallsReadTheProgramResources)
{
    const ThreadLocale spanish(kSpanish);
    EXPECT_EQ(GETWINDOWSLANGUAGE(), kSpanish);
    EXPECT_EQ(SETLANGUAGE(), 0);
    EXPECT_EQ(LT(32869), "&Selecci\xF3n");
    EXPECT_EQ(SETLANGUAGE(), kSpanish);
    EXPECT_EQ(LT2(32869), "Selecci\xF3n");
    EXPECT_EQ(LT(32856, {"1", "2"}), "P\xE1gina 1 de 2");
    EXPECT_EQ(nativeLT(32786), std::nullopt);
    EXPECT_TRUE(GETLANGUAGES().empty());

    setTextModules([] { return std::vector<std::intptr_t>{reinterpret_cast<std::intptr_t>(GetModuleHandleW(L"kernel32.dll"))}; });
    EXPECT_EQ(LT(32800), "");
    setTextModules({});
    EXPECT_EQ(LT(32800), "&Salir");
}

} // namespace
} // namespace vorpex::texts
