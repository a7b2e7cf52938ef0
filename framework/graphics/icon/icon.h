// XIcon: one icon loaded from a system id, a resource (at the asked size) or a file; setting `cName` loads
// it. System icons are shared: Destroy forgets them without destroying them. TIcon is its user class.
#pragma once

#include <cstdint>

#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"
#include "framework/graphics/named_image.h"

namespace vorpex {

class XIcon : public XNamedImage {
public:
    using XNamedImage::XNamedImage;
    static const rt::Class& classRecord();
    VP_CONSTRUCTORS(Create)  // ([cName], [nWidth], [nHeight]) -> Self
    // LoadFromFile takes ([cFile], [nIndex = 0]).
    VP_METHODS(Clone,
               Paint)  // (hDC, nLeft, nTop, nRight, nBottom) -> logical

    int64_t nWidth() const { return field(kWidth).asInteger(); }
    int64_t nHeight() const { return field(kHeight).asInteger(); }

private:
    static inline int kName = -1, kWidth = -1, kHeight = -1;

    int nameField() const override { return kName; }
    intptr_t loadSystem(int64_t id) override;
    intptr_t loadResource(const std::string& name) override;
    bool sharesResources() const override { return false; }
    intptr_t loadFile(const std::string& file, rt::Args args) override;
    void destroyHandle(intptr_t handle) override;
};

using TIcon = UserClass<XIcon, "TIcon">;

}  // namespace vorpex
