// The standard controls' painters on real windows under Wine, drawn into a memory DC handed in with
// WM_PAINT: the check box the framework draws when visual styles are off, and the disabled edit.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "framework/controls/button/button.h"
#include "framework/controls/controls.h"
#include "framework/controls/edit/edit.h"
#include "framework/core/control/tests/control_fixture.h"
#include "framework/core/paint/control_paint.h"
#include "runtime/core/send.h"
#include "tests/support/memory_canvas.h"

namespace vorpex::testing {
namespace {

using rt::Value;

// A memory canvas the size of a window's client area, filled with `background`, painted by `paint`.
class Painted : public MemoryCanvas {
public:
    Painted(HWND window, COLORREF background, const std::function<void(HDC)>& paint)
        : MemoryCanvas(clientOf(window).right, clientOf(window).bottom, background) {
        paint(dc());
    }
    int count(COLORREF colour, int left = 0, int right = -1) const {
        int n = 0;
        for (int y = 0; y < height(); ++y)
            for (int x = left; x < (right < 0 ? width() : right); ++x) n += at(x, y) == colour;
        return n;
    }

private:
    static RECT clientOf(HWND window) {
        RECT r{};
        GetClientRect(window, &r);
        return r;
    }
};

class Painters : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        registerStandardControls();
        makeForm();
    }
    Value checkBox(int64_t alignment, bool enabled) {
        Value b = makeControl(TButton::classRecord(), form, 10, 10, 120, 30, [&](const Value& c) {
            rt::send(c, "ReplaceStyle", {Value(BS_PUSHBUTTON), Value(BS_CHECKBOX)});
            rt::send(c, "_cText", {Value("Baja")});
            rt::send(c, "_nAlignment", {Value(alignment)});
        });
        if (!enabled) EnableWindow(hwndOf(b), FALSE);
        return b;
    }
    static void paint(const Value& control, HDC dc) {
        SendMessageA(hwndOf(control), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
};

TEST_F(Painters, PlainCheckBoxIsDrawnByTheFramework) {
    if (lThemesEnabled()) GTEST_SKIP() << "drawn by the visual style";
    const COLORREF magenta = RGB(255, 0, 255);
    struct Case {
        int64_t alignment;
        bool enabled;
        int boxLeft;
    } cases[] = {{6, true, 0}, {2, true, 0}, {0, true, 107}, {6, false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.alignment);
        Value b = checkBox(c.alignment, c.enabled);
        Painted p(hwndOf(b), magenta, [&](HDC dc) { paint(b, dc); });
        // The box is centred vertically, top (30 - 13) / 2 = 8: its sunken edge starts there.
        const COLORREF edge = GetSysColor(COLOR_BTNSHADOW);
        EXPECT_EQ(p.at(c.boxLeft, 8), edge);
        EXPECT_EQ(p.at(c.boxLeft + 11, 8), edge);
        EXPECT_NE(p.at(c.boxLeft + 6, 6), edge) << "nothing of the box above its top";
        EXPECT_NE(p.at(c.alignment == 0 ? 0 : 119, 8), edge) << "nor at the other end";
        EXPECT_EQ(p.count(magenta), 0) << "the background is painted everywhere";
        const int textLeft = c.alignment == 0 ? 0 : 20, textRight = c.alignment == 0 ? 100 : 120;
        if (c.enabled) {
            EXPECT_GT(p.count(GetSysColor(COLOR_BTNTEXT), textLeft, textRight), 5);
            EXPECT_EQ(p.count(GetSysColor(COLOR_GRAYTEXT), textLeft, textRight), 0);
        } else {
            EXPECT_GT(p.count(GetSysColor(COLOR_GRAYTEXT), textLeft, textRight), 5) << "embossed grey text";
            EXPECT_GT(p.count(GetSysColor(COLOR_BTNHIGHLIGHT), textLeft, textRight), 5) << "with its light copy";
        }
        DestroyWindow(hwndOf(b));
    }
}

TEST_F(Painters, DisabledEditPaintsItsTextOnceAndStaysDisabled) {
    Value edit = makeControl(TEdit::classRecord(), form, 10, 50, 120, 24,
                             [](const Value& e) { rt::send(e, "_cText", {Value("MMMM")}); });
    HWND h = hwndOf(edit);
    EnableWindow(h, FALSE);
    InvalidateRect(h, nullptr, TRUE);
    Painted p(h, RGB(255, 0, 255), [&](HDC dc) { paint(edit, dc); });
    EXPECT_FALSE(IsWindowEnabled(h));
    EXPECT_FALSE(GetUpdateRect(h, nullptr, FALSE)) << "the enabling asks for no further paint";
    EXPECT_EQ(p.count(RGB(255, 0, 255)), 0) << "erased";
    int dark = 0;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x) dark += GetRValue(p.at(x, y)) < 128;
    EXPECT_GT(dark, 10) << "the text is there";
}

}  // namespace
}  // namespace vorpex::testing
