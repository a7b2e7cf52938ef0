#include "framework/print/preview/preview_control.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/controls/button/button.h"
#include "framework/controls/label/label.h"
#include "framework/controls/list/combo_box.h"
#include "framework/controls/masked_edit/mask_edit.h"
#include "framework/controls/menu/menu.h"
#include "framework/controls/panel/containers.h"
#include "framework/controls/rebar/rebar.h"
#include "framework/controls/toolbar/toolbar.h"
#include "framework/controls/updown/updown.h"
#include "framework/core/form/form.h"
#include "framework/core/native/application_value.h"
#include "framework/core/native/native_args.h"
#include "framework/core/object/object_bridge.h"
#include "framework/core/object/optional_send.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/texts/texts.h"
#include "framework/core/window/object_link.h"
#include "framework/dialogs/dialog_answerer.h"
#include "framework/dialogs/file_dialogs/file_dialog.h"
#include "framework/print/image_pdf/pdf_mail.h"
#include "framework/print/preview/preview_classes.h"
#include "framework/print/preview/preview_page.h"
#include "framework/print/print_dialogs/print_dialogs.h"
#include "framework/print/printer/preview_dc.h"
#include "framework/print/printer_cache/printer_info_cache.h"
#include "framework/print/job_progress/job_progress.h"
#include "runtime/core/block.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;
using namespace preview;

namespace {

// Framework texts of the preview.
enum Text : int {
    kPageOf = 32856, kZoom = 32857, kFirstPage = 32858, kLastPage = 32859, kNextPage = 32860, kPrevPage = 32861,
    kPageWidth = 32862, kPageHeight = 32863, kFullPage = 32864, kPrint = 32865, kExit = 32866, kPrintAll = 32867,
    kPrintCurrent = 32868, kPrintRange = 32869, kOk = 32870, kCancel = 32871, kPrintDialog = 32908, kPdf = 32913, kMail = 32914
};

// The tool buttons, counted as the tool bar counts them (the leading separator is 1).
constexpr int64_t kFirstButton = 2, kPrevButton = 3, kNextButton = 4, kLastButton = 5;

std::string lt(int id, std::vector<std::string> args = {}) { return texts::frameworkTexts().text(id, args); }

Value number(int64_t n) { return Value(n); }

// A handler that sends `message` to the control while it lives (the block must not keep it alive).
Value handler(rt::Object& control, const char* message, std::vector<Value> fixed = {}) {
    const Value me = Value::weak(control.shared_from_this());
    const rt::Symbol name = rt::Symbol::intern(message);
    return Value(rt::makeBlock([me, name, fixed](rt::Args) {
        const rt::ObjectPtr target = me.asObject();
        return target ? rt::send(Value(target), name, fixed) : Value();
    }));
}

// A handler that turns to a page counted from the control's current one and its page count.
enum class Turn { First, Previous, Next, Last };
Value pageTurn(rt::Object& control, Turn turn) {
    const Value me = Value::weak(control.shared_from_this());
    return Value(rt::makeBlock([me, turn](rt::Args) {
        const auto c = rt::objectAs<XPreviewControl>(me);
        if (!c) return Value();
        const int64_t target = turn == Turn::First      ? 1
                               : turn == Turn::Previous ? c->nPage() - 1
                               : turn == Turn::Next     ? c->nPage() + 1
                                                        : c->pageCount();
        return rt::send(Value(me.asObject()), "SetPage", {Value(target)});
    }));
}

void alert(const std::string& text) {
    const Value message[] = {Value(text)};
    if (const rt::Function* f = rt::findFunction("MSGALERT")) (*f)(message);
}

bool pdfLibraryPresent() {
    const rt::Function* probe = rt::findFunction("ISIMAGEPDF");
    return probe && (*probe)({}).asLogical();
}

// Application:lBusy for the length of a print, given back however the print ends.
class BusyScope {
public:
    BusyScope() : app_(Application()) {
        if (!app_.isObject()) return;
        previous_ = sendIfUnderstood(app_, "lBusy").asLogical();
        sendIfUnderstood(app_, "_lBusy", {Value(true)});
    }
    ~BusyScope() {
        if (app_.isObject()) sendIfUnderstood(app_, "_lBusy", {Value(previous_)});
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    Value app_;
    bool previous_ = false;
};

// A device context the print made itself, deleted however the print ends.
class OwnedDC {
public:
    explicit OwnedDC(intptr_t dc) : dc_(dc) {}
    ~OwnedDC() {
        if (dc_) print::printerCache().deleteDC(dc_);
    }
    OwnedDC(const OwnedDC&) = delete;
    OwnedDC& operator=(const OwnedDC&) = delete;

private:
    intptr_t dc_;
};

}  // namespace

const rt::Class& XPreviewControl::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XPreviewControl;
        VPClass b("XPreviewControl", &TScrollingWinControl::classRecord(), rt::factoryOf<XPreviewControl>());
        b.addProperty({.name = "nWidth", .initial = 100, .scope = Published});
        b.addProperty({.name = "nHeight", .initial = 100, .scope = Published});
        b.addProperty({.name = "lBorder", .initial = false, .scope = Published});
        kPage = b.addProperty({.name = "nPage", .initial = 1, .type = "N", .scope = Published, .setter = "SetPage"});
        b.addProperty({.name = "nZoomIndex", .type = "N", .scope = Published, .getter = &X::GetZoomIndex,
                       .setter = &X::SetZoomIndex});
        b.addProperty({.name = "oExportInfo", .type = "O", .readOnly = true, .getter = &X::ExportInfo});
        kPreviewDC = b.addProperty({.name = "oPreviewDC", .type = "O"});
        kPreviewPage = b.addProperty({.name = "oPreviewPage", .type = "O"});
        kToolBar = b.addProperty({.name = "oToolBar", .type = "O"});
        kRebarBand = b.addProperty({.name = "oRebarBand", .type = "O"});
        kRebar = b.addProperty({.name = "oRebar", .type = "O"});
        kBevel = b.addProperty({.name = "oBevel", .type = "O"});
        kCombo = b.addProperty({.name = "oCombo", .type = "O"});
        kPrnMenu = b.addProperty({.name = "oPrnMenu", .type = "O"});
        kZoomBand = b.addData("oZoomBand", Value(), "O", Hidden);
        addMembers<XPreviewControl>(b);
        return b.create();
    }();
    return c;
}

// ---- facts

int64_t XPreviewControl::pageCount() const {
    const auto device = rt::objectAs<XPreviewDC>(field(kPreviewDC));
    return device ? static_cast<int64_t>(device->pageCount()) : 0;
}

Value XPreviewControl::pageEmf(int64_t n) const {
    if (n < 1 || n > pageCount()) return {};
    return rt::send(field(kPreviewDC), "aEmf").asArray()->items[static_cast<size_t>(n - 1)];
}

Value XPreviewControl::printer() const {
    return field(kPreviewDC).isObject() ? rt::send(field(kPreviewDC), "oPrinter") : Value();
}

Value XPreviewControl::ExportInfo(rt::Args) {
    const Value p = printer();
    return p.isObject() ? sendIfUnderstood(p, "oExportInfo") : Value();
}

Value XPreviewControl::GetZoomIndex(rt::Args) {
    return field(kCombo).isObject() ? rt::send(field(kCombo), "nIndex") : Value(0);
}

Value XPreviewControl::SetZoomIndex(rt::Args args) {
    if (!field(kCombo).isObject()) return {};
    rt::send(field(kCombo), "_nIndex", {rt::arg(args, 0)});
    SetZoom({});
    return rt::arg(args, 0);
}

// ---- building

Value XPreviewControl::Create(rt::Args args) {
    XScrollingWinControl::Create(args);
    buildPrintMenu();
    field(kRebar) = rt::send(rt::send(classCall(TRebar::classRecord()), "New", {selfObject()}), "Create",
                             {selfObject()});
    field(kRebarBand) = rt::send(field(kRebar), "AddItem", {Value("")});
    buildToolBar();
    field(kZoomBand) = rt::send(field(kRebar), "AddItem", {Value(lt(kZoom) + ":")});
    buildZoomBox();
    buildPageView();
    UpdateBar({});
    return selfObject();
}

void XPreviewControl::buildPrintMenu() {
    const Value menu = rt::send(classCall(XPopupMenu::classRecord()), "Create", {selfObject()});
    auto item = [&](int text, Value click) {
        const Value itemArgs[] = {Value(lt(text)), Value(), Value(), Value(), Value(),
                                  Value(),         Value(), Value(), click};
        rt::send(menu, rt::Symbol::intern("AddItem"), itemArgs);
    };
    item(kPrintAll, handler(*this, "Print"));
    item(kPrintCurrent, Value(rt::makeBlock([me = Value::weak(self())](rt::Args) {
             const rt::ObjectPtr control = me.asObject();
             return control ? rt::send(Value(control), "Print", {rt::send(Value(control), "nPage")}) : Value();
         })));
    item(kPrintRange, handler(*this, "Print", {Value(0)}));
    rt::send(menu, "AddSeparator");
    item(kPrintDialog, handler(*this, "Print", {Value(-1)}));
    field(kPrnMenu) = menu;
}

void XPreviewControl::buildToolBar() {
    const Value bar = rt::send(classCall(TToolBar::classRecord()), "New", {field(kRebar)});
    rt::send(bar, "_lList", {Value(true)});
    rt::send(bar, "_lAutoSize", {Value(true)});
    auto button = [&](const char* bitmap, int tip, Value click, Value menu = Value()) {
        return rt::send(bar, "AddButton", {Value(""), Value(bitmap), Value(), Value(), Value(lt(tip)), click, menu});
    };
    rt::send(bar, "AddSeparator");
    button("VP_BMP_FIRST", kFirstPage, pageTurn(*this, Turn::First));
    button("VP_BMP_PREV", kPrevPage, pageTurn(*this, Turn::Previous));
    button("VP_BMP_NEXT", kNextPage, pageTurn(*this, Turn::Next));
    button("VP_BMP_LAST", kLastPage, pageTurn(*this, Turn::Last));
    const Value info = ExportInfo({});
    const bool pdf = info.isObject() && sendIfUnderstood(info, "lImgPDFButton").asLogical();
    const bool mail = info.isObject() && sendIfUnderstood(info, "lMailButton").asLogical();
    if (pdf || mail) rt::send(bar, "AddSeparator");
    // The export's own methods; without its library the buttons are there but cannot be pressed.
    const bool library = (pdf || mail) && pdfLibraryPresent();
    if (pdf) {
        const Value b = button("VP_BMP_PDF24", kPdf, handler(*this, "GenPDF"));
        if (!library) rt::send(b, "_lEnabled", {Value(false)});
    }
    if (mail) {
        const Value b = button("VP_BMP_MAIL", kMail, handler(*this, "SendMail"));
        if (!library) rt::send(b, "_lEnabled", {Value(false)});
    }
    rt::send(bar, "AddSeparator");
    button("VP_BMP_PRINTER", kPrint, handler(*this, "Print"), field(kPrnMenu));
    button("VP_BMP_EXIT", kExit, Value(rt::makeBlock([me = Value::weak(self())](rt::Args) {
               const rt::ObjectPtr c = me.asObject();
               return c ? sendIfUnderstood(rt::send(Value(c), "GetForm"), "Close") : Value();
           })));
    field(kToolBar) = rt::send(bar, "Create", {field(kRebar)});
}

void XPreviewControl::buildZoomBox() {
    const Value bevel = rt::send(classCall(TBevel::classRecord()), "New", {field(kRebar)});
    rt::send(bevel, "SetBounds", {Value(0), Value(0), Value(130), Value(20)});
    rt::send(bevel, "_lBorder", {Value(false)});
    rt::send(bevel, "_lTransparent", {Value(true)});
    rt::send(bevel, "Create", {field(kRebar)});
    const Value combo = rt::send(classCall(TComboBox::classRecord()), "New", {bevel});
    rt::send(combo, "SetBounds", {Value(0), Value(0), Value(125), Value(300)});
    rt::send(combo, "_nStyle", {Value(1)});
    std::vector<Value> items;
    for (int item = 1; item < kFirstFitItem; ++item) items.emplace_back(std::to_string(zoomOfItem(item)));
    for (int text : {kPageWidth, kPageHeight, kFullPage}) items.emplace_back(lt(text));
    rt::send(combo, "_aItems", {Value::array(std::move(items))});
    rt::send(combo, "Create", {bevel});
    rt::send(combo, "_nIndex", {Value(itemOfZoom(kDefaultZoom))});
    rt::send(combo, "_OnChange", {handler(*this, "SetZoom")});
    rt::send(bevel, "_nHeight", {rt::send(combo, "nHeight")});
    field(kBevel) = bevel;
    field(kCombo) = combo;
}

void XPreviewControl::buildPageView() {
    const Value page = rt::send(classCall(TPreviewPage::classRecord()), "New", {selfObject(), printer()});
    rt::send(page, "_nAlign", {Value(5)});
    rt::send(page, "Create", {selfObject(), printer()});
    const std::pair<const char*, Value> events[] = {
        {"_OnFirstPage", pageTurn(*this, Turn::First)},
        {"_OnPrevPage", pageTurn(*this, Turn::Previous)},
        {"_OnNextPage", pageTurn(*this, Turn::Next)},
        {"_OnLastPage", pageTurn(*this, Turn::Last)},
        {"_OnZoomIn", handler(*this, "ZoomIn")},
        {"_OnZoomOut", handler(*this, "ZoomOut")}};
    for (const auto& [setter, block] : events) rt::send(page, setter, {block});
    field(kPreviewPage) = page;
    rt::send(page, "SetEmf", {pageEmf(nPage())});
    rt::send(page, "SetFocus");
}

// ---- pages and zoom

Value XPreviewControl::UpdateBar(rt::Args) {
    const int64_t count = pageCount();
    if (field(kRebarBand).isObject())
        rt::send(field(kRebarBand), "_cText", {Value(lt(kPageOf, {std::to_string(nPage()), std::to_string(count)}))});
    const auto bar = rt::objectAs<XToolBar>(field(kToolBar));
    if (!bar) return {};
    const NavigationState state = navigationState(nPage(), count);
    const auto& items = bar->itemList();
    auto enable = [&](int64_t button, bool on) {
        if (button <= static_cast<int64_t>(items.size())) rt::send(items[button - 1], "_lEnabled", {Value(on)});
    };
    enable(kFirstButton, state.back);
    enable(kPrevButton, state.back);
    enable(kNextButton, state.forward);
    enable(kLastButton, state.forward);
    return {};
}

Value XPreviewControl::SetPage(rt::Args args) {
    const int64_t n = native::intArg(args, 0);
    if (n < 1 || n > pageCount()) return field(kPage);
    field(kPage) = number(n);
    UpdateBar({});
    if (field(kPreviewPage).isObject()) rt::send(field(kPreviewPage), "SetEmf", {pageEmf(n)});
    return field(kPage);
}

Value XPreviewControl::SetZoom(rt::Args) {
    const Value& page = field(kPreviewPage);
    if (!page.isObject()) return {};
    const int item = static_cast<int>(GetZoomIndex({}).asInteger());
    if (const int fit = fitModeOfItem(item))
        rt::send(page, "_nFitInPage", {Value(fit)});
    else if (zoomOfItem(item))
        rt::send(page, "_nZoomFactor", {Value(zoomOfItem(item))});
    rt::send(page, "SetFocus");
    return {};
}

Value XPreviewControl::zoomStep(bool in) {
    const auto page = rt::objectAs<XPreviewPage>(field(kPreviewPage));
    const double current = page ? page->zoom() : kDefaultZoom;
    const int item = static_cast<int>(GetZoomIndex({}).asInteger());
    const ZoomStep step = in ? zoomInStep(item, current) : zoomOutStep(item, current);
    if (field(kCombo).isObject() && step.item) rt::send(field(kCombo), "_nIndex", {Value(step.item)});
    return Value(step.zoom);
}

Value XPreviewControl::ZoomIn(rt::Args) { return zoomStep(true); }
Value XPreviewControl::ZoomOut(rt::Args) { return zoomStep(false); }

// ---- printing

// The pages a request asks for; none when the dialog or the range was cancelled. A print dialog's own
// context comes back in `dialogDC`.
std::optional<PageRange> XPreviewControl::requestedRange(const Value& n, intptr_t& dialogDC) {
    const int64_t count = pageCount();
    if (!n.isNumber()) return PageRange{1, count};
    const int64_t page = n.asInteger();
    if (page > 0) return PageRange{page, page};
    if (page == 0) {
        const Value range = rt::send(*this, "GetRange");
        if (!range.isArray() || range.asArray()->items.size() < 2) return std::nullopt;
        return PageRange{range.asArray()->items[0].asInteger(), range.asArray()->items[1].asInteger()};
    }
    const Value dialog = rt::send(classCall(TPrintDlg::classRecord()), "Create", {formValue()});
    rt::send(dialog, "_lPrintSetup", {Value(false)});
    sendIfUnderstood(dialog, "_lSelection", {Value(false)});
    sendIfUnderstood(dialog, "_lReturnDC", {Value(true)});
    rt::send(dialog, "_nToPage", {number(count)});
    const bool confirmed = rt::send(dialog, "Run").asLogical();
    dialogDC = confirmed ? static_cast<intptr_t>(rt::send(dialog, "hDC").asInteger()) : 0;
    const PageRange chosen{rt::send(dialog, "nFromPage").asInteger(), rt::send(dialog, "nToPage").asInteger()};
    sendIfUnderstood(dialog, "Destroy");
    if (!confirmed) return std::nullopt;
    return chosen.from == 0 && chosen.to == 0 ? PageRange{1, count} : chosen;
}

Value XPreviewControl::Print(rt::Args args) {
    intptr_t dialogDC = 0;
    const std::optional<PageRange> range = requestedRange(rt::arg(args, 0), dialogDC);
    OwnedDC dialogContext(dialogDC);
    if (!range) return Value(false);
    if (!printableRange(*range, pageCount())) {
        MessageBeep(0);
        return Value(false);
    }
    intptr_t dc = dialogDC;
    intptr_t own = 0;
    if (!dc) {
        const Value current = rt::isPublic("Printer") ? rt::publicVar("Printer") : Value();
        const bool samePrinter = !current.isObject() || rt::send(current, "nPrinterIndex").asInteger() ==
                                                            rt::send(field(kPreviewDC), "nPrinterIndex").asInteger();
        dc = samePrinter ? rt::objectAs<XPreviewDC>(field(kPreviewDC))->hPrinterDC()
                         : (own = print::printerCache().createDC());
    }
    OwnedDC ownContext(own);
    return Value(printRange(*range, dc));
}

// Each page as wide as the sheet, or as high, centred; the busy state ends however the job ends.
bool XPreviewControl::printRange(const PageRange& range, intptr_t dc) {
    if (!dc) return false;
    BusyScope busy;
    print::PrinterInfoCache& cache = print::printerCache();
    const Value caption = sendIfUnderstood(formValue(), "cText");
    if (!cache.startDoc(dc, caption.isString() ? caption.asString() : std::string(), std::nullopt)) return false;
    HDC device = reinterpret_cast<HDC>(dc);
    bool printed = true;
    for (int64_t n = range.from; n <= range.to && printed; ++n) {
        if (!cache.startPage(dc)) {
            printed = false;
            break;
        }
        const Value emf = pageEmf(n);
        const Rect r = fitOnSheet(rt::send(emf, "nMmsWidth").asInteger(), rt::send(emf, "nMmsHeight").asInteger(),
                                  GetDeviceCaps(device, PHYSICALWIDTH), GetDeviceCaps(device, PHYSICALHEIGHT));
        rt::send(emf, "Paint", {Value(static_cast<int64_t>(dc)), number(r.left), number(r.top), number(r.right),
                                number(r.bottom)});
        printed = cache.endPage(dc);
    }
    return cache.endDoc(dc, true) && printed;
}

// The range dialog: first and last page, each a number edit with an up-down within the pages there are. The
// dialog is offered to the tests' answerer once it is built.
Value XPreviewControl::GetRange(rt::Args) {
    const int64_t count = pageCount();
    const Value owner = formValue();
    const Value app = Application();
    const Value dialog = rt::send(classCall(TForm::classRecord()), "New", {owner});
    rt::send(dialog, "SetBounds", {Value(), Value(), Value(270), Value(110)});
    rt::send(dialog, "_cText", {app.isObject() ? sendIfUnderstood(app, "cTitle") : Value("")});
    rt::send(dialog, "_nBorderStyle", {Value(3)});
    rt::send(dialog, "Create", {owner});
    auto child = [&](const rt::Class& cls, int64_t left, int64_t top, int64_t width, int64_t height,
                     std::vector<std::pair<const char*, Value>> settings) {
        const Value c = rt::send(classCall(cls), "New", {dialog});
        rt::send(c, "SetBounds", {Value(left), Value(top), Value(width), Value(height)});
        for (const auto& [setter, value] : settings) rt::send(c, setter, {value});
        return rt::send(c, "Create", {dialog});
    };
    auto pageEdit = [&](int label, int64_t top, int64_t value) {
        child(TLabel::classRecord(), 10, top, 85, 20,
              {{"_cText", Value(lt(label) + ":")}, {"_nAlignment", Value(2)}, {"_nVAlignment", Value(1)}});
        const Value edit = child(TMaskEdit::classRecord(), 100, top, 60, 20,
                                 {{"_nAlignment", Value(2)}, {"_cPicture", Value("@ 99999")}, {"_Value", Value(value)}});
        child(TUpDown::classRecord(), 0, 0, 16, 20,
              {{"_lArrowKeys", Value(true)}, {"_lAutoBuddy", Value(true)}, {"_lSyncBuddy", Value(true)},
               {"_nMin", Value(1)}, {"_nMax", Value(count)}, {"_oBuddy", edit}});
        return edit;
    };
    const Value from = pageEdit(kFirstPage, 10, 1), to = pageEdit(kLastPage, 35, count);
    child(TButton::classRecord(), 170, 9, 70, 22, {{"_cText", Value(lt(kOk))}, {"_nModalResult", Value(1)}});
    child(TButton::classRecord(), 170, 35, 70, 22, {{"_cText", Value(lt(kCancel))}, {"_nModalResult", Value(2)}, {"_lCancel", Value(true)}});
    std::optional<PageRange> chosen;
    rt::send(dialog, "_OnClose", {Value(rt::makeBlock([&](rt::Args) {
                 chosen = PageRange{rt::send(from, "Value").asInteger(), rt::send(to, "Value").asInteger()};
                 return Value();
             }))});
    offerDialogToAnswerer(handleOf(dialog));
    const bool confirmed = rt::send(dialog, "ShowModal", {Value(), Value(true)}).asInteger() == 1;
    if (!confirmed || !chosen) return {};
    return Value::array({Value(chosen->from), Value(chosen->to)});
}

// ---- PDF and mail

std::string XPreviewControl::jobTitle() const {
    const Value title = printer().isObject() ? sendIfUnderstood(printer(), "cJobTitle") : Value();
    return title.isString() ? title.asString() : std::string();
}

PdfExportOptions XPreviewControl::exportOptions() {
    PdfExportOptions options;
    options.title = jobTitle();
    const Value info = ExportInfo({});
    if (!info.isObject()) return options;
    options.canEdit = sendIfUnderstood(info, "lImgPdfCanEdit").asLogical();
    options.canCopy = sendIfUnderstood(info, "lImgPdfCanCopy").asLogical();
    options.canPrint = sendIfUnderstood(info, "lImgPdfCanPrint").asLogical();
    const Value password = sendIfUnderstood(info, "cImgPDFPassword");
    if (password.isString()) options.password = password.asString();
    return options;
}

// The pages as the preview device recorded them, read when the export asks for each.
PdfPages XPreviewControl::recordedPages() {
    return {static_cast<size_t>(pageCount()), [me = Value::weak(self())](size_t index, const std::string& file) {
                const auto control = rt::objectAs<XPreviewControl>(me);
                const Value emf = control ? control->pageEmf(static_cast<int64_t>(index) + 1) : Value();
                return emf.isObject() && writeMetafileFile(rt::send(emf, "Handle").asInteger(), file);
            }};
}

// The save dialog's file; "" when cancelled.
std::string XPreviewControl::askPdfFile() {
    const Value dialog = rt::send(classCall(TFileSaveDlg::classRecord()), "New", {formValue()});
    rt::send(dialog, "_cDefaultExt", {Value("PDF")});
    const bool chosen = rt::send(dialog, "Run").asLogical();
    const Value file = chosen ? rt::send(dialog, "cFileName") : Value();
    sendIfUnderstood(dialog, "Destroy");
    return file.isString() ? file.asString() : std::string();
}

Value XPreviewControl::GenPDF(rt::Args args) {
    const Value given = rt::arg(args, 0);
    const std::string file = given.isString() && !given.asString().empty() ? given.asString() : askPdfFile();
    if (file.empty()) return Value(false);
    // Shared: the window's button may outlive this call.
    const auto cancelled = std::make_shared<bool>(false);
    JobProgress progress(formValue(), jobTitle(), "VP_BMP_PDF32", false, [cancelled] { *cancelled = true; });
    const bool made = exportPdf(recordedPages(), exportOptions(), file, [cancelled] {
                          processPendingMessages();
                          return *cancelled;
                      }).made;
    progress.close();
    processPendingMessages();
    return Value(made);
}

Value XPreviewControl::SendMail(rt::Args) {
    return Value(mailPdf(recordedPages(), exportOptions(), alert));
}

void registerPreviewClasses() {
    TPreviewPage::classRecord();
    TPreviewControl::classRecord();
}

}  // namespace vorpex
