// A minimal form for loop and application tests: a real top-level window linked to an object that answers what
// the loops and the application ask of forms (Handle, lVisible, lEnabled, Show, Disable, Enable, Destroy,
// nModalResult), reports its window's end to the Application and runs a test action on WM_USER + 1.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "runtime/core/object.h"
#include "runtime/core/value.h"

namespace vorpex::testing {

inline constexpr UINT kAction = WM_USER + 1;

using FormAction = std::function<void(const rt::Value& form)>;

// Creates the form (visible unless told otherwise) and inserts it into the Application.
rt::Value makeStubForm(const std::string& name, bool visible = true);
// The action the form runs at its next WM_USER + 1.
void setAction(const rt::Value& form, FormAction action);
// Posts WM_USER + 1 to the form.
void postAction(const rt::Value& form);
HWND handleOf(const rt::Value& form);
// Names of stub forms whose Destroy ran, in order.
std::vector<std::string>& destroyedForms();

}  // namespace vorpex::testing
