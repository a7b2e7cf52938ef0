// The texts the report's spreadsheet export builds: numbers as the spreadsheet reads them, sheet column letters,
// cell texts that cannot break the pasted rows, and the rows a pasted chunk holds. Platform-neutral.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// The export's body as the spreadsheet gets it pasted: one row per CR LF line, cells separated by TAB. Data
// and total rows start with a TAB, so column A stays empty beside them; group headers and the labels of group
// footers and of the grand total stand in column A. Every text goes through cellText().
class XlsBody {
public:
    // A total that a column does not have.
    using Totals = std::vector<std::optional<std::string>>;

    void dataRow(const std::vector<std::string>& cells);
    void groupHeader(std::string_view text);
    // A group footer: the label in column A and the group's totals beside it, on one row.
    void groupTotals(std::string_view label, const Totals& totals);
    // An empty row, the label on a row of its own when there is one, the totals row and another empty row.
    void grandTotals(std::string_view label, const Totals& totals);

    const std::string& text() const { return text_; }
    bool empty() const { return text_.empty(); }
    // Long enough to go to the clipboard before the next record.
    bool full() const { return text_.size() > kPasteChunk; }
    // The text so far, which leaves the body empty.
    std::string take();

private:
    void totalsRow(const Totals& totals);
    std::string text_;
};

}  // namespace vorpex::report
