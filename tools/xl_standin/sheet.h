// The stand-in spreadsheet's workbook model: cells with values and formats, column formats, merges, and the
// areas ("B1:H3", "A6", "B:H") its Automation members address. Platform-neutral; texts are UTF-8.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace xl {

struct CellValue {
    enum class Kind { Empty, Text, Number, Logical, Date };
    Kind kind = Kind::Empty;
    std::string text;
    double number = 0;  // numbers, logicals (0/1) and dates (days since 30 December 1899)
};

// The formats set on a cell or a column; a cell's own formats win over its column's.
struct Format {
    std::optional<bool> bold;
    std::optional<double> size;
    std::optional<long> fillColor;  // the spreadsheet's colour number: 0xBBGGRR
    std::optional<int> alignment;   // 1 general, 2 left, 3 centre, 4 right, 5 fill, 6 justify, 7 centre across
    std::optional<std::string> numberFormat;

    // This format with `over`'s settings on top.
    Format overlaidBy(const Format& over) const;
    bool operator==(const Format&) const = default;
};

struct Cell {
    CellValue value;
    Format format;
};

struct Column {
    std::optional<double> width;
    bool autoFit = false;
    Format format;
};

// A rectangle of 1-based rows and columns; whole columns have rows 0.
struct Area {
    int top = 0, left = 0, bottom = 0, right = 0;
    bool wholeColumns() const { return top == 0; }
    bool operator==(const Area&) const = default;
};

// "A" -> 1, "Z" -> 26, "AA" -> 27; 0 when not letters (or past the spreadsheet's 16384 columns).
int columnNumber(std::string_view letters);
std::string columnLetters(int column);
// "B1:H3", "A6", "B:H", "A"; nullopt when the text names no area.
std::optional<Area> parseArea(std::string_view text);
std::string cellName(int row, int column);

class Sheet {
public:
    const std::map<std::pair<int, int>, Cell>& cells() const { return cells_; }
    const std::map<int, Column>& columns() const { return columns_; }
    const std::vector<Area>& merges() const { return merges_; }

    const Cell* cell(int row, int column) const;
    Cell& cellAt(int row, int column) { return cells_[{row, column}]; }
    Column& columnAt(int column) { return columns_[column]; }

    void setValue(const Area& area, const CellValue& value);
    // Applies `change` to every cell of the area, or to its columns when it names whole columns.
    template <class Change>
    void format(const Area& area, Change change) {
        if (area.wholeColumns()) {
            for (int c = area.left; c <= area.right; ++c) change(columns_[c].format);
            return;
        }
        for (int r = area.top; r <= area.bottom; ++r)
            for (int c = area.left; c <= area.right; ++c) change(cells_[{r, c}].format);
    }
    // Each row of the area merged on its own (across), or the whole area as one.
    void merge(const Area& area, bool across);
    // Splits pasted text at CR LF into rows and at TAB into cells, from the top-left cell on; answers the rows.
    int paste(int row, int column, std::string_view text);
    // The cell's format over its column's.
    Format effectiveFormat(int row, int column) const;

private:
    std::map<std::pair<int, int>, Cell> cells_;
    std::map<int, Column> columns_;
    std::vector<Area> merges_;
};

}  // namespace xl
