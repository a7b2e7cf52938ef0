#include <windows.h>

#include <vector>

#include "framework/core/startup/startup_platform.h"

#include "framework/core/gdi/win_gdi.h"
#include "framework/core/native/win_window.h"
#include "framework/core/window/window_proc.h"

namespace vorpex::platform {

int showCrashText(const std::string& text) {
    OutputDebugStringA(text.c_str());
    return MessageBoxA(nullptr, text.c_str(), "Error", MB_TASKMODAL | MB_ICONERROR);
}

void exitProcess(int code) { ExitProcess(static_cast<UINT>(code)); }

std::string moduleFileName(intptr_t module) {
    // Deep folders (Wine maps the whole Unix tree under Z:) outgrow any fixed buffer: grow until it fits.
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameA(reinterpret_cast<HMODULE>(module), buffer.data(),
                                     static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) return std::string(buffer.data(), n);
        if (buffer.size() >= 32768) return std::string(buffer.data(), n);
        buffer.resize(buffer.size() * 2);
    }
}

void wireServices(const std::function<std::vector<intptr_t>()>& modules) {
    win::setResourceModules(modules);
    win::setFrameworkWindowProc(reinterpret_cast<WNDPROC>(windowProcAddress()));
}

}  // namespace vorpex::platform
