#include "framework/graphics/clipboard/clipboard_functions.h"

#include "framework/core/native/casts.h"
#include "framework/core/native/native_args.h"
#include "framework/graphics/clipboard/clipboard_platform.h"

namespace vorpex {

using namespace native;

namespace {

using native::handleValue;

Value numbers(const std::vector<int64_t>& list) {
    std::vector<Value> items(list.begin(), list.end());
    return Value::array(std::move(items));
}

}  // namespace

void registerClipboardFunctions() {
    registerCallable("OPENCLIPBOARD", [](Args a) { return Value(clip::openClipboard(handleArg(a, 0))); });
    registerCallable("CLOSECLIPBOARD", [](Args) { return Value(clip::closeClipboard()); });
    registerCallable("EMPTYCLIPBOARD", [](Args) { return Value(clip::emptyClipboard()); });
    registerCallable("GETCLIPBOARDOWNER", [](Args) { return handleValue(clip::clipboardOwner()); });
    registerCallable("GETOPENCLIPBOARDWINDOW", [](Args) { return handleValue(clip::openClipboardWindow()); });
    registerCallable("GETCLIPBOARDVIEWER", [](Args) { return handleValue(clip::clipboardViewer()); });
    registerCallable("COUNTCLIPBOARDFORMATS", [](Args) { return Value(clip::countFormats()); });
    registerCallable("REGISTERCLIPBOARDFORMAT", [](Args a) { return Value(clip::registerFormat(textOr(a, 0))); });
    registerCallable("ISCLIPBOARDFORMATAVAILABLE",
                     [](Args a) { return Value(clip::formatAvailable(intArg(a, 0))); });
    registerCallable("GETCLIPBOARDFORMATNAME",
                     [](Args a) { return Value(clip::registeredFormatName(intArg(a, 0))); });
    registerCallable("ENUMCLIPBOARDFORMATS", [](Args) { return numbers(clip::enumFormats()); });
    registerCallable("SETCLIPBOARDDATA", [](Args a) { return Value(clip::setData(intArg(a, 0), rt::arg(a, 1))); });
    registerCallable("GETCLIPBOARDDATA", [](Args a) {
        intptr_t memory = 0;
        Value v = clip::getData(intArg(a, 0), &memory);
        if (isReferenceArg(a, 1) && memory) a[1].assign(handleValue(memory));
        return v;
    });
    registerCallable("SETCLIPBOARDVIEWER", [](Args a) { return handleValue(clip::setClipboardViewer(handleArg(a, 0))); });
    registerCallable("CHANGECLIPBOARDCHAIN", [](Args a) {
        return Value(clip::changeClipboardChain(handleArg(a, 0), handleArg(a, 1)));
    });
    registerCallable("GETCLIPBOARDSEQUENCENUMBER", [](Args) { return Value(clip::sequenceNumber()); });
}

}  // namespace vorpex
