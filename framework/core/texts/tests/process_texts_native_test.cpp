// The process-wide calls as a program sees them: nothing has set the language
// yet, and the locale comes from the environment. Every check runs in one test
// because the state they observe lives for the whole process.
#include "framework/core/texts/texts.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace vorpex::texts {
namespace {

TEST(ProcessTexts, FreshProcessTakesTheLocaleOnFirstLookup)
{
    ASSERT_EQ(setenv("LC_ALL", "es_ES.UTF-8", 1), 0);
    EXPECT_EQ(GETWINDOWSLANGUAGE(), 0x0A);

    EXPECT_EQ(SETLANGUAGE(), 0);
    EXPECT_EQ(LT(32800), "&Salir");
    EXPECT_EQ(SETLANGUAGE(), 0x0A);

    EXPECT_EQ(SETLANGUAGE(7), 0x0A);
    EXPECT_EQ(LT(32800), "&Beenden");
    EXPECT_EQ(LT2(32800), "Beenden");
    EXPECT_EQ(LT(32881), "Forward-only set, operation not allowed");
    EXPECT_EQ(LT(32797, {"X", "7"}), "X in ERRORSYS, Zeile: 7");
    EXPECT_EQ(nativeLT(32797), "%1 in ERRORSYS, Zeile: %2");
    EXPECT_EQ(nativeLT2(32803), "Details");
    EXPECT_EQ(nativeLT(32786), std::nullopt);
    EXPECT_EQ(nativeLT2(32786), std::nullopt);
    EXPECT_TRUE(GETLANGUAGES().empty());

    // The module hook belongs to the resource backend; the table ignores it.
    setTextModules([] { return std::vector<std::intptr_t>{}; });
    EXPECT_EQ(LT(32800), "&Beenden");
}

} // namespace
} // namespace vorpex::texts
