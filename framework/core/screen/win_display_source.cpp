// The display as Win32 reports it.
#include <windows.h>

#include "framework/core/native/win_window.h"
#include "framework/core/screen/display_source.h"

namespace vorpex {

namespace {

BOOL CALLBACK collectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    reinterpret_cast<std::vector<intptr_t>*>(list)->push_back(reinterpret_cast<intptr_t>(monitor));
    return TRUE;
}

class Win32Display final : public DisplaySource {
public:
    ScreenMetrics metrics() override {
        ScreenMetrics m;
        m.desktop = win::fromHandle(GetDesktopWindow());
        RECT work{};
        if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) m.workArea = win::toRect(work);
        m.width = GetSystemMetrics(SM_CXSCREEN);
        m.height = GetSystemMetrics(SM_CYSCREEN);
        m.smallCaptionHeight = GetSystemMetrics(SM_CYSMCAPTION);
        return m;
    }

    std::optional<DisplayCaps> caps() override {
        HDC dc = CreateCompatibleDC(nullptr);
        if (!dc) return std::nullopt;
        DisplayCaps c{GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY), GetDeviceCaps(dc, BITSPIXEL),
                      GetDeviceCaps(dc, PLANES),     GetDeviceCaps(dc, HORZRES),   GetDeviceCaps(dc, VERTRES),
                      GetDeviceCaps(dc, HORZSIZE),   GetDeviceCaps(dc, VERTSIZE)};
        DeleteDC(dc);
        return c;
    }

    std::vector<intptr_t> monitors() override {
        std::vector<intptr_t> list;
        EnumDisplayMonitors(nullptr, nullptr, collectMonitor, reinterpret_cast<LPARAM>(&list));
        return list;
    }

    std::optional<MonitorFacts> monitorInfo(intptr_t monitor) override {
        MONITORINFOEXA info{};
        info.cbSize = sizeof info;
        if (!monitor || !GetMonitorInfoA(reinterpret_cast<HMONITOR>(monitor), &info)) return std::nullopt;
        // szDevice is NUL-terminated by the system; the bound keeps a faulty driver from over-reading.
        std::string name(info.szDevice, strnlen(info.szDevice, sizeof info.szDevice));
        return MonitorFacts{monitor, std::move(name), (info.dwFlags & MONITORINFOF_PRIMARY) != 0,
                            win::toRect(info.rcMonitor), win::toRect(info.rcWork)};
    }

    intptr_t monitorFromWindow(intptr_t window, int flags) override {
        return reinterpret_cast<intptr_t>(MonitorFromWindow(win::toHwnd(window), static_cast<DWORD>(flags)));
    }

    intptr_t createDisplayDC() override {
        return reinterpret_cast<intptr_t>(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
    }

    bool deleteDC(intptr_t dc) override { return dc && DeleteDC(reinterpret_cast<HDC>(dc)); }
};

}  // namespace

DisplaySource& platformDisplaySource() {
    static Win32Display display;
    return display;
}

}  // namespace vorpex
