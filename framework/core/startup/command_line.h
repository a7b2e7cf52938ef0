// Splits the program's command line into its argument vector, with the quoting rules programs and their
// shortcuts have always relied on.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorpex {

// Element 0 is `programPath`; the words of `commandLine` follow. A blank outside quotes ends a word (one empty
// word when the line starts with a blank); a quote toggles quoting; an opening quote at the start of a word is
// dropped; a closing quote followed by a blank or the end of the line ends the word and is dropped; any other
// quote stays in the word. Only the blank separates words. Any number of words.
std::vector<std::string> splitCommandLine(std::string programPath, std::string_view commandLine);

}  // namespace vorpex
