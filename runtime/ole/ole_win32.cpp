// Creating and finding servers by ProgID.
#include <windows.h>

#include "ole.h"
#include "ole_error.h"
#include "ole_object.h"
#include "variant.h"

namespace rt::ole {

namespace {

// COM stays started on the thread for the rest of the run: the client keeps one initialisation of its own,
// so that a program's OleUninitialize cannot unload a server whose objects the program still holds.
void startCom() {
    static thread_local bool started = false;
    if (started) return;
    const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    started = SUCCEEDED(hr) || hr == RPC_E_CHANGED_MODE;
}

// A ProgID ("Excel.Application") or a class id in braces.
HRESULT classIdOf(std::string_view progId, CLSID& clsid) {
    const std::wstring wide = wideFromAnsi(progId);
    if (!wide.empty() && wide.front() == L'{') return CLSIDFromString(wide.c_str(), &clsid);
    return CLSIDFromProgID(wide.c_str(), &clsid);
}

Value creationFailed(HRESULT hr, std::string_view operation, std::string_view progId) {
    const Value argument(progId);
    return raiseOleError(oleError(Stage::Create, static_cast<uint32_t>(hr), "", operation, Args(&argument, 1)));
}

HRESULT dispatchOfRunning(const CLSID& clsid, IDispatch*& dispatch) {
    IUnknown* unknown = nullptr;
    HRESULT hr = GetActiveObject(clsid, nullptr, &unknown);
    if (FAILED(hr)) return hr;
    hr = unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    unknown->Release();
    return hr;
}

}  // namespace

bool available() { return true; }

Value createObject(std::string_view progId) {
    startCom();
    CLSID clsid;
    IDispatch* dispatch = nullptr;
    HRESULT hr = classIdOf(progId, clsid);
    if (SUCCEEDED(hr))
        hr = CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    if (FAILED(hr)) return creationFailed(hr, "CREATEOBJECT", progId);
    setLastErrorText("S_OK");
    return OleObject::adopt(dispatch);
}

Value getActiveObject(std::string_view progId) {
    startCom();
    CLSID clsid;
    IDispatch* dispatch = nullptr;
    HRESULT hr = classIdOf(progId, clsid);
    if (SUCCEEDED(hr)) hr = dispatchOfRunning(clsid, dispatch);
    if (FAILED(hr)) return creationFailed(hr, "GETACTIVEOBJECT", progId);
    setLastErrorText("S_OK");
    return OleObject::adopt(dispatch);
}

}  // namespace rt::ole
