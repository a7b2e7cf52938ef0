// An MDI frame under Wine: the frame makes its client, children join the client's list and leave it when
// they close, the client's arrangement commands reach the MDICLIENT window, and closing the frame asks every
// child's OnClose, any refusal keeping all of them.
#include "framework/core/form/tests/form_fixture.h"

#include "runtime/core/block.h"
#include "runtime/core/send.h"

namespace vorpex::testing {
namespace {

using rt::Value;

Value mdiForm(int type, const Value& parent) {
    Value f = rt::send(Value(TForm::classRecord().instantiate()), "New", {parent});
    rt::send(f, "_nFormType", {type});
    rt::send(f, "SetBounds", {0, 0, 200, 150});
    rt::send(f, "Create", {parent});
    return f;
}

TEST_F(FormTest, AnMdiFrameHoldsItsChildrenAndAsksThemBeforeClosing) {
    Value frame = mdiForm(ftMDIFRAME, Value());
    rt::send(frame, "Show");
    const Value client = rt::send(frame, "oMdiClient");
    ASSERT_TRUE(client.isObject());
    char cls[32] = {};
    GetClassNameA(hwndOf(client), cls, sizeof cls);
    EXPECT_STRCASEEQ(cls, "MDICLIENT");  // the system's MDI client window, linked to its object
    EXPECT_EQ(GetParent(hwndOf(client)), hwndOf(frame));

    Value a = mdiForm(ftMDICHILD, frame), b = mdiForm(ftMDICHILD, frame);
    EXPECT_EQ(GetParent(hwndOf(a)), hwndOf(client));
    EXPECT_TRUE(GetWindowLongPtrA(hwndOf(a), GWL_EXSTYLE) & WS_EX_MDICHILD);
    rt::send(a, "Show");
    rt::send(b, "Show");
    EXPECT_EQ(rt::send(client, "aForms").asArray()->size(), 2u);
    rt::send(client, "Cascade");
    rt::send(client, "TileHorizontal");

    rt::send(b, "_OnClose", {Value(rt::makeBlock([](rt::Args) { return Value(false); }))});
    EXPECT_FALSE(rt::send(frame, "Close").asLogical());  // b refuses for everybody
    EXPECT_TRUE(IsWindow(hwndOf(frame)));
    rt::send(client, "CloseAll");  // the last first: b refuses, so a stays too
    EXPECT_EQ(rt::send(client, "aForms").asArray()->size(), 2u);
    rt::send(b, "_OnClose", {Value()});
    rt::send(client, "CloseAll");
    EXPECT_EQ(rt::send(client, "aForms").asArray()->size(), 0u);
    EXPECT_FALSE(IsWindow(hwndOf(a)));
    EXPECT_TRUE(rt::send(frame, "Close").asLogical());
}

}  // namespace
}  // namespace vorpex::testing
