// The decisions of the standard controls, kept apart from windows so that they are tested natively: the
// label's inset, measuring and painting flags; the button's click outcome and style bits; the edit's value
// text, alignment, colour choice, limit answer and overwrite selection; the memo's caret arithmetic.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "framework/core/form/modal_results.h"
#include "runtime/core/value.h"

namespace vorpex::stdctl {

// ---- label

// The border inset: 1 for border styles 1, 2 and 7; 2 for 3 to 6; none otherwise.
int64_t labelInset(int64_t borderStyle);
// DrawText flags for measuring: DT_CALCRECT, with DT_WORDBREAK when multi-line and the alignment's bit.
unsigned labelMeasureFlags(bool multiLine, int64_t alignment);
// The extra DrawText flags of the paint: word break when multi-line, none when sized to the text, else an
// ellipsis at the end.
unsigned labelPaintFlags(bool multiLine, bool autoSize);
struct Extent {
    int64_t width = 0, height = 0;
    friend bool operator==(const Extent&, const Extent&) = default;
};
// The size for a text measured into a rectangle ending at (right, bottom).
inline Extent labelExtent(int64_t inset, int64_t right, int64_t bottom) { return {inset + right + 1, inset + bottom + 1}; }
inline bool hasLineBreak(std::string_view text) { return text.find("\r\n") != std::string_view::npos; }

// ---- button

inline constexpr int64_t kBsDefPushButton = 1, kBsIcon = 64, kBsBitmap = 128, kBsLeft = 256, kBsRight = 512,
                         kBsTop = 1024, kBsBottom = 2048, kBsMultiLine = 8192;

// Whether a click closes the form: the button carries a modal result and OnClick did not answer false.
bool clickCloses(int64_t modalResult, const rt::Value& handlerAnswer);
// Horizontal alignment: 0 BS_LEFT alone, 2 BS_RIGHT alone, anything else neither (centred).
int64_t buttonAlignmentStyle(int64_t style, int64_t alignment);
// Vertical alignment: 0 BS_TOP, 2 BS_BOTTOM, anything else neither.
int64_t buttonVAlignmentStyle(int64_t style, int64_t vAlignment);
// SetImage: type 0 sets BS_BITMAP and type 1 BS_ICON while there is an image; other types touch nothing.
int64_t buttonImageStyle(int64_t style, int64_t type, intptr_t image);
// A release at (x, y) outside a button of that size.
inline bool outside(int64_t x, int64_t y, int64_t width, int64_t height) {
    return x < 0 || x >= width || y < 0 || y >= height;
}

// The check box or radio button the framework draws itself: the 13 by 13 box and the room left for the text.
struct Box {
    int64_t left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const Box&, const Box&) = default;
};
struct CheckBoxLayout {
    Box box, text;
    friend bool operator==(const CheckBoxLayout&, const CheckBoxLayout&) = default;
};
// Alignment 0 puts the text at the left and the box at the right edge; any other the box first. The box's top
// follows the vertical alignment (0 top, 1 centre, 2 bottom).
CheckBoxLayout checkBoxLayout(int64_t width, int64_t height, int64_t aveCharWidth, int64_t alignment,
                              int64_t vAlignment);
// The top of a measured text of `textHeight` in a control `height` high, by the vertical alignment.
int64_t checkTextTop(int64_t height, int64_t textHeight, int64_t vAlignment);

// ---- edit

// SetValue's text: TOSTRING with "" as default, trailing blanks trimmed unless raw.
std::string editText(const rt::Value& value, bool raw);
// ES_CENTER for 6, ES_RIGHT for 2, neither for 0 (NIL counts as 0); nothing for any other value.
std::optional<int64_t> editAlignmentStyle(int64_t style, const rt::Value& alignment);
// Which colours answer a colour request: disabled first, then focused, then the normal ones.
enum class ColorSet { Disabled, Focused, Normal };
inline ColorSet colorSet(bool enabled, bool focused) {
    return !enabled ? ColorSet::Disabled : focused ? ColorSet::Focused : ColorSet::Normal;
}
// GetMaxLength: with a window and a limit of the program's own, the window's answer (-1 past 0x40000000);
// otherwise the stored limit.
int64_t maxLengthAnswer(int64_t stored, bool windowExists, int64_t windowAnswer);

struct Selection {
    int64_t start = 0, end = 0;
    friend bool operator==(const Selection&, const Selection&) = default;
};
// Overwrite mode: the selection that makes a typed character replace the one after the caret. Nothing when
// text is selected, for Backspace and control characters, at the end of the text, and before a line break
// (a CR/LF pair is never split; the character is inserted instead).
std::optional<Selection> overwriteSelection(std::string_view text, Selection current, int64_t character);

// A style setter's argument: NIL means true; a stored NIL applied at creation means false.
inline bool setterFlag(const rt::Value& v) { return v.isNil() || v.asLogical(); }
inline bool storedFlag(const rt::Value& v) { return v.isLogical() && v.asLogical(); }

}  // namespace vorpex::stdctl
