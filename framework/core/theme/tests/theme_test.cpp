// Visual styles both ways: through an injected loader (library missing, present without a theme, present
// with one) and through Wine's own uxtheme, whose answer must agree with the prefix's theme state.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>

#include "framework/core/theme/theme.h"
#include "runtime/core/runtime.h"
#include "tests/support/function_call.h"

namespace vorpex::theme {
namespace {

// What the fake library saw.
struct FakeLog {
    std::wstring openedClass;
    HWND openedFor = nullptr;
    int released = 0;
    intptr_t windowTheme = 0;  // what GetWindowTheme answers
} fake;

HANDLE WINAPI fakeOpenThemeData(HWND w, LPCWSTR names) {
    fake.openedFor = w;
    fake.openedClass = names;
    return reinterpret_cast<HANDLE>(0x5151);
}
HANDLE WINAPI fakeGetWindowTheme(HWND) { return reinterpret_cast<HANDLE>(fake.windowTheme); }
COLORREF WINAPI fakeGetThemeSysColor(HANDLE, int id) { return static_cast<COLORREF>(0x10000 + id); }
HRESULT WINAPI fakeCloseThemeData(HANDLE) { return 7; }

class FakeLoader : public ThemeLoader {
public:
    explicit FakeLoader(bool present) : present_(present) {}
    intptr_t load() override { return present_ ? 0x77 : 0; }
    void* entry(intptr_t, const char* name) override {
        static const std::map<std::string, void*> entries = {
            {"OpenThemeData", reinterpret_cast<void*>(&fakeOpenThemeData)},
            {"GetWindowTheme", reinterpret_cast<void*>(&fakeGetWindowTheme)},
            {"GetThemeSysColor", reinterpret_cast<void*>(&fakeGetThemeSysColor)},
            {"CloseThemeData", reinterpret_cast<void*>(&fakeCloseThemeData)}};
        auto it = entries.find(name);
        return it == entries.end() ? nullptr : it->second;
    }
    void release(intptr_t) override { ++fake.released; }

private:
    bool present_;
};

rt::Value call(std::string_view name, std::vector<rt::Value> args = {}) {
    registerThemeFunctions();
    return rt::testing::call(name, std::move(args));
}

rt::Value handle(HWND w) { return rt::Value(static_cast<long long>(reinterpret_cast<intptr_t>(w))); }

struct ThemeTest : ::testing::Test {
    void SetUp() override {
        fake = FakeLog{};
        window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override {
        setThemeLoader(nullptr);
        DestroyWindow(window);
    }
    HWND window = nullptr;
};

TEST_F(ThemeTest, WithoutTheLibraryEveryWrapperAnswersZero) {
    setThemeLoader(std::make_unique<FakeLoader>(false));
    EXPECT_FALSE(initTheme());
    EXPECT_FALSE(isAppThemed());
    EXPECT_EQ(openThemeData(window, L"BUTTON"), 0);
    EXPECT_EQ(getWindowTheme(window), 0);
    EXPECT_EQ(getThemeSysColor(0x5151, 5), 0u);
    RECT r{0, 0, 5, 5};
    EXPECT_EQ(drawThemeBackground(0x5151, nullptr, 1, 1, &r, nullptr), 0);
    EXPECT_FALSE(call("ISAPPTHEMED", {}).asLogical());
    EXPECT_EQ(call("OPENTHEMEDATA", {handle(window), "BUTTON"}).asInteger(), 0);
    EXPECT_FALSE(call("ISWINDOWTHEMED", {handle(window)}).asLogical());
}

TEST_F(ThemeTest, LibraryWithoutAThemeIsReleasedByTheProbe) {
    setThemeLoader(std::make_unique<FakeLoader>(true));
    fake.windowTheme = 0;
    EXPECT_FALSE(initTheme());
    EXPECT_EQ(fake.released, 1);
    EXPECT_EQ(openThemeData(window, L"BUTTON"), 0);
    EXPECT_TRUE(fake.openedClass.empty());
}

TEST_F(ThemeTest, WithAThemeWrappersReachTheLibraryWithWideNames) {
    setThemeLoader(std::make_unique<FakeLoader>(true));
    fake.windowTheme = 0x99;
    ASSERT_TRUE(initTheme());
    EXPECT_TRUE(call("ISAPPTHEMED", {}).asLogical());
    EXPECT_EQ(call("OPENTHEMEDATA", {handle(window), "BUTTON;EDIT"}).asInteger(), 0x5151);
    EXPECT_EQ(fake.openedClass, L"BUTTON;EDIT");
    EXPECT_EQ(fake.openedFor, window);
    EXPECT_TRUE(call("OPENTHEMEDATA", {0, "BUTTON"}).isNil());  // no window: nothing opened
    EXPECT_EQ(call("GETTHEMESYSCOLOR", {0x5151, 4}).asInteger(), 0x10004);
    EXPECT_EQ(call("GETTHEMESYSCOLOR", {0, 4}).asInteger(), 0);
    EXPECT_EQ(call("CLOSETHEMEDATA", {0x5151}).asInteger(), 7);
    EXPECT_TRUE(call("ISWINDOWTHEMED", {handle(window)}).asLogical());
    EXPECT_FALSE(call("ISWINDOWTHEMED", {0}).asLogical());
    // An entry the library lacks answers 0 instead of calling through a null pointer.
    EXPECT_FALSE(isThemePartDefined(0x5151, 1, 1));
    uninitTheme();
    EXPECT_FALSE(isAppThemed());
    EXPECT_EQ(fake.released, 1);
}

// Wine's own uxtheme: the probe's answer agrees with the prefix's theme state. The probe's BUTTON is themed
// only by the common controls 6, which an activation context brings in.
HANDLE activateCommonControls6(ULONG_PTR& cookie) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string file = std::string(folder) + "vorpex_theme_test.manifest";
    std::ofstream(file) << R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">
<dependency><dependentAssembly><assemblyIdentity type="win32" name="Microsoft.Windows.Common-Controls"
 version="6.0.0.0" processorArchitecture="*" publicKeyToken="6595b64144ccf1df" language="*"/>
</dependentAssembly></dependency></assembly>)";
    ACTCTXA ctx{};
    ctx.cbSize = sizeof ctx;
    ctx.lpSource = file.c_str();
    HANDLE h = CreateActCtxA(&ctx);
    if (h != INVALID_HANDLE_VALUE) ActivateActCtx(h, &cookie);
    std::remove(file.c_str());
    return h;
}

TEST_F(ThemeTest, WinesUxthemeFindsNoThemeOnClassicButtonsAndAgreesWithThePrefixOnThemedOnes) {
    HMODULE ux = LoadLibraryA("UXTHEME.DLL");
    ASSERT_NE(ux, nullptr) << "Wine ships uxtheme";
    using IsThemeActiveFn = BOOL(WINAPI*)();
    auto isThemeActive =
        reinterpret_cast<IsThemeActiveFn>(reinterpret_cast<void*>(GetProcAddress(ux, "IsThemeActive")));
    ASSERT_NE(isThemeActive, nullptr);

    // Without the common controls 6 the probe's BUTTON is the classic one: the library is released.
    EXPECT_FALSE(initTheme());
    EXPECT_FALSE(call("ISAPPTHEMED", {}).asLogical());
    EXPECT_EQ(call("OPENTHEMEDATA", {handle(window), "BUTTON"}).asInteger(), 0);

    ULONG_PTR cookie = 0;
    HANDLE ctx = activateCommonControls6(cookie);
    ASSERT_NE(ctx, INVALID_HANDLE_VALUE);
    const bool active = isThemeActive() != 0;
    EXPECT_EQ(initTheme(), active) << "prefix theme active: " << active;
    HWND button = CreateWindowExA(0, "BUTTON", "", WS_CHILD, 0, 0, 20, 20, window, nullptr, nullptr, nullptr);
    EXPECT_EQ(call("ISWINDOWTHEMED", {handle(button)}).asLogical(), active);
    rt::Value opened = call("OPENTHEMEDATA", {handle(button), "BUTTON"});
    EXPECT_EQ(opened.asInteger() != 0, active);
    call("CLOSETHEMEDATA", {opened});
    DestroyWindow(button);
    uninitTheme();
    DeactivateActCtx(0, cookie);
    ReleaseActCtx(ctx);
    FreeLibrary(ux);
}

}  // namespace
}  // namespace vorpex::theme
