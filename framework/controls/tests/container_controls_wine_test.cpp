// The progress bar and the framework-painted containers on real windows under Wine, over the control tests'
// minimal form: what the progress bar sends to its window (read back through a logging window procedure),
// its jump without animation on newer systems, and its notification; the group box's frame and caption and
// the panel's caption and bevels read back as pixels, and clicks a group box swallows.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "framework/controls/controls.h"
#include "framework/controls/edit/edit.h"
#include "framework/controls/panel/containers.h"
#include "framework/controls/progress_bar/progress_bar.h"
#include "framework/core/control/tests/control_fixture.h"
#include "framework/core/native/windows_version.h"
#include "runtime/core/block.h"
#include "runtime/core/send.h"

namespace vorpex::testing {
namespace {

using rt::Value;

// The messages of interest that reached a window, with their parameters, in order: progress-bar messages,
// and the frame recomputation.
struct Sent {
    UINT message;
    WPARAM w;
    LPARAM l;
    bool operator==(const Sent&) const = default;
};
std::vector<Sent> sentLog;
WNDPROC previousProc = nullptr;

LRESULT CALLBACK loggingProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if ((m >= PBM_SETRANGE && m <= PBM_SETBARCOLOR) || m == WM_NCCALCSIZE) sentLog.push_back({m, w, l});
    return CallWindowProcA(previousProc, h, m, w, l);
}

void startLogging(HWND h) {
    sentLog.clear();
    previousProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(loggingProc)));
}

// A white memory bitmap the size of a control's client area, for a WM_PRINTCLIENT to draw into.
class Canvas {
public:
    explicit Canvas(HWND window) {
        GetClientRect(window, &rect);
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, rect.right, rect.bottom);
        ReleaseDC(nullptr, screen);
        previous = SelectObject(dc, bitmap);
        FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    }
    ~Canvas() {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    COLORREF at(int x, int y) const { return GetPixel(dc, x, y); }
    // The bounding box of the pixels of one colour (empty when there are none).
    RECT boxOf(COLORREF colour) const {
        RECT box{rect.right, rect.bottom, -1, -1};
        for (int y = 0; y < rect.bottom; ++y)
            for (int x = 0; x < rect.right; ++x)
                if (at(x, y) == colour) box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                                               std::max<LONG>(box.right, x), std::max<LONG>(box.bottom, y)};
        return box;
    }
    RECT rect{};
    HDC dc = nullptr;

private:
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
};

Value colour(COLORREF c) { return Value(static_cast<long long>(c)); }

WindowsVersion version(uint32_t major) {
    WindowsVersion v;
    v.major = major;
    v.minor = 1;
    v.platformId = 2;
    return v;
}

class ContainerControls : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        registerStandardControls();
        form = Value(XTestForm::classRecord().instantiate());
        rt::send(form, "New");
        rt::send(form, "SetBounds", {0, 0, 400, 300});
        rt::send(form, "Create");
        previousVersion = setWindowsVersionSource({});
    }
    void TearDown() override {
        setWindowsVersionSource(previousVersion);
        ControlTest::TearDown();
    }
    Value bar(const std::function<void(const Value&)>& before = {}) {
        return makeControl(TProgressBar::classRecord(), form, 10, 10, 200, 20, before);
    }
    void pretend(uint32_t major) {
        setWindowsVersionSource([major] { return version(major); });
    }
    static LRESULT pos(const Value& c) { return SendMessageA(hwndOf(c), PBM_GETPOS, 0, 0); }
    WindowsVersionSource previousVersion;
};

TEST_F(ContainerControls, ProgressBarSendsWhatWasStoredBeforeItsWindow) {
    int changes = 0;
    Value b = bar([&](const Value& c) {
        rt::send(c, "_nMax", {50});
        rt::send(c, "_nMin", {5});
        rt::send(c, "_nValue", {20});
        rt::send(c, "_nStep", {7});
        rt::send(c, "_nOrientation", {5});
        rt::send(c, "_lSmooth", {true});
        rt::send(c, "_OnChange", {counter(changes)});
    });
    const LONG style = GetWindowLongA(hwndOf(b), GWL_STYLE);
    EXPECT_TRUE(style & PBS_VERTICAL);
    EXPECT_TRUE(style & PBS_SMOOTH);
    PBRANGE range{};
    SendMessageA(hwndOf(b), PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iLow, 5);
    EXPECT_EQ(range.iHigh, 50);
    EXPECT_EQ(pos(b), 20);
    EXPECT_EQ(changes, 1);  // Create's SetPos notifies
    const Value r = rt::send(b, "GetRange");
    EXPECT_EQ(r.asArray()->at1(1).asInteger(), 5);
    EXPECT_EQ(r.asArray()->at1(2).asInteger(), 50);
    // Stepping by the stored step.
    rt::send(b, "StepIt");
    EXPECT_EQ(pos(b), 27);
    EXPECT_EQ(rt::send(b, "nValue").asInteger(), 27);
}

TEST_F(ContainerControls, ProgressBarRangeBeforeWindowIsStoredOnly) {
    Value b(TProgressBar::classRecord().instantiate());
    rt::send(b, "New", {form});
    rt::send(b, "_nMax", {30});
    const Value r = rt::send(b, "GetRange");
    EXPECT_EQ(r.asArray()->at1(1).asInteger(), 0);
    EXPECT_EQ(r.asArray()->at1(2).asInteger(), 30);
    EXPECT_EQ(rt::send(b, "GetPos").asInteger(), 0);
    rt::send(b, "End");
}

TEST_F(ContainerControls, ProgressBarSetPosSequences) {
    struct Case {
        uint32_t major;
        int64_t position;
        std::vector<Sent> sent;
    };
    const Case cases[] = {
        {5, 40, {{PBM_SETPOS, 40, 0}}},
        {6, 40, {{PBM_SETPOS, 40, 0}, {PBM_SETPOS, 41, 0}, {PBM_SETPOS, 40, 0}}},
        // At the end the range is widened for a moment so that "one past" exists, then restored.
        {6, 100,
         {{PBM_SETPOS, 100, 0}, {PBM_SETRANGE32, 0, 101}, {PBM_SETPOS, 101, 0}, {PBM_SETRANGE32, 0, 100},
          {PBM_SETPOS, 100, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "version " << c.major << " position " << c.position);
        pretend(c.major);
        Value b = bar();
        startLogging(hwndOf(b));
        int changes = 0;
        Value heard;
        rt::send(b, "_OnChange", {Value(rt::makeBlock([&](rt::Args a) {
                     ++changes;
                     heard = rt::arg(a, 1);  // the sender comes first, then the position
                     return Value();
                 }))});
        EXPECT_EQ(rt::send(b, "SetPos", {c.position}).asInteger(), c.position);
        ASSERT_TRUE(heard.isNumber());
        EXPECT_EQ(heard.asInteger(), c.position);
        EXPECT_EQ(sentLog, c.sent);
        EXPECT_EQ(pos(b), c.position);
        PBRANGE range{};
        SendMessageA(hwndOf(b), PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
        EXPECT_EQ(range.iHigh, 100);
        EXPECT_EQ(changes, 1);
        rt::send(b, "SetPos", {Value(5), Value(false)});
        EXPECT_EQ(pos(b), 5);
        EXPECT_EQ(changes, 1);
    }
}

TEST_F(ContainerControls, ProgressBarStepItNotifiesOnlyOnNewerSystems) {
    for (uint32_t major : {5u, 6u}) {
        SCOPED_TRACE(major);
        pretend(major);
        Value b = bar();
        int changes = 0;
        rt::send(b, "_OnChange", {counter(changes)});
        rt::send(b, "StepIt");
        EXPECT_EQ(pos(b), 10);
        EXPECT_EQ(changes, major >= 6 ? 1 : 0);
    }
}

TEST_F(ContainerControls, ProgressBarKeepsAValueBeyondItsRange) {
    Value b = bar();
    rt::send(b, "_nValue", {150});
    EXPECT_EQ(rt::send(b, "nValue").asInteger(), 150);
    EXPECT_EQ(pos(b), 100);
    EXPECT_EQ(rt::send(b, "GetPos").asInteger(), 100);
    rt::send(b, "DeltaPos", {-30});
    EXPECT_EQ(pos(b), 70);
    rt::send(b, "SetBarColor", {RGB(255, 0, 0)});
    EXPECT_EQ(SendMessageA(hwndOf(b), PBM_SETBARCOLOR, 0, RGB(0, 255, 0)), static_cast<LRESULT>(RGB(255, 0, 0)));
}

// ---- group box

TEST_F(ContainerControls, GroupBoxFrameRunsThroughItsCaption) {
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), red = RGB(255, 0, 0);
    struct Case {
        const char* caption;
        int alignment;
    };
    for (const Case c : {Case{"", 0}, Case{"Group", 0}, Case{"Group", 2}, Case{"Group", 6}}) {
        SCOPED_TRACE(::testing::Message() << "'" << c.caption << "' aligned " << c.alignment);
        Value box = makeControl(TGroupBox::classRecord(), form, 10, 10, 200, 100, [&](const Value& g) {
            rt::send(g, "_cText", {c.caption});
            rt::send(g, "_nAlignment", {c.alignment});
            rt::send(g, "_nClrText", {colour(red)});
        });
        Canvas canvas(hwndOf(box));
        const int w = canvas.rect.right;
        // The frame's top line, found in a column the caption never reaches.
        const int probe = c.alignment == 6 ? 5 : w / 2;
        int line = -1;
        for (int y = 0; y < canvas.rect.bottom && line < 0; ++y)
            if (canvas.at(probe, y) == shadow) line = y;
        ASSERT_GE(line, 0);
        const RECT text = canvas.boxOf(red);
        if (*c.caption == 0) {
            EXPECT_EQ(line, 0);
            for (int x : {2, w / 4, w - 3}) EXPECT_EQ(canvas.at(x, line), shadow) << x;  // unbroken
            EXPECT_LT(text.right, text.left);
            continue;
        }
        EXPECT_GT(line, 0);
        ASSERT_GE(text.right, text.left);  // the caption is drawn in nClrText
        EXPECT_LT(text.top, line);
        EXPECT_GT(text.bottom, line);
        const int inCaption = (text.left + text.right) / 2;
        EXPECT_NE(canvas.at(inCaption, line), shadow);
        const int centre = (text.left + text.right) / 2;
        if (c.alignment == 0) {
            EXPECT_LT(text.right, w / 2);
        } else if (c.alignment == 2) {
            EXPECT_GT(text.left, w / 2);
        } else if (c.alignment == 6) {
            EXPECT_NEAR(centre, w / 2, 3);
        }
        rt::send(box, "End");
    }
}

TEST_F(ContainerControls, GroupBoxSwallowsClicks) {
    Value edit = makeControl(TEdit::classRecord(), form, 10, 150, 100, 22);
    Value box = makeControl(TGroupBox::classRecord(), form, 10, 10, 200, 100);
    int clicks = 0;
    rt::send(box, "_OnClick", {counter(clicks)});
    EXPECT_FALSE(rt::send(box, "lTabStop").asLogical());
    SetFocus(hwndOf(edit));
    pump();
    for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        SendMessageA(hwndOf(box), m, MK_LBUTTON, MAKELPARAM(20, 20));
    pump();
    EXPECT_EQ(GetFocus(), hwndOf(edit));
    EXPECT_EQ(clicks, 0);
}

// ---- panel

TEST_F(ContainerControls, PanelCaptionIsCentredBothWays) {
    const COLORREF red = RGB(255, 0, 0);
    Value panel = makeControl(TPanel::classRecord(), form, 10, 10, 200, 60, [&](const Value& p) {
        rt::send(p, "_cText", {"Navigator"});
        rt::send(p, "_nClrText", {colour(red)});
    });
    Canvas canvas(hwndOf(panel));
    const RECT text = canvas.boxOf(red);
    ASSERT_GE(text.right, text.left);
    EXPECT_NEAR((text.left + text.right) / 2, canvas.rect.right / 2, 3);
    EXPECT_NEAR((text.top + text.bottom) / 2, canvas.rect.bottom / 2, 4);
}

TEST_F(ContainerControls, PanelBevelsTakeTheNonClientFrame) {
    Value stored(TPanel::classRecord().instantiate());
    rt::send(stored, "New", {form});
    rt::send(stored, "_nBevelOuter", {4});  // no window yet: only stored
    EXPECT_EQ(rt::send(stored, "nBevelOuter").asInteger(), 4);
    rt::send(stored, "End");

    Value panel = makeControl(TPanel::classRecord(), form, 10, 10, 200, 60);
    EXPECT_EQ(rt::send(panel, "cTheme").asString(), "Toolbar");
    rt::send(panel, "SetXPLook", {false});
    EXPECT_TRUE(rt::send(panel, "cTheme").isNil());
    RECT client{};
    GetClientRect(hwndOf(panel), &client);
    EXPECT_EQ(client.right, 196);  // two bevels of one pixel on every side
    EXPECT_EQ(client.bottom, 56);
    startLogging(hwndOf(panel));
    rt::send(panel, "_nBevelOuter", {4});
    EXPECT_NE(std::find_if(sentLog.begin(), sentLog.end(), [](const Sent& s) { return s.message == WM_NCCALCSIZE; }),
              sentLog.end());
    SetWindowLongPtrA(hwndOf(panel), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc));
}

TEST_F(ContainerControls, PanelDrawsItsBevelsInTheFrame) {
    struct Case {
        int outer, inner;
        int outerTopLeft, innerTopLeft;  // system colours expected at (0, 0) and (1, 1)
    };
    const Case cases[] = {
        {3, 4, COLOR_3DLIGHT, COLOR_BTNSHADOW},
        {4, 3, COLOR_BTNSHADOW, COLOR_3DLIGHT},
    };
    ShowWindow(hwndOf(form), SW_SHOWNOACTIVATE);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.outer << "/" << c.inner);
        Value panel = makeControl(TPanel::classRecord(), form, 10, 10, 100, 40, [&](const Value& p) {
            rt::send(p, "_lXPLook", {false});
            rt::send(p, "_nBevelOuter", {c.outer});
            rt::send(p, "_nBevelInner", {c.inner});
        });
        HWND h = hwndOf(panel);
        RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        HDC dc = GetWindowDC(h);
        EXPECT_EQ(GetPixel(dc, 0, 0), GetSysColor(c.outerTopLeft));
        EXPECT_EQ(GetPixel(dc, 1, 1), GetSysColor(c.innerTopLeft));
        ReleaseDC(h, dc);
        rt::send(panel, "End");
    }
}

// ---- bevel

TEST_F(ContainerControls, BevelIsEtchedByDefault) {
    ShowWindow(hwndOf(form), SW_SHOWNOACTIVATE);
    Value bevel = makeControl(TBevel::classRecord(), form, 10, 10, 100, 40);
    HWND h = hwndOf(bevel);
    RECT client{};
    GetClientRect(h, &client);
    EXPECT_LT(client.right, 100);  // the etched border takes the frame
    RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetWindowDC(h);
    EXPECT_EQ(GetPixel(dc, 0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(GetPixel(dc, 1, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
    ReleaseDC(h, dc);
    EXPECT_EQ(GetWindowLongA(h, GWL_STYLE) & (WS_BORDER | WS_TABSTOP), 0);
}

}  // namespace
}  // namespace vorpex::testing
