#include "variant.h"

#include <windows.h>

#include <cmath>
#include <limits>

#include "ole_object.h"

namespace rt::ole {

namespace {

// The Julian day of 30 December 1899, the day 0 of OLE dates.
constexpr int32_t kOleDateEpoch = 2415019;

bool numberToVariant(const Number& n, VARIANT& out) {
    if (n.isInteger && n.integer >= std::numeric_limits<LONG>::min() &&
        n.integer <= std::numeric_limits<LONG>::max()) {
        out.vt = VT_I4;
        out.lVal = static_cast<LONG>(n.integer);
    } else {
        out.vt = VT_R8;
        out.dblVal = n.asDouble();
    }
    return true;
}

bool stringToVariant(const std::string& s, VARIANT& out) {
    const std::wstring wide = wideFromAnsi(s);
    BSTR b = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    if (!b) return false;
    out.vt = VT_BSTR;
    out.bstrVal = b;
    return true;
}

bool arrayToVariant(const Array& a, VARIANT& out) {
    SAFEARRAY* sa = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(a.size()));
    if (!sa) return false;
    for (LONG i = 0; i < static_cast<LONG>(a.size()); ++i) {
        Variant item;
        if (!toVariant(a.items[static_cast<size_t>(i)], *item.get()) ||
            FAILED(SafeArrayPutElement(sa, &i, item.get()))) {
            SafeArrayDestroy(sa);
            return false;
        }
    }
    out.vt = VT_ARRAY | VT_VARIANT;
    out.parray = sa;
    return true;
}

bool objectToVariant(const ObjectPtr& o, VARIANT& out) {
    auto ole = std::dynamic_pointer_cast<OleObject>(o);
    if (!ole || !ole->dispatch()) return false;
    ole->dispatch()->AddRef();
    out.vt = VT_DISPATCH;
    out.pdispVal = ole->dispatch();
    return true;
}

Value numberFromVariant(const VARIANT& v, VARTYPE as) {
    Variant converted;
    if (FAILED(VariantChangeType(converted.get(), const_cast<VARIANT*>(&v), 0, as))) return Value();
    return as == VT_I8 ? Value(static_cast<long long>((*converted).llVal)) : Value((*converted).dblVal);
}

Value dateFromVariant(DATE d) { return Value(Date{static_cast<int32_t>(std::floor(d)) + kOleDateEpoch}); }

Value unknownFromVariant(IUnknown* unknown) {
    if (!unknown) return Value();
    IDispatch* dispatch = nullptr;
    if (FAILED(unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)))) return Value();
    return OleObject::adopt(dispatch);
}

Value safeArrayDimension(SAFEARRAY* sa, VARTYPE elementType, UINT dimension, std::vector<LONG>& index);

// One element of a safe array read into a VARIANT of the element's type.
Value safeArrayElement(SAFEARRAY* sa, VARTYPE elementType, std::vector<LONG>& index) {
    Variant element;
    if (elementType != VT_VARIANT) (*element.get()).vt = elementType;
    void* target = elementType == VT_VARIANT ? static_cast<void*>(element.get())
                                             : static_cast<void*>(&(*element.get()).llVal);
    // Safe arrays take their indices last dimension first.
    std::vector<LONG> reversed(index.rbegin(), index.rend());
    if (FAILED(SafeArrayGetElement(sa, reversed.data(), target))) {
        (*element.get()).vt = VT_EMPTY;
        return Value();
    }
    return fromVariant(*element);
}

// Dimension `dimension` (1 = outermost) as an array, the inner ones nested in it.
Value safeArrayDimension(SAFEARRAY* sa, VARTYPE elementType, UINT dimension, std::vector<LONG>& index) {
    LONG low = 0, high = -1;
    SafeArrayGetLBound(sa, dimension, &low);
    SafeArrayGetUBound(sa, dimension, &high);
    std::vector<Value> items;
    for (LONG i = low; i <= high; ++i) {
        index.push_back(i);
        items.push_back(dimension < SafeArrayGetDim(sa) ? safeArrayDimension(sa, elementType, dimension + 1, index)
                                                        : safeArrayElement(sa, elementType, index));
        index.pop_back();
    }
    return Value::array(std::move(items));
}

Value arrayFromVariant(const VARIANT& v) {
    SAFEARRAY* sa = (v.vt & VT_BYREF) ? *v.pparray : v.parray;
    if (!sa || SafeArrayGetDim(sa) == 0) return Value::array();
    VARTYPE elementType = VT_EMPTY;
    if (FAILED(SafeArrayGetVartype(sa, &elementType))) return Value();
    std::vector<LONG> index;
    return safeArrayDimension(sa, elementType, 1, index);
}

}  // namespace

std::wstring wideFromAnsi(std::string_view text) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

std::string ansiFromWide(const wchar_t* text, size_t length) {
    if (!text || length == 0) return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), ansi.data(), n, nullptr, nullptr);
    return ansi;
}

bool toVariant(const Value& value, VARIANT& out) {
    const Value& v = value.deref();
    switch (v.type()) {
        case Type::Nil: out.vt = VT_EMPTY; return true;
        case Type::Logical:
            out.vt = VT_BOOL;
            out.boolVal = v.asLogical() ? VARIANT_TRUE : VARIANT_FALSE;
            return true;
        case Type::Number: return numberToVariant(v.asNumber(), out);
        case Type::String: return stringToVariant(v.asString(), out);
        case Type::Date:
            if (v.asDate().empty()) {
                out.vt = VT_EMPTY;
            } else {
                out.vt = VT_DATE;
                out.date = static_cast<DATE>(v.asDate().julian - kOleDateEpoch);
            }
            return true;
        case Type::Array: return arrayToVariant(*v.asArray(), out);
        case Type::Object: return objectToVariant(v.asObject(), out);
        default: return false;
    }
}

Value fromVariant(const VARIANT& v) {
    if (v.vt & VT_ARRAY) return arrayFromVariant(v);
    if (v.vt == (VT_BYREF | VT_VARIANT)) return v.pvarVal ? fromVariant(*v.pvarVal) : Value();
    if (v.vt & VT_BYREF) {
        Variant plain;
        if (FAILED(VariantCopyInd(plain.get(), const_cast<VARIANT*>(&v)))) return Value();
        return fromVariant(*plain);
    }
    switch (v.vt) {
        case VT_I1: case VT_UI1: case VT_I2: case VT_UI2: case VT_I4: case VT_UI4:
        case VT_INT: case VT_UINT: case VT_I8: case VT_UI8: return numberFromVariant(v, VT_I8);
        case VT_R4: case VT_R8: case VT_CY: case VT_DECIMAL: return numberFromVariant(v, VT_R8);
        case VT_BOOL: return Value(v.boolVal != VARIANT_FALSE);
        case VT_BSTR: return Value(ansiFromWide(v.bstrVal, SysStringLen(v.bstrVal)));
        case VT_DATE: return dateFromVariant(v.date);
        case VT_DISPATCH: return OleObject::share(v.pdispVal);
        case VT_UNKNOWN: return unknownFromVariant(v.punkVal);
        default: return Value();  // VT_EMPTY, VT_NULL, VT_ERROR and what the runtime has no value for
    }
}

ArgumentList::~ArgumentList() {
    for (VARIANT& v : slots_) VariantClear(&v);
    for (VARIANT& v : byRef_) VariantClear(&v);
}

bool ArgumentList::fill(Args args, bool lastIsValue) {
    slots_.reserve(args.size());
    for (size_t i = args.size(); i-- > 0;) {
        VARIANT slot;
        VariantInit(&slot);
        if (args[i].isReference()) {
            byRef_.emplace_back();
            VariantInit(&byRef_.back());
            references_.push_back(args[i]);
            if (!toVariant(args[i], byRef_.back())) return false;
            slot.vt = VT_BYREF | VT_VARIANT;
            slot.pvarVal = &byRef_.back();
        } else if (args[i].isNil() && !(lastIsValue && i + 1 == args.size())) {
            // An omitted argument: the server uses the parameter's default.
            slot.vt = VT_ERROR;
            slot.scode = DISP_E_PARAMNOTFOUND;
        } else if (!toVariant(args[i], slot)) {
            return false;
        }
        slots_.push_back(slot);
    }
    return true;
}

void ArgumentList::writeBack() const {
    for (size_t i = 0; i < references_.size(); ++i) references_[i].assign(fromVariant(byRef_[i]));
}

DISPPARAMS ArgumentList::params() {
    DISPPARAMS p{};
    p.rgvarg = slots_.empty() ? nullptr : slots_.data();
    p.cArgs = static_cast<UINT>(slots_.size());
    return p;
}

}  // namespace rt::ole
