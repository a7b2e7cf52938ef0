// XNamedImage: what cursors and icons share. The image is named by `cName` and loaded from that name: a
// number is a system image, a text with a "." a file, any other text a resource. System images (and, where
// the kind says so, resource images) are shared: releasing forgets them without destroying them. It has no
// class record of its own; XCursor and XIcon register its methods in theirs.
#pragma once

#include <cstdint>
#include <string>

#include "framework/core/object/win_object.h"

namespace vorpex {

class XNamedImage : public TWinObject {
public:
    using TWinObject::TWinObject;

    const rt::Value& cName() const { return field(nameField()); }
    bool shared() const { return shared_; }

    // By-name members that XCursor and XIcon register in their records (this class is abstract, so it has no
    // listing of its own).
    rt::Value Load(rt::Args args);  // ([x]) -> Self
    rt::Value LoadFromResource(rt::Args args);
    rt::Value LoadFromFile(rt::Args args);
    rt::Value Destroy(rt::Args args) override;  // handle 0 and cName ""

protected:
    // The setter of `cName`: loads the image the new name names.
    rt::Value SetName(rt::Args args);

private:
    // What differs between the kinds: the field of `cName`, and the graphics port's calls.
    virtual int nameField() const = 0;
    virtual intptr_t loadSystem(int64_t id) = 0;
    virtual intptr_t loadResource(const std::string& name) = 0;
    virtual bool sharesResources() const = 0;
    virtual intptr_t loadFile(const std::string& file, rt::Args args) = 0;  // args as LoadFromFile got them
    virtual void destroyHandle(intptr_t handle) = 0;

    // The name given, else the one held: reloading without an argument keeps the name.
    rt::Value nameFrom(rt::Args args) const;
    // Releases the image held and takes the new name; answers the name.
    rt::Value renameFrom(rt::Args args);
    void release();

    bool shared_ = false;
};

}  // namespace vorpex
