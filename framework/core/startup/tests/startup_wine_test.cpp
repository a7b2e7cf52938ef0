// Runs the start-up probe, a real GUI program on the framework's WinMain, as a child process and checks what
// it saw, what it reported and how it ended.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

struct ProbeRun {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output;  // lines the probe wrote
    std::string report;  // the crash report its presenter captured
};

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string besideThisProgram(const char* name) {
    char path[4096];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string dir(path, n);
    return dir.substr(0, dir.find_last_of("\\/") + 1) + name;
}

std::string tempFile() {
    char dir[MAX_PATH], file[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    GetTempFileNameA(dir, "vsp", 0, file);
    return file;
}

// `words` follow the output file on the probe's command line, exactly as given.
ProbeRun runProbe(const std::string& words) {
    ProbeRun run;
    const std::string out = tempFile();
    std::string line = "\"" + besideThisProgram("startup_probe.exe") + "\" \"" + out + "\" " + words;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        ADD_FAILURE() << "cannot start the probe: " << GetLastError();
        return run;
    }
    if (WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0) {
        TerminateProcess(pi.hProcess, 99);
        ADD_FAILURE() << "the probe did not end";
    }
    GetExitCodeProcess(pi.hProcess, &run.exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    run.output = readFile(out);
    run.report = readFile(out + ".report");
    DeleteFileA(out.c_str());
    DeleteFileA((out + ".report").c_str());
    return run;
}

TEST(WinMain, RealCommandLineReachesMain) {
    ProbeRun r = runProbe("echo a  \"b c\" d \"x\"y //INFO z");
    EXPECT_EQ(r.exitCode, 0u);
    EXPECT_EQ(r.output.find("argc 7\n"), 0u) << r.output;
    EXPECT_NE(r.output.find("[echo]\n[a]\n[b c]\n[d]\n[x\"y]\n[z]\n"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("startup_probe.exe\n"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("exit\n"), std::string::npos);  // exit procedures ran
    EXPECT_TRUE(r.report.empty());
}

// Every layer registers its functions before the program's main runs: visual styles and the painting
// helpers of the controls, the table engine, the message boxes and the classes of every library, as a program
// calls them by name.
TEST(WinMain, ThePartsOfTheFrameworkAreReachableByNameFromMain) {
    ProbeRun r = runProbe(
        "names ISAPPTHEMED OPENTHEMEDATA VP_DRAWBITMAP DBUSEAREA ORDCREATE MSGBOX VP_WLSEARCH FILEUNIQUE "
        "DATASOURCECLOSEALL TDBFDATASET TREGISTRY TPICTURE TIMAGELIST TMASKEDIT NO_SUCH_FUNCTION");
    EXPECT_EQ(r.exitCode, 0u);
    for (const char* line : {"ISAPPTHEMED yes\n", "OPENTHEMEDATA yes\n", "VP_DRAWBITMAP yes\n", "DBUSEAREA yes\n",
                             "ORDCREATE yes\n", "MSGBOX yes\n", "VP_WLSEARCH yes\n", "FILEUNIQUE yes\n",
                             "DATASOURCECLOSEALL yes\n", "TDBFDATASET yes\n", "TREGISTRY yes\n", "TPICTURE yes\n",
                             "TIMAGELIST yes\n", "TMASKEDIT yes\n", "NO_SUCH_FUNCTION no\n"})
        EXPECT_NE(r.output.find(line), std::string::npos) << line << r.output;
}

TEST(WinMain, ExitCodeOfANormalEnd) {
    EXPECT_EQ(runProbe("exit-code").exitCode, 3u);
    EXPECT_EQ(runProbe("plain").exitCode, 0u);
}

TEST(WinMain, TerminateTwiceRunsTheShutdownOnce) {
    ProbeRun r = runProbe("terminate-twice");
    EXPECT_EQ(r.exitCode, 5u);
    EXPECT_EQ(r.output, "close\nexit\nexit again\n");
}

TEST(CrashGuard, AccessViolationIsReportedAndEndsWithCode1) {
    ProbeRun r = runProbe("crash");
    EXPECT_EQ(r.exitCode, 1u);
    EXPECT_EQ(r.report, "GPF (Code = c0000005):\r\nAccess violation\r\n\r\nCRASHER (12)\r\nMAIN (1)\r\n");
    EXPECT_EQ(r.output, "report\nexit\n");  // the report, then an orderly shutdown
}

TEST(CrashGuard, CrashesElsewhereStillEndWithANonZeroCode) {
    struct Case {
        const char* mode;
        const char* reportStart;
    } cases[] = {
        {"crash-in-exit", "GPF (Code = c0000005):\r\nAccess violation\r\n\r\nEXITCRASH (7)\r\n"},
        {"crash-in-window", "GPF (Code = c0000005):\r\nAccess violation\r\n\r\nWNDPROC (21)\r\n"},
        {"throw", "GPF (Code = 20474343):\r\n\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        ProbeRun r = runProbe(c.mode);
        EXPECT_EQ(r.exitCode, 1u);
        EXPECT_EQ(r.report.rfind(c.reportStart, 0), 0u) << r.report;
    }
}

}  // namespace
