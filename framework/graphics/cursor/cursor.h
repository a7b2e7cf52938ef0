// XCursor: one cursor loaded from a system id, a resource or a .cur/.ani file; setting `cName` loads it.
// Cursors loaded by id or from resources are shared system images: Destroy forgets them without destroying
// them. TCursor is its user class.
#pragma once

#include "framework/core/object/win_object.h"

namespace vorpex {

class XCursor : public TWinObject {
public:
    using TWinObject::TWinObject;
    static const rt::Class& classRecord();

    const rt::Value& cName() const { return field(kName); }
    bool shared() const { return shared_; }

    rt::Value New(rt::Args args) override;     // = Load
    rt::Value Create(rt::Args args) override;  // = Load
    rt::Value Load(rt::Args args);             // ([x]) -> Self
    rt::Value LoadFromResource(rt::Args args);
    rt::Value LoadFromFile(rt::Args args);
    rt::Value Destroy(rt::Args args) override;  // handle 0 and cName ""
    rt::Value Clone(rt::Args args);

private:
    static inline int kName = -1;
    // The name given, else the one held: reloading without an argument keeps the name.
    rt::Value nameFrom(rt::Args args) const;
    void release();
    rt::Value SetName(rt::Args args);

    bool shared_ = false;
};

class TCursor : public XCursor {
public:
    using XCursor::XCursor;
    static const rt::Class& classRecord();
};

}  // namespace vorpex
