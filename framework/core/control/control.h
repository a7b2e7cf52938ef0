// XControl: the base of every visual element. It owns one window, keeps its bounds, text, colours, font,
// cursor, visual-style handle and tool tips in properties, creates the window in a fixed sequence, turns
// mouse, keyboard and focus messages into its events, and lets go of everything when the window ends.
// TControl is its user class. The class lives in the Windows builds; its arithmetic is in control_math.h.
//
// Framework code calls the typed members; calls that a subclass or a program may override (Click,
// CreateHandle, GetFont, GetCtlColor, AlignControls, ...) go by name.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "framework/core/control/control_math.h"
#include "framework/core/control/control_registry.h"
#include "framework/core/control/tooltip_zones.h"
#include "framework/core/object/event.h"
#include "framework/core/object/members.h"
#include "framework/core/object/optional_send.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/win_object.h"

namespace vorpex {

class XControl : public TWinObject {
public:
    using TWinObject::TWinObject;
    static const rt::Class& classRecord();
    VP_METHODS(Register,
               // ---- geometry
               SetBounds,           // ([nLeft], [nTop], [nWidth], [nHeight], [lRepaint])
               UpdateBounds,
               UpdateClientRect,
               SetClientSize,
               Scale,
               ScreenToClient,
               ClientToScreen,
               GetMonitor,
               GetSiblingControl,
               SetAnchors,
               // ---- styles
               ChangeCtlStyle,
               ChangeExStyle,
               ReplaceStyle,
               ReplaceExStyle,
               RemoveStyle,
               RemoveExStyle,
               HasStyle,
               HasExStyle,
               SetBorderStyle,
               // ---- display
               Show,
               Hide,
               Refresh,
               Update,
               SetRedraw,
               GetText,
               SetColor,
               SetFont,
               GetFont,
               SetCursor,
               SetTheme,
               SendMsg,
               PostMsg,
               BeginPaint,
               EndPaint,
               // ---- tool tips
               SetTooltip,          // ([cText], [aRect], [nId])
               SetBalloon,          // ([cText], [aRect])
               ShowTooltip,
               ShowBalloon,
               HideTooltip,
               // ---- window messages (wParam, lParam, hWnd, nMsg)
               WMNCCreate,
               WMNCDestroy,
               WMDestroy,
               WMWindowPosChanged,
               WMNCHitTest,
               WMThemeChanged,
               WMDrawItem,
               WMMeasureItem,
               WMHelp,
               // ---- input, focus and the click route
               VPClick,
               SetFocus,            // ([lForce]) -> lFocused
               ShowPopupMenu,       // (oMenu, nX, nY)
               GoNextControl,
               GoPrevControl,
               WMContextMenu,
               WMSetCursor,
               WMKeyUp,
               WMSysKeyDown,
               WMSysKeyUp,
               WMSysChar,
               WMInitMenuPopup)
    VP_VIRTUALS(CreateHandle,
                Enable,
                Disable,
                Redraw,
                WMNotify,
                Click,
                WMSetFocus,
                SetText,
                GetCtlColor,
                Command,        // (nNotifyCode, nId)
                Valid,          // (oNext) -> OnExit's answer
                ShortCut,
                WMLButtonDown,
                WMLButtonUp,
                WMLButtonDblClk,
                WMRButtonDown,
                WMRButtonUp,
                WMMouseMove,
                WMKeyDown,
                WMChar,
                WMKillFocus)

    static inline const EventRef OnCreate{"OnCreate"}, OnDestroy{"OnDestroy"}, OnDestroyed{"OnDestroyed"},
        OnPaint{"OnPaint"}, OnPainted{"OnPainted"}, OnLButtonDown{"OnLButtonDown"}, OnLButtonUp{"OnLButtonUp"},
        OnDblClick{"OnDblClick"}, OnRButtonDown{"OnRButtonDown"}, OnRButtonUp{"OnRButtonUp"},
        OnMouseMove{"OnMouseMove"}, OnShow{"OnShow"}, OnHide{"OnHide"}, OnContextMenu{"OnContextMenu"},
        OnBeginDrag{"OnBeginDrag"}, OnEndDrag{"OnEndDrag"}, OnDragOver{"OnDragOver"}, OnClick{"OnClick"},
        OnBeforeCreate{"OnBeforeCreate"}, OnChar{"OnChar"}, OnKeyDown{"OnKeyDown"}, OnKeyUp{"OnKeyUp"},
        OnEnter{"OnEnter"}, OnExit{"OnExit"};

    // ---- typed access
    ctl::Bounds bounds() const;
    int64_t nAlign() const { return field(kAlign).asInteger(); }
    int64_t nAnchors() const { return field(kAnchors).asInteger(); }
    bool lVisible() const { return field(kVisible).asLogical(); }
    bool lEnabled() const { return field(kEnabled).asLogical(); }
    bool lFocused() const { return field(kFocused).asLogical(); }
    bool lTabStop() const { return field(kTabStop).asLogical(); }
    bool lTransparent() const { return field(kTransparent).asLogical(); }
    int64_t nClientLeft() const { return field(kClientLeft).asInteger(); }
    int64_t nClientTop() const { return field(kClientTop).asInteger(); }
    int64_t nClientWidth() const { return field(kClientWidth).asInteger(); }
    int64_t nClientHeight() const { return field(kClientHeight).asInteger(); }
    int64_t nCtlStyle() const { return field(kCtlStyle).asInteger(); }
    int64_t nExStyle() const { return field(kExStyle).asInteger(); }
    int64_t nBorderStyle() const { return field(kBorderStyle).asInteger(); }
    intptr_t hBkgnd() const { return static_cast<intptr_t>(field(kBkgnd).asInteger()); }
    const rt::Value& nId() const { return field(kId); }
    const rt::Value& cTooltip() const { return field(kTooltip); }
    const rt::Value& cBalloon() const { return field(kBalloon); }
    rt::ObjectPtr oForm() const { return field(kForm).asObject(); }
    int64_t nOnDrag() const { return field(kOnDrag).asInteger(); }
    ctl::Margins anchorX() const;
    ctl::Margins anchorY() const;
    void setFocusedFlag(bool on) { field(kFocused) = on; }
    void setCtlStyle(int64_t s) { field(kCtlStyle) = rt::Value(static_cast<long long>(s)); }
    void setExStyle(int64_t s) { field(kExStyle) = rt::Value(static_cast<long long>(s)); }
    void setTabStopFlag(bool on) { field(kTabStop) = on; }
    void setBkgndHandle(intptr_t h) { field(kBkgnd) = rt::Value(static_cast<long long>(h)); }
    bool windowExists() const { return Handle() != 0; }
    // Whether the stored bounds are already in pixels (scaled once, at the first creation).
    bool boundsScaled() const { return scaled_; }

    // ---- lifecycle
    rt::Value New(rt::Args args) override;      // ([oParent]) -> Self
    rt::Value Create(rt::Args args) override;   // ([oParent]) -> Self
    rt::Value Destroy(rt::Args args) override;  // ([lFree]) -> Self
    rt::Value Free(rt::Args args) override;
    rt::Value FindForm(rt::Args args);  // GetForm (the Win32 headers take that name for a macro)

    // Writes both styles to the window (when there is one).
    void applyStyles();

    // The text that answers a tip's request for this control: kept here so that it stays valid until the
    // tip has copied it.
    const char* keepTipText(const std::string& text);

protected:
    rt::Value selfObject() { return rt::Value(self()); }
    // oParent, oForm as values (NIL when unset or ended).
    rt::Value parentValue() const;
    // The form as GetForm answers it (a form is its own).
    rt::Value formValue();
    // Which of the two application tip windows a tip request belongs to.
    static intptr_t applicationTip(bool balloon);

    static inline int kLeft = -1, kTop = -1, kWidth = -1, kHeight = -1, kText = -1, kAlign = -1, kAnchors = -1,
                      kParentFont = -1, kFont = -1, kCursor = -1, kBrush = -1, kClrText = -1, kClrPane = -1,
                      kTooltip = -1, kBalloon = -1, kTooltipTitle = -1, kTooltipIcon = -1, kVisible = -1,
                      kEnabled = -1, kHelpId = -1, kForm = -1, kClientTop = -1, kClientLeft = -1,
                      kClientWidth = -1, kClientHeight = -1, kRedraw = -1, kFocused = -1, kActiveControl = -1,
                      kTheme = -1, kTipObject = -1, kId = -1, kThemeHandle = -1, kTabStop = -1, kBorder = -1,
                      kTransparent = -1, kBorderStyle = -1, kWinClassName = -1, kCtlStyle = -1, kExStyle = -1,
                      kClassStyle = -1, kBkgnd = -1, kAnchorX = -1, kAnchorY = -1, kOnDrag = -1,
                      kControlPaint = -1, kHasTooltip = -1, kHasBalloon = -1, kTooltipZones = -1,
                      kBalloonZones = -1;

private:
    friend const rt::Class& buildControlClass();

    // Property setters.
    rt::Value SetLeft(rt::Args args);
    rt::Value SetTop(rt::Args args);
    rt::Value SetWidth(rt::Args args);
    rt::Value SetHeight(rt::Args args);
    rt::Value SetAlign(rt::Args args);
    rt::Value SetParentFont(rt::Args args);
    rt::Value SetTextColor(rt::Args args);
    rt::Value SetPaneColor(rt::Args args);
    rt::Value SetVisible(rt::Args args);
    rt::Value SetEnabled(rt::Args args);
    rt::Value SetParentProperty(rt::Args args);
    rt::Value SetClientWidth(rt::Args args);
    rt::Value SetClientHeight(rt::Args args);

    rt::Value changeStyle(int position, int64_t style);
    void applyTips(bool balloon, const rt::Value& text, const rt::Value& rect, std::optional<int64_t> id);
    void dropTips();
    void releaseOwnFont();
    void releaseBrush();
    void alignParent();

    bool scaled_ = false;
    ctl::TooltipZones tooltipZones_, balloonZones_;
    std::string tipText_;
};

using TControl = UserClass<XControl, "TControl">;

// A new object of a class by its public name (TBrush, TFont, TCursor, TPicture, TTooltip...) made with
// `constructor`(args); NIL while no such class is registered.
rt::Value createByClassName(std::string_view className, std::string_view constructor,
                            std::initializer_list<rt::Value> args);

// The control object of a window (NIL for 0, foreign and unlinked windows).
rt::Value controlOfWindow(intptr_t hWnd);
// The object of the window or of its nearest ancestor that has one.
rt::Value controlOfWindowOrAncestor(intptr_t hWnd);

}  // namespace vorpex
