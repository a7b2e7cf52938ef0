// XRebar: the common-controls rebar ("ReBarWindow32"), a container whose bands (XRebarBand) each hold one child
// control, typically a tool bar, with a caption, an image and a background picture. The n-th control inserted
// into the rebar becomes the child of its n-th band. When its height changes the parent lays its children out
// again. TRebar is its user class; TRebarBand the band's.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/controls/rebar/rebar_rules.h"
#include "framework/core/control/win_control.h"
#include "framework/core/object/component.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

class XRebarBand;

class XRebar : public TWinControl {
public:
    using TWinControl::TWinControl;
    static const rt::Class& classRecord();

    std::vector<std::shared_ptr<XRebarBand>> bands() const;
    std::vector<rt::Value>& itemList();
    bool vertical() const;
    int64_t send(unsigned message, uintptr_t wParam = 0, intptr_t lParam = 0);

    rt::Value New(rt::Args args) override;
    rt::Value Create(rt::Args args) override;
    rt::Value Free(rt::Args args) override;
    rt::Value SetAlignStyle(rt::Args args);
    rt::Value SetBorder(rt::Args args);
    // (cText, nImage, oBkgnd, lBreak, lChildEdge, lFixedBmp, lFixedSize, lGripper, lVisible) -> band
    rt::Value AddItem(rt::Args args);
    rt::Value InsertBandControl(rt::Args args);  // InsertControl(oControl)
    rt::Value RemoveBandControl(rt::Args args);  // RemoveControl(oControl)
    rt::Value Notify(rt::Args args);
    rt::Value GetItemRect(rt::Args args);  // (nBandId) -> {left, top, right, bottom}
    rt::Value HitTest(rt::Args args);      // (nX, nY) -> band id, 0 for none
    rt::Value Nothing(rt::Args) { return {}; }

private:
    static inline int kBandBorders = -1, kDblClkToggle = -1, kFixedOrder = -1, kVarHeight = -1, kImages = -1,
                      kItems = -1;
    rt::Value styleSetter(int position, int64_t style, rt::Args args);
};

using TRebar = UserClass<XRebar, "TRebar">;

class XRebarBand : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord();

    int64_t nIndex() const { return field(kIndex).asInteger(); }
    const rt::Value& oControl() const { return field(kControl); }
    bool inserted() const { return inserted_; }
    std::shared_ptr<XRebar> rebar() const { return rt::objectAs<XRebar>(oParent()); }

    // (oParent, cText, nImage, oBkgnd, lBreak, lChildEdge, lFixedBmp, lFixedSize, lGripper, lVisible) -> Self
    rt::Value Create(rt::Args args) override;
    rt::Value Free(rt::Args args) override;
    rt::Value InsertNative(rt::Args args);  // AddItem(): the native band at the end
    rt::Value SetInfo(rt::Args args);
    rt::Value SetControl(rt::Args args);  // (oControl, [nMinWidth], [nIdealWidth], [nHeight], [nMinHeight])
    rt::Value SetBkgnd(rt::Args args);
    rt::Value Show(rt::Args args);
    rt::Value Hide(rt::Args args);
    rt::Value Delete(rt::Args args);

private:
    static inline int kText = -1, kImage = -1, kBreak = -1, kChildEdge = -1, kFixedBmp = -1, kFixedSize = -1,
                      kGripper = -1, kBkgnd = -1, kVisible = -1, kControl = -1, kIndex = -1;
    bool inserted_ = false;

    rebar::BandFlags flags() const;
    int64_t nativeIndex();
    rt::Value infoSetter(size_t at, rt::Args args);
    void attachChild();
};

using TRebarBand = UserClass<XRebarBand, "TRebarBand">;

}  // namespace vorpex
