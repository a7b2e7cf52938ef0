// Owner-drawn items under Wine: measured through the form's WM_MEASUREITEM, painted through its WM_DRAWITEM
// into a memory DC, and read back as pixels (selection fills, the image column, check boxes and marks).
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/controls/menu/menu.h"
#include "framework/core/form/tests/form_fixture.h"
#include "framework/core/object/vp_class.h"
#include "runtime/core/send.h"
#include "tests/support/memory_canvas.h"

namespace vorpex::testing {
namespace {

using rt::Value;

class MenuPaintTest : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        registerMenus();
        form = plainForm();
        popup = rt::send(classCall(XPopupMenu::classRecord()), "Create", {form});
        rt::send(form, "_oPopup", {popup});
    }
    void TearDown() override {
        rt::send(form, "_oPopup", {Value()});
        rt::send(popup, "End");
        FormTest::TearDown();
    }
    Value add(const char* text) { return rt::send(popup, "AddItem", {Value(text)}); }
    static UINT idOf(const Value& item) { return static_cast<UINT>(rt::send(item, "nId").asInteger()); }
    SIZE measure(const Value& item) {
        MEASUREITEMSTRUCT m{ODT_MENU, 0, idOf(item), 0, 0, 0};
        SendMessageA(hwndOf(form), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&m));
        return {static_cast<LONG>(m.itemWidth), static_cast<LONG>(m.itemHeight)};
    }
    void draw(const Value& item, MemoryCanvas& canvas, UINT state, RECT r) {
        DRAWITEMSTRUCT d{};
        d.CtlType = ODT_MENU;
        d.itemID = idOf(item);
        d.itemAction = ODA_DRAWENTIRE;
        d.itemState = state;
        d.hDC = canvas.dc();
        d.rcItem = r;
        SendMessageA(hwndOf(form), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d));
    }
    Value form, popup;
};

TEST_F(MenuPaintTest, ItemsAreMeasuredToTheWidestAndTheStylesPaintTheirColours) {
    Value open = add("Abrir\tCtrl+A");
    Value wide = add("Guardar como otro archivo");
    rt::send(popup, "_nStyle", {Value(1)});
    const SIZE first = measure(open);
    const SIZE second = measure(wide);
    EXPECT_GT(second.cx, first.cx);
    EXPECT_EQ(measure(open).cx, second.cx);  // measured again, it lines up with the widest
    EXPECT_GE(rt::send(popup, "nMargin").asInteger(), 24);
    EXPECT_EQ(first.cy, GetSystemMetrics(SM_CYMENU));

    const RECT r{0, 0, 200, 22};
    struct Case {
        int64_t style;
        UINT state;
        POINT at;
        COLORREF colour;
    };
    const Case cases[] = {
        {1, ODS_SELECTED, {100, 11}, RGB(193, 210, 238)},  // selection fill inside its frame
        {1, ODS_SELECTED, {0, 0}, RGB(49, 106, 197)},      // the frame
        {1, 0, {5, 11}, RGB(239, 237, 222)},               // the image column
        {1, 0, {150, 2}, RGB(255, 255, 255)},
        {2, ODS_SELECTED, {100, 11}, RGB(255, 238, 194)},
        {3, 0, {5, 2}, RGB(233, 238, 238)},
        {3, 0, {25, 2}, RGB(197, 197, 197)},
        {0, ODS_SELECTED, {150, 2}, GetSysColor(COLOR_HIGHLIGHT)},
        {0, 0, {150, 2}, GetSysColor(COLOR_MENU)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "style " << c.style << " state " << c.state << " at " << c.at.x);
        rt::send(popup, "_nStyle", {Value(c.style)});
        MemoryCanvas canvas(200, 22);
        draw(open, canvas, c.state, r);
        EXPECT_EQ(canvas.at(c.at.x, c.at.y), c.colour);
    }
}

TEST_F(MenuPaintTest, ACheckedItemShowsItsBoxAndMark) {
    Value item = add("Negrita");
    rt::send(item, "_lChecked", {Value(true)});
    struct Case {
        int64_t style;
        POINT boxAt;
        COLORREF box;
    };
    for (const Case& c : {Case{1, {4, 3}, RGB(225, 230, 232)}, Case{3, {4, 4}, RGB(251, 224, 147)}}) {
        SCOPED_TRACE(c.style);
        rt::send(popup, "_nStyle", {Value(c.style)});
        measure(item);
        MemoryCanvas canvas(200, 24);
        draw(item, canvas, ODS_CHECKED, {0, 0, 200, 24});
        EXPECT_EQ(canvas.at(c.boxAt.x, c.boxAt.y), c.box);
        // The mark: some pixel in the box's middle row in the text colour.
        int marked = 0;
        for (int x = 2; x < 22; ++x)
            for (int y = 6; y < 18; ++y) marked += canvas.at(x, y) == (c.style == 1 ? GetSysColor(COLOR_MENUTEXT) : RGB(0, 0, 128));
        EXPECT_GT(marked, 3);
    }
}

TEST_F(MenuPaintTest, AStyleFourSeparatorIsFivePixelsHigh) {
    Value separator = rt::send(popup, "AddSeparator");
    rt::send(popup, "_nStyle", {Value(4)});
    EXPECT_EQ(measure(separator).cy, 5);
    MemoryCanvas canvas(200, 5);
    draw(separator, canvas, 0, {0, 0, 200, 5});
    EXPECT_EQ(canvas.at(100, 2), GetSysColor(COLOR_BTNSHADOW));  // the etched line across the middle
    EXPECT_EQ(canvas.at(100, 0), RGB(255, 255, 255));
}

}  // namespace
}  // namespace vorpex::testing
