// Under Wine: cursors and icons from the program's resources and from files, the Screen object against the
// test display (Xvfb, 1280x1024), font handles made and released exactly once, and what brushes, pens and
// icons draw into a memory bitmap.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/core/debug/cursor_loader.h"
#include "framework/core/screen/screen.h"
#include "framework/graphics/brush/brush.h"
#include "framework/graphics/cursor/cursor.h"
#include "framework/graphics/font/font.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/icon/icon.h"
#include "framework/graphics/pen/pen.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "tests/support/function_call.h"
#include "tests/support/memory_canvas.h"

namespace vorpex::testing {
namespace {

using rt::Value;

Value bare(const char* cls) { return (*rt::findFunction(cls))({}); }
using rt::testing::call;
template <class H>
H handleOf(const Value& o) {
    return reinterpret_cast<H>(static_cast<intptr_t>(rt::send(o, "Handle").asInteger()));
}

// A file that the build copied beside the test program.
std::string besideProgram(const char* name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of("\\/") + 1) + name;
}

SIZE colourBitmapSize(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return {};
    BITMAP bm{};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return {bm.bmWidth, info.hbmColor ? bm.bmHeight : bm.bmHeight / 2};
}

POINT hotSpot(HCURSOR cursor) {
    ICONINFO info{};
    GetIconInfo(cursor, &info);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return {static_cast<LONG>(info.xHotspot), static_cast<LONG>(info.yHotspot)};
}

// A 64x64 canvas filled white, to draw on and read back.
class Canvas : public MemoryCanvas {
public:
    Canvas() : MemoryCanvas(kSize, kSize, RGB(255, 255, 255)) {}
    static constexpr int kSize = 64;
};

class WinGraphicsTest : public ::testing::Test {
protected:
    void SetUp() override {
        registerGraphics();
        rt::publicVar("Screen") = Value();
    }
    void TearDown() override {
        Value& screen = rt::publicVar("Screen");
        if (screen.isObject()) rt::send(screen, "End");
        screen = Value();
    }
};

TEST_F(WinGraphicsTest, CursorsFromSystemResourcesAndFiles) {
    Value hand = rt::send(bare("TCURSOR"), "New", {32649});
    EXPECT_EQ(handleOf<HCURSOR>(hand), LoadCursorA(nullptr, IDC_HAND));

    Value splitter = rt::send(bare("TCURSOR"), "New", {"VP_CUR_SPLITTERH"});
    ASSERT_NE(handleOf<HCURSOR>(splitter), nullptr) << "the program's own resource";
    EXPECT_EQ(hotSpot(handleOf<HCURSOR>(splitter)).x, 16);
    EXPECT_EQ(hotSpot(handleOf<HCURSOR>(splitter)).y, 16);

    Value file = rt::send(bare("TCURSOR"), "New", {besideProgram("vp_cur_drag.cur")});
    ASSERT_NE(handleOf<HCURSOR>(file), nullptr) << "a .cur file";
    EXPECT_EQ(hotSpot(handleOf<HCURSOR>(file)).x, 0);

    Value missing = rt::send(bare("TCURSOR"), "New", {"VP_CUR_NONE"});
    EXPECT_EQ(handleOf<HCURSOR>(missing), nullptr);

    for (const Value& c : {hand, splitter, file}) {
        rt::send(c, "Destroy");
        EXPECT_EQ(handleOf<HCURSOR>(c), nullptr);
        EXPECT_EQ(rt::send(c, "cName").asString(), "");
    }
    // The shared system cursor survived its object's Destroy.
    EXPECT_NE(hotSpot(LoadCursorA(nullptr, IDC_HAND)).x, 0);
}

TEST_F(WinGraphicsTest, CachedCursorsLoadOnceAndAnswerThePreviousCursor) {
    const rt::Function& wait = *rt::findFunction("CURSORWAIT");
    wait({});
    const Value previous = wait({});
    EXPECT_EQ(reinterpret_cast<HCURSOR>(previous.asInteger()), LoadCursorA(nullptr, IDC_WAIT));
    EXPECT_NE((*rt::findFunction("CURSORDRAGYES"))({}).asInteger(), 0);
    EXPECT_EQ(GetCursor(), win::loadFrameworkCursor(GetModuleHandleA(nullptr), "VP_CUR_DRAG"));

    SetCursorPos(40, 50);
    auto x = std::make_shared<Value>(), y = std::make_shared<Value>();
    const Value refs[] = {Value::reference(x), Value::reference(y)};
    const Value pos = (*rt::findFunction("GETCURSORPOS"))(rt::Args(refs, 2));
    POINT p{};
    GetCursorPos(&p);
    EXPECT_EQ(pos.asArray()->at1(1).asInteger(), p.x);
    EXPECT_EQ(x->asInteger(), p.x);
    EXPECT_EQ(y->asInteger(), p.y);
    EXPECT_EQ((*rt::findFunction("GETCURSORPOS"))({}).asArray()->size(), 2u);
}

TEST_F(WinGraphicsTest, IconsFromResourcesAtTheirSizeFromFilesAndPainted) {
    Value small = rt::send(bare("TICON"), "Create", {"VP_ICO_VORPEX", 16, 16});
    ASSERT_NE(handleOf<HICON>(small), nullptr);
    EXPECT_EQ(colourBitmapSize(handleOf<HICON>(small)).cx, 16);
    EXPECT_EQ(colourBitmapSize(handleOf<HICON>(small)).cy, 16);

    // Painted stretched to 48x48 at (8, 8): transparent corners, the tile's colour inside, the white
    // chevron below the middle.
    Value large = rt::send(bare("TICON"), "Create", {"VP_ICO_VORPEX"});
    Canvas canvas;
    const Value dc(static_cast<int64_t>(reinterpret_cast<intptr_t>(canvas.dc())));
    EXPECT_TRUE(rt::send(large, "Paint", {dc, 8, 8, 56, 56}).asLogical());
    EXPECT_EQ(canvas.at(8, 8), RGB(255, 255, 255));
    const COLORREF tile = canvas.at(12, 46);
    EXPECT_LT(GetRValue(tile), 0x60);
    EXPECT_GT(GetBValue(tile), 0x70);
    EXPECT_EQ(canvas.at(32, 44), RGB(255, 255, 255));

    Value file = rt::send(bare("TICON"), "Create", {besideProgram("vorpex.ico")});
    ASSERT_NE(handleOf<HICON>(file), nullptr);
    EXPECT_EQ(colourBitmapSize(handleOf<HICON>(file)).cx, GetSystemMetrics(SM_CXICON));
    // A file with no icon in it: no handle (the system answers 1 for it).
    Value none = rt::send(bare("TICON"), "Create", {besideProgram("vp_cur_drag.txt")});
    EXPECT_EQ(handleOf<HICON>(none), nullptr);

    // Renaming a loaded icon loads the new one.
    rt::send(small, "_cName", {besideProgram("vorpex.ico")});
    EXPECT_NE(handleOf<HICON>(small), nullptr);

    const std::string info =
        call("GETICONINFO", {Value(static_cast<int64_t>(reinterpret_cast<intptr_t>(handleOf<HICON>(file))))}).asString();
    ASSERT_EQ(info.size(), sizeof(ICONINFO));
    ICONINFO record;
    memcpy(&record, info.data(), sizeof record);
    EXPECT_TRUE(record.fIcon);
    EXPECT_EQ(record.hbmColor, nullptr) << "the bitmaps were released, not handed out";
    for (const Value& i : {small, large, file}) rt::send(i, "End");
}

TEST_F(WinGraphicsTest, ScreenFiguresMatchTheDisplay) {
    Value screen = rt::send(bare("TSCREEN"), "Initialize");
    ASSERT_TRUE(screen.isObject());
    EXPECT_TRUE(rt::send(bare("TSCREEN"), "Initialize").sameAs(screen));
    EXPECT_EQ(rt::send(screen, "nWidth").asInteger(), 1280);
    EXPECT_EQ(rt::send(screen, "nHeight").asInteger(), 1024);
    EXPECT_EQ(rt::send(screen, "nClientWidth").asInteger(), GetSystemMetrics(SM_CXFULLSCREEN) > 0 ? 1280 : 0);
    HDC dc = GetDC(nullptr);
    EXPECT_EQ(rt::send(screen, "nPixelsPerInch").asInteger(), GetDeviceCaps(dc, LOGPIXELSX));
    EXPECT_GE(rt::send(screen, "nBitsPerPixel").asInteger(), 24);
    const rt::ArrayPtr size = rt::send(screen, "PaperSize").asArray();
    EXPECT_EQ(size->at1(1).asInteger(), GetDeviceCaps(dc, HORZSIZE) * 10);
    EXPECT_EQ(size->at1(2).asInteger(), GetDeviceCaps(dc, VERTSIZE) * 10);
    const rt::ArrayPtr res = rt::send(screen, "PaperRes").asArray();
    EXPECT_EQ(res->at1(1).asInteger(), 1280);
    ReleaseDC(nullptr, dc);

    EXPECT_EQ(rt::send(screen, "nMonitors").asInteger(), 1);
    const Value monitor = rt::send(screen, "aMonitors").asArray()->at1(1);
    EXPECT_TRUE(rt::send(monitor, "lPrimary").asLogical());
    EXPECT_EQ(rt::send(monitor, "nWidth").asInteger(), 1280);
    EXPECT_NE(rt::send(monitor, "cName").asString(), "");
    auto typed = rt::objectAs<XScreen>(screen);
    EXPECT_TRUE(typed->monitorOfWindow(reinterpret_cast<intptr_t>(GetDesktopWindow())).sameAs(monitor));

    const Value drop = rt::send(screen, "oCursorDropYes");
    EXPECT_NE(rt::send(drop, "Handle").asInteger(), 0) << "the program's VP_CUR_DRAG";
    EXPECT_NE(rt::send(rt::send(screen, "oCursorArrow"), "Handle").asInteger(), 0);
    const int64_t dc1 = rt::send(screen, "CreateDC").asInteger();
    EXPECT_NE(dc1, 0);
    rt::send(screen, "End");
    EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(dc1)), 0u) << "End deletes the DC";
    EXPECT_EQ(rt::send(drop, "Handle").asInteger(), 0);
    rt::publicVar("Screen") = Value();
}

TEST_F(WinGraphicsTest, FontHandlesAreMadeAndReleasedExactlyOnce) {
    const DWORD baseline = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    Value shared = rt::send(bare("TFONT"), "Create", {"Arial", 10});
    auto font = rt::objectAs<XFont>(shared);
    const HGDIOBJ first = reinterpret_cast<HGDIOBJ>(font->Handle());
    EXPECT_EQ(GetObjectType(first), static_cast<DWORD>(OBJ_FONT));
    font->addUser();
    font->addUser();
    rt::send(shared, "_lBold", {true});
    EXPECT_EQ(GetObjectType(first), static_cast<DWORD>(OBJ_FONT)) << "still selected in the controls";
    const HGDIOBJ second = reinterpret_cast<HGDIOBJ>(font->Handle());
    LOGFONTA lf{};
    GetObjectA(second, sizeof lf, &lf);
    EXPECT_EQ(lf.lfWeight, 700);
    EXPECT_STREQ(lf.lfFaceName, "Arial");

    const rt::ArrayPtr extent = rt::send(shared, "GetTextSize", {"Wide text"}).asArray();
    EXPECT_GT(extent->at1(1).asInteger(), 20);
    EXPECT_GT(extent->at1(2).asInteger(), 5);

    rt::send(shared, "End");
    EXPECT_EQ(GetObjectType(second), static_cast<DWORD>(OBJ_FONT));
    rt::send(shared, "End");
    EXPECT_EQ(GetObjectType(first), 0u);
    EXPECT_EQ(GetObjectType(second), 0u);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), baseline);

    const Value names = (*rt::findFunction("GETFONTNAMES"))({});
    ASSERT_GT(names.asArray()->size(), 0u);
    for (size_t i = 1; i < names.asArray()->size(); ++i)
        EXPECT_LT(names.asArray()->items[i - 1].asString(), names.asArray()->items[i].asString());
}

TEST_F(WinGraphicsTest, BrushesAndPensDrawWhatTheirPropertiesSay) {
    Canvas canvas;
    RECT left{0, 0, 32, 32}, right{32, 0, 64, 32};
    Value hollow = rt::send(bare("TBRUSH"), "Create");
    FillRect(canvas.dc(), &left, handleOf<HBRUSH>(hollow));
    EXPECT_EQ(canvas.at(10, 10), RGB(255, 255, 255)) << "a hollow brush leaves the pixels";
    Value red = rt::send(bare("TBRUSH"), "Create", {Value(), 255});
    FillRect(canvas.dc(), &left, handleOf<HBRUSH>(red));
    EXPECT_EQ(canvas.at(10, 10), RGB(255, 0, 0));
    Value hatch = rt::send(bare("TBRUSH"), "Create", {2, 255});  // HS_CROSS... style 2
    SetBkColor(canvas.dc(), RGB(255, 255, 255));
    FillRect(canvas.dc(), &right, handleOf<HBRUSH>(hatch));
    int redPixels = 0, whitePixels = 0;
    for (int x = 32; x < 64; ++x) {
        redPixels += canvas.at(x, 16) == RGB(255, 0, 0);
        whitePixels += canvas.at(x, 16) == RGB(255, 255, 255);
    }
    EXPECT_GT(redPixels, 0);
    EXPECT_GT(whitePixels, 0);

    Value pen = rt::send(bare("TPEN"), "New", {0, 6, RGB(0, 0, 255)});
    HGDIOBJ old = SelectObject(canvas.dc(), handleOf<HPEN>(pen));
    MoveToEx(canvas.dc(), 4, 48, nullptr);
    LineTo(canvas.dc(), 60, 48);
    SelectObject(canvas.dc(), old);
    int rows = 0;
    for (int y = 36; y < 62; ++y) rows += canvas.at(30, y) == RGB(0, 0, 255);
    EXPECT_EQ(rows, 6);
    for (const Value& o : {hollow, red, hatch, pen}) {
        const HGDIOBJ h = handleOf<HGDIOBJ>(o);
        rt::send(o, "End");
        // The system answers a hollow brush with its stock object, which is never deleted.
        if (h != GetStockObject(NULL_BRUSH)) {
            EXPECT_EQ(GetObjectType(h), 0u);
        }
    }
}

}  // namespace
}  // namespace vorpex::testing
