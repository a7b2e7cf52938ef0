// The programs' texts are Spanish in code page 1252. The Wine environment pins
// that code page; these tests fail loudly if it ever drifts (another locale, a
// UTF-8 ANSI page), instead of letting accented names turn into garbage.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kAccented = "\xE1\xE9\xED\xF3\xFA\xF1";  // áéíóúñ in 1252
const std::wstring kAccentedWide = L"\u00E1\u00E9\u00ED\u00F3\u00FA\u00F1";

std::wstring toWide(const std::string& text)
{
    std::wstring wide(text.size() * 2 + 1, L'\0');
    int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                static_cast<int>(wide.size()));
    wide.resize(n > 0 ? n : 0);
    return wide;
}

std::string toAnsi(const std::wstring& wide)
{
    std::string text(wide.size() * 4 + 1, '\0');
    BOOL lossy = FALSE;
    int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
                                static_cast<int>(text.size()), nullptr, &lossy);
    text.resize(n > 0 && !lossy ? n : 0);
    return text;
}

} // namespace

TEST(CodePage, AnsiCodePageIs1252)
{
    EXPECT_EQ(GetACP(), 1252u);
}

TEST(CodePage, AccentedTextSurvivesRoundTrip)
{
    const std::wstring wide = toWide(kAccented);
    EXPECT_EQ(wide, kAccentedWide);
    EXPECT_EQ(toAnsi(wide), kAccented);
}

TEST(CodePage, AnsiCaseMappingKnowsAccents)
{
    char text[] = "\xE1\xE9\xED\xF3\xFA\xF1";
    CharUpperA(text);
    EXPECT_STREQ(text, "\xC1\xC9\xCD\xD3\xDA\xD1");  // ÁÉÍÓÚÑ
    EXPECT_TRUE(IsCharAlphaA('\xF1'));
}
