// XToolBar: the common-controls tool bar ("ToolbarWindow32"). Its buttons are XToolButton objects in aItems,
// the only truth: every change of the set rebuilds the native buttons from them (toolbar_rules.h decides the
// records). Button n sends the command 30000 + n; images come from three lists the bar owns (normal, hot,
// disabled, the last two topped up from the first), access keys from an "&" in a button's text reach the form
// as shortcuts, and a button with a pop-up menu drops it down. TToolBar is its user class.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/controls/toolbar/toolbar_rules.h"
#include "framework/core/control/control.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

class XToolButton;

class XToolBar : public TControl {
public:
    using TControl::TControl;
    static const rt::Class& classRecord();

    std::vector<std::shared_ptr<XToolButton>> buttons() const;
    std::vector<rt::Value>& itemList();
    toolbar::BarSizing sizing() const;
    bool lAutoSize() const { return field(kAutoSize).asLogical(); }

    rt::Value New(rt::Args args) override;     // ([oParent]) -> Self, with its three image lists
    // ([oParent], [nBtnWidth], [nBtnHeight], [lFlat], [lList], [lWrapable]) -> Self
    rt::Value Create(rt::Args args) override;
    rt::Value Free(rt::Args args) override;

    rt::Value ScaleButtons(rt::Args args);  // Scale([nScale])
    rt::Value SetAlignStyle(rt::Args args);  // setter of nAlign
    rt::Value SetImageList(rt::Args args);
    rt::Value SetImageListHot(rt::Args args);
    rt::Value SetImageListDis(rt::Args args);
    rt::Value FillImageList(rt::Args args);
    rt::Value AddImages(rt::Args args);  // (aImages, [aHot], [aDisabled])
    // (cText, xImage, [xHot], [xDisabled], [cTooltip], [bClick], [oMenu]) -> button
    rt::Value AddButton(rt::Args args);
    // (cText, nImage, cTooltip, lAutoSize, lGroup, lChecked, lEnabled, lVisible, oMenu) -> button
    rt::Value AddItem(rt::Args args);
    rt::Value InsertItem(rt::Args args);       // (nPos, ...as AddItem)
    rt::Value AddSeparator(rt::Args args);     // ([nWidth], [lVisible])
    rt::Value InsertSeparator(rt::Args args);  // (nPos, [nWidth], [lVisible])
    rt::Value DeleteItem(rt::Args args);       // (nPos)
    rt::Value BtnEnable(rt::Args args);
    rt::Value BtnDisable(rt::Args args);
    rt::Value BtnShow(rt::Args args);
    rt::Value BtnHide(rt::Args args);
    rt::Value BtnCheck(rt::Args args);
    rt::Value BtnUncheck(rt::Args args);
    rt::Value DropMenu(rt::Args args);  // (nBtn, nX, nY)
    rt::Value ClickKey(rt::Args args);  // Click(cKey)
    rt::Value ShortCutKey(rt::Args args);
    rt::Value SetShortCuts(rt::Args args);
    rt::Value CommandButton(rt::Args args);  // Command(nCode, nId)
    rt::Value Notify(rt::Args args);         // (nId, pHeader)
    rt::Value WMSize(rt::Args args);
    rt::Value ResetButtons(rt::Args args);
    rt::Value Adjust(rt::Args args);
    rt::Value GetItemRect(rt::Args args);  // (nItem) -> {left, top, right, bottom}
    rt::Value HitTest(rt::Args args);      // (nX, nY) -> 1-based button, 0 or less for none

    // Sends a tool-bar message to the window (0 without one).
    int64_t send(unsigned message, uintptr_t wParam = 0, intptr_t lParam = 0);
    void rebuild();  // ResetButtons, SetShortCuts, Adjust: after the set changed

private:
    static inline int kBtnWidth = -1, kBtnHeight = -1, kIndent = -1, kFlat = -1, kList = -1, kWrapable = -1,
                      kAutoSize = -1, kAlwaysTip = -1, kBalloons = -1, kImages = -1, kHotImages = -1,
                      kDisabledImages = -1, kItems = -1, kBitmaps = -1;
    bool buttonsScaled_ = false;

    rt::Value styleSetter(int position, int64_t style, rt::Args args);
    rt::Value setList(int position, unsigned message, rt::Args args);
    void sendImageLists();
    rt::Value newButton(int64_t position, bool separator, rt::Args rest);
    void buttonMessage(unsigned message, int64_t button, bool on, bool post);
    void eraseBackground(intptr_t dc);
};

using TToolBar = UserClass<XToolBar, "TToolBar">;

}  // namespace vorpex
