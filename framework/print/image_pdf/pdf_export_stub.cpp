#include "framework/print/image_pdf/pdf_export.h"

namespace vorpex {

bool writeMetafileFile(intptr_t, const std::string&) { return false; }

}  // namespace vorpex
