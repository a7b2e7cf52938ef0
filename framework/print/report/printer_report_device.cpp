#include "framework/print/report/printer_report_device.h"

#include <vector>

#include "framework/graphics/pen/pen.h"
#include "runtime/core/block.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex::report {

using rt::Value;

namespace {

Value ask(const Value& o, const char* message, std::vector<Value> args = {}) {
    if (!o.isObject()) return Value();
    return rt::send(o, rt::Symbol::intern(message), rt::Args(args.data(), args.size()));
}

Value rectValue(const Rect& r) { return Value::array({Value(r.left), Value(r.top), Value(r.right), Value(r.bottom)}); }

Value newObject(const char* classFunction) {
    const rt::Function* f = rt::findFunction(classFunction);
    return f ? (*f)({}) : Value();
}

}  // namespace

PrinterReportDevice::PrinterReportDevice(Value printer, Value fonts, Value pen)
    : printer_(std::move(printer)), fonts_(std::move(fonts)), pen_(std::move(pen)) {}

PrinterReportDevice::~PrinterReportDevice() { destroyFonts(); }

Value PrinterReportDevice::canvas() const { return ask(printer_, "oCanvas"); }

// Each font is replaced by its copy for the device; with none, Arial 10 is the report's font 1.
void PrinterReportDevice::makeDeviceFonts() {
    if (!fonts_.isArray()) return;
    auto& fonts = fonts_.asArray()->items;
    if (fonts.empty()) {
        const Value model = ask(newObject("TFONT"), "Create", {Value("Arial"), Value(10)});
        if (model.isObject()) fonts.push_back(model);
    }
    for (Value& font : fonts) {
        const Value copy = ask(font, "Clone", {printer_});
        if (!copy.isObject()) continue;
        ask(font, "Destroy");
        font = copy;
    }
    fontsMade_ = true;
}

void PrinterReportDevice::destroyFonts() {
    if (!fontsMade_ || !fonts_.isArray()) return;
    ask(canvas(), "SelectFont", {Value()});
    for (const Value& font : fonts_.asArray()->items) ask(font, "Destroy");
    fontsMade_ = false;
}

bool PrinterReportDevice::startDoc(const std::string& jobName, bool preview) {
    if (!printer_.isObject()) return false;
    ask(printer_, "_lPreview", {Value(preview)});
    if (!ask(printer_, "StartDoc", {Value(jobName)}).asLogical()) return false;
    const Value c = canvas();
    ask(c, "_nMapMode", {Value(0)});
    ask(c, "_oPen", {pen_.isObject() ? pen_ : ask(newObject("TPEN"), "Create")});
    makeDeviceFonts();
    return true;
}

bool PrinterReportDevice::endDoc() {
    destroyFonts();
    return ask(printer_, "EndDoc").asLogical();
}

bool PrinterReportDevice::startPage() { return ask(printer_, "StartPage").asLogical(); }
bool PrinterReportDevice::endPage() { return ask(printer_, "EndPage").asLogical(); }

int PrinterReportDevice::orientation() { return ask(printer_, "nOrientation").asInt(); }

void PrinterReportDevice::setOrientation(int orientation) { ask(printer_, "_nOrientation", {Value(orientation)}); }

int64_t PrinterReportDevice::measure(const char* name) const { return ask(canvas(), name).asInteger(); }

PageMetrics PrinterReportDevice::metrics() {
    return {measure("nPhyHorzRes"), measure("nPhyVertRes"), measure("nHorzOffset"),
            measure("nVertOffset"), measure("nLogPixelsX"), measure("nLogPixelsY")};
}

void PrinterReportDevice::useFont(int font) {
    const Value& chosen = fonts_.isArray() ? fonts_.asArray()->at1(static_cast<size_t>(font)) : rt::nil();
    ask(canvas(), "SelectFont", {chosen.isObject() ? chosen : fonts_.isArray() ? fonts_.asArray()->at1(1) : Value()});
}

Extent PrinterReportDevice::textExtent(int font, const std::string& text) {
    useFont(font);
    const Value e = ask(canvas(), "TextExtent", {Value(text)});
    if (!e.isArray()) return {};
    return {e.asArray()->at1(1).asInteger(), e.asArray()->at1(2).asInteger()};
}

void PrinterReportDevice::drawText(const Rect& r, const std::string& text, int alignment, int font, int64_t color) {
    if (text.empty()) return;
    useFont(font);
    const Value c = canvas();
    ask(c, "_nTextAlignment", {Value(alignment)});
    ask(c, "TextRect", {rectValue(r), Value(text), Value(color), Value(false)});
}

void PrinterReportDevice::fill(const Rect& r, int64_t color) { ask(canvas(), "FillRect", {rectValue(r), Value(color)}); }

void PrinterReportDevice::line(int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
    const Value c = canvas();
    ask(c, "MoveTo", {Value(x1), Value(y1)});
    ask(c, "LineTo", {Value(x2), Value(y2)});
}

// The pen's width is given in screen pixels and drawn at the device's resolution.
int64_t PrinterReportDevice::penWidth() {
    const Value pen = ask(canvas(), "oPen");
    const int64_t width = pen.isObject() ? ask(pen, "nWidth").asInteger() : 1;
    const Value screen = rt::publicVar("Screen");
    const int64_t screenDpi = screen.isObject() ? ask(screen, "nPixelsPerInch").asInteger() : 0;
    const int64_t device = gfx::penDeviceWidth(width > 0 ? width : 1, measure("nLogPixelsX"), screenDpi > 0 ? screenDpi : 96);
    return device > 0 ? device : 1;
}

// The block holds the printer itself, since a preview that is not modal outlives the job.
bool PrinterReportDevice::preview(bool modal, int orientation) {
    const Value printer = printer_;
    const Value block(rt::makeBlock([printer, orientation](rt::Args) {
        if (ask(printer, "nOrientation").asInt() != orientation) ask(printer, "_nOrientation", {Value(orientation)});
        return Value();
    }));
    return ask(printer_, "Preview", {Value(), Value(modal), Value(), block}).asLogical();
}

}  // namespace vorpex::report
