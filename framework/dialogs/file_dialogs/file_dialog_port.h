// What a file dialog's run hands the system and what it answers. Windows runs GetOpenFileNameA or
// GetSaveFileNameA (explorer style, with the common dialogs' hook and, for the image dialogs, the preview pane);
// elsewhere every run is a cancel.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/core/object.h"

namespace vorpex {

struct FileDialogRequest {
    bool save = false;
    intptr_t owner = 0;
    rt::Object* dialog = nullptr;  // the hook's: Help, the preview's picture and the tests' answerer
    std::string filter;            // as filterBuffer made it
    int64_t filterIndex = 1;
    std::string nameBuffer;        // as nameBuffer made it
    std::string initialDir, title, defaultExt;
    uint32_t flags = 0;
    bool showsHelp = false, center = false;
    rt::Object* picture = nullptr;  // the image dialogs' preview: the pane shows it, a selection loads it
    bool showImageInfo = true;
};

struct FileDialogAnswer {
    bool ok = false;
    std::string buffer;  // the name buffer as the dialog left it
    int64_t filterIndex = 1;
    uint32_t error = 0;  // CommDlgExtendedError after a cancel; 0 for a plain cancel
};

FileDialogAnswer runFileDialog(FileDialogRequest request);

}  // namespace vorpex
