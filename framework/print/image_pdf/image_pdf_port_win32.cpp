#include <windows.h>

#include <vector>

#include "framework/print/image_pdf/image_pdf_port.h"

namespace vorpex {

namespace {

using TextFn = int(WINAPI*)(const char*);
using NumberFn = int(WINAPI*)(int);
using NoneFn = void(WINAPI*)();
using MakePdfFn = int(WINAPI*)(const char*, int, char*, int);

constexpr int kErrorTextSize = 1024;

template <class F>
F as(intptr_t function) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(function));
}

class Win32ImagePdfPort final : public ImagePdfPort {
public:
    intptr_t load() override { return reinterpret_cast<intptr_t>(LoadLibraryA(imagePdfLibrary().c_str())); }
    void unload(intptr_t library) override {
        if (library >= 32) FreeLibrary(reinterpret_cast<HMODULE>(library));
    }
    intptr_t find(intptr_t library, const char* name) override {
        if (library < 32 || !name) return 0;
        return reinterpret_cast<intptr_t>(reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(library), name)));
    }
    int64_t callText(intptr_t f, const std::string& text) override { return f ? as<TextFn>(f)(text.c_str()) : -1; }
    int64_t callNumber(intptr_t f, int64_t n) override { return f ? as<NumberFn>(f)(static_cast<int>(n)) : -1; }
    void callNone(intptr_t f) override {
        if (f) as<NoneFn>(f)();
    }
    int64_t callMakePdf(intptr_t f, const std::string& file, int64_t options, std::string& error) override {
        if (!f) return -1;
        std::vector<char> buffer(kErrorTextSize, '\0');
        const int result = as<MakePdfFn>(f)(file.c_str(), static_cast<int>(options), buffer.data(), kErrorTextSize);
        buffer.back() = '\0';  // a library that filled it to the end still leaves a text
        error = buffer.data();
        return result;
    }
};

}  // namespace

ImagePdfPort& platformImagePdfPort() {
    static Win32ImagePdfPort port;
    return port;
}

}  // namespace vorpex
