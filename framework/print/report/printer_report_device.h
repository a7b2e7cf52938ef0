// The report device of a real job: the printer object (Printer, or a program's own) and its canvas, drawing
// in device pixels; in preview mode the printer records the pages. The report's fonts are made for the device
// when the job starts and destroyed with the job.
#pragma once

#include "framework/print/report/report_device.h"
#include "runtime/core/value.h"

namespace vorpex::report {

class PrinterReportDevice final : public ReportDevice {
public:
    // `fonts` is the report's font list (an array, shared), `pen` its pen or NIL.
    PrinterReportDevice(rt::Value printer, rt::Value fonts, rt::Value pen);
    ~PrinterReportDevice() override;
    PrinterReportDevice(const PrinterReportDevice&) = delete;
    PrinterReportDevice& operator=(const PrinterReportDevice&) = delete;

    bool startDoc(const std::string& jobName, bool preview) override;
    bool endDoc() override;
    bool startPage() override;
    bool endPage() override;
    int orientation() override;
    void setOrientation(int orientation) override;
    PageMetrics metrics() override;
    Extent textExtent(int font, const std::string& text) override;
    void drawText(const Rect& r, const std::string& text, int alignment, int font, int64_t color) override;
    void fill(const Rect& r, int64_t color) override;
    void line(int64_t x1, int64_t y1, int64_t x2, int64_t y2) override;
    int64_t penWidth() override;
    bool preview(bool modal, int orientation) override;

private:
    rt::Value canvas() const;
    void makeDeviceFonts();
    void destroyFonts();
    void useFont(int font);
    int64_t measure(const char* name) const;

    rt::Value printer_, fonts_, pen_;
    bool fontsMade_ = false;
};

}  // namespace vorpex::report
