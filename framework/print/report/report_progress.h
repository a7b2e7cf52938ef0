// The window a report shows while it prints or exports: the job's name, a picture, a button that cancels the
// job (the report's `lCancel`) and, while printing, the count of pages made. Its owner is disabled while it is
// open and enabled again when it closes, however the job ends. It is built by name through the framework's
// window classes; where they are not registered (the native tests) there is no window.
#pragma once

#include "runtime/core/value.h"

namespace vorpex {

class XReport;

class ReportProgress {
public:
    enum class Kind { Printing, Export };
    ReportProgress(XReport& report, Kind kind);
    ~ReportProgress();
    ReportProgress(const ReportProgress&) = delete;
    ReportProgress& operator=(const ReportProgress&) = delete;

    const rt::Value& form() const { return form_; }
    // The label that shows the count of pages made, or NIL.
    const rt::Value& pageLabel() const { return pageLabel_; }
    void close();

private:
    void build(XReport& report, Kind kind);

    rt::Value owner_, form_, pageLabel_;
    bool ownerWasEnabled_ = true;
};

}  // namespace vorpex
