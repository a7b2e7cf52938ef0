// XPicture: one picture read through the platform's OLE picture objects from a file, a resource, a block of
// bytes or a GDI handle, with a screen bitmap rendered from it once (the Handle), which is what is normally
// drawn. Formats the OLE picture does not read (PNG, TIFF) and single pages of multi-page GIF and TIFF files
// load through "FreeImage.dll" when it is installed, and stay empty without a word when it is not. The bytes
// it was loaded from stay with it, so Save gives them back unchanged. Setting `cName` loads.
// TPicture is its user class.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/win_object.h"
#include "framework/graphics/picture/picture_port.h"

namespace vorpex {

class XPicture : public TWinObject {
public:
    using TWinObject::TWinObject;
    ~XPicture() override;
    static const rt::Class& classRecord();
    VP_CONSTRUCTORS(Create)  // ([x]) -> Self

    const rt::Value& cName() const { return field(kName); }
    int64_t nType() const { return facts_.type; }
    const gfx::PictureFacts& facts() const { return facts_; }

    rt::Value Destroy(rt::Args args) override;
    rt::Value Clone(rt::Args args);
    rt::Value Load(rt::Args args);              // ([x]) -> Self
    rt::Value LoadFromFile(rt::Args args);      // ([cFile], [nPage]) -> Self
    rt::Value LoadFromResource(rt::Args args);  // ([xName], [cType]) -> Self
    rt::Value LoadFromStream(rt::Args args);    // (cData) -> Self
    rt::Value CreateIndirect(rt::Args args);    // (nType, nHandle, [nExtra1], [nExtra2]) -> Self
    rt::Value Save(rt::Args args);              // (cFile) -> logical
    rt::Value SaveToStream(rt::Args args);      // () -> the bytes, "" on failure
    // (hDC, nLeft, nTop, nRight, nBottom, [lTransparent], [lSmooth]) -> logical; right and bottom exclusive
    rt::Value Paint(rt::Args args);
    rt::Value SetTypes(rt::Args args);  // (aNew) -> the previous aTypes

private:
    static inline int kName = -1, kImage = -1, kPtr = -1, kPicture = -1, kImageCount = -1, kWidth = -1,
                      kHeight = -1, kLogicalWidth = -1, kLogicalHeight = -1, kPalette = -1, kType = -1,
                      kScalable = -1, kTransparent = -1, kTypes = -1, kFile = -1, kPath = -1;

    rt::Value SetName(rt::Args args);
    // Takes a new picture's facts into the fields; nothing leaves the picture empty.
    void take(std::optional<gfx::PictureFacts> facts);
    void release();
    // The bytes of the resource `name` of `type` loaded as a picture; false when there is no such resource.
    bool loadResourceBytes(const std::string& name, const std::string& type);
    // Bytes of an image file: through OLE when it reads their format, else through the image library.
    void loadBytes(const std::string& bytes);
    void takeLibrary(gfx::LibraryPicture got);
    bool loaded() const { return facts_.image != 0; }

    gfx::PictureFacts facts_;
};

using TPicture = UserClass<XPicture, "TPicture">;

}  // namespace vorpex
