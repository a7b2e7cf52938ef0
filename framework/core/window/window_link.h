// WindowLink records: the native record that ties a window to the object that owns it, and the registry that
// makes, attaches, detaches and frees them.
//
// A record goes: made (pending) -> attached to its window -> released (detached, still holding its object) ->
// freed at the next idle pass. Records are found from a window's user data only after checking that the value
// is one of the registry's attached records for that very window, so foreign or stale user data is never
// dereferenced. A record is never freed while a call on it is in progress, nor while its window can reach it.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "framework/core/window/window_port.h"
#include "runtime/core/value.h"

namespace vorpex {

struct WindowLink {
    static constexpr uint32_t kMagic = 'W' | ('L' << 8) | ('N' << 16) | (uint32_t('K') << 24);

    uint32_t magic = kMagic;
    rt::ObjectPtr object;           // held strongly until the record is freed
    intptr_t previousProcedure = 0;  // where unhandled messages go; 0: nowhere but the default procedure
    intptr_t hWnd = 0;
    bool child = false;
    bool mdiChild = false;
    intptr_t mdiClient = 0;  // an MDI frame's client window: its default processing is DefFrameProc
    bool unlinked = false;
    int activeCalls = 0;
};

class LinkRegistry {
public:
    explicit LinkRegistry(WindowPort& port) : port_(port) {}
    ~LinkRegistry();
    LinkRegistry(const LinkRegistry&) = delete;
    LinkRegistry& operator=(const LinkRegistry&) = delete;

    // Makes a record for `object`. With a window (hWnd != 0) the record is attached and the window subclassed
    // at once; without one it becomes the pending record that the next window created adopts. `baseClass`
    // names the system class the object wraps, whose procedure gets the unhandled messages. Null when the
    // record could not be attached.
    WindowLink* link(rt::ObjectPtr object, intptr_t hWnd, bool mdiChild, std::string_view baseClass);
    // A window's first message (WM_NCCREATE) arrived without a record: it takes the pending one, if any.
    WindowLink* adopt(intptr_t hWnd);
    // Called after every window creation, successful or not: a record no window took must never be adopted by
    // a later, unrelated window. It is released so that its object does not stay held.
    void clearPending();

    // The record attached to that window, null for none, foreign data or a detached record.
    WindowLink* find(intptr_t hWnd);

    // Detaches the window's record: restores the window's procedure, clears its user data and moves the
    // record to the released list (it keeps its object until freed). False when the window had no record.
    bool unlink(intptr_t hWnd);
    // Frees the released records that no call is using; answers how many were freed.
    size_t freeReleased();
    // End of the program: every record is released, then freed.
    void terminate();

    size_t liveCount() const { return live_.size(); }
    size_t releasedCount() const { return released_.size(); }
    bool hasPending() const { return pending_ != nullptr; }

    // Marks a call in progress on a record (a window procedure frame): the record is not freed meanwhile.
    class CallScope {
    public:
        explicit CallScope(WindowLink& r) : r_(r) { ++r_.activeCalls; }
        ~CallScope() { --r_.activeCalls; }
        CallScope(const CallScope&) = delete;
        CallScope& operator=(const CallScope&) = delete;

    private:
        WindowLink& r_;
    };

private:
    bool attach(WindowLink& r, intptr_t hWnd);
    void release(const WindowLink* r);

    WindowPort& port_;
    std::unordered_map<const WindowLink*, std::unique_ptr<WindowLink>> live_;
    std::vector<std::unique_ptr<WindowLink>> released_;
    WindowLink* pending_ = nullptr;
};

}  // namespace vorpex
