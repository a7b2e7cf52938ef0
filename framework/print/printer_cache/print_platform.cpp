#include "framework/print/printer_cache/print_platform.h"

namespace vorpex::print {

namespace {
PrintPlatform* installed = nullptr;
}

size_t elementSize(Capability c) {
    switch (c) {
        case Capability::PaperNames: return 64;
        case Capability::Papers: return 2;
        case Capability::PaperSize: return 8;
        case Capability::BinNames: return 24;
        case Capability::Bins: return 2;
        case Capability::Resolutions: return 8;
        case Capability::Duplex: return 0;
    }
    return 0;
}

PrintPlatform& printPlatform() { return installed ? *installed : systemPrintPlatform(); }

void setPrintPlatform(PrintPlatform* platform) { installed = platform; }

}  // namespace vorpex::print
