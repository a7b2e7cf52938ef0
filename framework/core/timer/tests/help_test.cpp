// THelp over a recording port: the help type by extension, the command table for WinHelp and HTML Help, the
// topic and keyword arguments, and files of other types calling nothing.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/core/timer/help.h"
#include "framework/core/timer/help_port.h"
#include "runtime/core/send.h"

namespace vorpex {
namespace {

struct Recorder : HelpPort {
    std::vector<HelpRequest>* requests;
    intptr_t viewer;
    Recorder(std::vector<HelpRequest>* r, intptr_t v) : requests(r), viewer(v) {}
    bool winHelp(const HelpRequest& r) override {
        requests->push_back(r);
        return true;
    }
    intptr_t htmlHelp(const HelpRequest& r) override {
        requests->push_back(r);
        return viewer;
    }
};

struct HelpTest : ::testing::Test {
    void SetUp() override { previous = setHelpPort(std::make_unique<Recorder>(&requests, 77)); }
    void TearDown() override { setHelpPort(std::move(previous)); }
    rt::Value help(const char* file) { return rt::send(rt::Value(THelp::classRecord().instantiate()), "New", {file}); }
    std::vector<HelpRequest> requests;
    std::unique_ptr<HelpPort> previous;
};

TEST(HelpType, ByExtensionInAnyCase) {
    struct Case {
        const char* file;
        int type;
    };
    const Case cases[] = {{"a.hlp", 0}, {"C:\\x\\A.HLP", 0}, {"a.chm", 1}, {"a.Chm", 1}, {"a.txt", -1},
                          {"chm", -1},  {"", -1},            {"dir.chm\\file", -1}, {"a.chm.bak", -1}};
    for (const Case& c : cases) EXPECT_EQ(helpTypeOf(c.file), c.type) << c.file;
}

TEST_F(HelpTest, AnotherFileTypeAnswersMinusTwoAndCallsNothing) {
    rt::Value h = help("x.TXT");
    EXPECT_EQ(rt::send(h, "nType").asInteger(), -1);
    for (const char* command : {"ShowTOC", "ShowIndex", "ShowSearch", "ShowTopic", "ShowKeyword", "ShowContext",
                                "Popup", "ShowFinder", "Close"})
        EXPECT_EQ(rt::send(h, command).asInteger(), -2) << command;
    EXPECT_TRUE(requests.empty());
}

TEST_F(HelpTest, CommandTable) {
    struct Case {
        const char* method;
        unsigned winHelp;
        unsigned htmlHelp;
    };
    const Case cases[] = {
        {"ShowTOC", 3, 1},      {"ShowIndex", 3, 2},   {"ShowSearch", 3, 3}, {"ShowTopic", 0x101, 0},
        {"ShowKeyword", 0x101, 13}, {"ShowContext", 1, 15}, {"ShowFinder", 11, 0}, {"Close", 2, 18},
    };
    rt::Value hlp = help("guide.hlp"), chm = help("guide.chm");
    for (const Case& c : cases) {
        requests.clear();
        rt::send(hlp, c.method);
        rt::send(chm, c.method);
        ASSERT_EQ(requests.size(), 2u) << c.method;
        EXPECT_FALSE(requests[0].html);
        EXPECT_EQ(requests[0].command, c.winHelp) << c.method;
        EXPECT_EQ(requests[0].file, "guide.hlp");
        EXPECT_TRUE(requests[1].html);
        EXPECT_EQ(requests[1].command, c.htmlHelp) << c.method;
    }
    EXPECT_EQ(requests[1].file, "");  // closing every HTML Help window names no file
}

TEST_F(HelpTest, TopicKeywordAndContextArguments) {
    rt::Value chm = help("x.chm");
    EXPECT_TRUE(rt::send(chm, "ShowTopic", {"a"}).asLogical());
    EXPECT_EQ(requests.back().file, "x.chm::/a");
    EXPECT_EQ(requests.back().data, HelpData::None);
    rt::send(chm, "ShowTopic");
    EXPECT_EQ(requests.back().file, "x.chm");
    EXPECT_TRUE(rt::send(chm, "ShowKeyword", {"alta", true}).asLogical());
    EXPECT_EQ(requests.back().data, HelpData::Keyword);
    EXPECT_EQ(requests.back().text, "alta");
    EXPECT_TRUE(requests.back().indexOnFail);
    EXPECT_EQ(rt::send(chm, "ShowContext", {42}).asInteger(), 77);
    EXPECT_EQ(requests.back().number, 42);

    rt::Value hlp = help("x.hlp");
    EXPECT_TRUE(rt::send(hlp, "ShowTopic", {"a"}).asLogical());
    EXPECT_EQ(requests.back().file, "x.hlp");
    EXPECT_EQ(requests.back().data, HelpData::Text);
    EXPECT_EQ(requests.back().text, "a");
    const size_t before = requests.size();
    EXPECT_FALSE(rt::send(hlp, "Popup", {rt::Value()}).asLogical());  // WinHelp has no pop-up
    EXPECT_EQ(requests.size(), before);
}

TEST_F(HelpTest, WithoutAViewerWindowTheLogicalCommandsAnswerFalse) {
    setHelpPort(std::make_unique<Recorder>(&requests, 0));
    rt::Value chm = help("x.chm");
    EXPECT_FALSE(rt::send(chm, "ShowTopic", {"a"}).asLogical());
    EXPECT_FALSE(rt::send(chm, "ShowKeyword", {"k"}).asLogical());
    EXPECT_EQ(rt::send(chm, "ShowTOC").asInteger(), 0);
}

TEST_F(HelpTest, SettingTheFileChangesTheType) {
    rt::Value h = help("x.hlp");
    rt::send(h, "_cFileName", {"y.chm"});
    EXPECT_EQ(rt::send(h, "nType").asInteger(), 1);
    EXPECT_EQ(rt::send(h, "cFileName").asString(), "y.chm");
    rt::send(h, "SetFile", {"z"});
    EXPECT_EQ(rt::send(h, "nType").asInteger(), -1);
}

}  // namespace
}  // namespace vorpex
