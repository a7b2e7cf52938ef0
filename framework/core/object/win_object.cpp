#include "framework/core/object/win_object.h"

#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"

namespace vorpex {

const rt::Class& XWinObject::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        VPClass b("XWinObject", &TComponent::classRecord(), rt::factoryOf<XWinObject>());
        kHandle = b.addData("Handle", 0, "N", rt::scope::Exported | rt::scope::ReadOnly);
        return b.create();
    }();
    return c;
}

}  // namespace vorpex
