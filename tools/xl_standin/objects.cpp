#include "objects.h"

#include <cstring>

#include "xlsx.h"

namespace xl {

namespace {

constexpr const char* kPasteFailed = "Paste method of Worksheet class failed";

// The value of a property write, converted; false when it does not convert.
bool writtenAs(const Call& call, VARTYPE type, VARIANT& out) {
    VariantInit(&out);
    const VARIANT* v = call.value();
    if (v && v->vt == (VT_BYREF | VT_VARIANT)) v = v->pvarVal;
    return v && SUCCEEDED(VariantChangeType(&out, const_cast<VARIANT*>(v), 0, type));
}

CellValue cellValueOf(const VARIANT& v) {
    VARIANT number;
    VariantInit(&number);
    switch (v.vt) {
        case VT_EMPTY: case VT_NULL: return {};
        case VT_BSTR: return {CellValue::Kind::Text, utf8FromWide(v.bstrVal, SysStringLen(v.bstrVal)), 0};
        case VT_BOOL: return {CellValue::Kind::Logical, "", v.boolVal ? 1.0 : 0.0};
        case VT_DATE: return {CellValue::Kind::Date, "", v.date};
        default:
            if (FAILED(VariantChangeType(&number, const_cast<VARIANT*>(&v), 0, VT_R8))) return {};
            return {CellValue::Kind::Number, "", number.dblVal};
    }
}

void fillVariant(const CellValue& value, VARIANT& out) {
    VariantInit(&out);
    switch (value.kind) {
        case CellValue::Kind::Empty: break;
        case CellValue::Kind::Text: {
            const std::wstring wide = wideFromUtf8(value.text);
            out.vt = VT_BSTR;
            out.bstrVal = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
            break;
        }
        case CellValue::Kind::Logical:
            out.vt = VT_BOOL;
            out.boolVal = value.number != 0 ? VARIANT_TRUE : VARIANT_FALSE;
            break;
        case CellValue::Kind::Date:
            out.vt = VT_DATE;
            out.date = value.number;
            break;
        case CellValue::Kind::Number:
            out.vt = VT_R8;
            out.dblVal = value.number;
            break;
    }
}

// The spreadsheet's alignment numbers: 1..7 and its named constants for left, centre and right.
std::optional<int> alignmentOf(long n) {
    if (n >= 1 && n <= 7) return static_cast<int>(n);
    if (n == -4131) return 2;
    if (n == -4108) return 3;
    if (n == -4152) return 4;
    return std::nullopt;
}

std::optional<std::string> clipboardText() {
    if (!OpenClipboard(nullptr)) return std::nullopt;
    std::optional<std::string> text;
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(h))) {
            const std::string ansi(p, strnlen(p, GlobalSize(h)));
            GlobalUnlock(h);
            std::wstring wide(ansi.size(), L'\0');
            const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(),
                                              static_cast<int>(wide.size()));
            text = utf8FromWide(wide.data(), static_cast<size_t>(n));
        }
    }
    CloseClipboard();
    return text;
}

std::wstring environmentWide(const wchar_t* name) {
    wchar_t buffer[1024];
    const DWORD n = GetEnvironmentVariableW(name, buffer, 1024);
    return n > 0 && n < 1024 ? std::wstring(buffer, n) : std::wstring();
}

// What Range, Font and Interior address: an area of one book's sheet.
struct Place {
    ModelPtr model;
    int book;
    Area area;
    Sheet& sheet() const { return model->books[static_cast<size_t>(book)].sheet; }
};

class Font : public DispatchObject<Font> {
public:
    explicit Font(Place place) : DispatchObject("Font"), place_(std::move(place)) {}
    static const std::vector<Member>& members() {
        static const std::vector<Member> table{{"Bold", kPut, &Font::bold}, {"Size", kPut, &Font::size}};
        return table;
    }

private:
    HRESULT bold(Call& call) {
        VARIANT v;
        if (!writtenAs(call, VT_BOOL, v)) return DISP_E_TYPEMISMATCH;
        place_.sheet().format(place_.area, [&](Format& f) { f.bold = v.boolVal != VARIANT_FALSE; });
        return S_OK;
    }
    HRESULT size(Call& call) {
        VARIANT v;
        if (!writtenAs(call, VT_R8, v) || v.dblVal <= 0) return DISP_E_TYPEMISMATCH;
        place_.sheet().format(place_.area, [&](Format& f) { f.size = v.dblVal; });
        return S_OK;
    }
    Place place_;
};

class Interior : public DispatchObject<Interior> {
public:
    explicit Interior(Place place) : DispatchObject("Interior"), place_(std::move(place)) {}
    static const std::vector<Member>& members() {
        static const std::vector<Member> table{{"Color", kPut, &Interior::color}};
        return table;
    }

private:
    HRESULT color(Call& call) {
        VARIANT v;
        if (!writtenAs(call, VT_I4, v) || v.lVal < 0 || v.lVal > 0xFFFFFF) return DISP_E_TYPEMISMATCH;
        place_.sheet().format(place_.area, [&](Format& f) { f.fillColor = v.lVal; });
        return S_OK;
    }
    Place place_;
};

class Range : public DispatchObject<Range> {
public:
    explicit Range(Place place) : DispatchObject("Range"), place_(std::move(place)) {}
    static const std::vector<Member>& members() {
        static const std::vector<Member> table{
            {"Value", kGet | kPut, &Range::value},
            {"HorizontalAlignment", kPut, &Range::horizontalAlignment},
            {"Font", kGet, &Range::font},
            {"Interior", kGet, &Range::interior},
            {"Merge", kMethod, &Range::merge},
            {"ColumnWidth", kPut, &Range::columnWidth},
            {"NumberFormat", kPut, &Range::numberFormat},
            {"AutoFit", kMethod, &Range::autoFit},
            {"Select", kMethod, &Range::select},
        };
        return table;
    }
    const Place& place() const { return place_; }

private:
    HRESULT value(Call& call) {
        if (call.isWrite()) {
            const VARIANT* v = call.value();
            if (v->vt == (VT_BYREF | VT_VARIANT)) v = v->pvarVal;
            place_.sheet().setValue(place_.area, cellValueOf(*v));
            return S_OK;
        }
        const Cell* cell = place_.sheet().cell(place_.area.top, place_.area.left);
        VARIANT out;
        fillVariant(cell ? cell->value : CellValue{}, out);
        call.returnVariant(out);
        VariantClear(&out);
        return S_OK;
    }
    HRESULT horizontalAlignment(Call& call) {
        VARIANT v;
        std::optional<int> alignment;
        if (writtenAs(call, VT_I4, v)) alignment = alignmentOf(v.lVal);
        if (!alignment) return call.fail("Unable to set the HorizontalAlignment property of the Range class");
        place_.sheet().format(place_.area, [&](Format& f) { f.alignment = *alignment; });
        return S_OK;
    }
    HRESULT font(Call& call) {
        call.returnObject(new Font(place_));
        return S_OK;
    }
    HRESULT interior(Call& call) {
        call.returnObject(new Interior(place_));
        return S_OK;
    }
    HRESULT merge(Call& call) {
        bool across = false;
        if (call.arg(0) && !call.boolArg(0, across)) return DISP_E_TYPEMISMATCH;
        place_.sheet().merge(place_.area, across);
        return S_OK;
    }
    HRESULT columnWidth(Call& call) {
        VARIANT v;
        if (!writtenAs(call, VT_R8, v) || v.dblVal < 0 || v.dblVal > 255)
            return call.fail("Unable to set the ColumnWidth property of the Range class");
        for (int c = place_.area.left; c <= place_.area.right; ++c) place_.sheet().columnAt(c).width = v.dblVal;
        return S_OK;
    }
    HRESULT numberFormat(Call& call) {
        VARIANT v;
        if (!writtenAs(call, VT_BSTR, v)) return DISP_E_TYPEMISMATCH;
        const std::string format = utf8FromWide(v.bstrVal, SysStringLen(v.bstrVal));
        VariantClear(&v);
        place_.sheet().format(place_.area, [&](Format& f) { f.numberFormat = format; });
        return S_OK;
    }
    HRESULT autoFit(Call&) {
        for (int c = place_.area.left; c <= place_.area.right; ++c) place_.sheet().columnAt(c).autoFit = true;
        return S_OK;
    }
    HRESULT select(Call&) {
        place_.model->selection = std::make_pair(place_.book, place_.area);
        return S_OK;
    }
    Place place_;
};

class Worksheet : public DispatchObject<Worksheet> {
public:
    Worksheet(ModelPtr model, int book) : DispatchObject("Worksheet"), model_(std::move(model)), book_(book) {}
    static const std::vector<Member>& members() {
        static const std::vector<Member> table{
            {"Cells", kGet, &Worksheet::cells},
            {"Columns", kGet, &Worksheet::columns},
            {"Range", kGet, &Worksheet::range},
            {"Paste", kMethod, &Worksheet::paste},
        };
        return table;
    }

private:
    HRESULT answer(Call& call, const Area& area) {
        call.returnObject(new Range(Place{model_, book_, area}));
        return S_OK;
    }
    HRESULT cells(Call& call) {
        long row = 0, column = 0;
        if (!call.longArg(0, row) || !call.longArg(1, column)) return DISP_E_TYPEMISMATCH;
        if (row < 1 || column < 1 || column > 16384 || row > 1048576) return DISP_E_BADINDEX;
        const int r = static_cast<int>(row), c = static_cast<int>(column);
        return answer(call, Area{r, c, r, c});
    }
    HRESULT columns(Call& call) {
        long number = 0;
        std::string text;
        std::optional<Area> area;
        if (call.textArg(0, text))
            area = parseArea(text);
        else if (call.longArg(0, number) && number >= 1 && number <= 16384)
            area = Area{0, static_cast<int>(number), 0, static_cast<int>(number)};
        if (!area || !area->wholeColumns()) return DISP_E_BADINDEX;
        return answer(call, *area);
    }
    HRESULT range(Call& call) {
        std::string first, second;
        if (!call.textArg(0, first)) return DISP_E_TYPEMISMATCH;
        if (call.arg(1) && !call.textArg(1, second)) return DISP_E_TYPEMISMATCH;
        std::optional<Area> area = parseArea(second.empty() ? first : first + ":" + second);
        if (!area) return call.fail("Method 'Range' of object '_Worksheet' failed");
        return answer(call, *area);
    }
    // Pastes the clipboard's text at the destination range, or at the selection when none is given.
    HRESULT paste(Call& call) {
        std::optional<Area> at;
        if (auto* destination = dynamic_cast<Range*>(call.objectArg(0)))
            at = destination->place().area;
        else if (!call.arg(0) && model_->selection && model_->selection->first == book_)
            at = model_->selection->second;
        if (!at || at->wholeColumns()) return call.fail(kPasteFailed);
        const std::optional<std::string> text = clipboardText();
        if (!text || text->empty()) return call.fail(kPasteFailed);
        const int lines = model_->books[static_cast<size_t>(book_)].sheet.paste(at->top, at->left, *text);
        call.note = std::to_string(text->size()) + " chars, " + std::to_string(lines) + " lines";
        return S_OK;
    }
    ModelPtr model_;
    int book_;
};

// The first (only) sheet of a book.
HRESULT answerSheet(Call& call, const ModelPtr& model, int book) {
    long index = 0;
    if (book < 0) return call.fail("Method 'Worksheets' of object '_Application' failed");
    if (!call.longArg(0, index) || index != 1) return DISP_E_BADINDEX;
    call.returnObject(new Worksheet(model, book));
    return S_OK;
}

class Workbook : public DispatchObject<Workbook> {
public:
    Workbook(ModelPtr model, int book) : DispatchObject("Workbook"), model_(std::move(model)), book_(book) {}
    static const std::vector<Member>& members() {
        static const std::vector<Member> table{
            {"Worksheets", kGet, &Workbook::worksheets},
            {"SaveAs", kMethod, &Workbook::saveAs},
            {"Close", kMethod, &Workbook::close},
        };
        return table;
    }

private:
    HRESULT worksheets(Call& call) { return answerSheet(call, model_, book_); }
    HRESULT saveAs(Call& call) {
        const VARIANT* name = call.arg(0);
        if (!name || name->vt != VT_BSTR || SysStringLen(name->bstrVal) == 0) return DISP_E_TYPEMISMATCH;
        if (!saveBook(model_->books[static_cast<size_t>(book_)], name->bstrVal))
            return call.fail("Cannot access '" + utf8FromWide(name->bstrVal, SysStringLen(name->bstrVal)) + "'.");
        return S_OK;
    }
    HRESULT close(Call&) {
        model_->books[static_cast<size_t>(book_)].open = false;
        if (model_->active == book_) model_->active = -1;
        return S_OK;
    }
    ModelPtr model_;
    int book_;
};

class Workbooks : public DispatchObject<Workbooks> {
public:
    explicit Workbooks(ModelPtr model) : DispatchObject("Workbooks"), model_(std::move(model)) {}
    static const std::vector<Member>& members() {
        static const std::vector<Member> table{{"Add", kMethod, &Workbooks::add}};
        return table;
    }

private:
    HRESULT add(Call& call) {
        if (!environment("VORPEX_XL_FAIL_ADD").empty()) return call.fail("Add method of Workbooks class failed");
        model_->books.emplace_back();
        model_->active = static_cast<int>(model_->books.size()) - 1;
        call.returnObject(new Workbook(model_, model_->active));
        return S_OK;
    }
    ModelPtr model_;
};

class Application : public DispatchObject<Application> {
public:
    Application() : DispatchObject("Application"), model_(std::make_shared<Model>()) {}
    static const std::vector<Member>& members() {
        static const std::vector<Member> table{
            {"Workbooks", kGet, &Application::workbooks},
            {"Worksheets", kGet, &Application::worksheets},
            {"Visible", kGet | kPut, &Application::visible},
        };
        return table;
    }

private:
    HRESULT workbooks(Call& call) {
        call.returnObject(new Workbooks(model_));
        return S_OK;
    }
    HRESULT worksheets(Call& call) { return answerSheet(call, model_, model_->active); }
    // Made visible, the spreadsheet shows its active workbook: the stand-in writes it where the tests look.
    HRESULT visible(Call& call) {
        if (!call.isWrite()) {
            VARIANT v;
            VariantInit(&v);
            v.vt = VT_BOOL;
            v.boolVal = model_->visible ? VARIANT_TRUE : VARIANT_FALSE;
            call.returnVariant(v);
            return S_OK;
        }
        VARIANT v;
        if (!writtenAs(call, VT_BOOL, v)) return DISP_E_TYPEMISMATCH;
        model_->visible = v.boolVal != VARIANT_FALSE;
        const std::wstring shown = environmentWide(L"VORPEX_XL_VISIBLE_FILE");
        if (model_->visible && model_->active >= 0 && !shown.empty())
            saveBook(model_->books[static_cast<size_t>(model_->active)], shown);
        return S_OK;
    }
    ModelPtr model_;
};

}  // namespace

DispatchBase* newApplication() { return new Application(); }

bool saveBook(const Book& book, const std::wstring& path) {
    const std::string bytes = xlsxPackage(book.sheet);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

}  // namespace xl
