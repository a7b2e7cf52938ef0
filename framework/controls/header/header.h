// XHeader: the column header bar ("SysHeader32"), and XHeaderItem, one of its items (a component the header
// owns). The items, in position order in aItems, carry text, width, order, alignment, an image of the
// header's image list, a sort arrow, a text filter and a tool tip; the header paints each item itself after
// the control's own painting, turns the control's notifications into events of the header and of the item,
// and runs an item click after the notification through its private message. THeader and THeaderItem are
// their user classes.
#pragma once

#include <vector>

#include "framework/core/control/std_control.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

class XHeader : public TStdControl {
public:
    using TStdControl::TStdControl;
    static const rt::Class& classRecord();
    VP_CONSTRUCTORS(New,     // ([oParent]) -> Self
                    Create)  // ([oParent]) -> Self
    VP_METHODS(AddItem,          // ([cText], [nAlignment], [nWidth], [nImage], [cTooltip], [nSort], [cFilter], [nIndex])
               InsertItem,       // (nIndex, [cText], ...)
               DeleteItem,       // (n) -> lDone
               DeleteItems,
               HitTest,          // the item under the mouse cursor, 0 for none
               Rebuild,
               SetItems,
               Notify,           // (wParam, lParam)
               SetTooltipZones,
               SetImageList,
               GetImageList,
               GetItemCount,
               GetItemRect,
               GetOrderArray,
               SetOrderArray,
               WMVorpex,         // (wParam, lParam)
               WMParentNotify)   // (wParam, lParam)
    VP_OVERRIDES(Free)

    static inline const EventRef OnBeginDrag{"OnBeginDrag"}, OnBeginTrack{"OnBeginTrack"},
        OnDividerDblClick{"OnDividerDblClick"}, OnEndDrag{"OnEndDrag"}, OnEndTrack{"OnEndTrack"},
        OnFilterBtnClick{"OnFilterBtnClick"}, OnFilterChange{"OnFilterChange"}, OnFilterEdit{"OnFilterEdit"},
        OnItemChanged{"OnItemChanged"}, OnItemChanging{"OnItemChanging"}, OnClick{"OnClick"},
        OnDblClick{"OnDblClick"}, OnRClick{"OnRClick"}, OnTrack{"OnTrack"};

    std::vector<rt::Value> items() const;
    rt::Value itemAt(int64_t position) const;  // NIL outside 1..count
    bool lWordBreak() const { return field(kWordBreak).asLogical(); }
    bool lFilterBar() const { return field(kFilterBar).asLogical(); }
    const rt::Value& oImageList() const { return field(kImageList); }

    // Inserts the item object at its nIndex (or last) in aItems and renumbers; answers its position.
    int64_t placeItem(const rt::Value& item, int64_t position);
    // The mouse cursor in the header's client coordinates, and the item under it (0 for none).
    std::pair<int64_t, int64_t> cursor() const;
    int64_t itemAtPoint(int64_t x, int64_t y) const;
    intptr_t send(unsigned message, intptr_t wParam = 0, intptr_t lParam = 0) const;

private:
    static inline int kImageList = -1, kItems = -1, kWordBreak = -1, kButtons = -1, kDragDrop = -1,
                      kFilterBar = -1, kFlat = -1, kFullDrag = -1, kHotTrack = -1, kResize = -1, kCancelDrag = -1,
                      kCancelTrack = -1;
    void renumber();
    bool ownsImageList() const;
    bool takeFlag(int position);  // read and clear
    // The header's event, then, when it answered NIL, the item's own.
    rt::Value fireItemEvent(const EventRef& headerEvent, const EventRef& itemEvent, int64_t x, int64_t y, int64_t item);
    rt::Value customDraw(void* draw);
};

using THeader = UserClass<XHeader, "THeader">;

class XHeaderItem : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord();
    VP_CONSTRUCTORS(Create)  // (oHeader) -> Self
    VP_METHODS(End,
               Insert,        // -> lPlaced
               SetText,
               SetWidth,
               GetWidth,
               SetOrder,
               GetOrder,
               SetAlignment,
               GetRect,
               GetFilter,
               SetFilter,
               SetSort,
               SetImage)

    static inline const EventRef OnClick{"OnClick"}, OnDblClick{"OnDblClick"}, OnRClick{"OnRClick"},
        OnDividerDblClick{"OnDividerDblClick"};

    int64_t nIndex() const { return field(kIndex).asInteger(); }
    void setIndex(int64_t n) { field(kIndex) = rt::Value(static_cast<long long>(n)); }
    const rt::Value& cText() const { return field(kText); }
    const rt::Value& cTooltip() const { return field(kTooltip); }
    int64_t nSort() const { return field(kSort).asInteger(); }
    int64_t nImage() const { return field(kImage).asInteger(); }
    int64_t nAlignment() const { return field(kAlignment).asInteger(); }

    rt::Value SetTooltipText(rt::Args args);

private:
    static inline int kText = -1, kWidth = -1, kOrder = -1, kSort = -1, kAlignment = -1, kTooltip = -1,
                      kFilter = -1, kImage = -1, kIndex = -1;
    XHeader* header() const;
    // The header's window when the item is placed in a live header, else 0.
    intptr_t liveWindow() const;
};

using THeaderItem = UserClass<XHeaderItem, "THeaderItem">;

}  // namespace vorpex
