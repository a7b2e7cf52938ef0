#include "framework/data/data_controls/navigator_rules.h"

#include "framework/core/object/optional_send.h"
#include "runtime/core/send.h"

namespace vorpex::data {

namespace {

using rt::Value;

struct ButtonText {
    const char* name;
    const char* bitmap;
};

constexpr ButtonText kButtons[kNavigatorButtons] = {
    {"First", "VP_BMP_FIRST"},   {"Previous", "VP_BMP_PREV"}, {"Next", "VP_BMP_NEXT"},
    {"Last", "VP_BMP_LAST"},     {"Insert", "VP_BMP_INSERT"}, {"Delete", "VP_BMP_DELETE"},
    {"Edit", "VP_BMP_EDIT"},     {"Update", "VP_BMP_OK"},     {"Cancel", "VP_BMP_CANCEL"},
    {"Refresh", "VP_BMP_REFRESH"}};

bool answers(const Value& set, const char* message) { return sendIfUnderstood(set, message).asLogical(); }

// Whether a visible record lies `step` rows away: a quiet skip there and back to the record it was on.
bool visibleStep(const Value& set, int step) {
    const Value record = rt::send(set, "Recno");
    const bool moved = rt::send(set, "nSkip", {Value(step), Value(false)}).asInteger() != 0;
    rt::send(set, "GoTo", {record, Value(false)});
    return moved;
}

}  // namespace

std::array<bool, 7> movingButtonStates(const NavigatorView& v) {
    const bool writable = !v.readOnly;
    return {v.hasPrevious, v.hasPrevious, v.onRecord && v.hasNext, v.onRecord && v.hasNext, writable,
            writable && v.onRecord, writable && v.onRecord};
}

int navigatorButtonOf(int64_t notify, int64_t id) {
    if (notify != 0 || id < kNavigatorFirstId || id >= kNavigatorFirstId + kNavigatorButtons) return 0;
    return static_cast<int>(id - kNavigatorFirstId + 1);
}

NavigatorView navigatorViewOf(const Value& set) {
    NavigatorView view;
    if (!set.isObject() || !answers(set, "lOpen")) return view;
    view.readOnly = answers(set, "IsReadOnly");
    view.onRecord = !answers(set, "Eof");
    if (answers(set, "lOnEdit") || answers(set, "lOnAppend")) return view;
    const int64_t key = rt::send(set, "KeyNo").asInteger(), count = rt::send(set, "KeyCount").asInteger();
    view.hasPrevious = key > 1 && visibleStep(set, -1);
    view.hasNext = view.onRecord && key < count && visibleStep(set, 1);
    return view;
}

Value runNavigatorAction(const Value& set, int button) {
    switch (button) {
        case kNavFirst: return rt::send(set, "GoTop");
        case kNavPrevious: return rt::send(set, "nSkip", {Value(-1)});
        case kNavNext: return rt::send(set, "nSkip", {Value(1)});
        case kNavLast: return rt::send(set, "GoBottom");
        case kNavInsert: return rt::send(set, "AddNew");
        case kNavDelete: return rt::send(set, "Delete");
        case kNavEdit: return rt::send(set, "Edit");
        case kNavUpdate: return rt::send(set, "Update");
        case kNavCancel: {
            const Value cancelled = rt::send(set, "Cancel");
            rt::send(set, "Skip", {Value(0)});
            return cancelled;
        }
        case kNavRefresh: return rt::send(set, "RefreshCurrent");
        default: return {};
    }
}

const char* navigatorButtonName(int button) {
    return button >= 1 && button <= kNavigatorButtons ? kButtons[button - 1].name : "";
}

const char* navigatorBitmap(int button) {
    return button >= 1 && button <= kNavigatorButtons ? kButtons[button - 1].bitmap : "";
}

}  // namespace vorpex::data
