// The application's open forms: the list in creation order, the main form and its succession, the active form.
// Forms are reached by name (lVisible, lActive, Destroy), so any form class can take part; the form's window
// code calls insert at creation and remove when its window is destroyed.
#pragma once

#include "runtime/core/value.h"

namespace vorpex {

class FormRoster {
public:
    FormRoster();

    // InsertForm: appends the form unless it is listed already; the first form becomes the main form.
    // Answers the form.
    rt::Value insert(const rt::Value& form);

    // RemoveForm: takes the form off the list. When it was the main form, the first remaining visible form
    // takes over; when none is visible, every remaining form is destroyed and the answer is true: the
    // application has nothing left to show and must end.
    bool remove(const rt::Value& form);

    // Run's first step: without a main form, the first form listed becomes it.
    void ensureMainForm();

    // The list itself (aForms): callers that iterate while forms may close should take a copy.
    const rt::ArrayPtr& forms() const { return forms_; }
    const rt::Value& mainForm() const { return main_; }
    rt::Value activeForm() const { return active_; }
    void setActiveForm(const rt::Value& form);

    // GETACTIVEFORM: the first listed form whose lActive is true, NIL when none.
    rt::Value firstActive() const;

private:
    bool listed(const rt::Value& form) const;

    rt::ArrayPtr forms_;
    rt::Value main_;
    rt::Value active_;  // a back reference: it never keeps a closed form alive
};

}  // namespace vorpex
