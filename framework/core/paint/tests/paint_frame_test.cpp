// The painting frame with real controls under Wine, checked by painting into memory DCs and reading pixels:
// OnPaint's answer, backgrounds by brush and by picture in each mode, the stretched-background cache, a
// transparent control over its parent's picture, the non-client border widths and control text placement.
#include "framework/core/control/tests/control_fixture.h"

#include <algorithm>
#include <climits>

#include "framework/core/paint/control_paint.h"
#include "framework/core/paint/tests/test_bitmaps.h"
#include "tests/support/memory_canvas.h"
#include "framework/core/gdi/bitmap_draw.h"
#include "runtime/core/block.h"
#include "runtime/core/class_builder.h"
#include "runtime/core/send.h"

namespace vorpex::testing {
namespace {

using rt::Value;

constexpr COLORREF kRed = RGB(200, 0, 0), kGreen = RGB(0, 160, 0), kSentinel = RGB(1, 2, 3);

HBITMAP solidBitmap(int w, int h, COLORREF c) {
    return makeBitmap(w, h, 32, [&](HDC dc) {
        RECT r{0, 0, w, h};
        HBRUSH b = CreateSolidBrush(c);
        FillRect(dc, &r, b);
        DeleteObject(b);
    });
}

// A picture object as the container sees one: something with a Handle.
Value picture(HBITMAP b) {
    static const rt::Class& cls = []() -> const rt::Class& {
        rt::ClassBuilder b("TTESTPICTURE", nullptr, nullptr);
        b.addData("Handle", 0);
        return b.create();
    }();
    Value p(cls.instantiate());
    rt::send(p, "_Handle", {handleValue(b)});
    return p;
}

Value dcArg(const MemoryCanvas& c) { return handleValue(c.dc()); }

class PaintFrameTest : public ControlTest {
protected:
    // A container with a green pane, `width` x `height` of client area (no border).
    Value pane(int width, int height) {
        makeForm(false, 500, 400);
        return makeControl(TWinControl::classRecord(), form, 10, 10, width, height,
                           [](const Value& c) { rt::send(c, "_nClrPane", {Value(static_cast<long long>(kGreen))}); });
    }
    static void erase(const Value& control, const MemoryCanvas& canvas) {
        SendMessageA(hwndOf(control), WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc()), 0);
    }
};

TEST_F(PaintFrameTest, OnPaintAnswerDecidesTheDefaultDrawingAndOnPainted) {
    struct Case {
        Value answer;
        bool runs;
    } cases[] = {{Value(), true},       {Value(5), true},   {Value(true), true},  {Value(0), false},
                 {Value(false), false}, {Value("ab"), false}, {Value(""), false}, {Value::array(), false}};
    Value box = pane(40, 30);
    for (const Case& k : cases) {
        SCOPED_TRACE(k.answer.typeCode());
        int painted = 0;
        rt::send(box, "_OnPaint", {Value(rt::makeBlock([&](rt::Args) { return k.answer; }))});
        rt::send(box, "_OnPainted", {counter(painted)});
        MemoryCanvas c(40, 30);
        erase(box, c);
        EXPECT_EQ(c.at(5, 5), k.runs ? kGreen : kSentinel);
        EXPECT_EQ(painted, k.runs ? 1 : 0);
        clearEvents(*box.asObject());  // the handlers hold this iteration's locals
    }
}

TEST_F(PaintFrameTest, PaintMessageIsLeftToWindowsWithoutOnPaintAndAlwaysEndsWithOnPainted) {
    Value box = pane(40, 30);
    MemoryCanvas c(40, 30);
    const Value args[] = {dcArg(c), Value(0), handleValue(hwndOf(box)), Value(WM_PAINT)};
    EXPECT_TRUE(rt::send(box, rt::Symbol::intern("WMPaint"), args).isNil());
    int painted = 0;
    rt::send(box, "_OnPaint", {Value(rt::makeBlock([](rt::Args) { return Value(0); }))});
    rt::send(box, "_OnPainted", {counter(painted)});
    EXPECT_EQ(rt::send(box, rt::Symbol::intern("WMPaint"), args).asInteger(), 0);
    EXPECT_EQ(painted, 1);
}

TEST_F(PaintFrameTest, PrintClientPaintsTheBrushAndLeavesTheUpdateRegion) {
    makeForm(true);  // only a visible window keeps an update region
    Value box = makeControl(TWinControl::classRecord(), form, 10, 10, 40, 30,
                            [](const Value& c) { rt::send(c, "_nClrPane", {Value(static_cast<long long>(kGreen))}); });
    pump();
    InvalidateRect(hwndOf(box), nullptr, FALSE);
    MemoryCanvas c(40, 30);
    SendMessageA(hwndOf(box), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(c.dc()), PRF_CLIENT);
    EXPECT_EQ(c.at(39, 29), kGreen);
    RECT update{};
    EXPECT_TRUE(GetUpdateRect(hwndOf(box), &update, FALSE));
}

TEST_F(PaintFrameTest, BackgroundPictureInCopyCentreAndTileModes) {
    HBITMAP b16 = solidBitmap(16, 16, kRed), b10 = solidBitmap(10, 10, kRed);
    struct Case {
        int mode;
        HBITMAP bitmap;
        std::vector<std::pair<POINT, COLORREF>> expected;
    } cases[] = {
        {0, b16, {{{0, 0}, kRed}, {{15, 15}, kRed}, {{16, 16}, kGreen}, {{99, 49}, kGreen}}},
        {1, b16, {{{42, 17}, kRed}, {{57, 32}, kRed}, {{41, 17}, kGreen}, {{0, 0}, kGreen}}},
        {2, b10, {{{0, 0}, kRed}, {{99, 49}, kRed}, {{55, 5}, kRed}}},
    };
    Value box = pane(100, 50);
    for (const Case& k : cases) {
        SCOPED_TRACE(k.mode);
        rt::send(box, "SetBkgnd", {picture(k.bitmap)});
        rt::send(box, "_nBkgndMode", {Value(k.mode)});
        MemoryCanvas c(100, 50);
        erase(box, c);
        for (const auto& [p, colour] : k.expected) EXPECT_EQ(c.at(p.x, p.y), colour) << p.x << "," << p.y;
    }
    rt::send(box, "SetBkgnd", {Value()});
    DeleteObject(b16);
    DeleteObject(b10);
}

TEST_F(PaintFrameTest, StretchedBackgroundIsMadeOncePerSizeAndNeverDeletesThePicture) {
    HBITMAP source = solidBitmap(16, 16, kRed);
    Value box = pane(60, 40);
    rt::send(box, "SetBkgnd", {picture(source)});
    rt::send(box, "_nBkgndMode", {Value(3)});
    auto paintOnce = [&](int w, int h) {
        MemoryCanvas c(w, h);
        erase(box, c);
        EXPECT_EQ(c.at(w - 1, h - 1), kRed);
        return static_cast<intptr_t>(rt::send(box, "hBkgnd").asInteger());
    };
    const intptr_t first = paintOnce(60, 40);
    EXPECT_NE(first, reinterpret_cast<intptr_t>(source));
    EXPECT_EQ(bitmapSize(reinterpret_cast<HBITMAP>(first)).cx, 60);
    EXPECT_EQ(paintOnce(60, 40), first);
    EXPECT_EQ(paintOnce(60, 40), first);
    rt::send(box, "_nWidth", {Value(80)});
    const intptr_t second = paintOnce(80, 40);
    EXPECT_NE(second, first);
    EXPECT_EQ(paintOnce(80, 40), second);
    EXPECT_EQ(bitmapSize(source).cx, 16) << "the picture's own bitmap is still alive";
    rt::send(box, "SetBkgnd", {Value()});
    DeleteObject(source);
}

TEST_F(PaintFrameTest, TransparentControlShowsItsParentsPictureAlsoThroughABorder) {
    // A picture whose every pixel tells where it is.
    HBITMAP pattern = makeBitmap(100, 80, 32, [](HDC dc) {
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 100; ++x) SetPixel(dc, x, y, RGB(x * 2, y * 3, 100));
    });
    Value parent = pane(100, 80);
    rt::send(parent, "SetBkgnd", {picture(pattern)});
    Value child = makeControl(TWinControl::classRecord(), parent, 20, 15, 40, 30, [](const Value& c) {
        rt::send(c, "_lTransparent", {Value(true)});
        rt::send(c, "_nBorderStyle", {Value(4)});
    });
    RECT client;
    GetClientRect(hwndOf(child), &client);
    ASSERT_EQ(client.right, 36) << "a sunken border takes 2 pixels a side";
    MemoryCanvas c(36, 26);
    erase(child, c);
    for (POINT p : {POINT{0, 0}, POINT{35, 25}, POINT{17, 9}})
        EXPECT_EQ(c.at(p.x, p.y), RGB((22 + p.x) * 2, (17 + p.y) * 3, 100)) << p.x << "," << p.y;
    rt::send(parent, "SetBkgnd", {Value()});
    DeleteObject(pattern);
}

TEST_F(PaintFrameTest, BorderStylesTakeTheirWidthFromTheClientArea) {
    makeForm(false, 300, 200);
    const int shrink[] = {0, 1, 1, 2, 2, 2, 2, 1};
    for (int style = 0; style <= 7; ++style) {
        Value c = makeControl(TControl::classRecord(), form, 0, 0, 50, 40,
                              [&](const Value& c) { rt::send(c, "_nBorderStyle", {Value(style)}); });
        RECT r;
        GetClientRect(hwndOf(c), &r);
        EXPECT_EQ(r.right, 50 - 2 * shrink[style]) << style;
        EXPECT_EQ(r.bottom, 40 - 2 * shrink[style]) << style;
        rt::send(c, "End");
    }
}

// The bounding box of the pixels that are not `background`.
RECT inkBox(const MemoryCanvas& c, COLORREF background) {
    RECT box{INT_MAX, INT_MAX, -1, -1};
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            if (c.at(x, y) != background) box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                                                 std::max<LONG>(box.right, x), std::max<LONG>(box.bottom, y)};
    return box;
}

TEST_F(PaintFrameTest, ControlTextFollowsItsAlignments) {
    makeForm();
    Value label = makeControl(probeControlClass(), form, 0, 0, 120, 60, [](const Value& c) {
        rt::send(c, "_cText", {Value("Hi")});
        rt::send(c, "_nClrText", {Value(0)});
    });
    auto draw = [&](int align, int vAlign) {
        rt::send(label, "_nAlignment", {Value(align)});
        rt::send(label, "_nVAlignment", {Value(vAlign)});
        MemoryCanvas c(120, 60, RGB(255, 255, 255));
        VP_DrawControlText(*label.asObject(), c.dc(), {0, 0, 120, 60}, DT_SINGLELINE);
        return inkBox(c, RGB(255, 255, 255));
    };
    const RECT topLeft = draw(0, 0);
    ASSERT_GE(topLeft.right, 0) << "something was drawn";
    EXPECT_LT(topLeft.top, 10);
    EXPECT_LT(topLeft.left, 5);
    const RECT bottomCentre = draw(6, 2);
    EXPECT_GT(bottomCentre.bottom, 45);
    EXPECT_LE(bottomCentre.bottom, 58);
    EXPECT_NEAR((bottomCentre.left + bottomCentre.right) / 2, 59, 4);
    const RECT middleRight = draw(2, 1);
    EXPECT_GT(middleRight.right, 110);
    EXPECT_NEAR((middleRight.top + middleRight.bottom) / 2, 29, 5);
}

TEST_F(PaintFrameTest, BeginAndEndPaintMethodsPairWhateverOnPaintSaid) {
    Value box = pane(40, 30);
    MemoryCanvas c(40, 30);
    int painted = 0;
    rt::send(box, "_OnPainted", {counter(painted)});
    rt::send(box, "_OnPaint", {Value(rt::makeBlock([](rt::Args) { return Value(false); }))});
    EXPECT_EQ(rt::send(box, "BeginPaint", {dcArg(c)}).asInteger(), 0);
    EXPECT_FALSE(rt::send(box, "uControlPaint").isNil()) << "kept for EndPaint";
    rt::send(box, "EndPaint");
    EXPECT_TRUE(rt::send(box, "uControlPaint").isNil());
    EXPECT_EQ(painted, 0);
    rt::send(box, "_OnPaint", {Value()});
    EXPECT_EQ(rt::send(box, "BeginPaint", {dcArg(c)}).asInteger(), reinterpret_cast<intptr_t>(c.dc()));
    rt::send(box, "EndPaint");
    EXPECT_EQ(painted, 1);
}

}  // namespace
}  // namespace vorpex::testing
