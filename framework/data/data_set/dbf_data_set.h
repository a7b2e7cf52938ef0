// XDbfDataSet: a data set over one DBF table of the table engine, opened through a DBF data source in a work
// area of its own under an alias. Everything that touches the table runs in that area and leaves the current
// area as it was, except Open, which leaves the set's area current. The set keeps the number of its area and
// trusts it only while that area still has the set's alias. TDbfDataSet is its user class.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/core/object/members.h"
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
    VP_METHODS(GoTop,           // ([lNotify])
               GoBottom,        // ([lNotify])
               GoTo,            // (nRec, [lNotify])
               KeyGoto,         // (nKeyNo, [lNotify]) -> the engine's answer
               Skip,            // ([n = 1], [lNotify])
               nSkip,           // ([n = 1], [lNotify]) -> rows actually moved
               Locate,          // (cFor, [lRest], [lNotify]) -> found
               Continue,        // () -> found
               Bof,
               Eof,
               Recno,
               RecCount,
               Deleted,
               Found,
               Commit,
               Select,          // makes the set's area current -> area number
               Struct,          // {{name, type, len, dec}, ...}
               Alias,
               Area,
               // The edit cycle (dbf_editing.cpp).
               AddNew,          // ([lBlank = .T.])
               Edit,            // ([lLock = .F.])
               Update,          // ([lEvents = .T.])
               Cancel,
               Save,            // ([lAll = .F.], [lUnlock = .T.], [lEvents = .T.])
               FieldPut,        // (n, xValue, [lKeepControls]) -> the value, NIL when refused
               Delete,          // ([nRecord], [lEvents = .T.])
               Recall,          // reuses the first deleted record -> found
               Append,          // ([nTimeOut], [lReleaseLocks = .T.], [lEvents = .T.])
               FastAddNew,
               FastEdit,
               FastUpdate,
               FastCancel,
               FastDelete,
               CanEdit,
               CanBrowse,
               // Locks (dbf_editing.cpp).
               RecLock,         // ([nRecord], [nTimeOut])
               RecUnLock,       // ([nRecord])
               FilLock,         // ([nTimeOut])
               FilUnlock,
               IsRecordLocked,
               KeyCount,        // ([lExact = lKeyExact]) (dbf_positions.cpp, with the five below)
               KeyNo,           // ([lExact = lKeyExact])
               SaveState,       // ([lMute])
               RestoreState,    // ([lUpdLinked])
               ReleaseState,    // ([lUpdLinked])
               SaveToArray,     // ([aNames], [bFor], [bWhile]) -> rows
               Clone,
               ForceAlias,      // (cAlias) while closed
               DefIdxFile,
               SetPassword,     // ([cPassword])
               AddIdxFile,      // (cFile) -> added to the open area's order list
               // Filters, orders, seeks, scopes, relations, pack/zap/reindex (dbf_orders.cpp).
               Filter,          // (cExpr, [lGoTop = .T.], [lNotify], [lKeepBrowse]) -> previous
               SetFilter,       // (cExpr, [lGoTop], [lNotify])
               ClearFilter,     // ([lGoTop], [lNotify])
               GetFilterExp,    // (oBrowse) -> the filter bar's condition
               Sort,            // (cExpr, [lGoTop = .T.], [lDescend], [cFor], [oProgress]) -> made
               AddTag,          // (cTag, cKey, [cFor], [cBag], [oProgress], [lTemporary], [lUnique])
               DelTag,          // (xTag, [cBag])
               AddTempTag,      // (cTag, cKey, [cFor], [oProgress])
               DelTempTag,      // (cTag)
               GetTags,         // ([lHideTemp = .T.], [lCapitalize = .T.])
               OrdSetFocus,     // ([xOrder], [cBag], [lError = .T.], [lNotify], [lKeepBrowse])
               Seek,            // (xKey, [lSoft], [lLast], [lError], [lForced]) -> found
               ForcedSeek,      // (xKey)
               CompleteSeek,    // (xKey, [lSoft], [lLast], [lError])
               SetScope,        // (xTop, [xBottom = xTop], [lGoTop = .T.], [lNotify])
               GetScope,        // ([xOrder]) -> {top, bottom} or {}
               ClearScope,      // ([lNotify]) -> the old {top, bottom}
               SetRelation,     // (oChild, cExpr, [lAdditive = .T.])
               ClearRelations,
               Pack,            // ([lError = .T.], [lNotify]) -> done
               Zap,             // ([lError = .T.], [lNotify]) -> done
               Reindex)         // ([lError = .T.], [oProgress], [lNotify]) -> done
    bool wantsDbfSource() const override { return true; }

    int area() const;  // 0 while closed
    const std::string& cAlias() const { return field(kAlias).asString(); }

    rt::Value Open(rt::Args args) override;   // ([lEvents = .T.]) -> opened
    rt::Value Close(rt::Args args) override;  // ([lEvents = .T.]) -> .T.
    rt::Value FieldGet(rt::Args args) override;
    rt::Value Load(rt::Args args) override;
    rt::Value Blank(rt::Args args) override;

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
