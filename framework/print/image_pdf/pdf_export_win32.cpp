#include <windows.h>

#include "framework/print/image_pdf/pdf_export.h"

namespace vorpex {

bool writeMetafileFile(intptr_t emf, const std::string& file) {
    if (!emf || file.empty()) return false;
    HENHMETAFILE copy = CopyEnhMetaFileA(reinterpret_cast<HENHMETAFILE>(emf), file.c_str());
    if (!copy) return false;
    DeleteEnhMetaFile(copy);  // the file stays; only the copy's handle goes
    return true;
}

}  // namespace vorpex
