// The canvas class over a recording context and recording GDI objects: its conversions on a 600-dot printer
// (by reference too), a device without paper, nothing drawn without a context, the brushes it makes and
// deletes, and where TextOut and TextRect put their text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_port.h"
#include "framework/core/object/component.h"
#include "framework/core/object/vp_class.h"
#include "framework/graphics/brush/brush.h"
#include "framework/graphics/canvas/canvas.h"
#include "framework/graphics/graphics.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex::testing {
namespace {

using rt::Value;

Value ask(const Value& o, const char* message, std::vector<Value> args = {}) {
    return rt::send(o, rt::Symbol::intern(message), args);
}
Value rect(int64_t l, int64_t t, int64_t r, int64_t b) { return Value::array({l, t, r, b}); }
std::vector<double> numbers(const Value& list) {
    std::vector<double> out;
    for (const Value& v : list.asArray()->items) out.push_back(v.asDouble());
    return out;
}

// A context that notes each call; text is 7 pixels a character and 13 high, DrawText 26 high.
class RecordingContext final : public gfx::CanvasPort {
public:
    struct Call {
        std::string what;
        std::vector<int64_t> args;
    };
    std::vector<Call> calls;
    RecordingContext() { gfx::setCanvasPort(this); }
    ~RecordingContext() override { gfx::setCanvasPort(nullptr); }
    bool moveTo(intptr_t, int64_t x, int64_t y) override { return note("move", {x, y}); }
    bool lineTo(intptr_t, int64_t x, int64_t y, intptr_t pen) override { return note("line", {x, y, pen}); }
    bool textOut(intptr_t, int64_t x, int64_t y, const std::string&, const gfx::TextLook& look) override {
        return note("text", {x, y, look.alignment, look.transparent});
    }
    int64_t drawText(intptr_t, const gfx::PixelRect& r, const std::string&, uint32_t flags, const gfx::TextLook&) override {
        note("drawtext", {r.left, r.top, r.right, r.bottom, flags});
        return 26;
    }
    gfx::TextExtent textExtent(intptr_t, intptr_t, const std::string& text) override {
        return {static_cast<int64_t>(text.size()) * 7, 13};
    }
    bool fillRect(intptr_t, const gfx::PixelRect& r, intptr_t brush) override {
        return note("fill", {r.left, r.top, r.right, r.bottom, brush});
    }
    bool drawShape(intptr_t, gfx::Shape s, const gfx::PixelRect&, intptr_t pen, intptr_t brush, int64_t, int64_t) override {
        return note("shape", {static_cast<int64_t>(s), pen, brush});
    }

private:
    bool note(std::string what, std::vector<int64_t> args) {
        calls.push_back({std::move(what), std::move(args)});
        return true;
    }
};

// A Letter sheet on a 600-dot printer, all of it printable: 5100 x 6600 pixels over 2159 x 2794 tenths of a
// millimetre; or, without paper, a printer that is not there.
const rt::Class& printerClass(const char* name, bool paper) {
    VPClass b(name, &TComponent::classRecord(), rt::factoryOf<TComponent>());
    const auto answer = [&b](const char* message, int64_t x, int64_t y) {
        b.addMethod(message, [x, y](rt::Object&, const rt::Method&, rt::Args) { return Value::array({x, y}); });
    };
    answer("Resolution", 600, 600);
    answer("PaperRes", 5100, 6600);
    answer("PaperSize", paper ? 2159 : 0, paper ? 2794 : 0);
    answer("PaperPhysicalSize", paper ? 2159 : 0, paper ? 2794 : 0);
    answer("PhysicalOffset", 0, 0);
    b.addData("hDC", 9, "N");
    return b.create();
}

class CanvasTest : public ::testing::Test {
protected:
    void SetUp() override { registerGraphics(); }
    Value canvasOn(bool paper = true) {
        static const rt::Class& withPaper = printerClass("CanvasTestPrinter", true);
        static const rt::Class& without = printerClass("CanvasTestNoPaper", false);
        return ask(Value(TCanvas::classRecord().instantiate()), "New",
                   {Value((paper ? withPaper : without).instantiate())});
    }
    FakePort gdi;
    RecordingContext context;
};

TEST_F(CanvasTest, EveryMapModeConvertsWithThePrintersMeasures) {
    Value canvas = canvasOn();
    ask(canvas, "_hDC", {9});
    struct Case {
        int64_t mode;
        double pixels;  // of 100 units across
    } cases[] = {{0, 100}, {1, 236}, {2, 600}, {3, 700}};
    for (const Case& c : cases) {
        ask(canvas, "_nMapMode", {c.mode});
        EXPECT_DOUBLE_EQ(numbers(ask(canvas, "RectToPixels", {rect(100, 0, 0, 0)}))[0], c.pixels) << c.mode;
        EXPECT_EQ(numbers(ask(canvas, "PixelsToMapMode", {c.pixels, c.pixels}))[0], 100) << c.mode;
    }
    ask(canvas, "_nMapMode", {2});
    auto x = std::make_shared<Value>(Value(50)), y = std::make_shared<Value>(Value(100));
    ask(canvas, "PointToPixels", {Value::reference(x), Value::reference(y)});
    EXPECT_DOUBLE_EQ(x->asDouble(), 300) << "written back through the reference";
    EXPECT_DOUBLE_EQ(y->asDouble(), 600);
    EXPECT_EQ(numbers(ask(canvas, "PixelsToTwips", {rect(600, 300, 1200, 6000)})),
              (std::vector<double>{1440, 720, 2880, 14400}));
}

TEST_F(CanvasTest, ADeviceWithoutPaperIsNotMeasured) {
    Value canvas = canvasOn(false);
    EXPECT_FALSE(rt::objectAs<XCanvas>(canvas)->measured());
    EXPECT_EQ(ask(canvas, "nLogPixelsX").asInteger(), 600) << "what the device did report is kept";
    ask(canvas, "_nMapMode", {1});
    EXPECT_EQ(numbers(ask(canvas, "RectToPixels", {rect(100, 100, 100, 100)}))[0], 0);
}

TEST_F(CanvasTest, WithoutAContextNothingReachesTheDevice) {
    Value canvas = canvasOn();
    context.calls.clear();
    for (const char* message : {"FillRect", "Rectangle", "Ellipse", "TextRect"})
        EXPECT_FALSE(ask(canvas, message, {rect(0, 0, 10, 10), "x"}).asLogical()) << message;
    EXPECT_FALSE(ask(canvas, "TextOut", {1, 1, "x"}).asLogical());
    EXPECT_TRUE(context.calls.empty());
    EXPECT_TRUE(gdi.calls.empty()) << "no brush made for nothing";
}

TEST_F(CanvasTest, BrushesMadeForACallAreDeletedAndGivenOnesAreNot) {
    Value canvas = canvasOn();
    ask(canvas, "_hDC", {9});
    ask(canvas, "FillRect", {rect(0, 0, 10, 10), 255});
    ask(canvas, "FillRect", {rect(0, 0, 10, 10)});
    ask(canvas, "Rectangle", {rect(0, 0, 10, 10)});
    ask(canvas, "_nClrPane", {0x00FF00});
    ask(canvas, "Ellipse", {rect(0, 0, 10, 10)});
    std::vector<int64_t> colours;
    for (const auto& call : gdi.calls)
        if (call.what == "solid") colours.push_back(call.args[0]);
    EXPECT_EQ(colours, (std::vector<int64_t>{255, 0, 0xFFFFFF, 0x00FF00}))
        << "a colour; black; white for a shape; the pane colour";
    EXPECT_TRUE(gdi.live.empty()) << "every brush made was deleted";

    Value brush = ask(Value(TBrush::classRecord().instantiate()), "Create", {Value(), 0xFF0000});
    const int64_t handle = ask(brush, "Handle").asInteger();
    ask(canvas, "FillRect", {rect(0, 0, 10, 10), brush});
    EXPECT_EQ(context.calls.back().args[4], handle);
    EXPECT_TRUE(gdi.live.count(handle)) << "the caller's brush stays alive";
    ask(brush, "Destroy");
}

TEST_F(CanvasTest, TextGoesWhereItsBoxAndAlignmentSay) {
    Value canvas = canvasOn();
    ask(canvas, "_hDC", {9});
    ask(canvas, "_nTextAlignment", {6});
    ask(canvas, "TextOut", {100, 10, "Hola", 200});
    EXPECT_EQ(context.calls.back().args, (std::vector<int64_t>{200, 10, 6, 1})) << "the middle of the box";
    EXPECT_EQ(numbers(ask(canvas, "aPenPos")), (std::vector<double>{300, 10}));

    ask(canvas, "_nTextAlignment", {0});
    ask(canvas, "_nMapMode", {1});
    ask(canvas, "TextOut", {100, 10, "Hola"});  // 28 pixels: 12 tenths of a millimetre
    EXPECT_EQ(numbers(ask(canvas, "aPenPos")), (std::vector<double>{112, 10}));

    // Wrapped text at the bottom of 0..200 pixels: measured first (26 high), then drawn 174 lower.
    ask(canvas, "_nMapMode", {0});
    ask(canvas, "_nTextVAlignment", {2});
    context.calls.clear();
    EXPECT_EQ(ask(canvas, "TextRect", {rect(0, 0, 100, 200), "uno dos tres"}).asInteger(), 26);
    ASSERT_EQ(context.calls.size(), 2u);
    EXPECT_TRUE(context.calls[0].args[4] & 0x400) << "measured with DT_CALCRECT";
    EXPECT_EQ(context.calls[1].args[1], 174);
    EXPECT_FALSE(context.calls[1].args[4] & 0x8) << "no DT_BOTTOM, which DrawText ignores for wrapped text";
    EXPECT_EQ(numbers(ask(canvas, "aPenPos")), (std::vector<double>{100, 200}));
}

}  // namespace
}  // namespace vorpex::testing
