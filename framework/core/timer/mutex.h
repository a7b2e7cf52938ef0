// XMutex: a named system mutex that tells whether another instance of the program holds it already
// (Application:SetMutex makes one named after the application's title). The handle is released and closed by
// Destroy, and at the latest when the object ends. TMutex is its user class.
#pragma once

#include "framework/core/object/event.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/win_object.h"

namespace vorpex {

class XMutex : public TWinObject {
public:
    using TWinObject::TWinObject;
    ~XMutex() override;
    static const rt::Class& classRecord();

    static inline const EventRef OnCreate{"OnCreate"}, OnFail{"OnFail"};

    const std::string& cName() const { return field(kName).asString(); }
    bool lExisting() const { return field(kExisting).asLogical(); }

    rt::Value Create(rt::Args args) override;   // ([cName], [nTimeOut]) -> Self
    rt::Value Destroy(rt::Args args) override;  // releases and closes the handle

private:
    static inline int kName = -1, kTimeOut = -1, kExisting = -1;
    void closeHandle();
};

using TMutex = UserClass<XMutex, "TMutex">;

}  // namespace vorpex
