// Linking objects to their windows: the object-level operations behind the methods Link and Unlink, the
// GetHandleOf rule and the window-to-object look-up. They read the object's properties by name (Handle,
// cWinClassName, aControls), so any class that owns a window can use them.
#pragma once

#include <cstdint>

#include "framework/core/window/window_link.h"
#include "runtime/core/object.h"

namespace vorpex {

// The object's `Handle` as an integer; 0 for NIL, a non-object or an object without `Handle`.
intptr_t handleOf(const rt::Value& object);
intptr_t handleOf(rt::Object& object);

// Link: a record for `self` (its window if it has one, else the next window created). Null when not linked.
WindowLink* linkObject(LinkRegistry& links, rt::Object& self, bool mdiChild);

// Unlink: detaches `self`'s window; with `children`, also every object of a copy of its `aControls`, through
// containers. Nothing happens for an object without a linked window.
void unlinkObject(LinkRegistry& links, rt::Object& self, bool children);

// The object linked to a window, NIL for 0, foreign and unlinked windows.
rt::Value controlFromHandle(LinkRegistry& links, intptr_t hWnd);

}  // namespace vorpex
