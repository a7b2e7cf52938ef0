// What the report's spreadsheet export (XReport:ToExcel, report_excel.cpp) reaches outside the report: the
// spreadsheet program and the clipboard. Tests put their own in place of the real ones.
#pragma once

#include <functional>

#include "runtime/core/value.h"

namespace vorpex::report {

struct XlsPorts {
    // The spreadsheet program ("Excel.Application": the running one, else a new one); failures raised.
    std::function<rt::Value()> application;
    // A clipboard object for the owner window (answers Empty, SetText and End).
    std::function<rt::Value(const rt::Value& owner)> clipboard;
};

// Installs ports (members left empty use the real ones) and returns the previous ports.
XlsPorts setXlsPorts(XlsPorts ports);

}  // namespace vorpex::report
