// XChooseFontDlg: the system's font dialog, started from the font the properties describe (name, point size or
// height, width, weight and bold, italic, underline, strike-out, character set, colour, size limits) and
// answering the font chosen in the same properties. TChooseFontDlg is its user class.
#pragma once

#include <cstdint>
#include <string>

#include "framework/core/object/component.h"
#include "framework/core/object/event.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

struct FontChoice {
    std::string name;  // cut to the system's 31 characters
    int64_t size = 0;  // points; 0: `height` holds the size
    int64_t height = 0, width = 0, weight = 0;
    int64_t style = 0;  // the dialog's font type bits (bold, italic, regular, ...)
    bool italic = false, underline = false, strikeOut = false;
    int64_t charSet = 1;  // DEFAULT_CHARSET
    int64_t color = 0;
};

struct FontRequest {
    intptr_t owner = 0;
    rt::Object* dialog = nullptr;  // the hook's: Help and the tests' answerer
    uint32_t flags = 0;            // already completed by chooseFontFlags
    intptr_t printerDC = 0;
    FontChoice font;
    int64_t sizeMin = 0, sizeMax = 0;
    bool center = false;
};

struct FontAnswer {
    bool ok = false;
    FontChoice font;
    uint32_t error = 0;  // CommDlgExtendedError after a cancel; 0 for a plain cancel
};

// The weight asked for: bold makes a light weight bold (700), not bold makes a bold weight normal (400).
int64_t fontWeightFor(int64_t weight, bool bold);
bool isBoldWeight(int64_t weight);
// The caller's flags with screen fonts when no font list is named and the size limit when one is given.
uint32_t chooseFontFlags(uint32_t flags, int64_t sizeMin, int64_t sizeMax);

// Runs the dialog; a cancel where there is none.
FontAnswer runChooseFont(const FontRequest& request);

class XChooseFontDlg : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord();
    static inline const EventRef OnShow{"OnShow"}, OnClose{"OnClose"};
    VP_METHODS(Run)  // () -> logical: .T. when a font was chosen; a cancel leaves the properties

private:
    FontChoice fontOfProperties();
    void writeFont(const FontChoice& font);
    static inline int kFlags = -1, kDC = -1, kName = -1, kSize = -1, kHeight = -1, kWidth = -1, kWeight = -1,
                      kStyle = -1, kBold = -1, kItalic = -1, kUnderline = -1, kStrikeOut = -1, kCharSet = -1,
                      kColor = -1, kSizeMin = -1, kSizeMax = -1, kCenter = -1, kLastError = -1;
};

using TChooseFontDlg = UserClass<XChooseFontDlg, "TChooseFontDlg">;

}  // namespace vorpex
