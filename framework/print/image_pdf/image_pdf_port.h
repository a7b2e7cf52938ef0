// The PDF library IMAGE2PDF.DLL as the PDF class uses it: loaded by name, its exports found by name and called
// through four shapes (a text, a number, nothing, and the PDF maker with its error-text buffer). Tests install a
// recording port natively; Windows loads the library. Every export is __stdcall.
#pragma once

#include <cstdint>
#include <string>

namespace vorpex {

class ImagePdfPort {
public:
    virtual ~ImagePdfPort() = default;
    virtual intptr_t load() = 0;  // below 32: not loaded
    virtual void unload(intptr_t library) = 0;
    virtual intptr_t find(intptr_t library, const char* name) = 0;  // 0: no such export
    virtual int64_t callText(intptr_t function, const std::string& text) = 0;
    virtual int64_t callNumber(intptr_t function, int64_t number) = 0;
    virtual void callNone(intptr_t function) = 0;
    // I2PDF_MakePDF(file, options, error text buffer, its size); the buffer's text comes back in `error`.
    virtual int64_t callMakePdf(intptr_t function, const std::string& file, int64_t options, std::string& error) = 0;
};

ImagePdfPort& imagePdfPort();
// Installs a port (tests); nullptr goes back to the platform's. The caller keeps it alive while installed.
void setImagePdfPort(ImagePdfPort* port);
ImagePdfPort& platformImagePdfPort();

// The library's file name, "IMAGE2PDF.DLL" unless a test names another; returns the previous one.
std::string setImagePdfLibrary(std::string file);
const std::string& imagePdfLibrary();

}  // namespace vorpex
