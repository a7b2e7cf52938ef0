// Conversions between the runtime's values and VARIANTs, and VARIANTs that clear themselves. Windows only.
#pragma once

#include <oaidl.h>

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/core/value.h"

namespace rt::ole {

// A VARIANT cleared on every path out of the scope that holds it.
class Variant {
public:
    Variant() { VariantInit(&v_); }
    ~Variant() { VariantClear(&v_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;

    VARIANT* get() { return &v_; }
    const VARIANT& operator*() const { return v_; }

private:
    VARIANT v_;
};

// Fills the empty `out` with the OLE form of `value`; false when it has none (a code block, a pointer, an
// object that is not an OLE object), leaving `out` empty. What it allocates belongs to `out`.
bool toVariant(const Value& value, VARIANT& out);
// The runtime value of a VARIANT (references followed); OLE objects come back as new OLE objects.
Value fromVariant(const VARIANT& v);

std::wstring wideFromAnsi(std::string_view text);
std::string ansiFromWide(const wchar_t* text, size_t length);

// The arguments of one Invoke, in IDispatch's reversed order. Arguments passed by reference go as
// VT_BYREF | VT_VARIANT and are written back with writeBack() after the call. Every VARIANT is cleared when
// the list ends.
class ArgumentList {
public:
    ArgumentList() = default;
    ~ArgumentList();
    ArgumentList(const ArgumentList&) = delete;
    ArgumentList& operator=(const ArgumentList&) = delete;

    // False when an argument has no OLE form. A NIL argument is an omitted one, except the value of a
    // property write (`lastIsValue`), which goes as VT_EMPTY.
    bool fill(Args args, bool lastIsValue = false);
    void writeBack() const;
    DISPPARAMS params();

private:
    std::vector<VARIANT> slots_;      // reversed: slots_[0] is the last argument
    std::deque<VARIANT> byRef_;       // the variables that VT_BYREF slots point at (a deque never moves them)
    std::vector<Value> references_;   // the callers' reference cells, beside byRef_
};

}  // namespace rt::ole
