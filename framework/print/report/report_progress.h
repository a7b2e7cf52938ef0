// The window a report shows while it prints or exports: the job window over the report's parent, with the
// report's name, and a button that cancels the job (the report's `lCancel`).
#pragma once

#include "framework/print/job_progress/job_progress.h"

namespace vorpex {

class XReport;

class ReportProgress : public JobProgress {
public:
    enum class Kind { Printing, Export };
    ReportProgress(XReport& report, Kind kind);
};

}  // namespace vorpex
