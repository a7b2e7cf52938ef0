#include "xlsx.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "zip.h"

namespace xl {

namespace {

constexpr const char* kXmlHead = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr const char* kMainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr const char* kRelNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr int kFirstCustomNumberFormat = 164;

std::string escape(std::string_view text) {
    std::string out;
    for (char ch : text) {
        switch (ch) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default:
                // XML 1.0 has no place for the other control characters.
                if (static_cast<unsigned char>(ch) >= 0x20 || ch == '\t' || ch == '\n' || ch == '\r') out += ch;
        }
    }
    return out;
}

std::string number(double v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15g", v);
    return buffer;
}

template <class T>
int indexOf(std::vector<T>& list, const T& item) {
    auto it = std::find(list.begin(), list.end(), item);
    if (it != list.end()) return static_cast<int>(it - list.begin());
    list.push_back(item);
    return static_cast<int>(list.size()) - 1;
}

const char* alignmentName(int alignment) {
    switch (alignment) {
        case 2: return "left";
        case 3: return "center";
        case 4: return "right";
        case 5: return "fill";
        case 6: return "justify";
        case 7: return "centerContinuous";
        default: return "general";
    }
}

std::string argbOf(long color) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "FF%02X%02X%02X", static_cast<unsigned>(color & 0xFF),
                  static_cast<unsigned>((color >> 8) & 0xFF), static_cast<unsigned>((color >> 16) & 0xFF));
    return buffer;
}

// The distinct formats in use, numbered as styles.xml's cell formats (0 is the default).
class StyleTable {
public:
    StyleTable() { formats_.push_back(Format{}); }
    int styleOf(const Format& f) { return indexOf(formats_, f); }

    std::string xml() const {
        std::vector<std::pair<bool, double>> fonts{{false, 11}};
        std::vector<long> fills;
        std::vector<std::string> numberFormats;
        std::string xfs;
        for (const Format& f : formats_) {
            const int font = indexOf(fonts, {f.bold.value_or(false), f.size.value_or(11)});
            const int fill = f.fillColor ? indexOf(fills, *f.fillColor) + 2 : 0;
            const int numFmt = f.numberFormat ? indexOf(numberFormats, *f.numberFormat) + kFirstCustomNumberFormat : 0;
            xfs += "<xf numFmtId=\"" + std::to_string(numFmt) + "\" fontId=\"" + std::to_string(font) + "\" fillId=\"" +
                   std::to_string(fill) + "\" borderId=\"0\" xfId=\"0\"";
            xfs += f.alignment ? std::string(" applyAlignment=\"1\"><alignment horizontal=\"") +
                                     alignmentName(*f.alignment) + "\"/></xf>"
                               : std::string("/>");
        }
        std::string out = std::string(kXmlHead) + "<styleSheet xmlns=\"" + kMainNs + "\">";
        out += "<numFmts count=\"" + std::to_string(numberFormats.size()) + "\">";
        for (size_t i = 0; i < numberFormats.size(); ++i)
            out += "<numFmt numFmtId=\"" + std::to_string(kFirstCustomNumberFormat + i) + "\" formatCode=\"" +
                   escape(numberFormats[i]) + "\"/>";
        out += "</numFmts><fonts count=\"" + std::to_string(fonts.size()) + "\">";
        for (const auto& [bold, size] : fonts)
            out += std::string("<font>") + (bold ? "<b/>" : "") + "<sz val=\"" + number(size) +
                   "\"/><name val=\"Calibri\"/></font>";
        out += "</fonts><fills count=\"" + std::to_string(fills.size() + 2) +
               "\"><fill><patternFill patternType=\"none\"/></fill><fill><patternFill patternType=\"gray125\"/></fill>";
        for (long color : fills)
            out += "<fill><patternFill patternType=\"solid\"><fgColor rgb=\"" + argbOf(color) + "\"/></patternFill></fill>";
        out += "</fills><borders count=\"1\"><border/></borders>"
               "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>";
        out += "<cellXfs count=\"" + std::to_string(formats_.size()) + "\">" + xfs + "</cellXfs>";
        out += "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>";
        out += "</styleSheet>";
        return out;
    }

private:
    std::vector<Format> formats_;
};

std::string cellXml(int row, int column, const Cell& cell, int style) {
    std::string out = "<c r=\"" + cellName(row, column) + "\"";
    if (style != 0) out += " s=\"" + std::to_string(style) + "\"";
    switch (cell.value.kind) {
        case CellValue::Kind::Empty: return out + "/>";
        case CellValue::Kind::Text:
            return out + " t=\"inlineStr\"><is><t xml:space=\"preserve\">" + escape(cell.value.text) + "</t></is></c>";
        case CellValue::Kind::Logical: return out + " t=\"b\"><v>" + number(cell.value.number) + "</v></c>";
        default: return out + "><v>" + number(cell.value.number) + "</v></c>";
    }
}

// A column's width: the one set, or for an autofitted column one that fits its longest text.
std::optional<double> widthOf(const Sheet& sheet, int column, const Column& c) {
    if (!c.autoFit) return c.width;
    size_t longest = 0;
    for (const auto& [at, cell] : sheet.cells())
        if (at.second == column) longest = std::max(longest, cell.value.text.size());
    return longest ? std::optional<double>(static_cast<double>(longest) + 2) : c.width;
}

std::string columnsXml(const Sheet& sheet, StyleTable& styles) {
    std::string out;
    for (const auto& [column, c] : sheet.columns()) {
        const std::string n = std::to_string(column);
        out += "<col min=\"" + n + "\" max=\"" + n + "\"";
        if (auto w = widthOf(sheet, column, c)) out += " width=\"" + number(*w) + "\" customWidth=\"1\"";
        if (const int style = styles.styleOf(c.format)) out += " style=\"" + std::to_string(style) + "\"";
        out += "/>";
    }
    return out.empty() ? out : "<cols>" + out + "</cols>";
}

std::string sheetXml(const Sheet& sheet, StyleTable& styles) {
    std::string out = std::string(kXmlHead) + "<worksheet xmlns=\"" + kMainNs + "\" xmlns:r=\"" + kRelNs + "\">";
    out += columnsXml(sheet, styles) + "<sheetData>";
    int openRow = 0;
    for (const auto& [at, cell] : sheet.cells()) {
        if (at.first != openRow) {
            if (openRow) out += "</row>";
            openRow = at.first;
            out += "<row r=\"" + std::to_string(openRow) + "\">";
        }
        out += cellXml(at.first, at.second, cell, styles.styleOf(sheet.effectiveFormat(at.first, at.second)));
    }
    if (openRow) out += "</row>";
    out += "</sheetData>";
    if (!sheet.merges().empty()) {
        out += "<mergeCells count=\"" + std::to_string(sheet.merges().size()) + "\">";
        for (const Area& a : sheet.merges())
            out += "<mergeCell ref=\"" + cellName(a.top, a.left) + ":" + cellName(a.bottom, a.right) + "\"/>";
        out += "</mergeCells>";
    }
    return out + "</worksheet>";
}

std::string contentTypes() {
    return std::string(kXmlHead) +
           "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
           "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
           "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
           "<Override PartName=\"/xl/workbook.xml\" "
           "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
           "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
           "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
           "<Override PartName=\"/xl/styles.xml\" "
           "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
           "</Types>";
}

std::string relationship(const char* id, const char* type, const char* target) {
    return std::string("<Relationship Id=\"") + id + "\" Type=\"" + kRelNs + "/" + type + "\" Target=\"" + target +
           "\"/>";
}

std::string relationships(const std::string& items) {
    return std::string(kXmlHead) + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">" +
           items + "</Relationships>";
}

}  // namespace

std::string xlsxPackage(const Sheet& sheet) {
    StyleTable styles;
    const std::string worksheet = sheetXml(sheet, styles);
    StoredZip zip;
    zip.add("[Content_Types].xml", contentTypes());
    zip.add("_rels/.rels", relationships(relationship("rId1", "officeDocument", "xl/workbook.xml")));
    zip.add("xl/workbook.xml", std::string(kXmlHead) + "<workbook xmlns=\"" + kMainNs + "\" xmlns:r=\"" + kRelNs +
                                   "\"><sheets><sheet name=\"Sheet1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>");
    zip.add("xl/_rels/workbook.xml.rels",
            relationships(relationship("rId1", "worksheet", "worksheets/sheet1.xml") +
                          relationship("rId2", "styles", "styles.xml")));
    zip.add("xl/worksheets/sheet1.xml", worksheet);
    zip.add("xl/styles.xml", styles.xml());
    return zip.finish();
}

}  // namespace xl
