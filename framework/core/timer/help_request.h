// What a help command asks of the help viewers, as plain data: which viewer, which command number and which
// argument. THelp builds these; the help port carries them out (WinHelp or HTML Help on Win32, a recorder in
// tests).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorpex {

// The help file's kind by its extension: HLP 0 (WinHelp), CHM 1 (HTML Help), anything else -1.
int helpTypeOf(std::string_view fileName);

enum class HelpCommand { TOC, Index, Search, Topic, Keyword, Context, Popup, Finder, Close };

// WinHelp command numbers.
inline constexpr unsigned kHelpContext = 1, kHelpQuit = 2, kHelpContents = 3, kHelpFinder = 11, kHelpKey = 0x101;
// HTML Help command numbers.
inline constexpr unsigned kHhDisplayTopic = 0, kHhDisplayToc = 1, kHhDisplayIndex = 2, kHhDisplaySearch = 3,
                          kHhKeywordLookup = 13, kHhDisplayTextPopup = 14, kHhHelpContext = 15, kHhCloseAll = 18;

// The argument a command carries.
enum class HelpData { None, Number, Text, Keyword, Popup };

struct HelpRequest {
    bool html = false;     // HTML Help, else WinHelp
    unsigned command = 0;  // the viewer's command number
    std::string file;      // "" for none (HH_CLOSE_ALL)
    HelpData data = HelpData::None;
    int64_t number = 0;        // Number: the context; Popup: the text id
    std::string text;          // Text: the topic or keyword; Keyword: the keywords
    bool indexOnFail = false;  // Keyword
    intptr_t window = 0;       // Popup: the control's window (the others go to the desktop window)
};

// The request a command makes on a file of help type `type` (0 or 1), without its argument: the caller fills
// in the topic, keyword, context or popup fields that `data` names.
HelpRequest helpRequest(int type, HelpCommand command, const std::string& file);

}  // namespace vorpex
