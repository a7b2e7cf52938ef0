#include "dispatch.h"

#include <cstdio>
#include <cwctype>

#include "journal.h"

namespace xl {

// {B3C6E7A1-5D24-4F0E-9A61-2C8D7E4F1A93}
const IID IID_StandinObject = {0xb3c6e7a1, 0x5d24, 0x4f0e, {0x9a, 0x61, 0x2c, 0x8d, 0x7e, 0x4f, 0x1a, 0x93}};

namespace {

LONG g_live = 0;
LONG g_nextId = 0;

bool sameName(const wchar_t* wide, const char* name) {
    for (; *wide && *name; ++wide, ++name)
        if (std::towupper(*wide) != static_cast<wint_t>(std::toupper(static_cast<unsigned char>(*name)))) return false;
    return *wide == 0 && *name == 0;
}

std::string describeVariant(const VARIANT& v) {
    char buffer[64];
    switch (v.vt) {
        case VT_EMPTY: return "NIL";
        case VT_ERROR: return "-";
        case VT_BOOL: return v.boolVal ? ".T." : ".F.";
        case VT_BSTR: return "\"" + utf8FromWide(v.bstrVal, SysStringLen(v.bstrVal)) + "\"";
        case VT_DISPATCH: {
            DispatchBase* own = nullptr;
            if (v.pdispVal && SUCCEEDED(v.pdispVal->QueryInterface(IID_StandinObject, reinterpret_cast<void**>(&own)))) {
                std::string label = own->label();
                own->Release();
                return label;
            }
            return "object";
        }
        default: break;
    }
    VARIANT number;
    VariantInit(&number);
    if (FAILED(VariantChangeType(&number, const_cast<VARIANT*>(&v), 0, VT_R8))) return "?";
    std::snprintf(buffer, sizeof buffer, "%g", number.dblVal);
    return buffer;
}

}  // namespace

std::string utf8FromWide(const wchar_t* text, size_t length) {
    if (!text || length == 0) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring wideFromUtf8(std::string_view text) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string environment(const char* name) {
    char buffer[1024];
    const DWORD n = GetEnvironmentVariableA(name, buffer, sizeof buffer);
    return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
}

void journal(std::string_view line) { Journal(environment("VORPEX_XL_JOURNAL")).write(line); }

Call::Call(WORD flags, const DISPPARAMS* params, VARIANT* result)
    : write_((flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0),
      params_(params),
      positional_(params->cArgs - (write_ && params->cArgs > 0 ? 1 : 0)),
      result_(result) {}

const VARIANT* Call::arg(size_t i) const {
    if (i >= positional_) return nullptr;
    // rgvarg holds the arguments last first; a property write's value sits in front of them.
    const VARIANT* v = &params_->rgvarg[params_->cArgs - 1 - i];
    if (v->vt == (VT_BYREF | VT_VARIANT)) v = v->pvarVal;
    return v->vt == VT_ERROR && v->scode == DISP_E_PARAMNOTFOUND ? nullptr : v;
}

bool Call::longArg(size_t i, long& out) const {
    const VARIANT* v = arg(i);
    VARIANT converted;
    VariantInit(&converted);
    if (!v || FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(v), 0, VT_I4))) return false;
    out = converted.lVal;
    return true;
}

bool Call::textArg(size_t i, std::string& out) const {
    const VARIANT* v = arg(i);
    if (!v || v->vt != VT_BSTR) return false;
    out = utf8FromWide(v->bstrVal, SysStringLen(v->bstrVal));
    return true;
}

bool Call::boolArg(size_t i, bool& out) const {
    const VARIANT* v = arg(i);
    VARIANT converted;
    VariantInit(&converted);
    if (!v || FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(v), 0, VT_BOOL))) return false;
    out = converted.boolVal != VARIANT_FALSE;
    return true;
}

DispatchBase* Call::objectArg(size_t i) const {
    const VARIANT* v = arg(i);
    if (!v || v->vt != VT_DISPATCH || !v->pdispVal) return nullptr;
    DispatchBase* own = nullptr;
    if (FAILED(v->pdispVal->QueryInterface(IID_StandinObject, reinterpret_cast<void**>(&own)))) return nullptr;
    own->Release();  // the argument keeps it alive for the call
    return own;
}

void Call::returnObject(DispatchBase* object) {
    if (!result_) {
        object->Release();
        return;
    }
    result_->vt = VT_DISPATCH;
    result_->pdispVal = object;
}

void Call::returnVariant(const VARIANT& v) {
    if (result_) VariantCopy(result_, const_cast<VARIANT*>(&v));
}

HRESULT Call::fail(std::string text) {
    failure_ = std::move(text);
    return DISP_E_EXCEPTION;
}

std::string Call::describeArguments() const {
    std::string out;
    for (size_t i = 0; i < positional_; ++i) {
        if (i) out += ", ";
        const VARIANT* v = arg(i);
        out += v ? describeVariant(*v) : "-";
    }
    return out;
}

std::string Call::describeResult() const {
    if (write_) return describeVariant(params_->rgvarg[0]);
    return result_ ? describeVariant(*result_) : "NIL";
}

DispatchBase::DispatchBase(const char* kind)
    : label_(std::string(kind) + "#" + std::to_string(InterlockedIncrement(&g_nextId))) {
    InterlockedIncrement(&g_live);
}

DispatchBase::~DispatchBase() { InterlockedDecrement(&g_live); }

long DispatchBase::liveObjects() { return g_live; }

HRESULT DispatchBase::QueryInterface(REFIID riid, void** out) {
    if (!out) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_StandinObject) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG DispatchBase::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG DispatchBase::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT DispatchBase::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT DispatchBase::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }

HRESULT DispatchBase::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!names || !ids || count == 0) return E_INVALIDARG;
    const std::vector<MemberInfo> table = memberTable();
    HRESULT hr = S_OK;
    for (UINT n = 0; n < count; ++n) {
        ids[n] = DISPID_UNKNOWN;
        // Only the member's name is looked up: the stand-in takes no named arguments.
        for (size_t i = 0; n == 0 && i < table.size(); ++i)
            if (sameName(names[n], table[i].name)) ids[n] = static_cast<DISPID>(i + 1);
        if (ids[n] == DISPID_UNKNOWN) {
            hr = DISP_E_UNKNOWNNAME;
            if (n == 0) journal(label_ + " UNKNOWN " + utf8FromWide(names[0], wcslen(names[0])));
        }
    }
    return hr;
}

HRESULT DispatchBase::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                             EXCEPINFO* exception, UINT* badArgument) {
    const std::vector<MemberInfo> table = memberTable();
    if (id < 1 || static_cast<size_t>(id) > table.size()) return DISP_E_MEMBERNOTFOUND;
    if (!params) return E_INVALIDARG;
    if (badArgument) *badArgument = 0;
    const MemberInfo& member = table[static_cast<size_t>(id - 1)];
    if ((flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) && params->cArgs == 0) return DISP_E_BADPARAMCOUNT;
    Call call(flags, params, result);
    const unsigned wanted = call.isWrite() ? kPut : (kGet | kMethod);
    if (!(member.kinds & wanted)) {
        journal(label_ + " REFUSED " + member.name);
        return DISP_E_MEMBERNOTFOUND;
    }
    if (result) VariantInit(result);
    const HRESULT hr = invokeMember(static_cast<size_t>(id - 1), call);
    std::string line = label_ + (call.isWrite() ? " PUT " : " GET ") + member.name + "(" + call.describeArguments() +
                       ")";
    if (SUCCEEDED(hr)) {
        line += (call.isWrite() ? " := " : " -> ") + call.describeResult();
        if (!call.note.empty()) line += " [" + call.note + "]";
    } else {
        line += " FAILED " + (call.failureText().empty() ? std::to_string(hr) : call.failureText());
    }
    journal(line);
    if (hr == DISP_E_EXCEPTION && exception) {
        *exception = EXCEPINFO{};
        exception->scode = DISP_E_EXCEPTION;
        exception->bstrSource = SysAllocString(L"Vorpex spreadsheet stand-in");
        const std::wstring text = wideFromUtf8(call.failureText());
        exception->bstrDescription = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    }
    return hr;
}

}  // namespace xl
