// No PDF library outside Windows: nothing loads, so every wrapper answers -1.
#include "framework/print/image_pdf/image_pdf_port.h"

namespace vorpex {

namespace {
class NoImagePdfPort final : public ImagePdfPort {
public:
    intptr_t load() override { return 0; }
    void unload(intptr_t) override {}
    intptr_t find(intptr_t, const char*) override { return 0; }
    int64_t callText(intptr_t, const std::string&) override { return -1; }
    int64_t callNumber(intptr_t, int64_t) override { return -1; }
    void callNone(intptr_t) override {}
    int64_t callMakePdf(intptr_t, const std::string&, int64_t, std::string&) override { return -1; }
};
}  // namespace

ImagePdfPort& platformImagePdfPort() {
    static NoImagePdfPort port;
    return port;
}

}  // namespace vorpex
