#include <windows.h>

#include "framework/core/gdi/message_box_platform.h"
#include "framework/core/native/win_system.h"

namespace vorpex::platform {

int showMessageBox(const MessageBoxRequest& r) {
    return MessageBoxA(reinterpret_cast<HWND>(r.owner), r.text.c_str(), r.caption.c_str(), r.type);
}

intptr_t activeWindow() { return reinterpret_cast<intptr_t>(GetActiveWindow()); }

std::string programName() {
    std::string path = win::moduleFileName(nullptr);
    const size_t slash = path.find_last_of("\\/:");
    if (slash != std::string::npos) path.erase(0, slash + 1);
    const size_t dot = path.rfind('.');
    if (dot != std::string::npos && dot > 0) path.erase(dot);
    return path;
}

}  // namespace vorpex::platform
