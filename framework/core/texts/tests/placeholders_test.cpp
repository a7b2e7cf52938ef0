#include "framework/core/texts/placeholders.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorpex::texts {
namespace {

struct FillCase
{
    const char* text;
    std::vector<std::string> args;
    const char* expected;
};

TEST(Placeholders, FillsInOnePassAndLeavesTheRest)
{
    const FillCase cases[] = {
        {"%1 inside ERRORSYS, line: %2", {"X", "7"}, "X inside ERRORSYS, line: 7"},
        {"%1 inside ERRORSYS, line: %2", {"X"}, "X inside ERRORSYS, line: %2"},
        {"%1 inside ERRORSYS, line: %2", {}, "%1 inside ERRORSYS, line: %2"},
        // An argument is copied, never scanned again.
        {"%1 inside ERRORSYS, line: %2", {"a%2b", "7"}, "a%2b inside ERRORSYS, line: 7"},
        {"%1|%2", {"%2", "%1"}, "%2|%1"},
        {"%2 before %1", {"one", "two"}, "two before one"},
        {"File %s format incorrect!", {"x"}, "File %s format incorrect!"},
        {"%0 %% %a 100%", {"x"}, "%0 %% %a 100%"},
        {"%%1", {"x"}, "%x"},
        {"end %", {"x"}, "end %"},
        {"%9", {"1", "2", "3", "4", "5", "6", "7", "8", "nine"}, "nine"},
        {"%1%1", {"ab"}, "abab"},
        {"%1", {""}, ""},
        {"", {"x"}, ""},
        {"%10", {"a", "b"}, "a0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fillPlaceholders(c.text, c.args), c.expected) << c.text;
    }
}

TEST(Placeholders, KeepsEmbeddedNulsAndHighBytes)
{
    const std::string text("\xE1%1\x00z", 5);
    const std::vector<std::string> args{std::string("a\x00" "b", 3)};
    EXPECT_EQ(fillPlaceholders(text, args), std::string("\xE1" "a\x00" "b\x00z", 6));
}

TEST(Placeholders, RemovesAcceleratorMarks)
{
    const std::pair<const char*, const char*> cases[] = {
        {"&Details", "Details"},
        {"Select &all", "Select all"},
        {"R&&D", "R&D"},
        {"&&&x", "&x"},
        {"&&&&", "&&"},
        {"trailing&", "trailing"},
        {"no marks", "no marks"},
        {"", ""},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(removeAccelerators(text), expected) << text;
    }
}

} // namespace
} // namespace vorpex::texts
