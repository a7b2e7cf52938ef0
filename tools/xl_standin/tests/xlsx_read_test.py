#!/usr/bin/python3
"""The stand-in's .xlsx package read by an independent reader (python3-openpyxl): values, fonts, fills,
alignment, number formats, merges and column widths as xl_sample writes them.

Run by ctest with: <xl_sample program> <output .xlsx path>."""
import subprocess
import sys
import unittest

import openpyxl

SAMPLE, PATH = sys.argv[1], sys.argv[2]


class XlsxReadTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        subprocess.run([SAMPLE, PATH], check=True)
        cls.sheet = openpyxl.load_workbook(PATH).active

    def test_values_keep_their_texts_and_types(self):
        s = self.sheet
        self.assertEqual(s['B1'].value, 'Cabecera')
        self.assertEqual(s['B2'].value, 'Título ñ')
        self.assertEqual([s['B6'].value, s['C6'].value], ['1', '2,50'])
        self.assertIsNone(s['A6'].value)
        self.assertEqual(s['B7'].value, 'dos')
        self.assertEqual(s['B9'].value, 1234.5)
        self.assertIs(s['C9'].value, True)

    def test_formats(self):
        s = self.sheet
        self.assertTrue(s['B2'].font.b)
        self.assertEqual(s['B2'].alignment.horizontal, 'center')
        self.assertTrue(s['C4'].font.b)
        self.assertEqual(s['C4'].font.sz, 8)
        self.assertEqual(s['C4'].fill.fgColor.rgb, 'FFC0C0C0')
        self.assertEqual(s['C6'].alignment.horizontal, 'right')
        self.assertEqual(s['C6'].number_format, '#,##0.00')
        self.assertFalse(s['B6'].font.b)

    def test_merges_and_columns(self):
        s = self.sheet
        self.assertEqual(sorted(str(r) for r in s.merged_cells.ranges), ['B1:D1', 'B2:D2', 'B3:D3'])
        self.assertEqual(s.column_dimensions['A'].width, 0.5)
        self.assertGreaterEqual(s.column_dimensions['B'].width, len('Cabecera'))


if __name__ == '__main__':
    unittest.main(argv=[sys.argv[0]])
