#include "framework/print/image_pdf/image_pdf_port.h"

#include <utility>

namespace vorpex {

namespace {
ImagePdfPort*& installed() {
    static ImagePdfPort* port = nullptr;
    return port;
}
std::string& libraryFile() {
    static std::string file = "IMAGE2PDF.DLL";
    return file;
}
}  // namespace

ImagePdfPort& imagePdfPort() { return installed() ? *installed() : platformImagePdfPort(); }
void setImagePdfPort(ImagePdfPort* port) { installed() = port; }
std::string setImagePdfLibrary(std::string file) { return std::exchange(libraryFile(), std::move(file)); }
const std::string& imagePdfLibrary() { return libraryFile(); }

}  // namespace vorpex
