// A preview's recorded pages made into one PDF through TImagePDF: the library configured in a fixed order, each
// page written to a new temporary .emf file and added, then the PDF made. Any step that fails (no library, a
// page not written or not added, a cancel, the library's own error) ends it with false and no PDF claimed. The
// temporary files it wrote are erased however it ends; a file it did not create is never touched.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace vorpex {

struct PdfExportOptions {
    std::string title;
    bool canEdit = false, canCopy = true, canPrint = true;
    std::string password;  // empty: none
};

// 1 edit, 4 copy, 8 print.
int64_t pdfPermissions(const PdfExportOptions& options);

struct PdfPages {
    size_t count = 0;
    // Writes page `index` (0-based) as an enhanced metafile into `file`; false when it could not.
    std::function<bool(size_t index, const std::string& file)> write;
};

struct PdfExportResult {
    bool made = false;
    int64_t error = 0;  // the library's code when it failed
    std::string errorText;
};

// `cancelled` is asked after each page.
PdfExportResult exportPdf(const PdfPages& pages, const PdfExportOptions& options, const std::string& file,
                          const std::function<bool()>& cancelled = {});

// Writes a copy of the metafile `emf` (a handle) into `file`; false elsewhere than Windows or on failure.
bool writeMetafileFile(intptr_t emf, const std::string& file);

// The producer the PDFs name.
inline constexpr const char* kPdfProducer = "Vorpex";

}  // namespace vorpex
