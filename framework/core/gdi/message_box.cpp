#include "framework/core/gdi/message_box.h"

#include "framework/core/gdi/message_box_platform.h"
#include "framework/core/native/application_value.h"
#include "runtime/lib/display.h"
#include "framework/core/native/native_args.h"
#include "runtime/core/class.h"
#include "runtime/core/object.h"

namespace vorpex {

using namespace native;

namespace {

MessageBoxHook& hook() {
    static MessageBoxHook h;
    return h;
}

enum class Answer { Number, Ok, Yes, Retry };

struct BoxFunction {
    const char* name;
    unsigned type;
    Answer answer;
};

// The boxes with a fixed type, and how each reads the button pressed.
constexpr BoxFunction kBoxes[] = {
    {"MSGINFO", mb::IconInformation, Answer::Number},
    {"MSGALERT", mb::IconExclamation, Answer::Number},
    {"MSGSTOP", mb::IconStop, Answer::Number},
    {"MSGOKCANCEL", mb::OkCancel | mb::IconQuestion, Answer::Ok},
    {"MSGCANCELOK", mb::OkCancel | mb::IconQuestion | mb::DefaultButton2, Answer::Ok},
    {"MSGYESNO", mb::YesNo | mb::IconQuestion, Answer::Yes},
    {"MSGNOYES", mb::YesNo | mb::IconQuestion | mb::DefaultButton2, Answer::Yes},
    {"MSGYESNOCANCEL", mb::YesNoCancel | mb::IconQuestion, Answer::Number},
    {"MSGRETRYCANCEL", mb::RetryCancel | mb::IconQuestion, Answer::Retry},
};

Value answerValue(Answer answer, int button) {
    switch (answer) {
        case Answer::Ok: return Value(button == mb::IdOk);
        case Answer::Yes: return Value(button == mb::IdYes);
        case Answer::Retry: return Value(button == mb::IdRetry);
        case Answer::Number: break;
    }
    return Value(button);
}

}  // namespace

MessageBoxHook setMessageBoxHook(MessageBoxHook h) {
    MessageBoxHook previous = std::move(hook());
    hook() = std::move(h);
    return previous;
}

std::string messageBoxText(const rt::Value& x) {
    if (x.isNil()) return {};
    if (x.isObject()) return "{ " + x.asObject()->objectClass().name() + " }";
    if (x.isArray()) return "{ ... }";
    return rt::displayText(x);
}

std::string defaultCaption() {
    std::string title = applicationText("cTitle");
    return title.empty() ? platform::programName() : title;
}

MessageBoxRequest prepareMessageBox(const rt::Value& text, const rt::Value& caption, int64_t type,
                                    intptr_t owner) {
    MessageBoxRequest r;
    r.text = messageBoxText(text);
    r.caption = (caption.isString() && !caption.asString().empty()) ? caption.asString() : defaultCaption();
    r.type = type == 0 ? mb::IconInformation : static_cast<unsigned>(type);
    r.owner = (owner == 0 && !(r.type & mb::TaskModal)) ? platform::activeWindow() : owner;
    return r;
}

int showMessageBox(const MessageBoxRequest& request) {
    return hook() ? hook()(request) : platform::showMessageBox(request);
}

int messageBox(const rt::Value& text, const rt::Value& caption, int64_t type, intptr_t owner) {
    return showMessageBox(prepareMessageBox(text, caption, type, owner));
}

void msgDebug(std::string_view text) {
    showMessageBox({platform::activeWindow(), std::string(text), "Debug", mb::IconInformation});
}

void registerMessageBoxFunctions() {
    for (const BoxFunction& box : kBoxes)
        registerCallable(box.name, [box](Args a) -> Value {
            return answerValue(box.answer, messageBox(rt::arg(a, 0), rt::arg(a, 1), box.type));
        });
    registerCallable("MSGBOX", [](Args a) -> Value {
        return Value(messageBox(rt::arg(a, 0), rt::arg(a, 1), intArg(a, 2)));
    });
    registerCallable("MESSAGEBOX", [](Args a) -> Value {
        return Value(messageBox(rt::arg(a, 1), rt::arg(a, 2), intArg(a, 3), handleArg(a, 0)));
    });
    registerCallable("MSGDEBUG", [](Args a) -> Value {
        msgDebug(messageBoxText(rt::arg(a, 0)));
        return {};
    });
}

}  // namespace vorpex
