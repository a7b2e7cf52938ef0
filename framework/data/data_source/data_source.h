// XDataSource: one connection to stored tables. It owns the list of data sets opened through it, names the
// process new data sets join, collects the data layer's errors (shown, logged, or raised with lAbortOnErrors)
// and runs the connect / disconnect protocol. TDataSource is its user class; the DBF sources derive from it.
#pragma once

#include <string>
#include <vector>

#include "framework/core/object/component.h"
#include "framework/core/object/event.h"
#include "framework/core/object/user_class.h"

namespace vorpex::data {

class XDataSource : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord();

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
    rt::Value AddDataSet(rt::Args args);        // (oSet)
    rt::Value DelDataSet(rt::Args args);        // (oSet, [lEnd = .T.]) -> found
    rt::Value NewProcess(rt::Args args);        // (cName)
    rt::Value OpenProcess(rt::Args args);       // ([cName]) -> every set opened
    rt::Value CloseProcess(rt::Args args);      // ([cName])
    rt::Value DelProcess(rt::Args args);        // ([cName]) -> sets ended
    rt::Value GetDataSet(rt::Args args);        // (cName, [cProcess]) -> set or NIL
    rt::Value Connect(rt::Args args);
    rt::Value DisConnect(rt::Args args);
    rt::Value IsError(rt::Args args);
    rt::Value LastError(rt::Args args);
    rt::Value DelErrors(rt::Args args);
    rt::Value GetErrors(rt::Args args);
    rt::Value ShowErrorList(rt::Args args);     // ([cTitle])
    rt::Value NewError(rt::Args args);          // (cText, [nCode], [oDataSet], [cSetName], [lNoShow])
    rt::Value ShowMasiveError(rt::Args args);   // ([oDataSet]) -> text
    virtual rt::Value NewDataSet(rt::Args args);  // (cName, [cProcess]) -> new TDataSet or NIL
    virtual rt::Value OnOpen(rt::Args args);    // (oSet) before the set opens
    virtual rt::Value OnOpened(rt::Args args);  // (oSet) after the table is open
    rt::Value GetRecords(rt::Args args);

protected:
    // The creation shared by New and Create: owner, connection text, list, OnCreate, InsertComponent.
    rt::Value createSource(rt::Args args);
    // A data set of the class named, made with (owner, Self, cName, cProcess); NIL when that class is absent.
    rt::Value makeDataSet(const char* className, const rt::Value& name);
    void setConnectedFlag(bool on) { field(kConnected) = on; }

private:
    static inline int kConnect = -1, kTimeOut = -1, kAbortOnErrors = -1, kDisplayErrors = -1, kConnected = -1,
                      kDataSets = -1, kUseDictionary = -1, kProcess = -1, kErrors = -1;
    rt::Value SetConnect(rt::Args args);
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
