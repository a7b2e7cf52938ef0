#include "framework/controls/control_rules.h"

#include "framework/core/native/to_string.h"

namespace vorpex::stdctl {

namespace {

constexpr unsigned kDtCenter = 1, kDtRight = 2, kDtWordBreak = 0x10, kDtCalcRect = 0x400, kDtEndEllipsis = 0x8000;
constexpr int64_t kEsCenter = 1, kEsRight = 2;

int64_t setBits(int64_t style, int64_t bits, bool on) { return on ? (style | bits) : (style & ~bits); }

}  // namespace

int64_t labelInset(int64_t borderStyle) {
    switch (borderStyle) {
        case 1: case 2: case 7: return 1;
        case 3: case 4: case 5: case 6: return 2;
        default: return 0;
    }
}

unsigned labelMeasureFlags(bool multiLine, int64_t alignment) {
    unsigned flags = kDtCalcRect;
    if (multiLine) flags |= kDtWordBreak;
    if (alignment == 2) flags |= kDtRight;
    if (alignment == 6) flags |= kDtCenter;
    return flags;
}

unsigned labelPaintFlags(bool multiLine, bool autoSize) {
    if (multiLine) return kDtWordBreak;
    return autoSize ? 0 : kDtEndEllipsis;
}

bool clickCloses(int64_t modalResult, const rt::Value& handlerAnswer) {
    if (modalResult == mrNONE) return false;
    return !(handlerAnswer.isLogical() && !handlerAnswer.asLogical());
}

int64_t buttonAlignmentStyle(int64_t style, int64_t alignment) {
    style &= ~(kBsLeft | kBsRight);
    if (alignment == 0) style |= kBsLeft;
    if (alignment == 2) style |= kBsRight;
    return style;
}

int64_t buttonVAlignmentStyle(int64_t style, int64_t vAlignment) {
    style = setBits(style, kBsTop, vAlignment == 0);
    return setBits(style, kBsBottom, vAlignment == 2);
}

int64_t buttonImageStyle(int64_t style, int64_t type, intptr_t image) {
    if (type == 0) return setBits(style, kBsBitmap, image != 0);
    if (type == 1) return setBits(style, kBsIcon, image != 0);
    return style;
}

std::string editText(const rt::Value& value, bool raw) {
    const rt::Value args[] = {value, rt::Value("")};
    std::string text = toText(rt::Args(args, 2));
    if (!raw) text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

std::optional<int64_t> editAlignmentStyle(int64_t style, const rt::Value& alignment) {
    int64_t n = alignment.isNil() ? 0 : alignment.asInteger();
    if (n != 0 && n != 2 && n != 6) return std::nullopt;
    style &= ~(kEsCenter | kEsRight);
    if (n == 6) style |= kEsCenter;
    if (n == 2) style |= kEsRight;
    return style;
}

int64_t maxLengthAnswer(int64_t stored, bool windowExists, int64_t windowAnswer) {
    if (!windowExists || stored == 0) return stored;
    return windowAnswer > 0x40000000 ? -1 : windowAnswer;
}

std::optional<Selection> overwriteSelection(std::string_view text, Selection current, int64_t character) {
    if (current.start != current.end) return std::nullopt;
    if (character < 32 || character == 127) return std::nullopt;  // Backspace, Enter, Tab and control keys
    const int64_t caret = current.end;
    if (caret < 0 || caret >= static_cast<int64_t>(text.size())) return std::nullopt;
    const char next = text[static_cast<size_t>(caret)];
    if (next == '\r' || next == '\n') return std::nullopt;
    return Selection{caret, caret + 1};
}

CheckBoxLayout checkBoxLayout(int64_t width, int64_t height, int64_t aveCharWidth, int64_t alignment,
                              int64_t vAlignment) {
    constexpr int64_t kBox = 13;
    const int64_t boxTop = vAlignment == 0 ? 1 : vAlignment == 1 ? (height - kBox) / 2 : height - kBox - 2;
    const int64_t gap = aveCharWidth + kBox;
    if (alignment == 0) return {{width - kBox, boxTop, width, boxTop + kBox}, {0, 0, width - gap, height}};
    return {{0, boxTop, kBox, boxTop + kBox}, {gap, 0, width, height}};
}

int64_t checkTextTop(int64_t height, int64_t textHeight, int64_t vAlignment) {
    if (vAlignment == 0) return 0;
    return vAlignment == 1 ? (height - textHeight) / 2 : height - textHeight;
}

}  // namespace vorpex::stdctl
