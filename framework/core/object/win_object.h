// XWinObject: every object that owns a native handle (windows, GDI objects, menus). The handle crosses into
// platform-neutral code as an integer. TWinObject is its user class.
#pragma once

#include <cstdint>

#include "framework/core/object/component.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

class XWinObject : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord();

    intptr_t Handle() const { return static_cast<intptr_t>(field(kHandle).asInteger()); }
    void setHandle(intptr_t h) { field(kHandle) = rt::Value::integer(static_cast<int64_t>(h)); }

private:
    static inline int kHandle = -1;
};

using TWinObject = UserClass<XWinObject, "TWinObject">;

}  // namespace vorpex
