#include "framework/core/native/native_functions.h"

#include <vector>

#include "framework/core/native/bits.h"
#include "framework/core/native/escape.h"
#include "framework/core/native/hex.h"
#include "framework/core/native/log_file.h"
#include "framework/core/native/native_args.h"
#include "framework/core/native/text_utility.h"
#include "framework/core/native/to_string.h"
#include "framework/core/native/windows_version.h"

namespace vorpex {

using namespace native;

namespace {

// All arguments as numbers; nothing when there are none or one is not a number.
std::optional<std::vector<int64_t>> numbers(Args args) {
    if (args.empty()) return std::nullopt;
    std::vector<int64_t> out;
    out.reserve(args.size());
    for (size_t i = 0; i < args.size(); ++i) {
        if (!isNumberArg(args, i)) return std::nullopt;
        out.push_back(intArg(args, i));
    }
    return out;
}

template <class F>
void unaryNumber(const char* name, F f) {
    registerCallable(name, [f](Args a) -> Value { return isNumberArg(a, 0) ? Value(f(intArg(a, 0))) : Value(0); });
}

template <class F>
void binaryNumber(const char* name, F f) {
    registerCallable(name, [f](Args a) -> Value {
        if (!isNumberArg(a, 0) || !isNumberArg(a, 1)) return Value(0);
        return Value(f(intArg(a, 0), intArg(a, 1)));
    });
}

template <class F>
void variadicNumber(const char* name, F f) {
    registerCallable(name, [f](Args a) -> Value {
        auto n = numbers(a);
        return n ? Value(f(*n)) : Value(0);
    });
}

template <class F>
void variadicLogical(const char* name, F f) {
    registerCallable(name, [f](Args a) -> Value {
        auto n = numbers(a);
        return Value(n && f(*n) != 0);
    });
}

template <class F>
void textFunction(const char* name, F f) {
    registerCallable(name, [f](Args a) -> Value {
        const std::string* t = textArg(a, 0);
        return t ? Value(f(*t)) : Value("");
    });
}

void registerBitFunctions() {
    binaryNumber("MAKELPARAM", makeLong);
    binaryNumber("MAKELONG", makeLong);
    binaryNumber("MAKEWORD", makeWord);
    binaryNumber("MAKELONGLONG", makeLongLong);
    unaryNumber("LOBYTE", lowByte);
    unaryNumber("HIBYTE", highByte);
    unaryNumber("LOWORD", lowWord);
    unaryNumber("HIWORD", highWord);
    unaryNumber("LOLONG", lowLong);
    unaryNumber("HILONG", highLong);
    unaryNumber("NNOT", [](int64_t n) { return ~n; });
    unaryNumber("MAKEINTRESOURCE", makeIntResource);
    binaryNumber("SHR", shiftRight);
    binaryNumber("SHL", shiftLeft);
    variadicNumber("NAND", [](const std::vector<int64_t>& n) { return andAll(n); });
    variadicNumber("NOR", [](const std::vector<int64_t>& n) { return orAll(n); });
    variadicNumber("NXOR", [](const std::vector<int64_t>& n) { return xorAll(n); });
    variadicNumber("NEXCLUDE", [](const std::vector<int64_t>& n) { return excludeBits(n); });
    variadicLogical("LAND", [](const std::vector<int64_t>& n) { return andAll(n); });
    variadicLogical("LOR", [](const std::vector<int64_t>& n) { return orAll(n); });
    variadicLogical("LXOR", [](const std::vector<int64_t>& n) { return xorAll(n); });
}

void registerHexFunctions() {
    registerCallable("HEX", [](Args a) -> Value { return isNumberArg(a, 0) ? Value(hex(intArg(a, 0))) : Value(""); });
    const std::pair<const char*, int> fixed[] = {{"B2HEX", 2}, {"W2HEX", 4}, {"L2HEX", 8}, {"LL2HEX", 16}};
    for (auto [name, digits] : fixed)
        registerCallable(name, [digits](Args a) -> Value {
            return isNumberArg(a, 0) ? Value(fixedHex(intArg(a, 0), digits)) : Value("");
        });
    textFunction("STRINGTOHEX", [](const std::string& t) { return stringToHex(t); });
    textFunction("HEXTOSTRING", [](const std::string& t) { return hexToString(t); });
    registerCallable("HEXTODEC", [](Args a) -> Value {
        const std::string* t = textArg(a, 0);
        return Value(t ? hexToDec(*t) : 0);
    });
}

void registerTextFunctions() {
    registerCallable("ISSTRINGNUMERIC", [](Args a) -> Value {
        const std::string* t = textArg(a, 0);
        return Value(t && isStringNumeric(*t));
    });
    registerCallable("STRENCODEESCAPE", [](Args a) -> Value {
        const std::string* t = textArg(a, 0);
        return t ? Value(encodeEscapes(*t, logicalArg(a, 1))) : Value("");
    });
    textFunction("STRDECODEESCAPE", [](const std::string& t) { return decodeEscapes(t); });
    registerCallable("TOSTRING", [](Args a) -> Value { return Value(toText(a)); });
    registerCallable("LOGFILE", [](Args a) -> Value {
        if (const std::string* t = textArg(a, 0)) logFile({*t});
        return {};
    });
}

void registerVersionFunctions() {
    registerCallable("GETWINPLATFORM", [](Args) -> Value { return Value(windowsVersion().platformId); });
    registerCallable("VP_ISWIN9X", [](Args) -> Value { return Value(isWin9x(windowsVersion())); });
    registerCallable("VP_ISWINNT", [](Args) -> Value { return Value(isWinNT(windowsVersion())); });
    registerCallable("VP_ISWINVISTA", [](Args) -> Value { return Value(isVistaOrLater(windowsVersion())); });
    registerCallable("GETVERSIONEX", [](Args) -> Value { return versionArray(windowsVersion()); });
}

}  // namespace

void registerNativeFunctions() {
    registerBitFunctions();
    registerHexFunctions();
    registerTextFunctions();
    registerVersionFunctions();
    registerPlatformNativeFunctions();
}

}  // namespace vorpex
