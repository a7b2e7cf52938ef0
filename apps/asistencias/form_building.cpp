#include "apps/asistencias/form_building.h"

#include "framework/controls/button/button.h"
#include "framework/controls/label/label.h"
#include "framework/graphics/font/font.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace asistencias {

using rt::Value;

void addComponents(vorpex::VPClass& b, std::initializer_list<std::pair<int*, const char*>> components) {
    for (auto [slot, name] : components) *slot = b.addData(name);
}

void setUpForm(const Value& form, Bounds b, int clientWidth, int clientHeight, const char* caption, bool centred) {
    rt::send(form, "SetBounds", {b.left, b.top, b.width, b.height});
    rt::send(form, "_nClientWidth", {clientWidth});
    rt::send(form, "_nClientHeight", {clientHeight});
    rt::send(form, "_cText", {caption});
    rt::send(form, "_oFont",
             {rt::send(Value(vorpex::TFont::classRecord().instantiate()), "Create", {"MS Sans Serif", 8, 0, 400})});
    rt::send(form, "_lCentered", {centred});
}

Value control(const rt::Class& cls, const Value& parent, Bounds b, const std::function<void(const Value&)>& set) {
    Value c = rt::send(Value(cls.instantiate()), "New", {parent});
    rt::send(c, "SetBounds", {b.left, b.top, b.width, b.height});
    if (set) set(c);
    rt::send(c, "Create");
    return c;
}

Value button(const Value& parent, Bounds b, const char* text, const char* handler) {
    return control(vorpex::TButton::classRecord(), parent, b, [&](const Value& c) {
        rt::send(c, "_cText", {text});
        rt::send(c, "_OnClick", {handler});  // bound to the form, which is running its set-up
    });
}

Value label(const Value& parent, Bounds b, const char* text) {
    return control(vorpex::TLabel::classRecord(), parent, b, [&](const Value& c) { rt::send(c, "_cText", {text}); });
}

void tellUser(const std::string& text, const char* title) {
    if (const rt::Function* alert = rt::findFunction("MSGALERT")) (*alert)(std::vector<Value>{Value(text), Value(title)});
}

}  // namespace asistencias
