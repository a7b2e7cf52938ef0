// Under Wine, with real OLE pictures: a 2 by 2 bitmap loaded from a file, from bytes and from the test's own
// resources, read back pixel by pixel from its rendered bitmap and from memory canvases it paints on (copied,
// stretched, with its corner colour transparent); pictures that own a GDI handle, and what is given back; a PNG
// and the pages of a TIFF through the FreeImage stand-in, and the same files staying empty without it.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "framework/core/gdi/bitmap_draw.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/picture/picture.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "tests/support/free_image_path.h"
#include "tests/support/host_path.h"
#include "tests/support/memory_canvas.h"
#include "tests/support/recording_handler.h"

namespace vorpex::testing {
namespace {

using rt::Value;

constexpr COLORREF kCorner = RGB(255, 0, 255), kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0),
                   kBlue = RGB(0, 0, 255), kPaper = RGB(255, 255, 255);

template <class H>
int64_t num(H h) {
    return static_cast<int64_t>(reinterpret_cast<intptr_t>(h));
}

// Top row corner, red; bottom row green, blue: the same picture the resources hold.
HBITMAP quad() {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 2, 2);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SetPixel(dc, 0, 0, kCorner);
    SetPixel(dc, 1, 0, kRed);
    SetPixel(dc, 0, 1, kGreen);
    SetPixel(dc, 1, 1, kBlue);
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

std::string readAll(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class WinPictureTest : public ::testing::Test {
protected:
    void SetUp() override {
        registerGraphics();
        HBITMAP bitmap = quad();
        ASSERT_TRUE(saveBitmap(bitmap, bmpFile));
        DeleteObject(bitmap);
    }
    void TearDown() override {
        std::filesystem::remove(bmpFile);
        std::filesystem::remove(savedFile);
    }
    static Value newPicture(std::vector<Value> args = {}) {
        return rt::send((*rt::findFunction("TPICTURE"))({}), rt::Symbol::intern("Create"), args);
    }
    static int64_t get(const Value& p, const char* what) { return rt::send(p, what).asInteger(); }
    static HBITMAP handle(const Value& p) { return reinterpret_cast<HBITMAP>(get(p, "Handle")); }
    static void expectQuad(const Value& p) {
        ASSERT_TRUE(rt::send(p, "IsBitmap").asLogical());
        EXPECT_EQ(get(p, "nWidth"), 2);
        EXPECT_EQ(get(p, "nHeight"), 2);
        EXPECT_EQ(get(p, "nImageCount"), 1);
        HDC screen = GetDC(nullptr);
        EXPECT_EQ(get(p, "nWidth"), MulDiv(get(p, "nLogicalWidth"), GetDeviceCaps(screen, LOGPIXELSX), 2540));
        ReleaseDC(nullptr, screen);
        // The rendered bitmap is the right way up.
        EXPECT_EQ(pixelOf(handle(p), 0, 0), kCorner);
        EXPECT_EQ(pixelOf(handle(p), 1, 0), kRed);
        EXPECT_EQ(pixelOf(handle(p), 0, 1), kGreen);
        EXPECT_EQ(pixelOf(handle(p), 1, 1), kBlue);
    }

    const std::string bmpFile = (std::filesystem::temp_directory_path() / "vp_picture_quad.bmp").string();
    const std::string savedFile = (std::filesystem::temp_directory_path() / "vp_picture_saved.bmp").string();
};

TEST_F(WinPictureTest, ABitmapFileLoadsAndGivesItsBytesBack) {
    Value p = newPicture({Value(bmpFile)});
    expectQuad(p);
    EXPECT_NE(get(p, "Ptr"), 0);
    EXPECT_EQ(get(p, "GetPictureHandle"), get(p, "Picture"));
    EXPECT_FALSE(rt::send(p, "lTransparent").asLogical());

    const std::string bytes = readAll(bmpFile);
    EXPECT_EQ(rt::send(p, "SaveToStream").asString(), bytes);
    ASSERT_TRUE(rt::send(p, "Save", {Value(savedFile)}).asLogical());
    EXPECT_EQ(readAll(savedFile), bytes);

    Value fromBytes = newPicture();
    rt::send(fromBytes, "LoadFromStream", {Value(bytes)});
    expectQuad(fromBytes);
}

TEST_F(WinPictureTest, WhatIsNoPictureLeavesItEmpty) {
    const std::string bytes = readAll(bmpFile);
    for (const std::string& data : {std::string(), std::string("not a picture at all"), bytes.substr(0, 30)}) {
        Value p = newPicture();
        rt::send(p, "LoadFromStream", {Value(data)});
        EXPECT_FALSE(rt::send(p, "IsPicture").asLogical()) << data.size();
        EXPECT_EQ(get(p, "Handle"), 0);
        EXPECT_EQ(get(p, "Ptr"), 0);  // the block of a failed load is not kept
    }
    Value missing = newPicture({Value("no_such_folder\\none.gif")});
    EXPECT_FALSE(rt::send(missing, "IsPicture").asLogical());
    MemoryCanvas canvas(4, 4);
    EXPECT_FALSE(rt::send(missing, "Paint", {num(canvas.dc()), 0, 0, 2, 2}).asLogical());
}

TEST_F(WinPictureTest, ResourcesLoadAsBitmapAndAsCustomType) {
    expectQuad(newPicture({Value("VP_BMP_PICTURE")}));

    Value custom = newPicture();
    rt::send(custom, "LoadFromResource", {Value("VP_PIC_BMPFILE"), Value("PICBMP")});
    expectQuad(custom);

    // Found through the custom types when neither a bitmap nor an icon has that name.
    Value typed = newPicture();
    rt::send(typed, "SetTypes", {Value::array({Value("GIF"), Value("PICBMP")})});
    rt::send(typed, "_cName", {Value("VP_PIC_BMPFILE")});
    expectQuad(typed);

    // An icon resource when there is no bitmap of that name.
    Value icon = newPicture({Value("VP_ICO_VORPEX")});
    EXPECT_TRUE(rt::send(icon, "IsIcon").asLogical());
    EXPECT_GT(get(icon, "nWidth"), 0);
    EXPECT_NE(get(icon, "GetIcon"), 0);

    EXPECT_FALSE(rt::send(newPicture({Value("VP_NO_SUCH_PICTURE")}), "IsPicture").asLogical());
}

TEST_F(WinPictureTest, EveryFrameworkBitmapTheWindowsNameLoads) {
    for (const char* name : {"VP_BMP_NEWRECORD", "VP_BMP_FIRST", "VP_BMP_REFRESH", "VP_BMP_PRINTER", "VP_BMP_EXIT",
                             "VP_BMP_PDF24", "VP_BMP_MAIL", "VP_BMP_EXCEL", "VP_BMP_PDF32"}) {
        Value picture = newPicture({Value(name)});
        EXPECT_TRUE(rt::send(picture, "IsPicture").asLogical()) << name;
        EXPECT_GE(rt::send(picture, "nWidth").asInteger(), 12) << name;
    }
}

TEST_F(WinPictureTest, PaintCopiesStretchesAndKeepsTheCornerColourTransparent) {
    Value p = newPicture({Value(bmpFile)});
    const struct {
        RECT target;
        bool transparent;
        POINT probe;
        COLORREF expected;
    } cases[] = {
        {{1, 1, 3, 3}, false, {1, 1}, kCorner}, {{1, 1, 3, 3}, false, {2, 2}, kBlue},
        {{1, 1, 3, 3}, false, {0, 0}, kPaper},  {{0, 0, 4, 4}, false, {3, 0}, kRed},
        {{0, 0, 4, 4}, false, {1, 3}, kGreen},  {{0, 0, 4, 4}, true, {1, 1}, kPaper},
        {{0, 0, 4, 4}, true, {3, 1}, kRed},     {{1, 1, 3, 3}, true, {1, 1}, kPaper},
        {{1, 1, 3, 3}, true, {2, 2}, kBlue},
    };
    for (const auto& c : cases) {
        MemoryCanvas canvas(4, 4, kPaper);
        ASSERT_TRUE(rt::send(p, "Paint",
                             {num(canvas.dc()), c.target.left, c.target.top, c.target.right, c.target.bottom,
                              c.transparent})
                        .asLogical());
        EXPECT_EQ(canvas.at(c.probe.x, c.probe.y), c.expected)
            << c.target.right << " " << c.transparent << " at " << c.probe.x << "," << c.probe.y;
    }
}

// A 2 by 2 GIF: the top-left pixel transparent (colour 0), the others blue.
const unsigned char kTransparentGif[] = {
    0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x02, 0x00, 0x02, 0x00, 0x80, 0x00, 0x00, 0xFF, 0x00,
    0xFF, 0x00, 0x00, 0xFF, 0x21, 0xF9, 0x04, 0x01, 0x00, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00,
    0x00, 0x00, 0x02, 0x00, 0x02, 0x00, 0x00, 0x02, 0x04, 0x04, 0xC3, 0x30, 0x05, 0x00, 0x3B};

TEST_F(WinPictureTest, ATransparentGifDrawsItselfAndSavesAsTheSameGif) {
    const std::string gif(reinterpret_cast<const char*>(kTransparentGif), sizeof kTransparentGif);
    Value p = newPicture();
    rt::send(p, "LoadFromStream", {Value(gif)});
    ASSERT_TRUE(rt::send(p, "IsPicture").asLogical());
    EXPECT_TRUE(rt::send(p, "lTransparent").asLogical());
    EXPECT_EQ(get(p, "nWidth"), 2);
    EXPECT_EQ(rt::send(p, "SaveToStream").asString(), gif);

    MemoryCanvas canvas(4, 4, kPaper);
    ASSERT_TRUE(rt::send(p, "Paint", {num(canvas.dc()), 1, 1, 3, 3}).asLogical());
    EXPECT_EQ(canvas.at(1, 1), kPaper);
    EXPECT_EQ(canvas.at(2, 1), kBlue);
    EXPECT_EQ(canvas.at(2, 2), kBlue);
    EXPECT_EQ(canvas.at(0, 0), kPaper);
}

TEST_F(WinPictureTest, APictureOwnsTheHandleItIsMadeFrom) {
    HBITMAP bitmap = quad();
    Value p = newPicture();
    rt::send(p, "CreateIndirect", {Value(int64_t{1}), num(bitmap)});
    expectQuad(p);
    EXPECT_EQ(get(p, "GetPictureHandle"), num(bitmap));
    EXPECT_EQ(get(p, "Ptr"), 0);
    rt::send(p, "Destroy");
    EXPECT_EQ(GetObjectType(bitmap), 0u);  // deleted with the picture
    EXPECT_EQ(get(p, "Image"), 0);

    // A number that is not a live object of that type is not taken.
    HBRUSH brush = CreateSolidBrush(kRed);
    rt::send(p, "CreateIndirect", {Value(int64_t{1}), num(brush)});
    EXPECT_FALSE(rt::send(p, "IsPicture").asLogical());
    EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
    DeleteObject(brush);
    rt::send(p, "CreateIndirect", {Value(int64_t{3}), Value(int64_t{12345})});
    EXPECT_FALSE(rt::send(p, "IsPicture").asLogical());
}

TEST_F(WinPictureTest, AnIconPictureDrawsItself) {
    HBITMAP color = quad();
    HBITMAP mask = CreateBitmap(2, 2, 1, 1, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, mask);
    PatBlt(dc, 0, 0, 2, 2, BLACKNESS);  // all opaque
    SelectObject(dc, old);
    DeleteDC(dc);
    ICONINFO info{TRUE, 0, 0, mask, color};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(color);
    DeleteObject(mask);
    ASSERT_NE(icon, nullptr);

    Value p = newPicture();
    rt::send(p, "CreateIndirect", {Value(int64_t{3}), num(icon)});
    ASSERT_TRUE(rt::send(p, "IsIcon").asLogical());
    EXPECT_EQ(get(p, "GetIcon"), num(icon));
    EXPECT_EQ(get(p, "GetEnhMetafile"), 0);
    MemoryCanvas canvas(4, 4, kPaper);
    ASSERT_TRUE(rt::send(p, "Paint", {num(canvas.dc()), 0, 0, 2, 2}).asLogical());
    EXPECT_EQ(canvas.at(1, 1), kBlue);
    EXPECT_EQ(canvas.at(3, 3), kPaper);
}

// ---- through the image library

std::string pictureFile(const char* name) {
    return rt::testing::windowsPath(std::string(VORPEX_PICTURE_FILES) + "/" + name);
}

// Page n of pages.tif: (n + 1) by 2 pixels of red, green, blue.
void expectPage(const Value& p, int page) {
    const COLORREF colours[] = {kRed, kGreen, kBlue};
    ASSERT_TRUE(rt::send(p, "IsBitmap").asLogical()) << page;
    EXPECT_EQ(rt::send(p, "nWidth").asInteger(), page + 1);
    EXPECT_EQ(rt::send(p, "nHeight").asInteger(), 2);
    HBITMAP rendered = reinterpret_cast<HBITMAP>(rt::send(p, "Handle").asInteger());
    EXPECT_EQ(pixelOf(rendered, page, 1), colours[page - 1]);
    EXPECT_EQ(rt::send(p, "nImageCount").asInteger(), 3);
}

TEST_F(WinPictureTest, APngLoadsThroughTheImageLibraryAndSavesAsThatPng) {
    rt::testing::FreeImageOnPath library;
    const std::string png = pictureFile("quad.png");
    Value p = newPicture({Value(png)});
    expectQuad(p);
    EXPECT_NE(get(p, "Ptr"), 0);
    EXPECT_EQ(rt::send(p, "SaveToStream").asString(), readAll(png)) << "the PNG, not a bitmap OLE would write";

    Value fromBytes = newPicture();
    rt::send(fromBytes, "LoadFromStream", {Value(readAll(png))});
    expectQuad(fromBytes);

    MemoryCanvas canvas(4, 4, kPaper);
    ASSERT_TRUE(rt::send(p, "Paint", {num(canvas.dc()), 0, 0, 4, 4}).asLogical());
    EXPECT_EQ(canvas.at(3, 0), kRed);
    EXPECT_EQ(canvas.at(0, 3), kGreen);
}

TEST_F(WinPictureTest, APageOfATiffComesThroughTheImageLibrary) {
    rt::testing::FreeImageOnPath library;
    const std::string tif = pictureFile("pages.tif");
    Value p = newPicture();
    for (int page : {3, 1, 2}) {
        rt::send(p, "LoadFromFile", {Value(tif), Value(page)});
        expectPage(p, page);
    }
    // Without a page, or past the last one, the file loads whole: its first page, with the page count.
    for (const Value& page : {Value(), Value(0), Value(4)}) {
        rt::send(p, "LoadFromFile", {Value(tif), page});
        expectPage(p, 1);
    }
}

TEST_F(WinPictureTest, WithoutTheImageLibraryPngAndTiffStayEmptySilently) {
    rt::testing::RecordingHandler errors;
    const std::string png = pictureFile("quad.png"), tif = pictureFile("pages.tif");
    Value p = newPicture({Value(png)});
    // Some OLE implementations read PNG; a program without the library never does.
    EXPECT_FALSE(rt::send(p, "IsPicture").asLogical());
    rt::send(p, "LoadFromStream", {Value(readAll(png))});
    EXPECT_FALSE(rt::send(p, "IsPicture").asLogical());
    rt::send(p, "LoadFromFile", {Value(tif), Value(3)});
    EXPECT_FALSE(rt::send(p, "IsPicture").asLogical());
    EXPECT_EQ(get(p, "nImageCount"), 0);
    EXPECT_EQ(get(p, "Ptr"), 0);
    EXPECT_TRUE(errors.seen.empty());
}

}  // namespace
}  // namespace vorpex::testing
