// TMapi through the recording MAPI32.DLL stand-in beside the test program, loaded by its system name: the
// logon, the message's records as the library reads them (recipients, attachments, flags, no text for empty
// properties), the library's errors, and a missing library.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "framework/dialogs/dialogs.h"
#include "framework/dialogs/mail/mail_port.h"
#include "framework/dialogs/mail/mapi.h"
#include "runtime/core/send.h"
#include "runtime/lib/date.h"
#include "tests/support/temp_folder.h"

namespace vorpex {
namespace {

using rt::send;
using rt::Value;

struct WinMailTest : ::testing::Test {
    void SetUp() override {
        registerDialogServices();
        SetEnvironmentVariableA("VORPEX_MAPI_LOG", log.c_str());
        SetEnvironmentVariableA("VORPEX_MAPI_FAIL", nullptr);
    }
    void TearDown() override {
        SetEnvironmentVariableA("VORPEX_MAPI_LOG", nullptr);
        SetEnvironmentVariableA("VORPEX_MAPI_FAIL", nullptr);
    }
    std::string calls() const {
        std::ifstream in(log, std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        return all.str();
    }
    Value mapi() { return send(Value(TMapi::classRecord().instantiate()), "Create"); }

    rt::testing::TempFolder folder;
    std::string log = folder.file("mapi.log");
};

TEST_F(WinMailTest, TheLibraryReceivesTheMessageAsBuilt) {
    const std::string attached = folder.file("informe.pdf");
    std::ofstream(attached, std::ios::binary) << "%PDF-1.4 x";
    Value m = mapi();
    ASSERT_GE(send(m, "hLib").asInteger(), 32) << "MAPI32.DLL beside the program";
    send(m, "_cSubject", {"Informe"});
    send(m, "_lAskRecipients", {true});
    send(m, "_dDate", {rt::makeDate(2026, 3, 7)});
    send(m, "_cTime", {"09:05:00"});
    send(m, "AddReceipt", {Value("ana@b.c")});
    send(m, "AddReceipt", {Value("Luis"), Value("luis@b.c"), Value(2)});
    send(m, "_aAttachments", {Value::array({Value::array({Value("marzo.pdf"), Value(attached)})})});
    ASSERT_TRUE(send(m, "Logon").asLogical());
    ASSERT_TRUE(send(m, "Send").asLogical());
    ASSERT_TRUE(send(m, "Logoff").asLogical());
    send(m, "Destroy");
    const std::string expected =
        "MAPILogon owner=desktop profile=null password=null flags=0\n"
        "MAPISendMail session=81 owner=desktop flags=8\n"
        "  subject=Informe note=null type=null date=2026/3/7 09:05:00 conversation=null\n"
        "  from=null,null,0\n"
        "  to=ana@b.c,ana@b.c,1\n"
        "  to=Luis,luis@b.c,2\n"
        "  file=marzo.pdf," + attached + ",-1,10,%PDF-\n"
        "MAPILogoff session=81\n";
    EXPECT_EQ(calls(), expected);
}

TEST_F(WinMailTest, TheLibrarysErrorsAreAnswered) {
    SetEnvironmentVariableA("VORPEX_MAPI_FAIL", "MAPISendMail=11,MAPILogoff=2");
    Value m = mapi();
    ASSERT_TRUE(send(m, "Logon").asLogical());
    EXPECT_FALSE(send(m, "Send").asLogical());
    EXPECT_EQ(send(m, "nLastError").asInteger(), 11);
    EXPECT_FALSE(send(m, "Logoff").asLogical());
    EXPECT_EQ(send(m, "nLastError").asInteger(), 2);
    EXPECT_FALSE(send(m, "lLoggedOn").asLogical());
    SetEnvironmentVariableA("VORPEX_MAPI_FAIL", "MAPILogon=3");
    EXPECT_FALSE(send(m, "Logon").asLogical());
    EXPECT_EQ(send(m, "nLastError").asInteger(), 3);
    send(m, "Destroy");
}

TEST_F(WinMailTest, WithoutTheLibraryNothingIsCalled) {
    const std::string previous = setMailLibrary("VORPEX_NO_SUCH_MAPI.DLL");
    Value m = mapi();
    EXPECT_EQ(send(m, "hLib").asInteger(), 0);
    EXPECT_FALSE(send(m, "Logon").asLogical());
    EXPECT_FALSE(send(m, "Send").asLogical());
    EXPECT_EQ(send(m, "nLastError").asInteger(), 0);
    send(m, "Destroy");
    setMailLibrary(previous);
    EXPECT_EQ(calls(), "");
}

}  // namespace
}  // namespace vorpex
