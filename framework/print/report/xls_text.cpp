#include "xls_text.h"

#include "runtime/lib/number.h"

namespace vorpex::report {

namespace {

int pictureDecimals(std::string_view picture) {
    const size_t point = picture.find('.');
    if (point == std::string_view::npos) return 0;
    int decimals = 0;
    for (char ch : picture.substr(point + 1))
        if (ch == '9') ++decimals;
    return decimals;
}

std::string trimLeft(std::string s) {
    const size_t first = s.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : s.substr(first);
}

}  // namespace

std::string xlsNumber(double value, std::string_view picture, char decimalSeparator) {
    const int decimals = pictureDecimals(picture);
    // Wide enough for any double's integer digits, so Str never answers asterisks.
    std::string text = trimLeft(rt::str(value, 330 + decimals, decimals));
    if (decimalSeparator != '.')
        if (const size_t point = text.find('.'); point != std::string::npos) text[point] = decimalSeparator;
    return text;
}

std::string sheetColumn(int column) {
    std::string letters;
    for (; column > 0; column = (column - 1) / 26) letters.insert(letters.begin(), char('A' + (column - 1) % 26));
    return letters;
}

std::string cellText(std::string_view text) {
    std::string out(text);
    for (char& ch : out)
        if (ch == '\t' || ch == '\r' || ch == '\n') ch = ' ';
    return out;
}

int bodyRows(std::string_view chunk) {
    int rows = 0;
    for (size_t at = 0; (at = chunk.find("\r\n", at)) != std::string_view::npos; at += 2) ++rows;
    return rows;
}

void XlsBody::dataRow(const std::vector<std::string>& cells) {
    for (const std::string& cell : cells) text_ += '\t' + cellText(cell);
    text_ += "\r\n";
}

void XlsBody::groupHeader(std::string_view text) { text_ += cellText(text) + "\r\n"; }

void XlsBody::groupTotals(std::string_view label, const Totals& totals) {
    text_ += cellText(label);
    totalsRow(totals);
}

void XlsBody::grandTotals(std::string_view label, const Totals& totals) {
    text_ += "\r\n";
    if (!label.empty()) text_ += cellText(label) + "\r\n";
    totalsRow(totals);
    text_ += "\r\n";
}

void XlsBody::totalsRow(const Totals& totals) {
    text_ += '\t';
    for (size_t i = 0; i < totals.size(); ++i) {
        if (i) text_ += '\t';
        if (totals[i]) text_ += cellText(*totals[i]);
    }
    text_ += "\r\n";
}

std::string XlsBody::take() {
    std::string chunk;
    chunk.swap(text_);
    return chunk;
}

}  // namespace vorpex::report
