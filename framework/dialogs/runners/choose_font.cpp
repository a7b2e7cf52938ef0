#include "framework/dialogs/runners/choose_font.h"

#include "framework/core/native/value_readers.h"
#include "framework/core/object/vp_class.h"
#include "framework/dialogs/owner_window.h"

namespace vorpex {

using rt::Value;

namespace {

using native::integerOf;
using native::textOf;

constexpr uint32_t kScreenFonts = 0x1, kPrinterFonts = 0x2, kLimitSize = 0x2000;  // CF_*
constexpr int64_t kNormal = 400, kBold = 700, kBoldFrom = 600;                   // FW_*

}  // namespace

int64_t fontWeightFor(int64_t weight, bool bold) {
    if (bold) return weight >= kBoldFrom ? weight : kBold;
    return weight >= kBoldFrom ? kNormal : weight;
}

bool isBoldWeight(int64_t weight) { return weight >= kBoldFrom; }

uint32_t chooseFontFlags(uint32_t flags, int64_t sizeMin, int64_t sizeMax) {
    if (!(flags & (kScreenFonts | kPrinterFonts))) flags |= kScreenFonts;
    if (sizeMin > 0 || sizeMax > 0) flags |= kLimitSize;
    return flags;
}

const rt::Class& XChooseFontDlg::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XChooseFontDlg", &TComponent::classRecord(), rt::factoryOf<XChooseFontDlg>());
        const auto number = [&b](const char* name, int64_t initial) {
            return b.addProperty({.name = name, .initial = initial, .type = "N", .scope = Published});
        };
        const auto logical = [&b](const char* name) {
            return b.addProperty({.name = name, .initial = false, .type = "L", .scope = Published});
        };
        kFlags = number("nFlags", 0x101);  // screen fonts and effects
        kDC = number("hDC", 0);
        kName = b.addProperty({.name = "cName", .initial = "", .type = "C", .scope = Published});
        kSize = number("nSize", 0);
        kHeight = number("nHeight", 0);
        kWidth = number("nWidth", 0);
        kWeight = number("nWeight", 0);
        kStyle = number("nStyle", 0);
        kBold = logical("lBold");
        kItalic = logical("lItalic");
        kUnderline = logical("lUnderline");
        kStrikeOut = logical("lStrikeOut");
        kCharSet = number("nCharSet", 1);
        kColor = number("nColor", 0);
        kSizeMin = number("nSizeMin", 0);
        kSizeMax = number("nSizeMax", 0);
        kCenter = logical("lCenter");
        b.addProperty({.name = "HelpId", .scope = Published});
        b.addEvent("OnShow", Published, "oSender");
        b.addEvent("OnClose", Published, "oSender");
        b.addEvent("OnHelp", Published, "oSender, HelpId, nPosX, nPosY");
        kLastError = b.addData("nLastError", 0, "N");
        addMembers<XChooseFontDlg>(b);
        return b.create();
    }();
    return c;
}

FontChoice XChooseFontDlg::fontOfProperties() {
    FontChoice f;
    f.name = textOf(field(kName));
    f.size = integerOf(field(kSize));
    f.height = integerOf(field(kHeight));
    f.width = integerOf(field(kWidth));
    f.weight = fontWeightFor(integerOf(field(kWeight)), field(kBold).asLogical());
    f.italic = field(kItalic).asLogical();
    f.underline = field(kUnderline).asLogical();
    f.strikeOut = field(kStrikeOut).asLogical();
    f.charSet = integerOf(field(kCharSet));
    f.color = integerOf(field(kColor));
    return f;
}

void XChooseFontDlg::writeFont(const FontChoice& f) {
    field(kName) = Value(f.name);
    field(kSize) = Value(f.size);
    field(kHeight) = Value(f.height);
    field(kWidth) = Value(f.width);
    field(kWeight) = Value(f.weight);
    field(kStyle) = Value(f.style);
    field(kBold) = Value(isBoldWeight(f.weight));
    field(kItalic) = Value(f.italic);
    field(kUnderline) = Value(f.underline);
    field(kStrikeOut) = Value(f.strikeOut);
    field(kCharSet) = Value(f.charSet);
    field(kColor) = Value(f.color);
}

Value XChooseFontDlg::Run(rt::Args) {
    FontRequest r;
    r.owner = ownerWindow(oParent() ? Value(oParent()) : Value());
    r.dialog = this;
    r.sizeMin = integerOf(field(kSizeMin));
    r.sizeMax = integerOf(field(kSizeMax));
    r.flags = chooseFontFlags(static_cast<uint32_t>(integerOf(field(kFlags))), r.sizeMin, r.sizeMax);
    r.printerDC = static_cast<intptr_t>(integerOf(field(kDC)));
    r.center = field(kCenter).asLogical();
    r.font = fontOfProperties();
    fireEvent(*this, OnShow);
    const FontAnswer a = runChooseFont(r);
    field(kLastError) = Value(static_cast<int64_t>(a.error));
    if (a.ok) writeFont(a.font);
    fireEvent(*this, OnClose);
    return Value(a.ok);
}

}  // namespace vorpex
