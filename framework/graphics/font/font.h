// XFont: one GDI font made for the screen (sized by the screen's resolution and the application's font scale)
// or for a printer or its preview (sized by that device's resolution). Controls share font objects: each one
// that takes the font raises `nCount`, and `Destroy` frees the handle only when the last user lets it go.
// TFont is its user class.
//
// A property set on a created font makes a new handle. The old handle is deleted at once when no control
// holds the font; while controls hold it (nCount > 0) their windows may still draw with the old handle, so it
// is kept and deleted with the last Destroy. Re-creating never changes nCount.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/win_object.h"
#include "framework/graphics/font/font_record.h"

namespace vorpex {

class XFont : public TWinObject {
public:
    using TWinObject::TWinObject;
    static const rt::Class& classRecord();
    VP_CONSTRUCTORS(New,     // ([oDevice]) -> Self; makes no handle
                    Create)  // ([cName], [nSize | {nWidth, nHeight}], [nStyle], [nWeight],
    VP_METHODS(Clone, Compare, GetTextSize, GetTextWidth, GetTextHeight, SaveToText, RestoreFromText)
    //  [nOrientation], [oDevice], [nCharSet]) -> Self
    VP_OVERRIDES(Destroy)
    VP_HIDDEN(Recreate, SizeToHeight, HeightToSize, SetSize)

    // Typed access for framework code.
    gfx::FontFields fields() const;
    int64_t nCount() const { return field(kCount).asInteger(); }
    // A control takes the font (SetFont): one more user.
    void addUser() { field(kCount) = rt::Value(nCount() + 1); }
    const rt::Value& oDevice() const { return field(kDevice); }
    bool compare(const XFont& other) const { return gfx::sameFont(fields(), other.fields()); }
    // Handles kept for controls that may still draw with them (see above).
    size_t retiredHandles() const { return retired_.size(); }

private:
    static inline int kDevice = -1, kCount = -1, kName = -1, kSize = -1, kWidth = -1, kHeight = -1, kStyle = -1,
                      kWeight = -1, kOrientation = -1, kBold = -1, kItalic = -1, kUnderline = -1,
                      kStrikeOut = -1, kCharSet = -1;

    void setFields(const gfx::FontFields& f);
    bool isPrinterFont() const;
    gfx::FontDevice device();
    int64_t deviceLogPixelsY(bool screenWhenEmpty);
    void replaceHandle(intptr_t handle);
    void releaseAll();

    // Property setters.
    rt::Value StoreAndRecreate(int position, const rt::Value& v);
    rt::Value SetWeight(rt::Args args);
    rt::Value SetBold(rt::Args args);
    rt::Value SetStyleFlag(int position, int64_t bit, rt::Args args);

    std::vector<intptr_t> retired_;
};

using TFont = UserClass<XFont, "TFont">;

}  // namespace vorpex
