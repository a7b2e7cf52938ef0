// Owner-drawn menu items: measured by the rules of menu_measure.h with the system's menu font, and painted in
// their menu's style. The menu fonts are made once for the program and let go when it ends.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "framework/controls/menu/menu.h"
#include "framework/controls/menu/menu_item.h"
#include "framework/controls/menu/menu_measure.h"
#include "framework/controls/painters/painter_support.h"
#include "framework/core/gdi/bitmap_draw.h"
#include "framework/core/native/windows_version.h"
#include "framework/core/window/object_link.h"

namespace vorpex {

using rt::Value;

namespace {

// The menu font of the system and its bold variant.
class MenuFonts {
public:
    static const MenuFonts& get() {
        static const MenuFonts fonts;
        return fonts;
    }
    HFONT font(bool bold) const { return bold ? bold_ : normal_; }
    ~MenuFonts() {
        if (normal_) DeleteObject(normal_);
        if (bold_) DeleteObject(bold_);
    }

private:
    MenuFonts() {
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        normal_ = CreateFontIndirectA(&metrics.lfMenuFont);
        metrics.lfMenuFont.lfWeight = FW_BOLD;
        bold_ = CreateFontIndirectA(&metrics.lfMenuFont);
    }
    HFONT normal_ = nullptr, bold_ = nullptr;
};

// Selects a font into a device context for the length of a scope.
class FontScope {
public:
    FontScope(HDC dc, HFONT font) : dc_(dc), previous_(font ? SelectObject(dc, font) : nullptr) {}
    ~FontScope() {
        if (previous_) SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

menu::TextSize textSize(HDC dc, const std::string& text, HFONT font) {
    if (text.empty()) return {};
    FontScope scope(dc, font);
    RECT r{0, 0, 0, 0};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_CALCRECT);
    return {r.right - r.left, r.bottom - r.top};
}

menu::TextSize wrappedSize(HDC dc, const std::string& text, HFONT font) {
    FontScope scope(dc, font);
    RECT r{0, 0, 200, 0};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_WORDBREAK | DT_CALCRECT);
    return {r.right - r.left, r.bottom - r.top};
}

bool newWindows() { return windowsVersion().major > 5; }

struct ImageListView {
    HIMAGELIST list = nullptr;
    int width = 0, height = 0;
};

ImageListView imagesOf(XMenuItem& item) {
    ImageListView v;
    v.list = reinterpret_cast<HIMAGELIST>(handleOf(item.ImageList({})));
    if (v.list) ImageList_GetIconSize(v.list, &v.width, &v.height);
    return v;
}

void fill(HDC dc, RECT r, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void menuLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF color) { painters::line(dc, color, {x1, y1}, {x2, y2}); }

void etchedLine(HDC dc, int left, int right, int y) {
    menuLine(dc, left, y, right, y, GetSysColor(COLOR_BTNSHADOW));
    menuLine(dc, left, y + 1, right, y + 1, GetSysColor(COLOR_BTNHIGHLIGHT));
}

// A rectangle outlined with `pen` and filled with `brush`; `round` gives rounded corners of that size.
void box(HDC dc, RECT r, COLORREF pen, COLORREF brushColor, int round = 0) {
    HPEN p = CreatePen(PS_SOLID, 1, pen);
    HBRUSH b = CreateSolidBrush(brushColor);
    HGDIOBJ oldPen = SelectObject(dc, p), oldBrush = SelectObject(dc, b);
    round ? RoundRect(dc, r.left, r.top, r.right, r.bottom, round, round) : Rectangle(dc, r.left, r.top, r.right, r.bottom);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(p);
    DeleteObject(b);
}

void gradient(HDC dc, RECT r, COLORREF from, COLORREF to, bool vertical) {
    TRIVERTEX v[2] = {{r.left, r.top, static_cast<COLOR16>(GetRValue(from) << 8), static_cast<COLOR16>(GetGValue(from) << 8),
                       static_cast<COLOR16>(GetBValue(from) << 8), 0},
                      {r.right, r.bottom, static_cast<COLOR16>(GetRValue(to) << 8), static_cast<COLOR16>(GetGValue(to) << 8),
                       static_cast<COLOR16>(GetBValue(to) << 8), 0}};
    GRADIENT_RECT g{0, 1};
    GradientFill(dc, v, 2, &g, 1, vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
}

// The check mark, drawn as a tick in `color` centred on (x, y).
void tick(HDC dc, int x, int y, COLORREF color) {
    for (int dy = 0; dy < 2; ++dy) {
        menuLine(dc, x - 3, y - 1 + dy, x - 1, y + 1 + dy, color);
        menuLine(dc, x - 1, y + 1 + dy, x + 4, y - 4 + dy, color);
    }
}

struct Palette {
    COLORREF frame, column, columnTo, selectionPen, selectionFill, openFill, openFillTo, checkPen, checkFill,
        checkFillHot;
};
constexpr Palette kOfficeXp{RGB(138, 134, 122), RGB(239, 237, 222), RGB(239, 237, 222), RGB(49, 106, 197),
                            RGB(193, 210, 238), RGB(239, 237, 222), RGB(239, 237, 222), RGB(49, 106, 197),
                            RGB(225, 230, 232), RGB(152, 181, 226)};
constexpr Palette kOffice2003{RGB(0, 0, 128),     RGB(227, 239, 255), RGB(134, 172, 228), RGB(0, 0, 128),
                              RGB(255, 238, 194), RGB(227, 239, 255), RGB(134, 172, 228), RGB(0, 0, 128),
                              RGB(255, 192, 111), RGB(254, 128, 62)};

struct Crystal {
    COLORREF upper, lower, border;
};
constexpr Crystal kCrystal2007{RGB(255, 255, 223), RGB(255, 214, 108), RGB(219, 206, 153)};
constexpr Crystal kCrystal2007Ex{RGB(255, 245, 196), RGB(255, 218, 110), RGB(220, 206, 154)};

// One item being painted.
struct Painting {
    XMenuItem& item;
    XMenu& menu;
    const DRAWITEMSTRUCT& record;
    HDC dc;
    RECT r;
    bool selected, disabled, checked, hot, noAccel, popup;
    menu::SharedLayout layout;
    ImageListView images;
    menu::ItemText text;

    bool highlighted() const { return (selected || hot) && !disabled; }
    bool hasImage() const { return images.list && item.nImage() > 0; }
    int centredY(int h) const { return (r.top + r.bottom - h) / 2; }
};

void drawImage(const Painting& p, int x, int y) {
    if (!p.hasImage()) return;
    const int index = static_cast<int>(p.item.nImage() - 1);
    ImageList_DrawEx(p.images.list, index, p.dc, x, y, 0, 0, CLR_NONE, CLR_NONE,
                     p.disabled ? ILD_TRANSPARENT | ILD_BLEND50 : ILD_TRANSPARENT);
}

// Label and shortcut, in the colours already set on the device context.
void drawTexts(const Painting& p, int x, bool bold) {
    FontScope scope(p.dc, MenuFonts::get().font(bold));
    UINT format = DT_SINGLELINE | (p.item.nStyle() == 4 ? 0 : DT_VCENTER);
    BOOL cues = TRUE;
    SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &cues, 0);
    if (p.noAccel && !cues) format |= DT_HIDEPREFIX;
    RECT label = p.r;
    label.left = x;
    label.top += p.item.nStyle() == 4 ? 4 : 1;
    auto draw = [&](RECT area, const std::string& text, UINT extra) {
        if (p.disabled && !newWindows()) {
            const COLORREF old = SetTextColor(p.dc, GetSysColor(COLOR_BTNHIGHLIGHT));
            RECT shifted = area;
            OffsetRect(&shifted, 1, 1);
            DrawTextA(p.dc, text.c_str(), -1, &shifted, format | extra);
            SetTextColor(p.dc, old);
        }
        if (p.disabled) SetTextColor(p.dc, GetSysColor(COLOR_GRAYTEXT));
        DrawTextA(p.dc, text.c_str(), -1, &area, format | extra);
    };
    draw(label, p.text.label, 0);
    if (p.text.shortcut.empty()) return;
    RECT shortcut = label;
    if (newWindows()) {
        shortcut.left = static_cast<LONG>(menu::shortcutLeft(p.item.nStyle(), p.r.left, p.r.right, p.layout));
        draw(shortcut, p.text.shortcut, 0);
    } else {
        shortcut.right -= menu::kOldShortcutInset;
        draw(shortcut, p.text.shortcut, DT_RIGHT);
    }
}

void paintSystem(Painting& p) {
    const COLORREF back = p.selected ? GetSysColor(COLOR_HIGHLIGHT) : GetSysColor(p.popup ? COLOR_MENU : COLOR_BTNFACE);
    SetTextColor(p.dc, GetSysColor(p.selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    SetBkColor(p.dc, back);
    fill(p.dc, p.r, back);
    if (p.item.isSeparator() && p.popup) {
        etchedLine(p.dc, p.r.left + 1, p.r.right - 1, (p.r.top + p.r.bottom - 1) / 2);
        return;
    }
    if (p.checked && p.popup) tick(p.dc, p.r.left + 2 + GetSystemMetrics(SM_CXMENUCHECK) / 2, (p.r.top + p.r.bottom) / 2,
                                   GetTextColor(p.dc));
    int x = p.r.left + (p.popup ? GetSystemMetrics(SM_CXMENUCHECK) + 2 : 6);
    if (p.hasImage()) {
        drawImage(p, x, p.centredY(p.images.height));
        x += p.images.width + 4;
    }
    SetBkMode(p.dc, TRANSPARENT);
    drawTexts(p, p.popup ? static_cast<int>(menu::labelLeft(0, p.r.left, p.layout)) : x, false);
}

void paintSeparatorOfBar(const Painting& p) {
    const RECT& r = p.r;
    menuLine(p.dc, r.left + 3, r.bottom - 3, r.left + 3, r.top + 2, GetSysColor(COLOR_BTNHIGHLIGHT));
    menuLine(p.dc, r.left + 3, r.top + 2, r.left + 5, r.top + 2, GetSysColor(COLOR_BTNHIGHLIGHT));
    menuLine(p.dc, r.left + 5, r.top + 2, r.left + 5, r.bottom - 3, GetSysColor(COLOR_BTNSHADOW));
    menuLine(p.dc, r.left + 5, r.bottom - 3, r.left + 2, r.bottom - 3, GetSysColor(COLOR_BTNSHADOW));
}

// The background of an item that is neither selected nor hot, in styles 1 to 4.
void paintNormalBackground(const Painting& p, const Palette* palette) {
    if (!p.popup) {
        RECT wider = p.r;
        wider.right += 3;
        fill(p.dc, wider, GetSysColor(COLOR_BTNFACE));
        SetBkColor(p.dc, GetSysColor(COLOR_BTNFACE));
        return;
    }
    RECT column = p.r, rest = p.r;
    if (palette) {
        column.right = column.left + menu::kImageColumn;
        rest.left = column.right;
        palette == &kOfficeXp ? fill(p.dc, column, palette->column) : gradient(p.dc, column, palette->column, palette->columnTo, false);
    } else {
        column.right = column.left + menu::kImageColumnWide;
        rest.left = column.right;
        fill(p.dc, column, RGB(233, 238, 238));
        menuLine(p.dc, p.r.left + 25, p.r.top, p.r.left + 25, p.r.bottom, RGB(197, 197, 197));
    }
    fill(p.dc, rest, RGB(255, 255, 255));
    SetBkColor(p.dc, RGB(255, 255, 255));
}

void paintSelection(const Painting& p, const Palette* palette, const Crystal* crystal) {
    RECT area = p.r;
    if (!p.popup) area.top += 1;
    const bool openBarItem = !p.popup && p.selected;
    if (openBarItem) {
        RECT open = p.r;
        open.top += 2;
        if (palette == &kOffice2003) gradient(p.dc, open, palette->openFill, palette->openFillTo, true);
        else if (palette) fill(p.dc, open, palette->openFill);
        else VP_CrystalFillV(p.dc, open, RGB(239, 240, 240), RGB(220, 223, 223));
        const COLORREF frame = palette ? palette->frame : RGB(128, 128, 128);
        menuLine(p.dc, open.left, open.bottom, open.left, open.top, frame);
        menuLine(p.dc, open.left, open.top, open.right - 1, open.top, frame);
        menuLine(p.dc, open.right - 1, open.top, open.right - 1, open.bottom, frame);
        SetBkColor(p.dc, palette == &kOfficeXp ? palette->openFill : RGB(255, 239, 227));
        return;
    }
    if (palette) {
        box(p.dc, area, palette->selectionPen, palette->selectionFill);
        SetBkColor(p.dc, palette->selectionFill);
    } else {
        VP_CrystalFillV(p.dc, area, crystal->upper, crystal->lower, crystal->border);
        SetBkColor(p.dc, RGB(255, 255, 255));
    }
}

void paintOfficeSeparator(const Painting& p, bool wide) {
    if (!p.popup) {
        paintSeparatorOfBar(p);
        return;
    }
    const bool caption = p.item.nStyle() == 4 && p.item.cMessage().isString() && !p.item.cMessage().asString().empty();
    if (caption) {
        RECT band = p.r;
        band.bottom -= 1;
        fill(p.dc, band, RGB(221, 231, 238));
        RECT text = band;
        text.left += 10;
        FontScope scope(p.dc, MenuFonts::get().font(true));
        SetBkMode(p.dc, TRANSPARENT);
        DrawTextA(p.dc, p.item.cMessage().asString().c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER);
        menuLine(p.dc, p.r.left + 1, p.r.bottom - 1, p.r.right - 1, p.r.bottom - 1, GetSysColor(COLOR_BTNSHADOW));
        return;
    }
    RECT white = p.r;
    white.left += wide ? 28 : 26;
    fill(p.dc, white, RGB(255, 255, 255));
    etchedLine(p.dc, white.left + 1, p.r.right - 1, (p.r.top + p.r.bottom - 1) / 2);
}

void paintOffice(Painting& p) {
    const int64_t style = p.item.nStyle();
    const Palette* palette = style == 1 ? &kOfficeXp : style == 2 ? &kOffice2003 : nullptr;
    const Crystal* crystal = style == 3 ? &kCrystal2007 : &kCrystal2007Ex;
    SetTextColor(p.dc, palette ? (p.highlighted() ? RGB(0, 0, 0) : GetSysColor(COLOR_MENUTEXT)) : RGB(0, 0, 128));
    SetBkMode(p.dc, TRANSPARENT);
    if (p.item.isSeparator()) {
        if (p.popup) paintNormalBackground(p, palette);
        paintOfficeSeparator(p, !palette);
        return;
    }
    p.highlighted() ? paintSelection(p, palette, crystal) : paintNormalBackground(p, palette);
    const int d = style == 3 ? 1 : (p.item.cMessage().isString() && !p.item.cMessage().asString().empty() ? 4 : 2);
    if (p.checked && p.popup) {
        const bool hotBox = p.highlighted();
        if (palette) {
            box(p.dc, {p.r.left + 2, p.r.top + 1, p.r.left + static_cast<int>(p.layout.margin) - 4, p.r.bottom - 1},
                palette->checkPen, hotBox ? palette->checkFillHot : palette->checkFill);
        } else {
            const int m = static_cast<int>(p.layout.margin);
            box(p.dc, {p.r.left + 2, p.r.top + d, p.r.left + m - 2, p.r.top + m + d - 4}, RGB(242, 149, 54),
                hotBox ? RGB(255, 227, 149) : RGB(251, 224, 147), 2);
        }
        if (!p.hasImage())
            tick(p.dc, p.r.left + static_cast<int>(p.layout.margin) / 2 - 1,
                 palette ? (p.r.top + p.r.bottom) / 2 : p.r.top + d + static_cast<int>(p.layout.margin) / 2 - 2,
                 GetTextColor(p.dc));
    }
    if (p.hasImage() && p.popup) {
        if (style == 3)
            drawImage(p, p.r.left + (static_cast<int>(p.layout.margin) - p.images.width) / 2,
                      p.r.top + (static_cast<int>(p.layout.margin) - p.images.height) / 2);
        else if (style == 4)
            drawImage(p, p.r.left + 4, p.r.top + d + 2);
        else
            drawImage(p, p.r.left + 4, p.centredY(p.images.height));
    }
    const int x = p.popup ? static_cast<int>(menu::labelLeft(style, p.r.left, p.layout)) : p.r.left + 6;
    drawTexts(p, x, style == 4 && p.popup);
    if (style == 4 && p.popup && p.item.cMessage().isString() && !p.item.cMessage().asString().empty()) {
        FontScope scope(p.dc, MenuFonts::get().font(false));
        TEXTMETRICA metrics{};
        GetTextMetricsA(p.dc, &metrics);
        RECT message{x, p.r.top + 4 + metrics.tmHeight + 1, x + 200, p.r.bottom};
        if (p.disabled) SetTextColor(p.dc, GetSysColor(COLOR_GRAYTEXT));
        DrawTextA(p.dc, p.item.cMessage().asString().c_str(), -1, &message, DT_WORDBREAK);
    }
}

}  // namespace

Value XMenuItem::MeasureItem(rt::Args args) {
    auto* record = reinterpret_cast<MEASUREITEMSTRUCT*>(static_cast<intptr_t>(rt::arg(args, 0).asInteger()));
    auto parent = menu();
    if (!record || !parent) return Value(false);
    menu::MeasureInput in;
    in.style = nStyle();
    in.popup = parent->lPopup();
    in.separator = isSeparator();
    const ImageListView images = imagesOf(*this);
    in.hasImage = images.list && nImage() > 0;
    in.imageWidth = images.width;
    in.imageHeight = images.height;
    in.newWindows = newWindows();
    in.checkWidth = GetSystemMetrics(SM_CXMENUCHECK);
    in.barHeight = GetSystemMetrics(SM_CYMENU);
    const menu::ItemText text = menu::splitItemText(cText());
    in.label = text.label;
    in.shortcut = text.shortcut;
    HDC dc = GetDC(nullptr);
    const MenuFonts& fonts = MenuFonts::get();
    in.labelSize = textSize(dc, text.label, fonts.font(in.style == 4 && in.popup));
    in.shortcutSize = textSize(dc, text.shortcut, fonts.font(false));
    in.hasMessage = in.style == 4 && cMessage().isString() && !cMessage().asString().empty();
    if (in.hasMessage) in.messageSize = wrappedSize(dc, cMessage().asString(), fonts.font(false));
    ReleaseDC(nullptr, dc);
    menu::SharedLayout layout = parent->layout();
    const menu::ItemSize size = menu::measureItem(in, layout);
    parent->setLayout(layout);
    record->itemWidth = static_cast<UINT>(size.width);
    record->itemHeight = static_cast<UINT>(size.height);
    setMeasured(true);
    return Value(true);
}

Value XMenuItem::DrawItem(rt::Args args) {
    auto* record = reinterpret_cast<DRAWITEMSTRUCT*>(static_cast<intptr_t>(rt::arg(args, 0).asInteger()));
    auto parent = menu();
    if (!record || !parent || nStyle() < 0 || nStyle() > 4) return Value(true);
    const UINT state = record->itemState;
    Painting p{*this,
               *parent,
               *record,
               record->hDC,
               record->rcItem,
               (state & ODS_SELECTED) != 0,
               (state & ODS_DISABLED) != 0 || (state & ODS_GRAYED) != 0,
               (state & ODS_CHECKED) != 0,
               (state & ODS_HOTLIGHT) != 0,
               (state & ODS_NOACCEL) != 0,
               parent->lPopup(),
               parent->layout(),
               imagesOf(*this),
               menu::splitItemText(cText())};
    const int saved = SaveDC(p.dc);
    nStyle() == 0 ? paintSystem(p) : paintOffice(p);
    RestoreDC(p.dc, saved);
    return Value(true);
}

}  // namespace vorpex
