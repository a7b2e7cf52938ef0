// What the form tests under Wine share: the real Application, a push button and a label on the control base
// (the button answers its nModalResult as a button does: it sets the form's and closes it), a component that
// records its end, a program form built by CreateForm, and small helpers.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/core/control/std_control.h"
#include "framework/core/form/form.h"
#include "framework/core/object/members.h"
#include "runtime/core/value.h"

namespace vorpex::testing {

// What the test classes saw, in order.
std::vector<std::string>& journal();

// A push button ("BUTTON"): Click fires OnClick and, with a non-zero nModalResult, sets the form's and
// closes the form.
class XTestButton : public TStdControl {
public:
    using TStdControl::TStdControl;
    static const rt::Class& classRecord();
    VP_OVERRIDES(Click)
};

// A plain child ("STATIC").
const rt::Class& labelClass();
// A multi-line edit ("EDIT") published as TMemo, for the log window.
const rt::Class& memoClass();

// A component of a form: Create(oOwner, cName) joins the owner's components; its end is journaled as
// "end <name>".
const rt::Class& componentClass();

// A program form: CreateForm makes an "&Aceptar" button (nModalResult 1, OnClick "OkClick") and an
// "A&plicar" button (OnClick "ApplyClick"), both bound by method name, with Aceptar as default button.
// The handlers journal "ok" and "apply". `setup` runs inside CreateForm after the buttons, as more of the
// program's own set-up (timers, components, events by name).
const rt::Class& programFormClass();
extern std::function<void(const rt::Value& form)> programSetup;

class FormTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static rt::Value app();
    static HWND hwndOf(const rt::Value& o);
    // Serves messages until `done` holds (a generous bound keeps a broken case from hanging the run).
    static bool pumpUntil(const std::function<bool()>& done);
    static void pump();
    // TForm():New() with `before` run before Create (when `create`), then Create.
    static rt::Value plainForm(const std::function<void(const rt::Value&)>& before = {}, bool create = true);
    static rt::Value program();
    // Closes and forgets every form, and runs the idle release.
    void closeAll();

    int64_t baseline = 0;
};

}  // namespace vorpex::testing
