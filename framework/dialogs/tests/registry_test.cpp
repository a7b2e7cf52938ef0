// TRegistry over a scratch key of the current user's tree: natively over an in-memory registry, under Wine
// over the real one. The scratch key is removed before and after every test.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/dialogs/dialogs.h"
#include "framework/dialogs/registry/registry_port.h"
#include "runtime/core/send.h"
#include "runtime/core/settings.h"
#include "runtime/lib/date.h"
#include "tests/support/function_call.h"
#include "tests/support/settings_guard.h"

#ifndef _WIN32
#include "framework/dialogs/tests/fake_registry.h"
#endif

namespace vorpex::dialogs {
namespace {

using rt::send;
using rt::testing::call;

constexpr int64_t kCurrentUser = 0x80000001;
const std::string kScratch = "Software\\VorpexRegistryTest";

// Removes a key and everything under it through the port.
void removeTree(int64_t parent, const std::string& path) {
    RegistryPort& port = registryPort();
    int64_t key = 0;
    if (port.open(parent, path, kRegAllAccess, key) != kRegSuccess) return;
    std::vector<std::string> children;
    port.subKeys(key, children);
    for (const auto& child : children) removeTree(key, child);
    port.close(key);
    port.deleteKey(parent, path);
}

std::vector<std::string> texts(const rt::Value& array) {
    std::vector<std::string> out;
    for (const auto& v : array.asArray()->items) out.push_back(v.asString());
    return out;
}

class Registry : public ::testing::Test {
protected:
    void SetUp() override {
        registerDialogServices();
#ifndef _WIN32
        setRegistryPort(&fake_);
#endif
        removeTree(kCurrentUser, kScratch);
        reg_ = send(call("TREGISTRY"), "New");
    }
    void TearDown() override {
        send(reg_, "Destroy");
        removeTree(kCurrentUser, kScratch);
        setRegistryPort(nullptr);
    }

    int64_t lastError() { return send(reg_, "nLastError").asInteger(); }
    int64_t current() { return send(reg_, "hCurrentKey").asInteger(); }
    // Opens (creating) the scratch key as the current key.
    void openScratch() { ASSERT_EQ(send(reg_, "CreateKey", {kScratch}).asInteger(), 0); }

    rt::Value reg_;
#ifndef _WIN32
    testing::FakeRegistry fake_;
#endif
};

TEST_F(Registry, StartsAtTheCurrentUserRoot) {
    EXPECT_EQ(send(reg_, "ClassName").asString(), "TRegistry");
    EXPECT_EQ(send(reg_, "Root").asInteger(), 2147483649LL);
    EXPECT_EQ(current(), 0);
    EXPECT_EQ(lastError(), 0);
}

TEST_F(Registry, KeysOpenFromTheCurrentKeyAndCloseBackToTheRoot) {
    openScratch();
    const int64_t scratch = current();
    EXPECT_NE(scratch, 0);
    ASSERT_EQ(send(reg_, "CreateKey", {"Inner"}).asInteger(), 0);  // relative to the scratch key
    EXPECT_NE(current(), scratch);
    EXPECT_EQ(send(reg_, "SetString", {"v", "inside"}).asInteger(), 0);
    EXPECT_EQ(send(reg_, "CloseKey").asInteger(), 0);
    EXPECT_EQ(current(), 0);
    EXPECT_EQ(send(reg_, "CloseKey").asInteger(), 1);  // nothing open any more
    EXPECT_EQ(lastError(), 1);

    // The next open is relative to the root again.
    ASSERT_EQ(send(reg_, "OpenKey", {kScratch + "\\Inner"}).asInteger(), 0);
    EXPECT_EQ(send(reg_, "GetString", {"v"}).asString(), "inside");
    const int64_t inner = current();

    const struct {
        rt::Value subKey;
        int64_t code;
    } failures[] = {{"Missing", kRegNotFound}, {42, 1}, {rt::Value(), 1}};
    for (const auto& f : failures) {
        SCOPED_TRACE(f.subKey.typeCode());
        EXPECT_EQ(send(reg_, "OpenKey", {f.subKey}).asInteger(), f.code);
        EXPECT_EQ(lastError(), f.code);
        EXPECT_EQ(current(), inner);  // a failed open keeps the current key
    }
    EXPECT_EQ(send(reg_, "Flush").asInteger(), 0);
    EXPECT_EQ(send(reg_, "Disconnect").asInteger(), 0);
    EXPECT_EQ(current(), 0);
}

TEST_F(Registry, AForeignRootOrMachineIsRefused) {
    send(reg_, "_Root", {5});  // not a predefined root: never handed to the system
    EXPECT_EQ(send(reg_, "OpenKey", {"Software"}).asInteger(), kRegInvalidHandle);
    EXPECT_EQ(current(), 0);
    EXPECT_EQ(send(reg_, "Connect", {"MACHINE"}).asInteger(), 1);  // without a root key
    EXPECT_EQ(send(reg_, "Connect", {rt::Value(), kCurrentUser}).asInteger(), 1);
}

TEST_F(Registry, EnumeratesNamesOfAnyLength) {
    EXPECT_TRUE(texts(send(reg_, "EnumKeys")).empty());  // no key open
    EXPECT_EQ(lastError(), 1);
    openScratch();
    const std::string longKey(200, 'k');
    const std::string longValue(1000, 'v');  // far past any fixed name buffer
    for (const std::string& sub : {std::string("B"), std::string("A"), longKey}) {
        ASSERT_EQ(send(reg_, "CreateKey", {sub}).asInteger(), 0);
        send(reg_, "CloseKey");
        ASSERT_EQ(send(reg_, "OpenKey", {kScratch}).asInteger(), 0);
    }
    send(reg_, "SetString", {"first", "1"});
    send(reg_, "SetNumeric", {longValue, 2});
    EXPECT_EQ(texts(send(reg_, "EnumKeys")), (std::vector<std::string>{"A", "B", longKey}));
    EXPECT_EQ(lastError(), 0);
    std::vector<std::string> values = texts(send(reg_, "EnumValues"));
    std::sort(values.begin(), values.end());
    EXPECT_EQ(values, (std::vector<std::string>{"first", longValue}));

    EXPECT_EQ(send(reg_, "DeleteKey", {"A"}).asInteger(), 0);
    EXPECT_EQ(send(reg_, "DeleteKey", {"A"}).asInteger(), kRegNotFound);
    EXPECT_EQ(send(reg_, "DeleteValue", {"first"}).asInteger(), 0);
    EXPECT_EQ(send(reg_, "DeleteValue", {"first"}).asInteger(), kRegNotFound);
    EXPECT_EQ(texts(send(reg_, "EnumKeys")), (std::vector<std::string>{"B", longKey}));
    EXPECT_EQ(texts(send(reg_, "EnumValues")), (std::vector<std::string>{longValue}));
}

TEST_F(Registry, EachReaderTakesOnlyItsOwnType) {
    openScratch();
    const std::string bytes("a\0\xff", 3);
    const std::string longText(5000, 'x');
    ASSERT_EQ(send(reg_, "SetString", {"text", "hello"}).asInteger(), 0);
    ASSERT_EQ(send(reg_, "SetString", {"long", longText}).asInteger(), 0);
    ASSERT_EQ(send(reg_, "SetString", {"empty", ""}).asInteger(), 0);
    ASSERT_EQ(send(reg_, "SetNumeric", {"number", 123456}).asInteger(), 0);
    ASSERT_EQ(send(reg_, "SetNumeric", {"big", 4000000000LL}).asInteger(), 0);
    ASSERT_EQ(send(reg_, "SetBinary", {"bytes", bytes}).asInteger(), 0);
    ASSERT_EQ(send(reg_, "SetValue", {"shown", 12}).asInteger(), 0);
    ASSERT_EQ(send(reg_, "SetString", {"text", 12}).asInteger(), 1);  // a writer needs its own type
    ASSERT_EQ(send(reg_, "SetNumeric", {"number", "12"}).asInteger(), 1);

    const struct {
        const char* reader;
        const char* name;
        rt::Value fallback;
        rt::Value expected;
        int64_t error;
    } cases[] = {
        {"GetString", "text", "d", "hello", 0},
        {"GetString", "long", "d", longText, 0},  // longer than any fixed buffer
        {"GetString", "empty", "d", "d", 0},
        {"GetString", "number", "d", "d", 0},
        {"GetString", "missing", "d", "d", kRegNotFound},
        {"GetString", "missing", rt::Value(), "", kRegNotFound},
        {"GetString", "shown", "d", "12", 0},
        {"GetNumeric", "number", 7, 123456, 0},
        {"GetNumeric", "big", 7, 4000000000LL, 0},
        {"GetNumeric", "text", 7, 7, 0},  // the read worked, the type did not match
        {"GetNumeric", "missing", rt::Value(), 0, kRegNotFound},
        {"GetBinary", "bytes", "d", bytes, 0},
        {"GetBinary", "text", "d", "d", 0},
        {"GetBinary", "missing", rt::Value(), "", kRegNotFound},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.reader) + " " + c.name);
        const rt::Value got = send(reg_, c.reader, {c.name, c.fallback});
        EXPECT_TRUE(got.sameAs(c.expected)) << got.typeCode() << " " << (got.isString() ? got.asString() : "");
        EXPECT_EQ(lastError(), c.error);
    }
}

TEST_F(Registry, TextReadsUnexpandedAndMultiTextKeepsItsSeparators) {
    openScratch();
    RegistryPort& port = registryPort();
    const int64_t key = current();
    const std::string list("one\0two\0\0", 9);
    ASSERT_EQ(port.write(key, "list", {kRegMultiText, list}), 0);
    ASSERT_EQ(port.write(key, "path", {kRegExpandText, std::string("%WINDIR%\\x\0", 11)}), 0);
    ASSERT_EQ(port.write(key, "plain", {kRegText, std::string("one\0\0", 5)}), 0);  // text ends at its zero
    EXPECT_EQ(send(reg_, "GetString", {"list"}).asString(), std::string("one\0two\0", 8));
    EXPECT_EQ(send(reg_, "GetString", {"path"}).asString(), "%WINDIR%\\x");
    EXPECT_EQ(send(reg_, "GetString", {"plain"}).asString(), "one");
}

TEST_F(Registry, DatesAndLogicalsAreKeptAsText) {
    rt::testing::SettingsGuard guard;
    openScratch();
    const rt::Date day = rt::makeDate(2024, 2, 29);
    ASSERT_EQ(send(reg_, "SetDate", {"day", day}).asInteger(), 0);
    EXPECT_EQ(send(reg_, "GetString", {"day"}).asString(), "02/29/2024");  // the century kept
    send(reg_, "SetString", {"old", "02/29/24"});  // two-digit years still read, within the epoch
    EXPECT_EQ(send(reg_, "GetDate", {"old"}).asDate(), rt::makeDate(1924, 2, 29));
    EXPECT_EQ(send(reg_, "GetDate", {"day"}).asDate(), day);
    EXPECT_EQ(send(reg_, "GetDate", {"none", day}).asDate(), day);
    EXPECT_EQ(send(reg_, "GetDate", {"none"}).asDate(), rt::today());
    rt::settings().dateFormat = "dd.mm.yy";  // the stored text no longer reads as that day
    EXPECT_NE(send(reg_, "GetDate", {"day"}).asDate(), day);

    send(reg_, "SetLogical", {"yes", true});
    send(reg_, "SetLogical", {"no", false});
    send(reg_, "SetString", {"other", "T"});
    const struct {
        const char* name;
        rt::Value fallback;
        bool expected;
    } cases[] = {{"yes", false, true}, {"no", true, false},      {"other", true, false},
                 {"none", false, false}, {"none", true, true}, {"none", rt::Value(), true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(send(reg_, "GetLogical", {c.name, c.fallback}).asLogical(), c.expected);
    }
}

#ifndef _WIN32
TEST_F(Registry, KeysLeftOpenBehindTheCurrentOneCloseWithTheObject) {
    openScratch();
    send(reg_, "CreateKey", {"Inner"});
    send(reg_, "CreateKey", {"Deeper"});
    EXPECT_EQ(fake_.openKeys(), 3u);
    send(reg_, "CloseKey");
    EXPECT_EQ(fake_.openKeys(), 2u);
    send(reg_, "Destroy");
    EXPECT_EQ(fake_.openKeys(), 0u);

    rt::Value dropped = send(call("TREGISTRY"), "New");
    send(dropped, "OpenKey", {kScratch});
    send(dropped, "CreateKey", {"Inner"});
    EXPECT_EQ(fake_.openKeys(), 2u);
    dropped = rt::Value();  // gone without Destroy
    EXPECT_EQ(fake_.openKeys(), 0u);
}

TEST(RegistryWithoutSystem, ReportsItNotAvailable) {
    registerDialogServices();
    rt::Value reg = send(call("TREGISTRY"), "New");
    EXPECT_EQ(send(reg, "OpenKey", {"Software"}).asInteger(), kRegNotAvailable);
    EXPECT_EQ(send(reg, "GetString", {"x", "d"}).asString(), "d");
    EXPECT_EQ(send(reg, "nLastError").asInteger(), kRegNotAvailable);
}
#endif

}  // namespace
}  // namespace vorpex::dialogs
