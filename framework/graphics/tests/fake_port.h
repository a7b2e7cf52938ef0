// A graphics port that hands out numbered handles and remembers every call, so that tests can see which
// creator was called with what, and which handles are still alive.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "framework/graphics/graphics_port.h"

namespace vorpex::testing {

class FakePort final : public gfx::GraphicsPort {
public:
    struct Call {
        std::string what;
        std::vector<int64_t> args;
    };
    std::vector<Call> calls;
    std::vector<gfx::LogFont> fonts;  // every font record asked for
    std::set<intptr_t> live;          // made and not yet deleted or destroyed
    std::set<intptr_t> deletedTwice;
    std::map<intptr_t, int64_t> dpiOfDC{{0, 96}};
    std::set<std::string> resources{"VP_CUR_DRAG", "VP_CUR_SPLITTERH", "VP_ICO_VORPEX"};
    intptr_t next = 100;

    FakePort() { gfx::setGraphicsPort(this); }
    ~FakePort() override { gfx::setGraphicsPort(nullptr); }

    intptr_t make(std::string what, std::vector<int64_t> args = {}) {
        calls.push_back({std::move(what), std::move(args)});
        live.insert(next);
        return next++;
    }
    bool release(std::string what, intptr_t h) {
        calls.push_back({std::move(what), {h}});
        if (!live.erase(h)) deletedTwice.insert(h);
        return true;
    }
    const Call& last() const { return calls.back(); }

    intptr_t createFont(const gfx::LogFont& f) override {
        fonts.push_back(f);
        return make("font");
    }
    int64_t logPixelsY(intptr_t dc) override { return dpiOfDC.count(dc) ? dpiOfDC[dc] : 0; }
    gfx::TextExtent textExtent(intptr_t font, const std::string& text, intptr_t) override {
        return {static_cast<int64_t>(text.size()) * 7, font ? 13 : 0};
    }
    intptr_t createSolidBrush(int64_t c) override { return make("solid", {c}); }
    intptr_t createHatchBrush(int64_t s, int64_t c) override { return make("hatch", {s, c}); }
    intptr_t createPatternBrush(intptr_t b) override { return make("pattern", {b}); }
    intptr_t createBrushIndirect(int64_t s, int64_t c, int64_t h) override { return make("indirect", {s, c, h}); }
    intptr_t createPen(int64_t s, int64_t w, int64_t c) override { return make("pen", {s, w, c}); }
    bool deleteObject(intptr_t h) override { return release("delete", h); }

    intptr_t loadSystemCursor(int64_t id) override { return make("system cursor", {id}); }
    intptr_t loadResourceCursor(const std::string& name) override {
        return resources.count(name) ? make("resource cursor " + name) : 0;
    }
    intptr_t loadCursorFile(const std::string& file) override {
        return file.ends_with(".cur") ? make("cursor file " + file) : 0;
    }
    bool destroyCursor(intptr_t h) override { return release("destroy cursor", h); }
    intptr_t loadSystemIcon(int64_t id) override { return make("system icon", {id}); }
    intptr_t loadResourceIcon(const std::string& name, int64_t w, int64_t h) override {
        return resources.count(name) ? make("resource icon " + name, {w, h}) : 0;
    }
    intptr_t extractIcon(const std::string& file, int64_t index) override {
        return file.ends_with(".ico") ? make("icon file " + file, {index}) : 0;
    }
    bool destroyIcon(intptr_t h) override { return release("destroy icon", h); }
    bool drawIcon(intptr_t dc, int64_t x, int64_t y, intptr_t icon, int64_t w, int64_t h) override {
        calls.push_back({"draw icon", {dc, x, y, icon, w, h}});
        return true;
    }
};

}  // namespace vorpex::testing
