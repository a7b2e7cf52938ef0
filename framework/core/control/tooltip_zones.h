// The bookkeeping of a control's tools in one of the application's shared tip windows: either one tool for
// the whole window or rectangle tools ("zones"), each with its own id. The ids are remembered, so removing
// the tips removes every zone, also zones registered with an id of their own, and a destroyed window leaves
// no tool behind.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "runtime/core/value.h"

namespace vorpex::ctl {

// What the zones ask of the tip window (the application's TTooltip or TBalloon object).
class TipSink {
public:
    virtual ~TipSink() = default;
    virtual void addWindowTool() = 0;
    virtual void addZone(const rt::Value& rect, int64_t id) = 0;
    virtual void updateWindowTool() = 0;
    virtual void deleteWindowTool() = 0;
    virtual void deleteZone(int64_t id) = 0;
};

class TooltipZones {
public:
    // SetTooltip with a window: `text` empty removes every tool; otherwise a rectangle adds a zone (with
    // `id`, by default the new count) and no rectangle makes or refreshes the whole-window tool.
    void apply(TipSink& sink, bool hasText, const rt::Value& rect, std::optional<int64_t> id);
    // The window is gone (or the tips are dropped): every registered tool is deleted.
    void clear(TipSink& sink);

    bool registered() const { return registered_; }
    int64_t zoneCount() const { return static_cast<int64_t>(zones_.size()); }
    const std::vector<int64_t>& zoneIds() const { return zones_; }

private:
    void deleteAll(TipSink& sink);

    bool registered_ = false;
    std::vector<int64_t> zones_;
};

}  // namespace vorpex::ctl
