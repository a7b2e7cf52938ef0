// The tool bar's decisions, apart from the window: the native button records built from the button objects,
// the alignment styles, which button a command, a tip request or an access key means, and the sizes the bar
// takes. Buttons are numbered from 1 for callers; the native command id of button n is 30000 + n.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorpex::toolbar {

inline constexpr int64_t kFirstCommand = 30000;
// Native button states and styles.
inline constexpr int64_t kStateChecked = 1, kStateEnabled = 4, kStateHidden = 8;
inline constexpr int64_t kStyleSeparator = 1, kStyleGroup = 4, kStyleDropDown = 8, kStyleAutoSize = 16,
                         kStyleShowText = 64, kStyleWholeDropDown = 128;
inline constexpr int64_t kNoImage = -2;

// What the bar's records need to know of one button object.
struct ButtonSpec {
    bool separator = false;
    int64_t image = 0;  // 1-based; for a separator its width
    std::string text;
    bool enabled = true, checked = false, visible = true;
    bool autoSize = false, group = false;
    bool hasMenu = false, hasClick = false;
};

// What of the bar the records depend on.
struct BarSizing {
    int64_t buttonWidth = 0, buttonHeight = 0;
    bool list = false;
};

struct ButtonRecord {
    int64_t image = 0;
    int64_t command = 0;
    int64_t state = 0;
    int64_t style = 0;
    std::optional<std::string> text;  // none: no text (-1)
    friend bool operator==(const ButtonRecord&, const ButtonRecord&) = default;
};

// The record of the button at 1-based `position`.
ButtonRecord buttonRecord(const ButtonSpec& button, int64_t position, const BarSizing& bar);
// The style a button's information update sets: the record's, plus "show text" for a button with text.
int64_t infoStyle(const ButtonSpec& button, const BarSizing& bar);
// The image index sent to the control: 1-based to 0-based, none as -2.
int64_t nativeImage(int64_t image);

// The bar's window style for an alignment (1 left, 2 top, 3 right, 4 bottom): the other alignment styles go.
int64_t alignedStyle(int64_t style, int64_t align);
// Vertical bars always wrap their buttons.
bool wraps(int64_t align, bool wrapable);

// The 0-based button of a command from the bar (notification code 0, ids 30001 to 30000 + count).
std::optional<size_t> commandButton(int64_t code, int64_t id, size_t count);
// The 0-based button a tip or drop-down request names, when it is still one of the bar's: requests arrive
// after the fact, and the button may be gone.
std::optional<size_t> requestedButton(int64_t id, size_t count);

// The access key of a text: the upper-case character after its first single "&" ("&&" is a plain ampersand).
std::optional<char> accessKey(std::string_view text);
// The 0-based first button whose access key is `key` (either case).
std::optional<size_t> buttonForKey(const std::vector<std::string>& texts, char key);

// What a border style adds to the bar's height.
int64_t borderAllowance(int64_t borderStyle);

// `value` * scale / 100, rounded as the platform's MulDiv rounds.
int64_t scaled(int64_t value, int64_t scale);

}  // namespace vorpex::toolbar
