// The image control on real windows under Wine: a BMP, and a PNG through the FreeImage stand-in, shown at
// their pixels, zoomed, scrolled and fitted (read back through WM_PRINTCLIENT into a memory canvas); the
// scroll range the zoom gives; and which pictures the control destroys.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/controls/controls.h"
#include "framework/controls/image/image.h"
#include "framework/core/control/tests/control_fixture.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/picture/picture.h"
#include "runtime/core/send.h"
#include "tests/support/free_image_path.h"
#include "tests/support/host_path.h"
#include "tests/support/memory_canvas.h"

namespace vorpex::testing {
namespace {

using rt::Value;

constexpr COLORREF kCorner = RGB(255, 0, 255), kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0),
                   kBlue = RGB(0, 0, 255), kWhite = RGB(255, 255, 255);

std::string pictureFile(const char* name) {
    return rt::testing::windowsPath(std::string(VORPEX_PICTURE_FILES) + "/" + name);
}

class ImageTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        registerGraphics();
        registerStandardControls();
        makeForm();
    }
    Value image(int width = 60, int height = 40) {
        return makeControl(TImage::classRecord(), form, 10, 10, width, height);
    }
    static Value picture(const Value& name = {}) {
        return rt::send(Value(TPicture::classRecord().instantiate()), "Create", {name});
    }
    // A picture of a blank bitmap of the given size.
    static Value blankPicture(int width, int height) {
        HDC screen = GetDC(nullptr);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        Value p = picture();
        rt::send(p, "CreateIndirect", {Value(int64_t{1}), Value(static_cast<int64_t>(reinterpret_cast<intptr_t>(bitmap)))});
        return p;
    }
    // The control's client area as it paints it.
    static void paint(const Value& control, MemoryCanvas& canvas) {
        SendMessageA(hwndOf(control), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()),
                     PRF_CLIENT | PRF_ERASEBKGND);
    }
    static int64_t num(const Value& o, const char* name) { return rt::send(o, name).asInteger(); }
    static bool hasBars(const Value& control) {
        return (GetWindowLongA(hwndOf(control), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)) != 0;
    }
    // The end of a scroll bar's range, -1 when the control has none.
    static int scrollMax(const Value& control, int bar) {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE;
        return GetScrollInfo(hwndOf(control), bar, &info) ? info.nMax : -1;
    }
};

// The 2 by 2 quad at 1000%: each pixel a 10 by 10 square from the client's corner, white paper beyond.
void expectQuadAt(const MemoryCanvas& canvas, int x, int y, int cell) {
    EXPECT_EQ(canvas.at(x + cell / 2, y + cell / 2), kCorner);
    EXPECT_EQ(canvas.at(x + cell + cell / 2, y + cell / 2), kRed);
    EXPECT_EQ(canvas.at(x + cell / 2, y + cell + cell / 2), kGreen);
    EXPECT_EQ(canvas.at(x + cell + cell / 2, y + cell + cell / 2), kBlue);
}

TEST_F(ImageTest, ABmpAndAPngShowAtTheirPixelsZoomed) {
    rt::testing::FreeImageOnPath library;
    for (const char* file : {"quad.bmp", "quad.png"}) {
        SCOPED_TRACE(file);
        Value control = image();
        rt::send(control, "_oPicture", {Value(pictureFile(file))});
        ASSERT_TRUE(rt::send(rt::send(control, "oPicture"), "IsBitmap").asLogical());
        MemoryCanvas actual(60, 40);
        paint(control, actual);
        EXPECT_EQ(actual.at(0, 0), kCorner);
        EXPECT_EQ(actual.at(1, 1), kBlue);
        EXPECT_EQ(actual.at(5, 5), kWhite) << "the pane around the picture";

        rt::send(control, "_nZoom", {Value(1000)});
        EXPECT_EQ(num(control, "nVirtualWidth"), 20);
        EXPECT_EQ(num(control, "nVirtualHeight"), 20);
        EXPECT_FALSE(hasBars(control)) << "it fits";
        MemoryCanvas zoomed(60, 40);
        paint(control, zoomed);
        expectQuadAt(zoomed, 0, 0, 10);
        EXPECT_EQ(zoomed.at(25, 25), kWhite);
        rt::send(control, "End");
    }
}

TEST_F(ImageTest, AZoomedPictureScrolls) {
    Value control = image();
    rt::send(control, "_oPicture", {Value(pictureFile("quad.bmp"))});
    rt::send(control, "_nZoom", {Value(5000)});  // 100 by 100 in a 60 by 40 control
    EXPECT_TRUE(hasBars(control));
    EXPECT_EQ(scrollMax(control, SB_VERT), 99);

    // Scrolled to the far corner: the blue pixel fills the view's top left.
    rt::send(control, "_nClientLeft", {Value(-50)});
    rt::send(control, "_nClientTop", {Value(-50)});
    MemoryCanvas canvas(60, 40);
    paint(control, canvas);
    EXPECT_EQ(canvas.at(2, 2), kBlue);
}

TEST_F(ImageTest, ZoomScaleAndFittingDecideTheScrollRange) {
    Value control = image();
    rt::send(control, "_oPicture", {blankPicture(200, 100)});
    for (int refused : {4, 20001}) {
        rt::send(control, "_nZoom", {Value(refused)});
        EXPECT_EQ(num(control, "nZoom"), 100) << refused;
    }
    rt::send(control, "_nZoom", {Value(150)});
    EXPECT_EQ(num(control, "nVirtualWidth"), 300);
    EXPECT_EQ(num(control, "nVirtualHeight"), 150);
    EXPECT_EQ(scrollMax(control, SB_HORZ), 299);

    app.setScale(200);
    rt::send(control, "_nZoom", {Value(100)});
    EXPECT_EQ(num(control, "nVirtualWidth"), 400) << "the application's scale multiplies";
    app.setScale(100);

    rt::send(control, "_lAutoFit", {Value(true)});
    for (int zoom : {100, 1000, 20000}) {
        rt::send(control, "_nZoom", {Value(zoom)});
        EXPECT_EQ(num(control, "nVirtualWidth"), 0);
        EXPECT_FALSE(hasBars(control)) << zoom;
    }
    rt::send(control, "_lAutoFit", {Value(false)});
    rt::send(control, "_oPicture", {Value()});
    EXPECT_EQ(num(control, "nVirtualWidth"), 0);
    EXPECT_FALSE(hasBars(control)) << "no picture, no scroll range";
}

TEST_F(ImageTest, AFittedPictureIsCentredAndNeverEnlarged) {
    Value control = image();
    rt::send(control, "_lAutoFit", {Value(true)});
    rt::send(control, "_oPicture", {Value(pictureFile("quad.bmp"))});
    RECT client{};
    GetClientRect(hwndOf(control), &client);
    const int left = (client.right - 2) / 2, top = (client.bottom - 2) / 2;
    MemoryCanvas canvas(60, 40);
    paint(control, canvas);
    EXPECT_EQ(canvas.at(left, top), kCorner);
    EXPECT_EQ(canvas.at(left + 1, top + 1), kBlue);
    EXPECT_EQ(canvas.at(left - 1, top), kWhite);
    EXPECT_EQ(canvas.at(left + 2, top + 1), kWhite);
}

TEST_F(ImageTest, TheControlDestroysOnlyThePicturesItMade) {
    Value control = image(), other = image();
    // A name: the control makes the picture and destroys it when another replaces it.
    rt::send(control, "_oPicture", {Value("VP_BMP_OK")});
    const Value made = rt::send(control, "oPicture");
    ASSERT_TRUE(rt::send(made, "IsBitmap").asLogical());
    EXPECT_EQ(num(control, "nVirtualWidth"), num(made, "nWidth"));
    rt::send(control, "_oPicture", {made});
    EXPECT_TRUE(rt::send(made, "IsPicture").asLogical()) << "its own picture again";

    // A picture object given to two controls: neither destroys it, whatever happens to them.
    const Value shared = picture(Value(pictureFile("quad.bmp")));
    rt::send(control, "_oPicture", {shared});
    EXPECT_FALSE(rt::send(made, "IsPicture").asLogical()) << "the made one went";
    rt::send(other, "_oPicture", {shared});
    rt::send(control, "_oPicture", {shared});
    rt::send(control, "_oPicture", {Value()});
    rt::send(other, "End");
    EXPECT_TRUE(rt::send(shared, "IsPicture").asLogical());
    EXPECT_EQ(num(shared, "nWidth"), 2);

    // Freeing the control destroys the picture it made.
    rt::send(control, "_oPicture", {Value(pictureFile("quad.bmp"))});
    const Value last = rt::send(control, "oPicture");
    rt::send(control, "End");
    EXPECT_FALSE(rt::send(last, "IsPicture").asLogical());
}

}  // namespace
}  // namespace vorpex::testing
