// The printer cache's functions callable by name.
#include "framework/core/native/casts.h"
#include "framework/core/native/native_args.h"
#include "framework/print/printer_cache/printer_info_cache.h"

namespace vorpex::print {

using namespace native;

namespace {

using native::handleValue;

// PRINTERENDDOC's second argument: a logical by its value, a number when not 0.
bool keepArg(Args a, size_t i) {
    const Value& v = rt::arg(a, i);
    if (v.isLogical()) return v.asLogical();
    return v.isNumber() && v.asInteger() != 0;
}

}  // namespace

void registerPrinterFunctions() {
    PrinterInfoCache& c = printerCache();
    registerCallable("PRINTERINIT", [&c](Args) { return Value(c.init()); });
    registerCallable("PRINTEREND", [&c](Args) {
        c.end();
        return Value();
    });
    registerCallable("PRINTERINDEX", [&c](Args a) { return Value(c.selectIndex(optionalInt(a, 0))); });
    registerCallable("PRINTERCREATEDC", [&c](Args) { return handleValue(c.createDC()); });
    registerCallable("PRINTERRESETDC", [&c](Args a) { return handleValue(c.resetDC(handleArg(a, 0))); });
    registerCallable("PRINTERDELETEDC", [&c](Args a) { return Value(c.deleteDC(handleArg(a, 0))); });
    registerCallable("PRINTERSTARTDOC", [&c](Args a) {
        std::optional<std::string> output;
        if (const std::string* t = textArg(a, 2)) output = *t;
        return Value(c.startDoc(handleArg(a, 0), textOr(a, 1), output));
    });
    registerCallable("PRINTERENDDOC", [&c](Args a) { return Value(c.endDoc(handleArg(a, 0), keepArg(a, 1))); });
    registerCallable("PRINTERABORTDOC", [&c](Args a) { return Value(c.abortDoc(handleArg(a, 0))); });
    registerCallable("PRINTERSTARTPAGE", [&c](Args a) { return Value(c.startPage(handleArg(a, 0))); });
    registerCallable("PRINTERENDPAGE", [&c](Args a) { return Value(c.endPage(handleArg(a, 0))); });
}

}  // namespace vorpex::print
