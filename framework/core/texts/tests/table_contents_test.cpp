// The generated table itself: which numbers each language carries, the texts
// that are fixed word for word, and the agreement of its two encodings.
#include "framework/core/texts/table_text_source.h"

#include "framework_texts_table.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace vorpex::texts {
namespace {

constexpr int kFirstId = 32768;
constexpr int kLastId = 32914;
constexpr int kNowhere = 32786;
constexpr int kEnglishSpanishOnly = 32881;
const std::set<int> kLanguages{0x03, 0x07, 0x09, 0x0A, 0x0C, 0x10, 0x16, 0x2D, 0x56};

std::map<int, std::set<int>> idsByLanguage()
{
    std::map<int, std::set<int>> ids;
    for (const TableText& entry : frameworkTable()) {
        ids[entry.language].insert(entry.id);
    }
    return ids;
}

TEST(FrameworkTable, EveryLanguageCarriesTheSameNumbers)
{
    std::set<int> english;
    for (int id = kFirstId; id <= kLastId; ++id) {
        if (id != kNowhere) {
            english.insert(id);
        }
    }
    ASSERT_EQ(english.size(), 146u);
    std::set<int> others = english;
    others.erase(kEnglishSpanishOnly);

    const auto ids = idsByLanguage();
    std::set<int> languages;
    for (const auto& [language, numbers] : ids) {
        languages.insert(language);
        const bool full = language == 0x09 || language == 0x0A;
        EXPECT_EQ(numbers, full ? english : others) << "language " << language;
    }
    EXPECT_EQ(languages, kLanguages);
}

TEST(FrameworkTable, IsSortedAndHasNoEmptyText)
{
    const auto table = frameworkTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_NE(*table[i].ansi, '\0') << table[i].id;
        if (i > 0) {
            const auto& a = table[i - 1];
            const auto& b = table[i];
            EXPECT_TRUE(a.language < b.language || (a.language == b.language && a.id < b.id)) << b.id;
        }
    }
}

TEST(FrameworkTable, KeepsTheFixedTextsWordForWord)
{
    const TableTextSource table;
    struct Fixed
    {
        int language;
        int id;
        const char* text;
    };
    const Fixed cases[] = {
        {0x09, 32768,
         "This application has been designed to run\ron Windows 98 / 2000 or a newer version.\r\r"
         "It is possible that it doesn't work fine,\ror simply, doesn't work at all."},
        {0x09, 32783, "Windows 16-bit running ontop MS-DOS"},
        {0x09, 32788, "Build "},
        {0x09, 32814,
         "   Work Area No.: %1\r\n   Alias Alias  : %2\r\n  Current Recno : %3\r\n  Current Filter: %4\r\n"
         "   Relation Exp.: %5\r\n     Index Order: %6\r\n      Active Key: %7\r\n"},
        {0x09, 32835,
         "Image files (*.bmp,*.dib,*.gif,*.jpg,*.jpeg)|*.bmp;*.dib;*.gif;*.jpg;*.jpeg|Bitmap files (*.bmp,*.dib)|"
         "*.bmp;*.dib|GIF files (*.gif)|*.gif|JPEG files (*.jpg,*.jpeg)|*.jpg;*.jpeg|All files (*.*)|*.*|"},
        {0x09, 32837, "Searching in the document has finished and %1 replacements has been done."},
        {0x0A, 32769, "\xA1" "ATENCI\xD3N!"},
        {0x0A, 32805, "Warning"},
        {0x0A, 32812,
         "      Subsistema: %1\r\n C\xF3" "digo de error: %2\r\n          Estado: %3\r\n     Descripci\xF3n: %4\r\n"
         "       Operaci\xF3n: %5\r\n      Argumentos: %6\r\n         Fichero: %7\r\n C\xF3" "digo error SO: %8\r\n"
         "\r\nPila de llamadas:\r\n"},
        // The JPEG filter lists "*.jpeg" files as the English one does.
        {0x0A, 32835,
         "Archivos de im\xE1genes (*.bmp,*.dib,*.gif,*.jpg,*.jpeg)|*.bmp;*.dib;*.gif;*.jpg;*.jpeg|Archivos bitmap "
         "(*.bmp,*.dib)|*.bmp;*.dib|Archivos GIF (*.gif)|*.gif|Archivos JPEG (*.jpg,*.jpeg)|*.jpg;*.jpeg|"
         "Todos los archivos (*.*)|*.*|"},
        {0x0A, 32859, "\xDAltima p\xE1gina"},
        {0x0A, 32868, "&Pagina actual"},
        {0x07, 32800, "&Beenden"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(table.find(c.id, c.language), c.text) << c.language << "/" << c.id;
    }
}

// Code page 1252 decoded independently of the generator: 0x80-0x9F are the
// only bytes that differ from Latin-1.
char16_t fromCp1252(unsigned char byte)
{
    static const char16_t high[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
    };
    return byte >= 0x80 && byte < 0xA0 ? high[byte - 0x80] : char16_t(byte);
}

TEST(FrameworkTable, AnsiAndWideFormsAgree)
{
    for (const TableText& entry : frameworkTable()) {
        std::u16string decoded;
        for (const char* p = entry.ansi; *p != '\0'; ++p) {
            decoded += fromCp1252(static_cast<unsigned char>(*p));
        }
        EXPECT_TRUE(decoded == entry.wide) << entry.language << "/" << entry.id;
    }
}

TEST(FrameworkTable, TranslationsKeepPlaceholdersAndMarks)
{
    // The generator refuses a source that breaks this; the check here guards
    // the generator itself.
    const TableTextSource table;
    const auto count = [](const std::string& text, const std::string& what) {
        int n = 0;
        for (auto pos = text.find(what); pos != std::string::npos; pos = text.find(what, pos + what.size())) {
            ++n;
        }
        return n;
    };
    for (const TableText& entry : frameworkTable()) {
        const auto english = table.find(entry.id, 0x09);
        ASSERT_TRUE(english) << entry.id;
        const std::string text = entry.ansi;
        for (const char* mark : {"%1", "%2", "%3", "%4", "%5", "%6", "%7", "%8", "%9", "%s"}) {
            EXPECT_EQ(count(text, mark), count(*english, mark)) << entry.language << "/" << entry.id << " " << mark;
        }
        EXPECT_EQ(count(text, "&") - 2 * count(text, "&&"), count(*english, "&") - 2 * count(*english, "&&"))
            << entry.language << "/" << entry.id;
    }
}

} // namespace
} // namespace vorpex::texts
