// XDataSet: what every data set has — its source and name, the field objects with the word list that finds
// them by name, the loaded record, the linked data-aware controls and the change notifications that keep them
// in step. Moving and reading the table are left to the subclass (XDbfDataSet). TDataSet is its user class.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "framework/core/object/component.h"
#include "framework/core/object/event.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"
#include "runtime/core/symbol.h"

namespace vorpex::data {

class XDataSet : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord();
    VP_METHODS(FieldGetByName,       // (cName)
               FieldPos,             // (cName) -> n, 0 for none (or a user field)
               FieldExist,
               oFieldByName,         // (cName) -> field object or NIL
               FieldNames,
               FieldCount,
               AddField,             // (cName) -> the new TDataField
               GetRecord,            // -> TExStruct with one member per field
               AddUserVar,           // (cName, xValue) -> field whose value lives in it
               AddCalcField,         // (cName, bGetValue) -> read-only computed field
               SetUserFields,        // (aList)
               FieldName,            // (n) and the five below: the field object's member
               FieldDisplayName,
               FieldType,
               FieldSQLType,
               FieldLen,
               FieldDec,
               Modified,             // any field modified
               lOnEdit,              // editing a record
               lOnAppend,            // appending
               IsReadOnly,
               DelTempControls,      // drops linked controls whose window is gone
               UpdDataControlValue,  // (n, xValue): the first control bound to field n shows it
               InitFrom,             // (oOtherSet): same-named fields take the other's values
               SaveFrom,             // (oSet or an object answering Len, GetName(i), GetValue(i))
               UpdateControls,       // ([nOperation], [p1], [p2]) after a move
               AddLinkedControl,
               DelLinkedControl,
               Refresh,              // ([lFull])
               RefreshCurrent,
               NewError,             // (cText, [nCode])
               DelError)
    VP_VIRTUALS(Open,      // nothing to open in the base class
                Close,
                FieldGet,  // (n, [lBuffer])
                Load,
                Blank)     // every field's Blank() into aRecord
    VP_PROTECTED(ChangePos,      // (nOperation, xParam) before a move
                 SetDataSource)  // (oSource, [lCheck])

    static inline const EventRef OnCreate{"OnCreate"}, OnPreChange{"OnPreChange"}, OnPostChange{"OnPostChange"},
        OnOpen{"OnOpen"}, OnPostOpen{"OnPostOpen"}, OnClose{"OnClose"}, OnPostClose{"OnPostClose"},
        OnPreDelete{"OnPreDelete"}, OnPostDelete{"OnPostDelete"}, OnPreSave{"OnPreSave"}, OnPostSave{"OnPostSave"},
        OnAddNew{"OnAddNew"}, OnEdit{"OnEdit"}, OnUpdate{"OnUpdate"}, OnCancel{"OnCancel"},
        OnPreAppend{"OnPreAppend"}, OnPostAppend{"OnPostAppend"};

    // Change codes handed to ChangePos / UpdateControls.
    enum Operation { kGoTop = 0, kGoBottom = 1, kGoTo = 2, kKeyGoto = 3, kSkip = 4, kSeek = 5, kLocate = 6,
                     kContinue = 7, kAppended = 8, kDeleted = 9, kPosted = 10, kWholeSet = 11, kRefresh = 12,
                     kRefreshFull = 13, kRefreshCurrent = 14 };

    bool lOpen() const { return field(kOpen).asLogical(); }
    bool lUpdLinked() const { return field(kUpdLinked).asLogical(); }
    std::string cName() const;
    rt::Value oDataSource() const { return field(kDataSource); }
    std::vector<rt::Value>& fields();
    std::vector<rt::Value>& linkedControls();
    std::vector<rt::Value>& userFields();

    rt::Value Create(rt::Args args) override;   // ([oOwner], [oDataSource], [cName], [cProcess]) -> Self
    rt::Value Destroy(rt::Args args) override;  // ([lFlag])

    // A message that names a field (field_messages.cpp): the class's unknown-message handler.
    rt::Value fieldMessage(rt::Symbol message, rt::Args args);

    // The field object at position n (1-based) of aFields; nullptr when there is none.
    rt::ObjectPtr fieldAt(int n);
    // The word-list number of a name: n for aFields, -n for aUserFields, 0 when unknown.
    int64_t fieldNumber(const rt::Value& name) const;

protected:
    std::vector<rt::Value>& listAt(int position);
    int nEditRecord() const { return field(kEditRecord).asInt(); }
    void setEditRecord(int64_t n) { field(kEditRecord) = rt::Value(n); }
    void setUpdLinked(bool on) { field(kUpdLinked) = on; }
    std::vector<rt::Value>& savedStates() { return listAt(kState); }
    // The runtime's "Message not found" error (sub-code 1004 reading, 1005 writing); answers its default.
    rt::Value messageNotFound(const std::string& message, rt::Args args, int subCode);
    bool lFast() const { return field(kFast).asLogical(); }
    void setFast(bool on) { field(kFast) = on; }
    bool lOnUpdate() const { return field(kOnUpdate).asLogical(); }
    void setOnUpdate(bool on) { field(kOnUpdate) = on; }
    virtual bool readOnly() const { return field(kReadOnly).asLogical(); }
    // Whether the set reads tables itself and so needs a DBF source (and the base class must not have one).
    virtual bool wantsDbfSource() const { return false; }
    // Sends the message to every linked control that understands it, over a copy of the list.
    void tellControls(const char* message, std::initializer_list<rt::Value> args = {});
    // Reports a framework text through NewError.
    void reportText(int textId, const std::string& suffix = {});
    void setOpenFlag(bool on) { field(kOpen) = on; }
    rt::Value& aRecord() { return field(kRecord); }
    // Runs the move with the notifications around it when `notify` (default lUpdLinked).
    void notified(int operation, const rt::Value& notify, const rt::Value& before, const std::function<void()>& move,
                  const std::function<std::vector<rt::Value>()>& after);
    // lOpen pending before creation: true while the object is not created yet.
    bool openPending() const { return field(kOpenPending).asLogical(); }
    void setOpenPending(bool on) { field(kOpenPending) = on; }
    virtual rt::Value SetName(rt::Args args);

private:
    static inline int kName = -1, kDataSource = -1, kProcess = -1, kDisplayErrors = -1, kOpen = -1, kFields = -1,
                      kUserFields = -1, kLinked = -1, kLastError = -1, kLastErrorNo = -1, kReadOnly = -1,
                      kUpdLinked = -1, kRecord = -1, kAbortOnErrors = -1, kEditRecord = -1, kFieldsList = -1,
                      kOpenPending = -1, kFast = -1, kOnUpdate = -1, kDBBrowse = -1, kState = -1;
    // The bound browse, when it has a window.
    rt::Value browseWithWindow();
    rt::Value SetOpen(rt::Args args);
    bool sourceKindFits(const rt::Value& source) const;
    rt::Value refuseSource(const rt::Value& source);
    rt::Value SetUserFieldsList(rt::Args args);
    rt::Value fieldMember(rt::Args args, const char* member);
    rt::Value addUserField(const rt::Value& name);
};

using TDataSet = UserClass<XDataSet, "TDataSet">;

}  // namespace vorpex::data
