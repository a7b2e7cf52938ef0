// XDataSource: one connection to stored tables. It owns the list of data sets opened through it, names the
// process new data sets join, collects the data layer's errors (shown, logged, or raised with lAbortOnErrors)
// and runs the connect / disconnect protocol. TDataSource is its user class; the DBF sources derive from it.
#pragma once

#include <string>
#include <vector>

#include "framework/core/object/component.h"
#include "framework/core/object/event.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex::data {

class XDataSource : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord();
    VP_METHODS(AddDataSet,       // (oSet)
               DelDataSet,       // (oSet, [lEnd = .T.]) -> found
               NewProcess,       // (cName)
               OpenProcess,      // ([cName]) -> every set opened
               CloseProcess,     // ([cName])
               DelProcess,       // ([cName]) -> sets ended
               GetDataSet,       // (cName, [cProcess]) -> set or NIL
               Connect,
               DisConnect,
               IsError,
               LastError,
               DelErrors,
               GetErrors,
               ShowErrorList,    // ([cTitle])
               NewError,         // (cText, [nCode], [oDataSet], [cSetName], [lNoShow])
               ShowMasiveError,  // ([oDataSet]) -> text
               GetRecords)
    VP_VIRTUALS(NewDataSet,  // (cName, [cProcess]) -> new TDataSet or NIL
                OnOpen,      // (oSet) before the set opens
                OnOpened)    // (oSet) after the table is open
    VP_HIDDEN(SetConnect)

    static inline const EventRef OnCreate{"OnCreate"}, OnConnect{"OnConnect"}, OnConnected{"OnConnected"},
        OnDisconnect{"OnDisconnect"}, OnDisconnected{"OnDisconnected"}, OnError{"OnError"};

    const std::string& cConnect() const { return field(kConnect).asString(); }
    int nTimeOut() const { return field(kTimeOut).asInt(); }
    bool lAbortOnErrors() const { return field(kAbortOnErrors).asLogical(); }
    bool lDisplayErrors() const { return field(kDisplayErrors).asLogical(); }
    bool lConnected() const { return field(kConnected).asLogical(); }
    bool lUseDictionary() const { return field(kUseDictionary).asLogical(); }
    std::vector<rt::Value>& dataSets();
    const std::vector<rt::Value>& errors() const;
    // The process name every source gives its new data sets.
    static std::string sharedProcess();
    static void setSharedProcess(const rt::Value& name);

    rt::Value New(rt::Args args) override;      // ([oParent], [cConnect]) -> Self
    rt::Value Create(rt::Args args) override;   // ([oParent], [cConnect]) -> Self
    rt::Value Destroy(rt::Args args) override;  // ([lFree]): data sets and connection first

protected:
    // The creation shared by New and Create: owner, connection text, list, OnCreate, InsertComponent.
    rt::Value createSource(rt::Args args);
    // A data set of the class named, made with (owner, Self, cName, cProcess); NIL when that class is absent.
    rt::Value makeDataSet(const char* className, const rt::Value& name);
    void setConnectedFlag(bool on) { field(kConnected) = on; }

private:
    static inline int kConnect = -1, kTimeOut = -1, kAbortOnErrors = -1, kDisplayErrors = -1, kConnected = -1,
                      kDataSets = -1, kUseDictionary = -1, kProcess = -1, kErrors = -1;
    rt::Value SetConnected(rt::Args args);
    // The sets of a process (default the shared one), in list order.
    std::vector<rt::Value> setsOf(const rt::Value& process);
    void removeDataSet(const rt::Object& set);
    // Rules 5 and 6 of an error report: show or log, then raise when aborting.
    void report(const std::string& message, const std::string& text, int code, const std::string& operation,
                const rt::Value& dataSet, bool noShow);
};

using TDataSource = UserClass<XDataSource, "TDataSource">;

}  // namespace vorpex::data
