// XToolButton: one button or separator of a tool bar (XToolBar). It keeps its text, image, states and tip; a
// change is pushed to its native button when the bar has a window. TToolButton is its user class.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/controls/toolbar/toolbar_rules.h"
#include "framework/core/object/component.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

class XToolBar;

class XToolButton : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord();

    static inline const EventRef OnClick{"OnClick"};

    toolbar::ButtonSpec spec() const;
    const rt::Value& cTooltip() const { return field(kTooltip); }
    const rt::Value& oMenu() const { return field(kMenu); }
    const std::string& cText() const { return field(kText).asString(); }
    bool lEnabled() const { return field(kEnabled).asLogical(); }
    void setIndex(int64_t n) { field(kIndex) = rt::Value(static_cast<long long>(n)); }
    int64_t nIndex() const { return field(kIndex).asInteger(); }
    std::shared_ptr<XToolBar> bar() const;

    // (oParent, nPos, lSeparator, cText, nImage, cTooltip, lAutoSize, lGroup, lChecked, lEnabled, lVisible, oMenu)
    rt::Value Create(rt::Args args) override;
    rt::Value Delete(rt::Args args);
    rt::Value Click(rt::Args args);
    rt::Value Enable(rt::Args args);
    rt::Value Disable(rt::Args args);
    rt::Value Show(rt::Args args);
    rt::Value Hide(rt::Args args);
    rt::Value Check(rt::Args args);
    rt::Value Uncheck(rt::Args args);
    rt::Value SetInfo(rt::Args args);  // ([cText], [nImage], [lSeparator], [lAutoSize], [lGroup])

private:
    static inline int kText = -1, kImage = -1, kSeparator = -1, kAutoSizeButton = -1, kGroup = -1, kTooltip = -1,
                      kMenu = -1, kEnabled = -1, kVisible = -1, kChecked = -1, kIndex = -1;

    rt::Value setState(int position, bool on, unsigned message, bool hidden);
    rt::Value infoSetter(size_t at, rt::Args args);
};

using TToolButton = UserClass<XToolButton, "TToolButton">;

}  // namespace vorpex
