#include "framework/print/printer/preview_dc.h"

#include <string>

#include "framework/core/native/native_args.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/screen/display_source.h"
#include "framework/graphics/metafile/metafile.h"
#include "framework/print/printer_cache/printer_info_cache.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;

namespace {

int64_t tenTimes(const Value& v) { return v.isNumber() ? v.asInteger() * 10 : 0; }

}  // namespace

const rt::Class& XPreviewDC::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XPreviewDC", nullptr, rt::factoryOf<XPreviewDC>());
        kDC = b.addData("hDC", 0, "N");
        kPrinterDC = b.addData("hPrinterDC", 0, "N");
        kEmf = b.addData("aEmf", Value::array(), "A");
        kPrinter = b.addData("oPrinter", Value(), "O");
        kPrinterIndex = b.addData("nPrinterIndex", 0, "N");
        kOnScreen = b.addData("lOnScreen", false, "L", Hidden);
        b.addMethod("New", rt::method(&XPreviewDC::Create), Exported | Constructor);
        b.addMethod("Create", rt::method(&XPreviewDC::Create), Exported | Constructor);
        addMembers<XPreviewDC>(b);
        return b.create();
    }();
    return c;
}

// A device dropped without Destroy must not keep its reference DC (its metafiles end their own recordings).
XPreviewDC::~XPreviewDC() { releaseReference(); }

size_t XPreviewDC::pageCount() const {
    const Value& pages = field(kEmf);
    return pages.isArray() ? pages.asArray()->items.size() : 0;
}

// With no printer the pages are recorded against the screen.
Value XPreviewDC::Create(rt::Args args) {
    if (rt::arg(args, 0).isObject()) field(kPrinter) = rt::arg(args, 0);
    field(kPrinterIndex) = Value(native::intArg(args, 2));
    releaseReference();
    intptr_t dc = native::handleArg(args, 1);
    if (!dc && print::printerCache().loaded()) dc = print::printerCache().createDC();
    field(kOnScreen) = Value(dc == 0);
    if (!dc) dc = displaySource().createDisplayDC();
    setDC(kPrinterDC, dc);
    return Value(self());
}

Value XPreviewDC::recordPage(size_t number) {
    const Value& printer = field(kPrinter);
    const Value title = rt::send(printer, "cJobTitle");
    const std::string name = (title.isString() ? title.asString() : std::string()) + " # " + std::to_string(number);
    Value emf = rt::send((*rt::findFunction("TENHMETAFILE"))({}), "Create",
                    {Value(static_cast<int64_t>(hPrinterDC())), Value(), Value(tenTimes(rt::send(printer, "PaperWidth"))),
                     Value(tenTimes(rt::send(printer, "PaperLength"))), Value(name)});
    setDC(kDC, static_cast<intptr_t>(rt::send(emf, "hNewDC").asInteger()));
    return emf;
}

Value XPreviewDC::StartPage(rt::Args) {
    closeOpenPage();
    if (!field(kEmf).isArray()) field(kEmf) = Value::array();
    field(kEmf).asArray()->items.push_back(recordPage(pageCount() + 1));
    return Value(static_cast<int64_t>(hDC()));
}

void XPreviewDC::closeOpenPage() {
    if (!hDC() || pageCount() == 0) return;
    setDC(kDC, 0);
    rt::send(field(kEmf).asArray()->items.back(), "Close");
}

Value XPreviewDC::EndPage(rt::Args) {
    closeOpenPage();
    setDC(kDC, 0);
    return Value(true);
}

// The open page is recorded again from its start against the re-initialised printer DC.
Value XPreviewDC::Reset(rt::Args) {
    const bool pageOpen = hDC() && pageCount() > 0;
    if (pageOpen) {
        Value& last = field(kEmf).asArray()->items.back();
        rt::send(last, "Destroy");
        setDC(kDC, 0);
    }
    if (!field(kOnScreen).asLogical()) setDC(kPrinterDC, print::printerCache().resetDC(hPrinterDC()));
    if (!pageOpen) return Value(static_cast<int64_t>(hPrinterDC()));
    field(kEmf).asArray()->items.back() = recordPage(pageCount());
    return Value(static_cast<int64_t>(hDC()));
}

Value XPreviewDC::Destroy(rt::Args) {
    closeOpenPage();
    if (field(kEmf).isArray())
        for (const Value& page : field(kEmf).asArray()->items) rt::send(page, "Destroy");
    field(kEmf) = Value::array();
    releaseReference();
    return Value();
}

void XPreviewDC::releaseReference() {
    if (!hPrinterDC()) return;
    if (field(kOnScreen).asLogical())
        displaySource().deleteDC(hPrinterDC());
    else
        print::printerCache().deleteDC(hPrinterDC());
    setDC(kPrinterDC, 0);
}

}  // namespace vorpex
