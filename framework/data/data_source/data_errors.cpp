#include "framework/data/data_source/data_errors.h"

#include "framework/core/texts/texts.h"
#include "runtime/core/class_builder.h"
#include "runtime/core/frame.h"
#include "runtime/core/object.h"
#include "runtime/core/runtime.h"
#include "runtime/core/symbol.h"

namespace vorpex::data {

namespace {

constexpr const char* kCrLf = "\r\n";
const std::string kIndent = "     ";

bool insideDataClasses(const std::string& name) {
    const std::string up = rt::upper(name);
    for (const char* part : {"DATA", "RECORDS", "TSQL"})
        if (up.find(part) != std::string::npos) return true;
    return false;
}

void callByName(const char* name, std::vector<rt::Value> args) {
    if (const rt::Function* f = rt::findFunction(name)) (*f)(rt::Args(args.data(), args.size()));
}

std::string codeText(const rt::Value& code) { return std::to_string(code.isNumber() ? code.asInteger() : 0); }

// The error record handed to OnError: plain data members, read and written by name.
const rt::Class& errorClass() {
    static const rt::Class& c = []() -> const rt::Class& {
        rt::ClassBuilder b("TDataError", &rt::baseObjectClass(), nullptr);
        for (const char* name : {"genCode", "subCode", "osCode", "severity", "procLine", "tries"}) b.addData(name, 0);
        for (const char* name : {"subSystem", "description", "operation", "filename", "procName"}) b.addData(name, "");
        b.addData("canRetry", false);
        b.addData("canDefault", false);
        b.addData("canSubstitute", false);
        b.addData("args");
        b.addData("cargo");
        return b.create();
    }();
    return c;
}

}  // namespace

ErrorPlace errorPlace() {
    for (const rt::StackEntry& entry : rt::callStack())
        if (!insideDataClasses(entry.name)) return {entry.name, entry.line};
    return {};
}

std::string errorColumn(const std::string& setName) {
    return setName.empty() ? "[" + texts::LT(32900) + "]" : setName;
}

std::string errorTrace(const ErrorPlace& place) {
    return texts::LT(32901) + ": " + place.procedure + " " + texts::LT(32902) + ": " + std::to_string(place.line);
}

rt::Value errorRow(const std::string& setName, const std::string& text, int code, const ErrorPlace& place) {
    return rt::Value::array({rt::Value(errorColumn(setName)), rt::Value(text), rt::Value(code),
                             rt::Value(errorTrace(place))});
}

static std::string item(const rt::Value& row, size_t i) {
    const rt::Value& v = row.isArray() ? row.asArray()->at1(i) : rt::nil();
    return v.isString() ? v.asString() : std::string();
}

std::string errorMessage(const rt::Value& row) {
    const rt::Value code = row.isArray() ? row.asArray()->at1(3) : rt::Value();
    return item(row, 1) + kCrLf + kIndent + item(row, 2) + " [# " + codeText(code) + "]" + kCrLf + kIndent +
           item(row, 4);
}

std::string massErrorText(const std::vector<rt::Value>& rows) {
    std::string text;
    for (const rt::Value& row : rows) {
        if (!text.empty()) text += "\r\n\r\n";
        const rt::Value code = row.isArray() ? row.asArray()->at1(3) : rt::Value();
        text += item(row, 1) + "\r\n\r\n" + item(row, 2) + " [# " + codeText(code) + "]" + "\r\n\r\n" + item(row, 4);
    }
    return text;
}

void showOrLog(const std::string& text, bool display) {
    if (display)
        alertUser(text, kDataErrorCaption);
    else
        logDebug(text);
}

void logDebug(const std::string& text) { callByName("LOGDEBUG", {rt::Value(text)}); }

void alertUser(const std::string& text, const std::string& title) {
    callByName("MSGALERT", {rt::Value(text), rt::Value(title)});
}

rt::Error dataError(const std::string& text, int code, const std::string& operation) {
    rt::Error e;
    e.subSystem = "VORPEX";
    e.subCode = code;
    e.severity = rt::severity::Error;
    e.description = text;
    e.operation = operation;
    return e;
}

rt::Value errorObject(const rt::Error& e, const ErrorPlace& place) {
    rt::ObjectPtr o = errorClass().instantiate();
    auto set = [&](const char* name, rt::Value v) {
        const int pos = errorClass().fieldPosition(name);
        if (pos >= 0) o->field(pos) = std::move(v);
    };
    set("genCode", e.genCode);
    set("subSystem", e.subSystem);
    set("subCode", e.subCode);
    set("osCode", e.osCode);
    set("severity", e.severity);
    set("description", e.description);
    set("operation", e.operation);
    set("filename", e.filename);
    set("procName", place.procedure);
    set("procLine", place.line);
    return rt::Value(o);
}

}  // namespace vorpex::data
