// The runtime object behind every OLE object: one counted reference to the server's IDispatch, and the member
// ids already asked for. Windows only.
#pragma once

#include <oaidl.h>

#include <string>
#include <unordered_map>

#include "runtime/core/class.h"
#include "runtime/core/object.h"

namespace rt::ole {

class OleObject : public Object {
public:
    explicit OleObject(const Class& cls) : Object(cls) {}
    ~OleObject() override;

    // Class TOLEAUTO: no methods of its own, every message goes to the server.
    static const Class& classRecord();
    // An OLE object holding a reference of its own to `dispatch` (AddRef); NIL for a null pointer.
    static Value share(IDispatch* dispatch);
    // An OLE object taking over the caller's reference (no AddRef; released when the object ends).
    static Value adopt(IDispatch* dispatch);

    IDispatch* dispatch() const { return dispatch_; }
    // `_Name` with arguments writes the property Name (the last argument is the value); any other message
    // reads a property or calls a method.
    Value receive(Symbol message, Args args);

private:
    HRESULT memberId(const std::string& name, DISPID& id);
    Value call(const std::string& member, DISPID id, WORD flags, Args args);

    IDispatch* dispatch_ = nullptr;
    std::unordered_map<std::string, DISPID> ids_;
};

}  // namespace rt::ole
