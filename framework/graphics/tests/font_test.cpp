// The font's rules without a device: size and height arithmetic, the record it asks for, its properties,
// its saved text, and the use count shared between controls (over a port that counts live handles).
#include <gtest/gtest.h>

#include "fake_port.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/screen/screen.h"
#include "framework/graphics/font/font.h"
#include "framework/graphics/graphics.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex::testing {
namespace {

using rt::Value;

// An output device as the printer object presents itself to fonts and pens: a DC and a resolution.
class FakePrinter : public TComponent {
public:
    using TComponent::TComponent;
    static inline int64_t dc = 0;
    static inline int64_t dpi = 600;
    static const rt::Class& classRecord() {
        static const rt::Class& c = []() -> const rt::Class& {
            VPClass b("FakePrinter", &TComponent::classRecord(), rt::factoryOf<FakePrinter>());
            b.addMethod("lPreview", [](rt::Object&, const rt::Method&, rt::Args) { return Value(false); });
            b.addMethod("hDC", [](rt::Object&, const rt::Method&, rt::Args) { return Value(dc); });
            b.addMethod("Resolution", [](rt::Object&, const rt::Method&, rt::Args) {
                return Value::array({Value(dpi), Value(dpi)});
            });
            return b.create();
        }();
        return c;
    }
};

class FontTest : public ::testing::Test {
protected:
    void SetUp() override {
        registerGraphics();
        rt::publicVar("Application") = Value();
    }
    static Value newFont() { return rt::send((*rt::findFunction("TFONT"))({}), "New"); }
    static std::shared_ptr<XFont> font(const Value& v) { return rt::objectAs<XFont>(v); }
    static int64_t handle(const Value& f) { return rt::send(f, "Handle").asInteger(); }
    FakePort port;
};

TEST(FontArithmetic, SizesHeightsAndRounding) {
    struct Case {
        double size;
        int64_t dpi, scale;
        bool printer;
        int64_t height, precision;
    } cases[] = {
        {8, 96, 100, false, -11, 0},  // 10.67 rounds to 11
        {8, 96, 125, false, -13, 7},  // scaled fonts ask for TrueType output
        {8, 96, 0, false, -11, 0},    // no scale means 100
        {10, 600, 100, true, -83, 0},
        {10, 0, 100, true, 0, 0},     // no printer: the face's default height
        {9, 120, 100, false, -15, 0},
    };
    for (const Case& c : cases) {
        gfx::FontFields f;
        f.size = c.size;
        f.width = 5;
        const gfx::LogFont lf = gfx::makeLogFont(f, {c.printer, c.dpi, c.scale});
        EXPECT_EQ(lf.height, c.height) << c.size << " at " << c.dpi;
        EXPECT_EQ(f.height, c.height);
        EXPECT_EQ(f.width, 0) << "a point size resets the width";
        EXPECT_EQ(lf.outPrecision, c.precision);
    }
    EXPECT_EQ(gfx::mulDiv(5, 3, 2), 8);    // 7.5 away from zero
    EXPECT_EQ(gfx::mulDiv(-5, 3, 2), -8);
    EXPECT_EQ(gfx::mulDiv(1, 1, 0), -1);
    EXPECT_EQ(gfx::heightToSize(-11, 96), 8);
    EXPECT_EQ(gfx::heightToSize(-83, 0), 0) << "no resolution must not give -1";
    EXPECT_EQ(gfx::sizeToHeight(8, 96), -11);
}

TEST(FontArithmetic, FaceNameIsCutToWhatTheRecordHolds) {
    gfx::FontFields f;
    f.name = std::string(40, 'A');
    EXPECT_EQ(gfx::makeLogFont(f, {}).faceName.size(), 31u);
    f.weight = 699;
    gfx::makeLogFont(f, {});
    EXPECT_FALSE(f.bold);
    f.weight = 700;
    gfx::makeLogFont(f, {});
    EXPECT_TRUE(f.bold);
}

TEST(FontText, SavedTextRoundTripsAndRejectsShortTexts) {
    gfx::FontFields f;
    f.height = -11;
    EXPECT_EQ(gfx::saveToText(f), "MS Sans Serif,8,0,-11,0,400,0,.F.,.F.,.F.,.F.,1");

    gfx::FontFields odd;
    odd.name = "Face, with commas, inside";
    odd.size = 0;
    odd.width = 6;
    odd.height = -20;
    odd.style = 5;
    odd.weight = 700;
    odd.orientation = 900;
    odd.bold = odd.strikeOut = true;
    odd.charSet = 238;
    auto back = gfx::restoreFromText(gfx::saveToText(odd));
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, odd);

    EXPECT_FALSE(gfx::restoreFromText("Arial,10"));
    EXPECT_FALSE(gfx::restoreFromText(""));
    // Only exactly ".T." is true.
    auto flags = gfx::restoreFromText("A,8,0,0,0,400,0,.t.,T,.T.,.F.,1");
    ASSERT_TRUE(flags);
    EXPECT_FALSE(flags->bold);
    EXPECT_FALSE(flags->italic);
    EXPECT_TRUE(flags->underline);
}

TEST(FontText, NamesAreFilteredDedupedAndSortedOnRequest) {
    const std::vector<gfx::FontEntry> entries = {
        {"Tahoma", 4}, {"Arial", 4}, {"System", 1}, {"Arial", 4}, {"Courier", 2}};
    EXPECT_EQ(gfx::fontNames(entries, 7, true), (std::vector<std::string>{"Arial", "Courier", "System", "Tahoma"}));
    EXPECT_EQ(gfx::fontNames(entries, 7, false), (std::vector<std::string>{"Tahoma", "Arial", "System", "Courier"}));
    EXPECT_EQ(gfx::fontNames(entries, 4, true), (std::vector<std::string>{"Arial", "Tahoma"}));
}

TEST_F(FontTest, SaveToTextOfACreatedDefaultFontAndRestoreOnAnother) {
    Value a = rt::send(newFont(), "Create");
    const std::string text = rt::send(a, "SaveToText").asString();
    EXPECT_EQ(text, "MS Sans Serif,8,0,-11,0,400,0,.F.,.F.,.F.,.F.,1");

    Value b = rt::send(newFont(), "Create", {"Arial", 12, 1, 700});
    const int64_t before = handle(b);
    EXPECT_TRUE(rt::send(b, "RestoreFromText", {text}).asLogical());
    EXPECT_EQ(rt::send(b, "SaveToText").asString(), text);
    EXPECT_NE(handle(b), before) << "a created font is re-created with the restored values";
    EXPECT_EQ(port.fonts.back().faceName, "MS Sans Serif");
    EXPECT_EQ(port.fonts.back().height, -11);

    EXPECT_FALSE(rt::send(b, "RestoreFromText", {"Arial,10"}).asLogical());
    EXPECT_EQ(rt::send(b, "SaveToText").asString(), text);
}

TEST_F(FontTest, PropertiesStoreBeforeCreateAndRecreateAfter) {
    Value f = newFont();
    rt::send(f, "_lItalic", {true});
    rt::send(f, "_nSize", {10});
    EXPECT_EQ(handle(f), 0) << "no handle before Create";
    EXPECT_TRUE(port.calls.empty());
    EXPECT_EQ(rt::send(f, "nStyle").asInteger(), 1);

    rt::send(f, "Create");
    const int64_t first = handle(f);
    rt::send(f, "_lUnderline", {true});
    EXPECT_NE(handle(f), first);
    EXPECT_EQ(rt::send(f, "nStyle").asInteger(), 3);
    EXPECT_TRUE(port.fonts.back().italic);
    EXPECT_TRUE(port.fonts.back().underline);
    rt::send(f, "_lItalic", {false});
    EXPECT_EQ(rt::send(f, "nStyle").asInteger(), 2) << "only the italic bit is cleared";

    rt::send(f, "_nWeight", {699});
    EXPECT_FALSE(rt::send(f, "lBold").asLogical());
    rt::send(f, "_nWeight", {700});
    EXPECT_TRUE(rt::send(f, "lBold").asLogical());
    rt::send(f, "_lBold", {false});
    EXPECT_EQ(rt::send(f, "nWeight").asInteger(), 400);
    EXPECT_EQ(port.fonts.back().weight, 400);
    EXPECT_EQ(port.live.size(), 1u) << "each re-creation deleted the handle it replaced";
}

TEST_F(FontTest, ExplicitWidthAndHeightKeepSizeZero) {
    Value f = rt::send(newFont(), "Create", {"Courier New", Value::array({0, -20})});
    EXPECT_EQ(rt::send(f, "nSize").asInteger(), 0);
    EXPECT_EQ(rt::send(f, "nHeight").asInteger(), -20);
    EXPECT_EQ(port.fonts.back().height, -20);
}

TEST_F(FontTest, CompareIgnoresSizeAndCharacterSet) {
    Value a = rt::send(newFont(), "Create", {"Arial", 10});
    Value b = rt::send(newFont(), "Create", {"Arial", 10});
    rt::send(b, "_nCharSet", {238});
    EXPECT_TRUE(rt::send(a, "Compare", {b}).asLogical());
    rt::send(b, "_nStyle", {1});
    EXPECT_FALSE(rt::send(a, "Compare", {b}).asLogical());
    EXPECT_FALSE(rt::send(a, "Compare").asLogical());
}

TEST_F(FontTest, ScaledApplicationFontsFollowTheScale) {
    // The application object answers nFontScale; 125 percent at 96 dots.
    VPClass b("FakeApplication", &TComponent::classRecord(), rt::factoryOf<TComponent>());
    b.addMethod("nFontScale", [](rt::Object&, const rt::Method&, rt::Args) { return Value(125); });
    const rt::Class& app = b.create();
    rt::publicVar("Application") = Value(app.instantiate());
    Value f = rt::send(newFont(), "Create");
    EXPECT_EQ(rt::send(f, "nHeight").asInteger(), -13);
    EXPECT_EQ(port.fonts.back().outPrecision, 7);
    rt::publicVar("Application") = Value();
}

TEST_F(FontTest, PrinterFontsMeasureOnThePrinterAndClonesKeepTheirDevice) {
    FakePrinter::dc = 9000;
    port.dpiOfDC[9000] = 600;
    Value printer(FakePrinter::classRecord().instantiate());
    Value f = rt::send(newFont(), "Create", {"Arial", 10, Value(), Value(), Value(), printer});
    EXPECT_EQ(rt::send(f, "nHeight").asInteger(), -83);

    Value copy = rt::send(f, "Clone");
    EXPECT_TRUE(rt::send(copy, "oDevice").sameAs(printer)) << "a copy stays a printer font";
    EXPECT_EQ(rt::send(copy, "nHeight").asInteger(), -83);

    // The Screen object as device is the screen, not a printer.
    Value screen(TScreen::classRecord().instantiate());
    Value onScreen = rt::send(newFont(), "Create", {"Arial", 8, Value(), Value(), Value(), screen});
    EXPECT_EQ(rt::send(onScreen, "nHeight").asInteger(), -11);

    // No printer DC and no way to make one: the face's default height.
    FakePrinter::dc = 0;
    Value g = rt::send(newFont(), "Create", {"Arial", 10, Value(), Value(), Value(), printer});
    EXPECT_EQ(rt::send(g, "nHeight").asInteger(), 0);
}

TEST_F(FontTest, SharedFontLivesUntilItsLastUserAndNeverLosesAHandleInUse) {
    Value shared = rt::send(newFont(), "Create", {"Arial", 10});
    auto f = font(shared);
    f->addUser();  // two controls take the font
    f->addUser();
    const intptr_t inUse = f->Handle();

    // A property change while shared: the controls' windows may still draw with the old handle.
    rt::send(shared, "_nSize", {12});
    EXPECT_NE(f->Handle(), inUse);
    EXPECT_TRUE(port.live.count(inUse)) << "the handle still selected in the controls was deleted";
    EXPECT_EQ(f->nCount(), 2) << "re-creating must not change the use count";

    rt::send(shared, "End");  // the first control ends
    EXPECT_EQ(f->nCount(), 1);
    EXPECT_NE(f->Handle(), 0);
    EXPECT_TRUE(port.live.count(f->Handle()));

    rt::send(shared, "End");  // the last one
    EXPECT_EQ(f->Handle(), 0);
    EXPECT_TRUE(port.live.empty()) << "every handle, old and current, is released with the last user";
    EXPECT_TRUE(port.deletedTwice.empty());
    rt::send(shared, "End");  // nothing left to do
    EXPECT_TRUE(port.deletedTwice.empty());
    EXPECT_EQ(f->nCount(), 0);
}

TEST_F(FontTest, UnsharedFontIsFreedByItsFirstDestroyAndCountNeverGoesNegative) {
    Value lone = rt::send(newFont(), "Create");
    rt::send(lone, "Destroy");
    EXPECT_EQ(handle(lone), 0);
    EXPECT_TRUE(port.live.empty());

    // Made again and then taken by two controls: the first one's end must not free it.
    rt::send(lone, "Create");
    font(lone)->addUser();
    font(lone)->addUser();
    rt::send(lone, "Destroy");
    EXPECT_NE(handle(lone), 0);
    rt::send(lone, "Destroy");
    EXPECT_EQ(handle(lone), 0);
    EXPECT_TRUE(port.live.empty());
}

TEST_F(FontTest, TextSizeUsesTheFontHandle) {
    Value f = rt::send(newFont(), "Create");
    const rt::ArrayPtr size = rt::send(f, "GetTextSize", {"abc"}).asArray();
    EXPECT_EQ(size->at1(1).asInteger(), 21);
    EXPECT_EQ(size->at1(2).asInteger(), 13);
    EXPECT_EQ(rt::send(f, "GetTextWidth", {"abcd"}).asInteger(), 28);
}

}  // namespace
}  // namespace vorpex::testing
