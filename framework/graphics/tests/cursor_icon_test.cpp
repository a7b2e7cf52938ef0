// Cursors and icons over the recording port: what a name loads, the load and destroy states, shared
// system images, and reloading under a new name.
#include <gtest/gtest.h>

#include "fake_port.h"
#include "framework/graphics/cursor/cursor.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/icon/icon.h"
#include "framework/graphics/image_name.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex::testing {
namespace {

using rt::Value;
using gfx::ImageSource;

class CursorIconTest : public ::testing::Test {
protected:
    void SetUp() override { registerGraphics(); }
    static Value bare(const char* cls) { return (*rt::findFunction(cls))({}); }
    static int64_t handle(const Value& o) { return rt::send(o, "Handle").asInteger(); }
    FakePort port;
};

TEST(ImageName, NumbersTextsAndFiles) {
    struct Case {
        Value name;
        ImageSource expected;
    } cases[] = {{32649, ImageSource::System},       {"VP_CUR_DRAG", ImageSource::Resource},
                 {"drag.cur", ImageSource::File},    {"c:\\x\\arrow.ani", ImageSource::File},
                 {"", ImageSource::None},            {Value(), ImageSource::None},
                 {true, ImageSource::None}};
    for (const Case& c : cases) EXPECT_EQ(gfx::imageSource(c.name), c.expected) << c.name.typeCode();
}

TEST_F(CursorIconTest, CursorsLoadByNameKindAndForgetTheirNameOnDestroy) {
    struct Case {
        Value name;
        const char* loader;  // nullptr: nothing found
    } cases[] = {{32649, "system cursor"},
                 {"VP_CUR_SPLITTERH", "resource cursor VP_CUR_SPLITTERH"},
                 {"drag.cur", "cursor file drag.cur"},
                 {"NO_SUCH_CURSOR", nullptr}};
    int destroyed = 0;
    for (const Case& c : cases) {
        for (const auto& call : port.calls) destroyed += call.what == "destroy cursor";
        port.calls.clear();
        Value cursor = rt::send(bare("TCURSOR"), "New", {c.name});
        if (!c.loader) {
            EXPECT_EQ(handle(cursor), 0);
            continue;
        }
        EXPECT_NE(handle(cursor), 0);
        EXPECT_EQ(port.calls.front().what, c.loader);
        rt::send(cursor, "Destroy");
        EXPECT_EQ(handle(cursor), 0);
        EXPECT_EQ(rt::send(cursor, "cName").asString(), "");
    }
    // Only the file cursor was the program's to destroy; the others are shared system images.
    for (const auto& call : port.calls) destroyed += call.what == "destroy cursor";
    EXPECT_EQ(destroyed, 1);
    EXPECT_TRUE(port.deletedTwice.empty());
}

TEST_F(CursorIconTest, ReloadingKeepsTheNameAndSettingTheNameLoads) {
    Value cursor = rt::send(bare("TCURSOR"), "New", {"a.cur"});
    const int64_t first = handle(cursor);
    rt::send(cursor, "Load");  // no argument: the same file again, not an empty cursor
    EXPECT_NE(handle(cursor), 0);
    EXPECT_NE(handle(cursor), first);
    EXPECT_EQ(rt::send(cursor, "cName").asString(), "a.cur");
    EXPECT_FALSE(port.live.count(first));

    rt::send(cursor, "_cName", {"b.cur"});
    EXPECT_EQ(port.calls.back().what, "cursor file b.cur");
    Value copy = rt::send(cursor, "Clone");
    EXPECT_EQ(rt::send(copy, "cName").asString(), "b.cur");
    EXPECT_NE(handle(copy), handle(cursor));
    rt::send(cursor, "End");
    rt::send(copy, "End");
    EXPECT_TRUE(port.live.empty());
}

TEST_F(CursorIconTest, IconsLoadAtTheirSizeAndReloadUnderANewName) {
    Value icon = rt::send(bare("TICON"), "Create", {"VP_ICO_VORPEX", 16, 16});
    EXPECT_EQ(port.calls.back().what, "resource icon VP_ICO_VORPEX");
    EXPECT_EQ(port.calls.back().args, (std::vector<int64_t>{16, 16}));
    const int64_t first = handle(icon);

    // A loaded icon given a new name loads it (and keeps the name).
    rt::send(icon, "_cName", {"app.ico"});
    EXPECT_EQ(rt::send(icon, "cName").asString(), "app.ico");
    EXPECT_NE(handle(icon), 0);
    EXPECT_FALSE(port.live.count(first));
    EXPECT_EQ(port.calls.back().what, "icon file app.ico");

    EXPECT_TRUE(rt::send(icon, "Paint", {77, 10, 20, 42, 52}).asLogical());
    EXPECT_EQ(port.calls.back().args, (std::vector<int64_t>{77, 10, 20, handle(icon), 32, 32}));
    EXPECT_FALSE(rt::send(icon, "Paint", {0, 0, 0, 16, 16}).asLogical());

    // A file with no icon in it.
    rt::send(icon, "_cName", {"notes.txt"});
    EXPECT_EQ(handle(icon), 0);
    EXPECT_FALSE(rt::send(icon, "Paint", {77, 0, 0, 16, 16}).asLogical());
    EXPECT_TRUE(port.live.empty());
}

TEST_F(CursorIconTest, SystemIconsAreSharedAndNeverDestroyed) {
    Value icon = rt::send(bare("TICON"), "Create", {32512});
    EXPECT_EQ(port.calls.back().what, "system icon");
    EXPECT_NE(handle(icon), 0);
    rt::send(icon, "End");
    EXPECT_EQ(handle(icon), 0);
    for (const auto& call : port.calls) EXPECT_NE(call.what, "destroy icon");
}

}  // namespace
}  // namespace vorpex::testing
