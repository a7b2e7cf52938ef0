// TMapi over a recording mail port: who a recipient is, the flags, the records a Send hands the library
// (tables as long as given, empty texts as none, the send time as the default date), logon and logoff states,
// no library at all, and the default mail account over an in-memory registry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/dialogs/dialogs.h"
#include "framework/dialogs/mail/mail_port.h"
#include "framework/dialogs/mail/mapi.h"
#include "framework/dialogs/registry/registry_port.h"
#include "framework/dialogs/tests/fake_registry.h"
#include "runtime/core/send.h"
#include "runtime/lib/date.h"

namespace vorpex {
namespace {

using rt::send;
using rt::Value;

struct RecordingMailPort : MailPort {
    intptr_t library = 0x4000;  // below 32: the library is missing
    std::vector<std::string> functions{"MAPILogon", "MAPILogoff", "MAPISendMail"};
    int64_t logonResult = 0, logoffResult = 0, sendResult = 0;
    std::vector<std::string> calls;
    MailLogon lastLogon;
    MailMessage lastMessage;
    uint32_t lastSendFlags = 0;
    int unloads = 0;

    intptr_t load() override { return library; }
    void unload(intptr_t) override { ++unloads; }
    bool has(intptr_t, const char* name) override {
        return std::find(functions.begin(), functions.end(), name) != functions.end();
    }
    int64_t logon(intptr_t, const MailLogon& l, intptr_t& session) override {
        calls.push_back("logon");
        lastLogon = l;
        session = 77;
        return logonResult;
    }
    int64_t logoff(intptr_t, intptr_t session) override {
        calls.push_back("logoff " + std::to_string(session));
        return logoffResult;
    }
    int64_t send(intptr_t, intptr_t session, intptr_t, const MailMessage& m, uint32_t flags) override {
        calls.push_back("send " + std::to_string(session));
        lastMessage = m;
        lastSendFlags = flags;
        return sendResult;
    }
    bool installed() override { return library >= 32; }
};

struct MailTest : ::testing::Test {
    void SetUp() override {
        registerDialogServices();
        setMailPort(&port);
    }
    void TearDown() override { setMailPort(nullptr); }
    Value mapi() { return send(Value(TMapi::classRecord().instantiate()), "Create"); }

    RecordingMailPort port;
};

TEST_F(MailTest, ARecipientTakesItsAddressOrNameFromTheOther) {
    const struct {
        Value name, address, cls;
        const char *wantName, *wantAddress;
        int64_t wantClass;
    } cases[] = {{Value(), Value("a@b.c"), Value(), "a@b.c", "a@b.c", 1},
                 {Value("x@y"), Value(), Value(), "x@y", "x@y", 1},
                 {Value("Ana"), Value(), Value(2), "Ana", "", 2},
                 {Value(), Value(), Value(), "", "", 1},
                 {Value("Ana"), Value("ana@b.c"), Value(3), "Ana", "ana@b.c", 3}};
    for (const auto& c : cases) {
        Value m = mapi();
        send(m, "AddReceipt", {c.name, c.address, c.cls});
        const rt::ArrayPtr list = send(m, "aReceipts").asArray();
        ASSERT_EQ(list->items.size(), 1u);
        const rt::ArrayPtr entry = list->at1(1).asArray();
        EXPECT_EQ(entry->at1(1).asString(), c.wantName);
        EXPECT_EQ(entry->at1(2).asString(), c.wantAddress);
        EXPECT_EQ(entry->at1(3).asInteger(), c.wantClass);
    }
}

TEST_F(MailTest, SendPassesEveryRecipientAndAttachmentGivenAndNoTextForEmptyOnes) {
    Value m = mapi();
    for (int i = 0; i < 12; ++i) send(m, "AddReceipt", {Value("u" + std::to_string(i) + "@x.es")});
    std::vector<Value> files;
    for (int i = 0; i < 11; ++i) files.push_back(Value::array({Value("f" + std::to_string(i)), Value("C:\\p" + std::to_string(i))}));
    send(m, "_aAttachments", {Value::array(files)});
    send(m, "_cFromName", {"Yo"});
    send(m, "_dDate", {rt::makeDate(2026, 3, 7)});
    send(m, "_cTime", {"09:05:00"});
    send(m, "_lAskRecipients", {true});
    ASSERT_TRUE(send(m, "Logon").asLogical());
    ASSERT_TRUE(send(m, "Send").asLogical());
    const MailMessage& sent = port.lastMessage;
    ASSERT_EQ(sent.recipients.size(), 12u) << "no fixed table of ten";
    ASSERT_EQ(sent.attachments.size(), 11u);
    EXPECT_EQ(sent.recipients[11].address, "u11@x.es");
    EXPECT_EQ(sent.attachments[10].shownName, "f10");
    EXPECT_EQ(sent.attachments[10].path, "C:\\p10");
    EXPECT_EQ(sent.subject, "") << "passed as no subject";
    EXPECT_EQ(sent.note, "");
    EXPECT_EQ(sent.date, "2026/3/7 09:05:00");
    EXPECT_EQ(sent.originator.name, "Yo");
    EXPECT_EQ(sent.originator.recipientClass, 0);
    EXPECT_EQ(port.lastSendFlags, 8u);
    EXPECT_EQ(port.calls.back(), "send 77");
}

TEST_F(MailTest, AnUnsetDateIsTheSendTime) {
    Value m = mapi();
    ASSERT_TRUE(send(m, "Logon").asLogical());
    const rt::Date today = rt::today();
    ASSERT_TRUE(send(m, "Send").asLogical());
    const std::string prefix = std::to_string(rt::year(today)) + "/" + std::to_string(rt::month(today)) + "/" +
                               std::to_string(rt::day(today)) + " ";
    EXPECT_EQ(port.lastMessage.date.substr(0, prefix.size()), prefix);
    EXPECT_EQ(port.lastMessage.date.size(), prefix.size() + 8) << port.lastMessage.date;
}

TEST_F(MailTest, LogonFlagsAndTheLogonStates) {
    Value m = mapi();
    send(m, "_lUseUI", {true});
    send(m, "_lAskPassword", {true});
    send(m, "_lNewSession", {true});
    send(m, "_lNewSession", {false});
    send(m, "_cName", {"perfil"});
    EXPECT_FALSE(send(m, "Send").asLogical()) << "not logged on";
    ASSERT_TRUE(send(m, "Logon").asLogical());
    EXPECT_EQ(port.lastLogon.flags, 0x20001u);
    EXPECT_EQ(port.lastLogon.profile, "perfil");
    EXPECT_EQ(send(m, "hSession").asInteger(), 77);
    EXPECT_FALSE(send(m, "Logon").asLogical()) << "a second logon changes nothing";
    EXPECT_EQ(port.calls.size(), 1u);
    port.logoffResult = 3;
    EXPECT_FALSE(send(m, "Logoff").asLogical());
    EXPECT_EQ(send(m, "nLastError").asInteger(), 3);
    EXPECT_FALSE(send(m, "lLoggedOn").asLogical()) << "a failed logoff leaves no session behind";
    EXPECT_EQ(send(m, "hSession").asInteger(), 0);
    EXPECT_FALSE(send(m, "Send").asLogical());
    EXPECT_TRUE(send(m, "Logon").asLogical()) << "so a new logon is possible";
}

TEST_F(MailTest, AFailedLogonLeavesNoSession) {
    port.logonResult = 1;
    Value m = mapi();
    EXPECT_FALSE(send(m, "Logon").asLogical());
    EXPECT_FALSE(send(m, "lLoggedOn").asLogical());
    EXPECT_EQ(send(m, "hSession").asInteger(), 0);
    EXPECT_EQ(send(m, "nLastError").asInteger(), 1);
}

TEST_F(MailTest, WithoutTheLibraryOrItsFunctionsEveryOperationAnswersFalse) {
    struct Case {
        intptr_t library;
        std::vector<std::string> functions;
    } cases[] = {{0, {"MAPILogon", "MAPILogoff", "MAPISendMail"}}, {0x4000, {}}};
    for (const Case& c : cases) {
        port.library = c.library;
        port.functions = c.functions;
        port.calls.clear();
        Value m = mapi();
        EXPECT_FALSE(send(m, "Logon").asLogical());
        EXPECT_FALSE(send(m, "Send").asLogical());
        EXPECT_FALSE(send(m, "Logoff").asLogical());
        EXPECT_EQ(send(m, "nLastError").asInteger(), 0);
        EXPECT_TRUE(port.calls.empty());
    }
}

TEST_F(MailTest, DestroyFreesTheLibraryOnce) {
    Value m = mapi();
    send(m, "Destroy");
    send(m, "Destroy");
    EXPECT_EQ(port.unloads, 1);
    EXPECT_EQ(send(m, "hLib").asInteger(), 0);
}

struct MailAccountTest : MailTest {
    void SetUp() override {
        MailTest::SetUp();
        dialogs::setRegistryPort(&registry);
    }
    void TearDown() override {
        dialogs::setRegistryPort(nullptr);
        MailTest::TearDown();
    }
    void account(const std::string& key, const std::string& name) {
        int64_t k = 0;
        registry.create(kCurrentUser, std::string(kAccounts) + "\\" + key, "", 0, 0, k);
        registry.write(k, "Account Name", {dialogs::kRegText, name + '\0'});
        registry.close(k);
    }
    std::string defaultAccountKey() {
        int64_t k = 0;
        if (registry.open(kCurrentUser, kManager, 0, k) != 0) return "";
        dialogs::RegValue v;
        registry.read(k, "Default Mail Account", v);
        registry.close(k);
        return v.bytes.substr(0, v.bytes.find('\0'));
    }

    static constexpr int64_t kCurrentUser = 0x80000001;
    static constexpr const char* kManager = "Software\\Microsoft\\Internet Account Manager";
    static constexpr const char* kAccounts = "Software\\Microsoft\\Internet Account Manager\\Accounts";
    dialogs::testing::FakeRegistry registry;
};

TEST_F(MailAccountTest, NoStoreGivesNoAccounts) {
    Value m = mapi();
    EXPECT_TRUE(send(m, "GetAccountNames").asArray()->items.empty());
    EXPECT_EQ(send(m, "cAccount").asString(), "");
    EXPECT_EQ(registry.openKeys(), 0u);
}

TEST_F(MailAccountTest, AccountsAreListedSetAndReadByName) {
    account("00000002", "Trabajo");
    account("00000001", "Casa");
    Value m = mapi();
    const rt::ArrayPtr names = send(m, "GetAccountNames").asArray();
    ASSERT_EQ(names->items.size(), 2u);
    EXPECT_EQ(names->at1(1).asString(), "Casa") << "key order";
    const rt::ArrayPtr sorted = send(m, "GetAccountNames", {true}).asArray();
    EXPECT_EQ(sorted->at1(2).asString(), "Trabajo");

    send(m, "_cAccount", {"  trabajo "});
    EXPECT_EQ(defaultAccountKey(), "00000002");
    EXPECT_EQ(send(m, "cAccount").asString(), "Trabajo");
    send(m, "_cAccount", {"Nadie"});
    EXPECT_EQ(defaultAccountKey(), "00000002") << "no match changes nothing";
    EXPECT_EQ(registry.openKeys(), 0u);
}

}  // namespace
}  // namespace vorpex
