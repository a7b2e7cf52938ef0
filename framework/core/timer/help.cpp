#include "framework/core/timer/help.h"

#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/timer/help_port.h"
#include "framework/core/window/object_link.h"
#include "runtime/core/send.h"

namespace vorpex {

const rt::Class& XHelp::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XHelp", &TComponent::classRecord(), rt::factoryOf<XHelp>());
        kFileName = b.addProperty({.name = "cFileName", .initial = "", .type = "C", .scope = Published,
                                   .setter = &XHelp::SetFile, .editor = "PE_BrowseFile"});
        kType = b.addProperty({.name = "nType", .initial = 0, .type = "N", .scope = Published});
        addMembers<XHelp>(b);
        return b.create();
    }();
    return c;
}

rt::Value XHelp::New(rt::Args args) {
    // The argument is the help file, not an owner.
    if (rt::arg(args, 0).isString()) SetFile(args.first(1));
    return XComponent::New({});
}

rt::Value XHelp::Create(rt::Args args) {
    New(args);
    setCreated(true);
    return selfValue();
}

rt::Value XHelp::SetFile(rt::Args args) {
    const rt::Value& file = rt::arg(args, 0);
    field(kFileName) = file.isString() ? file : rt::Value("");
    field(kType) = helpTypeOf(cFileName());
    return field(kFileName);
}

HelpRequest XHelp::requestFor(HelpCommand command) const { return helpRequest(nType(), command, cFileName()); }

rt::Value XHelp::run(HelpCommand command, HelpRequest r, bool logicalAnswer) {
    if (nType() != 0 && nType() != 1) return rt::Value(nType() - 1);
    if (nType() == 0) {
        if (command == HelpCommand::Popup) return rt::Value(false);
        return rt::Value(helpPort().winHelp(r));
    }
    const intptr_t viewer = helpPort().htmlHelp(r);
    if (logicalAnswer) return rt::Value(viewer != 0);
    return rt::Value(static_cast<long long>(viewer));
}

rt::Value XHelp::ShowTOC(rt::Args) { return run(HelpCommand::TOC, requestFor(HelpCommand::TOC)); }
rt::Value XHelp::ShowIndex(rt::Args) { return run(HelpCommand::Index, requestFor(HelpCommand::Index)); }
rt::Value XHelp::ShowSearch(rt::Args) { return run(HelpCommand::Search, requestFor(HelpCommand::Search)); }
rt::Value XHelp::ShowFinder(rt::Args) { return run(HelpCommand::Finder, requestFor(HelpCommand::Finder)); }
rt::Value XHelp::Close(rt::Args) { return run(HelpCommand::Close, requestFor(HelpCommand::Close)); }

rt::Value XHelp::ShowTopic(rt::Args args) {
    HelpRequest r = requestFor(HelpCommand::Topic);
    const rt::Value& topic = rt::arg(args, 0);
    const std::string text = topic.isString() ? topic.asString() : std::string();
    if (r.html) {
        if (!text.empty()) r.file += "::/" + text;
    } else {
        r.text = text;
    }
    return run(HelpCommand::Topic, std::move(r), true);
}

rt::Value XHelp::ShowKeyword(rt::Args args) {
    HelpRequest r = requestFor(HelpCommand::Keyword);
    const rt::Value& keyword = rt::arg(args, 0);
    r.text = keyword.isString() ? keyword.asString() : std::string();
    r.indexOnFail = rt::arg(args, 1).asLogical();
    return run(HelpCommand::Keyword, std::move(r), true);
}

rt::Value XHelp::ShowContext(rt::Args args) {
    HelpRequest r = requestFor(HelpCommand::Context);
    r.number = rt::arg(args, 0).asInteger();
    return run(HelpCommand::Context, std::move(r));
}

rt::Value XHelp::Popup(rt::Args args) {
    HelpRequest r = requestFor(HelpCommand::Popup);
    const rt::Value& control = rt::arg(args, 0);
    r.window = handleOf(control);
    static const rt::Symbol helpId = rt::Symbol::intern("HelpId");
    if (rt::understands(control, helpId)) r.number = rt::send(control, helpId).asInteger();
    return run(HelpCommand::Popup, std::move(r));
}

}  // namespace vorpex
