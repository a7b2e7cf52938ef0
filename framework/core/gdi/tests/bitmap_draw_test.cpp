// The bitmap routines drawing into memory DCs, pixels read back.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "framework/core/paint/tests/test_bitmaps.h"
#include "tests/support/memory_canvas.h"
#include "framework/core/gdi/bitmap_draw.h"
#include "runtime/core/class_builder.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {
namespace {

using testing::MemoryCanvas;
using testing::makeBitmap;
using testing::pixelOf;

constexpr COLORREF kRed = RGB(200, 0, 0), kGreen = RGB(0, 160, 0), kMagenta = RGB(255, 0, 255),
                   kSentinel = RGB(1, 2, 3), kBack = RGB(10, 120, 130);

// Copies a w x h bitmap onto the canvas at its origin, to read its pixels there.
void copyOnto(MemoryCanvas& canvas, HBITMAP bitmap, int w, int h) {
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, bitmap);
    BitBlt(canvas.dc(), 0, 0, w, h, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
}

HBITMAP solid(int w, int h, COLORREF c) {
    return makeBitmap(w, h, 32, [&](HDC dc) {
        RECT r{0, 0, w, h};
        HBRUSH b = CreateSolidBrush(c);
        FillRect(dc, &r, b);
        DeleteObject(b);
    });
}

// 8 x 8, magenta with a black square from (2, 2) to (4, 4).
HBITMAP glyph() {
    return makeBitmap(8, 8, 32, [](HDC dc) {
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) SetPixel(dc, x, y, (x >= 2 && x <= 4 && y >= 2 && y <= 4) ? 0 : kMagenta);
    });
}

struct Deleter {
    HGDIOBJ o;
    ~Deleter() { DeleteObject(o); }
};

TEST(DrawBitmap, ModesPlaceTheBitmapAndAnswerWhetherItCovers) {
    HBITMAP b16 = solid(16, 16, kRed), b10 = solid(10, 10, kRed);
    Deleter d1{b16}, d2{b10};
    HBRUSH green = CreateSolidBrush(kGreen);
    Deleter d3{green};

    {  // same size: 1:1
        MemoryCanvas c(120, 60);
        RECT r{0, 0, 15, 15};
        EXPECT_EQ(VP_DrawBitmap(c.dc(), b16, &r, 1, green), 1);
        EXPECT_EQ(c.at(15, 15), kRed);
        EXPECT_EQ(c.at(16, 0), kSentinel);
    }
    {  // centred with a brush around it
        MemoryCanvas c(120, 60);
        RECT r{0, 0, 99, 49};
        EXPECT_EQ(VP_DrawBitmap(c.dc(), b16, &r, 1, green), 0);
        EXPECT_EQ(c.at(0, 0), kGreen);
        EXPECT_EQ(c.at(99, 49), kGreen);
        EXPECT_EQ(c.at(100, 50), kSentinel);
        EXPECT_EQ(c.at(42, 17), kRed);
        EXPECT_EQ(c.at(57, 32), kRed);
        EXPECT_EQ(c.at(41, 17), kGreen);
        EXPECT_EQ(r.left, 42);
        EXPECT_EQ(r.top, 17);
        EXPECT_EQ(r.right, 57);
        EXPECT_EQ(r.bottom, 32);
    }
    {  // copy at the corner
        MemoryCanvas c(120, 60);
        RECT r{5, 5, 99, 49};
        EXPECT_EQ(VP_DrawBitmap(c.dc(), b16, &r, 0, nullptr), 0);
        EXPECT_EQ(c.at(20, 20), kRed);
        EXPECT_EQ(c.at(21, 21), kSentinel);  // no brush: the rest untouched
        EXPECT_EQ(r.right, 20);
        EXPECT_EQ(r.bottom, 20);
    }
    {  // tiles reach the last column and row of the inclusive rectangle
        MemoryCanvas c(120, 60);
        RECT r{0, 0, 100, 20};
        EXPECT_EQ(VP_DrawBitmap(c.dc(), b10, &r, 2, green), 0);
        for (POINT p : {POINT{0, 0}, POINT{99, 9}, POINT{100, 0}, POINT{0, 20}, POINT{100, 20}})
            EXPECT_EQ(c.at(p.x, p.y), kRed) << p.x << "," << p.y;
    }
    for (int mode : {3, 4}) {  // stretched over the whole rectangle
        MemoryCanvas c(120, 60);
        RECT r{0, 0, 99, 49};
        EXPECT_EQ(VP_DrawBitmap(c.dc(), b16, &r, mode, green), 1);
        EXPECT_TRUE(testing::closeTo(c.at(99, 49), kRed, 8)) << mode;
        EXPECT_EQ(c.at(100, 50), kSentinel);
    }
}

TEST(DrawBitmap, TransparentGlyphShowsTheBackgroundWhereverItIsMagenta) {
    HBITMAP g = glyph();
    Deleter d{g};
    MemoryCanvas c(20, 20, kBack);
    VP_DrawBmpTransparent(c.dc(), 3, 4, g);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool shape = x >= 2 && x <= 4 && y >= 2 && y <= 4;
            EXPECT_EQ(c.at(3 + x, 4 + y), shape ? RGB(0, 0, 0) : kBack) << x << "," << y;
        }
}

TEST(DrawBitmap, DisabledGlyphHasShadowShapeOverWhiteShiftedCopyOnButtonFace) {
    HBITMAP g = glyph();
    Deleter d{g};
    HBITMAP disabled = VP_GetBmpDisabled(g);
    Deleter d2{disabled};
    MemoryCanvas c(8, 8);
    copyOnto(c, disabled, 8, 8);
    EXPECT_EQ(c.at(2, 2), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(c.at(4, 4), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(c.at(5, 5), RGB(255, 255, 255));
    EXPECT_EQ(c.at(5, 3), RGB(255, 255, 255));
    EXPECT_EQ(c.at(0, 0), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(c.at(6, 6), GetSysColor(COLOR_BTNFACE));

    MemoryCanvas drawn(10, 10, kBack);  // drawn disabled: the face around the shape is transparent
    VP_DrawBmpDisabled(drawn.dc(), 0, 0, g);
    EXPECT_EQ(drawn.at(0, 0), kBack);
    EXPECT_EQ(drawn.at(3, 3), GetSysColor(COLOR_BTNSHADOW));
}

TEST(DrawBitmap, TransparentCopyReplacesOnlyTheCornerColour) {
    HBITMAP g = glyph();
    Deleter d{g};
    HBITMAP t = VP_GetBmpTransparent(g, kGreen);
    Deleter d2{t};
    MemoryCanvas c(8, 8);
    copyOnto(c, t, 8, 8);
    EXPECT_EQ(c.at(0, 0), kGreen);
    EXPECT_EQ(c.at(7, 7), kGreen);
    EXPECT_EQ(c.at(3, 3), RGB(0, 0, 0));
}

TEST(DrawBitmap, PackedGlyphGreysBecomeSystemColours) {
    struct {
        BITMAPINFOHEADER h;
        uint32_t table[4];
        uint8_t bits[4 * 2];  // 4 x 2 pixels, 4 bits each, rows of 4 bytes
    } packed{};
    packed.h = {sizeof(BITMAPINFOHEADER), 4, 2, 1, 4, BI_RGB, 0, 0, 0, 4, 0};
    packed.table[0] = 0x808080;
    packed.table[1] = 0xC0C0C0;
    packed.table[2] = 0xDFDFDF;
    packed.table[3] = 0xFF0000;  // red as a table entry (blue, green, red bytes)
    packed.bits[0] = 0x01;       // bottom row: pixels 0, 1, 2, 3
    packed.bits[1] = 0x23;
    HBITMAP b = CreateBitmapFromData(&packed);
    Deleter d{b};
    ASSERT_NE(b, nullptr);
    MemoryCanvas c(4, 2);
    copyOnto(c, b, 4, 2);
    EXPECT_EQ(c.at(0, 1), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(c.at(1, 1), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(c.at(2, 1), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(c.at(3, 1), RGB(255, 0, 0));
    EXPECT_EQ(RGB2QUAD(RGB(1, 2, 3)), static_cast<COLORREF>(0x010203));
}

std::vector<uint8_t> readFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24);
}

TEST(SaveBitmap, FilesHaveTheirColourTableOnlyUpToEightBitsAndLoadBackIdentical) {
    struct Case {
        int bits, colours;
    } cases[] = {{1, 2}, {8, 256}, {16, 0}, {24, 0}, {32, 0}};
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    for (const Case& k : cases) {
        SCOPED_TRACE(k.bits);
        const int w = 13, h = 5;
        HBITMAP b = makeBitmap(w, h, k.bits, [&](HDC dc) {
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) SetPixel(dc, x, y, (x + y) % 3 ? RGB(248, 0, 8 * x) : RGB(0, 0, 0));
        });
        Deleter d{b};
        const std::string file = std::string(folder) + "vorpex_save_" + std::to_string(k.bits) + ".bmp";
        ASSERT_TRUE(saveBitmap(b, file));
        const auto bytes = readFile(file);
        ASSERT_GE(bytes.size(), 54u);
        EXPECT_EQ(bytes[0], 'B');
        EXPECT_EQ(bytes[1], 'M');
        EXPECT_EQ(le32(bytes, 2), bytes.size());
        EXPECT_EQ(le32(bytes, 10), 54u + 4u * k.colours);
        EXPECT_EQ(le32(bytes, 46), static_cast<uint32_t>(k.colours));
        HBITMAP loaded = static_cast<HBITMAP>(
            LoadImageA(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
        ASSERT_NE(loaded, nullptr);
        Deleter d2{loaded};
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) ASSERT_EQ(pixelOf(loaded, x, y), pixelOf(b, x, y)) << x << "," << y;
        std::remove(file.c_str());
    }
}

const rt::Function& fn(const char* name) {
    registerBitmapDrawFunctions();
    const rt::Function* f = rt::findFunction(name);
    EXPECT_NE(f, nullptr) << name;
    return *f;
}

TEST(BitmapFunctions, ByNameCallsAnswerHandlesLogicalsAndPadShortBits) {
    HBITMAP b16 = solid(16, 16, kRed);
    Deleter d{b16};
    MemoryCanvas c(40, 40);
    const auto h = [](const void* p) { return rt::Value(static_cast<long long>(reinterpret_cast<intptr_t>(p))); };
    rt::Value args[] = {h(c.dc()), h(b16), 0, 0, 15, 15, 0, 0};
    EXPECT_TRUE(fn("VP_DRAWBITMAP")(args).asLogical());
    args[4] = 39;
    EXPECT_FALSE(fn("VP_DRAWBITMAP")(args).asLogical());

    // One byte for a bitmap that needs four: the rest reads as zeros, never past the text.
    rt::Value create[] = {16, 2, 1, 1, rt::Value(std::string("\xFF", 1))};
    HBITMAP mono = reinterpret_cast<HBITMAP>(static_cast<intptr_t>(fn("CREATEBITMAP")(create).asInteger()));
    ASSERT_NE(mono, nullptr);
    Deleter d2{mono};
    EXPECT_EQ(pixelOf(mono, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(pixelOf(mono, 8, 0), RGB(0, 0, 0));
    EXPECT_EQ(pixelOf(mono, 0, 1), RGB(0, 0, 0));

    rt::Value mask[] = {h(b16)};
    HBITMAP m = reinterpret_cast<HBITMAP>(static_cast<intptr_t>(fn("VP_GETBMPMASK")(mask).asInteger()));
    Deleter d3{m};
    EXPECT_EQ(pixelOf(m, 5, 5), RGB(255, 255, 255));  // all corner colour

    rt::Value dims[] = {h(b16)};
    auto size = fn("GETBITMAPDIMENSIONEX")(dims).asArray();
    ASSERT_TRUE(size);
    EXPECT_EQ(size->items.size(), 2u);
}

TEST(BitmapFunctions, GetSizeMethodSetsTheObjectsSize) {
    static HBITMAP bitmap = solid(7, 3, kRed);
    Deleter d{bitmap};
    static const rt::Class& cls = []() -> const rt::Class& {
        rt::ClassBuilder b("TPROBEBITMAP", nullptr, nullptr);
        b.addData("nWidth", 0);
        b.addData("nHeight", 0);
        b.addMethod("Handle", [](rt::Object&, const rt::Method&, rt::Args) {
            return rt::Value(static_cast<long long>(reinterpret_cast<intptr_t>(bitmap)));
        });
        b.addMethod("GetSize", XBITMAP_GETSIZE);
        b.addMethod("Save", XBITMAP_SAVE);
        return b.create();
    }();
    rt::Value o(cls.instantiate());
    rt::send(o, "GetSize");
    EXPECT_EQ(rt::send(o, "nWidth").asInteger(), 7);
    EXPECT_EQ(rt::send(o, "nHeight").asInteger(), 3);
    EXPECT_FALSE(rt::send(o, "Save", {rt::Value()}).asLogical());  // no file name
}

TEST(CrystalFill, BandsRunFromTheirColoursAndTheBorderFramesThem) {
    MemoryCanvas c(30, 40);
    VP_CrystalFillV(c.dc(), {0, 0, 30, 40}, RGB(200, 220, 240), RGB(20, 40, 60), RGB(0, 0, 255));
    EXPECT_TRUE(testing::closeTo(c.at(15, 2), RGB(200, 220, 240), 12));
    EXPECT_TRUE(testing::closeTo(c.at(15, 20), RGB(20, 40, 60), 12));
    EXPECT_EQ(c.at(15, 1), RGB(255, 255, 251));
    EXPECT_EQ(c.at(15, 0), RGB(0, 0, 255));
}

}  // namespace
}  // namespace vorpex
