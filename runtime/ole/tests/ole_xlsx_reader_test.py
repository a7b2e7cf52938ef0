#!/usr/bin/python3
"""A workbook filled through the OLE client and the spreadsheet stand-in under Wine, then read back by an
independent reader (python3-openpyxl): the texts in code page 1252, fonts, fills, alignment, merges, the
pasted body and column widths.

Run by ctest with: <wine-exec.sh> <rt_ole_client_tests.exe> <scratch folder>."""
import os
import sys
import unittest

from wine_workbook import saved_sheet

RUNNER, PROGRAM, SCRATCH = sys.argv[1], sys.argv[2], sys.argv[3]


class FilledWorkbookTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.sheet = saved_sheet(RUNNER, PROGRAM, 'OleClient.FillsAWorkbookForAnIndependentReader',
                                os.path.join(SCRATCH, 'filled.xlsx'))

    def test_cells_set_one_by_one(self):
        s = self.sheet
        self.assertEqual(s['B1'].value, 'Cabecera')
        self.assertEqual(s['B2'].value, 'Título ñ')
        self.assertTrue(s['B2'].font.b)
        self.assertEqual(s['B2'].alignment.horizontal, 'center')
        self.assertEqual(sorted(str(r) for r in s.merged_cells.ranges), ['B1:D1', 'B2:D2', 'B3:D3'])
        self.assertEqual([s['B4'].value, s['C4'].value], ['Nombre', 'Horas'])
        for cell in ('B4', 'C4', 'D4'):
            self.assertTrue(s[cell].font.b, cell)
            self.assertEqual(s[cell].font.sz, 8, cell)
            self.assertEqual(s[cell].fill.fgColor.rgb, 'FFC0C0C0', cell)

    def test_pasted_body_and_columns(self):
        s = self.sheet
        self.assertEqual([[c.value for c in row] for row in s['A6:C7']], [[None, 'Ana', '1,50'], [None, 'Luis', '2']])
        self.assertEqual(s['C6'].alignment.horizontal, 'right')
        self.assertEqual(s['C6'].number_format, '#,##0.00')
        self.assertEqual(s.column_dimensions['A'].width, 0.5)


if __name__ == '__main__':
    unittest.main(argv=[sys.argv[0]])
