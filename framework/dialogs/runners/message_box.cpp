#include "framework/dialogs/runners/message_box.h"

#include <string>
#include <vector>

#include "framework/core/native/application_value.h"
#include "framework/core/native/value_readers.h"
#include "framework/core/object/vp_class.h"
#include "framework/dialogs/owner_window.h"
#include "framework/dialogs/runners/timeout_message_box.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;

namespace {

using native::textOf;

constexpr uint32_t kTaskModalStyle = 0x2000;

std::vector<std::string> textsOf(const Value& list) {
    std::vector<std::string> texts;
    if (list.isArray())
        for (const Value& v : list.asArray()->items) texts.push_back(textOf(v));
    return texts;
}

}  // namespace

const rt::Class& XMessageBox::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XMessageBox", &TComponent::classRecord(), rt::factoryOf<XMessageBox>());
        kText = b.addProperty({.name = "cText", .initial = "", .type = "C", .scope = Published});
        kTitle = b.addProperty({.name = "cTitle", .initial = "", .type = "C", .scope = Published});
        kStyle = b.addProperty({.name = "nStyle", .initial = 0, .type = "N", .scope = Published});
        kTimeout = b.addProperty({.name = "nTimeout", .initial = 0, .type = "N", .scope = Published});
        kTimeoutResult = b.addProperty({.name = "nTimeOutResult", .initial = 1, .type = "N", .scope = Published});
        kCenter = b.addProperty({.name = "lCenter", .initial = false, .type = "L", .scope = Published});
        kAppModal = b.addProperty({.name = "lAppModal", .initial = true, .type = "L", .scope = Published});
        kTaskModal = b.addProperty({.name = "lTaskModal", .initial = false, .type = "L", .scope = Published});
        kButtons = b.addProperty({.name = "aButtons", .initial = Value::array(), .type = "A", .scope = Published});
        kSoundFile = b.addProperty({.name = "cSoundFile", .initial = "", .type = "C", .scope = Published});
        b.addEvent("OnShow", Published, "oSender");
        b.addEvent("OnClose", Published, "oSender");
        addMembers<XMessageBox>(b);
        return b.create();
    }();
    return c;
}

// An empty caption is the application's title.
Value XMessageBox::Execute(rt::Args) {
    TimeoutMessageBox box;
    box.owner = ownerWindow(oParent() ? Value(oParent()) : Value());
    box.text = textOf(field(kText));
    box.caption = textOf(field(kTitle));
    if (box.caption.empty()) box.caption = applicationText("cTitle");
    box.style = static_cast<uint32_t>(field(kStyle).asInteger());
    if (field(kTaskModal).asLogical()) box.style |= kTaskModalStyle;
    box.timeoutSeconds = field(kTimeout).asInteger();
    box.timeoutResult = field(kTimeoutResult).asInteger();
    box.buttonTexts = textsOf(field(kButtons));
    box.center = field(kCenter).asLogical();
    box.soundFile = textOf(field(kSoundFile));
    fireEvent(*this, OnShow);
    const int64_t pressed = runTimeoutMessageBox(box);
    fireEvent(*this, OnClose);
    return Value(pressed);
}

}  // namespace vorpex
