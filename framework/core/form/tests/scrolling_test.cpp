// The scrolling container as a form's base under Wine: the virtual size from the children, scroll ranges and
// pages, scroll events answering positions, children moved with the origin, the origin pulled back when the
// content shrinks, the wheel, and forms without scroll bars.
#include "framework/core/form/tests/form_fixture.h"

#include "runtime/core/block.h"
#include "runtime/core/send.h"

namespace vorpex::testing {
namespace {

using rt::Value;

Value label(const Value& form, int left, int top, int width, int height) {
    Value l = rt::send(Value(labelClass().instantiate()), "New", {form});
    rt::send(l, "SetBounds", {left, top, width, height});
    rt::send(l, "Create");
    return l;
}

SCROLLINFO barOf(HWND h, int bar) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(h, bar, &si);
    return si;
}

// The child's top in its parent's client coordinates.
int windowTop(const Value& child) {
    HWND h = reinterpret_cast<HWND>(rt::send(child, "Handle").asInteger());
    RECT r;
    GetWindowRect(h, &r);
    POINT p{r.left, r.top};
    ScreenToClient(GetParent(h), &p);
    return p.y;
}

// A form whose client area is 200 x 100 with a child reaching down to 300.
struct ScrollingFormTest : FormTest {
    void SetUp() override {
        FormTest::SetUp();
        form = plainForm([](const Value& f) { rt::send(f, "SetClientSize", {200, 100}); });
        child = label(form, 10, 150, 50, 150);
        h = hwndOf(form);
    }
    Value form, child;
    HWND h = nullptr;
};

TEST_F(ScrollingFormTest, RangeAndPageFollowTheContent) {
    EXPECT_EQ(rt::send(form, "nVirtualHeight").asInteger(), 300);
    const SCROLLINFO si = barOf(h, SB_VERT);
    EXPECT_EQ(si.nMin, 0);
    EXPECT_EQ(si.nMax, 299);
    EXPECT_EQ(si.nPage, static_cast<UINT>(rt::send(form, "nClientHeight").asInteger()));
    EXPECT_TRUE(GetWindowLongPtrA(h, GWL_STYLE) & WS_VSCROLL);
    EXPECT_FALSE(GetWindowLongPtrA(h, GWL_STYLE) & WS_HSCROLL);  // the width fits
}

TEST_F(ScrollingFormTest, ScrollEventsAnswerPositionsAndChildrenMoveWithTheOrigin) {
    Value answer;
    std::vector<int64_t> seen;
    rt::send(form, "_OnScrollDown", {Value(rt::makeBlock([&](rt::Args a) {
                 seen.push_back(a[1].asInteger());
                 return answer;
             }))});
    rt::send(form, "Show");  // a shown form scrolls its pixels and children with the system
    const int64_t page = barOf(h, SB_VERT).nPage;
    answer = Value(40);
    SendMessageA(h, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(barOf(h, SB_VERT).nPos, 40);
    EXPECT_EQ(rt::send(form, "nClientTop").asInteger(), -40);
    EXPECT_EQ(windowTop(child), 150 - 40);
    EXPECT_EQ(rt::send(child, "nTop").asInteger(), 150);  // the stored place stays

    answer = Value(400);
    SendMessageA(h, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(barOf(h, SB_VERT).nPos, 300 - page);
    answer = Value();
    SendMessageA(h, WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(barOf(h, SB_VERT).nPos, 300 - page - 8);
    EXPECT_EQ(seen, (std::vector<int64_t>{0, 40}));
    EXPECT_EQ(windowTop(child), 150 - (300 - page - 8));
}

TEST_F(ScrollingFormTest, ShrinkingTheContentBringsTheOriginBack) {
    Value close = label(form, 10, 20, 50, 30);
    SendMessageA(h, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), 0);  // track position 0: nothing moves
    SendMessageA(h, WM_VSCROLL, SB_PAGEDOWN, 0);
    SendMessageA(h, WM_VSCROLL, SB_PAGEDOWN, 0);
    ASSERT_LT(rt::send(form, "nClientTop").asInteger(), 0);
    rt::send(child, "Destroy", {true});  // the content now ends at 50
    EXPECT_EQ(rt::send(form, "nVirtualHeight").asInteger(), 50);
    EXPECT_EQ(rt::send(form, "nClientTop").asInteger(), 0);
    EXPECT_EQ(windowTop(close), 20);  // the remaining child is back in place at once
    EXPECT_FALSE(GetWindowLongPtrA(h, GWL_STYLE) & WS_VSCROLL);
}

TEST_F(ScrollingFormTest, TheWheelScrollsOneLinePerTurnOnTheAxisThatCanScroll) {
    SendMessageA(h, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-360)), 0);
    EXPECT_EQ(barOf(h, SB_VERT).nPos, 8);
    SendMessageA(h, WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, static_cast<WORD>(-120)), 0);  // no horizontal bar
    EXPECT_EQ(barOf(h, SB_VERT).nPos, 8);
    SendMessageA(h, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(barOf(h, SB_VERT).nPos, 0);
}

TEST_F(FormTest, FormsWhoseChildrenFitOrThatDoNotScrollShowNoBars) {
    Value fits = plainForm();
    Value l = rt::send(Value(labelClass().instantiate()), "New", {fits});
    rt::send(l, "SetBounds", {5, 5, 20, 20});
    rt::send(l, "Create");
    Value fixed = plainForm([](const Value& f) { rt::send(f, "_lAutoScroll", {false}); });
    Value big = rt::send(Value(labelClass().instantiate()), "New", {fixed});
    rt::send(big, "SetBounds", {5, 500, 20, 600});
    rt::send(big, "Create");
    for (const Value& f : {fits, fixed})
        EXPECT_FALSE(GetWindowLongPtrA(hwndOf(f), GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL));
}

}  // namespace
}  // namespace vorpex::testing
