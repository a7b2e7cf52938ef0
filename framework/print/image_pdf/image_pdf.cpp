#include "framework/print/image_pdf/image_pdf.h"

#include "framework/core/object/vp_class.h"
#include "framework/print/image_pdf/image_pdf_port.h"
#include "runtime/core/runtime.h"

namespace vorpex {

using rt::Value;

namespace {
constexpr int64_t kUnavailable = -1;
std::string textArg(rt::Args args) { return rt::arg(args, 0).isString() ? rt::arg(args, 0).asString() : std::string(); }
int64_t numberArg(rt::Args args, size_t i) { return rt::arg(args, i).isNumber() ? rt::arg(args, i).asInteger() : 0; }
}  // namespace

const rt::Class& XImagePdf::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XImagePdf", &TComponent::classRecord(), rt::factoryOf<XImagePdf>());
        kLastErrorText = b.addData("cLastError", "", "C", Exported | ReadOnly);
        kLastError = b.addData("nLastError", 0, "N", Exported | ReadOnly);
        kLib = b.addData("hLib", 0, "N", Protected);
        kAddImage = b.addData("pfnAddImage", 0, "N", Protected);
        addMembers<XImagePdf>(b);
        return b.create();
    }();
    return c;
}

Value XImagePdf::Create(rt::Args args) {
    XComponent::Create(args);
    Initialize({});
    return selfValue();
}

Value XImagePdf::Destroy(rt::Args args) {
    Uninitialize({});
    return XComponent::Destroy(args);
}

Value XImagePdf::Initialize(rt::Args) {
    if (loaded()) return Value(true);
    field(kLib) = Value(static_cast<int64_t>(imagePdfPort().load()));
    if (!loaded()) field(kLastError) = Value(kUnavailable);
    return Value(loaded());
}

Value XImagePdf::Uninitialize(rt::Args) {
    if (loaded()) imagePdfPort().unload(hLib());
    field(kLib) = Value(0);
    field(kAddImage) = Value(0);
    return Value();
}

intptr_t XImagePdf::exportNamed(const char* name) const { return loaded() ? imagePdfPort().find(hLib(), name) : 0; }

Value XImagePdf::text(const char* name, rt::Args args) {
    const intptr_t f = exportNamed(name);
    if (!f) return Value(kUnavailable);
    const int64_t code = imagePdfPort().callText(f, textArg(args));
    if (code != 0) field(kLastError) = Value(code);
    return Value(code);
}

Value XImagePdf::number(const char* name, rt::Args args) {
    const intptr_t f = exportNamed(name);
    return Value(f ? imagePdfPort().callNumber(f, numberArg(args, 0)) : kUnavailable);
}

Value XImagePdf::none(const char* name) {
    if (const intptr_t f = exportNamed(name)) imagePdfPort().callNone(f);
    return Value();
}

Value XImagePdf::AddImage(rt::Args args) {
    if (!loaded()) return Value(kUnavailable);
    if (!field(kAddImage).asInteger()) field(kAddImage) = Value(static_cast<int64_t>(exportNamed("I2PDF_AddImage")));
    const auto f = static_cast<intptr_t>(field(kAddImage).asInteger());
    return Value(f ? imagePdfPort().callText(f, textArg(args)) : kUnavailable);
}

Value XImagePdf::MakePDF(rt::Args args) {
    const intptr_t f = exportNamed("I2PDF_MakePDF");
    if (!f) return Value(kUnavailable);
    std::string error;
    const int64_t code = imagePdfPort().callMakePdf(f, textArg(args), numberArg(args, 1), error);
    if (code != 0) {
        field(kLastError) = Value(code);
        field(kLastErrorText) = Value(error);
    }
    return Value(code);
}

Value XImagePdf::SetAuthor(rt::Args a) { return text("I2PDF_SetAuthor", a); }
Value XImagePdf::SetCreator(rt::Args a) { return text("I2PDF_SetCreator", a); }
Value XImagePdf::SetProducer(rt::Args a) { return text("I2PDF_SetProducer", a); }
Value XImagePdf::SetTitle(rt::Args a) { return text("I2PDF_SetTitle", a); }
Value XImagePdf::SetSubject(rt::Args a) { return text("I2PDF_SetSubject", a); }
Value XImagePdf::SetUserPassword(rt::Args a) { return text("I2PDF_SetUserPassword", a); }
Value XImagePdf::SetPermissions(rt::Args a) { return number("I2PDF_SetPermissions", a); }
Value XImagePdf::SetDPI(rt::Args a) { return number("I2PDF_SetDPI", a); }
Value XImagePdf::MetaImageMaxMP(rt::Args a) { return number("I2PDF_MetaImageMaxMP", a); }
Value XImagePdf::MetaToNativePDF(rt::Args) { return none("I2PDF_MetaToNativePDF"); }
Value XImagePdf::UseEMFDeviceSize(rt::Args) { return none("I2PDF_UseEMFDeviceSize"); }
Value XImagePdf::MetaTextFitBoundingRect(rt::Args) { return none("I2PDF_MetaTextFitBoundingRect"); }
Value XImagePdf::CenterMetaImageOnPage(rt::Args) { return none("I2PDF_CenterMetaImageOnPage"); }
Value XImagePdf::MetaMargins(rt::Args) { return none("I2PDF_MetaMargins"); }
Value XImagePdf::Reset(rt::Args) { return none("I2PDF_Reset"); }
Value XImagePdf::SilentRunning(rt::Args) { return none("I2PDF_SilentRunning"); }
Value XImagePdf::DeleteImagesOnConvert(rt::Args) { return none("I2PDF_DeleteImagesOnConvert"); }

void registerImagePdf() {
    TImagePDF::classRecord();
    rt::registerFunction("ISIMAGEPDF", [](rt::Args) -> Value {
        ImagePdfPort& port = imagePdfPort();
        const intptr_t library = port.load();
        if (library < 32) return Value(false);
        port.unload(library);
        return Value(true);
    });
}

}  // namespace vorpex
