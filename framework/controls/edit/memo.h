// XMemo: the multi-line text box, with scroll bars, line access and the caret's line and column. Enter types
// a line break while lWantReturn is set; Tab moves the focus unless lWantTab. TMemo is its user class.
#pragma once

#include "framework/controls/edit/edit.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

class XMemo : public TEdit {
public:
    using TEdit::TEdit;
    static const rt::Class& classRecord();
    VP_CONSTRUCTORS(Create)
    VP_METHODS(Append, ReplaceLine, GetLine, SetRect, GetRect, SetTabStops, GetLineNumber, SetLineNumber,
               GetColumnNumber, SetColumnNumber)
    VP_OVERRIDES(SetHScroll, WMKeyDown, WMChar)

private:
    static inline int kAutoHScroll = -1, kVScroll = -1, kAutoVScroll = -1, kWantReturn = -1, kWantTab = -1,
                      kLine = -1, kColumn = -1;
    // EM_LINEINDEX of a zero-based line (-1: the caret's).
    int64_t lineStart(int64_t line) const;
};

using TMemo = UserClass<XMemo, "TMemo">;

}  // namespace vorpex
