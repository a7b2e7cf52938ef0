// Where there is no Windows there is no display: every reading is empty.
#include "framework/core/screen/display_source.h"

namespace vorpex {

namespace {

class NoDisplay final : public DisplaySource {
public:
    ScreenMetrics metrics() override { return {}; }
    std::optional<DisplayCaps> caps() override { return std::nullopt; }
    std::vector<intptr_t> monitors() override { return {}; }
    std::optional<MonitorFacts> monitorInfo(intptr_t) override { return std::nullopt; }
    intptr_t monitorFromWindow(intptr_t, int) override { return 0; }
    intptr_t createDisplayDC() override { return 0; }
    bool deleteDC(intptr_t) override { return false; }
};

}  // namespace

DisplaySource& platformDisplaySource() {
    static NoDisplay none;
    return none;
}

}  // namespace vorpex
