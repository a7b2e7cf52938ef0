// The PDF library stand-in. Each call appends one line to VORPEX_I2PDF_LOG: the export's name and its argument
// ("I2PDF_SetTitle Informe", "I2PDF_AddImage C:\...\VP_1.emf", "I2PDF_MakePDF C:\out.pdf 2"). AddImage checks
// that the file is an enhanced metafile (code 2 when not); MakePDF renders each one to a white RGB bitmap at 96
// dots per inch, sized from the metafile's frame, and writes a PDF of one page per image, each page the image's
// size with the image compressed (zlib). Reset forgets the images; codes are 0 unless VORPEX_I2PDF_FAIL names
// one for the export.
#include <windows.h>

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<std::string>& images() {
    static std::vector<std::string> list;
    return list;
}

std::string environment(const char* name) {
    char value[1024];
    const DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    return n == 0 || n >= sizeof value ? std::string() : std::string(value, n);
}

void log(const std::string& line) {
    const std::string path = environment("VORPEX_I2PDF_LOG");
    if (path.empty()) return;
    if (FILE* f = std::fopen(path.c_str(), "ab")) {
        std::fprintf(f, "%s\n", line.c_str());
        std::fclose(f);
    }
}

int answer(const char* call) {
    const std::string fail = "," + environment("VORPEX_I2PDF_FAIL") + ",";
    const std::string key = std::string(",") + call + "=";
    const size_t at = fail.find(key);
    return at == std::string::npos ? 0 : std::atoi(fail.c_str() + at + key.size());
}

int logged(const char* call, const std::string& argument) {
    log(std::string(call) + (argument.empty() ? "" : " " + argument));
    return answer(call);
}

struct Page {
    int width = 0, height = 0;  // pixels at 96 dpi
    std::vector<unsigned char> rgb;
};

// The metafile played into a white bitmap as large as its frame (hundredths of a millimetre) at 96 dpi.
bool render(const std::string& file, Page& page) {
    HENHMETAFILE emf = GetEnhMetaFileA(file.c_str());
    if (!emf) return false;
    ENHMETAHEADER h{};
    GetEnhMetaFileHeader(emf, sizeof h, &h);
    page.width = std::max(1, MulDiv(h.rclFrame.right - h.rclFrame.left, 96, 2540));
    page.height = std::max(1, MulDiv(h.rclFrame.bottom - h.rclFrame.top, 96, 2540));
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = page.width;
    bi.bmiHeader.biHeight = -page.height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = bitmap != nullptr;
    if (ok) {
        HGDIOBJ old = SelectObject(dc, bitmap);
        RECT all{0, 0, page.width, page.height};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        PlayEnhMetaFile(dc, emf, &all);
        GdiFlush();
        const auto* px = static_cast<const unsigned char*>(bits);
        page.rgb.resize(static_cast<size_t>(page.width) * page.height * 3);
        for (size_t i = 0, n = static_cast<size_t>(page.width) * page.height; i < n; ++i) {
            page.rgb[i * 3] = px[i * 4 + 2];
            page.rgb[i * 3 + 1] = px[i * 4 + 1];
            page.rgb[i * 3 + 2] = px[i * 4];
        }
        SelectObject(dc, old);
        DeleteObject(bitmap);
    }
    DeleteDC(dc);
    DeleteEnhMetaFile(emf);
    return ok;
}

class PdfWriter {
public:
    explicit PdfWriter(FILE* f) : f_(f) { std::fputs("%PDF-1.4\n", f_); }

    void object(int number, const std::string& body, const std::string& stream = {}, bool hasStream = false) {
        offsets_.resize(std::max<size_t>(offsets_.size(), number + 1));
        offsets_[number] = std::ftell(f_);
        std::fprintf(f_, "%d 0 obj\n%s\n", number, body.c_str());
        if (hasStream) {
            std::fputs("stream\n", f_);
            std::fwrite(stream.data(), 1, stream.size(), f_);
            std::fputs("\nendstream\n", f_);
        }
        std::fputs("endobj\n", f_);
    }

    void finish(int root, int info) {
        const long xref = std::ftell(f_);
        std::fprintf(f_, "xref\n0 %zu\n0000000000 65535 f \n", offsets_.size());
        for (size_t i = 1; i < offsets_.size(); ++i) std::fprintf(f_, "%010ld 00000 n \n", offsets_[i]);
        std::fprintf(f_, "trailer\n<< /Size %zu /Root %d 0 R /Info %d 0 R >>\nstartxref\n%ld\n%%%%EOF\n",
                     offsets_.size(), root, info, xref);
    }

private:
    FILE* f_;
    std::vector<long> offsets_{0};
};

std::string compressed(const std::vector<unsigned char>& bytes) {
    uLongf size = compressBound(bytes.size());
    std::string out(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &size, bytes.data(), bytes.size(), 6) != Z_OK) return {};
    out.resize(size);
    return out;
}

std::string pdfText(const std::string& s) {
    std::string out = "(";
    for (char c : s) {
        if (c == '(' || c == ')' || c == '\\') out += '\\';
        out += c;
    }
    return out + ")";
}

std::string g_title;

// Objects: 1 catalog, 2 pages, 3 info, then per page: page, content, image.
int writePdf(const std::string& file, const std::vector<Page>& pages) {
    FILE* f = std::fopen(file.c_str(), "wb");
    if (!f) return 3;
    PdfWriter pdf(f);
    std::string kids;
    for (size_t i = 0; i < pages.size(); ++i) kids += std::to_string(4 + i * 3) + " 0 R ";
    pdf.object(1, "<< /Type /Catalog /Pages 2 0 R >>");
    pdf.object(2, "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages.size()) + " >>");
    pdf.object(3, "<< /Title " + pdfText(g_title) + " /Producer (IMAGE2PDF stand-in) >>");
    for (size_t i = 0; i < pages.size(); ++i) {
        const Page& p = pages[i];
        const int page = static_cast<int>(4 + i * 3), content = page + 1, image = page + 2;
        // 96 pixels an inch, 72 points: the page is the image's size.
        const double w = p.width * 72.0 / 96.0, h = p.height * 72.0 / 96.0;
        char box[160];
        std::snprintf(box, sizeof box, "[0 0 %.2f %.2f]", w, h);
        pdf.object(page, "<< /Type /Page /Parent 2 0 R /MediaBox " + std::string(box) + " /Contents " +
                             std::to_string(content) + " 0 R /Resources << /XObject << /Im0 " +
                             std::to_string(image) + " 0 R >> >> >>");
        char draw[160];
        std::snprintf(draw, sizeof draw, "q %.2f 0 0 %.2f 0 0 cm /Im0 Do Q", w, h);
        pdf.object(content, "<< /Length " + std::to_string(std::strlen(draw)) + " >>", draw, true);
        const std::string data = compressed(p.rgb);
        pdf.object(image, "<< /Type /XObject /Subtype /Image /Width " + std::to_string(p.width) + " /Height " +
                              std::to_string(p.height) +
                              " /ColorSpace /DeviceRGB /BitsPerComponent 8 /Filter /FlateDecode /Length " +
                              std::to_string(data.size()) + " >>",
                   data, true);
    }
    pdf.finish(1, 3);
    const bool written = std::ferror(f) == 0;
    return std::fclose(f) == 0 && written ? 0 : 3;
}

void copyError(const char* text, char* buffer, int size) {
    if (!buffer || size <= 0) return;
    std::strncpy(buffer, text, static_cast<size_t>(size - 1));
    buffer[size - 1] = '\0';
}

}  // namespace

extern "C" {

int WINAPI I2PDF_AddImage(const char* file) {
    const std::string name = file ? file : "";
    int code = logged("I2PDF_AddImage", name);
    if (code) return code;
    HENHMETAFILE emf = GetEnhMetaFileA(name.c_str());
    if (!emf) return 2;
    DeleteEnhMetaFile(emf);
    images().push_back(name);
    return 0;
}

int WINAPI I2PDF_MakePDF(const char* file, int options, char* error, int size) {
    const std::string name = file ? file : "";
    if (const int code = logged("I2PDF_MakePDF", name + " " + std::to_string(options))) {
        copyError("refused as asked", error, size);
        return code;
    }
    if (images().empty()) {
        copyError("no images", error, size);
        return 1;
    }
    std::vector<Page> pages(images().size());
    for (size_t i = 0; i < pages.size(); ++i)
        if (!render(images()[i], pages[i])) {
            copyError("an image could not be read", error, size);
            return 2;
        }
    const int code = writePdf(name, pages);
    if (code) copyError("the file could not be written", error, size);
    images().clear();
    return code;
}

int WINAPI I2PDF_SetAuthor(const char* s) { return logged("I2PDF_SetAuthor", s ? s : ""); }
int WINAPI I2PDF_SetCreator(const char* s) { return logged("I2PDF_SetCreator", s ? s : ""); }
int WINAPI I2PDF_SetProducer(const char* s) { return logged("I2PDF_SetProducer", s ? s : ""); }
int WINAPI I2PDF_SetTitle(const char* s) {
    g_title = s ? s : "";
    return logged("I2PDF_SetTitle", g_title);
}
int WINAPI I2PDF_SetSubject(const char* s) { return logged("I2PDF_SetSubject", s ? s : ""); }
int WINAPI I2PDF_SetUserPassword(const char* s) { return logged("I2PDF_SetUserPassword", s ? s : ""); }
int WINAPI I2PDF_SetPermissions(int n) { return logged("I2PDF_SetPermissions", std::to_string(n)); }
int WINAPI I2PDF_SetDPI(int n) { return logged("I2PDF_SetDPI", std::to_string(n)); }
int WINAPI I2PDF_MetaImageMaxMP(int n) { return logged("I2PDF_MetaImageMaxMP", std::to_string(n)); }
void WINAPI I2PDF_MetaToNativePDF() { logged("I2PDF_MetaToNativePDF", ""); }
void WINAPI I2PDF_UseEMFDeviceSize() { logged("I2PDF_UseEMFDeviceSize", ""); }
void WINAPI I2PDF_MetaTextFitBoundingRect() { logged("I2PDF_MetaTextFitBoundingRect", ""); }
void WINAPI I2PDF_CenterMetaImageOnPage() { logged("I2PDF_CenterMetaImageOnPage", ""); }
void WINAPI I2PDF_MetaMargins() { logged("I2PDF_MetaMargins", ""); }
void WINAPI I2PDF_Reset() {
    logged("I2PDF_Reset", "");
    images().clear();
}
void WINAPI I2PDF_SilentRunning() { logged("I2PDF_SilentRunning", ""); }
void WINAPI I2PDF_DeleteImagesOnConvert() { logged("I2PDF_DeleteImagesOnConvert", ""); }

}  // extern "C"
