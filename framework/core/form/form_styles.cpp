#include "framework/core/form/form_styles.h"

#include <array>

#include "runtime/core/symbol.h"

namespace vorpex {

namespace {

constexpr std::array<const char*, 7> kNames = {"TFormNone", "TFormSingle", "TForm",  "TDialog",
                                               "TToolWindow", "TSizeToolWin", "TSplash"};

constexpr int64_t kBase = kWsCaption | kWsClipSiblings | kWsClipChildren | kWsSysMenu;

}  // namespace

std::optional<FormStyles> formStyles(int n, int64_t classStyle, double winVer) {
    if (n < bsNONE || n > bsSPLASH) return std::nullopt;
    FormStyles s{kNames[static_cast<size_t>(n)], kBase, 0, classStyle};
    switch (n) {
        case bsNONE: s.style = kWsPopup | kWsClipSiblings | kWsClipChildren; break;
        case bsSINGLE: break;
        case bsSIZEABLE: s.style |= kWsThickFrame | kWsMinimizeBox | kWsMaximizeBox; break;
        case bsDIALOG:
            s.style = kWsBorder | kWsDlgFrame | kWsSysMenu | kWsClipSiblings | kWsClipChildren;
            s.exStyle = kWsExDlgModalFrame | kWsExWindowEdge;
            s.classStyle |= kCsSaveBits;
            break;
        case bsTOOLWINDOW: s.exStyle = kWsExToolWindow; break;
        case bsSIZETOOLWIN:
            s.style |= kWsThickFrame;
            s.exStyle = kWsExToolWindow;
            break;
        case bsSPLASH:
            s.style = kWsPopup | kWsClipChildren | kWsDlgFrame;
            s.exStyle = kWsExTopmost;
            if (winVer > 5) s.classStyle |= kCsDropShadow;
            break;
    }
    return s;
}

bool isStyleClassName(std::string_view className) {
    for (const char* name : kNames)
        if (rt::equalsIgnoreCase(className, name)) return true;
    return false;
}

}  // namespace vorpex
