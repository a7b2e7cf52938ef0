// What the program's forms share while they build themselves: a control made as the form's set-up makes each
// one (New with its parent, bounds, properties, Create), buttons and labels, and a message for the user.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>

#include "framework/core/object/vp_class.h"
#include "runtime/core/value.h"

namespace asistencias {

struct Bounds {
    int left, top, width, height;
};

// Declares the form's components as data of its class, each slot receiving the component's position.
void addComponents(vorpex::VPClass& b, std::initializer_list<std::pair<int*, const char*>> components);

// The form's own bounds, client size, caption, the program's font "MS Sans Serif" 8 and centring, before
// its window is created.
void setUpForm(const rt::Value& form, Bounds bounds, int clientWidth, int clientHeight, const char* caption,
               bool centred);

rt::Value control(const rt::Class& cls, const rt::Value& parent, Bounds bounds,
                  const std::function<void(const rt::Value&)>& set = {});
// A button whose OnClick is the method `handler` of the form running its set-up.
rt::Value button(const rt::Value& parent, Bounds bounds, const char* text, const char* handler);
rt::Value label(const rt::Value& parent, Bounds bounds, const char* text);

// A message box with an exclamation mark.
void tellUser(const std::string& text, const char* title);

}  // namespace asistencias
