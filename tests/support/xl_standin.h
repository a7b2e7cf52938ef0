// The spreadsheet stand-in (tools/xl_standin) for Windows tests: the DLL loaded from the path the build gives as
// VORPEX_XL_STANDIN_DLL, registered in the test prefix as "Excel.Application" as regsvr32 would, its entry
// points, and its settings for one test (journal, shown-workbook file, failure switches), cleared afterwards.
// Windows only.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/host_path.h"
#include "tests/support/temp_folder.h"

namespace vorpex::testing {

inline HMODULE xlStandIn() {
    static HMODULE module = LoadLibraryA(rt::testing::windowsPath(VORPEX_XL_STANDIN_DLL).c_str());
    return module;
}

template <class Fn>
Fn xlStandInEntry(const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(xlStandIn(), name)));
}

inline long xlLiveObjects() { return xlStandInEntry<LONG(WINAPI*)()>("VorpexXlLiveObjects")(); }

// Registers the stand-in once for the test program; add it with ::testing::AddGlobalTestEnvironment.
class XlStandInRegistration : public ::testing::Environment {
public:
    void SetUp() override {
        ASSERT_NE(xlStandIn(), nullptr) << VORPEX_XL_STANDIN_DLL;
        ASSERT_EQ(xlStandInEntry<HRESULT(WINAPI*)()>("DllRegisterServer")(), S_OK);
    }
};

// The stand-in's settings for one test: its journal in a scratch folder, no failure switches.
class XlSettings {
public:
    XlSettings() {
        clear();
        SetEnvironmentVariableA("VORPEX_XL_JOURNAL", journalPath_.c_str());
    }
    ~XlSettings() {
        clear();
        SetEnvironmentVariableA("VORPEX_XL_JOURNAL", nullptr);
    }
    XlSettings(const XlSettings&) = delete;
    XlSettings& operator=(const XlSettings&) = delete;

    // "VORPEX_XL_FAIL_CREATE" or "VORPEX_XL_FAIL_ADD".
    void failing(const char* switchName) { SetEnvironmentVariableA(switchName, "1"); }
    // Where the workbook goes when the spreadsheet is made visible.
    void showInto(const std::string& path) { SetEnvironmentVariableA("VORPEX_XL_VISIBLE_FILE", path.c_str()); }

    std::string journal() const {
        std::ifstream in(journalPath_, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::string file(const std::string& name) const { return folder_.file(name); }

private:
    static void clear() {
        for (const char* name : {"VORPEX_XL_FAIL_CREATE", "VORPEX_XL_FAIL_ADD", "VORPEX_XL_VISIBLE_FILE"})
            SetEnvironmentVariableA(name, nullptr);
    }
    rt::testing::TempFolder folder_;
    std::string journalPath_ = folder_.file("journal.txt");
};

}  // namespace vorpex::testing
