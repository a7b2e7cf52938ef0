#include "framework/controls/updown/updown_rules.h"

#include <limits>

namespace vorpex::updown {

namespace {

bool fitsUnsigned(const rt::Value& v) {
    return v.isNumber() && v.asInteger() >= 0 && v.asInteger() <= std::numeric_limits<uint32_t>::max();
}

}  // namespace

std::vector<Accel> accelTable(const rt::Value& list) {
    std::vector<Accel> table;
    if (!list.isArray()) return table;
    for (const rt::Value& element : list.asArray()->items) {
        if (!element.isArray() || element.asArray()->size() < 2) continue;
        const rt::Value& seconds = element.asArray()->at1(1);
        const rt::Value& increment = element.asArray()->at1(2);
        if (!fitsUnsigned(seconds) || !fitsUnsigned(increment)) continue;
        table.push_back({static_cast<uint32_t>(seconds.asInteger()), static_cast<uint32_t>(increment.asInteger())});
    }
    return table;
}

bool stepRefused(const rt::Value& answer) {
    if (answer.isLogical()) return answer.asLogical();
    return answer.isNumber() && answer.asInteger() != 0;
}

int64_t buddyRoom(int64_t upDownWidth, bool aligned, intptr_t attached, intptr_t buddy) {
    if (!aligned || !buddy) return 0;
    return upDownWidth - (attached ? 0 : 1);
}

}  // namespace vorpex::updown
