// XMenuItem: one item of a menu (XMenu), mirrored at once to its native item, which it addresses by its
// command id. It may open a submenu (oSubMenu), draw itself when its menu is owner-drawn (menu_painter.h), and
// ask OnCheckState whether it is enabled just before its pop-up opens. An item gone (Destroy) leaves its menu,
// so that its id, given back when it was the last issued, is never shared with a live item. TMenuItem is its
// user class.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/controls/menu/menu_port.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/win_object.h"

namespace vorpex {

class XMenu;

class XMenuItem : public TWinObject {
public:
    using TWinObject::TWinObject;
    static const rt::Class& classRecord();

    static inline const EventRef OnClick{"OnClick"}, OnCheckState{"OnCheckState"};

    const std::string& cText() const { return field(kText).asString(); }
    const rt::Value& cMessage() const { return field(kMessage); }
    int64_t nId() const { return field(kId).asInteger(); }
    int64_t nImage() const { return field(kImage).asInteger(); }
    int64_t nType() const { return field(kType).asInteger(); }
    int64_t nState() const { return field(kState).asInteger(); }
    int64_t nStyle() const { return field(kStyle).asInteger(); }
    bool lEnabled() const { return field(kEnabled).asLogical(); }
    bool lDefault() const { return field(kDefault).asLogical(); }
    bool lMeasured() const { return field(kMeasured).asLogical(); }
    void setMeasured(bool on) { field(kMeasured) = on; }
    bool isSeparator() const { return (nType() & 2048) != 0; }
    const rt::Value& oSubMenu() const { return field(kSubMenu); }
    std::shared_ptr<XMenu> subMenu() const;
    std::shared_ptr<XMenu> menu() const;  // the menu that holds the item

    rt::Value New(rt::Args args) override;
    // (oParent, nPos, nType, cText, nId, bClick, xSubMenu, xImage) -> Self
    rt::Value Create(rt::Args args) override;
    rt::Value Destroy(rt::Args args) override;

    rt::Value GetMainMenu(rt::Args args);  // ([oItem]) -> the top menu
    rt::Value ImageList(rt::Args args);    // the top menu's image list
    rt::Value AddMenu(rt::Args args);      // ([oMenu]) -> oSubMenu
    rt::Value SetOwnerDraw(rt::Args args);  // (lOwnerDraw)
    rt::Value SetInfo(rt::Args args);
    rt::Value SetState(rt::Args args);
    rt::Value GetState(rt::Args args);
    rt::Value RequestState(rt::Args args);
    rt::Value SetImage(rt::Args args);
    rt::Value AddImage(rt::Args args);  // (cImage) -> index
    rt::Value GetFormHandle(rt::Args args);
    rt::Value MeasureItem(rt::Args args);  // (pMeasureRecord) -> .T.
    rt::Value DrawItem(rt::Args args);     // (pDrawRecord) -> .T.

    // Fires OnClick with the menu that found the item.
    void click(const rt::Value& menu);
    void setStyle(int64_t style) { field(kStyle) = rt::Value(static_cast<long long>(style)); }
    // The native item as the properties describe it; writeNative puts it into the menu.
    menu::NativeItem nativeRecord() const;
    void writeNative();

private:
    static inline int kText = -1, kMessage = -1, kImage = -1, kEnabled = -1, kChecked = -1, kHiLited = -1,
                      kDefault = -1, kRight = -1, kSeparator = -1, kSubMenu = -1, kType = -1, kState = -1,
                      kStyle = -1, kId = -1, kBitmap = -1, kBmpChecked = -1, kBmpUnchecked = -1, kMeasured = -1;
    bool autoId_ = false;

    rt::Value SetTextProperty(rt::Args args);
    rt::Value SetStateFlag(int field, rt::Args args);
    rt::Value SetInfoFlag(int field, rt::Args args);
    void setTypeBit(int64_t bit, bool on);
    void redrawBar();
    void leaveMenu();
};

using TMenuItem = UserClass<XMenuItem, "TMenuItem">;

}  // namespace vorpex
