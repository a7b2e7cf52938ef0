// Runs on every side: natively it proves GoogleTest and the shared main link and that a crash or a failed
// test ends the program with a failing exit code (what ctest reads); under Wine it proves a console program
// starts, reports and exits cleanly, with error dialogs silenced and crashes ending the program.
#include <gtest/gtest.h>

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#endif

namespace {

void crash()
{
    volatile int* nowhere = nullptr;
    *nowhere = 1;
}

} // namespace

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
    EXPECT_EXIT(crash(), testing::ExitedWithCode(3), "CRASH: exception 0xC0000005 .* in HarnessBasicDeathTest");
}
#else
// Natively a crash ends the program by a signal, or by the sanitizer's report and its failing exit code.
TEST(HarnessBasicDeathTest, CrashEndsProgramWithFailure)
{
    EXPECT_DEATH(crash(), "");
}

// Run only by the next test, as a program of its own.
TEST(HarnessBasic, DISABLED_FailsOnPurpose)
{
    FAIL() << "a failure the program must report in its exit code";
}

// This very program, run again with one test: the exit code that ctest reads follows the test's outcome.
TEST(HarnessBasic, TheExitCodeFollowsTheTestsOutcome)
{
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const struct {
        const char* test;
        int exitCode;
    } cases[] = {{"HarnessBasic.StringsBehave", 0}, {"HarnessBasic.DISABLED_FailsOnPurpose", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.test);
        const std::string command = "'" + self + "' --gtest_also_run_disabled_tests --gtest_filter=" + c.test +
                                    " >/dev/null 2>&1";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), c.exitCode);
    }
}
#endif
