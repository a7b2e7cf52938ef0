#include "framework/browse/browse.h"

#include <algorithm>

#include "framework/browse/array_browse.h"
#include "framework/browse/browse_args.h"
#include "framework/browse/browse_functions.h"
#include "framework/browse/browse_resources.h"
#include "framework/browse/browse_wiring.h"
#include "framework/browse/brw_column.h"
#include "framework/browse/db_browse.h"
#include "framework/browse/grid_edit.h"
#include "framework/browse/grid_gdi.h"
#include "framework/browse/model/saved_state.h"
#include "framework/browse/rec_sel.h"
#include "framework/core/object/object_bridge.h"
#include "framework/core/object/optional_send.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/window/object_link.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;
using namespace browse;

namespace {

// NIL, .F. and 0: the answers that leave an action to the grid.
bool emptyAnswer(const Value& v) {
    return v.isNil() || (v.isLogical() && !v.asLogical()) || (v.isNumber() && v.asInteger() == 0);
}

struct SourceMessages {
    rt::Symbol moveTop = rt::Symbol::intern("MoveTop"), moveBottom = rt::Symbol::intern("MoveBottom"),
               skip = rt::Symbol::intern("Skip"), isBof = rt::Symbol::intern("IsBof"),
               isEof = rt::Symbol::intern("IsEof"), bookMark = rt::Symbol::intern("BookMark"),
               keyNo = rt::Symbol::intern("KeyNo"), keyCount = rt::Symbol::intern("KeyCount");
};
const SourceMessages& messages() {
    static const SourceMessages m;
    return m;
}

}  // namespace

// The grid's row source: its own members by name, so that subclasses and programs can implement them.
class BrowseSource : public RowSource {
public:
    explicit BrowseSource(XBrowse& grid) : grid_(grid) {}
    void moveTop() override { rt::send(grid_, messages().moveTop); }
    void moveBottom() override { rt::send(grid_, messages().moveBottom); }
    int64_t skip(int64_t n) override { return send(messages().skip, number(n)).asInteger(); }
    bool isBof() override { return rt::send(grid_, messages().isBof).asLogical(); }
    bool isEof() override { return rt::send(grid_, messages().isEof).asLogical(); }
    Value bookmark() override { return rt::send(grid_, messages().bookMark); }
    void gotoBookmark(const Value& mark) override { send(messages().bookMark, mark); }
    int64_t keyNo() override { return rt::send(grid_, messages().keyNo).asInteger(); }
    void gotoKey(int64_t key) override { send(messages().keyNo, number(key)); }
    int64_t keyCount() override { return rt::send(grid_, messages().keyCount).asInteger(); }

private:
    Value send(rt::Symbol message, const Value& arg) { return rt::send(grid_, message, rt::Args(&arg, 1)); }
    XBrowse& grid_;
};

// The window's side of a move. The view being moved is written back before anything is drawn from it.
class BrowsePort : public GridPort {
public:
    explicit BrowsePort(XBrowse& grid) : grid_(grid) {}
    Viewport* view = nullptr;

    void cancelEdit() override { grid_.cancelEdit(); }
    void clearSeek() override { rt::send(grid_, "Seek"); }
    void drawCurrentRow(bool selected) override {
        sync();
        grid_.drawLine(nullptr, selected, grid_.num(XBrowse::kRowSel));
    }
    void dataScroll(int direction) override {
        sync();
        grid_.DataScroll(Vals{number(direction)});
    }
    void setBarPosition(int64_t position) override {
        grid_.setVPos(position == kBarMaximum ? std::max<int64_t>(grid_.nLen(), 1) : position);
    }
    void changed(bool rowChanged) override {
        sync();
        grid_.fireChange(rowChanged);
    }
    void repaint() override {
        sync();
        grid_.repaintAll();
    }
    bool offerPastEof() override { return emptyAnswer(fireEvent(grid_, XBrowse::OnPastEof)); }
    bool append() override { return sendIfUnderstood(Value(grid_.self()), "Append", {true}).asLogical(); }
    int64_t rowCount() override { return grid_.rowCount(); }
    int editMode() override { return static_cast<int>(grid_.nEditMode()); }
    void busy(bool on) override { ::SetCursor(LoadCursorA(nullptr, on ? IDC_WAIT : IDC_ARROW)); }

private:
    void sync() {
        if (view) grid_.storeView(*view);
    }
    XBrowse& grid_;
};

XBrowse::XBrowse(const rt::Class& cls)
    : TWinControl(cls), source_(std::make_unique<BrowseSource>(*this)), port_(std::make_unique<BrowsePort>(*this)) {}

XBrowse::~XBrowse() { dropResources(); }

const rt::Class& XBrowse::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XBrowse;
        VPClass b("XBrowse", &TWinControl::classRecord(), rt::factoryOf<XBrowse>());
        b.addProperty({.name = "nWidth", .initial = 150, .scope = Published});
        b.addProperty({.name = "nHeight", .initial = 120, .scope = Published});
        kCols = b.addProperty({.name = "aCols", .initial = Value::array(), .type = "A", .scope = Published});
        kImageList = b.addProperty({.name = "oImageList", .type = "O", .scope = Published,
                                    .setter = &X::SetImageList});
        kRecSel = b.addProperty({.name = "oRecSel", .type = "O", .scope = Published});
        b.addProperty({.name = "oSeek", .type = "O", .scope = Published});
        b.addProperty({.name = "nBorderStyle", .initial = 6, .scope = Published});
        const rt::Value lines = Value::array({Value::array({"blNOLINES", 0}), Value::array({"blBLACK", 1}),
                                              Value::array({"blDARKGRAY", 2}), Value::array({"blFORECOLOR", 3}),
                                              Value::array({"blLIGHTGRAY", 4}), Value::array({"blINSET", 5}),
                                              Value::array({"blRAISED", 6})});
        kRowDividerStyle = b.addProperty({.name = "nRowDividerStyle", .initial = 0, .type = "N", .scope = Published,
                                          .setter = &X::SetRowDividerStyle, .choices = lines});
        kColDividerStyle = b.addProperty({.name = "nColDividerStyle", .initial = 0, .type = "N", .scope = Published,
                                          .setter = &X::SetColDividerStyle, .choices = lines});
        kMarqueeStyle = b.addProperty({.name = "nMarqueeStyle", .initial = 2, .type = "N", .scope = Published});
        kDataLines = b.addProperty({.name = "nDataLines", .initial = 1, .type = "N", .scope = Published,
                                    .setter = &X::SetDataLines});
        kFreeze = b.addProperty({.name = "nFreeze", .initial = 0, .type = "N", .scope = Published});
        kHeaderHeight = b.addProperty({.name = "nHeaderHeight", .initial = 24, .type = "N", .scope = Published});
        kFooterHeight = b.addProperty({.name = "nFooterHeight", .initial = 24, .type = "N", .scope = Published});
        kRowHeight = b.addProperty({.name = "nRowHeight", .initial = 0, .type = "N", .scope = Published});
        // Colours: stored, and the pens and brushes made from them again at the next paint.
        b.addProperty({.name = "nClrText", .setter = &X::SetClrText});
        b.addProperty({.name = "nClrPane", .setter = &X::SetClrPane});
        auto colour = [&b](const char* name, int sysColor, const char* setter) {
            return b.addProperty({.name = name, .initial = number(GetSysColor(sysColor)), .type = "N",
                                  .scope = Published, .setter = setter, .editor = "PE_Color"});
        };
        kClrAltPane = colour("nClrAltPane", COLOR_WINDOW, "SetClrAltPane");
        kClrSelText = colour("nClrSelText", COLOR_BTNTEXT, "SetClrSelText");
        kClrSelPane = colour("nClrSelPane", COLOR_BTNFACE, "SetClrSelPane");
        kClrSelFocusText = colour("nClrSelFocusText", COLOR_HIGHLIGHTTEXT, "SetClrSelFocusText");
        kClrSelFocusPane = colour("nClrSelFocusPane", COLOR_HIGHLIGHT, "SetClrSelFocusPane");
        kHeader = b.addProperty({.name = "lHeader", .initial = true, .type = "L", .scope = Published,
                                 .setter = &X::SetHeader});
        kFooter = b.addProperty({.name = "lFooter", .initial = false, .type = "L", .scope = Published,
                                 .setter = &X::SetFooter});
        kAllowEdit = b.addProperty({.name = "lAllowEdit", .initial = true, .type = "L", .scope = Published});
        kAllowAppend = b.addProperty({.name = "lAllowAppend", .initial = false, .type = "L", .scope = Published});
        b.addProperty({.name = "lAllowInsert", .initial = false, .type = "L", .scope = Published});
        kAllowDelete = b.addProperty({.name = "lAllowDelete", .initial = false, .type = "L", .scope = Published});
        b.addProperty({.name = "lAllowColSwapping", .initial = true, .type = "L", .scope = Published});
        b.addProperty({.name = "lAllowColSizing", .initial = true, .type = "L", .scope = Published});
        kAllowColHiding = b.addProperty({.name = "lAllowColHiding", .initial = true, .type = "L", .scope = Published});
        kAllowRowSizing = b.addProperty({.name = "lAllowRowSizing", .initial = true, .type = "L", .scope = Published});
        kColDividerComplete = b.addProperty({.name = "lColDividerComplete", .initial = true, .type = "L",
                                             .scope = Published});
        kRecordSelector = b.addProperty({.name = "lRecordSelector", .initial = true, .type = "L", .scope = Published,
                                         .setter = &X::SetRecSel});
        kFastEdit = b.addProperty({.name = "lFastEdit", .initial = false, .type = "L", .scope = Published});
        b.addProperty({.name = "lTabStop", .initial = true, .scope = Published});
        kFilterBar = b.addProperty({.name = "lFilterBar", .initial = false, .type = "L", .scope = Published,
                                    .setter = &X::FilterMode});
        kMsgNoFilter = b.addProperty({.name = "cMsgNoFilter", .initial = "", .type = "C", .scope = Published});
        b.addProperty({.name = "lAutoSave", .initial = false, .type = "L", .scope = Published});
        kVScroll = b.addProperty({.name = "lVScroll", .type = "L", .scope = Published, .setter = &X::SetVScroll});
        kHScroll = b.addProperty({.name = "lHScroll", .type = "L", .scope = Published, .setter = &X::SetHScroll});
        b.addProperty({.name = "cText", .scope = Exported});
        kRedraw = b.addProperty({.name = "lRedraw", .initial = true, .type = "L", .scope = Exported,
                                 .setter = &X::SetRedraw});
        kEditMode = b.addProperty({.name = "nEditMode", .initial = 0, .type = "N", .scope = Exported,
                                   .readOnly = true});
        kHeaderBar = b.addData("oHeader", Value(), "O", Exported | ReadOnly);
        kFooterBar = b.addData("oFooter", Value(), "O", Exported | ReadOnly);
        kSelected = b.addData("aSelected", Value::array(), "A");
        kKeyNo = b.addData("nKeyNo", 0, "N", Exported | ReadOnly);
        kLen = b.addData("nLen", 0, "N", Exported | ReadOnly);
        kRowSel = b.addData("nRowSel", 1, "N", Exported | ReadOnly);
        kColSel = b.addData("nColSel", 1, "N", Exported | ReadOnly);
        kDataRows = b.addData("nDataRows", 0, "N", Exported | ReadOnly);
        kIntRowHeight = b.addData("nIntRowHeight", 0, "N");
        kPhantomRow = b.addData("nPhantomRow", 0, "N");
        kAutoOrder = b.addData("lAutoOrder", false, "L");
        kDisplay = b.addData("aDisplay", Value::array(), "A");
        kSeek = b.addData("cSeek", "", "C");
        kColOffset = b.addData("nColOffset", 1, "N");
        b.addData("nLastEditCol");
        kMultiEdit = b.addData("lMultiEdit", false, "L");
        kOnPostEdit = b.addData("lOnPostEdit", false, "L");
        kClickedCol = b.addData("nClickedCol", -2, "N");
        kCaptured = b.addData("lCaptured", false, "L");
        kFilterHeight = b.addData("nFilterHeight", Value(), "N", Protected);
        b.record().redeclareField(kCtlStyle, number(WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP |
                                                    WS_VSCROLL | WS_HSCROLL), "N");
        b.addEvent("OnChange", Published, "oSender, lBookMarkChanged");
        b.addEvent("OnPastEof", Published, "oSender");
        b.addEvent("OnGoTop", Published, "oSender");
        b.addEvent("OnGoBottom", Published, "oSender");
        b.addEvent("OnFilterChange", Published, "oSender, nColumn");
        b.addEvent("OnDrawRow", Published, "oSender, nRowPos");
        b.addEvent("OnPostEdit", Published, "oSender, lCanceled, nKey");
        b.addEvent("OnChangeHeight", Published, "oSender, nNewHeight, nOldHeight");
        b.addEvent("OnNewItem", Published, "oSender, oItem");
        for (const char* e : {"OnEdit", "OnAppend", "OnInsert", "OnDelete"}) b.addEvent(e, Published, "oSender");
        for (const char* e : {"OnClick", "OnDblClick", "OnRClick"}) b.addEvent(e, Published, "oSender, nKeys, nCol, nRow");
        b.addEvent("OnSkip", Published, "oSender, nSkip");
        b.addEvent("OnBof", Published, "oSender");
        b.addEvent("OnEof", Published, "oSender");
        b.addEvent("OnKeyNo", Published, "oSender, nPos");
        b.addEvent("OnKeyCount", Published, "oSender");
        b.addEvent("OnBookMark", Published, "oSender, nPos");
        b.addEvent("OnSeek", Published, "oSender, cSeek");
        addMembers<XBrowse>(b);
        const std::pair<const char*, rt::Value (X::*)(rt::Args)> methods[] = {
            {"AddCol", &X::AddCol}, {"InsCol", &X::InsCol}, {"DelCol", &X::DelCol}, {"SwapCols", &X::SwapCols},
            {"MoveCol", &X::MoveCol}, {"Refresh", &X::Refresh}, {"RefreshCurrent", &X::RefreshCurrent},
            {"Refill", &X::Refill}, {"GoUp", &X::GoUp}, {"GoDown", &X::GoDown}, {"GoPageUp", &X::GoPageUp},
            {"GoPageDown", &X::GoPageDown}, {"GoTop", &X::GoTop}, {"GoBottom", &X::GoBottom}, {"GoTo", &X::GoTo},
            {"GoLeft", &X::GoLeft}, {"GoRight", &X::GoRight}, {"GoLeftMost", &X::GoLeftMost},
            {"GoRightMost", &X::GoRightMost}, {"GoHPos", &X::GoHPos},
            {"SaveState", &X::SaveState}, {"RestoreState", &X::RestoreState},
            {"Reset", &X::Reset}, {"ColWithHeader", &X::ColWithHeader}, {"SelectCol", &X::SelectCol},
            {"ColAtIndex", &X::ColAtIndex}, {"ColAtPos", &X::ColAtPos}, {"SelectedCol", &X::SelectedCol},
            {"ColPos", &X::ColPos}, {"Adjust", &X::Adjust}, {"IsEof", &X::IsEof}, {"IsBof", &X::IsBof},
            {"BookMark", &X::BookMark}, {"KeyCount", &X::KeyCount}, {"KeyNo", &X::KeyNo}, {"MoveTop", &X::MoveTop},
            {"MoveBottom", &X::MoveBottom}, {"Skip", &X::Skip}, {"SetHeader", &X::SetHeader},
            {"SetFooter", &X::SetFooter}, {"SetDataLines", &X::SetDataLines}, {"CreateHeader", &X::CreateHeader},
            {"CreateFooter", &X::CreateFooter}, {"SetRecSel", &X::SetRecSel},
            {"SetRowDividerStyle", &X::SetRowDividerStyle}, {"SetColDividerStyle", &X::SetColDividerStyle},
            {"OrderOff", &X::OrderOff}, {"WMPaint", &X::WMPaint}, {"WMPrintClient", &X::WMPaint},
            {"DrawLine", &X::DrawLine}, {"EraseData", &X::EraseData}, {"WMSize", &X::WMSize},
            {"WMSetFocus", &X::WMSetFocus}, {"WMKillFocus", &X::WMKillFocus}, {"SetVScroll", &X::SetVScroll},
            {"SetHScroll", &X::SetHScroll}, {"WMVScroll", &X::WMVScroll}, {"WMHScroll", &X::WMHScroll},
            {"GetDisplayCols", &X::GetDisplayCols}, {"UpdateDisplayCols", &X::UpdateDisplayCols},
            {"GetVisibleCols", &X::GetVisibleCols}, {"GetDisplayColsWidth", &X::GetDisplayColsWidth},
            {"LastDisplayPos", &X::LastDisplayPos}, {"IsDisplayPosVisible", &X::IsDisplayPosVisible},
            {"IsColVisible", &X::IsColVisible}, {"AllColsVisible", &X::AllColsVisible},
            {"LastColVisible", &X::LastColVisible}, {"UpdControls", &X::UpdControls},
            {"SetRowHeight", &X::SetRowHeight}, {"DataScroll", &X::DataScroll},
            {"SetHeaderHeight", &X::SetHeaderHeight}, {"SetFooterHeight", &X::SetFooterHeight},
            {"SetImageList", &X::SetImageList}, {"AddImage", &X::AddImage}, {"FilterMode", &X::FilterMode},
            {"SetClrText", &X::SetClrText}, {"SetClrPane", &X::SetClrPane}, {"SetColor", &X::SetColor},
            {"SetRedraw", &X::SetRedraw}};
        for (const auto& [name, fn] : methods) b.addMethod(name, rt::method(fn));
        const std::pair<const char*, const int*> colours[] = {
            {"SetClrAltPane", &kClrAltPane}, {"SetClrSelText", &kClrSelText}, {"SetClrSelPane", &kClrSelPane},
            {"SetClrSelFocusText", &kClrSelFocusText}, {"SetClrSelFocusPane", &kClrSelFocusPane}};
        for (const auto& [name, position] : colours)
            b.addMethod(name, [position](rt::Object& o, const rt::Method&, rt::Args a) {
                return static_cast<X&>(o).setColour(*position, rt::arg(a, 0));
            });
        const std::pair<const char*, void (X::*)(HDC)> painters[] = {
            {"PaintVerticalLines", &X::paintVerticalLines}, {"PaintHorizontalLines", &X::paintHorizontalLines},
            {"PaintRecordSelector", &X::paintSelectorEdge}};
        for (const auto& [name, fn] : painters)
            b.addMethod(name, [fn](rt::Object& o, const rt::Method&, rt::Args a) {
                auto& grid = static_cast<X&>(o);
                if (HDC dc = dcOf(rt::arg(a, 0).asInteger())) (grid.*fn)(dc);
                return Value();
            });
        addScrollBarMembers(b);
        auto placeholder = [](Value answer) -> rt::NativeMethod {
            return [answer](rt::Object&, const rt::Method&, rt::Args) { return answer; };
        };
        b.addMethod("SetFilter", placeholder(Value()));
        b.addMethod("AdjustColWidth", placeholder(Value()));
        b.addMethod("WMEraseBkgnd", placeholder(Value(1)));
        b.addMethod("HasFocus", [](rt::Object& o, const rt::Method&, rt::Args) {
            return Value(static_cast<X&>(o).hasFocus());
        });
        b.addMethod("GetFreeze", [](rt::Object& o, const rt::Method&, rt::Args) {
            return number(static_cast<X&>(o).freeze());
        });
        b.addMethod("lEditMode", [](rt::Object& o, const rt::Method&, rt::Args) {
            return Value(static_cast<X&>(o).nEditMode() != 0);
        });
        const std::pair<const char*, int64_t (X::*)() const> geometry[] = {
            {"HeaderHeight", &X::headerHeight}, {"FooterHeight", &X::footerHeight},
            {"FirstDataRow", &X::firstDataRow}, {"DataHeight", &X::dataHeight}, {"RowCount", &X::rowCount},
            {"FirstCol", &X::firstCol}, {"LastCol", &X::lastCol}, {"RowHeight", &X::cellHeight}};
        for (const auto& [name, fn] : geometry)
            b.addMethod(name, [fn](rt::Object& o, const rt::Method&, rt::Args) {
                return number((static_cast<X&>(o).*fn)());
            });
        b.addMethod("BrwWidth", [](rt::Object& o, const rt::Method&, rt::Args) {
            return number(static_cast<X&>(o).nClientWidth());
        });
        b.addMethod("DataWidth", [](rt::Object& o, const rt::Method&, rt::Args) {
            return number(static_cast<X&>(o).nClientWidth());
        });
        b.addMethod("BrwHeight", [](rt::Object& o, const rt::Method&, rt::Args) {
            return number(static_cast<X&>(o).nClientHeight());
        });
        b.addMethod("LastDataRow", [](rt::Object& o, const rt::Method&, rt::Args) {
            auto& g = static_cast<X&>(o);
            return number(g.nClientHeight() - g.footerHeight());
        });
        b.addMethod("LastOrdRow", [](rt::Object& o, const rt::Method&, rt::Args) {
            auto& g = static_cast<X&>(o);
            return number(g.nClientHeight() - g.footerHeight() - g.nIntRowHeight() + 1);
        });
        return b.create();
    }();
    return c;
}

void registerBrowse() {
    TBrowse::classRecord();
    TBrwColumn::classRecord();
    TBrwRecSel::classRecord();
    TGridEdit::classRecord();
    TDropList::classRecord();
    registerArrayBrowse();
    registerDBBrowse();
    registerBrowseFunctions();
}

// ---------------------------------------------------------------- typed helpers

Value ownOrGridFont(const Value& own, XBrowse* grid) {
    if (!own.isNil()) return own;
    if (grid) return grid->GetFont({});
    return sendIfUnderstood(Application(), "GetFont");
}

Value storeFont(rt::Args args, Value& font, Value& parentFont) {
    if (!rt::arg(args, 0).isNil()) {
        font = rt::arg(args, 0);
        parentFont = false;
        return font;
    }
    parentFont = givenOr(args, 1, true);
    if (parentFont.asLogical()) font = Value();
    return font;
}

std::vector<XBrwColumn*> XBrowse::columns() const {
    std::vector<XBrwColumn*> list;
    if (auto cols = field(kCols).asArray())
        for (const Value& v : cols->items)
            if (auto column = rt::objectAs<XBrwColumn>(v)) list.push_back(column.get());
    return list;
}

XBrwRecSel* XBrowse::recordSelector() const {
    if (!field(kRecordSelector).asLogical()) return nullptr;
    return rt::objectAs<XBrwRecSel>(field(kRecSel)).get();
}

HIMAGELIST XBrowse::imageList() const {
    const Value list = field(kImageList);
    if (list.isNil() || sendIfUnderstood(list, "GetImageCount").asInteger() <= 0) return nullptr;
    return reinterpret_cast<HIMAGELIST>(handleOf(list));
}

int64_t XBrowse::imageWidth() const {
    return imageList() ? sendIfUnderstood(field(kImageList), "nWidth").asInteger() : 0;
}

int64_t XBrowse::imageHeight() const {
    return imageList() ? sendIfUnderstood(field(kImageList), "nHeight").asInteger() : 0;
}

intptr_t XBrowse::headerFont() const {
    auto bar = rt::objectAs<XControl>(field(kHeaderBar));
    return bar ? handleOf(bar->GetFont({})) : 0;
}

bool XBrowse::hasFocus() const {
    if (!windowExists()) return false;
    HWND self = reinterpret_cast<HWND>(Handle()), focus = GetFocus();
    return focus && (focus == self || IsChild(self, focus));
}

int64_t XBrowse::headerHeight() const { return field(kHeader).asLogical() ? nHeaderHeight() : 0; }
int64_t XBrowse::footerHeight() const { return field(kFooter).asLogical() ? num(kFooterHeight) : 0; }

int64_t XBrowse::firstCol() const {
    XBrwRecSel* selector = recordSelector();
    return selector ? selector->nWidth() : 0;
}

int64_t XBrowse::cellHeight() const { return browse::cellHeight(nIntRowHeight(), nRowDividerStyle()); }

int64_t XBrowse::freeze() const { return nEditMode() != kRead ? 0 : num(kFreeze); }

Viewport XBrowse::loadView() const {
    return {.keyNo = num(kKeyNo), .len = num(kLen), .rowSel = num(kRowSel), .dataRows = num(kDataRows)};
}

void XBrowse::storeView(const Viewport& view) {
    setNum(kKeyNo, view.keyNo);
    setNum(kLen, view.len);
    setNum(kRowSel, view.rowSel);
    setNum(kDataRows, view.dataRows);
}

template <class Move>
void XBrowse::navigate(Move move) {
    Viewport view = loadView();
    auto& port = static_cast<BrowsePort&>(*port_);
    Viewport* outer = port.view;
    port.view = &view;
    Navigator navigator(*source_, port, view);
    move(navigator);
    port.view = outer;
    storeView(view);
}

Viewport* XBrowse::exchangePortView(Viewport* view) {
    auto& port = static_cast<BrowsePort&>(*port_);
    Viewport* outer = port.view;
    port.view = view;
    return outer;
}

void XBrowse::refreshDrawn(bool layout) {
    if (!windowExists() || !lRedrawOn()) return;
    if (layout) rebuildDisplay(true);
    repaintAll();
}

void XBrowse::repaintAll() {
    if (windowExists()) InvalidateRect(reinterpret_cast<HWND>(Handle()), nullptr, FALSE);
}

// ---------------------------------------------------------------- colours and redraw

Value XBrowse::setColour(int position, const Value& colour) {
    if (colour.isNumber() && !colour.sameAs(field(position))) {
        field(position) = colour;
        dropResources();
        refreshDrawn(false);
    }
    return field(position);
}

// The text colour draws the lines of the fore-colour style too: the pens are made again.
Value XBrowse::SetColor(rt::Args args) {
    TWinControl::SetColor(args);
    dropResources();
    return {};
}

Value XBrowse::SetClrText(rt::Args args) {
    const Value& colour = rt::arg(args, 0);
    if (colour.isNumber() && !colour.sameAs(textColorValue())) SetColor(Vals{colour, Value()});
    return textColorValue();
}

Value XBrowse::SetClrPane(rt::Args args) {
    const Value& colour = rt::arg(args, 0);
    if (colour.isNumber() && !colour.sameAs(paneColorValue())) SetColor(Vals{Value(), colour});
    return paneColorValue();
}

// Turning the redraw on first lays the columns out again, as the changes made meanwhile left them.
Value XBrowse::SetRedraw(rt::Args args) {
    const Value& on = rt::arg(args, 0);
    if (!on.isLogical() || on.asLogical()) rebuildDisplay(windowExists());
    return TWinControl::SetRedraw(args);
}

void XBrowse::fireChange(bool rowChanged) { fireEvent(*this, OnChange, {Value(rowChanged)}); }

void XBrowse::cancelEdit() { rt::send(*this, "CancelEdit"); }

// ---------------------------------------------------------------- lifecycle

Value XBrowse::New(rt::Args args) {
    TWinControl::New(args);
    setNum(kRowSel, 1);
    setNum(kColSel, 1);
    setNum(kColOffset, 1);
    setNum(kDataRows, 0);
    rt::send(*this, "SetColor", {number(GetSysColor(COLOR_WINDOWTEXT)), number(GetSysColor(COLOR_WINDOW))});
    field(kImageList) = createByClassName("TImageList", "New", {selfObject()});
    return selfObject();
}

Value XBrowse::Create(rt::Args args) {
    if (!rt::arg(args, 0).isNil()) rt::send(*this, "_oParent", {rt::arg(args, 0)});
    SetRecSel(Vals{field(kRecordSelector), Value(false)});
    TWinControl::Create(args);
    if (!field(kVScroll).isNil()) SetVScroll(Vals{field(kVScroll)});
    if (!field(kHScroll).isNil()) SetHScroll(Vals{field(kHScroll)});
    for (XBrwColumn* column : columns())
        if (!column->lCreated()) rt::send(*column, "Create");
    if (field(kHeader).asLogical()) field(kHeaderBar) = createBar(true);
    if (field(kFooter).asLogical()) field(kFooterBar) = createBar(false);
    rt::send(*this, "Adjust");
    UpdControls({});
    return selfObject();
}

Value XBrowse::Free(rt::Args args) {
    for (int bar : {kHeaderBar, kFooterBar}) {
        sendIfUnderstood(field(bar), "End");
        field(bar) = Value();
    }
    if (auto list = rt::objectAs<XComponent>(field(kImageList)); list && list->oParent().get() == this)
        sendIfUnderstood(field(kImageList), "End");
    field(kImageList) = Value();
    dropResources();
    sendIfUnderstood(field(kRecSel), "End");
    field(kRecSel) = Value();
    rt::send(*this, "_oSeek", {Value()});
    for (XBrwColumn* column : columns()) rt::send(*column, "End");
    if (auto cols = field(kCols).asArray()) cols->items.clear();
    placed_.clear();
    return TWinControl::Free(args);
}

// ---------------------------------------------------------------- the row source placeholders

Value XBrowse::MoveTop(rt::Args) { return fireEvent(*this, OnGoTop); }
Value XBrowse::MoveBottom(rt::Args) { return fireEvent(*this, OnGoBottom); }

Value XBrowse::Skip(rt::Args args) {
    const Value n = rt::arg(args, 0).isNil() ? Value(1) : rt::arg(args, 0);
    const Value moved = fireEvent(*this, OnSkip, {n});
    return moved.isNumber() ? moved : Value(0);
}

Value XBrowse::IsBof(rt::Args) {
    const Value answer = fireEvent(*this, OnBof);
    return answer.isLogical() ? answer : Value(true);
}

Value XBrowse::IsEof(rt::Args) {
    const Value answer = fireEvent(*this, OnEof);
    return answer.isLogical() ? answer : Value(true);
}

Value XBrowse::BookMark(rt::Args args) {
    const Value answer = fireEvent(*this, OnBookMark, {rt::arg(args, 0)});
    return answer.isNil() ? Value(1) : answer;
}

Value XBrowse::KeyNo(rt::Args args) {
    const Value answer = fireEvent(*this, OnKeyNo, {rt::arg(args, 0)});
    field(kKeyNo) = answer.isNumber() ? answer : Value(1);
    return field(kKeyNo);
}

Value XBrowse::KeyCount(rt::Args) {
    const Value answer = fireEvent(*this, OnKeyCount);
    field(kLen) = answer.isNumber() ? answer : Value(0);
    return field(kLen);
}

// ---------------------------------------------------------------- vertical moves

Value XBrowse::Refresh(rt::Args args) {
    const bool reset = rt::arg(args, 0).asLogical();
    navigate([reset](Navigator& n) { n.refresh(reset); });
    UpdControls({});
    if (windowExists() && IsWindowVisible(reinterpret_cast<HWND>(Handle()))) TWinControl::Refresh({});
    return {};
}

Value XBrowse::RefreshCurrent(rt::Args) {
    drawLine(nullptr, true, num(kRowSel));
    return {};
}

Value XBrowse::Refill(rt::Args) {
    rebuildDisplay(true);
    return Refresh(Vals{Value(true)});
}

Value XBrowse::GoUp(rt::Args) {
    navigate([](Navigator& n) { n.goUp(); });
    return {};
}

Value XBrowse::GoDown(rt::Args args) {
    const bool append = rt::arg(args, 0).asLogical();
    navigate([append](Navigator& n) { n.goDown(append); });
    return {};
}

Value XBrowse::GoPageUp(rt::Args args) {
    const int64_t rows = rt::arg(args, 0).asInteger();
    navigate([rows](Navigator& n) { n.goPageUp(rows); });
    return {};
}

Value XBrowse::GoPageDown(rt::Args args) {
    const int64_t rows = rt::arg(args, 0).asInteger();
    navigate([rows](Navigator& n) { n.goPageDown(rows); });
    return {};
}

Value XBrowse::GoTop(rt::Args) {
    navigate([](Navigator& n) { n.goTop(); });
    return {};
}

Value XBrowse::GoBottom(rt::Args) {
    navigate([](Navigator& n) { n.goBottom(); });
    return {};
}

Value XBrowse::GoTo(rt::Args args) {
    const int64_t key = rt::arg(args, 0).asInteger();
    navigate([key](Navigator& n) { n.goTo(key); });
    return {};
}

}  // namespace vorpex
