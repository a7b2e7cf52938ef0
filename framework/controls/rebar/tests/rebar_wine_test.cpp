// The rebar on a real form under Wine: a tool bar created inside it becomes the child of its band, band counts
// and heights read back, a band deleted and one added, the same background given twice kept, and the parent
// told its real size after the rebar's height changed.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "framework/controls/controls.h"
#include "framework/controls/rebar/rebar.h"
#include "framework/controls/toolbar/toolbar.h"
#include "framework/core/form/tests/form_fixture.h"
#include "framework/core/object/vp_class.h"
#include "runtime/core/block.h"
#include "runtime/core/send.h"

namespace vorpex::testing {
namespace {

using rt::Value;

class RebarWineTest : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        registerStandardControls();
        form = plainForm();
        rebarObject = rt::send(rt::send(classCall(TRebar::classRecord()), "New", {form}), "Create", {form});
    }
    Value toolbarIn(const Value& parent) {
        Value bar = rt::send(classCall(TToolBar::classRecord()), "New", {parent});
        rt::send(bar, "AddItem", {Value("Uno")});
        rt::send(bar, "AddItem", {Value("Dos")});
        return rt::send(bar, "Create", {parent});
    }
    Value form, rebarObject;
};

TEST_F(RebarWineTest, AToolBarInsertedIntoAnEmptyBandBecomesItsChildOnce) {
    HWND h = hwndOf(rebarObject);
    ASSERT_TRUE(IsWindow(h));
    Value band = rt::send(rebarObject, "AddItem", {Value("Archivo")});
    EXPECT_EQ(rt::send(band, "nIndex").asInteger(), 1);
    ASSERT_EQ(SendMessageA(h, RB_GETBANDCOUNT, 0, 0), 1);
    Value bar = toolbarIn(rebarObject);
    EXPECT_EQ(SendMessageA(h, RB_GETBANDCOUNT, 0, 0), 1);  // the band's, not a second one
    REBARBANDINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_ID;
    SendMessageA(h, RB_GETBANDINFOA, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.hwndChild, hwndOf(bar));
    EXPECT_EQ(info.wID, 1u);
    EXPECT_GT(info.cyMinChild, 0u);
    EXPECT_GE(SendMessageA(h, RB_GETBARHEIGHT, 0, 0), static_cast<LRESULT>(info.cyMinChild));
    EXPECT_TRUE(rt::send(band, "oControl").sameAs(bar));
}

TEST_F(RebarWineTest, BandsAreAddedAndDeletedWithGrowingIdentifiers) {
    HWND h = hwndOf(rebarObject);
    Value one = rt::send(rebarObject, "AddItem", {Value("Uno")});
    Value two = rt::send(rebarObject, "AddItem", {Value("Dos"), Value(), Value(), Value(true)});
    rt::send(rebarObject, "AddItem", {Value("Tres")});
    ASSERT_EQ(SendMessageA(h, RB_GETBANDCOUNT, 0, 0), 3);
    rt::send(two, "Delete");
    EXPECT_EQ(SendMessageA(h, RB_GETBANDCOUNT, 0, 0), 2);
    EXPECT_EQ(rt::send(rebarObject, "aItems").asArray()->items.size(), 2u);
    Value four = rt::send(rebarObject, "AddItem", {Value("Cuatro")});
    EXPECT_EQ(rt::send(four, "nIndex").asInteger(), 4);
    EXPECT_EQ(SendMessageA(h, RB_IDTOINDEX, 4, 0), 2);
    rt::send(one, "_lGripper", {Value(false)});
    REBARBANDINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = RBBIM_STYLE;
    SendMessageA(h, RB_GETBANDINFOA, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_TRUE(info.fStyle & RBBS_NOGRIPPER);
}

// A picture object that counts its ends.
int picturesEnded = 0;
const rt::Class& countedPicture() {
    static const rt::Class& c = []() -> const rt::Class& {
        VPClass b("XCountedPicture", &TComponent::classRecord(), rt::factoryOf<XComponent>());
        b.addMethod("Handle", [](rt::Object&, const rt::Method&, rt::Args) { return Value(0); });
        b.addMethod("End", [](rt::Object&, const rt::Method&, rt::Args) {
            ++picturesEnded;
            return Value();
        });
        return b.create();
    }();
    return c;
}

TEST_F(RebarWineTest, TheSameBackgroundGivenAgainIsKept) {
    Value band = rt::send(rebarObject, "AddItem", {Value("Uno")});
    Value picture(countedPicture().instantiate());
    picturesEnded = 0;
    rt::send(band, "_oBkgnd", {picture});
    rt::send(band, "_oBkgnd", {picture});
    EXPECT_EQ(picturesEnded, 0);
    rt::send(band, "_oBkgnd", {Value(countedPicture().instantiate())});
    EXPECT_EQ(picturesEnded, 1);
}

TEST_F(RebarWineTest, AfterAHeightChangeTheParentIsToldItsRealSize) {
    HWND f = hwndOf(form);
    std::vector<std::pair<int64_t, int64_t>> sizes;
    rt::send(form, "_OnSize", {Value(rt::makeBlock([&sizes](rt::Args a) {
                 sizes.push_back({a[2].asInteger(), a[3].asInteger()});
                 return Value();
             }))});
    NMHDR header{hwndOf(rebarObject), 0, static_cast<UINT>(RBN_HEIGHTCHANGE)};
    SendMessageA(f, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    pump();
    RECT client{};
    GetClientRect(f, &client);
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(sizes.back(), (std::pair<int64_t, int64_t>{client.right, client.bottom}));
}

}  // namespace
}  // namespace vorpex::testing
