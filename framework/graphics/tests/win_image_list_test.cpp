// Under Wine, with real common-controls image lists: what the images draw (transparent corners, greyed
// glyphs, masks) read back from memory bitmaps, what is consumed and what is left to the caller, icons from
// the program's resources and from files, stream files read back, and numbers that are not lists.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "framework/core/gdi/bitmap_draw.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/image_list/image_list.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "tests/support/memory_canvas.h"

namespace vorpex::testing {
namespace {

using rt::Value;

constexpr COLORREF kCorner = RGB(255, 0, 255), kGlyph = RGB(200, 0, 0), kPaper = RGB(255, 255, 255);

template <class H>
int64_t num(H h) {
    return static_cast<int64_t>(reinterpret_cast<intptr_t>(h));
}

// A screen-compatible glyph: the corner colour all round a square of glyph colour from (6, 6) to (18, 18).
HBITMAP glyph(int size = 24) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    auto fill = [dc](RECT r, COLORREF c) {
        HBRUSH brush = CreateSolidBrush(c);
        FillRect(dc, &r, brush);
        DeleteObject(brush);
    };
    fill({0, 0, size, size}, kCorner);
    fill({6, 6, 18, 18}, kGlyph);
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

std::string besideProgram(const char* name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of("\\/") + 1) + name;
}

class WinImageListTest : public ::testing::Test {
protected:
    void SetUp() override { registerGraphics(); }
    static Value newList(int w = 1, int h = 1) {
        return rt::send((*rt::findFunction("TIMAGELIST"))({}), "New", {Value(), w, h});
    }
    static HIMAGELIST listOf(const Value& list) {
        return reinterpret_cast<HIMAGELIST>(static_cast<intptr_t>(rt::send(list, "Handle").asInteger()));
    }
    // Image n drawn transparently at (0, 0) on white paper.
    static void drawOn(MemoryCanvas& canvas, const Value& list, int n) {
        canvas.fillAll(kPaper);
        ASSERT_TRUE(rt::send(list, "Draw", {n, num(canvas.dc()), 0, 0, int64_t{ILD_TRANSPARENT}}).asLogical());
    }
};

TEST_F(WinImageListTest, BitmapsTakeTheirCornerAsTransparentAndGreyWhenDisabled) {
    Value list = newList();
    HBITMAP given = glyph();
    EXPECT_EQ(rt::send(list, "Add", {num(given)}).asInteger(), 1);
    EXPECT_EQ(GetObjectType(given), 0u) << "a bitmap handed over is consumed";
    int w = 0, h = 0;
    ImageList_GetIconSize(listOf(list), &w, &h);
    EXPECT_EQ(w, 24);
    EXPECT_EQ(h, 24);
    EXPECT_EQ(rt::send(list, "nWidth").asInteger(), 24);
    EXPECT_EQ(rt::send(list, "Add", {num(glyph()), true}).asInteger(), 2);

    MemoryCanvas canvas(24, 24);
    drawOn(canvas, list, 1);
    EXPECT_EQ(canvas.at(0, 0), kPaper);
    EXPECT_EQ(canvas.at(12, 12), kGlyph);
    drawOn(canvas, list, 2);
    EXPECT_EQ(canvas.at(0, 0), kPaper);
    EXPECT_NE(canvas.at(12, 12), kGlyph);
    EXPECT_NE(canvas.at(12, 12), kPaper);

    // The image again, as a bitmap of its own.
    HBITMAP copy = reinterpret_cast<HBITMAP>(rt::send(list, "GetBitmap", {1}).asInteger());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(bitmapSize(copy).cx, 24);
    EXPECT_EQ(pixelOf(copy, 12, 12), kGlyph);
    DeleteObject(copy);
    rt::send(list, "End");
}

TEST_F(WinImageListTest, ABitmapGivenByHandleIsRebuiltByASecondCreate) {
    Value list = newList();
    HBITMAP given = glyph();
    EXPECT_EQ(rt::send(list, "Add", {num(given)}).asInteger(), 1);
    EXPECT_EQ(GetObjectType(given), 0u);
    rt::send(list, "Create");
    EXPECT_EQ(ImageList_GetImageCount(listOf(list)), 1) << "rebuilt from the copy the list kept";
    MemoryCanvas canvas(24, 24);
    drawOn(canvas, list, 1);
    EXPECT_EQ(canvas.at(12, 12), kGlyph);
    rt::send(list, "End");
}

TEST_F(WinImageListTest, FilesResourcesAndWhatIsNoImage) {
    const std::string bmp = (std::filesystem::temp_directory_path() / "vp_imagelist_glyph.bmp").string();
    HBITMAP source = glyph(16);
    ASSERT_TRUE(saveBitmap(source, bmp));
    DeleteObject(source);

    Value list = newList(16, 16);
    EXPECT_EQ(rt::send(list, "Add", {bmp}).asInteger(), 1);
    EXPECT_EQ(rt::send(list, "Add", {"VP_ICO_VORPEX"}).asInteger(), 2);
    EXPECT_EQ(rt::send(list, "Add", {besideProgram("vorpex.ico")}).asInteger(), 3);
    EXPECT_EQ(rt::send(list, "AddIcon", {besideProgram("vorpex.ico")}).asInteger(), 4);
    EXPECT_EQ(rt::send(list, "Add", {"VP_NO_SUCH_IMAGE"}).asInteger(), 0);
    EXPECT_EQ(rt::send(list, "AddIcon", {besideProgram("vp_cur_drag.txt")}).asInteger(), 0);

    // A number that is not a bitmap is not taken, and not deleted either.
    HBRUSH brush = CreateSolidBrush(kGlyph);
    EXPECT_EQ(rt::send(list, "Add", {num(brush)}).asInteger(), 0);
    EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
    DeleteObject(brush);
    EXPECT_EQ(ImageList_GetImageCount(listOf(list)), 4);

    MemoryCanvas canvas(16, 16);
    drawOn(canvas, list, 1);
    EXPECT_EQ(canvas.at(0, 0), kPaper);
    EXPECT_EQ(canvas.at(8, 8), kGlyph);

    HICON icon = reinterpret_cast<HICON>(rt::send(list, "GetIcon", {2}).asInteger());
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
    rt::send(list, "End");
    std::filesystem::remove(bmp);
}

TEST_F(WinImageListTest, AddMaskedLeavesTheCallersBitmapAlone) {
    Value list = newList(24, 24);
    HBITMAP mine = glyph();
    EXPECT_EQ(rt::send(list, "AddMasked", {num(mine), int64_t{kCorner}}).asInteger(), 1);
    EXPECT_EQ(pixelOf(mine, 0, 0), kCorner);
    MemoryCanvas canvas(24, 24);
    drawOn(canvas, list, 1);
    EXPECT_EQ(canvas.at(0, 0), kPaper);
    EXPECT_EQ(canvas.at(12, 12), kGlyph);
    DeleteObject(mine);
    rt::send(list, "End");
}

TEST_F(WinImageListTest, StreamFilesReadBackAsTheSameList) {
    const auto folder = std::filesystem::temp_directory_path();
    const std::string whole = (folder / "vp_imagelist.bin").string(), bare = (folder / "vp_imagelist_bmp.bin").string();
    Value list = newList();
    rt::send(list, "Add", {num(glyph())});
    rt::send(list, "Add", {num(glyph())});
    ASSERT_TRUE(rt::send(list, "Write", {whole}).asLogical());
    ASSERT_TRUE(rt::send(list, "WriteBitmap", {bare}).asLogical());
    EXPECT_EQ(std::filesystem::file_size(whole), std::filesystem::file_size(bare) + 28);

    Value other = newList(16, 16);
    EXPECT_FALSE(rt::send(other, "Read", {bare}).asLogical());
    ASSERT_TRUE(rt::send(other, "Read", {whole}).asLogical());
    EXPECT_EQ(ImageList_GetImageCount(listOf(other)), 2);
    EXPECT_EQ(rt::send(other, "nWidth").asInteger(), 24);
    MemoryCanvas canvas(24, 24);
    drawOn(canvas, other, 2);
    EXPECT_EQ(canvas.at(0, 0), kPaper);
    EXPECT_EQ(canvas.at(12, 12), kGlyph);
    rt::send(list, "End");
    rt::send(other, "End");
    std::filesystem::remove(whole);
    std::filesystem::remove(bare);
}

TEST_F(WinImageListTest, NumbersThatAreNotListsAreNeverUsed) {
    Value list = newList(24, 24);
    rt::send(list, "Add", {num(glyph())});
    EXPECT_FALSE(rt::send(list, "Remove", {0}).asLogical());
    EXPECT_EQ(ImageList_GetImageCount(listOf(list)), 1);
    const int64_t dead = num(listOf(list));
    rt::send(list, "End");

    auto call = [](const char* name, std::initializer_list<Value> args) {
        return (*rt::findFunction(name))(rt::Args(args.begin(), args.size()));
    };
    for (int64_t bogus : {dead, int64_t{0x12345678}}) {
        HBITMAP given = glyph();
        EXPECT_EQ(call("IMAGELIST_ADD", {bogus, num(given)}).asInteger(), 0);
        EXPECT_EQ(GetObjectType(given), static_cast<DWORD>(OBJ_BITMAP)) << "not consumed by a failed add";
        DeleteObject(given);
        EXPECT_FALSE(call("IMAGELIST_DESTROY", {bogus}).asLogical());
        EXPECT_EQ(call("IMAGELIST_GETICON", {bogus, 1}).asInteger(), 0);
    }
    const Value made = call("IMAGELIST_CREATE", {16, 16, Value(), 0, 4});
    EXPECT_NE(made.asInteger(), 0);
    EXPECT_TRUE(call("IMAGELIST_DESTROY", {made}).asLogical());
}

}  // namespace
}  // namespace vorpex::testing
