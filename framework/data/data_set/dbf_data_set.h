// XDbfDataSet: a data set over one DBF table of the table engine, opened through a DBF data source in a work
// area of its own under an alias. Everything that touches the table runs in that area and leaves the current
// area as it was, except Open, which leaves the set's area current. The set keeps the number of its area and
// trusts it only while that area still has the set's alias. TDbfDataSet is its user class.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/core/object/user_class.h"
#include "framework/data/data_set/data_set.h"
#include "runtime/core/block.h"

namespace rt::rdd {
class WorkArea;
}

namespace vorpex::data {

class XDbfDataSet : public XDataSet {
public:
    using XDataSet::XDataSet;
    static const rt::Class& classRecord();
    bool wantsDbfSource() const override { return true; }

    int area() const;  // 0 while closed
    const std::string& cAlias() const { return field(kAlias).asString(); }

    rt::Value Open(rt::Args args) override;   // ([lEvents = .T.]) -> opened
    rt::Value Close(rt::Args args) override;  // ([lEvents = .T.]) -> .T.
    rt::Value FieldGet(rt::Args args) override;
    rt::Value Load(rt::Args args) override;
    rt::Value GoTop(rt::Args args);           // ([lNotify])
    rt::Value GoBottom(rt::Args args);        // ([lNotify])
    rt::Value GoTo(rt::Args args);            // (nRec, [lNotify])
    rt::Value KeyGoto(rt::Args args);         // (nKeyNo, [lNotify]) -> the engine's answer
    rt::Value Skip(rt::Args args);            // ([n = 1], [lNotify])
    rt::Value nSkip(rt::Args args);           // ([n = 1], [lNotify]) -> rows actually moved
    rt::Value Locate(rt::Args args);          // (cFor, [lRest], [lNotify]) -> found
    rt::Value Continue(rt::Args args);        // () -> found
    rt::Value Bof(rt::Args args);
    rt::Value Eof(rt::Args args);
    rt::Value Recno(rt::Args args);
    rt::Value RecCount(rt::Args args);
    rt::Value Deleted(rt::Args args);
    rt::Value Found(rt::Args args);
    rt::Value Commit(rt::Args args);
    rt::Value Select(rt::Args args);          // makes the set's area current -> area number
    rt::Value Struct(rt::Args args);          // {{name, type, len, dec}, ...}
    rt::Value Alias(rt::Args args);
    rt::Value Area(rt::Args args);
    rt::Value Blank(rt::Args args) override;
    rt::Value KeyCount(rt::Args args);        // ([lExact = lKeyExact]) (dbf_positions.cpp, with the five below)
    rt::Value KeyNo(rt::Args args);           // ([lExact = lKeyExact])
    rt::Value SaveState(rt::Args args);       // ([lMute])
    rt::Value RestoreState(rt::Args args);    // ([lUpdLinked])
    rt::Value ReleaseState(rt::Args args);    // ([lUpdLinked])
    rt::Value SaveToArray(rt::Args args);     // ([aNames], [bFor], [bWhile]) -> rows
    rt::Value Clone(rt::Args args);
    rt::Value ForceAlias(rt::Args args);      // (cAlias) while closed
    rt::Value DefIdxFile(rt::Args args);
    rt::Value SetPassword(rt::Args args);     // ([cPassword])
    rt::Value AddIdxFile(rt::Args args);      // (cFile) -> added to the open area's order list

    // Filters, orders, seeks, scopes, relations, pack/zap/reindex (dbf_orders.cpp).
    rt::Value Filter(rt::Args args);          // (cExpr, [lGoTop = .T.], [lNotify], [lKeepBrowse]) -> previous
    rt::Value SetFilter(rt::Args args);       // (cExpr, [lGoTop], [lNotify])
    rt::Value ClearFilter(rt::Args args);     // ([lGoTop], [lNotify])
    rt::Value GetFilterExp(rt::Args args);    // (oBrowse) -> the filter bar's condition
    rt::Value Sort(rt::Args args);            // (cExpr, [lGoTop = .T.], [lDescend], [cFor], [oProgress]) -> made
    rt::Value AddTag(rt::Args args);          // (cTag, cKey, [cFor], [cBag], [oProgress], [lTemporary], [lUnique])
    rt::Value DelTag(rt::Args args);          // (xTag, [cBag])
    rt::Value AddTempTag(rt::Args args);      // (cTag, cKey, [cFor], [oProgress])
    rt::Value DelTempTag(rt::Args args);      // (cTag)
    rt::Value GetTags(rt::Args args);         // ([lHideTemp = .T.], [lCapitalize = .T.])
    rt::Value OrdSetFocus(rt::Args args);     // ([xOrder], [cBag], [lError = .T.], [lNotify], [lKeepBrowse])
    rt::Value Seek(rt::Args args);            // (xKey, [lSoft], [lLast], [lError], [lForced]) -> found
    rt::Value ForcedSeek(rt::Args args);      // (xKey)
    rt::Value CompleteSeek(rt::Args args);    // (xKey, [lSoft], [lLast], [lError])
    rt::Value SetScope(rt::Args args);        // (xTop, [xBottom = xTop], [lGoTop = .T.], [lNotify])
    rt::Value GetScope(rt::Args args);        // ([xOrder]) -> {top, bottom} or {}
    rt::Value ClearScope(rt::Args args);      // ([lNotify]) -> the old {top, bottom}
    rt::Value SetRelation(rt::Args args);     // (oChild, cExpr, [lAdditive = .T.])
    rt::Value ClearRelations(rt::Args args);
    rt::Value Pack(rt::Args args);            // ([lError = .T.], [lNotify]) -> done
    rt::Value Zap(rt::Args args);             // ([lError = .T.], [lNotify]) -> done
    rt::Value Reindex(rt::Args args);         // ([lError = .T.], [oProgress], [lNotify]) -> done

    // The edit cycle (dbf_editing.cpp).
    rt::Value AddNew(rt::Args args);          // ([lBlank = .T.])
    rt::Value Edit(rt::Args args);            // ([lLock = .F.])
    rt::Value Update(rt::Args args);          // ([lEvents = .T.])
    rt::Value Cancel(rt::Args args);
    rt::Value Save(rt::Args args);            // ([lAll = .F.], [lUnlock = .T.], [lEvents = .T.])
    rt::Value FieldPut(rt::Args args);        // (n, xValue, [lKeepControls]) -> the value, NIL when refused
    rt::Value Delete(rt::Args args);          // ([nRecord], [lEvents = .T.])
    rt::Value Recall(rt::Args args);          // reuses the first deleted record -> found
    rt::Value Append(rt::Args args);          // ([nTimeOut], [lReleaseLocks = .T.], [lEvents = .T.])
    rt::Value FastAddNew(rt::Args args);
    rt::Value FastEdit(rt::Args args);
    rt::Value FastUpdate(rt::Args args);
    rt::Value FastCancel(rt::Args args);
    rt::Value FastDelete(rt::Args args);
    rt::Value CanEdit(rt::Args args);
    rt::Value CanBrowse(rt::Args args);
    // Locks (dbf_editing.cpp).
    rt::Value RecLock(rt::Args args);         // ([nRecord], [nTimeOut])
    rt::Value RecUnLock(rt::Args args);       // ([nRecord])
    rt::Value FilLock(rt::Args args);         // ([nTimeOut])
    rt::Value FilUnlock(rt::Args args);
    rt::Value IsRecordLocked(rt::Args args);

protected:
    bool readOnly() const override { return field(kReadOnlyProp).asLogical(); }
    rt::Value SetName(rt::Args args) override;

private:
    static inline int kAlias = -1, kShared = -1, kNew = -1, kReadOnlyProp = -1, kAliasWithNum = -1, kFldEdit = -1,
                      kReUseDel = -1, kKeyExact = -1, kIdxFiles = -1, kPassword = -1, kRelations = -1,
                      kFileName = -1, kScopes = -1, kSortFile = -1, kAreaNumber = -1;
    bool exactKeys(const rt::Value& given) const;
    // An index file's name: in the source's folder when it names none, as the table's is.
    std::string indexFile(const std::string& name) const;
    void openIndexesAndRelations();
    int64_t recno();
    rt::Value& editBuffer() { return field(kFldEdit); }
    // The waiting loop of a lock or an append with its alert texts; false after the time-out.
    bool waitWithAlerts(const rt::Value& timeOut, const std::function<bool()>& attempt, int alertText,
                        int titleText);
    bool lockRecord(int64_t recno, const rt::Value& timeOut);
    void unlockRecord(int64_t recno);
    bool holdsLock(int64_t recno);
    // Writes one value to the table's field n on the current record; false (logged and reported) when refused.
    bool writeField(int n, const rt::Value& value);
    // writeField under the record's lock, taken for the write when the set does not hold it.
    bool writeLocked(int n, const rt::Value& value);
    // Logs and reports a refused value with the field's name and type.
    void refuseWrite(int n, const rt::Value& value, const std::string& why);
    bool deleteLocked(int64_t recno);
    bool blankAndDelete(int64_t recno);
    // Save's parts: the controls' values into the buffer and the veto; then the writes under the lock.
    bool prepareSave(bool events);
    bool writeBuffer(bool all, bool unlock, bool events);
    rt::Value bufferAt(size_t n);                 // aFldEdit item n, NIL when there is none
    std::vector<int> fieldsToWrite(bool all);     // the modified table fields (or all), by number
    bool bufferFits(const std::vector<int>& numbers);
    // Undoes an append whose record could not be filled: blanked, deleted and unlocked.
    void dropAppended(int64_t recno);
    // Ends an edit that could not be posted: releases the lock it holds, then Cancel.
    rt::Value abandon();
    // The table file the set opens: the name placed in the source's folder, or the program's.
    std::string tableFile() const;
    rt::Value inArea(const std::function<rt::Value()>& body) const;
    int64_t skipRows(int64_t n);
    void makeFields();
    // Sorting and seeking (dbf_orders.cpp).
    std::string tempBag() const;
    std::string sortTagFor(const std::string& expression);
    void makeSortFile();
    bool buildSortTag(const std::string& tag, const std::string& expression, rt::Args sortArgs);
    void dropSortTags();
    static void liftFilterAndScope(rt::rdd::WorkArea& a, rt::BlockPtr& condition, rt::Value& top, rt::Value& bottom);
    static void putBackFilterAndScope(rt::rdd::WorkArea& a, const rt::BlockPtr& condition, const std::string& filter,
                                      const rt::Value& top, const rt::Value& bottom);
    std::vector<rt::Value>& scopeRows();
    // Runs a whole-table operation on the table opened exclusively (re-opening a shared set around it).
    bool maintain(const std::function<bool(rt::rdd::WorkArea&, const rt::Value&)>& operation,
                  const rt::Value& raiseErrors, const rt::Value& progress, const rt::Value& notify);
};

using TDbfDataSet = UserClass<XDbfDataSet, "TDbfDataSet">;

// VALIDALIAS(cName, [lWithNum]): an alias no work area uses, built from the name's letters, digits and
// underscores; "" when none of the tried aliases is free.
std::string validAlias(const std::string& name, bool withNumber);

}  // namespace vorpex::data
