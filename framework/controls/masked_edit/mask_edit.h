// XMaskEdit: an edit whose Value keeps its type (text, number, date or logical) and whose text is shaped by a
// picture: an optional function part and a mask of input positions and literals. The value is shown through
// Transform(); while the edit has the focus it shows its editing form. Typed characters are filtered and
// placed here, deletions keep the literals in place, and the text reads back as a typed value. The decisions
// live in mask_rules.h. TMaskEdit is its user class.
#pragma once

#include <string>

#include "framework/controls/edit/edit.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

class XMaskEdit : public XEdit {
public:
    using XEdit::XEdit;
    static const rt::Class& classRecord();
    VP_CONSTRUCTORS(Create)
    VP_METHODS(WMUndo,
               WMClear,
               WMCut,
               WMPaste,
               WMVorpex,
               SetPicture,  // (cPicture, [lUser])
               Input)       // (nKey) -> lLetTheWindowInsertIt
    VP_OVERRIDES(GetValue,
                 SetValue,     // (xValue, [lFocused], [lRePicture], [lRaw])
                 WMSetFocus,
                 WMKillFocus,
                 Valid,
                 WMChar,
                 WMKeyDown,
                 Change)

private:
    std::string type() const;
    std::string function() const;
    std::string maskText() const;
    bool complex() const;
    bool hasPicture() const;
    bool readOnly() const;
    int64_t maxLength() const;
    void setMaxLength(int64_t n);
    // The selection's zero-based start and end.
    std::pair<int64_t, int64_t> selection();
    void setCaret(int64_t at);
    // Writes the text as the user's (OnChange fires), keeps the value in step and marks the edit modified.
    void writeTyped(const std::string& text);
    void setModified();
    // Clears the selection and lets the key come again, to be typed into what is left.
    void clearAndRepost(int64_t key);
    void postRepair(intptr_t message, intptr_t caret);
    char decimalSeparator() const;
    // A date text with digits that does not convert: re-formatting it would lose what was typed.
    bool unreadableDate();

    static inline int kMaskValue = -1, kPicture = -1, kZeroFill = -1, kTrimSpaces = -1, kOnFocusChange = -1,
                      kType = -1, kPicFunc = -1, kPicMask = -1, kPicUser = -1, kPicComplex = -1;
};

using TMaskEdit = UserClass<XMaskEdit, "TMaskEdit">;

}  // namespace vorpex
