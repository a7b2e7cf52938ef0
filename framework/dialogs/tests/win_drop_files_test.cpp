// Dropped files under Wine: a drop block as the shell builds it, read through the drop functions: every name
// at its full length, the point into an array or two variables, and no second release of the block.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "framework/dialogs/drop/drop_files.h"
#include "tests/support/function_call.h"

namespace vorpex::testing {
namespace {

using rt::Value;
using rt::testing::call;

// A movable DROPFILES block with ANSI names, the drop point and whether it is outside the client area.
HDROP makeDrop(const std::vector<std::string>& names, POINT at, bool nonClient) {
    size_t bytes = sizeof(DROPFILES) + 1;
    for (const auto& n : names) bytes += n.size() + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    if (!block) return nullptr;
    auto* header = static_cast<DROPFILES*>(GlobalLock(block));
    header->pFiles = sizeof(DROPFILES);
    header->pt = at;
    header->fNC = nonClient;
    header->fWide = FALSE;
    char* text = reinterpret_cast<char*>(header + 1);
    for (const auto& n : names) {
        std::memcpy(text, n.c_str(), n.size() + 1);
        text += n.size() + 1;
    }
    GlobalUnlock(block);
    return static_cast<HDROP>(block);
}

Value dropValue(HDROP drop) { return Value(static_cast<int64_t>(reinterpret_cast<intptr_t>(drop))); }

class WinDropFilesTest : public ::testing::Test {
protected:
    void SetUp() override { registerDropFunctions(); }
};

TEST_F(WinDropFilesTest, EveryNameAtItsFullLengthAndTheDropReleasedOnce) {
    const std::string longName = "C:\\" + std::string(300, 'a') + ".txt";
    HDROP drop = makeDrop({"C:\\data\\one.dbf", longName}, {5, 7}, false);
    ASSERT_NE(drop, nullptr);
    const Value names = call("DRAGQUERYFILE", {dropValue(drop)});
    ASSERT_TRUE(names.isArray());
    ASSERT_EQ(names.asArray()->items.size(), 2u);
    EXPECT_EQ(names.asArray()->items[0].asString(), "C:\\data\\one.dbf");
    EXPECT_EQ(names.asArray()->items[1].asString(), longName);
    EXPECT_EQ(GlobalFlags(drop), static_cast<UINT>(GMEM_INVALID_HANDLE)) << "the drop was not released";
    call("DRAGFINISH", {dropValue(drop)});  // already released: ignored, not freed again
    EXPECT_TRUE(call("DRAGQUERYFILE", {Value(int64_t{0})}).asArray()->items.empty());
}

TEST_F(WinDropFilesTest, ThePointGoesIntoAnArrayOrTwoVariables) {
    HDROP inside = makeDrop({"C:\\a.txt"}, {5, 7}, false);
    HDROP outside = makeDrop({"C:\\a.txt"}, {-3, 2}, true);
    ASSERT_TRUE(inside && outside);
    const Value point = Value::array({});
    EXPECT_TRUE(call("DRAGQUERYPOINT", {dropValue(inside), point}).asLogical());
    ASSERT_EQ(point.asArray()->items.size(), 2u);
    EXPECT_EQ(point.asArray()->items[0].asInteger(), 5);
    EXPECT_EQ(point.asArray()->items[1].asInteger(), 7);

    auto x = std::make_shared<Value>(), y = std::make_shared<Value>();
    EXPECT_FALSE(call("DRAGQUERYPOINT", {dropValue(outside), Value::reference(x), Value::reference(y)}).asLogical());
    EXPECT_EQ(x->asInteger(), -3);
    EXPECT_EQ(y->asInteger(), 2);
    call("DRAGFINISH", {dropValue(inside)});
    call("DRAGFINISH", {dropValue(outside)});
    EXPECT_FALSE(call("DRAGQUERYPOINT", {Value(int64_t{0}), Value::array({})}).asLogical());
}

}  // namespace
}  // namespace vorpex::testing
