// The image list over the record-keeping port: numbering from 1, the size taken from the first bitmap, what
// the owner is told and when, re-creation from the remembered images, index checks, handles that are no
// longer lists, and the stream files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fake_image_list_port.h"
#include "framework/core/object/vp_class.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/image_list/image_list.h"
#include "framework/graphics/image_list/image_list_port.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex::testing {
namespace {

using rt::Value;

// An owner that records what its image list tells it.
std::vector<std::string> g_told;

class XListOwner : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord() {
        static const rt::Class& c = []() -> const rt::Class& {
            VPClass b("XImageListOwner", &TComponent::classRecord(), rt::factoryOf<XListOwner>());
            b.addMethod("VPNotify", [](rt::Object&, const rt::Method&, rt::Args a) -> Value {
                g_told.push_back("notify " + std::to_string(rt::arg(a, 0).asInteger()));
                return {};
            });
            for (const char* m : {"InsertComponent", "RemoveComponent"})
                b.addMethod(m, [m](rt::Object&, const rt::Method&, rt::Args) -> Value {
                    g_told.push_back(m);
                    return {};
                });
            return b.create();
        }();
        return c;
    }
};

class ImageListTest : public ::testing::Test {
protected:
    void SetUp() override {
        registerGraphics();
        g_told.clear();
        owner = Value(XListOwner::classRecord().instantiate());
    }
    Value newList(std::vector<Value> args = {}) {
        return rt::send((*rt::findFunction("TIMAGELIST"))({}), rt::Symbol::intern("New"), args);
    }
    intptr_t handle(const Value& list) { return static_cast<intptr_t>(rt::send(list, "Handle").asInteger()); }
    std::vector<std::string> images(const Value& list) { return port.lists.at(handle(list)).images; }
    std::vector<Value> bitmaps(const Value& list) { return rt::send(list, "aBitmaps").asArray()->items; }
    static int64_t num(const Value& v) { return v.asInteger(); }

    FakeImageListPort port;
    Value owner;
};

TEST_F(ImageListTest, TheFirstBitmapDecidesTheSizeAndTheOwnerIsToldOnce) {
    Value list = newList({owner});
    EXPECT_EQ(port.calls.front(), "create 1x1 33 0 4");
    EXPECT_EQ(g_told, (std::vector<std::string>{"InsertComponent"}));

    EXPECT_EQ(num(rt::send(list, "Add", {"glyph24"})), 1);
    EXPECT_EQ(num(rt::send(list, "nWidth")), 24);
    EXPECT_EQ(num(rt::send(list, "nHeight")), 24);
    EXPECT_EQ(num(rt::send(list, "Add", {"glyph24", true})), 2);
    EXPECT_EQ(num(rt::send(list, "Add", {"NO_SUCH_IMAGE"})), 0);  // neither a resource nor a file
    EXPECT_EQ(g_told, (std::vector<std::string>{"InsertComponent", "notify 1"}));
    EXPECT_EQ(images(list), (std::vector<std::string>{"glyph24", "glyph24 greyed"}));
    // Every image given is remembered, the failed one too, for the next Create.
    ASSERT_EQ(bitmaps(list).size(), 3u);
    EXPECT_TRUE(bitmaps(list)[1].asArray()->items[1].asLogical());

    // A bitmap with no size gives 16 by 16.
    Value other = newList();
    EXPECT_EQ(num(rt::send(other, "Add", {"strip"})), 1);
    EXPECT_EQ(num(rt::send(other, "nWidth")), 16);
}

TEST_F(ImageListTest, ImagesAddedWithoutAListWaitForCreate) {
    Value list = newList({owner, 16, 16});
    rt::send(list, "Add", {500});
    rt::send(list, "Destroy");
    EXPECT_EQ(handle(list), 0);
    EXPECT_TRUE(port.lists.empty());
    EXPECT_EQ(g_told.back(), "RemoveComponent");

    EXPECT_EQ(num(rt::send(list, "Add", {"glyph24", true})), -1);
    EXPECT_EQ(bitmaps(list).size(), 2u);
    rt::send(list, "Create");
    EXPECT_EQ(images(list), (std::vector<std::string>{"500", "glyph24 greyed"}));
    EXPECT_EQ(g_told.back(), "InsertComponent");

    // A second Create rebuilds the images of the same list.
    const intptr_t same = handle(list);
    rt::send(list, "Create");
    EXPECT_EQ(handle(list), same);
    EXPECT_EQ(images(list).size(), 2u);
}

TEST_F(ImageListTest, BitmapsGivenByHandleSurviveASecondCreate) {
    Value list = newList({owner, 16, 16});
    EXPECT_EQ(num(rt::send(list, "Add", {501})), 1);
    EXPECT_FALSE(port.liveBitmap(501)) << "the list deleted the bitmap it was given";
    rt::send(list, "Create");
    EXPECT_EQ(images(list), (std::vector<std::string>{"501"})) << "rebuilt from the copy it kept";
    rt::send(list, "Create");
    EXPECT_EQ(images(list), (std::vector<std::string>{"501"}));
    // A handle number used again is not taken for the bitmap it once was.
    Value other = newList({owner, 16, 16});
    EXPECT_EQ(num(rt::send(other, "Add", {501})), 0);
    const size_t deleted = port.deletedBitmaps.size();
    rt::send(list, "End");
    EXPECT_GT(port.deletedBitmaps.size(), deleted) << "the kept copy goes with the list";
}

TEST_F(ImageListTest, AHandleThatIsNoLongerAListIsNoList) {
    Value list = newList();
    port.lists.clear();  // destroyed behind the object's back
    EXPECT_EQ(num(rt::send(list, "Add", {"glyph24"})), -1);
    EXPECT_EQ(num(rt::send(list, "AddIcon", {"app.ico"})), 0);
    EXPECT_FALSE(rt::send(list, "Remove", {1}).asLogical());
    EXPECT_EQ(rt::send(list, "GetIconSize").asArray()->items[0].asInteger(), 0);
    rt::send(list, "Create");  // makes a new one and fills it
    EXPECT_EQ(images(list), (std::vector<std::string>{"glyph24"}));
}

TEST_F(ImageListTest, RemovingTellsTheOwnerWhenTheListIsEmpty) {
    Value list = newList({owner});
    rt::send(list, "Add", {"glyph24"});
    // 0 would be the platform's "every image"; only images that exist are removed.
    for (int bad : {0, -1, 2}) EXPECT_FALSE(rt::send(list, "Remove", {bad}).asLogical()) << bad;
    EXPECT_EQ(images(list).size(), 1u);

    EXPECT_TRUE(rt::send(list, "Remove", {1}).asLogical());
    EXPECT_EQ(g_told.back(), "notify 2");
    EXPECT_EQ(bitmaps(list).size(), 1u);  // Remove leaves the remembered images

    g_told.clear();
    EXPECT_EQ(num(rt::send(list, "Add", {500})), 1);
    EXPECT_EQ(num(rt::send(list, "Add", {501})), 2);
    EXPECT_TRUE(rt::send(list, "Remove", {1}).asLogical());
    EXPECT_TRUE(rt::send(list, "RemoveAll").asLogical());
    EXPECT_EQ(g_told, (std::vector<std::string>{"notify 1", "notify 2"}));
    EXPECT_TRUE(bitmaps(list).empty());
}

TEST_F(ImageListTest, ANewSizeEmptiesTheListButKeepsTheRememberedImages) {
    Value list = newList();
    rt::send(list, "Add", {"glyph24"});
    rt::send(list, "_nHeight", {32});
    EXPECT_EQ(port.lists.at(handle(list)).height, 32);
    EXPECT_EQ(port.lists.at(handle(list)).width, 24);
    EXPECT_TRUE(images(list).empty());
    EXPECT_EQ(bitmaps(list).size(), 1u);

    rt::send(list, "Destroy");
    EXPECT_TRUE(rt::send(list, "SetIconSize", {48}).asLogical());  // no list: stored only
    EXPECT_EQ(num(rt::send(list, "nWidth")), 48);
}

TEST_F(ImageListTest, IconsAreAskedAtTheListSizeOrTheDefault) {
    Value list = newList({owner});
    EXPECT_EQ(num(rt::send(list, "AddIcon", {"app.ico", 3})), 1);
    EXPECT_EQ(port.calls.back(), "icon app.ico 3 0x0");  // 1 by 1: the default size
    EXPECT_EQ(g_told.back(), "notify 1");
    rt::send(list, "SetIconSize", {20, 20});
    EXPECT_EQ(num(rt::send(list, "AddIcon", {"none.ico"})), 0);
    EXPECT_EQ(port.calls.back(), "icon none.ico 0 20x20");
    EXPECT_EQ(num(rt::send(list, "AddMasked", {"glyph24", 0xFF00FF})), 1);
}

TEST_F(ImageListTest, ImageNumbersAreCheckedBeforeTheyReachTheList) {
    Value list = newList();
    rt::send(list, "Add", {500});
    rt::send(list, "Add", {501});

    EXPECT_TRUE(rt::send(list, "Swap", {1, 2}).asLogical());
    EXPECT_EQ(images(list), (std::vector<std::string>{"501", "500"}));
    EXPECT_TRUE(rt::send(list, "Copy", {2, 1}).asLogical());
    EXPECT_EQ(images(list), (std::vector<std::string>{"501", "501"}));
    EXPECT_TRUE(rt::send(list, "Draw", {2, 9, 0, 0, 0}).asLogical());
    EXPECT_EQ(port.calls.back(), "draw 1");
    EXPECT_EQ(num(rt::send(list, "GetIcon", {1})), 77);
    EXPECT_EQ(port.calls.back(), "get icon 0");

    const size_t before = port.calls.size();
    for (int bad : {0, 3}) {
        EXPECT_FALSE(rt::send(list, "Swap", {1, bad}).asLogical());
        EXPECT_FALSE(rt::send(list, "Copy", {bad, 1}).asLogical());
        EXPECT_FALSE(rt::send(list, "Draw", {bad, 9, 0, 0, 0}).asLogical());
        EXPECT_FALSE(rt::send(list, "DrawEx", {bad, 9, 0, 0, 0, 0, 0}).asLogical());
        EXPECT_EQ(num(rt::send(list, "GetIcon", {bad})), 0);
        EXPECT_EQ(num(rt::send(list, "GetBitmap", {bad})), 0);
    }
    EXPECT_EQ(port.calls.size(), before);
}

TEST_F(ImageListTest, WriteReadAndTheBareBitmapFile) {
    const auto folder = std::filesystem::temp_directory_path();
    const std::string whole = (folder / "vp_imagelist_whole.bin").string();
    const std::string bare = (folder / "vp_imagelist_bare.bin").string();
    Value list = newList();
    rt::send(list, "Add", {"glyph24"});
    rt::send(list, "Add", {500});
    ASSERT_TRUE(rt::send(list, "Write", {whole}).asLogical());
    ASSERT_TRUE(rt::send(list, "WriteBitmap", {bare}).asLogical());
    EXPECT_EQ(std::filesystem::file_size(whole), std::filesystem::file_size(bare) + 28);

    // Files that are missing or hold no list change nothing.
    const intptr_t before = handle(list);
    for (const std::string& file : {(folder / "vp_imagelist_missing.bin").string(), bare})
        EXPECT_FALSE(rt::send(list, "Read", {file}).asLogical()) << file;
    EXPECT_EQ(handle(list), before);
    EXPECT_EQ(bitmaps(list).size(), 2u);

    Value other = newList({Value(), 16, 16});
    rt::send(other, "Add", {501});
    const intptr_t old = handle(other);
    ASSERT_TRUE(rt::send(other, "Read", {whole}).asLogical());
    EXPECT_FALSE(port.lists.count(old));  // the old list is destroyed
    EXPECT_EQ(images(other), (std::vector<std::string>{"glyph24", "500"}));
    EXPECT_EQ(num(rt::send(other, "nWidth")), 24);
    EXPECT_TRUE(bitmaps(other).empty());

    rt::send(list, "Destroy");
    EXPECT_FALSE(rt::send(list, "Write", {whole}).asLogical());
    std::filesystem::remove(whole);
    std::filesystem::remove(bare);
}

TEST_F(ImageListTest, FunctionsByName) {
    struct Case {
        int64_t bits, flags;
    } cases[] = {{1, 4}, {4, 4}, {8, 8}, {15, 16}, {16, 16}, {24, 24}, {32, 24}};
    for (const Case& c : cases) EXPECT_EQ(gfx::colorFlagsForScreen(c.bits), c.flags) << c.bits;

    auto call = [](const char* name, const std::vector<Value>& args) { return (*rt::findFunction(name))(args); };
    port.colorBits = 8;
    const Value list = call("IMAGELIST_CREATE", {16, 16, Value(), 0, 4});
    EXPECT_EQ(port.calls.back(), "create 16x16 8 0 4");
    EXPECT_EQ(num(call("IMAGELIST_ADD", {list, 500})), 1);
    EXPECT_EQ(num(call("IMAGELIST_ADD", {list, "NO_SUCH_IMAGE"})), 0);
    EXPECT_EQ(num(call("IMAGELIST_ADD", {12345, 500})), 0);  // not a list
    EXPECT_EQ(num(call("IMAGELIST_GETICON", {list, 1})), 77);
    EXPECT_EQ(port.calls.back(), "get icon 0");
    EXPECT_TRUE(call("IMAGELIST_DESTROY", {list}).asLogical());
    EXPECT_FALSE(call("IMAGELIST_DESTROY", {list}).asLogical());
}

}  // namespace
}  // namespace vorpex::testing
