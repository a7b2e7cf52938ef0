// The Screen object over a scripted display: the singleton, the figures it copies, the monitor list and its
// look-up, and the device context and cursors it owns.
#include <gtest/gtest.h>

#include <vector>

#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/screen/screen.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {
namespace {

using rt::Value;

class FakeDisplay final : public DisplaySource {
public:
    std::vector<MonitorFacts> monitorList;
    intptr_t nextDC = 500;
    std::vector<intptr_t> deleted;
    intptr_t windowMonitor = 0;

    ScreenMetrics metrics() override { return {77, {0, 0, 1280, 994}, 1280, 1024, 15}; }
    std::optional<DisplayCaps> caps() override { return DisplayCaps{96, 97, 24, 1, 1280, 1024, 338, 270}; }
    std::vector<intptr_t> monitors() override {
        std::vector<intptr_t> out;
        for (const MonitorFacts& m : monitorList) out.push_back(m.handle);
        return out;
    }
    std::optional<MonitorFacts> monitorInfo(intptr_t h) override {
        for (const MonitorFacts& m : monitorList)
            if (m.handle == h) return m;
        return std::nullopt;
    }
    intptr_t monitorFromWindow(intptr_t, int) override { return windowMonitor; }
    intptr_t createDisplayDC() override { return nextDC++; }
    bool deleteDC(intptr_t dc) override {
        deleted.push_back(dc);
        return true;
    }
};

// Stands in for the cursor class of the graphics library: remembers what it was made from and its Destroy.
class ProbeCursor : public TComponent {
public:
    using TComponent::TComponent;
    static inline int destroyed = 0;
    static const rt::Class& classRecord() {
        static const rt::Class& c = []() -> const rt::Class& {
            VPClass b("ProbeCursor", &TComponent::classRecord(), rt::factoryOf<ProbeCursor>());
            b.addData("cName");
            b.addMethod("New", [](rt::Object& self, const rt::Method&, rt::Args a) {
                self.field(self.objectClass().fieldPosition("cName")) = rt::arg(a, 0);
                return Value(self.self());
            });
            b.addMethod("Destroy", [](rt::Object& self, const rt::Method&, rt::Args) {
                ++destroyed;
                return Value(self.self());
            });
            return b.create();
        }();
        return c;
    }
};

class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        rt::publicVar("Screen") = Value();
        display.monitorList = {{11, "\\\\.\\DISPLAY1", false, {1280, 0, 2560, 1024}, {1280, 0, 2560, 1000}},
                               {22, "\\\\.\\DISPLAY2", true, {0, 0, 1280, 1024}, {0, 0, 1280, 994}}};
        setDisplaySource(&display);
        registerScreen();
        rt::registerFunction("TCURSOR", [](rt::Args) { return Value(ProbeCursor::classRecord().instantiate()); });
        ProbeCursor::destroyed = 0;
    }
    void TearDown() override {
        setDisplaySource(nullptr);
        rt::publicVar("Screen") = Value();
        rt::registerFunction("TCURSOR", [](rt::Args) { return Value(); });
    }
    std::shared_ptr<XScreen> initialize() {
        Value made = rt::send(rt::findFunction("TSCREEN")->operator()({}), "Initialize");
        return rt::objectAs<XScreen>(made);
    }
    static int64_t number(const Value& o, const char* message) { return rt::send(o, message).asInteger(); }

    FakeDisplay display;
};

TEST_F(ScreenTest, InitializeMakesOneScreenWithTheDisplayFigures) {
    auto screen = initialize();
    ASSERT_TRUE(screen);
    EXPECT_TRUE(rt::publicVar("Screen").sameAs(Value(rt::ObjectPtr(screen))));
    // A second Initialize answers the existing object.
    EXPECT_EQ(initialize(), screen);

    const Value s{rt::ObjectPtr(screen)};
    struct Case {
        const char* message;
        int64_t expected;
    } cases[] = {{"nWidth", 1280},       {"nHeight", 1024},     {"nClientLeft", 0},  {"nClientTop", 0},
                 {"nClientWidth", 1280}, {"nClientHeight", 994}, {"nCaptionHeight", 15},
                 {"nPixelsPerInch", 96}, {"nBitsPerPixel", 24}, {"nColorPlanes", 1}, {"Handle", 77}};
    for (const Case& c : cases) EXPECT_EQ(number(s, c.message), c.expected) << c.message;

    auto items = [&](const char* message) {
        std::vector<int64_t> out;
        const rt::ArrayPtr list = rt::send(s, message).asArray();
        for (const Value& v : list->items) out.push_back(v.asInteger());
        return out;
    };
    EXPECT_EQ(items("Resolution"), (std::vector<int64_t>{96, 97}));
    EXPECT_EQ(items("PaperRes"), (std::vector<int64_t>{1280, 1024}));
    EXPECT_EQ(items("PaperSize"), (std::vector<int64_t>{3380, 2700}));
    EXPECT_EQ(items("PaperPhysicalSize"), (std::vector<int64_t>{3380, 2700}));
    EXPECT_EQ(items("PhysicalOffset"), (std::vector<int64_t>{0, 0}));
}

TEST_F(ScreenTest, MonitorsAreListedOnceWithOnePrimary) {
    auto screen = initialize();
    screen->GetValues({});  // a second reading replaces the list
    EXPECT_EQ(screen->nMonitors(), 2);
    auto list = screen->aMonitors().asArray();
    ASSERT_EQ(list->size(), 2u);
    int primaries = 0;
    for (const Value& m : list->items) primaries += rt::send(m, "lPrimary").asLogical();
    EXPECT_EQ(primaries, 1);
    const Value first = list->items[0];
    EXPECT_EQ(rt::send(first, "cName").asString(), "\\\\.\\DISPLAY1");
    EXPECT_EQ(number(first, "nLeft"), 1280);
    EXPECT_EQ(number(first, "nWidth"), 1280);
    EXPECT_EQ(number(first, "nClientHeight"), 1000);
}

TEST_F(ScreenTest, MonitorLookUpFallsBackToTheFirstAndIsNilForNoMonitors) {
    auto screen = initialize();
    auto list = screen->aMonitors().asArray();
    display.windowMonitor = 22;
    EXPECT_TRUE(screen->monitorOfWindow(1).sameAs(list->items[1]));
    display.windowMonitor = 99;  // on no listed monitor
    EXPECT_TRUE(screen->monitorOfWindow(1).sameAs(list->items[0]));
    // Enumeration found nothing: no entry to fall back on.
    EXPECT_TRUE(pickMonitor(Value::array(), 22).isNil());
    EXPECT_TRUE(pickMonitor(Value(), 22).isNil());
}

TEST_F(ScreenTest, CreateDCReleasesTheEarlierDCAndEndReleasesEverything) {
    auto screen = initialize();
    const Value s{rt::ObjectPtr(screen)};
    EXPECT_EQ(number(s, "CreateDC"), 500);
    EXPECT_EQ(number(s, "CreateDC"), 501);
    EXPECT_EQ(display.deleted, (std::vector<intptr_t>{500}));

    EXPECT_EQ(rt::send(screen->oCursorArrow(), "cName").asInteger(), 32512);
    EXPECT_EQ(rt::send(screen->oCursorDropYes(), "cName").asString(), "VP_CUR_DRAG");
    EXPECT_EQ(rt::send(screen->oCursorDropNo(), "cName").asInteger(), 32648);
    rt::send(s, "End");
    EXPECT_EQ(ProbeCursor::destroyed, 3);
    EXPECT_EQ(display.deleted, (std::vector<intptr_t>{500, 501}));
    EXPECT_EQ(screen->hDC(), 0);
}

TEST_F(ScreenTest, WithoutACursorClassTheScreenStillStarts) {
    rt::registerFunction("TCURSOR", [](rt::Args) { return Value(); });
    auto screen = initialize();
    ASSERT_TRUE(screen);
    EXPECT_TRUE(screen->oCursorArrow().isNil());
    rt::send(Value(rt::ObjectPtr(screen)), "End");
}

}  // namespace
}  // namespace vorpex
