#include "framework/dialogs/runners/file_operation.h"

#include <algorithm>

#include "framework/core/object/vp_class.h"
#include "framework/dialogs/owner_window.h"

namespace vorpex {

using rt::Value;

namespace {

// A text of names separated by NULs, or an array of names.
std::vector<std::string> namesOf(const Value& v) {
    if (v.isString()) return fileNamesOf(v.asString());
    std::vector<std::string> names;
    if (v.isArray())
        for (const Value& item : v.asArray()->items)
            if (item.isString() && !item.asString().empty()) names.push_back(item.asString());
    return names;
}

Value renamedValue(const std::vector<std::pair<std::string, std::string>>& renamed) {
    std::vector<Value> pairs;
    for (const auto& [from, to] : renamed) pairs.push_back(Value::array({Value(from), Value(to)}));
    return Value::array(std::move(pairs));
}

}  // namespace

std::vector<std::string> fileNamesOf(const std::string& list) {
    std::vector<std::string> names;
    size_t from = 0;
    while (from <= list.size()) {
        const size_t end = std::min(list.find('\0', from), list.size());
        if (end > from) names.push_back(list.substr(from, end - from));
        from = end + 1;
    }
    return names;
}

namespace {

std::string baseName(const std::string& path) {
    const size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// "a.txt" -> "a (n).txt"; a dot that starts the name is no extension.
std::string numberedName(const std::string& name, int n) {
    const size_t dot = name.rfind('.');
    const std::string number = " (" + std::to_string(n) + ")";
    if (dot == std::string::npos || dot == 0) return name + number;
    return name.substr(0, dot) + number + name.substr(dot);
}

bool hasWildcards(const std::string& name) { return name.find_first_of("*?") != std::string::npos; }

}  // namespace

std::optional<CollisionPlan> planCollisions(const FileOperation& o,
                                            const std::function<bool(const std::string&)>& isFolder,
                                            const std::function<bool(const std::string&)>& exists) {
    const bool copyOrMove = o.action == FileCopy || o.action == FileMove;
    if (!copyOrMove || !(o.flags & kRenameOnCollision) || (o.flags & kMultipleTargets) || o.to.size() != 1 ||
        o.from.empty() || !isFolder(o.to[0]))
        return std::nullopt;
    for (const std::string& name : o.from)
        if (hasWildcards(name)) return std::nullopt;
    std::string folder = o.to[0];
    if (folder.back() != '\\' && folder.back() != '/') folder += '\\';
    CollisionPlan plan;
    std::vector<std::string> planned;
    const auto taken = [&](const std::string& path) {
        return exists(path) || std::find(planned.begin(), planned.end(), path) != planned.end();
    };
    for (const std::string& name : o.from) {
        const std::string target = folder + baseName(name);
        std::string free = target;
        for (int n = 2; taken(free); ++n) free = folder + numberedName(baseName(name), n);
        if (free != target) plan.renamed.emplace_back(target, free);
        planned.push_back(free);
        plan.to.push_back(free);
    }
    return plan;
}

bool fileOperationValid(const FileOperation& o) {
    if (o.action < FileMove || o.action > FileRename || o.from.empty()) return false;
    return o.action == FileDelete || !o.to.empty();
}

const rt::Class& XFileOperationDlg::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XFileOperationDlg", &TComponent::classRecord(), rt::factoryOf<XFileOperationDlg>());
        kAction = b.addProperty({.name = "nAction", .initial = FileCopy, .type = "N", .scope = Published});
        kFlags = b.addProperty({.name = "nFlags", .initial = 0, .type = "N", .scope = Published});
        kFrom = b.addProperty({.name = "cFrom", .initial = "", .type = "C", .scope = Published});
        kTo = b.addProperty({.name = "cTo", .initial = "", .type = "C", .scope = Published});
        kText = b.addProperty({.name = "cText", .initial = "", .type = "C", .scope = Published});
        b.addEvent("OnShow", Published, "oSender");
        b.addEvent("OnClose", Published, "oSender");
        kAborted = b.addData("lAborted", false, "L");
        kRenamed = b.addData("aRenamed", Value::array(), "A");
        kLastError = b.addData("nLastError", 0, "N");
        addMembers<XFileOperationDlg>(b);
        return b.create();
    }();
    return c;
}

Value XFileOperationDlg::Run(rt::Args) {
    FileOperation o;
    o.owner = ownerWindow(oParent() ? Value(oParent()) : Value());
    o.action = field(kAction).isNumber() ? field(kAction).asInteger() : 0;
    o.flags = static_cast<uint32_t>(field(kFlags).isNumber() ? field(kFlags).asInteger() : 0);
    o.from = namesOf(field(kFrom));
    o.to = namesOf(field(kTo));
    o.title = field(kText).isString() ? field(kText).asString() : std::string();
    FileOperationAnswer a;
    fireEvent(*this, OnShow);
    if (fileOperationValid(o))
        a = runFileOperation(o);
    else
        a.error = kInvalidFileOperation;
    field(kLastError) = Value(static_cast<int64_t>(a.error));
    field(kAborted) = Value(a.aborted);
    field(kRenamed) = renamedValue(a.renamed);
    fireEvent(*this, OnClose);
    return Value(a.ok);
}

}  // namespace vorpex
