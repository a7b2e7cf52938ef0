// The texts the report's spreadsheet export builds: numbers as the spreadsheet reads them, sheet column letters,
// cell texts that cannot break the pasted rows, and the rows a pasted chunk holds. Platform-neutral.
#pragma once

#include <string>
#include <string_view>

namespace vorpex::report {

// XLSSTR: the number with as many decimals as the picture has "9"s after its first "." (other characters are
// ignored), no leading blanks, no thousands separators, the integer part never cut; the decimal point becomes
// `decimalSeparator` so that the spreadsheet, reading pasted text in the user's locale, takes it as a number.
std::string xlsNumber(double value, std::string_view picture, char decimalSeparator);

// The sheet's name of a 1-based column: A..Z, then AA, AB, ...
std::string sheetColumn(int column);

// A cell text for the TAB and CR LF separated body: TAB, CR and LF become blanks, so no cell shifts the
// cells or rows after it.
std::string cellText(std::string_view text);

// The rows of a body chunk: its CR LF line ends.
int bodyRows(std::string_view chunk);

// The body goes to the clipboard in chunks once it is longer than this.
inline constexpr size_t kPasteChunk = 65000;

}  // namespace vorpex::report
