// The canvas under Wine: shapes, lines and text drawn on a memory DC and read back at pixels, in pixels and in
// tenths of a millimetre; the same page recorded into a metafile, played back and compared pixel for pixel;
// what a text call leaves in the DC, and which fonts the canvas may destroy.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "framework/core/object/vp_class.h"
#include "framework/graphics/font/font.h"
#include "framework/graphics/graphics.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "tests/support/memory_canvas.h"

namespace vorpex::testing {
namespace {

using rt::Value;

constexpr COLORREF kFill = RGB(1, 2, 3), kRed = RGB(255, 0, 0), kWhite = RGB(255, 255, 255);

Value ask(const Value& o, const char* message, std::vector<Value> args = {}) {
    return rt::send(o, rt::Symbol::intern(message), args);
}
Value bare(const char* cls) { return (*rt::findFunction(cls))({}); }
Value rect(int64_t l, int64_t t, int64_t r, int64_t b) { return Value::array({l, t, r, b}); }
Value dcValue(HDC dc) { return Value(static_cast<int64_t>(reinterpret_cast<intptr_t>(dc))); }

// A device of 200 x 200 pixels at 96 dots per inch (529 tenths of a millimetre), whose context (the one its
// fonts measure on) is the DC the test draws on.
HDC deviceDC = nullptr;
const rt::Class& deviceClass() {
    static const rt::Class& c = [] () -> const rt::Class& {
        VPClass b("CanvasTestDevice", &TComponent::classRecord(), rt::factoryOf<TComponent>());
        const auto answer = [&b](const char* name, int64_t x, int64_t y) {
            b.addMethod(name, [x, y](rt::Object&, const rt::Method&, rt::Args) { return Value::array({x, y}); });
        };
        answer("Resolution", 96, 96);
        answer("PaperRes", 200, 200);
        answer("PaperSize", 529, 529);
        answer("PaperPhysicalSize", 529, 529);
        answer("PhysicalOffset", 0, 0);
        b.addMethod("hDC", [](rt::Object&, const rt::Method&, rt::Args) { return dcValue(deviceDC); });
        return b.create();
    }();
    return c;
}

// The pixels of a colour other than the fill: {left, top, right, bottom}, or all -1 when there is none.
RECT inkBox(const MemoryCanvas& m, std::function<bool(COLORREF)> ink) {
    RECT box{-1, -1, -1, -1};
    for (int y = 0; y < m.height(); ++y)
        for (int x = 0; x < m.width(); ++x) {
            if (!ink(m.at(x, y))) continue;
            if (box.left < 0 || x < box.left) box.left = x;
            if (box.top < 0) box.top = y;
            box.right = std::max<LONG>(box.right, x);
            box.bottom = y;
        }
    return box;
}
bool isDark(COLORREF c) { return GetRValue(c) < 128 && GetGValue(c) < 128 && GetBValue(c) < 128 && c != kFill; }

class WinCanvasTest : public ::testing::Test {
protected:
    void SetUp() override { registerGraphics(); }
    MemoryCanvas screen_{1, 1};
    Value canvasOn(HDC dc) {
        deviceDC = dc ? dc : screen_.dc();
        Value canvas = ask(bare("TCANVAS"), "New", {Value(deviceClass().instantiate())});
        ask(canvas, "_hDC", {dcValue(dc)});
        return canvas;
    }
    // The page both tests draw: a red fill, a white-filled rectangle with a red outline, an ellipse, a line.
    void drawPage(const Value& canvas) {
        ask(canvas, "FillRect", {rect(0, 0, 100, 50), 255});
        ask(canvas, "_oPen", {ask(bare("TPEN"), "New", {0, 1, 255})});
        ask(canvas, "Rectangle", {rect(10, 60, 90, 120)});
        ask(canvas, "_nClrPane", {0x00FF00});
        ask(canvas, "Ellipse", {rect(110, 10, 190, 90)});
        ask(canvas, "MoveTo", {10, 150});
        ask(canvas, "LineTo", {190, 150});
    }
};

TEST_F(WinCanvasTest, ShapesAndLinesLandWhereTheirPixelsAre) {
    MemoryCanvas m(200, 200, kFill);
    ASSERT_TRUE(m.ready());
    const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    Value canvas = canvasOn(m.dc());
    drawPage(canvas);
    EXPECT_EQ(m.at(50, 25), kRed) << "FillRect with a colour";
    EXPECT_EQ(m.at(10, 90), kRed) << "the rectangle's outline is the canvas's pen";
    EXPECT_EQ(m.at(50, 90), kWhite) << "a rectangle without brush or pane colour is white";
    EXPECT_EQ(m.at(150, 50), RGB(0, 255, 0)) << "the ellipse is filled with the pane colour";
    EXPECT_EQ(m.at(112, 12), kFill) << "outside the ellipse";
    EXPECT_EQ(m.at(100, 150), kRed) << "the line with the canvas's pen";
    EXPECT_EQ(m.at(100, 152), kFill);
    const rt::ArrayPtr pos = ask(canvas, "aPenPos").asArray();
    EXPECT_EQ(pos->at1(1).asInteger(), 190);

    Value brush = ask(bare("TBRUSH"), "Create", {Value(), 0xFF0000});
    EXPECT_TRUE(ask(canvas, "FillRect", {rect(0, 180, 20, 200), brush}).asLogical());
    EXPECT_EQ(m.at(10, 190), RGB(0, 0, 255));
    const HGDIOBJ brushHandle = reinterpret_cast<HGDIOBJ>(ask(brush, "Handle").asInteger());
    EXPECT_EQ(GetObjectType(brushHandle), static_cast<DWORD>(OBJ_BRUSH)) << "a given brush stays the caller's";
    ask(brush, "Destroy");
    ask(canvas, "Destroy");
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiBefore) << "every brush made was deleted";
}

TEST_F(WinCanvasTest, TenthsOfAMillimetreConvertWithTheDevicesMeasures) {
    MemoryCanvas m(200, 200, kFill);
    ASSERT_TRUE(m.ready());
    Value canvas = canvasOn(m.dc());
    ask(canvas, "_nMapMode", {1});
    // 265 tenths of a millimetre are 100 of the device's 200 pixels over 529.
    ask(canvas, "FillRect", {rect(0, 0, 265, 265), 255});
    EXPECT_EQ(m.at(98, 98), kRed);
    EXPECT_EQ(m.at(101, 101), kFill);
}

TEST_F(WinCanvasTest, ACentredTextSitsInTheMiddleOfItsBoxAndTheContextIsGivenBack) {
    MemoryCanvas m(400, 60, kFill);
    ASSERT_TRUE(m.ready());
    Value canvas = canvasOn(m.dc());
    ask(canvas, "_oFont", {ask(bare("TFONT"), "Create", {"Arial", 12})});
    ask(canvas, "_nTextAlignment", {6});
    ask(canvas, "_lTransparent", {true});
    SetTextAlign(m.dc(), TA_LEFT | TA_TOP);
    SetBkMode(m.dc(), OPAQUE);
    SetTextColor(m.dc(), RGB(0, 0, 0));
    EXPECT_TRUE(ask(canvas, "TextOut", {100, 10, "Hola", 200}).asLogical());
    const RECT box = inkBox(m, isDark);
    ASSERT_GE(box.left, 0) << "the text was drawn";
    EXPECT_NEAR((box.left + box.right) / 2.0, 200, 3);
    const rt::ArrayPtr pos = ask(canvas, "aPenPos").asArray();
    EXPECT_EQ(pos->at1(1).asInteger(), 300);
    EXPECT_EQ(pos->at1(2).asInteger(), 10);
    EXPECT_EQ(GetTextAlign(m.dc()), static_cast<UINT>(TA_LEFT | TA_TOP)) << "alignment restored";
    EXPECT_EQ(GetBkMode(m.dc()), OPAQUE) << "background mode restored";
    ask(canvas, "Destroy");
}

TEST_F(WinCanvasTest, WrappedTextIsPlacedVerticallyInItsRectangle) {
    struct Case {
        int64_t vAlignment;
        int lowestTop, highestTop;
    } cases[] = {{0, 0, 10}, {1, 60, 95}, {2, 120, 200}};
    for (const Case& c : cases) {
        MemoryCanvas m(100, 200, kFill);
        ASSERT_TRUE(m.ready());
        Value canvas = canvasOn(m.dc());
        ask(canvas, "_oFont", {ask(bare("TFONT"), "Create", {"Arial", 10})});
        ask(canvas, "_nTextVAlignment", {c.vAlignment});
        const Value height = ask(canvas, "TextRect", {rect(0, 0, 100, 200), "uno dos tres cuatro cinco seis"});
        const RECT box = inkBox(m, isDark);
        ASSERT_GE(box.top, 0) << c.vAlignment;
        EXPECT_GT(box.bottom - box.top, 20) << "the text wraps into lines";
        EXPECT_GE(box.top, c.lowestTop) << c.vAlignment;
        EXPECT_LE(box.top, c.highestTop) << c.vAlignment;
        EXPECT_GT(height.asInteger(), box.bottom - box.top) << "the result is the text's height";
        if (c.vAlignment == 2) {
            EXPECT_GT(box.bottom, 180) << "bottom-aligned wrapped text ends at the bottom";
        }
        ask(canvas, "Destroy");
    }
}

TEST_F(WinCanvasTest, WithoutAContextNothingIsDrawn) {
    Value canvas = ask(bare("TCANVAS"), "New", {Value(deviceClass().instantiate())});
    const std::vector<std::pair<const char*, std::vector<Value>>> calls = {
        {"MoveTo", {1, 1}},          {"LineTo", {5, 5}},           {"TextOut", {1, 1, "x"}},
        {"TextRect", {rect(0, 0, 9, 9), "x"}}, {"FillRect", {rect(0, 0, 9, 9), 255}},
        {"Rectangle", {rect(0, 0, 9, 9)}}, {"Ellipse", {rect(0, 0, 9, 9)}}, {"RoundRect", {rect(0, 0, 9, 9), 2, 2}},
        {"ExtFloodFill", {1, 1, 0, 1}}};
    for (const auto& [message, args] : calls) {
        const Value result = ask(canvas, message, args);
        EXPECT_TRUE(result.isLogical() && !result.asLogical()) << message;
    }
}

TEST_F(WinCanvasTest, AFontSharedWithControlsIsNotTheCanvassToDestroy) {
    Value canvas = canvasOn(nullptr);
    Value shared = ask(bare("TFONT"), "Create", {"Arial", 10});
    rt::objectAs<XFont>(shared)->addUser();
    ask(canvas, "_oFont", {shared});
    EXPECT_NE(ask(shared, "Handle").asInteger(), 0) << "a control still draws with it";
    EXPECT_FALSE(ask(canvas, "oFont").sameAs(shared)) << "the canvas draws with its own copy";
    EXPECT_TRUE(ask(canvas, "lOwnFont").asLogical());

    Value once = ask(bare("TFONT"), "Create", {"Arial", 10});
    const Value copy = ask(canvas, "_oFont", {once});
    EXPECT_EQ(ask(once, "Handle").asInteger(), 0) << "a font nobody shares is taken over";
    ask(canvas, "SelectFont", {shared});
    EXPECT_EQ(ask(copy, "Handle").asInteger(), 0) << "the copy the canvas made is its own to end";
    EXPECT_FALSE(ask(canvas, "lOwnFont").asLogical());
    ask(canvas, "Destroy");
    EXPECT_NE(ask(shared, "Handle").asInteger(), 0) << "a selected font is only lent";
    ask(shared, "Destroy");
}

TEST_F(WinCanvasTest, APageRecordedInAMetafilePlaysBackAsDrawn) {
    MemoryCanvas direct(200, 200, kWhite), played(200, 200, kWhite), ref(200, 200);
    ASSERT_TRUE(direct.ready() && played.ready() && ref.ready());
    drawPage(canvasOn(direct.dc()));

    const int64_t width = MulDiv(200, GetDeviceCaps(ref.dc(), HORZSIZE) * 100, GetDeviceCaps(ref.dc(), HORZRES));
    const int64_t height = MulDiv(200, GetDeviceCaps(ref.dc(), VERTSIZE) * 100, GetDeviceCaps(ref.dc(), VERTRES));
    Value emf = ask(bare("TENHMETAFILE"), "Create", {dcValue(ref.dc()), "", width, height, "Pagina 1"});
    const int64_t recording = ask(emf, "hNewDC").asInteger();
    ASSERT_NE(recording, 0);
    RECT page{0, 0, 200, 200};
    FillRect(reinterpret_cast<HDC>(recording), &page, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    drawPage(canvasOn(reinterpret_cast<HDC>(recording)));
    ASSERT_TRUE(ask(emf, "Close").asLogical());
    ASSERT_TRUE(ask(emf, "Paint", {dcValue(played.dc()), 0, 0, 200, 200}).asLogical());

    int differing = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x) differing += direct.at(x, y) != played.at(x, y);
    EXPECT_LT(differing, 200 * 200 / 100) << "edges may round differently, nothing more";
    EXPECT_EQ(played.at(50, 25), kRed);
    EXPECT_EQ(played.at(150, 50), RGB(0, 255, 0));
    ask(emf, "Destroy");
}

}  // namespace
}  // namespace vorpex::testing
