#include "ole_object.h"

#include <windows.h>

#include "ole_error.h"
#include "runtime/core/class_builder.h"
#include "variant.h"

namespace rt::ole {

namespace {

// The error details a server hands back with DISP_E_EXCEPTION; its texts are freed on every path.
class ExceptionInfo {
public:
    ExceptionInfo() = default;
    ~ExceptionInfo() {
        SysFreeString(info_.bstrSource);
        SysFreeString(info_.bstrDescription);
        SysFreeString(info_.bstrHelpFile);
    }
    ExceptionInfo(const ExceptionInfo&) = delete;
    ExceptionInfo& operator=(const ExceptionInfo&) = delete;

    EXCEPINFO* get() { return &info_; }
    // The server's description, filled in first when the server deferred it.
    std::string description() {
        if (info_.pfnDeferredFillIn) {
            info_.pfnDeferredFillIn(&info_);
            info_.pfnDeferredFillIn = nullptr;
        }
        return ansiFromWide(info_.bstrDescription, SysStringLen(info_.bstrDescription));
    }
    HRESULT code() const { return info_.scode != 0 ? info_.scode : static_cast<HRESULT>(info_.wCode); }

private:
    EXCEPINFO info_{};
};

}  // namespace

OleObject::~OleObject() {
    if (dispatch_) dispatch_->Release();
}

const Class& OleObject::classRecord() {
    static const Class& c = []() -> const Class& {
        ClassBuilder b("TOLEAUTO", &baseObjectClass(), factoryOf<OleObject>());
        Class& record = b.create();
        record.setUnknownMessageHandler([](Object& self, Symbol message, Args args) {
            return static_cast<OleObject&>(self).receive(message, args);
        });
        return record;
    }();
    return c;
}

Value OleObject::share(IDispatch* dispatch) {
    if (dispatch) dispatch->AddRef();
    return adopt(dispatch);
}

Value OleObject::adopt(IDispatch* dispatch) {
    if (!dispatch) return Value();
    auto object = objectAs<OleObject>(classRecord().instantiate());
    object->dispatch_ = dispatch;
    return Value(object);
}

HRESULT OleObject::memberId(const std::string& name, DISPID& id) {
    if (auto it = ids_.find(name); it != ids_.end()) {
        id = it->second;
        return S_OK;
    }
    std::wstring wide = wideFromAnsi(name);
    LPOLESTR names[] = {wide.data()};
    const HRESULT hr = dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (SUCCEEDED(hr)) ids_.emplace(name, id);
    return hr;
}

Value OleObject::receive(Symbol message, Args args) {
    const std::string& name = message.name();
    if (!dispatch_) return raiseOleError(oleError(Stage::Call, E_POINTER, "", name, args));
    const bool write = name.size() > 1 && name[0] == '_' && !args.empty();
    DISPID id = DISPID_UNKNOWN;
    if (write && SUCCEEDED(memberId(name.substr(1), id)))
        return call(name.substr(1), id, DISPATCH_PROPERTYPUT, args);
    // A server's own member may begin with "_"; only when Name is unknown is `_Name` taken as it stands.
    const HRESULT hr = memberId(name, id);
    if (FAILED(hr)) return raiseOleError(oleError(Stage::Call, static_cast<uint32_t>(hr), "", name, args));
    return call(name, id, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args);
}

Value OleObject::call(const std::string& member, DISPID id, WORD flags, Args args) {
    const bool write = flags == DISPATCH_PROPERTYPUT;
    ArgumentList list;
    if (!list.fill(args, write))
        return raiseOleError(oleError(Stage::Call, static_cast<uint32_t>(DISP_E_TYPEMISMATCH), "", member, args));
    DISPPARAMS params = list.params();
    DISPID putId = DISPID_PROPERTYPUT;
    if (write) {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    // Keeps the server alive through the call even when the call drops this object's last owner.
    ObjectPtr keepAlive = weak_from_this().lock();
    Variant result;
    ExceptionInfo exception;
    UINT badArgument = 0;
    HRESULT hr = dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, write ? nullptr : result.get(),
                                   exception.get(), &badArgument);
    if (FAILED(hr)) {
        std::string text;
        if (hr == DISP_E_EXCEPTION) {
            text = exception.description();
            if (text.empty() && exception.code() != 0) hr = exception.code();
        }
        return raiseOleError(oleError(Stage::Call, static_cast<uint32_t>(hr), std::move(text), member, args));
    }
    list.writeBack();
    setLastErrorText("S_OK");
    return fromVariant(*result);
}

}  // namespace rt::ole
