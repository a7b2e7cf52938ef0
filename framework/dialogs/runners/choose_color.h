// XChooseColorDlg: the system's colour dialog, started from nColor and the 16 custom colours, answering the
// chosen colour and the custom colours as the user left them. TChooseColorDlg is its user class.
#pragma once

#include <array>
#include <cstdint>

#include "framework/core/object/component.h"
#include "framework/core/object/event.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

using CustomColors = std::array<int64_t, 16>;

struct ColorRequest {
    intptr_t owner = 0;
    rt::Object* dialog = nullptr;  // the hook's: Help and the tests' answerer
    uint32_t flags = 0;
    bool showsHelp = false, center = false;
    int64_t color = 0;
    CustomColors custom{};
};

struct ColorAnswer {
    bool ok = false;
    int64_t color = 0;
    CustomColors custom{};
    uint32_t error = 0;  // CommDlgExtendedError after a cancel; 0 for a plain cancel
};

// Runs the dialog; a cancel where there is none.
ColorAnswer runChooseColor(const ColorRequest& request);

class XChooseColorDlg : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord();
    static inline const EventRef OnShow{"OnShow"}, OnClose{"OnClose"};
    VP_METHODS(Run)  // () -> logical: .T. when a colour was chosen

private:
    static inline int kFlags = -1, kColor = -1, kCustomColors = -1, kCenter = -1, kLastError = -1;
};

using TChooseColorDlg = UserClass<XChooseColorDlg, "TChooseColorDlg">;

}  // namespace vorpex
