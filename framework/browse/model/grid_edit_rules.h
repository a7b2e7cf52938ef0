// The cell editor's decisions as arithmetic: the editor mode and read-only flag each edit type gives, where its
// button lies, the typed prefix that seeks an item of its list, the Up and Down steps through the list, and
// where the drop list opens and how large it is. Tested natively; the editor window applies the answers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vorpex::browse {

// The editor's button: none, a button with three dots that asks the column for a value, a drop-down list.
enum EditorMode : int64_t { kPlainEditor = 0, kEllipsisEditor = 1, kListEditor = 2 };

// The button takes the editor's rightmost pixels; the text keeps clear of them.
inline constexpr int64_t kEditButtonWidth = 16;

struct EditorKind {
    int64_t mode = kPlainEditor;
    bool readOnly = false;  // the value comes from the button or the list only
};

// A column's nEditType as the editor it opens: 1 plain, 2 with the button, 3 with the list, 4 and 5 the same
// two read-only; 0 (and anything unknown) a plain editor.
EditorKind editorKind(int64_t editType);

// Whether a point x (client coordinates) of an editor `width` wide lies on its button.
bool onEditButton(int64_t mode, int64_t x, int64_t width);

// The first item (1-based) whose text, upper-cased, starts with the upper-cased prefix; 0 when none does.
int64_t findListPrefix(const std::vector<std::string>& items, const std::string& prefix);

// Up or Down from item `index` of `count`: one step, never before the first nor past the last.
int64_t steppedListIndex(int64_t index, int64_t count, bool down);

struct ScreenRect {
    int64_t left = 0, top = 0, right = 0, bottom = 0;
    int64_t width() const { return right - left; }
    int64_t height() const { return bottom - top; }
};

struct DropListInput {
    ScreenRect editor;        // the editor in screen coordinates
    ScreenRect workArea;      // the screen's work area
    int64_t itemHeight = 0;
    int64_t itemCount = 0;
    int64_t widestText = 0;   // the widest item text in the list's font
    int64_t scrollBarWidth = 0;
};

struct DropListPlacement {
    ScreenRect form;  // the borderless form: the list plus a one-pixel frame
    int64_t listWidth = 0, listHeight = 0;
    bool above = false;  // opened above the editor, for want of room below it
};

// Where the drop list of an editor opens: under its bottom-left corner, as wide as the editor + 5 and at most
// 120 high; shorter when every item fits, wider when an item (and a needed scroll bar) does not, the extra
// width taken from the left while that stays on the screen; above the editor when it would reach the bottom
// of the work area.
DropListPlacement dropListPlacement(const DropListInput& in);

}  // namespace vorpex::browse
