#include "framework/core/control/tooltip_zones.h"

namespace vorpex::ctl {

void TooltipZones::deleteAll(TipSink& sink) {
    if (zones_.empty()) {
        sink.deleteWindowTool();
        return;
    }
    for (int64_t id : zones_) sink.deleteZone(id);
    zones_.clear();
}

void TooltipZones::apply(TipSink& sink, bool hasText, const rt::Value& rect, std::optional<int64_t> id) {
    if (!hasText) {
        clear(sink);
        return;
    }
    if (!rect.isArray()) {
        if (!registered_) {
            sink.addWindowTool();
        } else if (!zones_.empty()) {
            deleteAll(sink);
            sink.addWindowTool();
        } else {
            sink.updateWindowTool();
        }
        registered_ = true;
        return;
    }
    if (registered_ && zones_.empty()) sink.deleteWindowTool();
    const int64_t zoneId = id.value_or(zoneCount() + 1);
    zones_.push_back(zoneId);
    sink.addZone(rect, zoneId);
    registered_ = true;
}

void TooltipZones::clear(TipSink& sink) {
    if (registered_) deleteAll(sink);
    zones_.clear();
    registered_ = false;
}

}  // namespace vorpex::ctl
