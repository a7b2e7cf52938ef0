#include "framework/print/print_dialogs/print_dialogs.h"

#include <memory>
#include <string>
#include <vector>

#include "framework/core/native/native_args.h"
#include "framework/core/object/vp_class.h"
#include "framework/dialogs/owner_window.h"
#include "framework/print/printer_cache/printer_info_cache.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;
using namespace print;

namespace {

constexpr uint32_t kPdReturnDC = 0x100, kPdReturnIC = 0x200, kPsdMinMargins = 0x1;
constexpr int64_t kDefaultToPage = 999, kDefaultMaxPage = 65535;

struct Flag {
    const char* name;
    uint32_t bit;
    bool initial;
};

constexpr Flag kPrintFlags[] = {
    {"lAllPages", 0x0, true},        {"lCollate", 0x10, false},     {"lHidePrintToFile", 0x100000, false},
    {"lNoPageNums", 0x8, false},     {"lNoSelection", 0x4, false},  {"lNoWarning", 0x80, false},
    {"lPageNums", 0x2, false},       {"lPrintSetup", 0x40, false},  {"lPrintToFile", 0x20, false},
    {"lSelection", 0x1, false},      {"lShowHelp", 0x800, true},    {"lReturnDC", 0x100, false},
    {"lReturnIC", 0x200, false}};

constexpr Flag kPageSetupFlags[] = {
    {"lInInches", 0x4, false},       {"lDefMinMargins", 0x0, false}, {"lMinMargins", 0x1, false},
    {"lMargins", 0x2, true},         {"lNoMargins", 0x10, false},    {"lNoPrinter", 0x20, false},
    {"lNoWarning", 0x80, false},     {"lNoOrientation", 0x100, false}, {"lNoPaper", 0x200, false},
    {"lShowHelp", 0x800, true},      {"lNoPageDraw", 0x80000, false}, {"lNoNetwork", 0x200000, false}};

uint32_t changedFlags(uint32_t flags, uint32_t bit, bool on) { return on ? flags | bit : flags & ~bit; }

int64_t number(const Value& v) { return v.isNumber() ? v.asInteger() : 0; }

Value margins(const Margins& m) { return Value::array({Value(m[0]), Value(m[1]), Value(m[2]), Value(m[3])}); }
Margins marginsOf(const Value& v) {
    Margins m{};
    if (!v.isArray()) return m;
    const auto& items = v.asArray()->items;
    for (size_t i = 0; i < m.size() && i < items.size(); ++i) m[i] = number(items[i]);
    return m;
}

// The owner and centring of a dialog: over its oParent's window.
DialogFrame frameOf(rt::Object& dialog, bool center) {
    DialogFrame frame;
    frame.dialog = &dialog;
    frame.center = center;
    const Value parent = rt::send(Value(dialog.self()), "oParent");
    if (parent.isObject()) frame.centerOver = static_cast<intptr_t>(number(rt::send(parent, "Handle")));
    frame.owner = ownerWindow(parent);
    return frame;
}

// The current printer as the dialogs start from it; nothing when its device mode cannot be loaded.
std::optional<DialogPrinter> currentPrinter() {
    PrinterInfoCache& cache = printerCache();
    const DevMode* mode = cache.currentMode();
    const PrinterRecord* record = cache.current();
    if (!mode || !record) return std::nullopt;
    return DialogPrinter{*mode, record->driver, record->name, record->port};
}

// The printer the dialog names becomes the current one with the mode chosen for it.
void storeChoice(const DialogChoice& choice) {
    if (choice.mode) printerCache().choosePrinter(choice.device, choice.mode->data(), choice.mode->size());
}

}  // namespace

// ---- the print dialog

const rt::Class& XPrintDlg::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XPrintDlg;
        VPClass b("XPrintDlg", &TComponent::classRecord(), rt::factoryOf<XPrintDlg>());
        kCopies = b.addProperty({.name = "nCopies", .initial = 1, .type = "N", .scope = Published});
        kFromPage = b.addProperty({.name = "nFromPage", .initial = 0, .type = "N", .scope = Published});
        kToPage = b.addProperty({.name = "nToPage", .initial = 0, .type = "N", .scope = Published});
        kMinPage = b.addProperty({.name = "nMinPage", .initial = 0, .type = "N", .scope = Published});
        kMaxPage = b.addProperty({.name = "nMaxPage", .initial = 0, .type = "N", .scope = Published});
        for (const Flag& f : kPrintFlags) {
            const uint32_t bit = f.bit;
            b.addProperty({.name = f.name, .initial = f.initial, .type = "L", .scope = Published,
                           .getter = rt::NativeMethod([bit](rt::Object& self, const rt::Method&, rt::Args) {
                               return Value((static_cast<XPrintDlg&>(self).nFlags() & bit) != 0);
                           }),
                           .setter = rt::NativeMethod([bit](rt::Object& self, const rt::Method&, rt::Args args) {
                               const Value a[] = {Value(static_cast<int64_t>(bit)), rt::arg(args, 0)};
                               return static_cast<XPrintDlg&>(self).SetFlag(a);
                           })});
        }
        kCenter = b.addProperty({.name = "lCenter", .initial = false, .type = "L", .scope = Published});
        b.addProperty({.name = "HelpId", .scope = Published});
        b.addEvent("OnShow", Published, "oSender");
        b.addEvent("OnClose", Published, "oSender");
        b.addEvent("OnHelp", Published, "oSender, HelpId, nPosX, nPosY");
        kFlags = b.addData("nFlags", 0x800, "N");
        kDC = b.addProperty({.name = "hDC", .initial = 0, .type = "N"});
        kLastError = b.addData("nLastError", 0, "N");
        addMembers<XPrintDlg>(b);
        b.addMethod("Execute", rt::method(&X::Run));
        return b.create();
    }();
    return c;
}

Value XPrintDlg::Create(rt::Args args) {
    XComponent::Create(args);
    const Value& printer = rt::publicVar("Printer");
    if (printer.isObject()) field(kCopies) = rt::send(printer, "nCopies");
    return selfValue();
}

Value XPrintDlg::GetFlag(rt::Args args) {
    return Value((nFlags() & static_cast<uint32_t>(native::intArg(args, 0))) != 0);
}

Value XPrintDlg::SetFlag(rt::Args args) {
    const bool on = rt::arg(args, 1).asLogical();
    field(kFlags) = Value(static_cast<int64_t>(changedFlags(nFlags(), static_cast<uint32_t>(native::intArg(args, 0)), on)));
    return Value(on);
}

PrintRequest XPrintDlg::request() const {
    PrintRequest r;
    r.flags = nFlags();
    r.copies = number(field(kCopies));
    r.fromPage = number(field(kFromPage)) ? number(field(kFromPage)) : 1;
    r.toPage = number(field(kToPage)) ? number(field(kToPage)) : kDefaultToPage;
    r.minPage = number(field(kMinPage));
    r.maxPage = number(field(kMaxPage)) ? number(field(kMaxPage)) : kDefaultMaxPage;
    return r;
}

Value XPrintDlg::Run(rt::Args) {
    std::optional<DialogPrinter> printer = currentPrinter();
    if (!printer) return Value(false);
    PrintRequest r = request();
    r.frame = frameOf(*this, field(kCenter).asLogical());
    // The copies asked for travel in the device mode the dialog starts from.
    printer->mode.setFields(printer->mode.fields() | dm::kCopiesBit);
    printer->mode.writeShort(dm::kCopies, r.copies);
    r.printer = std::move(*printer);
    fireEvent(*this, OnShow);
    const PrintAnswer a = printDialogPort().print(r);
    takeAnswer(a);
    return Value(a.ok);
}

void XPrintDlg::takeAnswer(const PrintAnswer& a) {
    if (!a.ok) {
        field(kDC) = Value(0);
        field(kLastError) = Value(static_cast<int64_t>(a.error));
        return;
    }
    if (a.flags & (kPdReturnDC | kPdReturnIC)) field(kDC) = Value(static_cast<int64_t>(a.dc));
    field(kFlags) = Value(static_cast<int64_t>(a.flags));
    field(kCopies) = Value(a.copies);
    field(kFromPage) = Value(a.fromPage);
    field(kToPage) = Value(a.toPage);
    if (a.mode) field(kCopies) = Value(static_cast<int64_t>(a.mode->readShort(dm::kCopies)));
    storeChoice(a);
    fireEvent(*this, OnClose);
}

// ---- the page-setup dialog

const rt::Class& XPageSetupDlg::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XPageSetupDlg;
        VPClass b("XPageSetupDlg", &TComponent::classRecord(), rt::factoryOf<XPageSetupDlg>());
        kPaperSize = b.addProperty({.name = "aPaperSize", .initial = Value::array({0, 0}), .type = "A"});
        kMargins = b.addProperty({.name = "aMargins", .initial = margins({}), .type = "A"});
        kMinMargins = b.addProperty({.name = "aMinMargins", .initial = margins({}), .type = "A"});
        // Each flag keeps its own value and sets its bit of nFlags when set.
        for (const Flag& f : kPageSetupFlags) {
            const uint32_t bit = f.bit;
            auto position = std::make_shared<int>(-1);  // known once the property is declared
            *position = b.addProperty({.name = f.name, .initial = f.initial, .type = "L", .scope = Published,
                           .setter = rt::NativeMethod([bit, position](rt::Object& self, const rt::Method&, rt::Args args) {
                               self.field(*position) = rt::arg(args, 0);
                               const Value a[] = {Value(static_cast<int64_t>(bit)), rt::arg(args, 0)};
                               return static_cast<XPageSetupDlg&>(self).SetFlag(a);
                           })});
        }
        kCenter = b.addProperty({.name = "lCenter", .initial = false, .type = "L", .scope = Published});
        b.addProperty({.name = "HelpId", .scope = Published});
        b.addEvent("OnShow", Published, "oSender");
        b.addEvent("OnClose", Published, "oSender");
        b.addEvent("OnHelp", Published, "oSender, HelpId, nPosX, nPosY");
        kFlags = b.addData("nFlags", 0x802, "N");
        kLastError = b.addData("nLastError", 0, "N");
        addMembers<XPageSetupDlg>(b);
        b.addMethod("Execute", rt::method(&X::Run));
        return b.create();
    }();
    return c;
}

Value XPageSetupDlg::SetFlag(rt::Args args) {
    const bool on = rt::arg(args, 1).asLogical();
    const auto flags = static_cast<uint32_t>(field(kFlags).asInteger());
    field(kFlags) = Value(static_cast<int64_t>(changedFlags(flags, static_cast<uint32_t>(native::intArg(args, 0)), on)));
    return Value(on);
}

PageSetupRequest XPageSetupDlg::request() const {
    PageSetupRequest r;
    r.flags = static_cast<uint32_t>(field(kFlags).asInteger());
    const Margins paper = marginsOf(field(kPaperSize));
    r.paperWidth = paper[0];
    r.paperHeight = paper[1];
    r.margins = marginsOf(field(kMargins));
    if (r.flags & kPsdMinMargins) r.minMargins = marginsOf(field(kMinMargins));
    return r;
}

Value XPageSetupDlg::Run(rt::Args) {
    std::optional<DialogPrinter> printer = currentPrinter();
    if (!printer) return Value(false);
    PageSetupRequest r = request();
    r.frame = frameOf(*this, field(kCenter).asLogical());
    r.printer = std::move(*printer);
    fireEvent(*this, OnShow);
    const PageSetupAnswer a = printDialogPort().pageSetup(r);
    takeAnswer(a);
    return Value(a.ok);
}

void XPageSetupDlg::takeAnswer(const PageSetupAnswer& a) {
    if (!a.ok) {
        field(kLastError) = Value(static_cast<int64_t>(a.error));
        return;
    }
    field(kPaperSize) = Value::array({Value(a.paperWidth), Value(a.paperHeight)});
    field(kMargins) = margins(a.margins);
    storeChoice(a);
    fireEvent(*this, OnClose);
}

// ---- functions

namespace {

void writeBack(rt::Args args, size_t i, const Value& v) {
    if (native::isReferenceArg(args, i)) args[i].assign(v);
}

Value newDialog(const rt::Class& cls, rt::Args args) {
    const Value owner = rt::arg(args, 0);
    return rt::send(Value(cls.instantiate()), "Create", {owner});
}

}  // namespace

void registerPrintDialogs() {
    TPrintDlg::classRecord();
    TPageSetupDlg::classRecord();
    rt::registerFunction("PRINTDLG", [](rt::Args args) -> Value {
        Value dialog = newDialog(TPrintDlg::classRecord(), args);
        const char* setters[] = {"_nFromPage", "_nToPage", "_nCopies", "_lCollate"};
        for (size_t i = 0; i < 4; ++i)
            if (!rt::arg(args, i + 1).isNil()) rt::send(dialog, setters[i], {rt::arg(args, i + 1)});
        const Value ok = rt::send(dialog, "Run");
        if (ok.asLogical()) {
            const char* getters[] = {"nFromPage", "nToPage", "nCopies", "lCollate"};
            for (size_t i = 0; i < 4; ++i) writeBack(args, i + 1, rt::send(dialog, getters[i]));
        }
        rt::send(dialog, "Destroy");
        return ok;
    });
    rt::registerFunction("PAGESETUPDLG", [](rt::Args args) -> Value {
        Value dialog = newDialog(TPageSetupDlg::classRecord(), args);
        if (rt::arg(args, 1).isArray()) rt::send(dialog, "_aPaperSize", {rt::arg(args, 1)});
        if (rt::arg(args, 2).isArray()) rt::send(dialog, "_aMargins", {rt::arg(args, 2)});
        if (rt::arg(args, 3).isLogical()) rt::send(dialog, "_lInInches", {rt::arg(args, 3)});
        const Value ok = rt::send(dialog, "Run");
        if (ok.asLogical()) {
            writeBack(args, 1, rt::send(dialog, "aPaperSize"));
            writeBack(args, 2, rt::send(dialog, "aMargins"));
        }
        rt::send(dialog, "Destroy");
        return ok;
    });
}

}  // namespace vorpex
