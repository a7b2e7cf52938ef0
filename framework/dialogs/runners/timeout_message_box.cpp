#include "framework/dialogs/runners/timeout_message_box.h"

namespace vorpex {

std::string timeoutText(const std::string& text, int64_t secondsLeft) {
    static const std::string marker = "%i";
    const std::string seconds = std::to_string(secondsLeft);
    std::string out;
    size_t from = 0;
    for (size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, from)) {
        out.append(text, from, at - from);
        out += seconds;
        from = at + marker.size();
    }
    out.append(text, from, std::string::npos);
    return out;
}

std::vector<int> messageBoxButtons(uint32_t style) {
    enum { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7, TryAgain = 10, Continue = 11 };
    switch (style & 0xF) {
        case 0: return {Ok};
        case 1: return {Ok, Cancel};
        case 2: return {Abort, Retry, Ignore};
        case 3: return {Yes, No, Cancel};
        case 4: return {Yes, No};
        case 5: return {Retry, Cancel};
        case 6: return {Cancel, TryAgain, Continue};
    }
    return {};
}

}  // namespace vorpex
