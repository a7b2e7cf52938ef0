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

}  // namespace vorpex
