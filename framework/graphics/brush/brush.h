// XBrush: one GDI brush, hatched, patterned, solid or hollow by the first of its properties that is set
// (nStyle, then hBitmap, then nColor). A property set on a created brush replaces its handle; on a brush not
// yet created it only stores the value. Once nStyle is set the brush stays hatched until nStyle is set to NIL.
// The brush never deletes hBitmap. TBrush is its user class.
#pragma once

#include <cstdint>

#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/win_object.h"

namespace vorpex {

namespace gfx {

// Which creator makes a brush from its three properties (each may be unset).
enum class BrushKind { Hatch, Pattern, Solid, Hollow };
struct BrushRecipe {
    BrushKind kind = BrushKind::Hollow;
    int64_t style = 0;
    int64_t color = 0;
    intptr_t bitmap = 0;
};
BrushRecipe brushRecipe(const rt::Value& style, const rt::Value& color, const rt::Value& bitmap);
intptr_t makeBrush(const BrushRecipe& recipe);

}  // namespace gfx

class XBrush : public TWinObject {
public:
    using TWinObject::TWinObject;
    static const rt::Class& classRecord();
    VP_CONSTRUCTORS(Create)  // ([nStyle], [nColor], [hBitmap]) -> Self
    VP_METHODS(Clone)
    VP_OVERRIDES(Destroy)

private:
    static inline int kStyle = -1, kColor = -1, kBitmap = -1;
    rt::Value StoreAndRecreate(int position, const rt::Value& v);
};

using TBrush = UserClass<XBrush, "TBrush">;

}  // namespace vorpex
