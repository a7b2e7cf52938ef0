// A spreadsheet program and a clipboard as runtime objects answering by name, as the OLE client's objects do:
// every property write and method call is written to `calls` as a path from the application
// ("Sheet.Cells(1, 2).Value := \"x\"", "Sheet.Paste(Sheet.Range(\"A6\")) <- 3 rows"); reads answer new objects
// silently. A member named in `failing` raises an OLE error with the spreadsheet's own kind of text. Paste reads
// the fake clipboard and fails on an empty one, as the real program does.
#pragma once

#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "framework/print/report/xls_text.h"
#include "runtime/core/class.h"
#include "runtime/core/class_builder.h"
#include "runtime/core/error.h"
#include "runtime/core/object.h"
#include "runtime/lib/display.h"

namespace vorpex::report::testing {

struct FakeSpreadsheet {
    std::vector<std::string> calls;
    // The text of each paste, in order.
    std::vector<std::string> pasted;
    std::set<std::string> failing;
    std::string clipboard;
    bool clipboardRefuses = false;

    // A data set of `dataRows` records answering Eof and Skip; its other messages are recorded.
    size_t dataRows = 0, dataPos = 0;

    rt::Value application() { return object("App"); }
    rt::Value dataSet() { return object("DataSet"); }
    rt::Value clipboardObject() { return object("Clipboard"); }
    // The calls that contain `part`, in order.
    std::vector<std::string> callsWith(const std::string& part) const {
        std::vector<std::string> found;
        for (const std::string& c : calls)
            if (c.find(part) != std::string::npos) found.push_back(c);
        return found;
    }

    rt::Value object(std::string path);
};

namespace detail {

inline std::string describe(const rt::Value& v);

// Messages arrive as their symbols spell them; the journal spells the members as the spreadsheet does.
inline std::string spelled(const std::string& name) {
    static const char* const members[] = {"Workbooks", "Add", "Worksheets", "Columns", "ColumnWidth", "Font",
                                          "Bold", "Size", "Cells", "Value", "HorizontalAlignment", "Range",
                                          "Merge", "Interior", "Color", "NumberFormat", "Paste", "AutoFit",
                                          "SaveAs", "Close", "Visible", "Empty", "SetText", "End", "Eof",
                                          "Skip", "GoTop", "SaveState", "RestoreState"};
    for (const char* m : members)
        if (name.size() == std::string_view(m).size() &&
            std::equal(name.begin(), name.end(), m, [](char a, char b) { return toupper(a) == toupper(b); }))
            return m;
    return name;
}

class FakeObject : public rt::Object {
public:
    explicit FakeObject(const rt::Class& cls) : Object(cls) {}
    static const rt::Class& classRecord() {
        static const rt::Class& c = []() -> const rt::Class& {
            rt::ClassBuilder b("FAKEAUTOMATION", &rt::baseObjectClass(), rt::factoryOf<FakeObject>());
            rt::Class& record = b.create();
            record.setUnknownMessageHandler([](rt::Object& self, rt::Symbol message, rt::Args args) {
                return static_cast<FakeObject&>(self).receive(message.name(), args);
            });
            return record;
        }();
        return c;
    }

    FakeSpreadsheet* world = nullptr;
    std::string path;

private:
    static std::string arguments(rt::Args args) {
        std::string text;
        for (size_t i = 0; i < args.size(); ++i) text += (i ? ", " : "") + describe(args[i]);
        return text;
    }
    static bool named(const std::string& name, const char* member) {
        return name.size() == std::string_view(member).size() &&
               std::equal(name.begin(), name.end(), member, [](char a, char b) { return toupper(a) == toupper(b); });
    }
    rt::Value fail(const std::string& member, rt::Args args) {
        rt::Error e;
        e.genCode = rt::eg::Arg;
        e.subSystem = "OLE";
        e.description = member + " method of " + path + " failed";
        e.operation = member;
        e.args = rt::Value::array(std::vector<rt::Value>(args.begin(), args.end()));
        rt::raise(e);
        return {};
    }
    rt::Value receive(std::string name, rt::Args args) {
        const bool write = name.size() > 1 && name[0] == '_' && !args.empty();
        const std::string member = spelled(write ? name.substr(1) : name);
        for (const std::string& f : world->failing)
            if (named(member, f.c_str())) return fail(member, args);
        if (write) {
            world->calls.push_back(path + "." + member + " := " + describe(args.back()));
            return {};
        }
        if (path == "Clipboard") return clipboard(member, args);
        if (path == "DataSet") return dataSet(member, args);
        std::string call = member + "(" + arguments(args) + ")";
        if (named(member, "Paste")) return paste(call);
        const bool method = named(member, "Add") || named(member, "Merge") || named(member, "AutoFit") ||
                            named(member, "SaveAs") || named(member, "Close");
        if (method) world->calls.push_back(path + "." + call);
        if (named(member, "Add")) return world->object("Book");
        if (named(member, "Worksheets")) return world->object("Sheet");
        return world->object(path + "." + (args.empty() ? member : call));
    }
    rt::Value clipboard(const std::string& member, rt::Args args) {
        if (named(member, "Empty")) world->clipboard.clear();
        if (named(member, "SetText")) {
            if (world->clipboardRefuses) return rt::Value(false);
            world->clipboard = args.empty() ? std::string() : args[0].asString();
            world->calls.push_back("Clipboard.SetText(" + std::to_string(bodyRows(world->clipboard)) + " rows)");
            return rt::Value(true);
        }
        if (!named(member, "SetText")) world->calls.push_back("Clipboard." + member + "()");
        return rt::Value(true);
    }
    rt::Value dataSet(const std::string& member, rt::Args args) {
        if (named(member, "Eof")) return rt::Value(world->dataPos >= world->dataRows);
        if (named(member, "Skip")) {
            world->dataPos += static_cast<size_t>(args.empty() ? 1 : args[0].asInteger());
            return {};
        }
        if (named(member, "GoTop")) world->dataPos = 0;
        world->calls.push_back("DataSet." + member + "(" + arguments(args) + ")");
        return {};
    }
    rt::Value paste(const std::string& call) {
        if (world->clipboard.empty()) return fail("Paste", {});
        world->calls.push_back(path + "." + call + " <- " + std::to_string(bodyRows(world->clipboard)) + " rows");
        world->pasted.push_back(world->clipboard);
        return {};
    }
};

inline std::string describe(const rt::Value& v) {
    if (auto o = rt::objectAs<FakeObject>(v)) return o->path;
    if (v.isString()) return "\"" + v.asString() + "\"";
    if (v.isNumber()) {
        char text[32];
        std::snprintf(text, sizeof text, "%.10g", v.asDouble());
        return text;
    }
    return rt::displayText(v);
}

}  // namespace detail

inline rt::Value FakeSpreadsheet::object(std::string path) {
    auto o = rt::objectAs<detail::FakeObject>(detail::FakeObject::classRecord().instantiate());
    o->world = this;
    o->path = std::move(path);
    return rt::Value(o);
}

}  // namespace vorpex::report::testing
