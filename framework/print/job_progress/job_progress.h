// The window a print or export job shows while it runs: the job's name, a picture, a button that cancels the
// job and, while printing, the count of pages made. Its owner is disabled while it is open and enabled again
// when it closes, however the job ends. It is built by name through the framework's window classes; where they
// are not registered (the native tests) there is no window.
#pragma once

#include <functional>
#include <string>

#include "runtime/core/value.h"

namespace vorpex {

class JobProgress {
public:
    // `cancel` runs when the button is pressed; `printing` adds the count of pages.
    JobProgress(const rt::Value& owner, const std::string& job, const char* picture, bool printing,
                std::function<void()> cancel);
    ~JobProgress();
    JobProgress(const JobProgress&) = delete;
    JobProgress& operator=(const JobProgress&) = delete;

    const rt::Value& form() const { return form_; }
    // The label that shows the count of pages made, or NIL.
    const rt::Value& pageLabel() const { return pageLabel_; }
    void close();

private:
    void build(const rt::Value& owner, const std::string& job, const char* picture, bool printing,
               std::function<void()> cancel);

    rt::Value owner_, form_, pageLabel_;
    bool ownerWasEnabled_ = true;
};

}  // namespace vorpex
