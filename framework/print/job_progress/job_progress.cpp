#include "framework/print/job_progress/job_progress.h"

#include <string>
#include <utility>
#include <vector>

#include "framework/core/object/optional_send.h"
#include "framework/core/texts/texts.h"
#include "runtime/core/block.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;

namespace {

// Text ids of the window's texts.
constexpr int kTitleText = 32904, kCancelText = 32905, kJobText = 32906, kPagesText = 32907;
constexpr int kDialogBorder = 3;

Value make(const char* classFunction, const Value& parent, std::initializer_list<int> bounds) {
    const rt::Function* f = rt::findFunction(classFunction);
    if (!f) return Value();
    const Value control = (*f)({});
    rt::send(control, "New", {parent});
    const std::vector<int> b(bounds);
    rt::send(control, "SetBounds", {Value(b[0]), Value(b[1]), Value(b[2]), Value(b[3])});
    return control;
}

Value label(const Value& parent, int left, int top, int width, const std::string& text) {
    const Value l = make("TLABEL", parent, {left, top, width, 14});
    rt::send(l, "_lAutoSize", {Value(false)});
    rt::send(l, "_cText", {Value(text)});
    rt::send(l, "Create");
    return l;
}

bool windowClassesPresent() {
    for (const char* name : {"TFORM", "TBUTTON", "TGROUPBOX", "TLABEL"})
        if (!rt::findFunction(name)) return false;
    return true;
}

}  // namespace

JobProgress::JobProgress(const Value& owner, const std::string& job, const char* picture, bool printing,
                         std::function<void()> cancel) {
    if (windowClassesPresent()) build(owner, job, picture, printing, std::move(cancel));
}

JobProgress::~JobProgress() { close(); }

void JobProgress::build(const Value& owner, const std::string& job, const char* picture, bool printing,
                        std::function<void()> cancel) {
    owner_ = owner;
    if (owner_.isObject()) {
        ownerWasEnabled_ = sendIfUnderstood(owner_, "lEnabled").asLogical();
        sendIfUnderstood(owner_, "_lEnabled", {Value(false)});
    }
    form_ = make("TFORM", owner_, {308, 268, 354, 156});
    rt::send(form_, "_lCentered", {Value(true)});
    rt::send(form_, "_cText", {sendIfUnderstood(rt::publicVar("Application"), "cTitle")});
    rt::send(form_, "_nBorderStyle", {Value(kDialogBorder)});
    rt::send(form_, "Create", {owner_});

    const Value button = make("TBUTTON", form_, {128, 84, 98, 25});
    rt::send(button, "_cText", {Value(texts::LT(kCancelText))});
    rt::send(button, "_OnClick", {Value(rt::makeBlock([cancel = std::move(cancel)](rt::Args) {
            if (cancel) cancel();
            return Value();
        }))});
    rt::send(button, "Create");

    const Value group = make("TGROUPBOX", form_, {8, 8, 330, 66});
    rt::send(group, "_cText", {Value(texts::LT(kTitleText))});
    rt::send(group, "Create");
    const Value image = make("TIMAGE", group, {12, 20, 34, 38});
    if (image.isObject()) {
        sendIfUnderstood(image, "_lTransparent", {Value(true)});
        sendIfUnderstood(image, "_nBorderStyle", {Value(0)});
        sendIfUnderstood(image, "_oPicture", {Value(picture)});
        rt::send(image, "Create");
    }
    const int jobRow = printing ? 20 : 30;
    label(group, 60, jobRow, 88, texts::LT(kJobText) + ":");
    label(group, 150, jobRow, 176, job);
    if (printing) {
        label(group, 60, 36, 88, texts::LT(kPagesText) + ":");
        pageLabel_ = label(group, 150, 36, 176, "0");
    }
    rt::send(form_, "Show");
    if (const rt::Function* f = rt::findFunction("PROCESSMESSAGES")) (*f)({});
}

void JobProgress::close() {
    if (form_.isObject()) rt::send(form_, "End");
    form_ = Value();
    pageLabel_ = Value();
    if (owner_.isObject()) sendIfUnderstood(owner_, "_lEnabled", {Value(ownerWasEnabled_)});
    owner_ = Value();
}

}  // namespace vorpex
