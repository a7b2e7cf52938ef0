// What an OLE failure becomes, and the client where the platform has none.
#include <gtest/gtest.h>

#include "runtime/ole/ole.h"
#include "runtime/ole/ole_error.h"
#include "tests/support/recording_handler.h"

namespace rt::ole {
namespace {

TEST(OleError, NamesTheResultsAClientMeetsAndShowsOthersInHex) {
    const struct {
        uint32_t hr;
        const char* text;
    } cases[] = {
        {0x80020006u, "DISP_E_UNKNOWNNAME"}, {0x80020009u, "DISP_E_EXCEPTION"},
        {0x800401F3u, "CO_E_CLASSSTRING"},   {0x800401E3u, "MK_E_UNAVAILABLE"},
        {0x00000000u, "S_OK"},               {0x8badf00du, "0x8BADF00D"},
    };
    for (const auto& c : cases) EXPECT_EQ(hresultText(c.hr), c.text) << std::hex << c.hr;
}

TEST(OleError, CarriesTheServerTextOrElseTheResultAndSetsTheLastErrorText) {
    const Value argument("x");
    Error unknown = oleError(Stage::Call, 0x80020006u, "", "FROBNICATE", Args(&argument, 1));
    EXPECT_EQ(unknown.subSystem, "OLE");
    EXPECT_EQ(unknown.genCode, eg::NoMethod);
    EXPECT_EQ(unknown.description, "DISP_E_UNKNOWNNAME");
    EXPECT_EQ(unknown.operation, "FROBNICATE");
    EXPECT_EQ(unknown.args.asArray()->size(), 1u);

    Error thrown = oleError(Stage::Call, 0x80020009u, "Paste method of Worksheet class failed", "PASTE", {});
    EXPECT_EQ(thrown.description, "Paste method of Worksheet class failed");
    EXPECT_EQ(thrown.genCode, eg::Arg);
    EXPECT_EQ(oleError(Stage::Create, 0x80040154u, "", "CREATEOBJECT", {}).genCode, eg::Create);

    testing::RecordingHandler handler(ErrorAction::Default, Value(7));
    EXPECT_EQ(raiseOleError(thrown).asInt(), 7);
    EXPECT_EQ(lastErrorText(), "Paste method of Worksheet class failed");
}

#ifndef _WIN32
TEST(OleStub, EveryEntryPointRaisesOneClearError) {
    EXPECT_FALSE(available());
    testing::RecordingHandler handler(ErrorAction::Default);
    EXPECT_TRUE(createObject("Excel.Application").isNil());
    EXPECT_TRUE(getActiveObject("Excel.Application").isNil());
    ASSERT_EQ(handler.seen.size(), 2u);
    for (const Error& e : handler.seen) {
        EXPECT_EQ(e.subSystem, "OLE");
        EXPECT_EQ(e.description, notAvailableText());
        EXPECT_EQ(e.args.asArray()->at1(1).asString(), "Excel.Application");
    }
    EXPECT_EQ(lastErrorText(), notAvailableText());
}
#endif

}  // namespace
}  // namespace rt::ole
