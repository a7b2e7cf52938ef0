// XDBBrowse: the grid bound to one data set. Its rows are the set's records: the row-source members ask the
// set (after the program's On... events), the moves go through the set, and the set's change notices
// (DSNavigate) put the grid's marker, position and bar in step, whoever moved it. A move the grid makes
// itself (a click, the scroll thumb) tells the set's other controls but is not followed twice. Cell edits,
// appends and deletes go through the set's edit cycle; a header click sorts, the filter bar filters.
// TDBBrowse is its user class; its columns are TDBBrwColumns.
#pragma once

#include "framework/browse/browse.h"
#include "framework/browse/db_brw_column.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

class XDBBrowse : public TBrowse {
public:
    using TBrowse::TBrowse;
    static const rt::Class& classRecord();
    VP_METHODS(AddCol,          // ([oCol], [lRefresh]): a missing column is a new TDBBrwColumn
               InsCol,          // (nPos, [oCol], [lRefresh])
               MoveTop,
               MoveBottom,
               Skip,            // ([n = 1]) -> rows moved
               IsEof,
               IsBof,
               BookMark,        // ([nRecord]) -> record number
               KeyNo,           // ([nKey]) -> key position
               KeyCount,
               Goto,            // (nKeyPos, [lEvents = .T.]): the scroll thumb
               DSNavigate,      // (nOperation, p1, p2): the set's change notice
               Sort,            // (oCol): header click
               SetFilter,       // (nCol): the filter bar changed
               Seek,            // ([cText])
               Edit,            // ([x]) -> lEditing
               Append,          // ([x]) -> lAppending
               Insert,          // = Append
               AdjustColWidth,  // ([oHeader], xCol)
               FilterEdit,      // (oHeader, nItem) -> .F. for a column that cannot filter
               ResetDataField)  // the set closed: every column keeps its field's name
    VP_CONSTRUCTORS(Create)
    VP_OVERRIDES(Free,
                 WMLButtonDown,
                 CancelEdit,    // ([lCancel], [x])
                 Delete)        // ([lForce]) -> the set's result
    VP_PROTECTED(SetDataSet,    // (oSet, [lRefresh = .T.])
                 SetAutoOrder)  // (l)

    rt::Value GoUp(rt::Args args) override;
    rt::Value GoDown(rt::Args args) override;  // ([lKeyboard])
    rt::Value GoPageUp(rt::Args args) override;
    rt::Value GoPageDown(rt::Args args) override;
    rt::Value GoTop(rt::Args args) override;
    rt::Value GoBottom(rt::Args args) override;
    rt::Value GoTo(rt::Args args) override;    // = Goto

    // The bound set while it is open, else NIL.
    rt::Value openSet() const;
    rt::Value dataSet() const { return field(kDataSet); }

private:
    static inline int kDataSet = -1, kAutoOrderProp = -1, kAutoSave = -1, kOrgFilter = -1, kOnFilter = -1,
                      kKeyBoard = -1, kOnSeek = -1;
    // True while the grid moves the set itself: the set's notice then reaches only its other controls.
    bool ownMove_ = false;
    // The set's filter holds the filter bar's terms (Free takes them off again).
    bool barFiltered_ = false;
    // Runs a move command on the set, or the grid's own move when no set is open.
    rt::Value moveSet(const char* message, std::initializer_list<rt::Value> args, rt::Value (XBrowse::*own)(rt::Args),
                      rt::Args ownArgs);
    // The row-source hook's event answer, the set's or the base grid's.
    template <class SetAnswer, class Own>
    rt::Value hook(const EventRef& event, std::initializer_list<rt::Value> eventArgs, SetAnswer fromSet, Own own);
    void follow(int operation, const rt::Value& p1, const rt::Value& p2);
    void afterDelete();
    // Tells the set's controls (not this grid) that the grid moved the set.
    void tellLinked(int operation, const rt::Value& p1, bool events);
    bool autoSave() const { return field(kAutoSave).asLogical(); }
    bool setIs(const char* query) const;
    // The set's oDBBrowse is this grid.
    bool boundHere(const rt::Value& browse) const;
    void bindColumns(const rt::Value& set);
    void makeColumns(const rt::Value& set);
    void clearSortMarks();
    int64_t settleOnVisible();
};

using TDBBrowse = UserClass<XDBBrowse, "TDBBrowse">;

void registerDBBrowse();

}  // namespace vorpex
