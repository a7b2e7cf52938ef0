#include "framework/core/startup/command_line.h"

namespace vorpex {

namespace {

// Index of the first non-blank at or after `i`.
size_t skipBlanks(std::string_view s, size_t i) {
    while (i < s.size() && s[i] == ' ') ++i;
    return i;
}

}  // namespace

std::vector<std::string> splitCommandLine(std::string programPath, std::string_view line) {
    std::vector<std::string> argv{std::move(programPath)};
    if (line.empty()) return argv;
    std::string word;
    bool quoted = false;
    size_t i = 0;
    // Ends the current word and starts the next one at the next non-blank, if any text remains.
    auto endWord = [&](size_t next) {
        argv.push_back(std::move(word));
        word.clear();
        i = skipBlanks(line, next);
        return i < line.size();
    };
    bool inWord = true;
    bool atWordStart = true;
    while (inWord && i < line.size()) {
        char c = line[i];
        if (c == ' ' && !quoted) {
            inWord = endWord(i + 1);
            atWordStart = true;
            continue;
        }
        if (c == '"') {
            quoted = !quoted;
            if (quoted && atWordStart) {  // an opening quote that starts the word is dropped
                atWordStart = false;
                ++i;
                continue;
            }
            bool closesWord = !quoted && (i + 1 == line.size() || line[i + 1] == ' ');
            if (closesWord) {
                inWord = endWord(i + 1);
                atWordStart = true;
                continue;
            }
        }
        word += c;
        atWordStart = false;
        ++i;
    }
    if (inWord) argv.push_back(std::move(word));
    return argv;
}

}  // namespace vorpex
