#!/usr/bin/python3
"""A grouped report exported by ToExcel into the spreadsheet stand-in under Wine and saved, then read back by an
independent reader (python3-openpyxl): header and title cells, merges, the column titles' band, the numeric
column's format, every body row with its group header and totals rows, the grand total, and the footer under
them.

Run by ctest with: <wine-exec.sh> <report_excel_wine_tests.exe> <scratch folder>."""
import os
import sys
import unittest

from wine_workbook import saved_sheet

RUNNER, PROGRAM, SCRATCH = sys.argv[1], sys.argv[2], sys.argv[3]


class ExportedReportTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.sheet = saved_sheet(RUNNER, PROGRAM, 'ToExcel.ToExcelForAnIndependentReader',
                                os.path.join(SCRATCH, 'report.xlsx'))

    def test_header_title_and_column_titles(self):
        s = self.sheet
        self.assertEqual(s['B1'].value, 'ACME')
        self.assertEqual(s['B2'].value, 'Ventas por departamento ñ')
        self.assertTrue(s['B2'].font.b)
        self.assertEqual(s['B2'].alignment.horizontal, 'center')
        self.assertEqual(sorted(str(r) for r in s.merged_cells.ranges), ['B1:C1', 'B2:C2', 'B3:C3'])
        self.assertEqual([s['B4'].value, s['C4'].value], ['Nombre', 'Importe'])
        for cell in ('B4', 'C4'):
            self.assertTrue(s[cell].font.b, cell)
            self.assertEqual(s[cell].font.sz, 8, cell)
            self.assertEqual(s[cell].fill.fgColor.rgb, 'FFC0C0C0', cell)
        self.assertEqual(s['C4'].alignment.horizontal, 'right')
        self.assertEqual(s.column_dimensions['A'].width, 0.5)

    def test_every_body_row_with_groups_and_totals_then_the_footer(self):
        s = self.sheet
        rows = [[s.cell(row=r, column=c).value or None for c in (1, 2, 3)] for r in range(5, 19)]
        self.assertEqual(rows, [
            [None, None, None],
            ['Departamento 1', None, None],
            [None, 'Ana', '1.00'],
            [None, 'Eva María', '2.00'],  # the TAB inside the name became a blank
            ['Subtotal', None, '3.00'],
            ['Departamento 10', None, None],  # keys "1" and "10" are different groups
            [None, 'Luis', '4.00'],
            ['Subtotal', None, '4.00'],
            [None, None, None],
            ['Total general', None, None],
            [None, None, '7.00'],
            [None, None, None],
            [None, 'Fin del reporte', None],
            [None, None, None],
        ])
        self.assertEqual(s['C7'].number_format, '#,##0.00')
        self.assertEqual(s['C7'].alignment.horizontal, 'right')


if __name__ == '__main__':
    unittest.main(argv=[sys.argv[0]])
