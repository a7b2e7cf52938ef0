// Runs on every side: natively it proves GoogleTest and the shared main link;
// under Wine it proves a console program starts, reports and exits cleanly.
#include <gtest/gtest.h>

#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

TEST(HarnessBasic, StringsBehave)
{
    std::string text = "Control de Asistencias";
    text.replace(text.find("Asistencias"), 11, "Reorden");
    EXPECT_EQ(text, "Control de Reorden");
    EXPECT_EQ(text.size(), 18u);
}

#ifdef _WIN32
// Without these flags a crash or a missing disk would open a dialog and the
// test would hang until its time limit.
TEST(HarnessBasic, TestMainSilencesErrorDialogs)
{
    const UINT wanted = SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX;
    EXPECT_EQ(GetErrorMode() & wanted, wanted);
}

// A crash must end the test program with a failing exit code and say where;
// under Wine the crash would otherwise go to its debugger, which sometimes
// reports exit code 0, and the broken test would pass.
TEST(HarnessBasicDeathTest, CrashEndsProgramWithFailure)
{
    auto crash = [] {
        volatile int* nowhere = nullptr;
        *nowhere = 1;
    };
    EXPECT_EXIT(crash(), testing::ExitedWithCode(3), "CRASH: exception 0xC0000005 .* in HarnessBasicDeathTest");
}
#endif
