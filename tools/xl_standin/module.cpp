// The stand-in's COM module: its class factory, self-registration under the ProgID "Excel.Application", and a
// running instance in the running object table for clients that look for one. Windows only.
#include <windows.h>
#include <ole2.h>

#include <string>

#include "dispatch.h"
#include "objects.h"

namespace {

// {6F1D2C3A-9B44-4E5B-8C21-3A7E0D5F9B10}: the stand-in's own class, never the real spreadsheet's.
const CLSID CLSID_Standin = {0x6f1d2c3a, 0x9b44, 0x4e5b, {0x8c, 0x21, 0x3a, 0x7e, 0x0d, 0x5f, 0x9b, 0x10}};
constexpr const char* kClassKey = "CLSID\\{6F1D2C3A-9B44-4E5B-8C21-3A7E0D5F9B10}";
constexpr const char* kProgId = "Excel.Application";

HMODULE g_module = nullptr;
LONG g_locks = 0;
DWORD g_runningCookie = 0;

class Factory : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IClassFactory) {
            *out = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    // The factory is static: its count does not govern its life.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        // The switch that plays a spreadsheet which is installed but does not start.
        if (!xl::environment("VORPEX_XL_FAIL_CREATE").empty()) {
            xl::journal("CreateObject FAILED (VORPEX_XL_FAIL_CREATE)");
            return CO_E_SERVER_EXEC_FAILURE;
        }
        xl::DispatchBase* app = xl::newApplication();
        xl::journal(app->label() + " CREATED");
        const HRESULT hr = app->QueryInterface(riid, out);
        app->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        lock ? InterlockedIncrement(&g_locks) : InterlockedDecrement(&g_locks);
        return S_OK;
    }
};

Factory g_factory;

bool setKey(const std::string& key, const char* name, const std::string& value) {
    HKEY h = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG r = RegSetValueExA(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                  static_cast<DWORD>(value.size() + 1));
    RegCloseKey(h);
    return r == ERROR_SUCCESS;
}

std::string modulePath() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(g_module, path, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::string(path, n) : std::string();
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (clsid != CLSID_Standin) return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(riid, out);
}

HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return xl::DispatchBase::liveObjects() == 0 && g_locks == 0 ? S_OK : S_FALSE;
}

HRESULT STDAPICALLTYPE DllRegisterServer() {
    const std::string path = modulePath();
    const std::string classId = std::string(kClassKey).substr(6);
    const bool ok = !path.empty() && setKey(kProgId, nullptr, "Vorpex spreadsheet stand-in") &&
                    setKey(std::string(kProgId) + "\\CLSID", nullptr, classId) &&
                    setKey(kClassKey, nullptr, "Vorpex spreadsheet stand-in") &&
                    setKey(std::string(kClassKey) + "\\ProgID", nullptr, kProgId) &&
                    setKey(std::string(kClassKey) + "\\InprocServer32", nullptr, path) &&
                    setKey(std::string(kClassKey) + "\\InprocServer32", "ThreadingModel", "Apartment");
    return ok ? S_OK : E_FAIL;
}

HRESULT STDAPICALLTYPE DllUnregisterServer() {
    RegDeleteTreeA(HKEY_CLASSES_ROOT, kClassKey);
    RegDeleteTreeA(HKEY_CLASSES_ROOT, kProgId);
    return S_OK;
}

// Starts a spreadsheet that is "already running": an Application in the running object table, as the real
// program registers itself, for clients that ask GetActiveObject first.
HRESULT STDAPICALLTYPE VorpexXlStartRunning() {
    if (g_runningCookie) return S_FALSE;
    xl::DispatchBase* app = xl::newApplication();
    xl::journal(app->label() + " RUNNING");
    const HRESULT hr = RegisterActiveObject(app, CLSID_Standin, ACTIVEOBJECT_STRONG, &g_runningCookie);
    app->Release();  // the table holds its own reference
    return hr;
}

HRESULT STDAPICALLTYPE VorpexXlStopRunning() {
    if (!g_runningCookie) return S_FALSE;
    const HRESULT hr = RevokeActiveObject(g_runningCookie, nullptr);
    g_runningCookie = 0;
    return hr;
}

// The stand-in's objects alive now: a client that holds its references exactly leaves 0 once it lets go.
LONG STDAPICALLTYPE VorpexXlLiveObjects() { return xl::DispatchBase::liveObjects(); }

}  // extern "C"
