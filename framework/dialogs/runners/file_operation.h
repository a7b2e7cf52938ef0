// XFileOperationDlg: the shell's copy, move, delete and rename of files with its progress dialog. nAction, nFlags,
// cFrom, cTo and cText (the progress title) in; lAborted and aRenamed ({old, new} per file renamed on a
// collision) out. TFileOperationDlg is its user class.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "framework/core/object/component.h"
#include "framework/core/object/event.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

enum FileAction : int64_t { FileMove = 1, FileCopy = 2, FileDelete = 3, FileRename = 4 };

struct FileOperation {
    intptr_t owner = 0;
    int64_t action = 0;
    uint32_t flags = 0;
    std::vector<std::string> from, to;
    std::string title;
};

struct FileOperationAnswer {
    bool ok = false;
    uint32_t error = 0;  // the shell's result; an invalid request's is ERROR_INVALID_PARAMETER
    bool aborted = false;
    std::vector<std::pair<std::string, std::string>> renamed;
};

constexpr uint32_t kInvalidFileOperation = 87;  // ERROR_INVALID_PARAMETER

// The names of a list as the shell takes them: separated by NULs (the empty ones dropped).
std::vector<std::string> fileNamesOf(const std::string& list);
// A known action with names to work on, and a target for all but a delete.
bool fileOperationValid(const FileOperation& operation);

// Copying or moving named files into one folder with renaming on a collision: the files' targets with each
// taken name made free by " (2)", " (3)", ... before its extension, and the renamed {target, new name}. Nothing
// for other requests (other actions or flags, several targets, wildcards, a target that is no folder).
struct CollisionPlan {
    std::vector<std::string> to;
    std::vector<std::pair<std::string, std::string>> renamed;
};
constexpr uint32_t kRenameOnCollision = 0x8, kMultipleTargets = 0x1;  // FOF_RENAMEONCOLLISION, FOF_MULTIDESTFILES
std::optional<CollisionPlan> planCollisions(const FileOperation& operation,
                                            const std::function<bool(const std::string&)>& isFolder,
                                            const std::function<bool(const std::string&)>& exists);

// Runs the operation (a valid one; not run where there is no shell).
FileOperationAnswer runFileOperation(const FileOperation& operation);

class XFileOperationDlg : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord();
    static inline const EventRef OnShow{"OnShow"}, OnClose{"OnClose"};
    VP_METHODS(Run)  // () -> logical: .T. when the shell did the operation (lAborted tells a user's stop)

private:
    static inline int kAction = -1, kFlags = -1, kFrom = -1, kTo = -1, kText = -1, kAborted = -1, kRenamed = -1,
                      kLastError = -1;
};

using TFileOperationDlg = UserClass<XFileOperationDlg, "TFileOperationDlg">;

}  // namespace vorpex
