// The report's job: the record loop with its groups and totals, and the job's start and end on the device.
#include <optional>

#include "framework/core/object/optional_send.h"
#include "framework/core/native/application_value.h"
#include "framework/print/report/printer_report_device.h"
#include "framework/print/report/report.h"
#include "framework/print/report/report_blocks.h"
#include "framework/print/report/report_progress.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;

// What a job put in place is put back however it ends, also when an error breaks out of a handler: the
// document is ended, the data set restored and the device's orientation turned back.
class ReportRun {
public:
    ReportRun(XReport& report, report::ReportDevice& device) : report_(report), device_(device) {
        report_.device_ = &device_;
        orientation_ = device_.orientation();
    }
    ~ReportRun() {
        if (open_) device_.endDoc();
        if (saved_) report_.restoreDataset();
        if (!keepOrientation_) restoreOrientation();
        report_.device_ = nullptr;
    }
    ReportRun(const ReportRun&) = delete;
    ReportRun& operator=(const ReportRun&) = delete;

    bool start() {
        open_ = device_.startDoc(report_.cJobName(), report_.lPreview());
        return open_;
    }
    void saveDataset() {
        report_.saveDataset();
        saved_ = true;
    }
    void finish() {
        open_ = false;
        device_.endDoc();
        if (saved_) report_.restoreDataset();
        saved_ = false;
    }
    // A preview left open (not modal) turns the device back when it closes; otherwise it is turned back now.
    void handOver() {
        if (!report_.lPreview()) return;
        const bool modal = report_.flag(XReport::kPreviewModal);
        keepOrientation_ = device_.preview(modal, orientation_) && !modal;
    }

private:
    void restoreOrientation() {
        if (device_.orientation() != orientation_) device_.setOrientation(orientation_);
    }

    XReport& report_;
    report::ReportDevice& device_;
    int orientation_ = report::kPortrait;
    bool open_ = false, saved_ = false, keepOrientation_ = false;
};

void XReport::skipFailingRecords() {
    while (!lCancel() && whileHolds() && !forHolds()) skip(1);
}

void XReport::afterRecord() {
    if (groups().empty()) return;
    skipFailingRecords();
    const auto list = groups();
    for (size_t k = list.size(); k >= 1; --k)
        if (list[k - 1]->Check({}).asLogical()) {
            const Value n(static_cast<int64_t>(k));
            EndGroup(rt::Args(&n, 1));
        }
    for (size_t k = 1; k <= list.size(); ++k)
        if (list[k - 1]->lNeedStart()) {
            const Value n(static_cast<int64_t>(k));
            StartGroup(rt::Args(&n, 1));
        }
}

void XReport::printRecord(int dataLines, int64_t dataHeight) {
    for (const auto& group : groups()) group->Evaluate({});
    fireEvent(*this, OnPreChange);
    const Value height(dataHeight);
    for (int i = 1; i <= dataLines; ++i) {
        if (!lSummary()) StartLine(rt::Args(&height, 1));
        const Value args[] = {Value(nRow()), Value(i)};
        for (const auto& column : columns()) column->PrintData(args);
        if (!lSummary()) EndLine(rt::Args(&height, 1));
    }
    fireEvent(*this, OnChange);
    if (!lSummary() && get(kGridStyle) > rgVERTICAL && !flag(kFirstRow)) {
        const Value rule[] = {Value(rlSINGLE), Value(true)};
        PrintHorzLine(rule);
    }
}

void XReport::runRecords() {
    const int dataLines = MaxDataLines({}).asInt();
    const int64_t dataHeight = MaxDataHeight({}).asInteger();
    field(kXlsReport) = Value(false);
    StartPage({});
    fireEvent(*this, OnInit);
    const auto list = groups();
    for (size_t k = 1; k <= list.size(); ++k) {
        list[k - 1]->Reset({});
        const Value n(static_cast<int64_t>(k));
        StartGroup(rt::Args(&n, 1));
    }
    while (!lCancel() && whileHolds()) {
        processPendingMessages();
        if (!forHolds()) {
            skip(1);
            continue;
        }
        printRecord(dataLines, dataHeight);
        skip(1);
        countRecord();
        fireEvent(*this, OnChanged);
        afterRecord();
    }
    closeGroups();
    EndPage({});
}

void XReport::closeGroups() {
    const auto list = groups();
    for (size_t k = list.size(); k >= 1; --k)
        if (list[k - 1]->Check({}).asLogical() || list[k - 1]->nCounter() != 0) {
            const Value n(static_cast<int64_t>(k));
            EndGroup(rt::Args(&n, 1));
        }
}

bool XReport::runOn(report::ReportDevice& device) {
    if (!oParent()) {
        const Value application = rt::publicVar("Application");
        const Value form = sendIfUnderstood(application, "oActiveForm");
        if (form.isObject()) setParent(form.asObject());
    }
    if (columns().empty()) {
        End({});
        return false;
    }
    {
        ReportRun job(*this, device);
        // A job the device refuses draws nothing and is no success.
        if (!job.start()) {
            End({});
            return false;
        }
        job.saveDataset();
        Adjust({});
        if (!groups().empty()) skipFailingRecords();
        ReportProgress progress(*this, ReportProgress::Kind::Printing);
        field(kForm) = progress.form();
        field(kLblPage) = progress.pageLabel();
        runRecords();
        job.finish();
        progress.close();
        field(kForm) = Value();
        field(kLblPage) = Value();
        processPendingMessages();
        job.handOver();
    }
    End({});
    return true;
}

Value XReport::Run(rt::Args) {
    if (!field(kDevice).isObject()) field(kDevice) = rt::publicVar("Printer");
    report::PrinterReportDevice device(field(kDevice), field(kFonts), field(kPen));
    return Value(runOn(device));
}

}  // namespace vorpex
