// XHelp: a help file shown through WinHelp (extension HLP) or HTML Help (CHM); any other file does nothing.
// Application:SetHelp makes one, and a form's Help request without an OnHelp handler ends here. THelp is its
// user class.
#pragma once

#include "framework/core/object/component.h"
#include "framework/core/object/user_class.h"
#include "framework/core/timer/help_request.h"

namespace vorpex {

class XHelp : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord();

    const std::string& cFileName() const { return field(kFileName).asString(); }
    int nType() const { return field(kType).asInt(); }

    rt::Value New(rt::Args args) override;     // ([cFile])
    rt::Value Create(rt::Args args) override;  // ([cFile])
    rt::Value SetFile(rt::Args args);          // (cFile) -> cFile
    rt::Value ShowTOC(rt::Args args);
    rt::Value ShowIndex(rt::Args args);
    rt::Value ShowSearch(rt::Args args);
    rt::Value ShowTopic(rt::Args args);    // ([cTopic]) -> logical
    rt::Value ShowKeyword(rt::Args args);  // (cKeyword, [lIndexOnFail]) -> logical
    rt::Value ShowContext(rt::Args args);  // (nContext)
    rt::Value Popup(rt::Args args);        // (oControl)
    rt::Value ShowFinder(rt::Args args);
    rt::Value Close(rt::Args args);

private:
    static inline int kFileName = -1, kType = -1;

    // Runs one request. Files of another type answer nType - 1 and call nothing; WinHelp answers logical,
    // HTML Help the viewer's window (logical for the commands that report whether a window opened).
    rt::Value run(HelpCommand command, HelpRequest request, bool logicalAnswer = false);
    HelpRequest requestFor(HelpCommand command) const;
};

using THelp = UserClass<XHelp, "THelp">;

}  // namespace vorpex
