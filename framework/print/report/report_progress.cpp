#include "framework/print/report/report_progress.h"

#include "framework/print/report/report.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;

namespace {

Value parentOf(XReport& report) { return report.oParent() ? Value(report.oParent()) : Value(); }

}  // namespace

ReportProgress::ReportProgress(XReport& report, Kind kind)
    : JobProgress(parentOf(report), report.cJobName(), kind == Kind::Printing ? "VP_BMP_PRINTER" : "VP_BMP_EXCEL",
                  kind == Kind::Printing, [reportRef = Value::weak(report.self())] {
                      if (reportRef.isObject()) rt::send(reportRef, "_lCancel", {Value(true)});
                  }) {}

}  // namespace vorpex
