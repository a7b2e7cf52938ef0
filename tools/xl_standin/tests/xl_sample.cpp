// Writes a sample workbook with every kind of cell and format the stand-in keeps, for the reader test.
#include <cstdio>
#include <fstream>

#include "sheet.h"
#include "xlsx.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: xl_sample <file.xlsx>\n");
        return 2;
    }
    using xl::CellValue;
    xl::Sheet sheet;
    sheet.columnAt(1).width = 0.5;
    sheet.format(xl::Area{0, 1, 0, 1}, [](xl::Format& f) { f.bold = true; });
    sheet.cellAt(1, 2).value = CellValue{CellValue::Kind::Text, "Cabecera", 0};
    sheet.cellAt(2, 2).value = CellValue{CellValue::Kind::Text, "Título ñ", 0};
    sheet.format(xl::Area{2, 2, 2, 2}, [](xl::Format& f) { f.bold = true; f.alignment = 3; });
    sheet.merge(xl::Area{1, 2, 3, 4}, true);
    sheet.format(xl::Area{4, 2, 4, 4}, [](xl::Format& f) { f.bold = true; f.size = 8; f.fillColor = 12632256; });
    sheet.format(xl::Area{0, 3, 0, 3}, [](xl::Format& f) { f.alignment = 4; f.numberFormat = "#,##0.00"; });
    sheet.paste(6, 1, "\t1\t2,50\r\n\tdos\t\r\n");
    sheet.cellAt(9, 2).value = CellValue{CellValue::Kind::Number, "", 1234.5};
    sheet.cellAt(9, 3).value = CellValue{CellValue::Kind::Logical, "", 1};
    sheet.columnAt(2).autoFit = true;
    std::ofstream out(argv[1], std::ios::binary);
    const std::string bytes = xl::xlsxPackage(sheet);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return out ? 0 : 1;
}
