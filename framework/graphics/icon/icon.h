// XIcon: one icon loaded from a system id, a resource (at the asked size) or a file; setting `cName` loads
// it. System icons are shared: Destroy forgets them without destroying them. TIcon is its user class.
#pragma once

#include <cstdint>

#include "framework/core/object/win_object.h"

namespace vorpex {

class XIcon : public TWinObject {
public:
    using TWinObject::TWinObject;
    static const rt::Class& classRecord();

    const rt::Value& cName() const { return field(kName); }
    int64_t nWidth() const { return field(kWidth).asInteger(); }
    int64_t nHeight() const { return field(kHeight).asInteger(); }
    bool shared() const { return shared_; }

    rt::Value Create(rt::Args args) override;  // ([cName], [nWidth], [nHeight]) -> Self
    rt::Value Load(rt::Args args);             // ([x]) -> Self
    rt::Value LoadFromResource(rt::Args args);
    rt::Value LoadFromFile(rt::Args args);     // ([cFile], [nIndex = 0])
    rt::Value Destroy(rt::Args args) override;
    rt::Value Clone(rt::Args args);
    rt::Value Paint(rt::Args args);  // (hDC, nLeft, nTop, nRight, nBottom) -> logical

private:
    static inline int kName = -1, kWidth = -1, kHeight = -1;
    rt::Value nameFrom(rt::Args args) const;
    void release();
    rt::Value SetName(rt::Args args);

    bool shared_ = false;
};

class TIcon : public XIcon {
public:
    using XIcon::XIcon;
    static const rt::Class& classRecord();
};

}  // namespace vorpex
