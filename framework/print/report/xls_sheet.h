// The report export's calls on the spreadsheet program: reaching it and a new workbook, the cells set one by
// one, merges and formats, the body pasted through the clipboard in chunks, and the end (saved or shown). The
// objects are anything that answers by name: the OLE client's objects for the real program, a test's fake
// elsewhere. Platform-neutral.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "framework/print/report/xls_text.h"
#include "runtime/core/value.h"

namespace vorpex::report {

// The spreadsheet's HorizontalAlignment for a report alignment: right (2) is 4, centre (6) is 3; left (0) and
// anything else set nothing.
std::optional<int> sheetAlignment(int reportAlignment);

// The NumberFormat of a right-aligned numeric column: thousands grouped and one "0" per picture character after
// its first "."; none when the picture has no ".". Written in the spreadsheet's invariant syntax, which it shows
// with the user's own separators.
std::optional<std::string> numberFormat(std::string_view picture);

// The spreadsheet program, its new workbook and that workbook's sheet.
struct XlsWorkbook {
    rt::Value application, book, sheet;
};

// What reaching the spreadsheet gave: the workbook, or the text for the user.
struct XlsOpening {
    std::optional<XlsWorkbook> workbook;
    std::string error;
};

// The running spreadsheet ("Excel.Application"), else a new one; its failures are raised as run-time errors.
rt::Value runningOrNewSpreadsheet();

// A new workbook in the program `application()` gives. Failures never reach the program's error handler: they
// become "ERROR! Excel not available. [<error text>]" or, once the program answered, "ERROR! Excel worksheet not
// available. [<error text>]".
XlsOpening openWorkbook(const std::function<rt::Value()>& application = runningOrNewSpreadsheet);

// The sheet being filled. Rows and columns are the sheet's, 1-based; the report's columns start in column B.
// Errors the spreadsheet raises go to the program's error handler.
class XlsSheet {
public:
    // `clipboard` answers Empty and SetText (a TClipboard).
    XlsSheet(rt::Value sheet, rt::Value clipboard);

    // Column A, beside the data, narrow and bold.
    void narrowColumnA();
    // A header, title or footer line in column B.
    void line(int row, const std::string& text, int alignment, bool bold);
    void cell(int row, int column, const std::string& text, int alignment);
    // Rows 1 to `lastRow` of columns B to `lastColumn`, each row merged across.
    void mergeRows(int lastRow, int lastColumn);
    // A right-aligned numeric report column whose data picture is `picture`.
    void numericColumn(int column, std::string_view picture);
    // The column titles' band: bold, small, grey.
    void titleBand(int firstRow, int lastRow, int lastColumn);
    // Pastes the body collected so far at column A of `row` and empties it; answers the row after it. An empty
    // body pastes nothing (the spreadsheet refuses an empty paste).
    int paste(int row, XlsBody& body);
    // Empties the clipboard the body went through.
    void emptyClipboard();
    void autoFit(int lastColumn);

private:
    rt::Value range(const std::string& area) const;
    rt::Value cellAt(int row, int column) const;

    rt::Value sheet_, clipboard_;
};

// The export's end: the workbook saved as `file` and closed, or (no file) the program shown with it open.
void finishWorkbook(const XlsWorkbook& workbook, const std::string& file);

}  // namespace vorpex::report
