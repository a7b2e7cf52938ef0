#include "ole_error.h"

#include <cstdio>
#include <utility>
#include <vector>

#include "ole.h"

namespace rt::ole {

namespace {

struct NamedResult {
    uint32_t hr;
    const char* name;
};

// The results an Automation client meets in practice; the values are fixed by COM.
constexpr NamedResult kNamedResults[] = {
    {0x00000000u, "S_OK"},
    {0x00000001u, "S_FALSE"},
    {0x80004001u, "E_NOTIMPL"},
    {0x80004002u, "E_NOINTERFACE"},
    {0x80004003u, "E_POINTER"},
    {0x80004004u, "E_ABORT"},
    {0x80004005u, "E_FAIL"},
    {0x8000FFFFu, "E_UNEXPECTED"},
    {0x80070005u, "E_ACCESSDENIED"},
    {0x8007000Eu, "E_OUTOFMEMORY"},
    {0x80070057u, "E_INVALIDARG"},
    {0x80020001u, "DISP_E_UNKNOWNINTERFACE"},
    {0x80020003u, "DISP_E_MEMBERNOTFOUND"},
    {0x80020004u, "DISP_E_PARAMNOTFOUND"},
    {0x80020005u, "DISP_E_TYPEMISMATCH"},
    {0x80020006u, "DISP_E_UNKNOWNNAME"},
    {0x80020007u, "DISP_E_NONAMEDARGS"},
    {0x80020008u, "DISP_E_BADVARTYPE"},
    {0x80020009u, "DISP_E_EXCEPTION"},
    {0x8002000Au, "DISP_E_OVERFLOW"},
    {0x8002000Bu, "DISP_E_BADINDEX"},
    {0x8002000Cu, "DISP_E_UNKNOWNLCID"},
    {0x8002000Du, "DISP_E_ARRAYISLOCKED"},
    {0x8002000Eu, "DISP_E_BADPARAMCOUNT"},
    {0x8002000Fu, "DISP_E_PARAMNOTOPTIONAL"},
    {0x800401E3u, "MK_E_UNAVAILABLE"},
    {0x800401F0u, "CO_E_NOTINITIALIZED"},
    {0x800401F3u, "CO_E_CLASSSTRING"},
    {0x80040111u, "CLASS_E_CLASSNOTAVAILABLE"},
    {0x80040154u, "REGDB_E_CLASSNOTREG"},
    {0x80080005u, "CO_E_SERVER_EXEC_FAILURE"},
};

int genericCode(Stage stage, uint32_t hr) {
    if (stage == Stage::Create) return eg::Create;
    if (hr == 0x80020006u || hr == 0x80020003u) return eg::NoMethod;
    return eg::Arg;
}

std::string& lastText() {
    static thread_local std::string text = "S_OK";
    return text;
}

}  // namespace

std::string hresultText(uint32_t hr) {
    for (const NamedResult& r : kNamedResults)
        if (r.hr == hr) return r.name;
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08X", static_cast<unsigned>(hr));
    return buffer;
}

Error oleError(Stage stage, uint32_t hr, std::string text, std::string_view operation, Args args) {
    Error e;
    e.genCode = genericCode(stage, hr);
    e.subSystem = "OLE";
    e.subCode = static_cast<int>(hr & 0xFFFFu);
    e.osCode = static_cast<int>(hr);
    e.description = text.empty() ? hresultText(hr) : std::move(text);
    e.operation = std::string(operation);
    e.args = Value::array(std::vector<Value>(args.begin(), args.end()));
    e.canDefault = true;
    return e;
}

Value raiseOleError(Error e) {
    setLastErrorText(e.description);
    return raise(e).value;
}

void setLastErrorText(std::string text) { lastText() = std::move(text); }

const std::string& lastErrorText() { return lastText(); }

std::string_view notAvailableText() { return "OLE Automation is not available on this platform"; }

}  // namespace rt::ole
