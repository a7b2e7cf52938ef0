#include "framework/controls/tooltip/tip_rules.h"

namespace vorpex::tip {

ToolKey registeredTool(intptr_t controlWindow, intptr_t formWindow, std::optional<int64_t> zoneId) {
    if (zoneId) return {kSubclass, controlWindow, static_cast<intptr_t>(*zoneId)};
    return {kIdIsHwnd | kSubclass | kTransparent, formWindow, controlWindow};
}

ToolKey trackingTool(intptr_t controlWindow, intptr_t formWindow) {
    return {kIdIsHwnd | kTrack, formWindow, controlWindow};
}

namespace {

bool nonEmptyText(const rt::Value& v) { return v.isString() && !v.asString().empty(); }

}  // namespace

std::optional<Title> tipTitle(const rt::Value& ownTitle, const rt::Value& ownIcon, const rt::Value& controlTitle,
                              const rt::Value& controlIcon) {
    if (nonEmptyText(ownTitle)) return Title{ownTitle.asString(), ownIcon.isNumber() ? ownIcon.asInteger() : 0};
    if (nonEmptyText(controlTitle))
        return Title{controlTitle.asString(), controlIcon.isNumber() ? controlIcon.asInteger() : 0};
    return std::nullopt;
}

std::string trackingText(const rt::Value& ownText, const rt::Value& controlText) {
    if (ownText.isString()) return ownText.asString();
    return controlText.isString() ? controlText.asString() : std::string();
}

}  // namespace vorpex::tip
