// The window styles of each form border style, and the window class name a plain form takes from it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vorpex {

inline constexpr int bsNONE = 0, bsSINGLE = 1, bsSIZEABLE = 2, bsDIALOG = 3, bsTOOLWINDOW = 4, bsSIZETOOLWIN = 5,
                     bsSPLASH = 6;

inline constexpr int64_t kWsOverlappedWindow = 0xCF0000, kWsClipChildren = 0x2000000, kWsClipSiblings = 0x4000000,
                         kWsHScroll = 0x100000, kWsVScroll = 0x200000, kWsPopup = 0x80000000,
                         kWsCaption = 0xC00000, kWsSysMenu = 0x80000, kWsThickFrame = 0x40000,
                         kWsMinimizeBox = 0x20000, kWsMaximizeBox = 0x10000, kWsBorder = 0x800000,
                         kWsDlgFrame = 0x400000, kWsChild = 0x40000000;
inline constexpr int64_t kWsExDlgModalFrame = 1, kWsExTopmost = 8, kWsExMdiChild = 0x40, kWsExToolWindow = 0x80,
                         kWsExWindowEdge = 0x100, kWsExContextHelp = 0x400, kWsExControlParent = 0x10000,
                         kWsExAppWindow = 0x40000;
inline constexpr int64_t kCsSaveBits = 0x800, kCsDropShadow = 0x20000;

struct FormStyles {
    std::string className;
    int64_t style = 0;
    int64_t exStyle = 0;
    int64_t classStyle = 0;
    friend bool operator==(const FormStyles&, const FormStyles&) = default;
};

// The styles of border style `n` (0..6), the class style `classStyle` kept or extended (the splash screen's
// drop shadow only from Windows version 5.x on, `winVer` > 5). Nothing for any other value: the styles stay.
std::optional<FormStyles> formStyles(int n, int64_t classStyle, double winVer);

// Whether a form's class name is one of the seven style names, which a plain form swaps for the name of its
// current style; a program's own form classes keep theirs.
bool isStyleClassName(std::string_view className);

}  // namespace vorpex
