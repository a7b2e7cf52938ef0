#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "framework/core/native/escape.h"
#include "framework/core/native/log_file.h"
#include "framework/core/native/text_utility.h"
#include "runtime/core/block.h"
#include "call.h"

namespace vorpex {
namespace {

using testing::call;
namespace fs = std::filesystem;

TEST(Escape, EncodeTable) {
    const struct {
        std::string text;
        bool quoted;
        std::string expected;
    } cases[] = {
        {"ab", true, "\"ab\""},
        {"ab", false, "ab"},
        {"a\tb", true, "e\"a\\tb\""},
        {"a\tb", false, "a\\tb"},
        {"say \"hi\"", true, "e\"say \\\"hi\\\"\""},
        {"say \"hi\"", false, "say \"hi\""},  // quotes escaped only in the quoted form
        {std::string("\0\r\n\\", 4), false, "\\0\\r\\n\\\\"},
        {"", true, "\"\""},
    };
    for (const auto& c : cases) EXPECT_EQ(encodeEscapes(c.text, c.quoted), c.expected) << c.text;
}

TEST(Escape, DecodeTable) {
    const std::pair<std::string, std::string> cases[] = {
        {"a\\tb", "a\tb"},
        {"\\r\\n\\0\\\"\\\\", std::string("\r\n\0\"\\", 5)},
        {"\\q", "\\q"},          // unknown sequence kept
        {"end\\", "end\\"},      // a lone backslash at the end is no sequence
        {"\\", "\\"},
        {"", ""},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(decodeEscapes(text), expected) << text;
}

TEST(Escape, RoundTripOfEveryByte) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    all += "\\\\n\\";  // backslashes next to letters of sequences
    EXPECT_EQ(decodeEscapes(encodeEscapes(all, false)), all);
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(decodeEscapes(encodeEscapes(one, false)), one) << b;
    }
}

TEST(Escape, Callables) {
    EXPECT_EQ(call("STRENCODEESCAPE", {"a\tb", true}).asString(), "e\"a\\tb\"");
    EXPECT_EQ(call("STRDECODEESCAPE", {"a\\tb"}).asString(), "a\tb");
    EXPECT_EQ(call("STRENCODEESCAPE", {5}).asString(), "");
    EXPECT_EQ(call("STRDECODEESCAPE", {}).asString(), "");
}

TEST(TextUtility, IsStringNumeric) {
    const std::pair<rt::Value, bool> cases[] = {
        {"", true}, {"12.5", true}, {"007", true}, {"1a", false}, {"-1", false}, {" 1", false}, {12, false},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(call("ISSTRINGNUMERIC", {text}).asLogical(), expected);
}

TEST(TextUtility, DebugLineIsBounded) {
    const std::string_view pieces[] = {"ab", "cd"};
    EXPECT_EQ(joinForDebug(pieces), "ab cd ");
    EXPECT_EQ(joinForDebug(pieces, 4), "ab c");
    const std::string big(10000, 'x');
    const std::string_view one[] = {big};
    EXPECT_EQ(joinForDebug(one).size(), 8192u);
}

TEST(TextUtility, WideLengthIsBoundedByTheBytes) {
    EXPECT_EQ(wideLength(std::string("A\0B\0", 4)), 2u);
    EXPECT_EQ(wideLength(std::string("A\0B", 3)), 1u);  // an odd last byte is no character
    EXPECT_EQ(wideLength(std::string("A\0\0\0B\0", 6)), 1u);
    EXPECT_EQ(wideLength(""), 0u);
}

TEST(ToString, Table) {
    const rt::Value block(rt::makeBlock([](rt::Args) { return rt::Value(1); }, "{|| 1 }"));
    EXPECT_EQ(call("TOSTRING", {true}).asString(), ".T.");
    EXPECT_EQ(call("TOSTRING", {false}).asString(), ".F.");
    EXPECT_EQ(call("TOSTRING", {block}).asString(), "{|| ... }");
    EXPECT_EQ(call("TOSTRING", {rt::Value(), "x"}).asString(), "x");
    EXPECT_EQ(call("TOSTRING", {"abc", "x"}).asString(), "abc");
    // Numbers as Str() shows them without its leading blanks; dates in the date format.
    EXPECT_EQ(call("TOSTRING", {42}).asString(), "42");
    EXPECT_EQ(call("TOSTRING", {rt::Value::number(-3.5, 10, 2)}).asString(), "-3.50");
    EXPECT_EQ(call("TOSTRING", {rt::Value(), 7}).asString(), "7");
    EXPECT_EQ(call("TOSTRING", {"  padded  "}).asString(), "  padded  ");
}

class LogFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = fs::current_path();
        folder_ = fs::temp_directory_path() / ("vorpex-log-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                              "-" + std::to_string(reinterpret_cast<uintptr_t>(this)));
        fs::create_directories(folder_);
        fs::current_path(folder_);
    }
    void TearDown() override {
        fs::current_path(previous_);
        fs::remove_all(folder_);
    }
    static std::string contents() {
        std::ifstream in(kLogFileName, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    fs::path previous_, folder_;
};

TEST_F(LogFileTest, AppendsLinesAndKeepsEarlierContent) {
    std::ofstream(kLogFileName, std::ios::binary) << "old\r\n";
    call("LOGFILE", {"a"});
    call("LOGFILE", {"b"});
    EXPECT_EQ(contents(), "old\r\na\r\nb\r\n");
}

TEST_F(LogFileTest, CreatesTheFileAndJoinsPiecesWithoutSeparator) {
    EXPECT_TRUE(logFile({"x", "y", std::string_view("\0z", 2)}));
    EXPECT_EQ(contents(), std::string("xy\0z\r\n", 6));
}

TEST_F(LogFileTest, NonTextWritesNothing) {
    call("LOGFILE", {12});
    EXPECT_FALSE(fs::exists(kLogFileName));
}

}  // namespace
}  // namespace vorpex
