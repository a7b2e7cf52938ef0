// Enhanced metafiles under Wine: a page recorded against a memory DC, played stretched into another and read
// back at pixels; copied to a file, loaded from it, and its header read.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "framework/graphics/graphics.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "tests/support/memory_canvas.h"
#include "tests/support/temp_folder.h"

namespace vorpex::testing {
namespace {

using rt::Value;

Value ask(const Value& o, const char* message, std::vector<Value> args = {}) {
    return rt::send(o, rt::Symbol::intern(message), args);
}
Value num(int64_t v) { return Value(v); }
Value dcValue(HDC dc) { return Value(static_cast<int64_t>(reinterpret_cast<intptr_t>(dc))); }

// The frame, in hundredths of a millimetre, of `pixels` of the reference device across.
int64_t frameOf(HDC ref, int pixels, int sizeIndex, int resIndex) {
    return MulDiv(pixels, GetDeviceCaps(ref, sizeIndex) * 100, GetDeviceCaps(ref, resIndex));
}

class WinMetafileTest : public ::testing::Test {
protected:
    void SetUp() override { registerGraphics(); }
    // A 100 x 100 pixel page: white, its right half red.
    Value recordPage(HDC ref) {
        Value m = ask((*rt::findFunction("TENHMETAFILE"))({}), "Create",
                       {dcValue(ref), Value(""), num(frameOf(ref, 100, HORZSIZE, HORZRES)),
                        num(frameOf(ref, 100, VERTSIZE, VERTRES)), Value("Pagina 1")});
        HDC dc = reinterpret_cast<HDC>(ask(m, "hNewDC").asInteger());
        if (!dc) return m;
        const RECT page{0, 0, 100, 100}, right{50, 0, 100, 100};
        HBRUSH white = CreateSolidBrush(RGB(255, 255, 255)), red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(dc, &page, white);
        FillRect(dc, &right, red);
        DeleteObject(white);
        DeleteObject(red);
        return m;
    }
};

TEST_F(WinMetafileTest, ARecordedPagePlaysStretchedIntoARectangle) {
    MemoryCanvas ref(100, 100), target(200, 200);
    ASSERT_TRUE(ref.ready() && target.ready());
    Value m = recordPage(ref.dc());
    ASSERT_NE(ask(m, "hNewDC").asInteger(), 0);
    ASSERT_TRUE(ask(m, "Close").asLogical());
    EXPECT_TRUE(ask(m, "Paint", {dcValue(target.dc()), num(0), num(0), num(200), num(200)}).asLogical());
    EXPECT_EQ(target.at(40, 100), RGB(255, 255, 255));
    EXPECT_EQ(target.at(160, 100), RGB(255, 0, 0));
    EXPECT_EQ(target.at(100 - 8, 20), RGB(255, 255, 255));
    EXPECT_EQ(target.at(100 + 8, 180), RGB(255, 0, 0));
    ask(m, "Destroy");
    EXPECT_FALSE(ask(m, "Paint", {dcValue(target.dc()), num(0), num(0), num(200), num(200)}).asLogical());
}

TEST_F(WinMetafileTest, ACopyInAFileLoadsWithItsHeader) {
    rt::testing::TempFolder folder;
    const std::string file = folder.file("page.emf");
    MemoryCanvas ref(100, 100);
    ASSERT_TRUE(ref.ready());
    Value m = recordPage(ref.dc());
    ASSERT_TRUE(ask(m, "Close").asLogical());
    const int64_t copy = ask(m, "Copy", {Value(file)}).asInteger();
    ASSERT_NE(copy, 0);
    DeleteEnhMetaFile(reinterpret_cast<HENHMETAFILE>(copy));

    Value loaded = ask((*rt::findFunction("TENHMETAFILE"))({}), "Load", {Value(file)});
    ASSERT_NE(ask(loaded, "Handle").asInteger(), 0);
    EXPECT_EQ(ask(loaded, "nType").asInteger(), EMR_HEADER);
    EXPECT_EQ(ask(loaded, "nMmsWidth").asInteger(), ask(m, "nMmsWidth").asInteger());
    EXPECT_EQ(ask(loaded, "nVersion").asInteger(), 0x10000);
    EXPECT_GT(ask(loaded, "nRecords").asInteger(), 2);
    EXPECT_GT(ask(loaded, "nBytes").asInteger(), 0);
    EXPECT_EQ(ask(loaded, "cDescription").asString(), "#Pagina 1") << "no Application: its part is empty";
    EXPECT_NEAR(static_cast<double>(ask(loaded, "nWidth").asInteger()), 101, 2);
    const Value handle = ask(loaded, "Handle");
    const Value header = (*rt::findFunction("GETENHMETAFILEHEADER"))(rt::Args(&handle, 1));
    ASSERT_TRUE(header.isArray());
    EXPECT_EQ(header.asArray()->items.size(), 13u);
    ask(loaded, "Destroy");
    ask(m, "Destroy");
}

}  // namespace
}  // namespace vorpex::testing
