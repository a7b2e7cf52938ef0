// XMenu: a menu bar or pop-up menu owning one native menu; its items (XMenuItem) are kept in aItems in native
// order. Items find their way here by command id (DoAction, FindItem) and, for a form's pop-up entries, by
// position within a native menu. A menu may be owner-drawn in one of five styles, with images from an image
// list that belongs to the top menu. XPopupMenu is always a pop-up. TMenu is the user class.
//
// Every pop-up with a native menu is on one program-wide list, so that POPUP_REQUESTSTATE(hMenu) can let its
// items' OnCheckState decide their state just before the pop-up opens.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/controls/menu/menu_measure.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/win_object.h"

namespace vorpex {

class XMenuItem;

class XMenu : public TWinObject {
public:
    using TWinObject::TWinObject;
    static const rt::Class& classRecord();

    bool lPopup() const { return field(kPopup).asLogical(); }
    bool lOwnerDraw() const { return field(kOwnerDraw).asLogical(); }
    int64_t nStyle() const { return field(kStyle).asInteger(); }
    const rt::Value& oImageList() const { return field(kImageList); }
    std::vector<std::shared_ptr<XMenuItem>> items() const;
    rt::Value ownerValue() const { return oParent() ? rt::Value(oParent()) : rt::Value(); }

    // Owner-draw layout, raised while measuring so that the items of a pop-up line up.
    menu::SharedLayout layout() const;
    void setLayout(const menu::SharedLayout& l);

    rt::Value New(rt::Args args) override;      // ([oParent]) -> Self, with an image list
    rt::Value Create(rt::Args args) override;   // ([oParent], [lPopup]) -> Self
    rt::Value Destroy(rt::Args args) override;

    rt::Value SetMenu(rt::Args args);
    // (cText, cMessage, xImage, lChecked, lHiLited, lDefault, lRight, lDisabled, bClick, bCheckState) -> item
    rt::Value AddItem(rt::Args args);
    rt::Value AddSeparator(rt::Args args);  // ([cMessage]) -> item
    rt::Value Insert(rt::Args args);        // (oItem, [nPos], [lByPosition]) -> logical
    rt::Value Delete(rt::Args args);        // (nPos) -> logical
    rt::Value DoAction(rt::Args args);      // (nId) -> logical
    rt::Value FindItem(rt::Args args);      // (nId, [hMenu]) -> item or NIL
    rt::Value RequestState(rt::Args args);
    rt::Value GetDefault(rt::Args args);
    rt::Value DoDefault(rt::Args args);
    rt::Value AddImage(rt::Args args);  // (cImage) -> index, 0 failed
    rt::Value SetImageList(rt::Args args);
    rt::Value SetStyle(rt::Args args);
    rt::Value SetOwnerDraw(rt::Args args);
    rt::Value GetFormHandle(rt::Args args);
    rt::Value SaveXML(rt::Args args);  // (cFile) -> logical
    rt::Value Nothing(rt::Args) { return {}; }

    // The pop-up on the program's list whose native menu is `handle`.
    static std::shared_ptr<XMenu> livePopup(intptr_t handle);

protected:
    static inline int kImageList = -1, kItems = -1, kMessage = -1, kStyle = -1, kBitmaps = -1, kPopup = -1,
                      kOwnerDraw = -1, kMargin = -1, kRMargin = -1, kMaxWidth = -1, kSeparators = -1;

private:

    std::vector<rt::Value>& itemList();
    bool insertItem(const rt::Value& item, int64_t where, bool byPosition);
    rt::Value findById(int64_t id);
    rt::Value findByPosition(int64_t position, intptr_t handle);
    rt::Value findInMdiChildren(int64_t id);
    void forgetItem(const XMenuItem& item);
    friend class XMenuItem;
};

using TMenu = UserClass<XMenu, "TMenu">;

class XPopupMenu : public TMenu {
public:
    using TMenu::TMenu;
    static const rt::Class& classRecord();
    rt::Value Create(rt::Args args) override;  // ([oParent]) -> Self, always a pop-up
};

// POPUP_REQUESTSTATE, the native menu functions (Windows) and the menu-building functions become callable.
void registerMenus();

}  // namespace vorpex
