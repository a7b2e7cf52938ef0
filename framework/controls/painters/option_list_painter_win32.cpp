// The option list: rows of check boxes, radio buttons, image items, bold-when-checked texts and separators,
// with expanded items' children indented under them and the hot row highlighted in one of four styles.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/controls/painters/further_painters.h"
#include "framework/controls/painters/painter_layout.h"
#include "framework/controls/painters/painter_support.h"
#include "framework/core/gdi/bitmap_draw.h"
#include "framework/core/gdi/win_gdi.h"
#include "framework/core/paint/control_paint.h"
#include "framework/core/theme/theme.h"

namespace vorpex {

using rt::Value;
using namespace painters;

namespace {

constexpr int kThemeRadioPart = 2, kThemeCheckPart = 3;
constexpr UINT kSingleLine = DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER;

// The items as the walk needs them, read once; deeper levels than the walk draws are not read.
std::vector<OptionItem> readItems(const std::vector<Value>& items, int depth) {
    std::vector<OptionItem> out;
    out.reserve(items.size());
    for (const Value& v : items) {
        OptionItem item;
        item.text = textMember(v, "cText");
        item.type = intMember(v, "nType");
        item.multiline = flagMember(v, "lMultiline");
        item.enabled = flagMember(v, "lEnabled");
        item.image = intMember(v, "nImage");
        item.imageDisabled = intMember(v, "nImageDisabled");
        item.checked = flagMember(v, "lChecked");
        item.expanded = flagMember(v, "lExpanded");
        item.childIndent = intMember(v, "nChildIndent");
        const std::vector<Value> children = itemsMember(v, "aItems");
        if (depth + 1 < kMaxOptionDepth) {
            item.children = readItems(children, depth + 1);
        } else {
            item.children.resize(children.size());  // counted, never drawn
        }
        out.push_back(std::move(item));
    }
    return out;
}

struct ListLook {
    HDC dc;
    theme::HTHEMEHANDLE theme;
    HIMAGELIST images;
    int imageWidth, imageHeight;
    int64_t hotStyle;
    COLORREF text, hotText, gray;
};

void drawHotBackground(const ListLook& look, const RECT& row) {
    switch (look.hotStyle) {
        case 1: FillRect(look.dc, &row, systemBrush(COLOR_HIGHLIGHT)); break;
        case 2: {
            Owned<HPEN> pen(CreatePen(PS_SOLID, 1, RGB(49, 105, 198)));
            Owned<HBRUSH> brush(CreateSolidBrush(RGB(198, 211, 239)));
            Selected usePen(look.dc, pen.get()), useBrush(look.dc, brush.get());
            Rectangle(look.dc, row.left, row.top, row.right, row.bottom);
            break;
        }
        case 3: win::gradientFill(look.dc, {row.left, row.top, row.right, row.bottom}, RGB(232, 127, 8), RGB(246, 212, 116), true); break;
        default: break;
    }
}

// An image item's picture; a disabled item without a disabled image shows its image greyed.
void drawImage(const ListLook& look, const OptionItem& item, Point at) {
    if (item.image == 0 || !look.images) return;
    const int x = static_cast<int>(at.x), y = static_cast<int>(at.y);
    if (item.enabled || item.imageDisabled != 0) {
        const int64_t index = item.enabled ? item.image : item.imageDisabled;
        ImageList_Draw(look.images, static_cast<int>(index - 1), look.dc, x, y, ILD_TRANSPARENT);
        return;
    }
    HDC screen = GetDC(nullptr);
    Owned<HBITMAP> bitmap(CreateCompatibleBitmap(screen, look.imageWidth, look.imageHeight));
    ReleaseDC(nullptr, screen);
    if (!bitmap) return;
    {
        win::MemoryDC memory(bitmap.get());
        if (!memory) return;
        ImageList_Draw(look.images, static_cast<int>(item.image - 1), memory.get(), 0, 0, ILD_NORMAL);
    }
    VP_DrawBmpDisabled(look.dc, x, y, bitmap.get());
}

void drawGlyph(const ListLook& look, const OptionRow& row) {
    const OptionItem& item = *row.item;
    RECT box = toRECT(row.glyph);
    const bool radio = item.type == kRadioItem;
    if (look.theme) {
        const int state = (!item.enabled ? 4 : row.hot ? 2 : 1) + (item.checked ? 4 : 0);
        theme::drawThemeBackground(look.theme, look.dc, radio ? kThemeRadioPart : kThemeCheckPart, state, &box, nullptr);
        return;
    }
    UINT state = (radio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK) | DFCS_TRANSPARENT;
    if (item.checked) state |= DFCS_CHECKED;
    if (!item.enabled) state |= DFCS_INACTIVE;
    DrawFrameControl(look.dc, &box, DFC_BUTTON, state);
}

// A copy of the DC's font, bold or underlined; none when neither is asked for.
HFONT variantFont(HDC dc, bool bold, bool underline) {
    if (!bold && !underline) return nullptr;
    LOGFONTA lf{};
    if (!GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof lf, &lf)) return nullptr;
    if (bold) lf.lfWeight = FW_BOLD;
    if (underline) lf.lfUnderline = TRUE;
    return CreateFontIndirectA(&lf);
}

COLORREF rowTextColour(const ListLook& look, const OptionRow& row) {
    if (!row.item->enabled) return look.gray;
    // A bold-when-checked text keeps the list's text colour, also when hot: its background is the only mark.
    if (row.item->type == kTextItem || !row.hot) return look.text;
    switch (look.hotStyle) {
        case 0: return look.hotText;
        case 1: return GetSysColor(COLOR_HIGHLIGHTTEXT);
        case 2:
        case 3: return GetSysColor(COLOR_WINDOWTEXT);
        default: return look.text;
    }
}

void drawText(const ListLook& look, const OptionRow& row) {
    const OptionItem& item = *row.item;
    SetTextColor(look.dc, rowTextColour(look, row));
    const bool bold = item.type == kTextItem && item.checked;
    const bool underline = row.hot && item.enabled && item.type != kTextItem && look.hotStyle == 0;
    Owned<HFONT> font(variantFont(look.dc, bold, underline));
    Selected useFont(look.dc, font.get());
    RECT r = toRECT(row.contents);
    if (item.multiline) {
        OffsetRect(&r, 0, static_cast<int>(row.textOffset));
        DrawTextA(look.dc, item.text.c_str(), static_cast<int>(item.text.size()), &r, DT_WORDBREAK);
    } else {
        DrawTextA(look.dc, item.text.c_str(), static_cast<int>(item.text.size()), &r, kSingleLine);
    }
}

void drawRow(const ListLook& look, const OptionRow& row) {
    const RECT full = toRECT(row.row);
    if (row.hot) drawHotBackground(look, full);
    const OptionItem& item = *row.item;
    if (item.type == kSeparator) {
        RECT line = toRECT(row.contents);
        DrawEdge(look.dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    if (item.type == kImageItem) {
        drawImage(look, item, row.image);
    } else if (item.type != kTextItem) {
        drawGlyph(look, row);
    }
    drawText(look, row);
}

// The height of a wrapped text in the font the row will draw it with.
int64_t measureWrapped(HDC dc, const OptionItem& item, int64_t left, int64_t right) {
    Owned<HFONT> font(variantFont(dc, item.type == kTextItem && item.checked, false));
    Selected useFont(dc, font.get());
    RECT r{static_cast<LONG>(left), 0, static_cast<LONG>(right), 0};
    return DrawTextA(dc, item.text.c_str(), static_cast<int>(item.text.size()), &r, DT_CALCRECT | DT_WORDBREAK);
}

}  // namespace

Value XOPTIONLIST_WMPAINT(rt::Object& self, const rt::Method&, rt::Args args) {
    return inPaintFrame(self, args, [&](HWND window, HDC dc) {
        const std::vector<OptionItem> items = readItems(itemsMember(self, "aItems"), 0);
        Selected useFont(dc, handleMember<HFONT>(self, "oFont"));
        const RECT client = clientRect(window);
        VP_DrawControlBackground(self, dc, client);
        SetBkMode(dc, TRANSPARENT);
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);

        ListLook look{dc, 0, handleMember<HIMAGELIST>(self, "oImageList"), 0, 16, intMember(self, "nHotStyle"),
                      static_cast<COLORREF>(intMember(self, "nClrText")),
                      static_cast<COLORREF>(intMember(self, "nClrTextHot")), GetSysColor(COLOR_GRAYTEXT)};
        if (look.images && ImageList_GetImageCount(look.images) > 0)
            ImageList_GetIconSize(look.images, &look.imageWidth, &look.imageHeight);
        OptionListMetrics metrics;
        metrics.client = {client.left, client.top, client.right, client.bottom};
        metrics.left = intMember(self, "nLeftMargin");
        metrics.top = intMember(self, "nClientTop") + intMember(self, "nTopMargin");
        metrics.itemHeight = std::max<int64_t>(intMember(self, "nItemHeight"), tm.tmHeight);
        metrics.imageWidth = look.imageWidth;
        metrics.imageHeight = look.imageHeight;
        metrics.hotItem = intMember(self, "nHotItem");

        if (theme::isAppThemed()) look.theme = theme::openThemeData(window, L"Button");
        const auto measure = [dc](const OptionItem& item, int64_t left, int64_t right) {
            return measureWrapped(dc, item, left, right);
        };
        for (const OptionRow& row : optionListRows(items, metrics, measure)) drawRow(look, row);
        theme::closeThemeData(look.theme);
    });
}

}  // namespace vorpex
