// The enhanced metafile over a record-keeping port: a recording made, closed, replaced and dropped without
// leaking a context; loading (not twice, nothing left of a missing file); the header facts and nWidth; the
// description as one text.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "framework/core/object/vp_class.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/metafile/metafile.h"
#include "framework/graphics/metafile/metafile_port.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex::testing {
namespace {

using rt::Value;

// Contexts are 1000 up, metafiles 2000 up; files exist when listed. A metafile's header has the frame it was
// recorded with on a 4960 x 7016 pixel, 210 x 297 mm reference device.
class FakeMetafilePort final : public gfx::MetafilePort {
public:
    std::vector<intptr_t> openDcs, liveEmfs;
    std::map<intptr_t, gfx::EmfHeader> headers;
    std::vector<std::string> files;
    std::vector<std::string> calls;
    intptr_t nextDc = 1000, nextEmf = 2000;
    std::map<intptr_t, gfx::EmfHeader> recording;

    FakeMetafilePort() { gfx::setMetafilePort(this); }
    ~FakeMetafilePort() override { gfx::setMetafilePort(nullptr); }

    intptr_t record(intptr_t, const std::string&, int64_t width, int64_t height,
                    const std::string& description) override {
        openDcs.push_back(++nextDc);
        recording[nextDc] = {.type = 1, .bytes = 108, .frameWidth = width, .frameHeight = height, .version = 0x10000,
                             .records = 2, .description = gfx::readableDescription(description),
                             .devicePixelsX = 4960, .devicePixelsY = 7016, .deviceMillimetresX = 210,
                             .deviceMillimetresY = 297};
        return nextDc;
    }
    intptr_t close(intptr_t dc) override {
        auto it = std::find(openDcs.begin(), openDcs.end(), dc);
        if (it == openDcs.end()) return 0;
        openDcs.erase(it);
        return made(recording[dc]);
    }
    intptr_t made(const gfx::EmfHeader& h) {
        liveEmfs.push_back(++nextEmf);
        headers[nextEmf] = h;
        return nextEmf;
    }
    intptr_t load(const std::string& file) override {
        calls.push_back("load " + file);
        return made({.type = 1, .frameWidth = 500, .description = "loaded"});
    }
    bool remove(intptr_t emf) override {
        auto it = std::find(liveEmfs.begin(), liveEmfs.end(), emf);
        if (it == liveEmfs.end()) return false;
        liveEmfs.erase(it);
        return true;
    }
    bool play(intptr_t dc, intptr_t emf, int64_t left, int64_t top, int64_t right, int64_t bottom) override {
        calls.push_back("play " + std::to_string(dc) + " " + std::to_string(emf) + " " + std::to_string(left) + "," +
                        std::to_string(top) + "," + std::to_string(right) + "," + std::to_string(bottom));
        return true;
    }
    intptr_t copy(intptr_t emf, const std::string& file) override {
        calls.push_back("copy to " + (file.empty() ? std::string("memory") : file));
        return made(headers[emf]);
    }
    std::optional<gfx::EmfHeader> header(intptr_t emf) override {
        if (std::find(liveEmfs.begin(), liveEmfs.end(), emf) == liveEmfs.end()) return std::nullopt;
        return headers[emf];
    }
    bool fileExists(const std::string& file) override {
        return std::find(files.begin(), files.end(), file) != files.end();
    }
};

const rt::Class& applicationClass() {
    static const rt::Class& c = [] () -> const rt::Class& {
        VPClass b("FakeMetafileApplication", &TComponent::classRecord(), rt::factoryOf<TComponent>());
        b.addMethod("cTitle", [](rt::Object&, const rt::Method&, rt::Args) { return Value("Asistencias"); });
        return b.create();
    }();
    return c;
}

class MetafileTest : public ::testing::Test {
protected:
    void SetUp() override {
        registerGraphics();
        rt::publicVar("Application") = Value(applicationClass().instantiate());
    }
    void TearDown() override { rt::publicVar("Application") = Value(); }
    static Value newMetafile() { return (*rt::findFunction("TENHMETAFILE"))({}); }
    static Value send(const Value& o, const char* message, std::vector<Value> args = {}) {
        return rt::send(o, rt::Symbol::intern(message), args);
    }
    static int64_t num(const Value& o, const char* message) { return send(o, message).asInteger(); }
    static Value recorded(const char* title = "Pagina 1") {
        Value m = send(newMetafile(), "Create", {Value(int64_t{77}), Value(""), Value(int64_t{21000}),
                                                 Value(int64_t{29700}), Value(title)});
        return m;
    }

    FakeMetafilePort port;
};

TEST_F(MetafileTest, ARecordingClosesIntoAMetafileWithItsHeaderFacts) {
    Value m = recorded();
    EXPECT_NE(num(m, "hNewDC"), 0);
    EXPECT_EQ(num(m, "Handle"), 0);
    EXPECT_TRUE(send(m, "Close").asLogical());
    EXPECT_EQ(num(m, "hNewDC"), 0);
    EXPECT_NE(num(m, "Handle"), 0);
    EXPECT_EQ(num(m, "nMmsWidth"), 21000);
    EXPECT_EQ(num(m, "nMmsHeight"), 29700);
    EXPECT_EQ(num(m, "nRecords"), 2);
    EXPECT_EQ(send(m, "cDescription").asString(), "Asistencias#Pagina 1");
    EXPECT_EQ(num(m, "nWidth"), 4961);   // 21000 * 4960 / 21000 + 1
    EXPECT_EQ(num(m, "nHeight"), 7017);
    EXPECT_FALSE(send(m, "Close").asLogical()) << "nothing is recording any more";
    send(m, "Destroy");
    EXPECT_TRUE(port.liveEmfs.empty());
    EXPECT_EQ(num(m, "nWidth"), 0);
}

TEST_F(MetafileTest, ASecondRecordingEndsTheFirstAndReplacesTheMetafile) {
    Value m = recorded("one");
    send(m, "Close");
    send(m, "Create", {Value(int64_t{77}), Value(""), Value(int64_t{100}), Value(int64_t{100}), Value("two")});
    send(m, "Create", {Value(int64_t{77}), Value(""), Value(int64_t{100}), Value(int64_t{100}), Value("three")});
    EXPECT_EQ(port.openDcs.size(), 1u) << "the second recording's context was left open";
    EXPECT_TRUE(port.liveEmfs.empty()) << "earlier metafiles were kept";
    EXPECT_EQ(num(m, "Handle"), 0);
    EXPECT_EQ(num(m, "nMmsWidth"), 0) << "the facts of the dropped metafile stayed";
    send(m, "Close");
    EXPECT_EQ(send(m, "cDescription").asString(), "Asistencias#three");
    m = Value();
    EXPECT_TRUE(port.liveEmfs.empty()) << "a dropped object keeps its metafile";
}

TEST_F(MetafileTest, LoadingTheSameFileKeepsItAndAMissingFileLeavesNothing) {
    port.files = {"page.emf"};
    Value m = newMetafile();
    send(m, "Load", {Value("page.emf")});
    const int64_t handle = num(m, "Handle");
    EXPECT_NE(handle, 0);
    EXPECT_EQ(num(m, "nMmsWidth"), 500);
    send(m, "_cName", {Value("page.emf")});
    EXPECT_EQ(num(m, "Handle"), handle);
    EXPECT_EQ(port.calls, std::vector<std::string>{"load page.emf"});

    send(m, "Load", {Value("gone.emf")});
    EXPECT_EQ(num(m, "Handle"), 0);
    EXPECT_EQ(num(m, "nMmsWidth"), 0) << "facts of a metafile that is gone";
    EXPECT_EQ(send(m, "cDescription").asString(), "");
    EXPECT_EQ(send(m, "cName").asString(), "gone.emf");
    EXPECT_FALSE(send(m, "Paint", {Value(int64_t{5}), Value(int64_t{0}), Value(int64_t{0}), Value(int64_t{9}),
                                   Value(int64_t{9})}).asLogical());
    EXPECT_TRUE(port.liveEmfs.empty());
}

TEST_F(MetafileTest, LoadingEndsAnOpenRecording) {
    port.files = {"page.emf"};
    Value m = recorded();
    send(m, "Load", {Value("page.emf")});
    EXPECT_TRUE(port.openDcs.empty());
    EXPECT_EQ(num(m, "hNewDC"), 0);
    EXPECT_EQ(port.liveEmfs.size(), 1u);
}

TEST_F(MetafileTest, PlayPaintAndCopy) {
    Value m = recorded();
    const Value dc(int64_t{5});
    EXPECT_FALSE(send(m, "Play", {dc, Value::array({Value(int64_t{1}), Value(int64_t{2}), Value(int64_t{3}),
                                                     Value(int64_t{4})})}).asLogical())
        << "nothing to play while recording";
    EXPECT_EQ(num(m, "Copy"), 0);
    send(m, "Close");
    EXPECT_FALSE(send(m, "Paint", {Value(int64_t{0}), Value(int64_t{1}), Value(int64_t{2}), Value(int64_t{3}),
                                   Value(int64_t{4})}).asLogical());
    EXPECT_TRUE(send(m, "Play", {dc, Value::array({Value(int64_t{1}), Value(int64_t{2}), Value(int64_t{3}),
                                                    Value(int64_t{4})})}).asLogical());
    const int64_t copy = num(m, "Copy");
    EXPECT_NE(copy, 0);
    send(m, "Copy", {Value("out.emf")});
    EXPECT_EQ(port.calls, (std::vector<std::string>{"play 5 " + std::to_string(num(m, "Handle")) + " 1,2,3,4",
                                                    "copy to memory", "copy to out.emf"}));
}

TEST(MetafileText, DescriptionAndReferencePixels) {
    EXPECT_EQ(gfx::storedDescription("App", "Page"), std::string("App\0Page\0\0", 10));
    const struct {
        std::string stored, readable;
    } cases[] = {
        {std::string("App\0Page\0\0", 10), "App#Page"},
        {std::string("\0Page\0\0", 7), "#Page"},
        {std::string("App", 3), "App"},
        {std::string("A\0", 2), "A"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(gfx::readableDescription(c.stored), c.readable);
    EXPECT_EQ(gfx::referencePixels(21000, 4960, 210), 4961);
    EXPECT_EQ(gfx::referencePixels(29700, 7016, 297), 7017);
    EXPECT_EQ(gfx::referencePixels(21000, 4960, 0), 0);
}

}  // namespace
}  // namespace vorpex::testing
