// SHFileOperationW over the names in the system code page: the wide call's name mappings are wide on every
// system, which the ANSI call's are not. A copy or move of named files into a folder with renaming on a
// collision is planned here, one target per file, so that no shell overwrites a file it was told to keep (Wine
// ignores the flag); otherwise the shell's own name mappings answer the renamed files.
#include <windows.h>

#include <shellapi.h>

#include <optional>

#include "framework/core/native/win_system.h"
#include "framework/dialogs/runners/file_operation.h"

namespace vorpex {

namespace {

// What the mapping handle points to.
struct NameMappings {
    UINT count;
    SHNAMEMAPPINGW* mappings;
};

// The names one after the other, each closed by a NUL, the list by a second one.
std::optional<std::wstring> nameList(const std::vector<std::string>& names) {
    std::wstring list;
    for (const std::string& name : names) {
        const std::optional<std::wstring> wide = win::ansiToWide(name);
        if (!wide) return std::nullopt;
        list += *wide;
        list += L'\0';
    }
    list += L'\0';
    return list;
}

std::string ansiOf(const wchar_t* text, int length) {
    if (!text || length <= 0) return {};
    return win::wideToAnsi(std::wstring_view(text, static_cast<size_t>(length))).value_or(std::string());
}

std::vector<std::pair<std::string, std::string>> renamedOf(HANDLE handle) {
    std::vector<std::pair<std::string, std::string>> renamed;
    const auto* header = static_cast<const NameMappings*>(handle);
    if (!header || !header->mappings) return renamed;
    for (UINT i = 0; i < header->count; ++i) {
        const SHNAMEMAPPINGW& m = header->mappings[i];
        renamed.emplace_back(ansiOf(m.pszOldPath, m.cchOldPath), ansiOf(m.pszNewPath, m.cchNewPath));
    }
    return renamed;
}

bool isFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

FileOperationAnswer runShell(const FileOperation& o) {
    FileOperationAnswer a;
    const std::optional<std::wstring> from = nameList(o.from), to = nameList(o.to),
                                      title = win::ansiToWide(o.title);
    if (!fileOperationValid(o) || !from || !to || !title) {
        a.error = kInvalidFileOperation;
        return a;
    }
    SHFILEOPSTRUCTW op{};
    op.hwnd = reinterpret_cast<HWND>(o.owner);
    op.wFunc = static_cast<UINT>(o.action);
    op.pFrom = from->c_str();
    op.pTo = o.action == FileDelete ? nullptr : to->c_str();
    op.fFlags = static_cast<FILEOP_FLAGS>(o.flags | FOF_WANTMAPPINGHANDLE);
    op.lpszProgressTitle = title->c_str();
    const int result = SHFileOperationW(&op);
    a.ok = result == 0;
    a.error = static_cast<uint32_t>(result);
    a.aborted = op.fAnyOperationsAborted != FALSE;
    a.renamed = renamedOf(op.hNameMappings);
    if (op.hNameMappings) SHFreeNameMappings(op.hNameMappings);
    return a;
}

}  // namespace

FileOperationAnswer runFileOperation(const FileOperation& o) {
    const std::optional<CollisionPlan> plan = planCollisions(o, isFolder, exists);
    if (!plan) return runShell(o);
    FileOperation planned = o;
    planned.to = plan->to;
    planned.flags = (o.flags & ~kRenameOnCollision) | kMultipleTargets;
    FileOperationAnswer a = runShell(planned);
    for (const auto& [target, renamedTo] : plan->renamed)
        if (exists(renamedTo)) a.renamed.emplace_back(target, renamedTo);
    return a;
}

}  // namespace vorpex
