// XGridEdit: the in-cell editor of a grid column. A masked edit, child of the grid, placed over the current cell
// by its column; it may carry a button at its right edge: three dots that ask the column for a value
// (OnBtnClick), or an arrow that opens the column's list texts in a TDropList. The keys that end or move an edit
// (Enter, Tab, Escape, the focus leaving for another control of the form) go to the grid's edit cycle. Bound to a
// data set it takes the shared data-control members, so a data-aware grid can hand it a field. TGridEdit is its
// user class. Windows only; its arithmetic is in model/grid_edit_rules.h.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/browse/model/grid_edit_rules.h"
#include "framework/controls/masked_edit/mask_edit.h"
#include "framework/core/form/form.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

class XBrowse;
class XBrwColumn;

class XGridEdit : public TMaskEdit {
public:
    using TMaskEdit::TMaskEdit;
    static const rt::Class& classRecord();
    VP_CONSTRUCTORS(Create)   // (oBrowse, oColumn) -> Self
    VP_METHODS(aItemsBound,   // the column's aEditListBound
               WMNCHitTest,
               WMMouseLeave,
               WMSetCursor,
               WMPaint,       // (hDC or 0)
               SetEditMode,   // (n): 0 plain, 1 with the three-dot button, 2 with the drop list
               BtnClick,
               ShowDropList,  // -> lOpened
               SeekOnList,    // (nKey)
               SetData,
               GetData,
               Lock,
               UnLock,
               VPClick)       // (nKeys, nX, nY) -> lOnButton
    VP_OVERRIDES(WMLButtonDown,
                 WMLButtonUp,
                 WMLButtonDblClk,
                 WMKillFocus,
                 WMKeyDown,
                 WMChar,
                 SetValue)

    int64_t nEditMode() const { return field(kEditMode).asInteger(); }
    int64_t nListIndex() const { return field(kListIndex).asInteger(); }
    bool lDropped() const { return field(kDropped).asLogical(); }
    bool lReadOnly() const { return field(kReadOnly).asLogical(); }
    // The list texts: an item that is an array shows its first element.
    std::vector<std::string> itemTexts() const;
    XBrwColumn* column() const;
    XBrowse* grid() const;

    // The drop list tells its editor when it opens and closes, and what was chosen.
    void setDropped(bool on);
    void setButtonState(int64_t state);
    void acceptListItem(int64_t index);
    // The column's OnExit, then the grid ends the edit keeping the values (nKey: the key that ended it).
    void exitAndSave(int64_t key, const rt::Value& next = {});

private:
    static inline int kItems = -1, kEditMode = -1, kBtnState = -1, kIncSeek = -1, kOnClick = -1, kColumn = -1,
                      kListIndex = -1, kDropped = -1, kDropList = -1;
    bool hasItems() const;
    bool listReadOnly() const { return lReadOnly() && hasItems(); }
    bool onButton(int64_t x) const;
    bool multiEdit() const;
    void repaint(bool erase = false);
    void showItem(int64_t index);
    void enterKey();
    rt::Value cancelEdit(bool canceled, int64_t key);
    void paintButton(intptr_t dc);
};

using TGridEdit = UserClass<XGridEdit, "TGridEdit">;

// TDropList: the borderless popup that shows a list editor's items in a list box under (or above) the cell.
// While it is open the editor's form keeps its active caption; choosing an item gives it to the editor.
class TDropList : public TForm {
public:
    using TForm::TForm;
    static const rt::Class& classRecord();
    // (oEdit): opens the editor's list, NIL when it has no items or its form shows a list already; a form's
    // own New(oParent) otherwise.
    rt::Value New(rt::Args args) override;
    VP_METHODS(WMActivate,
               WMNCDestroy,
               LBKeyDown,    // (oSender, nKey, nFlags)
               Ok,
               Initialize,   // subclasses the owner form: it keeps its caption active
               Uninitialize)

    static rt::Value open(XGridEdit& editor);  // TDropList():New(editor)

private:
    static inline int kEdit = -1, kListBox = -1;
    XGridEdit* editor() const;
    intptr_t ownerWindow() const;
    void build(XGridEdit& editor);
    intptr_t owner_ = 0;     // the owner form's window while its procedure is replaced
    bool stepping_ = false;  // a key moves the selection: no choice is made
};

}  // namespace vorpex
