// Shared main for every test program. On Windows it first makes failures end
// the process: a crash or a missing disk must fail the run, never wait behind
// a dialog or a debugger that nobody will ever answer.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>

#include <cstdio>

namespace {

// Wine ignores SEM_NOGPFAULTERRORBOX and starts its debugger on a crash, and
// the exit code it then reports is unreliable (sometimes 0). Ending the
// process here gives every crash the same non-zero exit code and names the
// test it happened in.
LONG WINAPI endOnCrash(EXCEPTION_POINTERS* info)
{
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    std::fprintf(stderr, "\nCRASH: exception 0x%08lX at %p in %s.%s\n",
                 static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode),
                 info->ExceptionRecord->ExceptionAddress,
                 test ? test->test_suite_name() : "(no test)", test ? test->name() : "");
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

} // namespace
#endif

int main(int argc, char** argv)
{
#ifdef _WIN32
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(endOnCrash);
#endif
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
