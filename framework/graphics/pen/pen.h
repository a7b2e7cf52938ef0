// XPen: one GDI pen whose width is given in screen pixels and made for an output device: on a 600-dot
// printer with a 96-dot screen a 1-pixel pen is 6 device units wide, so lines keep their physical size.
// A property set on a created pen replaces its handle. TPen is its user class.
#pragma once

#include <cstdint>

#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/win_object.h"

namespace vorpex {

namespace gfx {
// width * deviceDpi / screenDpi, truncated; 0 when the screen reports no resolution.
int64_t penDeviceWidth(int64_t width, int64_t deviceDpi, int64_t screenDpi);
}  // namespace gfx

class XPen : public TWinObject {
public:
    using TWinObject::TWinObject;
    static const rt::Class& classRecord();
    VP_CONSTRUCTORS(New,     // = Create
                    Create)  // ([nStyle], [nWidth], [nColor], [oDevice]) -> Self
    VP_METHODS(Clone)  // ([oDevice]): the pen's own device when none is given
    VP_OVERRIDES(Destroy)

    const rt::Value& oDevice() const { return field(kDevice); }

private:
    static inline int kDevice = -1, kStyle = -1, kColor = -1, kWidth = -1;
    int64_t deviceWidth() const;
    rt::Value StoreAndRecreate(int position, const rt::Value& v);
};

using TPen = UserClass<XPen, "TPen">;

}  // namespace vorpex
