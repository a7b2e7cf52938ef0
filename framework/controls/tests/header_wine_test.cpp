// The header on real windows under Wine: items stored before and after the window, read back with
// HDM_GETITEM, renumbered on insertion and deletion; the control's notifications turned into events; the
// item painting read back as pixels.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/controls/controls.h"
#include "framework/controls/header/header.h"
#include "framework/core/control/tests/control_fixture.h"
#include "runtime/core/block.h"
#include "runtime/core/send.h"
#include "tests/support/memory_canvas.h"

namespace vorpex::testing {
namespace {

using rt::Value;

struct NativeItem {
    std::string text;
    int width = 0, format = 0;
};

NativeItem nativeItem(HWND h, int index) {
    char buffer[64] = "";
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    if (!SendMessageA(h, HDM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item))) return {};
    return {buffer, item.cxy, item.fmt};
}

std::vector<std::string> nativeTexts(HWND h) {
    std::vector<std::string> texts;
    const int count = static_cast<int>(SendMessageA(h, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) texts.push_back(nativeItem(h, i).text);
    return texts;
}

class Headers : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        registerStandardControls();
        makeForm();
    }
    Value makeHeader(std::vector<Value> texts) {
        return makeControl(THeader::classRecord(), form, 0, 0, 300, 24, [&](const Value& h) {
            rt::send(h, "SetItems", {Value::array(std::move(texts))});
        });
    }
    static Value item(const Value& header, int n) { return rt::send(header, "aItems").asArray()->at1(n); }
    static int64_t indexOf(const Value& item) { return rt::send(item, "nIndex").asInteger(); }
    // What the control tells its parent.
    static LRESULT notify(const Value& header, int code, int item = 0, HDITEMA* data = nullptr) {
        NMHEADERA nm{};
        nm.hdr = {hwndOf(header), 0, static_cast<UINT>(code)};
        nm.iItem = item;
        nm.pitem = data;
        return SendMessageA(GetParent(hwndOf(header)), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
    }
    static void moveCursorOver(const Value& header, int item) {
        RECT r{};
        SendMessageA(hwndOf(header), HDM_GETITEMRECT, static_cast<WPARAM>(item - 1), reinterpret_cast<LPARAM>(&r));
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(hwndOf(header), &p);
        SetCursorPos(p.x, p.y);
    }
};

TEST_F(Headers, ItemsStoredBeforeTheWindowAppearInIt) {
    Value h = makeHeader({"Número", "Nombre", Value::array({"Baja", 6, 70})});
    HWND w = hwndOf(h);
    EXPECT_EQ(nativeTexts(w), (std::vector<std::string>{"Número", "Nombre", "Baja"}));
    EXPECT_EQ(nativeItem(w, 0).width, 50);
    EXPECT_EQ(nativeItem(w, 1).width, 50);
    EXPECT_EQ(nativeItem(w, 2).width, 70);
    EXPECT_EQ(nativeItem(w, 2).format & HDF_JUSTIFYMASK, HDF_CENTER);
    for (int n = 1; n <= 3; ++n) EXPECT_EQ(indexOf(item(h, n)), n);

    Value third = item(h, 3);
    EXPECT_TRUE(rt::send(h, "DeleteItem", {2}).asLogical());
    EXPECT_EQ(indexOf(third), 2);
    EXPECT_EQ(nativeTexts(w), (std::vector<std::string>{"Número", "Baja"}));
    rt::send(third, "_cText", {Value("Fecha")});
    EXPECT_EQ(nativeItem(w, 1).text, "Fecha") << "a setter reaches the item's new place";
    for (int wrong : {0, 3, -1}) EXPECT_FALSE(rt::send(h, "DeleteItem", {wrong}).asLogical()) << wrong;
    EXPECT_EQ(SendMessageA(w, HDM_GETITEMCOUNT, 0, 0), 2);
}

TEST_F(Headers, InsertingRenumbersTheItemsAfterIt) {
    Value h = makeHeader({"A", "B", "C"});
    HWND w = hwndOf(h);
    Value b = item(h, 2), c = item(h, 3);
    Value inserted = rt::send(h, "InsertItem", {2, Value("X"), Value(), 40});
    EXPECT_EQ(indexOf(inserted), 2);
    EXPECT_EQ(indexOf(b), 3);
    EXPECT_EQ(indexOf(c), 4);
    EXPECT_EQ(nativeTexts(w), (std::vector<std::string>{"A", "X", "B", "C"}));
    rt::send(c, "_nWidth", {Value(90)});
    EXPECT_EQ(nativeItem(w, 3).width, 90) << "the width went to C, not to B";
    EXPECT_EQ(nativeItem(w, 2).width, 50);
    EXPECT_EQ(rt::send(c, "nWidth").asInteger(), 90);
    // Ending an item takes it out of the header.
    rt::send(inserted, "End");
    EXPECT_EQ(nativeTexts(w), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(indexOf(c), 3);
}

TEST_F(Headers, SortArrowStoredBeforeTheWindowIsShownAndPaintedUp) {
    Value h = makeControl(THeader::classRecord(), form, 0, 0, 300, 24, [](const Value& header) {
        rt::send(header, "AddItem", {Value("Nombre"), Value(), Value(120), Value(), Value(), Value(1)});
    });
    HWND w = hwndOf(h);
    EXPECT_TRUE(nativeItem(w, 0).format & HDF_SORTUP);
    EXPECT_FALSE(nativeItem(w, 0).format & HDF_SORTDOWN);

    MemoryCanvas canvas(300, 24, RGB(255, 255, 255));
    HDC dc = canvas.dc();
    // The control's own drawing of the item done, it asks its parent to paint over it.
    NMCUSTOMDRAW draw{};
    draw.hdr = {w, 0, static_cast<UINT>(NM_CUSTOMDRAW)};
    draw.dwDrawStage = CDDS_ITEMPOSTPAINT;
    draw.hdc = dc;
    draw.rc = {0, 0, 120, 24};
    draw.dwItemSpec = 0;
    EXPECT_EQ(SendMessageA(hwndOf(form), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&draw)), CDRF_SKIPDEFAULT);
    // The item spans 0..120; h = 19, y0 = 9: apex (109, 9), base from (104, 14) to (114, 14).
    const COLORREF arrow = RGB(172, 168, 153);
    EXPECT_EQ(canvas.at(109, 13), arrow) << "inside the triangle";
    EXPECT_EQ(canvas.at(109, 10), arrow) << "near the apex, which is at the top";
    EXPECT_NE(canvas.at(105, 10), arrow) << "the base is at the bottom, not the top";
    EXPECT_EQ(canvas.at(100, 5), GetSysColor(COLOR_BTNFACE)) << "the face is filled";
    EXPECT_EQ(canvas.at(1, 1), RGB(255, 255, 255)) << "three pixels of frame are left to the control";

    rt::send(item(h, 1), "_nSort", {-1});
    EXPECT_TRUE(nativeItem(w, 0).format & HDF_SORTDOWN);
    rt::send(item(h, 1), "_nAlignment", {2});
    EXPECT_TRUE(nativeItem(w, 0).format & HDF_SORTDOWN) << "a new alignment keeps the arrow";
    EXPECT_EQ(nativeItem(w, 0).format & HDF_JUSTIFYMASK, HDF_RIGHT);
}

TEST_F(Headers, TrackingCanBeCancelledOrForbidden) {
    Value h = makeHeader({"A", "B"});
    std::vector<std::pair<int64_t, int64_t>> tracks;
    rt::send(h, "_OnBeginTrack", {Value(rt::makeBlock([&tracks](rt::Args a) {
                  tracks.emplace_back(rt::arg(a, 1).asInteger(), rt::arg(a, 2).asInteger());
                  rt::send(rt::arg(a, 0), "_lCancelTrack", {true});
                  return Value();
              }))});
    HDITEMA data{};
    data.mask = HDI_WIDTH;
    data.cxy = 77;
    EXPECT_EQ(notify(h, HDN_BEGINTRACKA, 1, &data), TRUE);
    ASSERT_EQ(tracks.size(), 1u);
    EXPECT_EQ(tracks[0], (std::pair<int64_t, int64_t>{2, 77}));
    EXPECT_FALSE(rt::send(h, "lCancelTrack").asLogical()) << "cleared when read";
    rt::send(h, "_OnBeginTrack", {Value()});
    EXPECT_EQ(notify(h, HDN_BEGINTRACKA, 0, &data), FALSE);
    rt::send(h, "_lResize", {false});
    EXPECT_EQ(notify(h, HDN_BEGINTRACKA, 0, &data), TRUE);
}

TEST_F(Headers, ClicksReachTheHeaderThenTheItem) {
    Value h = makeHeader({"A", "B", "C"});
    std::vector<int64_t> headerClicks;
    int itemClicks = 0, itemRightClicks = 0;
    rt::send(h, "_OnClick", {Value(rt::makeBlock([&](rt::Args a) {
                  headerClicks.push_back(rt::arg(a, 3).asInteger());
                  return Value();
              }))});
    rt::send(item(h, 2), "_OnClick", {counter(itemClicks)});
    notify(h, HDN_ITEMCLICKA, 1);
    EXPECT_TRUE(headerClicks.empty()) << "the click runs after the notification";
    pump();
    EXPECT_EQ(headerClicks, std::vector<int64_t>{2});
    EXPECT_EQ(itemClicks, 1);

    // A right click goes by the cursor; the header's answer other than NIL keeps it from the item.
    int headerRightClicks = 0;
    rt::send(item(h, 3), "_OnRClick", {counter(itemRightClicks)});
    rt::send(h, "_OnRClick", {counter(headerRightClicks)});
    moveCursorOver(h, 3);
    notify(h, NM_RCLICK);
    EXPECT_EQ(headerRightClicks, 1);
    EXPECT_EQ(itemRightClicks, 1);
    rt::send(h, "_OnRClick", {counter(headerRightClicks, Value(true))});
    notify(h, NM_RCLICK);
    EXPECT_EQ(headerRightClicks, 2);
    EXPECT_EQ(itemRightClicks, 1);
}

TEST_F(Headers, ResizeNotificationReachesItsEvent) {
    Value h = makeHeader({"A", "B"});
    int changed = 0;
    rt::send(h, "_OnItemChanged", {counter(changed)});
    rt::send(item(h, 1), "_nWidth", {120});  // the control tells its parent of the change itself
    EXPECT_GE(changed, 1);
    EXPECT_EQ(nativeItem(hwndOf(h), 0).width, 120);
}

TEST_F(Headers, OrderArrayAndPrivateMessage) {
    Value h = makeHeader({"A", "B", "C"});
    EXPECT_FALSE(rt::send(h, "SetOrderArray", {Value("x")}).asLogical());
    EXPECT_TRUE(rt::send(h, "SetOrderArray", {Value::array({2, 0, 1})}).asLogical());
    const Value order = rt::send(h, "GetOrderArray");
    std::vector<int64_t> positions;
    for (const Value& v : order.asArray()->items) positions.push_back(v.asInteger());
    EXPECT_EQ(positions, (std::vector<int64_t>{3, 1, 2}));

    // Destroying through the private message is for the header's own children only.
    HWND stranger = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, hwndOf(form), nullptr, nullptr, nullptr);
    HWND own = CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 5, 5, hwndOf(h), nullptr, nullptr, nullptr);
    SendMessageA(hwndOf(h), WM_USER + 1, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(stranger));
    SendMessageA(hwndOf(h), WM_USER + 1, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(own));
    EXPECT_TRUE(IsWindow(stranger));
    EXPECT_FALSE(IsWindow(own));
    DestroyWindow(stranger);
}

}  // namespace
}  // namespace vorpex::testing
