// XHelp: a help file shown through WinHelp (extension HLP) or HTML Help (CHM); any other file does nothing.
// Application:SetHelp makes one, and a form's Help request without an OnHelp handler ends here. THelp is its
// user class.
#pragma once

#include "framework/core/object/component.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"
#include "framework/core/timer/help_request.h"

namespace vorpex {

class XHelp : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord();
    VP_METHODS(SetFile,      // (cFile) -> cFile
               ShowTOC,
               ShowIndex,
               ShowSearch,
               ShowTopic,    // ([cTopic]) -> logical
               ShowKeyword,  // (cKeyword, [lIndexOnFail]) -> logical
               ShowContext,  // (nContext)
               Popup,        // (oControl)
               ShowFinder,
               Close)

    const std::string& cFileName() const { return field(kFileName).asString(); }
    int nType() const { return field(kType).asInt(); }

    rt::Value New(rt::Args args) override;     // ([cFile])
    rt::Value Create(rt::Args args) override;  // ([cFile])

private:
    static inline int kFileName = -1, kType = -1;

    // Runs one request. Files of another type answer nType - 1 and call nothing; WinHelp answers logical,
    // HTML Help the viewer's window (logical for the commands that report whether a window opened).
    rt::Value run(HelpCommand command, HelpRequest request, bool logicalAnswer = false);
    HelpRequest requestFor(HelpCommand command) const;
};

using THelp = UserClass<XHelp, "THelp">;

}  // namespace vorpex
