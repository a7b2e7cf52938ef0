#include "framework/data/data_source/dbf_data_source.h"

#include <cmath>

#include "framework/core/file_name/file_unique.h"
#include "framework/core/native/value_readers.h"
#include "framework/core/object/optional_send.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "runtime/rdd/commands.h"
#include "runtime/rdd/driver_settings.h"
#include "runtime/rdd/work_areas.h"

namespace vorpex::data {

namespace rddi = rt::rdd::rddi;

namespace {

using native::textOf;

bool sameSetting(const rt::Value& a, const rt::Value& b) {
    if (a.isLogical() && b.isLogical()) return a.asLogical() == b.asLogical();
    if (a.isNumber() && b.isNumber()) return a.asDouble() == b.asDouble();
    return false;
}

// A fresh name for a table nobody named: the system's temporary file when the Windows services are there.
std::string temporaryTableName() {
    if (const rt::Function* temp = rt::findFunction("GETTEMPFILENAME")) {
        const rt::Value name = (*temp)({});
        if (name.isString() && !name.asString().empty()) return name.asString();
    }
    return dialogs::fileUnique({}, {}, {});
}

}  // namespace

double memoTypeValue(int type, int version) {
    if (type != 2) return type;
    return std::round((type + version / 10.0) * 10.0) / 10.0;
}

int memoVersionOf(double memoType) {
    // 2.3 - 2 is 0.2999..., so the digit is rounded, not cut.
    return static_cast<int>(std::lround((memoType - std::trunc(memoType)) * 10.0)) % 10;
}

const rt::Class& XDbfDataSource::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XDbfDataSource;
        VPClass b("XDbfDataSource", &TDataSource::classRecord(), rt::factoryOf<XDbfDataSource>());
        kDriver = b.addProperty({.name = "cDriver", .initial = rt::rdd::rddSetDefault(), .type = "C",
                                 .scope = Published});
        b.addProperty({.name = "cConnect", .initial = "."});
        kPassword = b.addProperty({.name = "cPassword", .initial = "", .type = "C", .scope = Published});
        b.addProperty({.name = "nTimeOut", .initial = 5});
        kOptimize = b.addProperty({.name = "lOptimize", .initial = true, .type = "L", .scope = Published,
                                   .setter = &X::SetOptimize});
        kLockScheme = b.addProperty({.name = "nLockScheme", .initial = dlDEFAULT, .type = "N", .scope = Published,
                                     .setter = &X::SetLockScheme,
                                     .choices = choiceList({{"dlDEFAULT", dlDEFAULT}, {"dlCLIP", dlCLIP},
                                                            {"dlCL53", dlCL53}, {"dlVFP", dlVFP},
                                                            {"dlCL53EXT", dlCL53EXT}, {"dlXHB64", dlXHB64}})});
        kMemoType = b.addProperty({.name = "nMemoType", .initial = 1, .type = "N", .scope = Published,
                                   .setter = &X::SetMemoType,
                                   .choices = choiceList({{"dmDBT", dmDBT}, {"dmSMT", dmSMT},
                                                          {"dmFPT_FP", rt::Value::number(dmFPT_FP, 3, 1)},
                                                          {"dmFPT_SIX", rt::Value::number(dmFPT_SIX, 3, 1)},
                                                          {"dmFPT_FLEX", rt::Value::number(dmFPT_FLEX, 3, 1)}})});
        kMemoSize = b.addProperty({.name = "nMemoSize", .initial = 512, .type = "N", .scope = Published,
                                   .setter = &X::SetMemoSize});
        b.addProperty({.name = "lConnected", .initial = true});
        for (const char* event : {"OnConnect", "OnConnected", "OnDisconnect", "OnDisconnected"})
            b.addEvent(event, Published, "oSender");
        addMembers<XDbfDataSource>(b);
        b.addMethod("DefDataExtension", [](rt::Object&, const rt::Method&, rt::Args) { return rt::Value("Dbf"); });
        b.addMethod("DefIdxExtension", [](rt::Object&, const rt::Method&, rt::Args) { return rt::Value("Ntx"); });
        b.addMethod("DefMemoExtension", [](rt::Object&, const rt::Method&, rt::Args) { return rt::Value("Dbt"); });
        b.addMethod("GetRecords", [](rt::Object&, const rt::Method&, rt::Args) { return rt::Value(); });
        return b.create();
    }();
    return c;
}

const rt::Class& XNtxDataSource::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XNtxDataSource", &TDbfDataSource::classRecord(), rt::factoryOf<XNtxDataSource>());
        b.addProperty({.name = "cDriver", .initial = "DBFNTX", .scope = Published, .readOnly = true});
        b.addMethod("DefIdxExtension", [](rt::Object&, const rt::Method&, rt::Args) { return rt::Value("Ntx"); });
        return b.create();
    }();
    return c;
}

// ---- creation

void XDbfDataSource::readSettings() {
    const rt::Value none;
    const std::string& driver = cDriver();
    field(kOptimize) = rt::rdd::rddInfo(rddi::Optimize, none, driver);
    field(kLockScheme) = rt::rdd::rddInfo(rddi::LockScheme, none, driver);
    const int type = rt::rdd::rddInfo(rddi::MemoType, none, driver).asInt();
    const int version = rt::rdd::rddInfo(rddi::MemoVersion, none, driver).asInt();
    field(kMemoType) = type == 2 ? rt::Value::number(memoTypeValue(type, version), 3, 1) : rt::Value(type);
    field(kMemoSize) = rt::rdd::rddInfo(rddi::MemoBlockSize, none, driver);
}

rt::Value XDbfDataSource::New(rt::Args args) {
    readSettings();
    return XDataSource::New(args);
}

rt::Value XDbfDataSource::Create(rt::Args args) {
    readSettings();
    return XDataSource::Create(args);
}

rt::Value XDbfDataSource::NewDataSet(rt::Args args) {
    const rt::Value& name = rt::arg(args, 0);
    if (textOf(name).empty()) return {};
    setSharedProcess(rt::arg(args, 1));
    return makeDataSet("TDbfDataSet", name);
}

// ---- tables

rt::Value XDbfDataSource::CommitAll(rt::Args) {
    rt::rdd::WorkAreas::instance().commitAll();
    return {};
}

rt::Value XDbfDataSource::CreateTable(rt::Args args) {
    const rt::Value& structure = rt::arg(args, 0);
    const std::string file = textOf(rt::arg(args, 1)).empty() ? temporaryTableName() : textOf(rt::arg(args, 1));
    const rt::Function* create = rt::findFunction("DBCREATE");
    if (!create) return {};
    const rt::Value call[] = {rt::Value(file), structure, rt::Value(cDriver())};
    (*create)(rt::Args(call, 3));
    // The engine adds ".dbf" to a bare name: look for the file it wrote.
    const std::string written = rt::rdd::WorkAreas::withExtension(file);
    if (!rt::rdd::fileExistsCmd(written)) return {};
    const rt::Value name(written);
    return rt::send(*this, rt::Symbol::intern("NewDataSet"), rt::Args(&name, 1));
}

rt::Value XDbfDataSource::DelTable(rt::Args args) {
    const std::string file = textOf(rt::arg(args, 0));
    return rt::Value(!file.empty() && rt::rdd::fileErase(file) == 0);
}

// ---- engine settings

rt::Value XDbfDataSource::applySetting(int fieldPos, int code, const rt::Value& value, bool logical) {
    const rt::Value wanted = value.isNil() ? field(fieldPos) : value;
    if (logical ? !wanted.isLogical() : !wanted.isNumber()) return field(fieldPos);
    if (sameSetting(wanted, field(fieldPos))) return field(fieldPos);
    rt::rdd::rddInfo(code, logical ? wanted : rt::Value(wanted.asInt()), cDriver());
    field(fieldPos) = wanted;
    return field(fieldPos);
}

rt::Value XDbfDataSource::SetOptimize(rt::Args args) {
    return applySetting(kOptimize, rddi::Optimize, rt::arg(args, 0), true);
}

rt::Value XDbfDataSource::SetLockScheme(rt::Args args) {
    return applySetting(kLockScheme, rddi::LockScheme, rt::arg(args, 0), false);
}

rt::Value XDbfDataSource::SetMemoSize(rt::Args args) {
    return applySetting(kMemoSize, rddi::MemoBlockSize, rt::arg(args, 0), false);
}

rt::Value XDbfDataSource::SetMemoType(rt::Args args) {
    const rt::Value wanted = rt::arg(args, 0).isNil() ? field(kMemoType) : rt::arg(args, 0);
    if (!wanted.isNumber() || sameSetting(wanted, field(kMemoType))) return field(kMemoType);
    const double x = wanted.asDouble();
    rt::rdd::rddInfo(rddi::MemoType, rt::Value(static_cast<int>(std::trunc(x))), cDriver());
    if (const int version = memoVersionOf(x); version > 0)
        rt::rdd::rddInfo(rddi::MemoVersion, rt::Value(version), cDriver());
    field(kMemoType) = wanted;
    return field(kMemoType);
}

// ---- hooks of the data set's Open

rt::Value XDbfDataSource::OnOpen(rt::Args args) {
    for (const char* setter : {"SetOptimize", "SetLockScheme", "SetMemoType", "SetMemoSize"}) rt::send(*this, setter);
    XDataSource::OnOpen(args);
    return {};
}

rt::Value XDbfDataSource::OnOpened(rt::Args args) {
    const rt::Value& set = rt::arg(args, 0);
    if (!textOf(sendIfUnderstood(set, "cPassword")).empty())
        sendIfUnderstood(set, "SetPassword");
    else if (!cPassword().empty())
        sendIfUnderstood(set, "SetPassword", {rt::Value(cPassword())});
    return XDataSource::OnOpened(args);
}

}  // namespace vorpex::data
