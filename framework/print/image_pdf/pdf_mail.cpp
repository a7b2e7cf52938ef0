#include "framework/print/image_pdf/pdf_mail.h"

#include <filesystem>
#include <system_error>

#include "framework/core/file_name/file_unique.h"
#include "framework/dialogs/mail/mapi.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;

namespace {

// The temporary PDF: a name no file had, so whatever is there at the end is this export's own.
class TemporaryPdf {
public:
    TemporaryPdf() : file_(dialogs::fileUnique(Value(), Value("pdf"), Value())) {}
    ~TemporaryPdf() {
        std::error_code ec;
        std::filesystem::remove(file_, ec);
    }
    const std::string& file() const { return file_; }

private:
    std::string file_;
};

bool send(const Value& mapi, const std::string& shownName, const std::string& file) {
    rt::send(mapi, "_lAskRecipients", {Value(true)});
    rt::send(mapi, "_aAttachments", {Value::array({Value::array({Value(shownName), Value(file)})})});
    const bool sent = rt::send(mapi, "Send").asLogical();
    rt::send(mapi, "Logoff");
    return sent;
}

}  // namespace

bool mailPdf(const PdfPages& pages, const PdfExportOptions& options,
             const std::function<void(const std::string&)>& alert) {
    const TemporaryPdf pdf;
    if (!exportPdf(pages, options, pdf.file()).made) return false;
    const Value mapi = rt::send(Value(TMapi::classRecord().instantiate()), "Create");
    bool sent = false;
    if (!rt::send(mapi, "Installed").asLogical() || !rt::send(mapi, "Logon").asLogical()) {
        if (alert) alert("MAPI error");
    } else {
        sent = send(mapi, options.title + ".pdf", pdf.file());
    }
    rt::send(mapi, "Destroy");
    return sent;
}

}  // namespace vorpex
