// Brushes and pens over the recording port: which creator a brush's properties choose, re-creation only of
// created objects, and a pen's width on a device.
#include <gtest/gtest.h>

#include "fake_port.h"
#include "framework/core/object/vp_class.h"
#include "framework/graphics/brush/brush.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/pen/pen.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex::testing {
namespace {

using rt::Value;

// A device answering Resolution, and a screen answering nPixelsPerInch.
const rt::Class& deviceClass(const char* name, const char* message, int64_t& value) {
    VPClass b(name, &TComponent::classRecord(), rt::factoryOf<TComponent>());
    b.addMethod(message, [&value, message](rt::Object&, const rt::Method&, rt::Args) {
        return std::string(message) == "Resolution" ? Value::array({Value(value), Value(value)}) : Value(value);
    });
    return b.create();
}

class BrushPenTest : public ::testing::Test {
protected:
    void SetUp() override {
        registerGraphics();
        rt::publicVar("Screen") = Value(screenClass().instantiate());
    }
    void TearDown() override { rt::publicVar("Screen") = Value(); }
    static inline int64_t screenDpi = 96, printerDpi = 600;
    static const rt::Class& screenClass() {
        static const rt::Class& c = deviceClass("FakeScreen", "nPixelsPerInch", screenDpi);
        return c;
    }
    static const rt::Class& printerClass() {
        static const rt::Class& c = deviceClass("FakeDevice", "Resolution", printerDpi);
        return c;
    }
    static Value bare(const char* cls) { return (*rt::findFunction(cls))({}); }
    FakePort port;
};

TEST_F(BrushPenTest, TheFirstSetPropertyChoosesTheBrush) {
    struct Case {
        Value style, color, bitmap;
        const char* creator;
        std::vector<int64_t> args;
    } cases[] = {
        {Value(), Value(), Value(), "indirect", {1, 0, 0}},  // hollow
        {Value(), 255, Value(), "solid", {255}},
        {Value(), 0, Value(), "solid", {0}},                 // black is a colour, not "no colour"
        {2, 255, 4242, "hatch", {2, 255}},                   // hatch wins over the bitmap
        {0, 255, Value(), "hatch", {0, 255}},                // HS_HORIZONTAL is style 0
        {Value(), 255, 4242, "pattern", {4242}},
    };
    for (const Case& c : cases) {
        Value b = rt::send(bare("TBRUSH"), "Create", {c.style, c.color, c.bitmap});
        EXPECT_EQ(port.last().what, c.creator);
        EXPECT_EQ(port.last().args, c.args) << c.creator;
        EXPECT_NE(rt::send(b, "Handle").asInteger(), 0);
        rt::send(b, "End");
    }
    EXPECT_TRUE(port.live.empty());
}

TEST_F(BrushPenTest, BrushPropertiesRecreateOnlyACreatedBrush) {
    Value b = bare("TBRUSH");
    rt::send(b, "_nColor", {255});
    EXPECT_EQ(rt::send(b, "Handle").asInteger(), 0);
    EXPECT_TRUE(port.calls.empty());

    rt::send(b, "Create");
    const int64_t first = rt::send(b, "Handle").asInteger();
    rt::send(b, "_nColor", {0xFF00});
    EXPECT_NE(rt::send(b, "Handle").asInteger(), first);
    EXPECT_FALSE(port.live.count(first)) << "the replaced handle is deleted";
    EXPECT_EQ(port.last().args, (std::vector<int64_t>{0xFF00}));

    Value copy = rt::send(b, "Clone");
    EXPECT_EQ(port.last().what, "solid");
    EXPECT_NE(rt::send(copy, "Handle").asInteger(), rt::send(b, "Handle").asInteger());
}

TEST_F(BrushPenTest, PenWidthFollowsTheDevice) {
    Value printer(printerClass().instantiate());
    struct Case {
        int64_t deviceDpi, screen, width, expected;
        bool device;
    } cases[] = {
        {600, 96, 1, 6, true}, {600, 96, 2, 12, true}, {300, 96, 1, 3, true},  // 3.125 truncated
        {600, 96, 3, 3, false},                                                // no device: as given
        {600, 0, 1, 0, true},                                                  // no screen resolution
    };
    for (const Case& c : cases) {
        printerDpi = c.deviceDpi;
        screenDpi = c.screen;
        rt::send(bare("TPEN"), "New", {0, c.width, 0, c.device ? printer : Value()});
        EXPECT_EQ(port.last().what, "pen");
        EXPECT_EQ(port.last().args[1], c.expected) << c.deviceDpi << "/" << c.screen << " x" << c.width;
    }
    printerDpi = 600;
    screenDpi = 96;
}

TEST_F(BrushPenTest, PenClonesKeepTheirDeviceAndPropertiesRecreate) {
    Value printer(printerClass().instantiate());
    Value pen = rt::send(bare("TPEN"), "New", {0, 1, 255, printer});
    Value copy = rt::send(pen, "Clone");
    EXPECT_TRUE(rt::send(copy, "oDevice").sameAs(printer));
    EXPECT_EQ(port.last().args, (std::vector<int64_t>{0, 6, 255}));

    const int64_t first = rt::send(pen, "Handle").asInteger();
    rt::send(pen, "_nWidth", {2});
    EXPECT_EQ(port.last().args, (std::vector<int64_t>{0, 12, 255}));
    EXPECT_FALSE(port.live.count(first));
    rt::send(pen, "End");
    rt::send(copy, "End");
    EXPECT_TRUE(port.live.empty());
}

}  // namespace
}  // namespace vorpex::testing
