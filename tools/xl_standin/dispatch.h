// IDispatch from a small table of members per object kind, for the stand-in's Automation objects. Names are
// matched without regard to case; any other name is journaled and answered DISP_E_UNKNOWNNAME, so that a
// client calling outside the table fails loudly. Windows only.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

namespace xl {

// The private interface id through which the stand-in finds its own C++ object behind an IDispatch argument.
extern const IID IID_StandinObject;

// Text conversions of the stand-in: its model keeps UTF-8.
std::string utf8FromWide(const wchar_t* text, size_t length);
std::wstring wideFromUtf8(std::string_view text);
// An environment switch or setting of the process ("" when unset).
std::string environment(const char* name);

class DispatchBase;

// One Invoke as the member sees it: arguments in their natural order, the value of a property write apart.
class Call {
public:
    Call(WORD flags, const DISPPARAMS* params, VARIANT* result);

    bool isWrite() const { return write_; }
    size_t count() const { return positional_; }
    // Argument i (0-based), null when absent or omitted.
    const VARIANT* arg(size_t i) const;
    const VARIANT* value() const { return write_ ? &params_->rgvarg[0] : nullptr; }
    bool longArg(size_t i, long& out) const;
    bool textArg(size_t i, std::string& out) const;
    bool boolArg(size_t i, bool& out) const;
    DispatchBase* objectArg(size_t i) const;

    // Results: the object is handed over (the caller's reference).
    void returnObject(DispatchBase* object);
    void returnVariant(const VARIANT& v);
    // A failure with the spreadsheet's own text, as DISP_E_EXCEPTION.
    HRESULT fail(std::string text);

    std::string describeArguments() const;
    std::string describeResult() const;
    const std::string& failureText() const { return failure_; }
    // What the journal adds about the call's effect ("12 lines").
    std::string note;

private:
    bool write_;
    const DISPPARAMS* params_;
    size_t positional_;
    VARIANT* result_;
    std::string failure_;
};

// What every member table entry says: the name and whether it reads, writes or is called.
enum MemberKind : unsigned { kGet = 1, kPut = 2, kMethod = 4 };

class DispatchBase : public IDispatch {
public:
    explicit DispatchBase(const char* kind);
    virtual ~DispatchBase();
    DispatchBase(const DispatchBase&) = delete;
    DispatchBase& operator=(const DispatchBase&) = delete;

    // "Range#12": the journal's name of this object.
    const std::string& label() const { return label_; }
    static long liveObjects();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT* badArgument) override;

protected:
    struct MemberInfo {
        const char* name;
        unsigned kinds;
    };
    virtual std::vector<MemberInfo> memberTable() const = 0;
    virtual HRESULT invokeMember(size_t index, Call& call) = 0;

private:
    LONG references_ = 1;
    std::string label_;
};

// An object kind's table: T lists its members as {name, kinds, &T::handler}.
template <class T>
class DispatchObject : public DispatchBase {
public:
    using DispatchBase::DispatchBase;
    struct Member {
        const char* name;
        unsigned kinds;
        HRESULT (T::*handler)(Call&);
    };

protected:
    std::vector<MemberInfo> memberTable() const override {
        std::vector<MemberInfo> table;
        for (const Member& m : T::members()) table.push_back({m.name, m.kinds});
        return table;
    }
    HRESULT invokeMember(size_t index, Call& call) override {
        return (static_cast<T*>(this)->*T::members()[index].handler)(call);
    }
};

void journal(std::string_view line);

}  // namespace xl
