// The MDI client window of a frame form (TMDIClient:CreateMDIClient).
#include <windows.h>

#include "framework/core/window/object_link.h"
#include "framework/core/window/window_proc.h"
#include "runtime/core/send.h"

namespace vorpex {

namespace {

constexpr DWORD kClientStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VSCROLL |
                               WS_HSCROLL | MDIS_ALLCHILDSTYLES;
constexpr UINT kFirstChildId = 40000;

rt::Value property(rt::Object& self, const char* name) {
    rt::Symbol s = rt::Symbol::intern(name);
    return self.objectClass().understands(s) ? rt::send(self, s) : rt::Value();
}

}  // namespace

rt::Value createMdiClientMethod(rt::Object& self, const rt::Method&, rt::Args) {
    HWND parent = reinterpret_cast<HWND>(handleOf(property(self, "oParent")));
    CLIENTCREATESTRUCT ccs{};
    ccs.hWindowMenu = nullptr;
    ccs.idFirstChild = kFirstChildId;
    auto id = static_cast<intptr_t>(property(self, "nId").asInteger());
    HWND client = CreateWindowExA(static_cast<DWORD>(property(self, "nExStyle").asInteger()), "MDICLIENT", nullptr,
                                  kClientStyle, 0, 0, 0, 0, parent, reinterpret_cast<HMENU>(id),
                                  GetModuleHandleA(nullptr), &ccs);
    windowCreationEnded();
    auto h = reinterpret_cast<intptr_t>(client);
    rt::send(self, "_Handle", {rt::Value(static_cast<long long>(h))});
    if (!client) return rt::Value(false);
    linkObject(windowLinks(), self, false);
    // The frame's unhandled messages must now go through DefFrameProc with this client.
    if (WindowLink* frame = windowLinks().find(reinterpret_cast<intptr_t>(parent))) frame->mdiClient = h;
    return rt::Value(true);
}

}  // namespace vorpex
