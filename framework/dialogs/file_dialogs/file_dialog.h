// The system's open and save file dialogs: XFileOpenDlg, XFileSaveDlg (a save dialog: overwrite prompt instead
// of must-exist), XFileOpenImageDlg (open with a picture preview pane) and XFileSaveImageDlg. Each option is a
// logical property owning one bit of nFlags; the filter is one text with "|" between descriptions and patterns;
// a run answers .T. when the user chose and fills cFilePath, cFileNameOnly, cFullFileName and cFileName (arrays
// with a multi-selection). A cancel leaves them as they were. T... are the user classes; FILEOPENDLG,
// FILESAVEDLG, FILEOPENIMAGEDLG and FILESAVEIMAGEDLG run one and answer the full name, "" when cancelled.
#pragma once

#include "framework/core/object/component.h"
#include "framework/core/object/event.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

class XFileOpenDlg : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord();
    static inline const EventRef OnShow{"OnShow"}, OnClose{"OnClose"};
    VP_METHODS(Run,          // () -> .T. when the user chose
               SetFlag,      // (nFlag, lOn) -> lOn
               SetFilename)  // (cFileName): stores it and picks the filter pair of its extension

    uint32_t nFlags() const { return static_cast<uint32_t>(field(kFlags).asInteger()); }

protected:
    virtual bool isSave() const { return false; }
    virtual bool hasPreview() const { return false; }
    static inline int kTitle = -1, kInitialDir = -1, kFileName = -1, kFilter = -1, kFilterIndex = -1,
                      kDefaultExt = -1, kMultiSelect = -1, kCenter = -1, kFlags = -1, kPicture = -1,
                      kFilePath = -1, kNameOnly = -1, kFullName = -1, kShowImageInfo = -1;

private:
    std::string initialDir() const;
    void takeResult(const std::string& buffer, bool multi);
};

using TFileOpenDlg = UserClass<XFileOpenDlg, "TFileOpenDlg">;

class XFileSaveDlg : public TFileOpenDlg {
public:
    using TFileOpenDlg::TFileOpenDlg;
    static const rt::Class& classRecord();

protected:
    bool isSave() const override { return true; }
};

using TFileSaveDlg = UserClass<XFileSaveDlg, "TFileSaveDlg">;

class XFileOpenImageDlg : public TFileOpenDlg {
public:
    using TFileOpenDlg::TFileOpenDlg;
    static const rt::Class& classRecord();

protected:
    bool hasPreview() const override { return true; }
};

using TFileOpenImageDlg = UserClass<XFileOpenImageDlg, "TFileOpenImageDlg">;

class XFileSaveImageDlg : public TFileOpenImageDlg {
public:
    using TFileOpenImageDlg::TFileOpenImageDlg;
    static const rt::Class& classRecord();

protected:
    bool isSave() const override { return true; }
};

using TFileSaveImageDlg = UserClass<XFileSaveImageDlg, "TFileSaveImageDlg">;

// The four classes and their one-call functions.
void registerFileDialogs();

}  // namespace vorpex
