#include "framework/controls/toolbar/toolbar_rules.h"

#include <cctype>

#include "framework/core/form/shortcut_table.h"

namespace vorpex::toolbar {

namespace {

int64_t buttonStyle(const ButtonSpec& button, const BarSizing& bar) {
    if (button.separator) return kStyleSeparator;
    int64_t style = 0;
    if (button.autoSize || bar.buttonWidth == 0 || bar.buttonHeight == 0 || bar.list) style |= kStyleAutoSize;
    if (button.group) style |= kStyleGroup;
    if (button.hasMenu) style |= button.hasClick ? kStyleDropDown : kStyleWholeDropDown;
    return style;
}

}  // namespace

int64_t nativeImage(int64_t image) { return image - 1 < 0 ? kNoImage : image - 1; }

ButtonRecord buttonRecord(const ButtonSpec& button, int64_t position, const BarSizing& bar) {
    ButtonRecord r;
    r.image = button.separator ? button.image : nativeImage(button.image);
    r.command = kFirstCommand + position;
    r.state = (button.enabled ? kStateEnabled : 0) | (button.checked ? kStateChecked : 0) |
              (button.visible ? 0 : kStateHidden);
    r.style = buttonStyle(button, bar);
    if (!button.separator && !button.text.empty()) r.text = button.text;
    return r;
}

int64_t infoStyle(const ButtonSpec& button, const BarSizing& bar) {
    if (button.separator) return kStyleSeparator;
    return buttonStyle(button, bar) | kStyleShowText;
}

int64_t alignedStyle(int64_t style, int64_t align) {
    style &= ~int64_t{1 | 3 | 129 | 131};
    switch (align) {
        case 1: return style | 129;
        case 2: return style | 1;
        case 3: return style | 131;
        case 4: return style | 3;
        default: return style;
    }
}

bool wraps(int64_t align, bool wrapable) { return wrapable || align == 1 || align == 3; }

std::optional<size_t> requestedButton(int64_t id, size_t count) {
    const int64_t n = id - kFirstCommand;
    if (n < 1 || n > static_cast<int64_t>(count)) return std::nullopt;
    return static_cast<size_t>(n - 1);
}

std::optional<size_t> commandButton(int64_t code, int64_t id, size_t count) {
    if (code != 0) return std::nullopt;
    return requestedButton(id, count);
}

std::optional<char> accessKey(std::string_view text) { return shortcutLetter(text); }

std::optional<size_t> buttonForKey(const std::vector<std::string>& texts, char key) {
    const char wanted = static_cast<char>(std::toupper(static_cast<unsigned char>(key)));
    for (size_t i = 0; i < texts.size(); ++i)
        if (accessKey(texts[i]) == wanted) return i;
    return std::nullopt;
}

int64_t borderAllowance(int64_t borderStyle) {
    if (borderStyle == 1 || borderStyle == 2 || borderStyle == 7) return 1;
    if (borderStyle >= 3 && borderStyle <= 6) return 2;
    return 0;
}

int64_t scaled(int64_t value, int64_t scale) {
    const int64_t product = value * scale;
    return (product >= 0 ? product + 50 : product - 50) / 100;
}

}  // namespace vorpex::toolbar
