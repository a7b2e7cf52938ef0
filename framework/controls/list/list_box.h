// XListBox: the list box ("ListBox"), single or multiple selection, one or several columns. Its items live in
// aItems and in the window (see item_model.h). TListBox is its user class.
#pragma once

#include "framework/core/control/std_control.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

class XListBox : public TStdControl {
public:
    using TStdControl::TStdControl;
    static const rt::Class& classRecord();
    VP_CONSTRUCTORS(Create)
    VP_METHODS(Change,           // (nIndex)
               SetIndex,
               GetIndex,
               GetText,          // ([nPos])
               SelectString,     // (cText, [nStart]) -> lFound
               SetSel,           // ([nPos], [lSelect]) -> lDone
               GetSelItems,
               SetSelItems,      // (aPositions) -> lDone
               GetItemRect,
               SetColumnsWidth,
               SetTabStops)
    VP_OVERRIDES(Command)

    static inline const EventRef OnChange{"OnChange"}, OnDblClick{"OnDblClick"};

    bool multipleSelection() const { return field(kMultipleSel).asLogical(); }

private:
    static inline int kColsWidth = -1, kItems = -1, kIndex = -1, kAutoSort = -1, kMultipleSel = -1, kExtendedSel = -1,
                      kIntegralHeight = -1, kScrollbarAlways = -1, kHScroll = -1, kMultiColumn = -1, kUseTabStops = -1;
    intptr_t send(unsigned message, intptr_t wParam = 0, intptr_t lParam = 0) const;
};

using TListBox = UserClass<XListBox, "TListBox">;

}  // namespace vorpex
