#include "framework/browse/model/grid_edit_rules.h"

#include <algorithm>
#include <cctype>

namespace vorpex::browse {

namespace {

constexpr int64_t kListFormHeight = 120;
constexpr int64_t kListExtraWidth = 5;  // the list reaches a little past the editor, over the button
constexpr int64_t kTextPadding = 6;

std::string upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

EditorKind editorKind(int64_t editType) {
    switch (editType) {
        case 2: return {kEllipsisEditor, false};
        case 3: return {kListEditor, false};
        case 4: return {kEllipsisEditor, true};
        case 5: return {kListEditor, true};
        default: return {kPlainEditor, false};
    }
}

bool onEditButton(int64_t mode, int64_t x, int64_t width) {
    return mode != kPlainEditor && x > width - kEditButtonWidth;
}

int64_t findListPrefix(const std::vector<std::string>& items, const std::string& prefix) {
    const std::string wanted = upper(prefix);
    for (size_t i = 0; i < items.size(); ++i)
        if (upper(items[i]).rfind(wanted, 0) == 0) return static_cast<int64_t>(i) + 1;
    return 0;
}

int64_t steppedListIndex(int64_t index, int64_t count, bool down) {
    if (count <= 0) return 0;
    return std::clamp<int64_t>(index + (down ? 1 : -1), 1, count);
}

DropListPlacement dropListPlacement(const DropListInput& in) {
    DropListPlacement out;
    int64_t left = in.editor.left;
    const int64_t formWidth = in.editor.width() + kListExtraWidth;
    out.listWidth = formWidth - 2;
    out.listHeight = kListFormHeight - 2;
    int64_t allowance = kTextPadding;
    const int64_t allItems = in.itemHeight * in.itemCount;
    if (allItems <= out.listHeight)
        out.listHeight = allItems;
    else
        allowance += in.scrollBarWidth;
    const int64_t needed = in.widestText + allowance;
    if (needed > out.listWidth) {
        const int64_t extra = needed - out.listWidth;
        out.listWidth = needed;
        if (left - extra >= in.workArea.left) left -= extra;  // right edges stay aligned
    }
    int64_t top = in.editor.bottom;
    const int64_t width = out.listWidth + 2, height = out.listHeight + 2;
    if (top + height >= in.workArea.bottom) {
        top -= in.editor.height() + height + 4;
        out.above = true;
    }
    out.form = {left, top, left + width, top + height};
    return out;
}

}  // namespace vorpex::browse
