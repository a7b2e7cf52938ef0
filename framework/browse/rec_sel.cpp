#include "framework/browse/rec_sel.h"

#include <memory>

#include "framework/browse/browse.h"
#include "framework/browse/browse_args.h"
#include "framework/browse/grid_gdi.h"
#include "framework/browse/model/cell_rules.h"
#include "framework/core/object/optional_send.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/window/object_link.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;
using namespace browse;

namespace {

// The new-record mark when the program's resources lack one: a small solid star of 12 x 12 pixels.
void drawNewRecordMark(HDC dc, int64_t x, int64_t y) {
    HPEN pen = CreatePen(PS_SOLID, 2, RGB(0, 0, 0));
    const int cx = static_cast<int>(x) + 6, cy = static_cast<int>(y) + 6;
    for (const POINT p : {POINT{-4, 0}, POINT{0, -4}, POINT{-3, -3}, POINT{3, -3}}) {
        HGDIOBJ old = SelectObject(dc, pen);
        MoveToEx(dc, cx + p.x, cy + p.y, nullptr);
        LineTo(dc, cx - p.x, cy - p.y);
        SelectObject(dc, old);
    }
    DeleteObject(pen);
}

// The pointer when the system has no menu-arrow bitmap: a black triangle pointing right.
void drawArrow(HDC dc, int64_t x, int64_t y) {
    const int left = static_cast<int>(x) + 4, top = static_cast<int>(y) + 2;
    const POINT points[] = {{left, top}, {left + 4, top + 4}, {left, top + 8}};
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
    Polygon(dc, points, 3);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
}

}  // namespace

XBrwRecSel::~XBrwRecSel() {
    if (pointers_) ImageList_Destroy(pointers_);
    if (paneBrush_) DeleteObject(paneBrush_);
}

const rt::Class& XBrwRecSel::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XBrwRecSel;
        VPClass b("XBrwRecSel", &TComponent::classRecord(), rt::factoryOf<XBrwRecSel>());
        kFont = b.addProperty({.name = "oFont", .type = "O", .scope = Published, .getter = &X::GetFont,
                               .setter = &X::SetFont});
        kClrText = b.addProperty({.name = "nClrText", .initial = 0, .type = "N", .scope = Published,
                                  .setter = &X::SetClrText});
        kClrPane = b.addProperty({.name = "nClrPane", .initial = number(GetSysColor(COLOR_BTNFACE)), .type = "N",
                                  .scope = Published, .setter = &X::SetClrPane});
        kAlignment = b.addProperty({.name = "nAlignment", .initial = 0, .type = "N", .scope = Published,
                                    .setter = &X::SetAlignment});
        kBmpAlignment = b.addProperty({.name = "nBmpAlignment", .initial = 0, .type = "N", .scope = Published});
        kWidth = b.addProperty({.name = "nWidth", .initial = 24, .type = "N", .scope = Published,
                                .getter = &X::GetWidth, .setter = &X::SetWidth});
        kBmpMargin = b.addProperty({.name = "nBmpMargin", .initial = 10, .type = "N", .scope = Published});
        kRecordPointer = b.addProperty({.name = "lRecordPointer", .initial = true, .type = "L", .scope = Published,
                                        .setter = &X::SetRecordPointer});
        kParentFont = b.addProperty({.name = "lParentFont", .initial = true, .type = "L", .scope = Published,
                                     .setter = rt::NativeMethod([](rt::Object& o, const rt::Method&, rt::Args a) {
                                         return static_cast<X&>(o).SetFont(Vals{Value(), rt::arg(a, 0)}),
                                                rt::arg(a, 0);
                                     })});
        kHeight = b.addProperty({.name = "nHeight", .initial = 0, .type = "N", .scope = Exported,
                                 .getter = &X::GetHeight});
        b.addData("oImgListRow", Value(), "O", Protected);
        kDrawTextStyle = b.addData("nDrawTextStyle", Value(), "N", Protected);
        b.addData("Handle", 0, "N", Protected);
        b.addEvent("OnClick", Published, "oSender, nFlags, nPosX, nPosY");
        b.addEvent("OnRClick", Published, "oSender, nFlags, nPosX, nPosY");
        b.addEvent("OnDblClick", Published, "oSender, nFlags, nPosX, nPosY");
        b.addEvent("OnGetData", Published, "oSender, cText, nImage, lSelected");
        addMembers<XBrwRecSel>(b);
        b.addVirtual("VPClick");
        return b.create();
    }();
    return c;
}

XBrowse* XBrwRecSel::browse() const {
    rt::ObjectPtr parent = oParent();
    return dynamic_cast<XBrowse*>(parent.get());
}

Value XBrwRecSel::Create(rt::Args args) {
    TComponent::Create(args);
    if (XBrowse* grid = browse()) sendIfUnderstood(Value(grid->self()), "_oRecSel", {selfValue()});
    return selfValue();
}

Value XBrwRecSel::Free(rt::Args args) {
    if (paneBrush_) DeleteObject(paneBrush_);
    paneBrush_ = nullptr;
    if (pointers_) ImageList_Destroy(pointers_);
    pointers_ = nullptr;
    return TComponent::Free(args);
}

Value XBrwRecSel::storeAndRepaint(rt::Args args, int position) {
    field(position) = rt::arg(args, 0);
    const Value& refresh = rt::arg(args, 1);
    if (XBrowse* grid = browse(); grid && (!refresh.isLogical() || refresh.asLogical())) grid->refreshDrawn(false);
    return field(position);
}

Value XBrwRecSel::SetClrText(rt::Args args) { return storeAndRepaint(args, kClrText); }

Value XBrwRecSel::SetClrPane(rt::Args args) {
    if (paneBrush_) DeleteObject(paneBrush_);
    paneBrush_ = nullptr;
    return storeAndRepaint(args, kClrPane);
}

Value XBrwRecSel::SetAlignment(rt::Args args) {
    field(kAlignment) = number(rt::arg(args, 0).asInteger());
    DefStyle({});
    return storeAndRepaint(Vals{field(kAlignment), rt::arg(args, 1)}, kAlignment);
}

Value XBrwRecSel::SetRecordPointer(rt::Args args) { return storeAndRepaint(args, kRecordPointer); }

Value XBrwRecSel::GetFont(rt::Args) { return ownOrGridFont(field(kFont), browse()); }

Value XBrwRecSel::SetFont(rt::Args args) { return storeFont(args, field(kFont), field(kParentFont)); }

HFONT XBrwRecSel::font() const { return reinterpret_cast<HFONT>(handleOf(ownOrGridFont(field(kFont), browse()))); }

XBrwRecSel::Content XBrwRecSel::content(bool current) {
    auto text = std::make_shared<Value>("");
    auto image = std::make_shared<Value>(0);
    const Value answer = fireEvent(*this, OnGetData, {Value::reference(text), Value::reference(image), Value(current)});
    if (!answer.isNil()) *text = answer;
    return {text->isString() ? text->asString() : std::string(), image->asInteger()};
}

int64_t XBrwRecSel::width() {
    if (field(kWidth).asInteger() != 0) return field(kWidth).asInteger();
    XBrowse* grid = browse();
    const Content c = content(false);
    std::optional<int64_t> measured;
    if (!c.text.empty()) measured = textWidth(font(), c.text);
    if (c.image > 0 && grid && grid->imageWidth() > 0)
        measured = measured.value_or(0) + grid->imageWidth() + field(kBmpMargin).asInteger();
    field(kWidth) = number(selectorWidth(0, measured, grid ? grid->nHeaderHeight() : 24));
    return field(kWidth).asInteger();
}

Value XBrwRecSel::GetWidth(rt::Args) { return number(width()); }

Value XBrwRecSel::SetWidth(rt::Args args) {
    // 0 keeps its meaning, "computed"; any other width is at least 10.
    const int64_t n = rt::arg(args, 0).asInteger();
    field(kWidth) = number(n == 0 ? 0 : clampedWidth(n));
    const Value& refresh = rt::arg(args, 1);
    if (XBrowse* grid = browse(); grid && (!refresh.isLogical() || refresh.asLogical())) grid->refreshDrawn(true);
    return field(kWidth);
}

int64_t XBrwRecSel::height() {
    const Content c = content(false);
    int64_t h = c.text.empty() ? 0 : letterHeight(font());
    if (XBrowse* grid = browse(); c.image > 0 && grid) h = std::max(h, grid->imageHeight());
    return h;
}

Value XBrwRecSel::GetHeight(rt::Args) { return number(height()); }

Value XBrwRecSel::DefStyle(rt::Args) {
    int64_t style = kModifyString | DT_EDITCONTROL | DT_SINGLELINE | DT_VCENTER;
    const int64_t alignment = field(kAlignment).asInteger();
    if (alignment == 2) style |= DT_RIGHT;
    if (alignment == 6) style |= DT_CENTER;
    field(kDrawTextStyle) = number(style);
    return field(kDrawTextStyle);
}

void XBrwRecSel::makePointers() {
    if (pointers_) return;
    pointers_ = ImageList_Create(static_cast<int>(kPointerSize), static_cast<int>(kPointerSize),
                                 ILC_COLOR24 | ILC_MASK, 2, 0);
    if (!pointers_) return;
    // The system's menu arrow, black on white: white is the transparent part.
    if (HBITMAP arrow = LoadBitmapA(nullptr, MAKEINTRESOURCEA(kMenuArrowBitmap))) {
        HDC screen = GetDC(nullptr);
        HDC from = CreateCompatibleDC(screen), to = CreateCompatibleDC(screen);
        HBITMAP scaled = CreateCompatibleBitmap(screen, static_cast<int>(kPointerSize), static_cast<int>(kPointerSize));
        BITMAP info{};
        GetObjectA(arrow, sizeof info, &info);
        HGDIOBJ oldFrom = SelectObject(from, arrow), oldTo = SelectObject(to, scaled);
        PatBlt(to, 0, 0, static_cast<int>(kPointerSize), static_cast<int>(kPointerSize), WHITENESS);
        const int offsetX = (static_cast<int>(kPointerSize) - info.bmWidth) / 2;
        const int offsetY = (static_cast<int>(kPointerSize) - info.bmHeight) / 2;
        BitBlt(to, offsetX, offsetY, info.bmWidth, info.bmHeight, from, 0, 0, SRCCOPY);
        SelectObject(from, oldFrom);
        SelectObject(to, oldTo);
        DeleteDC(from);
        DeleteDC(to);
        ReleaseDC(nullptr, screen);
        ImageList_AddMasked(pointers_, scaled, RGB(255, 255, 255));
        DeleteObject(scaled);
        DeleteObject(arrow);
    }
    if (HBITMAP mark = LoadBitmapA(GetModuleHandleA(nullptr), "VP_BMP_NEWRECORD")) {
        ImageList_AddMasked(pointers_, mark, RGB(255, 255, 255));
        DeleteObject(mark);
    }
}

Value XBrwRecSel::Adjust(rt::Args) {
    width();
    makePointers();
    DefStyle({});
    return {};
}

void XBrwRecSel::erase(HDC dc, int64_t top, int64_t height, bool whole) {
    XBrowse* grid = browse();
    if (!paneBrush_) paneBrush_ = CreateSolidBrush(paneColor());
    const int64_t w = nWidth();
    if (grid && !whole && height <= grid->nIntRowHeight() && grid->nRowDividerStyle() != kNoLines) {
        // The bottom two pixels belong to the engraved row line; only its two ends are filled.
        fillWith(dc, {0, top + height - 2, 2, top + height}, paneBrush_);
        fillWith(dc, {w - 4, top + height - 2, w - 2, top + height}, paneBrush_);
        height -= 2;
    }
    fillWith(dc, {0, top, w - 2, top + height}, paneBrush_);
}

Value XBrwRecSel::Erase(rt::Args a) {
    erase(dcOf(rt::arg(a, 0).asInteger()), rt::arg(a, 1).asInteger(), rt::arg(a, 2).asInteger(),
          rt::arg(a, 3).asLogical());
    return {};
}

void XBrwRecSel::drawPointer(HDC dc, int64_t x, int64_t y, bool newRecord) {
    makePointers();
    const int64_t image = newRecord ? 2 : 1;
    if (drawListImage(pointers_, image, dc, x, y, kPointerSize, kPointerSize, paneColor())) return;
    if (newRecord)
        drawNewRecordMark(dc, x, y);
    else
        drawArrow(dc, x, y);
}

void XBrwRecSel::paint(HDC dc, int64_t top, int64_t height, bool current) {
    erase(dc, top, height, false);
    const bool pointer = field(kRecordPointer).asLogical();
    Rect box = selectorTextBox(nWidth(), top, height, pointer);
    const Content c = content(current);
    XBrowse* grid = browse();
    if (c.image > 0 && grid && grid->imageList()) {
        const int64_t imageW = grid->imageWidth(), imageH = grid->imageHeight();
        const int64_t margin = field(kBmpMargin).asInteger();
        int64_t x = box.left, w = imageW;
        if (c.text.empty()) {
            x = box.left + (box.right - box.left - imageW) / 2;
        } else if (field(kBmpAlignment).asInteger() == 2) {
            x = box.right - imageW;
            box.right = x - margin;
        } else {
            box.left += imageW + margin;
        }
        if (box.right - box.left < 0) w = nWidth() - 6;
        drawListImage(grid->imageList(), c.image, dc, x, box.top + (box.bottom - box.top - imageH) / 2, w, imageH,
                      paneColor());
    }
    if (field(kDrawTextStyle).isNil()) DefStyle({});
    drawTextIn(dc, c.text, box, field(kDrawTextStyle).asInteger(), static_cast<COLORREF>(field(kClrText).asInteger()),
               paneColor(), font());
    if (pointer && current) {
        const Point at = selectorPointer(nWidth(), box);
        drawPointer(dc, at.x, at.y, grid && grid->nEditMode() >= kAppend);
    }
}

Value XBrwRecSel::Paint(rt::Args a) {
    paint(dcOf(rt::arg(a, 0).asInteger()), rt::arg(a, 1).asInteger(), rt::arg(a, 2).asInteger(),
          rt::arg(a, 3).asLogical());
    return {};
}

}  // namespace vorpex
