// The clipboard's format rules without a clipboard: names, the file list as written and as read back from
// records other programs write (offset list, wide names, no terminator), and a clipboard that cannot be
// opened.
#include <gtest/gtest.h>

#include <cstring>

#include "framework/graphics/clipboard/clipboard.h"
#include "framework/graphics/clipboard/clipboard_formats.h"
#include "runtime/core/send.h"

namespace vorpex::clip {
namespace {

using namespace std::string_literals;
using rt::Value;

std::string toNarrow(std::u16string_view w) {
    std::string s;
    for (char16_t c : w) s += c < 0x100 ? static_cast<char>(c) : '?';
    return s;
}

// A DROPFILES record as a program writing wide names puts it: pFiles past a larger header.
std::string wideRecord(uint32_t offset, std::u16string names) {
    std::string block(offset, '\0');
    std::memcpy(block.data(), &offset, 4);
    uint32_t wide = 1;
    std::memcpy(block.data() + 16, &wide, 4);
    block.append(reinterpret_cast<const char*>(names.data()), names.size() * 2);
    return block;
}

TEST(ClipboardFormats, NamesOfTheStandardFormats) {
    struct Case {
        int64_t format;
        const char* name;
    } cases[] = {{1, "TEXT"}, {2, "BITMAP"}, {13, "UNICODETEXT"}, {15, "HDROP"}, {17, "DIBV5"},
                 {18, ""},    {0, ""},       {-1, ""},            {19, ""}};
    for (const Case& c : cases) EXPECT_EQ(standardFormatName(c.format), c.name) << c.format;
}

TEST(ClipboardFormats, RegisteredRangeIncludesItsFirstNumber) {
    EXPECT_TRUE(isRegisteredFormat(0xC000));
    EXPECT_TRUE(isRegisteredFormat(0xFFFF));
    EXPECT_FALSE(isRegisteredFormat(0xBFFF));
    EXPECT_FALSE(isRegisteredFormat(0x200));  // a private format of an owner-display program
    EXPECT_TRUE(isSystemFormat(17));
    EXPECT_FALSE(isSystemFormat(18));
}

TEST(ClipboardFormats, DropListFromArrayOrText) {
    const std::string expected = "a.txt\0b.txt\0\0"s;
    EXPECT_EQ(dropList(Value::array({"a.txt", "b.txt"})), expected);
    EXPECT_EQ(dropList(Value("a.txt\0b.txt"s)), expected);
    EXPECT_EQ(dropList(Value("a.txt\0b.txt\0"s)), expected);
    EXPECT_EQ(dropList(Value("one.txt")), "one.txt\0\0"s);
    EXPECT_EQ(dropList(Value("one.txt\0"s)), "one.txt\0\0"s);
    EXPECT_EQ(dropList(Value::array({})), "\0"s);
}

TEST(ClipboardFormats, DropFilesRecordLayout) {
    std::string block = dropFilesBlock(dropList(Value::array({"a.txt", "b.txt"})));
    ASSERT_GE(block.size(), 20u);
    uint32_t words[5];
    std::memcpy(words, block.data(), 20);
    EXPECT_EQ(words[0], 20u);  // pFiles
    EXPECT_EQ(words[1], 0u);
    EXPECT_EQ(words[2], 0u);
    EXPECT_EQ(words[3], 0u);
    EXPECT_EQ(words[4], 0u);  // narrow names
    EXPECT_EQ(block.substr(20, 13), "a.txt\0b.txt\0\0"s);
    EXPECT_EQ(readDropFiles(block, toNarrow), (std::vector<std::string>{"a.txt", "b.txt"}));
}

TEST(ClipboardFormats, ReadsListsOtherProgramsWrite) {
    std::vector<std::string> two{"C:\\d\\a.txt", "C:\\d\\b.txt"};
    // Wide names behind a header of another size, the way the shell places a file list.
    EXPECT_EQ(readDropFiles(wideRecord(24, u"C:\\d\\a.txt\0C:\\d\\b.txt\0\0"s), toNarrow), two);
    // No terminator at the very end: the last name still counts and nothing is read past the block.
    EXPECT_EQ(readDropFiles(wideRecord(20, u"C:\\d\\a.txt\0C:\\d\\b.txt"s), toNarrow), two);
    // A wide record whose last character is cut in half.
    std::string odd = wideRecord(20, u"x.txt"s);
    odd.push_back('y');
    EXPECT_EQ(readDropFiles(odd, toNarrow), std::vector<std::string>{"x.txt"});
}

TEST(ClipboardFormats, UnusableRecordsGiveNoNames) {
    EXPECT_TRUE(readDropFiles("short", toNarrow).empty());
    std::string pastEnd = dropFilesBlock("a\0\0"s);
    uint32_t offset = 4000;
    std::memcpy(pastEnd.data(), &offset, 4);
    EXPECT_TRUE(readDropFiles(pastEnd, toNarrow).empty());
    uint32_t inHeader = 4;
    std::memcpy(pastEnd.data(), &inHeader, 4);
    EXPECT_TRUE(readDropFiles(pastEnd, toNarrow).empty());
}

TEST(ClipboardFormats, SplitAndJoinLists) {
    EXPECT_EQ(splitDropList("a\0b\0\0c\0"s), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(splitDropList("a"), std::vector<std::string>{"a"});
    EXPECT_TRUE(splitDropList("").empty());
    EXPECT_EQ(joinDropList({"a", "b"}), "a\0b\0\0"s);
}

#ifndef _WIN32
// Without a clipboard every operation takes the path of a clipboard that cannot be opened.
TEST(ClipboardClass, OperationsFailWhenTheClipboardCannotOpen) {
    Value c = rt::send(Value(TClipboard::classRecord().instantiate()), "New");
    EXPECT_FALSE(rt::send(c, "SetText", {"x"}).asLogical());
    EXPECT_TRUE(rt::send(c, "GetText").isNil());
    EXPECT_EQ(rt::send(c, "EnumFormats").asArray()->size(), 0u);
    EXPECT_EQ(rt::send(c, "GetDropFiles").asArray()->size(), 0u);
    EXPECT_FALSE(rt::send(c, "Empty").asLogical());
    EXPECT_TRUE(rt::send(c, "IsEmpty").asLogical());
    EXPECT_EQ(rt::send(c, "GetFormatName", {15}).asString(), "HDROP");
    EXPECT_EQ(rt::send(c, "GetFormatName", {18}).asString(), "");
    EXPECT_TRUE(rt::send(c, "IsSystemFormat", {1}).asLogical());
}
#endif

}  // namespace
}  // namespace vorpex::clip
