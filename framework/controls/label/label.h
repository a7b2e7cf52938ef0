// XLabel: a line or block of static text painted by the framework (no Windows static control). By default
// it sizes itself to its text; a text with a line break makes it multi-line. TLabel is its user class.
#pragma once

#include "framework/core/control/control.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

class XLabel : public TControl {
public:
    using TControl::TControl;
    static const rt::Class& classRecord();
    VP_CONSTRUCTORS(Create)
    VP_METHODS(Adjust, CalcBounds, WMPaint)
    VP_OVERRIDES(SetText)

    bool lAutoSize() const { return field(kAutoSize).asLogical(); }
    bool lMultiLine() const { return field(kMultiLine).asLogical(); }
    int64_t nAlignment() const { return field(kAlignment).asInteger(); }

private:
    static inline int kAlignment = -1, kVAlignment = -1, kAutoSize = -1, kMultiLine = -1;
    rt::Value SetAlignment(rt::Args args);
    rt::Value SetVAlignment(rt::Args args);
    rt::Value SetAutoSize(rt::Args args);
    rt::Value SetMultiLine(rt::Args args);
};

using TLabel = UserClass<XLabel, "TLabel">;

}  // namespace vorpex
