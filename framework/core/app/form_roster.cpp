#include "framework/core/app/form_roster.h"

#include <algorithm>
#include <vector>

#include "runtime/core/send.h"

namespace vorpex {

namespace {

bool flag(const rt::Value& form, const char* name) {
    rt::Symbol s = rt::Symbol::intern(name);
    return rt::understands(form, s) && rt::send(form, s).asLogical();
}

}  // namespace

FormRoster::FormRoster() : forms_(std::make_shared<rt::Array>()) {}

bool FormRoster::listed(const rt::Value& form) const {
    return std::any_of(forms_->items.begin(), forms_->items.end(),
                       [&](const rt::Value& f) { return f.sameAs(form); });
}

rt::Value FormRoster::insert(const rt::Value& form) {
    if (form.isNil()) return form;
    if (!listed(form)) forms_->items.push_back(form);
    if (main_.isNil()) main_ = form;
    return form;
}

bool FormRoster::remove(const rt::Value& form) {
    auto& items = forms_->items;
    items.erase(std::remove_if(items.begin(), items.end(), [&](const rt::Value& f) { return f.sameAs(form); }),
                items.end());
    if (active_.sameAs(form)) active_ = rt::Value();
    bool nothingLeft = false;
    if (!main_.isNil() && main_.sameAs(form)) {
        main_ = rt::Value();
        auto visible = std::find_if(items.begin(), items.end(), [](const rt::Value& f) { return flag(f, "lVisible"); });
        if (visible != items.end()) {
            main_ = *visible;
        } else {
            // Each Destroy comes back here (the form's window is destroyed) and shrinks the list: walk a copy.
            std::vector<rt::Value> remaining = items;
            for (const rt::Value& f : remaining) rt::send(f, "Destroy");
            nothingLeft = true;
        }
    }
    if (forms_->items.empty()) active_ = rt::Value();
    return nothingLeft;
}

void FormRoster::ensureMainForm() {
    if (main_.isNil() && !forms_->items.empty()) main_ = forms_->items.front();
}

void FormRoster::setActiveForm(const rt::Value& form) {
    auto o = form.deref().asObject();
    active_ = o ? rt::Value::weak(o) : form;
}

rt::Value FormRoster::firstActive() const {
    for (const rt::Value& f : forms_->items)
        if (flag(f, "lActive")) return f;
    return {};
}

}  // namespace vorpex
