// The data navigator's decisions, free of windows: which buttons a set's state enables, which button a tool-bar
// command is, and what each button does to the set. XDBNavigator (db_navigator.h) applies them to its bar.
#pragma once

#include <array>
#include <cstdint>

#include "runtime/core/value.h"

namespace vorpex::data {

inline constexpr int kNavigatorButtons = 10;
inline constexpr int64_t kNavigatorFirstId = 30001;

enum NavigatorButton { kNavFirst = 1, kNavPrevious, kNavNext, kNavLast, kNavInsert, kNavDelete, kNavEdit,
                       kNavUpdate, kNavCancel, kNavRefresh };

// What the buttons 1 to 7 depend on.
struct NavigatorView {
    bool readOnly = false;
    bool onRecord = false;     // on a visible record, not at the end of the set
    bool hasPrevious = false;  // a visible record lies before the current one
    bool hasNext = false;      // and one after it
};

// Enabled or not, buttons 1 to 7 in order (8 to 10 follow the edit state: Lock and UnLock).
std::array<bool, 7> movingButtonStates(const NavigatorView& view);

// The button a tool-bar command clicks: 1 to 10, 0 for any other command or notification.
int navigatorButtonOf(int64_t notify, int64_t id);

// The view of a set. Key positions tell the edges where they can; where hidden records (a filter, deleted
// records the order still counts) make them unsure, a quiet skip looks and the set is put back. A set that
// is editing is not moved: its buttons follow the edit state.
NavigatorView navigatorViewOf(const rt::Value& set);

// Runs button n's action on the set and answers the set's own answer.
rt::Value runNavigatorAction(const rt::Value& set, int button);

// "First" ... "Refresh": the part of the button's event and property names; "" out of range.
const char* navigatorButtonName(int button);
// The button's bitmap resource, "VP_BMP_FIRST" ... "VP_BMP_REFRESH".
const char* navigatorBitmap(int button);

}  // namespace vorpex::data
