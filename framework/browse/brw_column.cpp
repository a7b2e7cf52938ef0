#include "framework/browse/brw_column.h"

#include <windows.h>

#include <memory>

#include "framework/browse/browse.h"
#include "framework/browse/browse_args.h"
#include "framework/browse/grid_edit.h"
#include "framework/browse/grid_gdi.h"
#include "framework/browse/popup_choice.h"
#include "framework/core/control/control.h"
#include "framework/core/object/object_bridge.h"
#include "framework/core/object/optional_send.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/window/object_link.h"
#include "framework/data/data_source/data_errors.h"
#include "runtime/core/send.h"
#include "runtime/lib/compare.h"
#include "runtime/lib/display.h"
#include "runtime/lib/number.h"
#include "runtime/lib/transform.h"

namespace vorpex {

using rt::Value;
using namespace browse;

namespace {

Value byRef(std::shared_ptr<Value>& cell) { return Value::reference(cell); }

// Equal values of one type; values of other types never match (no comparison error for a list lookup).
bool sameValue(const Value& a, const Value& b) {
    if (a.typeCode() != b.typeCode() || a.isNil()) return false;
    if (a.isArray() || a.isObject() || a.isBlock()) return false;
    return rt::compareValues(a, b, true) == 0;
}

}  // namespace

std::string cellText(const Value& value, const std::string& picture) {
    if (!picture.empty()) return rt::transform(value, picture);
    if (value.isNil()) return {};
    std::string text = rt::displayText(value);
    if (value.isNumber()) text.erase(0, text.find_first_not_of(' '));
    return text;
}

const rt::Class& XBrwColumn::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XBrwColumn;
        VPClass b("XBrwColumn", &TComponent::classRecord(), rt::factoryOf<XBrwColumn>());
        kParentFont = b.addProperty({.name = "lParentFont", .initial = true, .type = "L", .scope = Published,
                                     .setter = rt::NativeMethod([](rt::Object& o, const rt::Method&, rt::Args a) {
                                         return static_cast<X&>(o).SetFont(Vals{Value(), rt::arg(a, 0)}),
                                                rt::arg(a, 0);
                                     })});
        kFont = b.addProperty({.name = "oFont", .type = "O", .scope = Published, .getter = &X::GetFont,
                               .setter = &X::SetFont});
        kEditListText = b.addProperty({.name = "aEditListText", .initial = Value::array(), .type = "A",
                                       .scope = Published, .setter = &X::SetEditListText});
        kEditListBound = b.addProperty({.name = "aEditListBound", .initial = Value::array(), .type = "A",
                                        .scope = Published});
        b.addProperty({.name = "FilterEval", .initial = "", .type = "C", .scope = Published});
        b.addProperty({.name = "lCanFilter", .initial = true, .type = "L", .scope = Published});
        kHeader = b.addProperty({.name = "cHeader", .initial = "", .type = "C", .scope = Published,
                                 .setter = &X::SetHeader});
        kFooter = b.addProperty({.name = "cFooter", .initial = "", .type = "C", .scope = Published,
                                 .setter = &X::SetFooter});
        kTooltip = b.addProperty({.name = "cTooltip", .initial = "", .type = "C", .scope = Published,
                                  .setter = &X::SetTooltip});
        kPicture = b.addProperty({.name = "cPicture", .initial = "", .type = "C", .scope = Published});
        kFilter = b.addProperty({.name = "cFilter", .initial = "", .type = "C", .scope = Published,
                                 .getter = &X::GetFilter, .setter = &X::SetFilter});
        kClrText = b.addProperty({.name = "nClrText", .initial = number(GetSysColor(COLOR_WINDOWTEXT)), .type = "N",
                                  .scope = Published});
        kClrPane = b.addProperty({.name = "nClrPane", .initial = number(GetSysColor(COLOR_WINDOW)), .type = "N",
                                  .scope = Published});
        kAlignment = b.addProperty({.name = "nAlignment", .initial = 0, .type = "N", .scope = Published,
                                    .setter = &X::SetAlignment});
        kBmpAlignment = b.addProperty({.name = "nBmpAlignment", .initial = 0, .type = "N", .scope = Published,
                                       .setter = &X::SetBmpAlignment});
        kBmpMargin = b.addProperty({.name = "nBmpMargin", .initial = 10, .type = "N", .scope = Published});
        kWidth = b.addProperty({.name = "nWidth", .initial = 0, .type = "N", .scope = Published,
                                .setter = &X::SetWidth});
        kSort = b.addProperty({.name = "nSort", .initial = 0, .type = "N", .scope = Published, .setter = &X::SetSort});
        kHeaderImage = b.addProperty({.name = "nHeaderImage", .initial = 0, .type = "N", .scope = Published,
                                      .setter = &X::SetHeaderImage});
        kFooterImage = b.addProperty({.name = "nFooterImage", .initial = 0, .type = "N", .scope = Published,
                                      .setter = &X::SetFooterImage});
        kEditType = b.addProperty({.name = "nEditType", .initial = 0, .type = "N", .scope = Published,
                                   .setter = "SetEditType"});
        kEditLength = b.addProperty({.name = "nEditLength", .initial = -1, .type = "N", .scope = Published});
        kVisible = b.addProperty({.name = "lVisible", .initial = true, .type = "L", .scope = Published,
                                  .setter = &X::SetVisible});
        kDefaultValue = b.addProperty({.name = "uDefaultValue", .scope = Published});
        kDataField = b.addProperty({.name = "oDataField", .scope = Exported, .setter = "SetFieldObject"});
        kGridEdit = b.addProperty({.name = "oGridEdit", .scope = Exported});
        b.addProperty({.name = "cFieldName", .initial = "", .type = "C", .scope = Exported});
        kHeaderItem = b.addData("oHeader");
        kFooterItem = b.addData("oFooter");
        kIndex = b.addData("nIndex");
        kPos = b.addData("nPos", 0, "N");
        kDisplayCol = b.addData("nDisplayCol", 0, "N");
        kEdited = b.addData("lEdited", false, "L");
        kDrawTextStyle = b.addData("nDrawTextStyle", Value(), "N", Protected);
        kOnPostEdit = b.addData("lOnPostEdit", false, "L", Protected);
        kEditValType = b.addData("cEditValType", "", "C", Protected);
        b.addEvent("OnCreate", Published, "oSender");
        b.addEvent("OnGridEditCreate", Published, "oSender");
        for (const char* click : {"OnHeaderClick", "OnFooterClick", "OnDataClick", "OnHeaderRClick", "OnFooterRClick",
                                  "OnDataRClick", "OnHeaderDblClick", "OnFooterDblClick", "OnDataDblClick"})
            b.addEvent(click, Published, "oSender, nFlags, nPosX, nPosY");
        b.addEvent("OnEdit", Published, "oSender, Value, lMultiEdit");
        b.addEvent("OnPostEdit", Published, "oSender, Value, lCanceled, nKey");
        b.addEvent("OnBtnClick", Published, "oSender, Value");
        b.addEvent("OnDrawCell", Published, "oSender, cText, nClrText, nClrPane, lHighLite, hDC, aRect");
        b.addEvent("OnGetData", Published, "oSender, Value, nImage");
        b.addEvent("OnGetValue", Published, "oSender, Value");
        b.addEvent("OnChangeWidth", Published, "oSender, nNewWidth, nOldWidth");
        b.addEvent("OnExit", Published, "oSender, oGridEdit, oNextCtl");
        addMembers<XBrwColumn>(b);
        b.addMethod("Value", rt::method(&X::CurrentValue));
        b.addMethod("Handle", [](rt::Object&, const rt::Method&, rt::Args) { return Value(0); });
        return b.create();
    }();
    return c;
}

intptr_t XBrwColumn::openEditor() const {
    const intptr_t editor = handleOf(field(kGridEdit));
    // Shown by its own style: a grid on a hidden form still edits.
    return editor && (GetWindowLongPtrA(reinterpret_cast<HWND>(editor), GWL_STYLE) & WS_VISIBLE) ? editor : 0;
}

bool XBrwColumn::editorReady() const {
    const intptr_t editor = handleOf(field(kGridEdit));
    return editor && IsWindowEnabled(reinterpret_cast<HWND>(editor));
}

void XBrwColumn::hideEditor() {
    if (openEditor()) rt::send(field(kGridEdit), "Hide");
}

bool XBrwColumn::showEditor() {
    if (!handleOf(field(kGridEdit)) || openEditor()) return false;
    rt::send(field(kGridEdit), "Show");
    return true;
}

XBrowse* XBrwColumn::browse() const {
    rt::ObjectPtr parent = oParent();
    return dynamic_cast<XBrowse*>(parent.get());
}

void XBrwColumn::place(int64_t position, int64_t x) {
    field(kPos) = number(position);
    field(kDisplayCol) = number(x);
}

void XBrwColumn::restore(int64_t width, bool visible) {
    field(kWidth) = number(width);
    field(kVisible) = visible;
}

Value XBrwColumn::Create(rt::Args args) {
    if (lCreated()) return selfValue();
    if (const Value scale = sendIfUnderstood(Application(), "nScale"); scale.isNumber() && scale.asInteger() > 0)
        field(kWidth) = number(nWidth() * scale.asInteger() / 100);
    TComponent::Create(args);
    if (!EventAssigned(OnHeaderRClick)) {
        std::weak_ptr<rt::Object> self = this->self();
        assignEvent(*this, OnHeaderRClick, Value(rt::makeBlock([self](rt::Args a) -> Value {
                        auto column = self.lock();
                        if (!column) return {};
                        return rt::send(*column, "SetColumns", {rt::arg(a, 2), rt::arg(a, 3)});
                    })));
    }
    if (XBrowse* grid = browse(); grid && nIndex().isNil())
        rt::send(*grid, "AddCol", {selfValue(), rt::arg(args, 1)});
    fireEvent(*this, OnCreate);
    return selfValue();
}

Value XBrwColumn::Free(rt::Args args) {
    sendIfUnderstood(field(kGridEdit), "End");
    for (int position : {kGridEdit, kDataField, kFont, kHeaderItem, kFooterItem}) field(position) = Value();
    clearEvents(*this);
    setParent(nullptr);
    return TComponent::Free(args);
}

// ---- the cell editor

Value XBrwColumn::EditControl(rt::Args) {
    XBrowse* grid = browse();
    if (!field(kGridEdit).isNil() || !grid || !grid->windowExists()) return field(kGridEdit);
    const EditorKind kind = editorKind(nEditType());
    Value editor(TGridEdit::classRecord().instantiate());
    rt::send(editor, "New");
    rt::send(editor, "_nEditMode", {number(kind.mode)});
    rt::send(editor, "_lReadOnly", {Value(kind.readOnly)});
    rt::send(editor, "_Cargo", {Value::weak(self())});
    rt::send(editor, "_aItems", {field(kEditListText)});
    rt::send(editor, "_nAlignment", {number(dataAlignment(nAlignment()))});
    rt::send(editor, "_lVisible", {false});
    rt::send(editor, "Create", {Value(grid->self()), selfValue()});
    field(kGridEdit) = editor;
    fireEvent(*this, OnGridEditCreate);
    return editor;
}

Value XBrwColumn::SetEditType(rt::Args args) {
    field(kEditType) = number(rt::arg(args, 0).asInteger());
    if (field(kGridEdit).isObject()) {
        const EditorKind kind = editorKind(nEditType());
        rt::send(field(kGridEdit), "_nEditMode", {number(kind.mode)});
        rt::send(field(kGridEdit), "_lReadOnly", {Value(kind.readOnly)});
    }
    return field(kEditType);
}

Value XBrwColumn::SetEditListText(rt::Args args) {
    field(kEditListText) = rt::arg(args, 0);
    sendIfUnderstood(field(kGridEdit), "_aItems", {field(kEditListText)});
    return field(kEditListText);
}

bool XBrwColumn::listBound() const { return editorKind(nEditType()).readOnly; }

// The list text shown for a value: the text whose bound value equals it, else the value itself.
Value XBrwColumn::shownValue(const Value& value) const {
    const auto texts = field(kEditListText).asArray(), bounds = field(kEditListBound).asArray();
    if (!texts || !bounds) return value;
    for (size_t i = 0; i < bounds->size() && i < texts->size(); ++i)
        if (sameValue(bounds->items[i], value)) return texts->items[i];
    return value;
}

// The value a list text stands for: the bound value at its position, a number when the cell held one.
Value XBrwColumn::postedValue(const Value& shown) const {
    const auto texts = field(kEditListText).asArray(), bounds = field(kEditListBound).asArray();
    if (!texts || !bounds || !shown.isString()) return shown;
    for (size_t i = 0; i < texts->size() && i < bounds->size(); ++i) {
        if (!texts->items[i].isString() || texts->items[i].asString() != shown.asString()) continue;
        const Value& bound = bounds->items[i];
        if (field(kEditValType).asString() == "N" && bound.isString()) return Value(rt::val(bound.asString()));
        return bound;
    }
    return shown;
}

Value XBrwColumn::startValue(bool newRow) {
    auto value = std::make_shared<Value>(newRow ? rt::send(*this, "DefaultValue") : rt::send(*this, "GetData", {false}));
    const EventRef& hook = EventAssigned(OnGetValue) ? OnGetValue : OnGetData;
    const Value answer = fireEvent(*this, hook, {byRef(value)});
    if (!answer.isNil()) *value = answer;
    return *value;
}

// A set edits already, or starts to now. One that cannot (end of file, another's lock) must not get the
// typing: while not editing, its fields would write straight into the table.
static bool setTakesTheEdit(const Value& set, bool noFocus) {
    if (!set.isObject() || noFocus) return true;
    if (sendIfUnderstood(set, "lOnEdit").asLogical() || sendIfUnderstood(set, "lOnAppend").asLogical()) return true;
    const Value started = sendIfUnderstood(set, "Edit");
    return started.isLogical() && started.asLogical();
}

// A column bound to a data field hands the field to its editor; answers false when the edit must not open.
bool XBrwColumn::bindEditorField(bool newRow, bool noFocus) {
    const Value& bound = field(kDataField);
    if (bound.isNil()) return true;
    if (!bound.isObject()) {
        data::logDebug("VORPEX: Incorrect TDBBrowse:oDataField value: " + (bound.isString() ? bound.asString() : ""));
        return false;
    }
    const Value editor = field(kGridEdit);
    rt::send(editor, "_oDataField", {bound});
    if (newRow && !field(kDefaultValue).isNil()) sendIfUnderstood(bound, "_DefValue", {field(kDefaultValue)});
    const Value set = sendIfUnderstood(bound, "oDataSet");
    if (!sendIfUnderstood(set, "lReadOnly").asLogical() && setTakesTheEdit(set, noFocus)) return true;
    rt::send(editor, "_oDataSet", {Value()});
    return false;
}

Value XBrwColumn::Edit(rt::Args args) {
    XBrowse* grid = browse();
    if (nEditType() == 0 || field(kOnPostEdit).asLogical() || !grid) return false;
    const Value& key = rt::arg(args, 0);
    const bool noFocus = rt::arg(args, 1).asLogical();
    const bool started = grid->nEditMode() == kRead;
    const bool newRow = grid->nEditMode() == kAppend || grid->nEditMode() == kInsert;
    // A refusal leaves the grid reading, as it was.
    auto refuse = [&] {
        if (started) grid->setEditMode(kRead);
        return Value(false);
    };
    if (started) grid->setEditMode(kEdit);
    rt::send(*grid, "_nLastEditCol", {number(nPos())});
    auto value = std::make_shared<Value>(startValue(newRow));
    const Value answer = fireEvent(*this, OnEdit, {byRef(value), Value(noFocus)});
    if (answer.isLogical() && !answer.asLogical()) return refuse();
    field(kEditValType) = Value(std::string(1, value->typeCode()));
    const Value editor = EditControl({});
    if (!editor.isObject() || !bindEditorField(newRow, noFocus)) return refuse();
    const bool readOnly = listBound();
    rt::send(editor, "_cPicture", {readOnly ? Value("") : field(kPicture)});
    rt::send(editor, "_nMaxLength", {number(std::max<int64_t>(field(kEditLength).asInteger(), 0))});
    rt::send(editor, "_Value", {readOnly ? shownValue(*value) : *value});
    if (nPos() <= 0 || !grid->IsDisplayPosVisible(Vals{number(nPos())}).asLogical()) return refuse();
    SetGridEditBounds({});
    rt::send(editor, "Show");
    setEdited(true);
    const auto window = reinterpret_cast<HWND>(handleOf(editor));
    SendMessageA(window, EM_SETSEL, 0, -1);
    if (!noFocus) ::SetFocus(window);
    if (key.isNumber() && key.asInteger() > 0) PostMessageA(window, WM_CHAR, static_cast<WPARAM>(key.asInteger()), 0);
    return true;
}

Value XBrwColumn::PostEdit(rt::Args args) {
    const Value editor = field(kGridEdit);
    if (field(kOnPostEdit).asLogical() || !editor.isObject()) return {};
    field(kOnPostEdit) = true;
    const Value given = rt::arg(args, 0);
    const rt::RefCell canceled =
        given.isReference() ? given.asReference() : std::make_shared<Value>(Value(given.asLogical()));
    Value shown = rt::send(editor, "Value");
    auto value = std::make_shared<Value>(listBound() ? postedValue(shown) : shown);
    fireEvent(*this, OnPostEdit, {byRef(value), Value::reference(canceled), number(rt::arg(args, 1).asInteger())});
    rt::send(editor, "_Value", {*value});
    field(kOnPostEdit) = false;
    return {};
}

Value XBrwColumn::SetGridEditBounds(rt::Args) {
    XBrowse* grid = browse();
    if (!grid || !field(kGridEdit).isObject()) return {};
    const Rect r = editorBounds(geometry(nPos()), grid->editorPlace());
    rt::send(field(kGridEdit), "SetBounds",
             {number(r.left), number(r.top), number(r.right - r.left), number(r.bottom - r.top), Value(true)});
    return {};
}

Value XBrwColumn::Select(rt::Args) {
    if (XBrowse* grid = browse(); grid && nPos() > 0) rt::send(*grid, "SelectCol", {number(nPos())});
    return {};
}

// While an edit shows or posts the cell, its value is the editor's.
Value XBrwColumn::CurrentValue(rt::Args) {
    XBrowse* grid = browse();
    const bool editorHolds = openEditor() || field(kOnPostEdit).asLogical() ||
                             (lEdited() && grid && rt::send(*grid, "IsMultipleEdit").asLogical());
    if (editorHolds && field(kGridEdit).isObject()) return rt::send(field(kGridEdit), "Value");
    return rt::send(*this, "GetData");
}
Value XBrwColumn::GetData(rt::Args) { return Value(""); }
Value XBrwColumn::IsVisible(rt::Args) { return lVisible(); }

Value XBrwColumn::DefaultValue(rt::Args) {
    if (!field(kDefaultValue).isNil()) return field(kDefaultValue);
    const Value v = rt::send(*this, "GetData", {true, false});
    switch (v.type()) {
        case rt::Type::Number: return Value(0);
        case rt::Type::Date: return Value(rt::Date{});
        case rt::Type::Logical: return Value(false);
        default: return Value("");
    }
}

Value XBrwColumn::GetFont(rt::Args) { return ownOrGridFont(field(kFont), browse()); }

Value XBrwColumn::SetFont(rt::Args args) { return storeFont(args, field(kFont), field(kParentFont)); }

intptr_t XBrwColumn::fontHandle() { return handleOf(GetFont({})); }

XBrwColumn::CellContent XBrwColumn::content(bool cellFocus) {
    auto value = std::make_shared<Value>(rt::send(*this, "GetData"));
    auto image = std::make_shared<Value>(0);
    const Value answer = fireEvent(*this, OnGetData, {byRef(value), byRef(image), Value(cellFocus)});
    if (!answer.isNil()) *value = answer;
    return {cellText(*value, field(kPicture).asString()), image->asInteger()};
}

int64_t XBrwColumn::dataHeight() { return letterHeight(reinterpret_cast<HFONT>(fontHandle())); }
Value XBrwColumn::DataHeight(rt::Args) { return number(dataHeight()); }

Value XBrwColumn::DataWidth(rt::Args) {
    const CellContent cell = content(false);
    XBrowse* grid = browse();
    auto font = reinterpret_cast<HFONT>(fontHandle());
    int64_t text = 0;
    if (grid && grid->nDataLines() > 1) {
        // Each line as a run of "B" of its length: the widest letter, so no line is cut.
        for (int64_t start = 1; start <= static_cast<int64_t>(cell.text.size());)
            text = std::max(text, textWidth(font, std::string(extractLine(cell.text, start).size(), 'B')));
    } else {
        text = textWidth(font, cell.text);
    }
    std::optional<int64_t> image;
    if (cell.image > 0 && grid && grid->imageWidth() > 0) image = grid->imageWidth();
    return number(dataWidth(text, image, field(kBmpMargin).asInteger()));
}

int64_t XBrwColumn::computeWidth() {
    XBrowse* grid = browse();
    const auto headerFont = reinterpret_cast<HFONT>(grid && !field(kHeaderItem).isNil() ? grid->headerFont() : 0);
    auto font = headerFont ? headerFont : reinterpret_cast<HFONT>(fontHandle());
    WidthMeasures m;
    if (!cHeader().empty()) m.header = textWidth(font, cHeader());
    if (!cFooter().empty()) m.footer = textWidth(font, cFooter());
    m.data = rt::send(*this, "DataWidth").asInteger();
    return computedWidth(m, grid && grid->lAutoOrder());
}

Value XBrwColumn::GetWidth(rt::Args args) {
    if (nWidth() == 0 || rt::arg(args, 0).asLogical()) field(kWidth) = number(computeWidth());
    return field(kWidth);
}

Value XBrwColumn::SetWidth(rt::Args args) {
    auto width = std::make_shared<Value>(number(clampedWidth(rt::arg(args, 0).asInteger())));
    const int64_t old = nWidth();
    if (width->asInteger() != old) {
        const Value answer = fireEvent(*this, OnChangeWidth, {byRef(width), number(old)});
        if (answer.isLogical() && answer.asLogical()) *width = number(old);
    }
    field(kWidth) = number(clampedWidth(width->asInteger()));
    tellItem(kHeaderItem, "_nWidth", field(kWidth));
    tellItem(kFooterItem, "_nWidth", field(kWidth));
    refreshBrowse(true);
    return field(kWidth);
}

Value XBrwColumn::DefStyle(rt::Args) {
    XBrowse* grid = browse();
    field(kDrawTextStyle) = number(cellTextStyle(nAlignment(), grid && grid->nDataLines() > 1));
    return field(kDrawTextStyle);
}

Value XBrwColumn::Adjust(rt::Args args) {
    const bool compute = rt::arg(args, 0).asLogical();
    GetWidth(Vals{Value(compute)});
    if (compute || field(kDrawTextStyle).isNil()) DefStyle({});
    rt::send(*this, "EditControl");
    return {};
}

void XBrwColumn::tellItem(int itemField, const char* setter, const Value& value) {
    sendIfUnderstood(field(itemField), setter, {value});
}

// A setter's common path: the value is kept and shown by the header or footer item that displays it.
Value XBrwColumn::storeAndTell(int slot, const Value& value, int itemField, const char* setter) {
    field(slot) = value;
    tellItem(itemField, setter, value);
    return value;
}

void XBrwColumn::refreshBrowse(bool layout) {
    if (XBrowse* grid = browse()) grid->refreshDrawn(layout);
}

Value XBrwColumn::SetHeader(rt::Args args) {
    return storeAndTell(kHeader, rt::arg(args, 0), kHeaderItem, "_cText");
}

Value XBrwColumn::SetFooter(rt::Args args) {
    return storeAndTell(kFooter, rt::arg(args, 0), kFooterItem, "_cText");
}

Value XBrwColumn::SetTooltip(rt::Args args) {
    const Value tip = storeAndTell(kTooltip, rt::arg(args, 0), kHeaderItem, "_cTooltip");
    tellItem(kFooterItem, "_cTooltip", tip);
    return tip;
}

Value XBrwColumn::SetSort(rt::Args args) {
    return storeAndTell(kSort, rt::arg(args, 0), kHeaderItem, "_nSort");
}

Value XBrwColumn::SetHeaderImage(rt::Args args) {
    return storeAndTell(kHeaderImage, rt::arg(args, 0), kHeaderItem, "_nImage");
}

Value XBrwColumn::SetFooterImage(rt::Args args) {
    return storeAndTell(kFooterImage, rt::arg(args, 0), kFooterItem, "_nImage");
}

Value XBrwColumn::SetAlignment(rt::Args args) {
    field(kAlignment) = number(rt::arg(args, 0).asInteger());
    DefStyle({});
    if (givenOr(args, 1, true)) {
        const Value header = number(headerAlignment(nAlignment()));
        tellItem(kHeaderItem, "_nAlignment", header);
        tellItem(kFooterItem, "_nAlignment", header);
        refreshBrowse(false);
    }
    return field(kAlignment);
}

Value XBrwColumn::SetBmpAlignment(rt::Args args) {
    field(kBmpAlignment) = rt::arg(args, 0);
    refreshBrowse(false);
    return field(kBmpAlignment);
}

Value XBrwColumn::SetVisible(rt::Args args) {
    const bool on = rt::arg(args, 0).asLogical();
    if (on == lVisible()) return on;
    field(kVisible) = on;
    refreshBrowse(true);
    return on;
}

// ---------------------------------------------------------------- field binding

// A name is looked up in the browse's data set; until it is found the column keeps the name.
Value XBrwColumn::SetFieldObject(rt::Args args) {
    XBrowse* grid = browse();
    const bool refresh = givenOr(args, 1, grid && grid->windowExists() && grid->lRedrawOn());
    const bool automatic = givenOr(args, 2, false);
    Value given = rt::arg(args, 0);
    const Value header = rt::send(*this, "cHeader");
    const bool noHeader = !header.isString() || header.asString().empty();
    if (given.isString()) {
        if (noHeader) rt::send(*this, "_cHeader", {given});
        const Value set = grid ? sendIfUnderstood(Value(grid->self()), "oDataSet") : Value();
        const Value found = set.isObject() ? sendIfUnderstood(set, "oFieldByName", {given}) : Value();
        if (found.isObject()) given = found;
    } else if (given.isObject() && noHeader) {
        rt::send(*this, "_cHeader", {rt::send(given, "cName")});
    }
    field(kDataField) = given;
    if (!given.isObject()) return false;
    if (automatic) {
        const Value type = rt::send(given, "cType");
        rt::send(*this, "SetAlignment", {Value(type.isString() && type.asString() == "N" ? 2 : 0), Value(false)});
        rt::send(*this, "Adjust", {true});
    }
    if (refresh && grid) grid->refreshDrawn(false);
    return true;
}

Value XBrwColumn::ResetDataField(rt::Args) {
    const Value f = dataField();
    if (f.isObject()) field(kDataField) = rt::send(f, "cName");
    return field(kDataField);
}

// ---------------------------------------------------------------- filter

Value XBrwColumn::GetFilter(rt::Args args) {
    XBrowse* grid = browse();
    if (givenOr(args, 0, true) && grid && grid->lFilterBar() && field(kHeaderItem).isObject())
        field(kFilter) = Value(rt::send(field(kHeaderItem), "cFilter").asString());
    return field(kFilter);
}

Value XBrwColumn::SetFilter(rt::Args args) {
    const Value& text = rt::arg(args, 0);
    return storeAndTell(kFilter, text.isString() ? text : Value(""), kHeaderItem, "_cFilter");
}

Value XBrwColumn::ClearFilter(rt::Args) { return SetFilter(Vals{Value("")}); }

Value XBrwColumn::AdjustWidth(rt::Args) {
    XBrowse* grid = browse();
    return grid ? rt::send(*grid, "AdjustColWidth", {Value(), selfValue()}) : Value();
}

Value XBrwColumn::Refresh(rt::Args) {
    refreshBrowse(false);
    return {};
}

Value XBrwColumn::HeaderClick(rt::Args args) {
    const Value answer = fireEvent(*this, OnHeaderClick, {Value(), rt::arg(args, 0), rt::arg(args, 1)});
    XBrowse* grid = browse();
    if (!(answer.isLogical() && !answer.asLogical()) && grid && grid->lAutoOrder())
        sendIfUnderstood(Value(grid->self()), "Sort", {selfValue()});
    return answer;
}

// ---- painting

CellGeometry XBrwColumn::geometry(int64_t position) const {
    XBrowse* grid = browse();
    CellGeometry g{.x = nDisplayCol(), .width = nWidth(), .position = position};
    if (!grid) return g;
    g.colStyle = grid->nColDividerStyle();
    g.rowStyle = grid->nRowDividerStyle();
    g.dividerComplete = grid->lColDividerComplete();
    g.lastCol = grid->lastCol();
    return g;
}

void XBrwColumn::paintData(intptr_t dcHandle, int64_t top, int64_t height, bool highlight, bool cellFocus,
                           int64_t position, bool odd) {
    XBrowse* grid = browse();
    if (!grid || grid->nLen() == 0) return;
    HDC dc = reinterpret_cast<HDC>(dcHandle);
    CellContent cell = content(cellFocus);
    COLORREF text = 0, pane = 0;
    if (highlight) {
        const bool focused = grid->hasFocus();
        text = grid->selectionText(focused);
        pane = grid->selectionPane(focused);
    } else {
        const auto own = [this](int position, COLORREF systemDefault, COLORREF inherited) {
            const auto c = static_cast<COLORREF>(field(position).asInteger());
            return c == systemDefault ? inherited : c;
        };
        text = own(kClrText, GetSysColor(COLOR_WINDOWTEXT), grid->textColor());
        pane = own(kClrPane, GetSysColor(COLOR_WINDOW), odd ? grid->altPaneColor() : grid->paneColor());
    }
    const Rect rect = cellRect(geometry(position), top, height);
    auto textCell = std::make_shared<Value>(cell.text);
    auto textColor = std::make_shared<Value>(number(text));
    auto paneColor = std::make_shared<Value>(number(pane));
    if (EventAssigned(OnDrawCell)) {
        const Value area = Value::array({number(rect.left), number(rect.top), number(rect.right), number(rect.bottom)});
        const Value answer = fireEvent(*this, OnDrawCell, {byRef(textCell), byRef(textColor), byRef(paneColor),
                                                           Value(cellFocus), number(dcHandle), area});
        if (!answer.isNil() && !(answer.isLogical() && answer.asLogical())) return;
        cell.text = textCell->asString();
        text = static_cast<COLORREF>(textColor->asInteger());
        pane = static_cast<COLORREF>(paneColor->asInteger());
    }
    fillSolid(dc, rect, pane);
    Rect box = contentBox(rect);
    if (cell.image > 0 && grid->imageList()) {
        const int64_t margin = field(kBmpMargin).asInteger();
        const int64_t imageW = grid->imageWidth(), imageH = grid->imageHeight();
        int64_t x = box.left, w = imageW;
        if (cell.text.empty()) {
            x = box.left + (box.right - box.left - imageW) / 2;
        } else if (field(kBmpAlignment).asInteger() == 2) {
            x = box.right - imageW;
            box.right = x - margin;
        } else {
            box.left += imageW + margin;
        }
        if (box.right - box.left < 0) w = nWidth() - 6;
        const int64_t y = rect.top + (rect.bottom - rect.top - imageH) / 2;
        drawListImage(grid->imageList(), cell.image, dc, x, y, w, imageH, pane);
    }
    if (field(kDrawTextStyle).isNil()) DefStyle({});
    drawTextIn(dc, cell.text, box, field(kDrawTextStyle).asInteger(), text, pane,
               reinterpret_cast<HFONT>(fontHandle()));
}

Value XBrwColumn::PaintData(rt::Args a) {
    paintData(static_cast<intptr_t>(rt::arg(a, 0).asInteger()), rt::arg(a, 1).asInteger(), rt::arg(a, 2).asInteger(),
              rt::arg(a, 3).asLogical(), rt::arg(a, 4).asLogical(), rt::arg(a, 5).asInteger(), rt::arg(a, 6).asLogical());
    return {};
}

void XBrwColumn::eraseData(intptr_t dc, int64_t top, int64_t height, bool whole, int64_t position) {
    XBrowse* grid = browse();
    if (!grid) return;
    const Rect r = eraseRect(geometry(position), top, height, whole);
    const auto pane = static_cast<COLORREF>(field(kClrPane).asInteger());
    if (pane == GetSysColor(COLOR_WINDOW))
        fillWith(reinterpret_cast<HDC>(dc), r, grid->paneBrush());
    else
        fillSolid(reinterpret_cast<HDC>(dc), r, pane);
}

Value XBrwColumn::EraseData(rt::Args a) {
    eraseData(static_cast<intptr_t>(rt::arg(a, 0).asInteger()), rt::arg(a, 1).asInteger(), rt::arg(a, 2).asInteger(),
              rt::arg(a, 3).asLogical(), rt::arg(a, 4).asInteger());
    return {};
}

void XBrwColumn::box(intptr_t dcHandle, int64_t top, int64_t height, int style, int64_t position) {
    HDC dc = reinterpret_cast<HDC>(dcHandle);
    const Rect r = cursorRect(geometry(position), top, height, style);
    if (style == 1)
        focusRect(dc, r);
    else
        drawBox(dc, r, style == 3);
}

Value XBrwColumn::Box(rt::Args a) {
    CellGeometry g = geometry(nPos());
    if (!rt::arg(a, 2).isNil()) g.x = rt::arg(a, 2).asInteger();
    const int style = rt::arg(a, 4).isNil() ? 1 : static_cast<int>(rt::arg(a, 4).asInteger());
    const Rect r = cursorRect(g, rt::arg(a, 1).asInteger(), rt::arg(a, 3).asInteger(), style);
    HDC dc = reinterpret_cast<HDC>(static_cast<intptr_t>(rt::arg(a, 0).asInteger()));
    if (style == 1)
        focusRect(dc, r);
    else
        drawBox(dc, r, style == 3);
    return {};
}

// ---- the column menu

Value XBrwColumn::SetColumns(rt::Args args) {
    XBrowse* grid = browse();
    if (!grid) return Value(0);
    grid->cancelEdit();
    if (!grid->lAllowColHiding()) return Value(0);
    std::vector<MenuColumn> columns;
    for (XBrwColumn* column : grid->columns()) columns.push_back({column->cHeader(), column->lVisible(), column->nPos() > 0});
    const int64_t chosen = choosePopup(handleOf(Value(grid->self())), columnMenu(columns), rt::arg(args, 0).asInteger(),
                                       rt::arg(args, 1).asInteger());
    const std::vector<XBrwColumn*> all = grid->columns();
    if (chosen >= 1 && chosen <= static_cast<int64_t>(all.size())) {
        XBrwColumn* column = all[static_cast<size_t>(chosen - 1)];
        rt::send(*column, "SetVisible", {Value(!column->lVisible())});
    }
    return Value(0);
}

}  // namespace vorpex
