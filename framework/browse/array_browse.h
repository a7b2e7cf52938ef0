// XArrayBrowse: a grid over an array of rows (aArrayData; each row an array of cells) with the row cursor
// nArrayAt. It builds its TArrayBrwColumn columns from the data, sorts by a column on a header click and then
// searches that column as the user types, filters by the filter bar's entries (text looked for, or a
// comparison of a numeric cell with a number), and adds, inserts and deletes rows, saving the edited cells
// into the rows when lAutoSave is on. While filtered, aArrayData holds the kept rows (the same row arrays as
// aArrayOrg) and aArrayFilterPos their places in aArrayOrg, so that rows added or deleted reach the whole list.
// A column's cell is element nArrayCol of a row in every access. TArrayBrowse is its user class; it also shows
// the data sources' error lists. Windows only; its decisions are in model/array_rules.h.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "framework/browse/browse.h"
#include "framework/browse/brw_column.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

class XArrayBrwColumn : public TBrwColumn {
public:
    using TBrwColumn::TBrwColumn;
    static const rt::Class& classRecord();
    VP_METHODS(GetData,  // the cell of the current row; "" without one
               SetData)  // (xValue, [nRow]) -> xValue

    int64_t nArrayCol() const { return field(kArrayCol).asInteger(); }
    void setArrayCol(int64_t n) { field(kArrayCol) = rt::Value(static_cast<long long>(n)); }

private:
    static inline int kArrayCol = -1;
};

using TArrayBrwColumn = UserClass<XArrayBrwColumn, "TArrayBrwColumn">;

class XArrayBrowse : public TBrowse {
public:
    using TBrowse::TBrowse;
    static const rt::Class& classRecord();
    VP_CONSTRUCTORS(Create)
    VP_METHODS(AddCol,
               InsCol,
               SetArray,   // ([aData], [aHeaders], [lAutoOrder])
               AddRow,     // ([aRow], [lRefresh])
               InsRow,     // ([aRow], nPos, [lRefresh])
               DelRow,     // ([nRow], [lRefresh])
               Zap,
               GetRow,     // ([nRow])
               SetRow,     // (aRow, [nRow])
               GetValue,   // ([xCol], [nRow])
               SetValue,   // (xCol, xValue, [nRow]) -> the old value
               IsEof,
               IsBof,
               BookMark,
               KeyNo,
               KeyCount,
               Refresh,    // ([lReset])
               MoveTop,
               MoveBottom,
               Skip,
               AdjustColWidth,  // (oHeader, xCol)
               SetFilter,  // (nCol, [lRefresh])
               nArrayOrgAt,
               nArrayPos,
               IsFiltered,
               Sort)       // (oCol)
    VP_OVERRIDES(CancelEdit,
                 Delete)   // ([lUser])
    VP_PROTECTED(SetAutoOrder)

    static inline const EventRef OnSort{"OnSort"};

    int64_t nArrayAt() const { return field(kArrayAt).asInteger(); }
    void setArrayAt(int64_t n) { field(kArrayAt) = rt::Value(static_cast<long long>(n)); }
    rt::ArrayPtr rows() const { return field(kArrayData).asArray(); }
    int64_t arrayLen() const;  // the rows shown
    // The cell of row `row` (1-based) at element `element`; NIL outside the rows or the row.
    rt::Value cell(int64_t row, int64_t element) const;
    bool setCell(int64_t row, int64_t element, const rt::Value& value);

private:
    static inline int kArrayAt = -1, kArrayData = -1, kFilterPos = -1, kOnFilter = -1, kArrayOrg = -1;
    bool filtered() const { return field(kOnFilter).asLogical(); }
    std::vector<int64_t> filterPositions() const;
    void setFilterPositions(const std::vector<int64_t>& positions);
    void useRows(const rt::Value& data);
    void refreshIf(bool refresh);
    rt::Value newRow();
    void insertRow(const rt::Value& row, int64_t position);
    // A column given as a header text, a column object or NIL (the selected one), or an element number.
    struct Target {
        XArrayBrwColumn* column = nullptr;
        int64_t element = 0;
    };
    std::optional<Target> target(const rt::Value& xCol, bool nilIsSelected);
    void buildColumns(const rt::Value& headers, bool autoOrder);
    void checkColumns(const rt::Value& headers);
    void clearFilter();
    int64_t saveTarget(int64_t mode);
};

using TArrayBrowse = UserClass<XArrayBrowse, "TArrayBrowse">;

// SEEKONARRAY: on the first sorted column, the first row whose cell, as upper-cased text, starts with the
// upper-cased text becomes current; false when none does or no column is sorted.
bool seekOnArray(XArrayBrowse& grid, const std::string& text);

// The data sources' error list as a modal form over an array browse; registerBrowse() installs it. The seam
// runs on the built form before it is shown, so that a test can look at it and close it.
using ErrorListAutomation = std::function<void(const rt::Value& form)>;
ErrorListAutomation setErrorListAutomation(ErrorListAutomation automation);
void registerArrayBrowse();

}  // namespace vorpex
