// A preview's pages mailed as one PDF: made into a temporary file, attached under the job's title + ".pdf"
// through TMapi with the send dialog asked for, and the temporary file erased however it ends. Without mail
// (no library, or a refused logon) the user is told "MAPI error".
#pragma once

#include <functional>
#include <string>

#include "framework/print/image_pdf/pdf_export.h"

namespace vorpex {

// `alert` shows a message to the user (MsgAlert in a program). True when the library took the message.
bool mailPdf(const PdfPages& pages, const PdfExportOptions& options, const std::function<void(const std::string&)>& alert);

}  // namespace vorpex
