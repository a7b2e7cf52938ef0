#include "framework/core/timer/help_request.h"

#include "runtime/lib/text.h"

namespace vorpex {

int helpTypeOf(std::string_view fileName) {
    const size_t dot = fileName.rfind('.');
    const size_t slash = fileName.find_last_of("\\/");
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return -1;
    const std::string extension = rt::toUpper(fileName.substr(dot + 1));
    if (extension == "HLP") return 0;
    if (extension == "CHM") return 1;
    return -1;
}

namespace {

unsigned winHelpNumber(HelpCommand c) {
    switch (c) {
        case HelpCommand::TOC:
        case HelpCommand::Index:
        case HelpCommand::Search: return kHelpContents;
        case HelpCommand::Topic:
        case HelpCommand::Keyword: return kHelpKey;
        case HelpCommand::Context: return kHelpContext;
        case HelpCommand::Finder: return kHelpFinder;
        case HelpCommand::Close: return kHelpQuit;
        case HelpCommand::Popup: return 0;  // WinHelp has no popup here
    }
    return 0;
}

unsigned htmlHelpNumber(HelpCommand c) {
    switch (c) {
        case HelpCommand::TOC: return kHhDisplayToc;
        case HelpCommand::Index: return kHhDisplayIndex;
        case HelpCommand::Search: return kHhDisplaySearch;
        case HelpCommand::Topic:
        case HelpCommand::Finder: return kHhDisplayTopic;
        case HelpCommand::Keyword: return kHhKeywordLookup;
        case HelpCommand::Context: return kHhHelpContext;
        case HelpCommand::Popup: return kHhDisplayTextPopup;
        case HelpCommand::Close: return kHhCloseAll;
    }
    return 0;
}

HelpData dataOf(HelpCommand c, bool html) {
    switch (c) {
        case HelpCommand::Topic: return html ? HelpData::None : HelpData::Text;
        case HelpCommand::Keyword: return html ? HelpData::Keyword : HelpData::Text;
        case HelpCommand::Context: return HelpData::Number;
        case HelpCommand::Popup: return HelpData::Popup;
        default: return HelpData::None;
    }
}

}  // namespace

HelpRequest helpRequest(int type, HelpCommand command, const std::string& file) {
    HelpRequest r;
    r.html = type == 1;
    r.command = r.html ? htmlHelpNumber(command) : winHelpNumber(command);
    r.file = r.html && command == HelpCommand::Close ? std::string() : file;
    r.data = dataOf(command, r.html);
    return r;
}

}  // namespace vorpex
