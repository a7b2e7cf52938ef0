#include "framework/print/printer/printer.h"

#include <string>
#include <vector>

#include "framework/core/native/application_value.h"
#include "framework/core/native/native_args.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/screen/display_source.h"
#include "framework/dialogs/owner_window.h"
#include "framework/graphics/canvas/canvas.h"
#include "framework/print/image_pdf/image_pdf.h"
#include "framework/print/print_dialogs/print_dialogs.h"
#include "framework/print/preview/preview_classes.h"
#include "framework/print/printer/preview_dc.h"
#include "framework/print/printer_cache/printer_info_cache.h"
#include "runtime/core/block.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;
using print::Setting;
using namespace native;

namespace {

// The sheet of a preview with no printer: A4, in tenths of a millimetre.
constexpr int64_t kA4Width = 2100, kA4Length = 2970, kTenthsOfMmPerInch = 254;

print::PrinterInfoCache& cache() { return print::printerCache(); }

Value pairValue(int64_t a, int64_t b) { return Value::array({Value(a), Value(b)}); }
Value pairValue(const print::Pair& p) { return pairValue(p[0], p[1]); }

Value textList(const std::vector<std::string>& items) {
    std::vector<Value> values(items.begin(), items.end());
    return Value::array(std::move(values));
}
Value numberList(const std::vector<int64_t>& items) {
    std::vector<Value> values(items.begin(), items.end());
    return Value::array(std::move(values));
}
Value pairList(const std::vector<print::Pair>& items) {
    std::vector<Value> values;
    for (const print::Pair& p : items) values.push_back(pairValue(p));
    return Value::array(std::move(values));
}

Value callFunction(const char* name, std::vector<Value> args = {}) {
    const rt::Function* f = rt::findFunction(name);
    return f ? (*f)(rt::Args(args.data(), args.size())) : Value();
}

// The screen's dots per inch for a preview without a printer; 96 when the display reports none.
print::Pair screenDpi() {
    const DisplayCaps caps = displaySource().caps().value_or(DisplayCaps{});
    return {caps.pixelsPerInchX > 0 ? caps.pixelsPerInchX : 96, caps.pixelsPerInchY > 0 ? caps.pixelsPerInchY : 96};
}

int64_t a4Pixels(int64_t tenthsOfMm, int64_t dpi) { return tenthsOfMm * dpi / kTenthsOfMmPerInch; }

// The device-mode properties: each reads through its method and writes through it, then resets the job.
struct SettingProperty {
    const char* name;
    const char* type;
    const char* method;
};
constexpr SettingProperty kSettingProperties[] = {
    {"nPaperSizeType", "N", "PaperSizeType"}, {"nPaperLength", "N", "PaperLength"},
    {"nPaperWidth", "N", "PaperWidth"},       {"nCopies", "N", "Copies"},
    {"nDefaultBin", "N", "DefaultBin"},       {"nColor", "N", "Color"},
    {"nDuplex", "N", "Duplex"},               {"nPrinterIndex", "N", "PrinterIndex"},
    {"nOrientation", "N", "Orientation"},     {"nPrintQuality", "N", "PrintQuality"},
    {"lCollate", "L", "Collate"}};

Value choices(std::initializer_list<std::pair<const char*, int>> items) {
    std::vector<Value> rows;
    for (const auto& [label, value] : items) rows.push_back(Value::array({Value(label), Value(value)}));
    return Value::array(std::move(rows));
}

Value settingChoices(const std::string& method) {
    if (method == "Orientation") return choices({{"poPORTRAIT", 1}, {"poLANDSCAPE", 2}});
    if (method == "PrintQuality") return choices({{"pqHIGH", -4}, {"pqMEDIUM", -3}, {"pqLOW", -2}, {"pqDRAFT", -1}});
    return Value();
}

}  // namespace

const rt::Class& XPrinter::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XPrinter;
        VPClass b("XPrinter", &TComponent::classRecord(), rt::factoryOf<XPrinter>());
        kPrnDlg = b.addProperty({.name = "oPrnDlg", .type = "O"});
        kPageSetupDlg = b.addProperty({.name = "oPageSetupDlg", .type = "O"});
        kWndOwner = b.addProperty({.name = "oWndOwner", .type = "O"});
        kCanvas = b.addProperty({.name = "oCanvas", .type = "O"});
        kPrinterNames = b.addProperty({.name = "aPrinterNames", .initial = Value::array(), .type = "A", .readOnly = true});
        kJobTitle = b.addProperty({.name = "cJobTitle", .type = "C"});
        kPrinterName = b.addProperty({.name = "cPrinterName", .initial = "", .type = "C", .readOnly = true});
        for (const SettingProperty& p : kSettingProperties) {
            const std::string method = p.method;
            const int position = b.addProperty(
                {.name = p.name,
                 .initial = std::string(p.type) == "L" ? Value(false) : Value(0),
                 .type = p.type,
                 .getter = method,
                 .setter = rt::NativeMethod([method](rt::Object& self, const rt::Method&, rt::Args args) {
                     rt::send(self, rt::Symbol::intern(method), args);
                     rt::send(self, rt::Symbol::intern("Reset"));
                     return rt::arg(args, 0);
                 }),
                 .choices = settingChoices(method)});
            if (method == "Copies") kCopies = position;
            if (method == "Collate") kCollate = position;
            if (method == "PrinterIndex") kPrinterIndex = position;
        }
        b.addProperty({.name = "nStatus", .initial = 0, .type = "N", .readOnly = true, .getter = "Status"});
        b.addProperty({.name = "nPreviewShowMode", .initial = 1, .type = "N",
                       .choices = choices({{"smNORMAL", 1}, {"smMAXIMIZE", 3}, {"smMINIMIZE", 6}})});
        kPageNumber = b.addProperty({.name = "nPageNumber", .initial = 0, .type = "N"});
        kPreview = b.addProperty({.name = "lPreview", .initial = false, .type = "L"});
        b.addProperty({.name = "lPreviewModal", .initial = true, .type = "L"});
        kOnPage = b.addData("lOnPage", false, "L");
        kPreviewDC = b.addProperty({.name = "oPreviewDC", .type = "O"});
        b.addClassData("oExportInfo");
        kDC = b.addData("hDC", 0, "N");
        kPort = b.addData("cPort", "", "C");
        kAborted = b.addData("lAborted", false, "L");
        b.addEvent("OnPreview", Published, "oSender, nShowMode, lModal, oParent");
        b.addMethod("Initialize", rt::method(&X::Initialize), Exported | Constructor);
        addMembers<XPrinter>(b);
        return b.create();
    }();
    return c;
}

// ---- the one printer object

Value XPrinter::Initialize(rt::Args) {
    Value& printer = rt::publicVar("Printer");
    if (printer.isObject()) return printer;
    printer = selfValue();
    Create({});
    return printer;
}

Value XPrinter::Create(rt::Args args) {
    XComponent::Create(args);
    if (cache().init()) {
        field(kPrinterNames) = GetPrinterNames();
        field(kPrinterName) = GetPrinterDefault();
        field(kPort) = Port();
        const std::string name = field(kPrinterName).asString();
        const auto& names = field(kPrinterNames).asArray()->items;
        for (size_t i = 0; i < names.size() && !name.empty(); ++i)
            if (names[i].asString() == name) {
                field(kPrinterIndex) = Value(static_cast<int64_t>(i + 1));
                break;
            }
    }
    Value& exportInfo = objectClass().classData(objectClass().classDataPosition("oExportInfo"));
    if (!exportInfo.isObject()) {
        const Value me = selfValue();
        exportInfo = std::static_pointer_cast<XPrnExportInfo>(TPrnExportInfo::classRecord().instantiate())
                         ->Create(rt::Args(&me, 1));
    }
    return selfValue();
}

Value XPrinter::Destroy(rt::Args args) {
    if (field(kPrnDlg).isObject()) rt::send(field(kPrnDlg), "Destroy");
    if (hDC() || IsPrinting().asLogical()) EndDoc({});
    cache().end();
    return XComponent::Destroy(args);
}

// ---- the printer's facts

bool XPrinter::previewOnScreen() const { return lPreview() && !cache().loaded(); }

Value XPrinter::GetPrinterNames() { return textList(cache().names()); }
Value XPrinter::GetPrinterDefault() { return Value(cache().defaultPrinter()); }
Value XPrinter::Port() { return Value(cache().port()); }
Value XPrinter::ServerName() { return Value(cache().serverName()); }
Value XPrinter::ShareName() { return Value(cache().shareName()); }
Value XPrinter::DriverName() { return Value(cache().driverName()); }
Value XPrinter::Status() { return Value(cache().status()); }

Value XPrinter::Resolution() {
    if (previewOnScreen()) return pairValue(screenDpi());
    return pairValue(cache().resolution(hDC()));
}

Value XPrinter::PaperRes() {
    if (!previewOnScreen()) return pairValue(cache().paperRes(hDC()));
    const print::Pair dpi = screenDpi();
    return pairValue(a4Pixels(kA4Width, dpi[0]), a4Pixels(kA4Length, dpi[1]));
}

Value XPrinter::PaperSize() {
    if (previewOnScreen()) return pairValue(kA4Width, kA4Length);
    return pairValue(cache().paperSize(hDC()));
}

Value XPrinter::PaperPhysicalSize() {
    if (previewOnScreen()) return pairValue(kA4Width, kA4Length);
    return pairValue(cache().paperPhysicalSize(hDC()));
}

Value XPrinter::PhysicalOffset() {
    if (previewOnScreen()) return pairValue(0, 0);
    return pairValue(cache().physicalOffset(hDC()));
}

Value XPrinter::GetPrinterFonts(rt::Args) { return textList(cache().fonts()); }

// The driver's dialog is owned by the window of the owner's parent.
Value XPrinter::DocumentSetup(rt::Args args) {
    const Value& given = rt::arg(args, 0);
    return Value(cache().documentSetup(ownerWindow(given.isObject() ? rt::send(given, "oParent") : Value())));
}

Value XPrinter::WriteData(rt::Args args) {
    const std::string* document = textArg(args, 1);
    const Value& title = field(kJobTitle);
    return Value(cache().writeData(textOr(args, 0), document ? *document : title.isString() ? title.asString() : ""));
}

Value XPrinter::CreateDC(rt::Args) {
    setDC(cache().createDC());
    return Value(static_cast<int64_t>(hDC()));
}

Value XPrinter::DeleteDC(rt::Args) {
    const bool done = cache().deleteDC(hDC());
    setDC(0);
    return Value(done);
}

Value XPrinter::PrinterIndex(rt::Args args) {
    const auto& names = field(kPrinterNames).isArray() ? field(kPrinterNames).asArray()->items : std::vector<Value>{};
    int64_t n = intArg(args, 0);
    if (n < 1 || n > static_cast<int64_t>(names.size())) n = 0;
    const int64_t index = cache().selectIndex(n ? std::optional<int64_t>(n) : std::nullopt);
    field(kPrinterIndex) = Value(index);
    field(kPrinterName) = index >= 1 && index <= static_cast<int64_t>(names.size()) ? names[index - 1] : Value("");
    return Value(index);
}

// ---- settings of the current printer's device mode

Value XPrinter::setting(Setting s, rt::Args args) {
    return Value(cache().setting(s, optionalInt(args, 0), hDC()));
}

Value XPrinter::Orientation(rt::Args args) { return setting(Setting::Orientation, args); }
Value XPrinter::PaperSizeType(rt::Args args) { return setting(Setting::PaperSizeType, args); }
Value XPrinter::Copies(rt::Args args) { return setting(Setting::Copies, args); }
Value XPrinter::DefaultBin(rt::Args args) { return setting(Setting::DefaultBin, args); }
Value XPrinter::Color(rt::Args args) { return setting(Setting::Color, args); }
Value XPrinter::Duplex(rt::Args args) { return setting(Setting::Duplex, args); }
Value XPrinter::PrintQuality(rt::Args args) { return setting(Setting::PrintQuality, args); }
Value XPrinter::Collate(rt::Args args) { return Value(setting(Setting::Collate, args).asInteger() != 0); }

Value XPrinter::PaperLength(rt::Args args) {
    if (previewOnScreen()) return Value(kA4Length);
    return setting(Setting::PaperLength, args);
}

Value XPrinter::PaperWidth(rt::Args args) {
    if (previewOnScreen()) return Value(kA4Width);
    return setting(Setting::PaperWidth, args);
}

// ---- driver capabilities

Value XPrinter::GetPaperNames() { return textList(cache().paperNames(field(kPrinterName).asString(), field(kPort).asString())); }
Value XPrinter::GetPaperTypes() { return numberList(cache().paperTypes(field(kPrinterName).asString(), field(kPort).asString())); }
Value XPrinter::GetPaperSizes() { return pairList(cache().paperSizes(field(kPrinterName).asString(), field(kPort).asString())); }
Value XPrinter::CountPapers() { return Value(cache().countPapers(field(kPrinterName).asString(), field(kPort).asString())); }
Value XPrinter::GetBinSourceNames() { return textList(cache().binNames(field(kPrinterName).asString(), field(kPort).asString())); }
Value XPrinter::GetBinSourceTypes() { return numberList(cache().binTypes(field(kPrinterName).asString(), field(kPort).asString())); }
Value XPrinter::CountBinSources() { return Value(cache().countBins(field(kPrinterName).asString(), field(kPort).asString())); }
Value XPrinter::GetResolutions() { return pairList(cache().resolutions(field(kPrinterName).asString(), field(kPort).asString())); }
Value XPrinter::IsDuplex() { return Value(cache().isDuplex(field(kPrinterName).asString(), field(kPort).asString())); }

// ---- the job

Value XPrinter::IsPrinting() { return Value(oCanvas().isObject()); }

void XPrinter::setCanvasDC(intptr_t dc) {
    if (auto canvas = rt::objectAs<XCanvas>(oCanvas())) canvas->setDC(dc);
}

Value XPrinter::newCanvas(intptr_t dc) {
    const Value me = selfValue();
    auto canvas = std::static_pointer_cast<XCanvas>(TCanvas::classRecord().instantiate());
    canvas->Create(rt::Args(&me, 1));
    canvas->setDC(dc);
    return Value(canvas);
}

// A job that cannot start leaves nothing behind: no canvas, no context, no preview pages.
bool XPrinter::failJob() {
    if (auto canvas = rt::objectAs<XCanvas>(oCanvas())) canvas->Destroy({});
    field(kCanvas) = Value();
    if (lPreview()) {
        if (field(kPreviewDC).isObject()) rt::send(field(kPreviewDC), "Destroy");
        field(kPreviewDC) = Value();
    } else if (hDC()) {
        cache().deleteDC(hDC());
    }
    setDC(0);
    return false;
}

Value XPrinter::StartDoc(rt::Args args) {
    Value owner = rt::arg(args, 1);
    if (!owner.isObject()) owner = callFunction("GETCONTROLFROMHANDLE", {callFunction("GETACTIVEWINDOW")});
    if (rt::arg(args, 0).isString()) field(kJobTitle) = rt::arg(args, 0);
    if (owner.isObject()) field(kWndOwner) = owner;
    if (!field(kJobTitle).isString() || field(kJobTitle).asString().empty())
        field(kJobTitle) = Value(applicationText("cTitle"));
    EndDoc({});
    field(kAborted) = Value(false);
    field(kPageNumber) = Value(0);
    if (lPreview()) {
        const Value me = selfValue();
        const Value createArgs[] = {me, Value(intArg(args, 2)), field(kPrinterIndex)};
        field(kPreviewDC) = std::static_pointer_cast<XPreviewDC>(TPreviewDC::classRecord().instantiate())
                                ->Create(createArgs);
        const auto preview = rt::objectAs<XPreviewDC>(field(kPreviewDC));
        field(kCanvas) = newCanvas(preview->hPrinterDC());
        // A device that reports no paper would put every millimetre of the page at its corner.
        if (!preview->hPrinterDC() || !rt::objectAs<XCanvas>(oCanvas())->measured()) return Value(failJob());
        return Value(true);
    }
    const intptr_t given = handleArg(args, 2);
    setDC(given ? given : cache().createDC());
    field(kCanvas) = newCanvas(hDC());
    if (!hDC() || !rt::objectAs<XCanvas>(oCanvas())->measured()) return Value(failJob());
    if (!cache().startDoc(hDC(), field(kJobTitle).asString(), std::nullopt)) return Value(failJob());
    return Value(true);
}

Value XPrinter::StartPage(rt::Args) {
    if (!IsPrinting().asLogical()) return Value(false);
    if (field(kOnPage).asLogical()) EndPage({});
    field(kPageNumber) = Value(field(kPageNumber).asInteger() + 1);
    bool started = false;
    if (lPreview()) {
        setDC(static_cast<intptr_t>(rt::send(oPreviewDC(), "StartPage").asInteger()));
        started = hDC() != 0;
        setCanvasDC(hDC());
    } else if (hDC()) {
        started = cache().startPage(hDC());
    }
    field(kOnPage) = Value(started);
    return Value(started);
}

Value XPrinter::EndPage(rt::Args) {
    if (!field(kOnPage).asLogical()) return Value(false);
    bool ended = false;
    if (lPreview()) {
        ended = rt::send(oPreviewDC(), "EndPage").asLogical();
        setDC(0);
        if (auto preview = rt::objectAs<XPreviewDC>(oPreviewDC())) setCanvasDC(preview->hPrinterDC());
    } else if (hDC()) {
        ended = cache().endPage(hDC());
    }
    field(kOnPage) = Value(!ended);
    return Value(ended);
}

// An open page is ended first, so the last page is kept (printed, or closed as a preview page).
Value XPrinter::EndDoc(rt::Args) {
    if (!IsPrinting().asLogical()) return Value(false);
    if (field(kOnPage).asLogical()) EndPage({});
    field(kOnPage) = Value(false);
    bool done = false;
    if (lPreview()) {
        auto preview = rt::objectAs<XPreviewDC>(oPreviewDC());
        done = preview && preview->pageCount() > 0;
    } else {
        done = cache().endDoc(hDC(), false);
    }
    if (auto canvas = rt::objectAs<XCanvas>(oCanvas())) canvas->Destroy({});
    field(kCanvas) = Value();
    setDC(0);
    return Value(done);
}

Value XPrinter::AbortDoc(rt::Args) {
    if (!IsPrinting().asLogical()) return Value(false);
    field(kAborted) = Value(true);
    return Value(cache().abortDoc(hDC()));
}

// The open page is ended first, so what was drawn on it is kept (printed, or closed as a preview page); the
// next page starts on the re-initialised context.
Value XPrinter::Reset(rt::Args) {
    if (!IsPrinting().asLogical()) return Value();
    if (field(kOnPage).asLogical()) EndPage({});
    if (auto canvas = rt::objectAs<XCanvas>(oCanvas())) canvas->Reset({});
    if (lPreview()) {
        setCanvasDC(static_cast<intptr_t>(rt::send(oPreviewDC(), "Reset").asInteger()));
    } else {
        setDC(cache().resetDC(hDC()));
        setCanvasDC(hDC());
    }
    return Value();
}

// The pages are shown by the preview window, or by an OnPreview handler that answers .F. having shown them
// its own way.
Value XPrinter::Preview(rt::Args args) {
    auto preview = rt::objectAs<XPreviewDC>(oPreviewDC());
    if (!preview || preview->pageCount() == 0) return Value(false);
    const Value answer = fireEvent(*this, OnPreview, {rt::arg(args, 0), rt::arg(args, 1), rt::arg(args, 2)});
    if (answer.isLogical() && !answer.asLogical()) return Value(true);
    const Value control = previewForm(rt::arg(args, 2), rt::arg(args, 3));
    if (!control.isObject()) return Value(false);
    const Value modal = rt::arg(args, 1).isLogical() ? rt::arg(args, 1) : rt::send(*this, "lPreviewModal");
    const Value showMode = rt::arg(args, 0).isNumber() ? rt::arg(args, 0) : rt::send(*this, "nPreviewShowMode");
    rt::send(rt::send(control, "GetForm"), modal.asLogical() ? "ShowModal" : "Show", {showMode, Value(true)});
    return Value(true);
}

Value XPrinter::PreviewControl(rt::Args args) {
    auto preview = rt::objectAs<XPreviewDC>(oPreviewDC());
    if (!preview || preview->pageCount() == 0) return Value();
    return previewForm(rt::arg(args, 0), Value());
}

// The preview's form, 800 x 600 and titled after the job, with the preview control filling it; closing it
// runs the caller's block and lets the pages go. Without windows (no preview control class) there is none.
Value XPrinter::previewForm(const Value& parent, const Value& onClose) {
    const rt::Function* formClass = rt::findFunction("TFORM");
    const rt::Function* controlClass = rt::findFunction("TPREVIEWCONTROL");
    if (!formClass || !controlClass) return Value();
    Value owner = parent;
    if (!owner.isObject()) {
        const Value app = rt::isPublic("Application") ? rt::publicVar("Application") : Value();
        owner = app.isObject() ? rt::send(app, "oMainForm") : Value();
    }
    const Value device = oPreviewDC();
    const Value form = rt::send((*formClass)({}), "New", {owner});
    rt::send(form, "_cText", {field(kJobTitle)});
    rt::send(form, "_nWidth", {Value(800)});
    rt::send(form, "_nHeight", {Value(600)});
    const Value weakDevice = Value::weak(device.asObject());
    rt::send(form, "_OnClose", {Value(rt::makeBlock([onClose, weakDevice](rt::Args) {
                 rt::evalIfBlock(onClose);
                 if (const rt::ObjectPtr d = weakDevice.asObject()) rt::send(Value(d), "Destroy");
                 return Value();
             }))});
    rt::send(form, "Create", {owner});
    const Value control = rt::send((*controlClass)({}), "New", {form});
    rt::send(control, "_oPreviewDC", {device});
    rt::send(control, "_nLeft", {Value(0)});
    rt::send(control, "_nTop", {Value(0)});
    rt::send(control, "_nAlign", {Value(5)});
    return rt::send(control, "Create", {form});
}

// ---- dialogs

// The printer's dialogs are made on first use and kept.
Value XPrinter::dialogIn(int position, const rt::Class& cls, const Value& owner) {
    if (!field(position).isObject()) field(position) = rt::send(Value(cls.instantiate()), "Create", {owner});
    return field(position);
}

// Copies and collation come back as the dialog's answer only; the device mode already holds the printer's
// own. A DC the dialog returned starts the document at once.
Value XPrinter::runPrintDialog(const Value& owner, bool setupOnly) {
    const Value dialog = dialogIn(kPrnDlg, TPrintDlg::classRecord(), owner);
    const Value previous = rt::send(dialog, "lPrintSetup");
    rt::send(dialog, "_lPrintSetup", {Value(setupOnly)});
    if (!setupOnly) rt::send(dialog, "_nCopies", {Copies({})});
    const bool ok = rt::send(dialog, "Run").asLogical();
    rt::send(dialog, "_lPrintSetup", {previous});
    if (!ok) return Value(false);
    field(kCopies) = rt::send(dialog, "nCopies");
    field(kCollate) = rt::send(dialog, "lCollate");
    PrinterIndex({});
    const Value dc = rt::send(dialog, "hDC");
    if (dc.isNumber() && dc.asInteger() != 0) {
        const Value startArgs[] = {Value(), owner, dc};
        StartDoc(startArgs);
    }
    return Value(true);
}

Value XPrinter::Setup(rt::Args args) { return runPrintDialog(rt::arg(args, 0), true); }
Value XPrinter::Run(rt::Args args) { return runPrintDialog(rt::arg(args, 0), false); }

Value XPrinter::PageSetup(rt::Args args) {
    return rt::send(dialogIn(kPageSetupDlg, TPageSetupDlg::classRecord(), rt::arg(args, 0)), "Run");
}

// ---- TPrnExportInfo

const rt::Class& XPrnExportInfo::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XPrnExportInfo", nullptr, rt::factoryOf<XPrnExportInfo>());
        b.addData("cImgPDFPassword", "", "C");
        b.addData("lImgPDFButton", false, "L");
        b.addData("lImgPdfCanEdit", false, "L");
        b.addData("lImgPdfCanCopy", true, "L");
        b.addData("lImgPdfCanPrint", true, "L");
        b.addData("lMailButton", false, "L");
        kPrinter = b.addData("oPrinter", Value(), "O");
        b.addMethod("New", rt::method(&XPrnExportInfo::Create), Exported | Constructor);
        b.addMethod("Create", rt::method(&XPrnExportInfo::Create), Exported | Constructor);
        return b.create();
    }();
    return c;
}

// Held as class data of the printer class, so it keeps its printer only weakly.
Value XPrnExportInfo::Create(rt::Args args) {
    if (rt::arg(args, 0).isObject()) field(kPrinter) = Value::weak(rt::arg(args, 0).asObject());
    return Value(self());
}

void registerPrinterClasses() {
    TPrinter::classRecord();
    registerPreviewClasses();
    TPreviewDC::classRecord();
    TPrnExportInfo::classRecord();
    registerPrintDialogs();
    registerImagePdf();
}

}  // namespace vorpex
