// XCursor: one cursor loaded from a system id, a resource or a .cur/.ani file; setting `cName` loads it.
// Cursors loaded by id or from resources are shared system images: Destroy forgets them without destroying
// them. TCursor is its user class.
#pragma once

#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"
#include "framework/graphics/named_image.h"

namespace vorpex {

class XCursor : public XNamedImage {
public:
    using XNamedImage::XNamedImage;
    static const rt::Class& classRecord();
    VP_CONSTRUCTORS(New,     // = Load
                    Create)  // = Load
    VP_METHODS(Clone)

private:
    static inline int kName = -1;

    int nameField() const override { return kName; }
    intptr_t loadSystem(int64_t id) override;
    intptr_t loadResource(const std::string& name) override;
    bool sharesResources() const override { return true; }
    intptr_t loadFile(const std::string& file, rt::Args args) override;
    void destroyHandle(intptr_t handle) override;
};

using TCursor = UserClass<XCursor, "TCursor">;

}  // namespace vorpex
