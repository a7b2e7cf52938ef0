#include "framework/graphics/image_list/image_list.h"

#include <algorithm>
#include <fstream>
#include <string>

#include "framework/core/native/casts.h"
#include "framework/core/native/native_args.h"
#include "framework/core/native/whole_file.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/graphics/image_list/image_list_port.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;
using namespace native;

namespace {

gfx::ImageListPort& port() { return gfx::imageListPort(); }

// 32-bit colour with a mask; no images at first, growing by four.
constexpr int64_t kCreateFlags = 33, kGrowBy = 4;
// The common controls' stream header that precedes the bitmaps.
constexpr size_t kStreamHeaderSize = 28;

using native::handleValue;
Value pair(int64_t a, int64_t b) { return Value::array({Value(a), Value(b)}); }

using native::readFile;
using native::writeFile;

}  // namespace

const rt::Class& XImageList::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XImageList", &TWinObject::classRecord(), rt::factoryOf<XImageList>());
        kWidth = b.addProperty({.name = "nWidth", .initial = 1, .type = "N", .scope = Published,
                                .setter = &XImageList::SetWidth});
        kHeight = b.addProperty({.name = "nHeight", .initial = 1, .type = "N", .scope = Published,
                                 .setter = &XImageList::SetHeight});
        kBitmaps = b.addProperty({.name = "aBitmaps", .initial = Value::array(), .type = "A", .scope = Protected});
        using X = XImageList;
        const std::pair<const char*, Value (X::*)(rt::Args)> methods[] = {
            {"Add", &X::Add}, {"AddIcon", &X::AddIcon}, {"AddMasked", &X::AddMasked}, {"Remove", &X::Remove},
            {"RemoveAll", &X::RemoveAll}, {"GetIcon", &X::GetIcon}, {"ReplaceIcon", &X::ReplaceIcon},
            {"GetIconSize", &X::GetIconSize}, {"SetIconSize", &X::SetIconSize},
            {"GetImageCount", &X::GetImageCount}, {"GetImageInfo", &X::GetImageInfo},
            {"GetBkColor", &X::GetBkColor}, {"SetBkColor", &X::SetBkColor}, {"Duplicate", &X::Duplicate},
            {"Draw", &X::Draw}, {"DrawEx", &X::DrawEx}, {"Copy", &X::Copy}, {"Swap", &X::Swap},
            {"GetBitmap", &X::GetBitmap}, {"SetOverlayImage", &X::SetOverlayImage}, {"BeginDrag", &X::BeginDrag},
            {"SetDragCursorImage", &X::SetDragCursorImage}, {"Merge", &X::Merge}, {"EndDrag", &X::EndDrag},
            {"DragEnter", &X::DragEnter}, {"DragLeave", &X::DragLeave}, {"DragMove", &X::DragMove},
            {"DragShowNolock", &X::DragShowNolock}, {"GetDragImage", &X::GetDragImage}, {"Write", &X::Write},
            {"WriteBitmap", &X::WriteBitmap},
            {"Read", &X::Read}};
        for (const auto& [name, fn] : methods) b.addMethod(name, rt::method(fn));
        return b.create();
    }();
    return c;
}

// ---- construction and release

Value XImageList::New(rt::Args args) {
    XComponent::New(args.first(std::min<size_t>(args.size(), 1)));
    return build(args);
}

Value XImageList::Create(rt::Args args) {
    XComponent::Create(args.first(std::min<size_t>(args.size(), 1)));
    return build(args);
}

bool XImageList::live() const { return Handle() && port().iconSize(Handle()).has_value(); }

Value XImageList::build(rt::Args args) {
    if (isNumberArg(args, 1)) field(kWidth) = rt::arg(args, 1);
    if (isNumberArg(args, 2)) field(kHeight) = rt::arg(args, 2);
    // A handle that is no longer a list is as good as none.
    if (!live()) setHandle(port().create(nWidth(), nHeight(), kCreateFlags, 0, kGrowBy));
    SetIconSize({});
    bool any = false;
    const std::vector<Value> entries = bitmapList();
    for (const Value& entry : entries) {
        if (!entry.isArray() || entry.asArray()->size() < 2) continue;
        const auto& item = entry.asArray()->items;
        // A kept bitmap is given as a fresh copy: the list deletes what it is given.
        const Value image = keptCopy(entry) ? Value(static_cast<long long>(port().copyBitmap(
                                                  static_cast<intptr_t>(item[0].asInteger()))))
                                            : item[0];
        any |= port().add(Handle(), image, item[1].isLogical() && item[1].asLogical()) >= 0;
    }
    if (any) takeListSize();
    tellOwner("InsertComponent");
    return selfValue();
}

Value XImageList::Destroy(rt::Args args) {
    if (Handle()) port().destroy(Handle());
    setHandle(0);
    tellOwner("RemoveComponent");
    return XComponent::Destroy(args);
}

void XImageList::tellOwner(const char* message) {
    rt::ObjectPtr owner = oParent();
    if (!owner) return;
    const rt::Symbol s = rt::Symbol::intern(message);
    if (!owner->objectClass().understands(s)) return;
    const Value me(self());
    rt::send(*owner, s, rt::Args(&me, 1));
}

void XImageList::notifyOwner(int64_t what) {
    rt::ObjectPtr owner = oParent();
    if (!owner) return;
    const rt::Symbol s = rt::Symbol::intern("VPNotify");
    if (!owner->objectClass().understands(s)) return;
    const Value code(what);
    rt::send(*owner, s, rt::Args(&code, 1));
}

std::vector<Value>& XImageList::bitmapList() {
    // A program may have put something else in it.
    if (!field(kBitmaps).isArray()) field(kBitmaps) = Value::array();
    return field(kBitmaps).asArray()->items;
}

void XImageList::takeListSize() {
    const auto size = port().iconSize(Handle());
    if (!size) return;
    field(kWidth) = Value(size->width);
    field(kHeight) = Value(size->height);
}

std::optional<int64_t> XImageList::imageIndex(const Value& number) {
    if (!number.isNumber()) return std::nullopt;
    const int64_t n = number.asInteger();
    if (n < 1 || n > port().count(Handle())) return std::nullopt;
    return n - 1;
}

// ---- adding and removing

Value XImageList::added(int64_t platformIndex) {
    const int64_t index = platformIndex < 0 ? 0 : platformIndex + 1;
    if (index == 1) notifyOwner(1);
    return Value(index);
}

Value XImageList::Add(rt::Args args) {
    const Value& image = rt::arg(args, 0);
    const bool disabled = logicalArg(args, 1);
    // A bitmap handle is the list's to delete once added: a copy is kept to rebuild the list from.
    const intptr_t kept = image.isNumber() ? port().copyBitmap(static_cast<intptr_t>(image.asInteger())) : 0;
    if (kept)
        bitmapList().push_back(Value::array({Value(static_cast<long long>(kept)), Value(disabled), Value(true)}));
    else
        bitmapList().push_back(Value::array({image, Value(disabled)}));
    if (!live()) return Value(int64_t{-1});
    const int64_t index = port().add(Handle(), image, disabled);
    if (index == 0) takeListSize();
    return added(index);
}

Value XImageList::AddIcon(rt::Args args) {
    const std::string* name = textArg(args, 0);
    if (!name || !live()) return Value(int64_t{0});
    // Under 2 is the default icon size.
    const int64_t w = nWidth() < 2 ? 0 : nWidth(), h = nHeight() < 2 ? 0 : nHeight();
    return added(port().addIcon(Handle(), *name, intArg(args, 1), w, h));
}

Value XImageList::AddMasked(rt::Args args) {
    if (!live()) return Value(int64_t{0});
    return added(port().addMasked(Handle(), rt::arg(args, 0), intArg(args, 1)));
}

void XImageList::afterRemove(bool removed) {
    if (removed && port().count(Handle()) == 0) notifyOwner(2);
}

Value XImageList::Remove(rt::Args args) {
    // Index 0 would be the platform's "all": only an image that exists is removed.
    const auto index = imageIndex(rt::arg(args, 0));
    if (!index) return Value(false);
    const bool removed = port().remove(Handle(), *index);
    afterRemove(removed);
    return Value(removed);
}

bool XImageList::keptCopy(const Value& entry) {
    auto row = entry.asArray();
    return row && row->size() >= 3 && row->items[2].isLogical() && row->items[2].asLogical();
}

void XImageList::releaseKeptCopies() {
    for (const Value& entry : bitmapList())
        if (keptCopy(entry)) port().deleteBitmap(static_cast<intptr_t>(entry.asArray()->items[0].asInteger()));
    bitmapList().clear();
}

Value XImageList::Free(rt::Args args) {
    releaseKeptCopies();
    return TWinObject::Free(args);
}

Value XImageList::RemoveAll(rt::Args) {
    releaseKeptCopies();
    const bool removed = live() && port().remove(Handle(), -1);
    afterRemove(removed);
    return Value(removed);
}

// ---- size, images and colours

Value XImageList::SetWidth(rt::Args args) {
    const Value a[] = {rt::arg(args, 0)};
    return SetIconSize(a);
}

Value XImageList::SetHeight(rt::Args args) {
    const Value a[] = {Value(), rt::arg(args, 0)};
    return SetIconSize(a);
}

Value XImageList::GetIconSize(rt::Args) {
    const auto size = port().iconSize(Handle());
    return size ? pair(size->width, size->height) : pair(0, 0);
}

Value XImageList::SetIconSize(rt::Args args) {
    if (isNumberArg(args, 0)) field(kWidth) = rt::arg(args, 0);
    if (isNumberArg(args, 1)) field(kHeight) = rt::arg(args, 1);
    if (!live()) return Value(true);
    return Value(port().setIconSize(Handle(), nWidth(), nHeight()));
}

Value XImageList::GetImageCount(rt::Args) { return Value(port().count(Handle())); }

Value XImageList::GetIcon(rt::Args args) {
    const auto index = imageIndex(rt::arg(args, 0));
    return handleValue(index ? port().icon(Handle(), *index, intArg(args, 1)) : 0);
}

Value XImageList::ReplaceIcon(rt::Args args) {
    return Value(port().replaceIcon(Handle(), intArg(args, 0, -1), handleArg(args, 1)));
}

Value XImageList::GetImageInfo(rt::Args args) {
    const auto info = isNumberArg(args, 1) ? port().imageInfo(Handle(), intArg(args, 1)) : std::nullopt;
    if (!info) return Value::array();
    return Value::array({handleValue(info->image), handleValue(info->mask)});
}

Value XImageList::GetBkColor(rt::Args) { return Value(port().bkColor(Handle())); }
Value XImageList::SetBkColor(rt::Args args) { return Value(port().setBkColor(Handle(), intArg(args, 0))); }
Value XImageList::Duplicate(rt::Args) { return handleValue(port().duplicate(Handle())); }

// ---- drawing

Value XImageList::Draw(rt::Args args) {
    const auto index = imageIndex(rt::arg(args, 0));
    if (!index) return Value(false);
    return Value(port().draw(Handle(), *index, handleArg(args, 1), intArg(args, 2), intArg(args, 3), intArg(args, 4)));
}

Value XImageList::DrawEx(rt::Args args) {
    const auto index = imageIndex(rt::arg(args, 0));
    if (!index) return Value(false);
    return Value(port().drawEx(Handle(), *index, handleArg(args, 1), intArg(args, 2), intArg(args, 3),
                               intArg(args, 4), intArg(args, 5), intArg(args, 6),
                               intArg(args, 7, gfx::kColorDefault), intArg(args, 8)));
}

Value XImageList::Copy(rt::Args args) {
    const auto dst = imageIndex(rt::arg(args, 0)), src = imageIndex(rt::arg(args, 1));
    return Value(dst && src && port().copy(Handle(), *dst, *src, false));
}

Value XImageList::Swap(rt::Args args) {
    const auto dst = imageIndex(rt::arg(args, 0)), src = imageIndex(rt::arg(args, 1));
    return Value(dst && src && port().copy(Handle(), *dst, *src, true));
}

Value XImageList::GetBitmap(rt::Args args) {
    const auto index = imageIndex(rt::arg(args, 0));
    return handleValue(index ? port().bitmap(Handle(), *index, intArg(args, 1)) : 0);
}

// ---- overlays, merging and dragging: the platform's zero-based indexes, passed unchanged

Value XImageList::SetOverlayImage(rt::Args args) {
    return Value(port().setOverlayImage(Handle(), intArg(args, 0), intArg(args, 1)));
}

Value XImageList::BeginDrag(rt::Args args) {
    return Value(port().beginDrag(Handle(), intArg(args, 0), intArg(args, 1), intArg(args, 2)));
}

Value XImageList::SetDragCursorImage(rt::Args args) {
    return Value(port().setDragCursorImage(Handle(), intArg(args, 0), intArg(args, 1), intArg(args, 2)));
}

Value XImageList::Merge(rt::Args args) {
    return handleValue(port().merge(Handle(), intArg(args, 0), handleArg(args, 1), intArg(args, 2),
                                    intArg(args, 3), intArg(args, 4)));
}

Value XImageList::EndDrag(rt::Args) { return Value(port().endDrag()); }
Value XImageList::DragEnter(rt::Args args) {
    return Value(port().dragEnter(handleArg(args, 0), intArg(args, 1), intArg(args, 2)));
}
Value XImageList::DragLeave(rt::Args args) { return Value(port().dragLeave(handleArg(args, 0))); }
Value XImageList::DragMove(rt::Args args) { return Value(port().dragMove(intArg(args, 0), intArg(args, 1))); }
Value XImageList::DragShowNolock(rt::Args args) { return Value(port().dragShowNolock(logicalArg(args, 0))); }

Value XImageList::GetDragImage(rt::Args args) {
    const gfx::DragImage drag = port().dragImage();
    const Value& point = rt::arg(args, 0);
    if (!point.isLogical()) return handleValue(drag.list);
    return point.asLogical() ? pair(drag.x, drag.y) : pair(drag.hotX, drag.hotY);
}

// ---- streams

Value XImageList::Write(rt::Args args) {
    const std::string* file = textArg(args, 0);
    if (!file) return Value(false);
    auto bytes = port().save(Handle());
    if (!bytes) return Value(false);
    if (logicalArg(args, 1)) {
        if (bytes->size() < kStreamHeaderSize) return Value(false);
        bytes->erase(0, kStreamHeaderSize);
    }
    return Value(writeFile(*file, *bytes));
}

Value XImageList::WriteBitmap(rt::Args args) {
    const Value a[] = {rt::arg(args, 0), Value(true)};
    return Write(a);
}

Value XImageList::Read(rt::Args args) {
    const std::string* file = textArg(args, 0);
    if (!file) return Value(false);
    const auto bytes = readFile(*file);
    if (!bytes) return Value(false);
    const intptr_t list = port().load(*bytes);
    if (!list) return Value(false);
    if (Handle()) port().destroy(Handle());
    setHandle(list);
    takeListSize();
    bitmapList().clear();
    return Value(true);
}

}  // namespace vorpex
