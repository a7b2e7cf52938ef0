#include "framework/core/window/window_link.h"

#include <utility>

namespace vorpex {

LinkRegistry::~LinkRegistry() { terminate(); }

WindowLink* LinkRegistry::link(rt::ObjectPtr object, intptr_t hWnd, bool mdiChild, std::string_view baseClass) {
    if (hWnd) {
        if (WindowLink* existing = find(hWnd)) {
            // Linked again (the object was re-created around the same window): the window keeps its record and
            // its chain of procedures; only the owner changes.
            existing->object = std::move(object);
            return existing;
        }
    }
    auto record = std::make_unique<WindowLink>();
    WindowLink* r = record.get();
    r->object = std::move(object);
    r->mdiChild = mdiChild;
    if ((!hWnd || port_.isChild(hWnd)) && !baseClass.empty()) {
        intptr_t base = port_.classProcedure(baseClass);
        if (base != port_.frameworkProcedure()) r->previousProcedure = base;
    }
    live_.emplace(r, std::move(record));

    if (!hWnd) {
        if (pending_) release(pending_);  // linked but never created: nobody will adopt it
        pending_ = r;
        return r;
    }
    if (!attach(*r, hWnd)) {
        release(r);
        return nullptr;
    }
    // Subclass only now that the record is in place: a subclassed window without its record would lose the
    // control's own procedure.
    intptr_t current = port_.procedure(hWnd);
    r->previousProcedure = current == port_.frameworkProcedure() ? 0 : current;
    port_.setProcedure(hWnd, port_.frameworkProcedure());
    return r;
}

WindowLink* LinkRegistry::adopt(intptr_t hWnd) {
    if (!hWnd) return nullptr;
    if (WindowLink* existing = find(hWnd)) return existing;
    WindowLink* r = std::exchange(pending_, nullptr);
    if (!r) return nullptr;
    if (!attach(*r, hWnd)) {
        release(r);
        return nullptr;
    }
    return r;
}

void LinkRegistry::clearPending() {
    if (WindowLink* r = std::exchange(pending_, nullptr)) release(r);
}

bool LinkRegistry::attach(WindowLink& r, intptr_t hWnd) {
    r.hWnd = hWnd;
    r.child = port_.isChild(hWnd);
    if (r.previousProcedure == port_.frameworkProcedure()) r.previousProcedure = 0;
    port_.setUserData(hWnd, reinterpret_cast<intptr_t>(&r));
    // The store fails for a window that is gone or belongs to another process.
    return port_.userData(hWnd) == reinterpret_cast<intptr_t>(&r);
}

WindowLink* LinkRegistry::find(intptr_t hWnd) {
    if (!hWnd) return nullptr;
    intptr_t data = port_.userData(hWnd);
    if (!data) return nullptr;
    // Membership first: the value is only compared, never dereferenced, until it is known to be ours.
    auto it = live_.find(reinterpret_cast<const WindowLink*>(data));
    if (it == live_.end()) return nullptr;
    WindowLink* r = it->second.get();
    return r->magic == WindowLink::kMagic && r->hWnd == hWnd && !r->unlinked ? r : nullptr;
}

bool LinkRegistry::unlink(intptr_t hWnd) {
    WindowLink* r = find(hWnd);
    if (!r) return false;
    port_.setProcedure(hWnd, r->previousProcedure ? r->previousProcedure : port_.plainProcedure());
    port_.setUserData(hWnd, 0);
    r->unlinked = true;
    release(r);
    return true;
}

void LinkRegistry::release(const WindowLink* r) {
    if (r == pending_) pending_ = nullptr;
    auto it = live_.find(r);
    if (it == live_.end()) return;
    it->second->unlinked = true;
    released_.push_back(std::move(it->second));
    live_.erase(it);
}

size_t LinkRegistry::freeReleased() {
    std::vector<std::unique_ptr<WindowLink>> doomed;
    std::vector<std::unique_ptr<WindowLink>> busy;
    for (auto& r : released_) (r->activeCalls > 0 ? busy : doomed).push_back(std::move(r));
    released_ = std::move(busy);
    size_t freed = doomed.size();
    // Dropping the objects runs their destructors, which may link or unlink other windows: the lists are
    // already consistent by now.
    doomed.clear();
    return freed;
}

void LinkRegistry::terminate() {
    pending_ = nullptr;
    while (!live_.empty()) release(live_.begin()->first);
    freeReleased();
}

}  // namespace vorpex
