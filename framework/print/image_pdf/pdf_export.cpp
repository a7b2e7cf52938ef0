#include "framework/print/image_pdf/pdf_export.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "framework/core/file_name/file_unique.h"
#include "framework/print/image_pdf/image_pdf.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;

namespace {

constexpr int64_t kMakeOptions = 2;

void configure(const Value& pdf, const PdfExportOptions& o) {
    rt::send(pdf, "SetProducer", {Value(kPdfProducer)});
    rt::send(pdf, "SetTitle", {Value(o.title)});
    rt::send(pdf, "MetaToNativePDF");
    rt::send(pdf, "MetaMargins");
    rt::send(pdf, "SetDPI", {Value(96)});
    rt::send(pdf, "SetPermissions", {Value(pdfPermissions(o))});
    if (!o.password.empty()) rt::send(pdf, "SetUserPassword", {Value(o.password)});
}

// The temporary page files this export wrote; erased when it ends.
class PageFiles {
public:
    ~PageFiles() {
        std::error_code ec;
        for (const std::string& f : written_) std::filesystem::remove(f, ec);
    }
    // A new file holding page `index`; "" when it could not be written.
    std::string write(const PdfPages& pages, size_t index) {
        const std::string file = dialogs::fileUnique(Value(), Value("emf"), Value());
        if (!pages.write || !pages.write(index, file)) {
            // A page writer may have left part of a file under a name that was free: it is this export's.
            std::error_code ec;
            if (std::filesystem::exists(file, ec)) written_.push_back(file);
            return {};
        }
        written_.push_back(file);
        return file;
    }

private:
    std::vector<std::string> written_;
};

}  // namespace

int64_t pdfPermissions(const PdfExportOptions& o) {
    return (o.canEdit ? 1 : 0) | (o.canCopy ? 4 : 0) | (o.canPrint ? 8 : 0);
}

PdfExportResult exportPdf(const PdfPages& pages, const PdfExportOptions& options, const std::string& file,
                          const std::function<bool()>& cancelled) {
    PdfExportResult result;
    const Value pdf = rt::send(Value(TImagePDF::classRecord().instantiate()), "Create");
    if (static_cast<XImagePdf&>(*pdf.asObject()).hLib() < 32) {
        result.error = -1;
        rt::send(pdf, "Destroy");
        return result;
    }
    configure(pdf, options);
    PageFiles files;
    bool complete = pages.count > 0;
    for (size_t i = 0; i < pages.count && complete; ++i) {
        const std::string page = files.write(pages, i);
        complete = !page.empty() && rt::send(pdf, "AddImage", {Value(page)}).asInteger() == 0;
        if (complete && cancelled && cancelled()) complete = false;
    }
    if (complete) {
        result.error = rt::send(pdf, "MakePDF", {Value(file), Value(kMakeOptions)}).asInteger();
        result.made = result.error == 0;
        if (!result.made) result.errorText = rt::send(pdf, "cLastError").asString();
    } else {
        rt::send(pdf, "Reset");
    }
    rt::send(pdf, "Destroy");
    return result;
}

}  // namespace vorpex
