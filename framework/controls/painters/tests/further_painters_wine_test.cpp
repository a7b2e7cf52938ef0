// The further painters bound to small window classes of the test's own, on real windows under Wine, each
// drawn into a memory DC handed in with its message and checked at the pixels that prove it. Visual styles
// are off here: the classic drawing is what is checked.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "framework/controls/controls.h"
#include "framework/controls/painters/further_painters.h"
#include "framework/controls/painters/painter_layout.h"
#include "framework/core/control/tests/control_fixture.h"
#include "framework/core/native/win_window.h"
#include "framework/core/native/windows_version.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/paint/control_paint.h"
#include "runtime/core/class_builder.h"
#include "runtime/core/send.h"
#include "tests/support/memory_canvas.h"

namespace vorpex::testing {
namespace {

using rt::Value;

constexpr COLORREF kMagenta = RGB(255, 0, 255);
COLORREF sys(int index) { return GetSysColor(index); }

// ---- the test's classes ----

using Members = std::vector<std::pair<std::string, Value>>;

// A class on `base` (made by `factory`) binding a painter as its window-message methods and declaring the
// members it reads that the base lacks.
using Bindings = std::vector<std::pair<const char*, rt::NativeMethod>>;
const rt::Class& painterClass(const std::string& name, const rt::Class& base, rt::Factory factory,
                              const Bindings& bindings, const std::vector<std::string>& members) {
    static std::map<std::string, const rt::Class*> classes;
    if (auto it = classes.find(name); it != classes.end()) return *it->second;
    VPClass b(name, &base, std::move(factory));
    for (const std::string& m : members)
        if (!base.understands(rt::Symbol::intern(m))) b.addData(m);
    for (const auto& [message, painter] : bindings) b.addMethod(message, painter);
    const rt::Class& c = b.create();
    classes[name] = &c;
    return c;
}
const rt::Class& selfDrawn(const std::string& name, const Bindings& bindings, const std::vector<std::string>& members) {
    return painterClass(name, probeControlClass(), rt::factoryOf<TControl>(), bindings, members);
}
const rt::Class& onEdit(const std::string& name, const Bindings& bindings, const std::vector<std::string>& members) {
    return painterClass(name, systemControlClass("EDIT"), rt::factoryOf<TStdControl>(), bindings, members);
}

void assign(const Value& object, const Members& members) {
    for (const auto& [name, value] : members) rt::send(object, "_" + name, {value});
}

// Items of the explorer bar, option list and tabs, and holders of a Handle (brushes, bitmaps, icons, fonts,
// image lists) or a height (an explorer group's control).
const rt::Class& itemClass() {
    static const rt::Class& c = []() -> const rt::Class& {
        rt::ClassBuilder b("TTESTPAINTITEM", nullptr, nullptr);
        for (const char* m : {"IsVisible", "oIcon", "lExpanded", "oControl", "cText", "lSpecial", "nType", "lMultiline",
                              "lEnabled", "nImage", "nImageDisabled", "lChecked", "aItems", "nChildIndent", "nItem",
                              "nClrPane", "nClrText", "Handle", "nHeight"})
            b.addData(m);
        return b.create();
    }();
    return c;
}
Value item(const Members& members) {
    Value v(itemClass().instantiate());
    assign(v, members);
    return v;
}
Value holder(HGDIOBJ handle) { return item({{"Handle", Value(static_cast<long long>(reinterpret_cast<intptr_t>(handle)))}}); }

// ---- drawing and reading back ----

class Canvas : public MemoryCanvas {
public:
    Canvas(int width, int height) : MemoryCanvas(width, height, kMagenta) {}
    int count(COLORREF colour, RECT area) const {
        int n = 0;
        for (int y = std::max<LONG>(area.top, 0); y < std::min<LONG>(area.bottom, height()); ++y)
            for (int x = std::max<LONG>(area.left, 0); x < std::min<LONG>(area.right, width()); ++x) n += at(x, y) == colour;
        return n;
    }
    int count(COLORREF colour) const { return count(colour, {0, 0, width(), height()}); }
};

class FurtherPainters : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        registerStandardControls();
        makeForm();
        if (lThemesEnabled()) GTEST_SKIP() << "the classic drawing is checked";
    }
    void TearDown() override {
        for (HGDIOBJ o : made_) DeleteObject(o);
        ControlTest::TearDown();
    }
    template <typename H>
    H keep(H handle) {
        made_.push_back(handle);
        return handle;
    }
    Value control(const rt::Class& cls, int width, int height, const Members& members) {
        return makeControl(cls, form, 10, 10, width, height, [&](const Value& c) { assign(c, members); });
    }
    // Sends `message` with the canvas's DC as wParam; answers what the painter answered.
    static LRESULT paint(const Value& control, Canvas& canvas, UINT message = WM_PAINT) {
        return SendMessageA(hwndOf(control), message, reinterpret_cast<WPARAM>(canvas.dc()), 0);
    }
    // The colour of the brush the form gives its static children.
    COLORREF parentStaticColour(const Value& control) {
        HDC dc = GetDC(hwndOf(control));
        auto brush = reinterpret_cast<HBRUSH>(SendMessageA(hwndOf(form), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                           reinterpret_cast<LPARAM>(hwndOf(control))));
        ReleaseDC(hwndOf(control), dc);
        LOGBRUSH lb{};
        return brush && GetObjectA(brush, sizeof lb, &lb) ? lb.lbColor : CLR_INVALID;
    }
    HBITMAP twoColourBitmap(int width, int height, COLORREF left, COLORREF right) {
        Canvas source(width, height);
        source.fill({0, 0, width / 2, height}, left);
        source.fill({width / 2, 0, width, height}, right);
        HDC screen = GetDC(nullptr);
        HBITMAP bitmap = keep(CreateCompatibleBitmap(screen, width, height));
        ReleaseDC(nullptr, screen);
        HDC memory = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, source.dc(), 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
        return bitmap;
    }

private:
    std::vector<HGDIOBJ> made_;
};

// ---- progress bar, folder page, splitter, track bar ----

TEST_F(FurtherPainters, ProgressBarEraseFillsWithTheParentsBrushAndAnswersOne) {
    const auto& cls = selfDrawn("TTestProgressErase", {{"WMEraseBkgnd", XPROGRESSBAR_WMERASEBKGND}}, {});
    Value bar = control(cls, 80, 20, {});
    Canvas c(80, 20);
    EXPECT_EQ(paint(bar, c, WM_ERASEBKGND), 1);
    EXPECT_EQ(c.count(parentStaticColour(bar)), 80 * 20);
}

TEST_F(FurtherPainters, FolderPageBrushBitmapAndTransparency) {
    const auto& cls = selfDrawn("TTestFolderPage",
                                {{"WMEraseBkgnd", XFOLDERPAGE_WMERASEBKGND}, {"WMPrintClient", XFOLDERPAGE_WMERASEBKGND}},
                                {"hTheme", "oBrush", "hBkgnd", "lTransparent", "nClientLeft", "nClientTop",
                                    "nVirtualWidth", "nVirtualHeight", "nBkgndMode"});
    const COLORREF red = RGB(200, 0, 0), blue = RGB(0, 0, 200), green = RGB(0, 200, 0);
    const Value brush = holder(keep(CreateSolidBrush(red)));
    const Members plain = {{"hTheme", Value(0)}, {"oBrush", brush}, {"hBkgnd", Value(0)}, {"lTransparent", Value(false)},
                           {"nClientLeft", Value(0)}, {"nClientTop", Value(0)}, {"nVirtualWidth", Value(0)},
                           {"nVirtualHeight", Value(0)}, {"nBkgndMode", Value(0)}};
    {
        // A DC larger than the page: the brush covers the client area only, and the DC's clipping is given back.
        Value page = control(cls, 60, 40, plain);
        Canvas c(100, 80);
        EXPECT_EQ(paint(page, c, WM_ERASEBKGND), 1);
        EXPECT_EQ(c.count(red), 60 * 40);
        RECT clip{};
        GetClipBox(c.dc(), &clip);
        EXPECT_EQ(clip.right, 100) << "the caller's DC is not left clipped";
        EXPECT_EQ(clip.bottom, 80);
        EXPECT_EQ(paint(page, c, WM_PRINTCLIENT), 0) << "answers 1 only to WM_ERASEBKGND";
    }
    {
        // A bitmap over the scrolled page: scrolled 5 to the right, the bitmap's right half starts the row.
        const HBITMAP bitmap = twoColourBitmap(10, 10, blue, green);
        Members scrolled = plain;
        scrolled.push_back({"hBkgnd", Value(static_cast<long long>(reinterpret_cast<intptr_t>(bitmap)))});
        scrolled.push_back({"nClientLeft", Value(-5)});
        Value page = control(cls, 60, 40, scrolled);
        Canvas c(60, 40);
        paint(page, c, WM_ERASEBKGND);
        EXPECT_EQ(c.at(0, 0), green);
        EXPECT_EQ(c.at(6, 0), red) << "the rest of the page in the brush";
        assign(page, {{"nClientLeft", Value(0)}});
        paint(page, c, WM_ERASEBKGND);
        EXPECT_EQ(c.at(0, 0), blue);
    }
    {
        // Transparency counts before Vista only; from Vista on the page draws its own background.
        Members transparent = plain;
        transparent.push_back({"lTransparent", Value(true)});
        Value page = control(cls, 60, 40, transparent);
        Canvas later(60, 40);
        paint(page, later, WM_ERASEBKGND);
        EXPECT_EQ(later.at(30, 20), red);
        const WindowsVersionSource previous = setWindowsVersionSource([] { return WindowsVersion{5, 1, 2600, 2, 1, ""}; });
        Canvas xp(60, 40);
        paint(page, xp, WM_ERASEBKGND);
        setWindowsVersionSource(previous);
        EXPECT_NE(xp.at(30, 20), red);
        EXPECT_NE(xp.at(30, 20), kMagenta) << "the parent's background";
    }
}

TEST_F(FurtherPainters, SplitterGripperByAlignment) {
    const auto& cls = selfDrawn("TTestSplitter", {{"WMPaint", XSPLITTER_WMPAINT}}, {"lGripper", "nAlign"});
    const COLORREF light = sys(COLOR_BTNHIGHLIGHT), shadow = sys(COLOR_BTNSHADOW);
    for (bool gripper : {true, false})
        for (int align : {0, 1, 2}) {
            SCOPED_TRACE(align + 10 * gripper);
            // nAlign also docks the control in its form: the gripper is centred in whatever client area that gives.
            Value splitter = control(cls, 40, 100, {{"lGripper", Value(gripper)}, {"nAlign", Value(align)}});
            RECT client{};
            GetClientRect(hwndOf(splitter), &client);
            Canvas c(client.right, client.bottom);
            EXPECT_EQ(paint(splitter, c), 1) << "a DC handed in";
            const COLORREF background = parentStaticColour(splitter);
            const bool outlined = gripper && align == 0;
            EXPECT_EQ(c.at(client.right - 1, 0) != background, outlined);
            if (!gripper) {
                EXPECT_EQ(c.count(background), client.right * client.bottom) << "only the parent's brush";
                continue;
            }
            // The raised outline: light up the left side and along the top, shadow down the right and along the
            // bottom (the whole client area's right and bottom lines fall outside it).
            const RECT grip = win::toRECT(*painters::gripperRect(client.right, client.bottom, align, false));
            const LONG midX = (grip.left + grip.right) / 2, midY = (grip.top + grip.bottom) / 2;
            EXPECT_EQ(c.at(grip.left, midY), light);
            EXPECT_EQ(c.at(midX, grip.top), light);
            if (align != 0) {
                EXPECT_EQ(c.at(grip.right, midY), shadow);
                EXPECT_EQ(c.at(midX, grip.bottom), shadow);
                EXPECT_EQ(c.at(grip.left - 2, midY), background);
            }
            DestroyWindow(hwndOf(splitter));
        }
}

TEST_F(FurtherPainters, TransparentTrackBarCustomDraw) {
    Value bar = control(systemControlClass(TRACKBAR_CLASSA), 200, 40, {});
    HWND h = hwndOf(bar);
    RECT thumb{};
    SendMessageA(h, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    ASSERT_GT(thumb.bottom, 0);
    ASSERT_LT(thumb.bottom, 39);
    Canvas c(200, 40);
    const auto notify = [&](unsigned stage, unsigned part) {
        NMCUSTOMDRAW nm{};
        nm.hdr = {h, 0, static_cast<UINT>(NM_CUSTOMDRAW)};
        nm.dwDrawStage = stage;
        nm.hdc = c.dc();
        nm.dwItemSpec = part;
        return XTrackBar_Notify(*bar.asObject(), reinterpret_cast<intptr_t>(&nm));
    };
    rt::send(bar, "_lTransparent", {Value(false)});
    EXPECT_TRUE(notify(painters::kPrePaint, 0).isNil()) << "an opaque bar gets no answer";
    rt::send(bar, "_lTransparent", {Value(true)});
    EXPECT_EQ(notify(painters::kPrePaint, 0).asInteger(), 32);
    EXPECT_EQ(notify(painters::kItemPrePaint, painters::kThumbPart).asInteger(), 0);
    EXPECT_EQ(c.count(kMagenta), 200 * 40) << "nothing drawn for the thumb";
    EXPECT_EQ(notify(painters::kItemPrePaint, painters::kChannelPart).asInteger(), 0);
    EXPECT_NE(c.at(100, thumb.bottom - 1), kMagenta) << "the background down to the thumb's bottom";
    EXPECT_EQ(c.at(100, thumb.bottom), kMagenta) << "and not below it";
    EXPECT_EQ(notify(painters::kItemPrePaint, 1).asInteger(), 0);
    EXPECT_EQ(c.count(kMagenta), 0) << "the tics part lays the background everywhere";
}

// ---- the date edit's and the button edit's buttons ----

TEST_F(FurtherPainters, EditButtons) {
    const std::vector<std::string> members = {"nBtnState", "nBtnWidth", "nStyle", "oBitmap", "lDropped"};
    const auto& dateEdit = onEdit("TTestDateEdit", {{"WMPaint", XDATEEDIT_WMPAINT}}, members);
    const auto& buttonEdit = onEdit("TTestEditBtn", {{"WMPaint", XEDITBTN_WMPAINT}}, members);
    const Value picture = holder(twoColourBitmap(8, 8, RGB(0, 0, 200), RGB(0, 0, 200)));
    const COLORREF face = sys(COLOR_BTNFACE), light = sys(COLOR_BTNHIGHLIGHT), shadow = sys(COLOR_BTNSHADOW);
    struct Case {
        const char* name;
        const rt::Class& cls;
        int width, style, state;
        bool dropped, disabled, picture;
        COLORREF corner;  // the button's top-left pixel; CLR_INVALID: the edit's own background
        COLORREF inside;  // a colour found inside the button; CLR_INVALID for none
    } cases[] = {
        {"date edit raised", dateEdit, 20, 0, 0, false, false, true, light, RGB(0, 0, 200)},
        {"date edit dropped", dateEdit, 20, 0, 0, true, false, true, shadow, RGB(0, 0, 200)},
        {"date edit state 3", dateEdit, 20, 0, 3, false, false, true, shadow, RGB(0, 0, 200)},
        {"no button", buttonEdit, 0, 2, 0, false, false, false, CLR_INVALID, CLR_INVALID},
        {"ellipsis", buttonEdit, 20, 2, 0, false, false, false, light, sys(COLOR_BTNTEXT)},
        {"ellipsis disabled", buttonEdit, 20, 2, 0, false, true, false, light, sys(COLOR_GRAYTEXT)},
        {"picture disabled without one", buttonEdit, 20, 1, 0, false, true, false, light, CLR_INVALID},
        {"arrow", buttonEdit, 20, 3, 0, false, false, false, light, RGB(0, 0, 0)},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Value edit = control(k.cls, 120, 24,
                             {{"nBtnState", Value(k.state)}, {"nBtnWidth", Value(k.width)}, {"nStyle", Value(k.style)},
                              {"oBitmap", k.picture ? picture : Value()}, {"lDropped", Value(k.dropped)}});
        HWND h = hwndOf(edit);
        if (k.disabled) EnableWindow(h, FALSE);
        InvalidateRect(h, nullptr, TRUE);
        Canvas c(120, 24);
        RECT client{};
        GetClientRect(h, &client);
        paint(edit, c);
        const RECT button{client.right - 20, 0, client.right, client.bottom};
        EXPECT_EQ(c.at(button.left, 0), k.corner == CLR_INVALID ? c.at(3, 3) : k.corner);
        if (k.inside != CLR_INVALID) {
            EXPECT_GT(c.count(k.inside, button), 2);
        } else if (k.width) {
            RECT inner = button;
            InflateRect(&inner, -2, -2);
            EXPECT_EQ(c.count(face, inner), (inner.right - inner.left) * (inner.bottom - inner.top)) << "an empty face";
        }
        EXPECT_EQ(IsWindowEnabled(h), !k.disabled);
        EXPECT_FALSE(GetUpdateRect(h, nullptr, FALSE)) << "no repaint loop";
        DestroyWindow(h);
    }
}

// ---- explorer bar ----

TEST_F(FurtherPainters, ExplorerBarGroupsHeadersAndGlyphs) {
    const auto& cls = selfDrawn("TTestExplorerBar", {{"WMPaint", XEXPLORERBAR_WMPAINT}, {"WMPrintClient", XEXPLORERBAR_WMPAINT}},
                                   {"nSpacing", "nVirtualHeight", "nHotItem", "aItems", "nClrPane", "nClientTop",
                                    "lTransparent"});
    const auto group = [](bool visible, bool expanded, const Value& control) {
        return item({{"IsVisible", Value(visible)}, {"lExpanded", Value(expanded)}, {"oControl", control},
                     {"cText", Value("")}, {"lSpecial", Value(false)}});
    };
    const COLORREF pane = RGB(10, 20, 30);
    const Value bodyControl = item({{"nHeight", Value(30)}});
    Value bar = control(cls, 200, 200,
                        {{"nSpacing", Value(10)}, {"nVirtualHeight", Value(0)}, {"nHotItem", Value(0)},
                         {"nClrPane", Value(static_cast<long long>(pane))}, {"nClientTop", Value(0)},
                         {"lTransparent", Value(false)},
                         {"aItems", Value::array({group(true, true, bodyControl), group(false, true, bodyControl),
                                                  group(true, false, Value())})}});
    // Group 1 expanded: (10, 10)-(190, 67); the hidden one takes no room; group 3 collapsed: (10, 77)-(190, 102).
    Canvas painted(200, 200);
    paint(bar, painted);
    EXPECT_EQ(painted.at(2, 2), pane) << "a custom pane colour is used as it is";
    EXPECT_EQ(painted.at(100, 20), sys(COLOR_BTNFACE)) << "header band";
    EXPECT_EQ(painted.at(100, 50), sys(COLOR_WINDOW)) << "expanded body";
    EXPECT_EQ(painted.at(100, 90), sys(COLOR_BTNFACE)) << "the collapsed group right after the spacing";
    EXPECT_EQ(painted.at(100, 72), pane) << "no gap for the hidden group";
    // The buttons' glyphs at (right - 17, top + 8): black where a bit is 0, the band where it is 1.
    const uint8_t collapse[8] = {0xF7, 0xE3, 0xC9, 0x9C, 0xF7, 0xE3, 0xC9, 0x9C};
    for (int row = 0; row < 8; ++row)
        for (int bit = 0; bit < 8; ++bit) {
            const bool white = (collapse[row] >> (7 - bit)) & 1;
            const COLORREF expected = white ? sys(COLOR_BTNFACE) : RGB(0, 0, 0);
            ASSERT_EQ(painted.at(173 + bit, 18 + row), expected) << "collapse glyph " << row << "," << bit;
            const bool expandWhite = (collapse[7 - row] >> (7 - bit)) & 1;
            ASSERT_EQ(painted.at(173 + bit, 85 + row), expandWhite ? sys(COLOR_BTNFACE) : RGB(0, 0, 0))
                << "expand glyph " << row << "," << bit;
        }
    // A print of the client area: the pane and the bodies, no header bands, captions or buttons.
    Canvas printed(200, 200);
    paint(bar, printed, WM_PRINTCLIENT);
    EXPECT_EQ(printed.at(100, 20), sys(COLOR_WINDOW));
    EXPECT_EQ(printed.at(100, 90), pane) << "a collapsed group has no body";
    EXPECT_EQ(printed.count(RGB(0, 0, 0), {170, 10, 190, 40}), 0);
}

// ---- option list ----

TEST_F(FurtherPainters, OptionListHotRowsAndTextColours) {
    const auto& cls = selfDrawn("TTestOptionList", {{"WMPaint", XOPTIONLIST_WMPAINT}},
                                   {"aItems", "oFont", "oImageList", "nItemHeight", "nHotItem", "nHotStyle",
                                    "nLeftMargin", "nClientTop", "nTopMargin", "nClrText", "nClrTextHot"});
    const auto row = [](int type, bool enabled, bool checked, const char* text) {
        return item({{"cText", Value(text)}, {"nType", Value(type)}, {"lMultiline", Value(false)},
                     {"lEnabled", Value(enabled)}, {"nImage", Value(0)}, {"nImageDisabled", Value(0)},
                     {"lChecked", Value(checked)}, {"aItems", Value()}, {"lExpanded", Value(false)},
                     {"nChildIndent", Value(0)}});
    };
    const COLORREF text = RGB(0, 120, 0), hotText = RGB(200, 0, 0);
    const Value items = Value::array({row(1, true, true, "MMMM"), row(-1, true, false, ""), row(1, false, false, "MMMM"),
                                      row(3, true, true, "MMMM")});
    // Rows 20 high from the top: 0-20, the separator 22-30, 32-52, 54-74.
    struct Case {
        int hot, style;
        POINT probe;      // inside the hot row, clear of glyph and text
        COLORREF background;  // CLR_INVALID: the list's own background
        RECT textArea;
        COLORREF textColour;
    } cases[] = {
        {1, 2, {150, 10}, RGB(198, 211, 239), {22, 0, 100, 20}, sys(COLOR_WINDOWTEXT)},
        {1, 2, {150, 0}, RGB(49, 105, 198), {22, 0, 100, 20}, sys(COLOR_WINDOWTEXT)},
        {1, 1, {150, 10}, sys(COLOR_HIGHLIGHT), {22, 0, 100, 20}, sys(COLOR_HIGHLIGHTTEXT)},
        {1, 0, {150, 10}, CLR_INVALID, {22, 0, 100, 20}, hotText},
        {3, 2, {150, 42}, CLR_INVALID, {22, 32, 100, 52}, sys(COLOR_GRAYTEXT)},  // disabled: never hot
        {4, 2, {150, 64}, RGB(198, 211, 239), {5, 54, 100, 74}, text},                  // type 3: no hot text
        {0, 2, {150, 10}, CLR_INVALID, {22, 0, 100, 20}, text},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.hot * 10 + k.style);
        Value list = control(cls, 200, 120,
                             {{"aItems", items}, {"nItemHeight", Value(20)}, {"nHotItem", Value(k.hot)},
                              {"nHotStyle", Value(k.style)}, {"nLeftMargin", Value(5)}, {"nClientTop", Value(0)},
                              {"nTopMargin", Value(0)}, {"nClrText", Value(static_cast<long long>(text))},
                              {"nClrTextHot", Value(static_cast<long long>(hotText))}});
        Canvas c(200, 120);
        paint(list, c);
        const COLORREF background = k.background == CLR_INVALID ? c.at(199, 119) : k.background;
        EXPECT_EQ(c.at(k.probe.x, k.probe.y), background);
        EXPECT_GT(c.count(k.textColour, k.textArea), 3) << "the row's text colour";
        DestroyWindow(hwndOf(list));
    }
}

// ---- tabs ----

TEST_F(FurtherPainters, TabsSelectedTabOpensIntoThePage) {
    const auto& cls = selfDrawn("TTestTabs", {{"WMPaint", XTABS_WMPAINT}},
                                   {"nOrientation", "nIndex", "aItems", "oFont", "nPad", "oImageList", "nStyle",
                                    "nClrPaneSel", "nClrTextSel"});
    const auto tab = [](int index, bool enabled) {
        return item({{"cText", Value("Tab")}, {"nImage", Value(0)}, {"nItem", Value(index)}, {"lEnabled", Value(enabled)},
                     {"nClrPane", Value(static_cast<long long>(RGB(220, 220, 220)))},
                     {"nClrText", Value(static_cast<long long>(RGB(0, 0, 0)))}});
    };
    // A font whose LOGFONT gives the cell height (positive): the tab is still as tall as its characters.
    LOGFONTA lf{};
    lf.lfHeight = 20;
    lstrcpyA(lf.lfFaceName, "Tahoma");
    const Value font = holder(keep(CreateFontIndirectA(&lf)));
    const COLORREF selectedPane = RGB(255, 255, 224), frame = sys(COLOR_WINDOWFRAME);
    Value tabs = control(cls, 300, 60,
                         {{"nOrientation", Value(1)}, {"nIndex", Value(2)}, {"oFont", font}, {"nPad", Value(6)},
                          {"oImageList", Value()}, {"nStyle", Value(0)},
                          {"nClrPaneSel", Value(static_cast<long long>(selectedPane))},
                          {"nClrTextSel", Value(static_cast<long long>(RGB(0, 0, 128)))},
                          {"aItems", Value::array({tab(1, true), tab(2, true), tab(3, false)})}});
    Canvas c(300, 60);
    paint(tabs, c);
    HDC dc = GetDC(hwndOf(tabs));
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(rt::send(font, "Handle").asInteger()));
    SIZE text{};
    GetTextExtentPoint32A(dc, "Tab", 3, &text);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(hwndOf(tabs), dc);
    const LONG pitch = 6 + text.cx + 3;  // each tab starts where the previous one's narrow edge ends
    const LONG height = tm.tmHeight - tm.tmInternalLeading + 5;
    // Hanging down: the wide edge on the top row. The first tab's is framed, the selected one's is open.
    EXPECT_EQ(c.at(6 + text.cx / 2, 0), frame);
    EXPECT_EQ(c.at(pitch + 6 + text.cx / 2, 0), selectedPane);
    EXPECT_EQ(c.at(pitch + 6 + text.cx / 2, height), frame) << "the narrow edge at the tab height";
    EXPECT_GT(height, 15);
    // Drawn last, the selected tab covers the overlap with the third tab.
    EXPECT_EQ(c.at(2 * pitch + 3, 3), selectedPane);
    EXPECT_GT(c.count(sys(COLOR_GRAYTEXT), {2 * pitch, 0, 3 * pitch + 6, height}), 3) << "the disabled caption";
    EXPECT_GT(c.count(RGB(0, 0, 128), {pitch, 0, 2 * pitch + 6, height}), 3) << "the selected caption";
}

// ---- split button ----

TEST_F(FurtherPainters, SplitButtonDividerAndArrow) {
    const auto& cls = selfDrawn("TTestSplitButton", {{"WMPaint", XSPLITBUTTON_WMPAINT}},
                                   {"oBitmaps", "lDefault", "lHot", "lPushed", "cText", "nMargin", "nOrientation",
                                    "lFlat", "oMenu", "lXPLook", "oFont", "lMultiline", "nAlignment",
                                    "nVAlignment", "nClrText", "lMenuOnRight", "lTabStop"});
    const COLORREF caption = RGB(0, 0, 160);
    struct Case {
        bool menu, click;
        bool divider, arrow;
    } cases[] = {{true, true, true, true}, {true, false, false, true}, {false, true, false, false}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.menu * 10 + k.click);
        Value button = control(cls, 120, 30,
                               {{"oBitmaps", Value()}, {"lDefault", Value(false)}, {"lHot", Value(false)},
                                {"lPushed", Value(false)}, {"cText", Value("MMMMMMMMMMMMMMMMMMMM")}, {"nMargin", Value(0)},
                                {"nOrientation", Value(0)}, {"lFlat", Value(false)},
                                {"oMenu", k.menu ? item({}) : Value()}, {"lXPLook", Value(false)},
                                {"lMultiline", Value(false)}, {"nAlignment", Value(0)}, {"nVAlignment", Value(1)},
                                {"nClrText", Value(static_cast<long long>(caption))}, {"lMenuOnRight", Value(false)},
                                {"lTabStop", Value(false)}});
        int clicks = 0;
        if (k.click) rt::send(button, "_OnClick", {counter(clicks)});
        Canvas c(120, 30);
        paint(button, c);
        EXPECT_EQ(c.at(120 - 21, 15) == sys(COLOR_BTNSHADOW), k.divider);
        EXPECT_EQ(c.count(RGB(0, 0, 0), {102, 7, 118, 23}) > 3, k.arrow) << "the drop-down arrow";
        // The caption stops before the arrow's room; without a menu it may run to the face's edge.
        EXPECT_EQ(c.count(caption, {101, 0, 120, 30}) > 0, !k.menu);
        DestroyWindow(hwndOf(button));
    }
}

}  // namespace
}  // namespace vorpex::testing
