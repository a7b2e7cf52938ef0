#include "apps/reorden/form1.h"

#include "apps/reorden/rdd_table_steps.h"
#include "apps/reorden/reorder.h"
#include "framework/controls/button/button.h"
#include "framework/controls/label/label.h"
#include "framework/core/object/vp_class.h"
#include "framework/graphics/font/font.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace reorden {

namespace {

using rt::Value;

// A new, not yet constructed object of a framework class, as a program's TButton() gives it.
template <class T>
Value make() {
    return Value(T::classRecord().instantiate());
}

Value button(const Value& form, int left, const char* text, const char* handler) {
    Value b = rt::send(make<vorpex::TButton>(), "New", {form});
    rt::send(b, "SetBounds", {left, 28, 80, 25});
    rt::send(b, "_cText", {text});
    rt::send(b, "_OnClick", {handler});  // bound to the form, which is running its set-up
    rt::send(b, "Create");
    return b;
}

}  // namespace

const rt::Class& TForm1::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        vorpex::VPClass b("TForm1", &vorpex::TForm::classRecord(), rt::factoryOf<TForm1>());
        kButton1 = b.addData("oButton1");
        kButton2 = b.addData("oButton2");
        kLabel1 = b.addData("oLabel1");
        addMembers<TForm1>(b);
        return b.create();
    }();
    return c;
}

Value TForm1::CreateForm(rt::Args args) {
    const Value form = selfValue();
    if (rt::arg(args, 0).asLogical()) {
        rt::send(form, "SetBounds", {299, 161, 246, 132});
        rt::send(form, "_nClientWidth", {230});
        rt::send(form, "_nClientHeight", {94});
        rt::send(form, "_cText", {"Asistencias"});
        rt::send(form, "_oFont", {rt::send(make<vorpex::TFont>(), "Create", {"MS Sans Serif", 8, 0, 400})});
        rt::send(form, "_lCentered", {false});
        rt::send(form, "Create");
    }
    const Value noCreate(false);
    XForm::CreateForm(rt::Args(&noCreate, 1));

    field(kButton1) = button(form, 28, "Reordenar", "Button1Click");
    field(kButton2) = button(form, 120, "Salir", "Button2Click");

    Value label = rt::send(make<vorpex::TLabel>(), "New", {form});
    rt::send(label, "SetBounds", {28, 68, 33, 14});
    rt::send(label, "Create");
    field(kLabel1) = label;
    return form;
}

Value TForm1::Button2Click(rt::Args) {
    rt::send(rt::publicVar("Application"), "Terminate");
    return {};
}

Value TForm1::Button1Click(rt::Args) {
    RddTableSteps steps;
    // A break out of the error handler has already put the original back; it goes on to end the program.
    tell(reorder(steps).message);
    return {};
}

void TForm1::tell(const std::string& text) { rt::send(field(kLabel1), "_cText", {Value(text)}); }

}  // namespace reorden
