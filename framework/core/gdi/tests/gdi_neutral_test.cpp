#include <gtest/gtest.h>

#include <vector>

#include "framework/core/gdi/color.h"
#include "framework/core/gdi/draw_item.h"
#include "framework/core/gdi/gdi_functions.h"
#include "framework/core/gdi/message_box.h"
#include "runtime/core/class_builder.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "tests/support/function_call.h"

namespace vorpex {
namespace {

rt::Value call(std::string_view name, std::vector<rt::Value> args = {}) {
    registerGdiFunctions();
    return rt::testing::call(name, std::move(args));
}

TEST(ColorBlend, Table) {
    const struct {
        std::vector<rt::Value> args;
        int64_t expected;
    } cases[] = {
        {{16711680, 255}, 8388735},                  // default alpha 128: blue 128, red 127
        {{16711680, 255, "x"}, 8388735},             // a non-numeric alpha is the default
        {{0x123456, 0xABCDEF, 255}, 0x123456},       // all of colour 1
        {{0x123456, 0xABCDEF, 0}, 0xABCDEF},         // all of colour 2
        {{0x123456, 0xABCDEF, 1000}, 0x123456},      // held to 255: no channel spills
        {{0x123456, 0xABCDEF, -50}, 0xABCDEF},
        {{0x7F000000FFLL, 0, 255}, 0xFF},            // only the low 24 bits count
        {{0x808080, 0x808080, 77}, 0x7F7F7F},        // each product divided on its own (38 + 89)
    };
    for (const auto& c : cases) EXPECT_EQ(call("COLORBLEND", c.args).asInteger(), c.expected);
}

TEST(ColorBlend, VertexChannelsAreWidenedBy8Bits) {
    EXPECT_EQ(vertexColor(0x0180FF), (VertexColor{0xFF00, 0x8000, 0x0100, 0}));
}

TEST(DrawItem, NineItemsWithOneBasedIndex) {
    DrawItemFields f{4, 1001, 0xFFFFFFFFu, 1, 0x10, 77, 88, {1, 2, 3, 4}, 99};
    auto a = drawItemArray(f).asArray();
    ASSERT_TRUE(a);
    ASSERT_EQ(a->size(), 9u);
    EXPECT_EQ(a->at1(1).asInteger(), 4);
    EXPECT_EQ(a->at1(2).asInteger(), 1001);
    EXPECT_EQ(a->at1(3).asInteger(), 0);  // "no item" (-1) becomes 0, not 4294967296
    EXPECT_EQ(a->at1(6).asInteger(), 77);
    EXPECT_EQ(a->at1(7).asInteger(), 88);
    EXPECT_EQ(rectFrom(a->at1(8)), (Rect{1, 2, 3, 4}));
    EXPECT_EQ(a->at1(9).asInteger(), 99);
    f.itemId = 5;
    EXPECT_EQ(drawItemArray(f).asArray()->at1(3).asInteger(), 6);
}

// Records every box and answers with a chosen button.
class MessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = setMessageBoxHook([this](const MessageBoxRequest& r) {
            shown.push_back(r);
            return answer;
        });
    }
    void TearDown() override {
        setMessageBoxHook(previous_);
        rt::clearPublics();
    }

    static void setApplicationTitle(const char* title) {
        static const rt::Class& app = [] () -> const rt::Class& {
            rt::ClassBuilder b("TAPPLICATIONPROBE", nullptr, nullptr);
            b.addData("cTitle", "");
            return b.create();
        }();
        rt::ObjectPtr o = app.instantiate();
        rt::send(rt::Value(o), "_cTitle", {title});
        rt::declarePublic("Application");
        rt::publicVar("Application") = rt::Value(o);
    }

    std::vector<MessageBoxRequest> shown;
    int answer = 1;

private:
    MessageBoxHook previous_;
};

TEST_F(MessageBoxTest, TypesAndResults) {
    const struct {
        const char* name;
        unsigned type;
        int button;
        rt::Value expected;
    } cases[] = {
        {"MSGINFO", 0x40, 1, 1},
        {"MSGALERT", 0x30, 1, 1},
        {"MSGSTOP", 0x10, 1, 1},
        {"MSGOKCANCEL", 0x21, 1, true},
        {"MSGOKCANCEL", 0x21, 2, false},
        {"MSGCANCELOK", 0x121, 1, true},
        {"MSGYESNO", 0x24, 6, true},
        {"MSGYESNO", 0x24, 7, false},
        {"MSGNOYES", 0x124, 6, true},
        {"MSGYESNOCANCEL", 0x23, 2, 2},
        {"MSGYESNOCANCEL", 0x23, 7, 7},
        {"MSGRETRYCANCEL", 0x25, 4, true},
        {"MSGRETRYCANCEL", 0x25, 2, false},
    };
    for (const auto& c : cases) {
        shown.clear();
        answer = c.button;
        const rt::Value r = call(c.name, {"x"});
        ASSERT_EQ(shown.size(), 1u) << c.name;
        EXPECT_EQ(shown[0].type, c.type) << c.name;
        EXPECT_EQ(r.typeCode(), c.expected.typeCode()) << c.name;
        EXPECT_TRUE(r.sameAs(c.expected)) << c.name << " " << c.button;
    }
}

TEST_F(MessageBoxTest, TextOfEveryKindOfValue) {
    rt::ClassBuilder b("TFORMPROBE", nullptr, nullptr);
    const rt::Value form(b.create().instantiate());
    const std::pair<std::vector<rt::Value>, std::string> cases[] = {
        {{}, ""},
        {{rt::Value()}, ""},
        {{rt::Value::array({1, 2})}, "{ ... }"},
        {{form}, "{ TFORMPROBE }"},
        {{"plain"}, "plain"},
        {{42}, "        42"},  // as Str() shows it
        {{true}, ".T."},
    };
    for (const auto& [args, text] : cases) {
        shown.clear();
        call("MSGINFO", args);
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, text);
    }
}

TEST_F(MessageBoxTest, CaptionFromTheApplicationUnlessGiven) {
    setApplicationTitle("Asistencias");
    call("MSGINFO", {"x"});
    call("MSGINFO", {"x", ""});
    call("MSGINFO", {"x", "Mine"});
    call("MESSAGEBOX", {0, "x", "", 0});
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0].caption, "Asistencias");
    EXPECT_EQ(shown[1].caption, "Asistencias");
    EXPECT_EQ(shown[2].caption, "Mine");
    EXPECT_EQ(shown[3].caption, "Asistencias");
    EXPECT_EQ(shown[3].type, 0x40u);  // type 0 becomes the information icon
}

TEST_F(MessageBoxTest, MsgBoxAndMessageBoxPassTheirType) {
    answer = 7;
    EXPECT_EQ(call("MSGBOX", {"x", "c", 0x24}).asInteger(), 7);
    EXPECT_EQ(call("MESSAGEBOX", {1234, "x", "c", 0x2010}).asInteger(), 7);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].type, 0x24u);
    EXPECT_EQ(shown[1].owner, 1234);
    EXPECT_EQ(shown[1].type, 0x2010u);
}

TEST_F(MessageBoxTest, MsgDebugHasItsOwnCaption) {
    call("MSGDEBUG", {"trace"});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, "Debug");
    EXPECT_EQ(shown[0].text, "trace");
    EXPECT_EQ(shown[0].type, 0x40u);
}

}  // namespace
}  // namespace vorpex
