#!/usr/bin/python3
"""Asistencias end to end: the real Asistencias.exe under Wine in a scratch folder (the program beside its
employee table, as installed), driven through its window by vorpex_uidriver: the form's controls, moving
through the employees, editing and posting a name, the discharge toggle, the punch import (twice), a
missing clock file answered through the error dialog, and attendance reports over several ranges exported to
the spreadsheet stand-in (tools/xl_standin, registered in the prefix as "Excel.Application"). The tables are
read back with python3-dbf, the punch index with an NTX reader of its own (ntx_reader.py) and the workbooks
the stand-in writes with python3-openpyxl.

Run by ctest (tests/e2e/CMakeLists.txt) with --runner scripts/wine-exec.sh --driver vorpex_uidriver.exe
--program Asistencias.exe --scratch <folder>."""
import argparse
import datetime
import os
import shutil
import subprocess
import sys
import unittest

import dbf
import openpyxl

from ntx_reader import NtxIndex
from wine_workbook import windows_path

EMPLOYEE = 'NUMERO N(4,0); NOMBRE C(40); BAJA C(1)'
STAFF = [(17, 'ANA', '*'), (195, 'BETO', ' '), (5, 'CRUZ', 'X')]

CAPTION = 'Control de Asistencias'
REPORT_CAPTION = 'Reporte de Asistencias'
DONE = 'Importaci\xf3n terminada!'
ERROR_CAPTION = 'Error'
IGNORE = 'Ignore|Ignorar'
# The navigator's buttons: First, Previous, Next, Last, Insert, Delete, Edit, OK, Cancel, Refresh.
FIRST, NEXT, LAST, EDIT, POST = 30001, 30003, 30004, 30007, 30008
VK_UP, VK_DOWN = 38, 40

WAREHOUSE = ('17,25/03/2010 08:15:00\r\n'
             '999,25/03/2010 08:20:00\r\n'
             '17,25/03/2010 08:15:01\r\n'
             '\r\n'
             '5,01/04/2010 18:00:00\r\n')
OFFICES = ('17,25/03/2010 08:15:00\r\n'
           '195,25/03/2010 08:20:00\r\n'
           '5,31/03/2010 07:59:59\r\n')
WAREHOUSE_PUNCHES = {(17, '2010/03/25', '08:15:00'), (195, '2010/03/25', '08:20:00'),
                     (17, '2010/03/25', '08:15:01'), (5, '2010/04/01', '18:00:00')}
ALL_PUNCHES = WAREHOUSE_PUNCHES | {(5, '2010/03/31', '07:59:59')}

ARGS = None
LAYOUT = None  # (class, bounds, text) of every child, in the driver's numbering
# The report dialog's children: its two labels, the start and end edits, "Generar".
REPORT_START, REPORT_END = '2', '3'
COMPANY = 'Ruzodidovuviv Trelm, S.A. de C.V.'
COLUMN_TITLES = ['EMPLEADO', 'NOMBRE', 'FECHA', 'ENTRADA T.M.', 'SALIDA T.M.', 'ENTRADA T.V.', 'SALIDA T.V.']


def write_employees(path):
    table = dbf.Table(path, EMPLOYEE, dbf_type='db3', codepage='cp1252')
    table.open(dbf.READ_WRITE)
    for row in STAFF:
        table.append(row)
    table.close()


def read_rows(path):
    table = dbf.Table(path, codepage='cp1252')
    table.open(dbf.READ_ONLY)
    try:
        # A numeric field never written is blank on disk, which xBase reads as 0.
        return [tuple(v.strip() if isinstance(v, str) else int(v or 0) for v in r) for r in table
                if not dbf.is_deleted(r)]
    finally:
        table.close()


class AsistenciasTest(unittest.TestCase):
    def setUp(self):
        self.folder = os.path.join(ARGS.scratch, self.id().split('.')[-1])
        shutil.rmtree(self.folder, ignore_errors=True)
        os.makedirs(self.folder)
        self.program = os.path.join(self.folder, 'Asistencias.exe')
        shutil.copy(ARGS.program, self.program)
        write_employees(self.path('empleado.dbf'))

    def path(self, name):
        return os.path.join(self.folder, name)

    def write(self, name, text):
        with open(self.path(name), 'wb') as f:
            f.write(text.encode('cp1252'))

    def drive(self, *steps, env=None):
        """Starts Asistencias in the scratch folder and runs the driver's steps; answers the printed values by
        name, each a list in order."""
        command = ['bash', ARGS.runner, ARGS.driver, 'start', self.program, 'window', CAPTION, *steps]
        run = subprocess.run(command, cwd=self.folder, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                             timeout=240, env=dict(os.environ, **(env or {})))
        output = run.stdout.decode('cp1252')
        self.assertEqual(run.returncode, 0, 'the driver failed:\n' + output)
        values = {}
        for line in output.splitlines():
            key, sep, value = line.partition(': ')
            if sep:
                values.setdefault(key, []).append(value)
        return values

    def child(self, kind, text=None, bounds=None):
        """The driver's number of the one child of this class (and text or bounds, when given)."""
        found = [i for i, (k, b, t) in enumerate(LAYOUT)
                 if k == kind and (text is None or t == text) and (bounds is None or b == bounds)]
        self.assertEqual(len(found), 1, (kind, text, bounds, LAYOUT))
        return str(found[0])

    def edits(self):
        """Driver steps that print the NUMERO, NOMBRE and BAJA edits, in that order."""
        return ['text', self.child('TDBMaskEdit'), 'text', self.child('TDBEdit', bounds='72,48,546,20'),
                'text', self.child('TDBEdit', bounds='72,72,26,20')]

    def nav(self, command):
        return ['command', self.child('TDBNavigator'), str(command)]

    def test_the_form_shows_its_controls_and_follows_the_navigator(self):
        expected = [('TButton', '20,344,130,25', 'Importar Asistencias'),
                    ('TButton', '320,344,130,25', 'Reporte de Asistencias'),
                    ('TButton', '620,344,130,25', 'Salir'),
                    ('TGroupBox', '12,64,746,262', 'Empleado'),
                    ('TButton', '108,68,122,25', 'Marcar/Desmarcar'),
                    ('TPanel', '12,8,746,38', ''),
                    ('TProgressBar', '20,380,730,25', '')]
        for control in expected:
            self.assertIn(control, LAYOUT)
        labels = [t for k, b, t in LAYOUT if k == 'TLabel']
        self.assertEqual(labels, ['N\xfamero:', 'Nombre:', 'Baja:', 'Status'])
        seen = self.drive(*self.edits(), *self.nav(NEXT), *self.edits(), *self.nav(LAST), *self.edits(),
                          *self.nav(FIRST), *self.edits(), 'click', 'Salir', 'exit')
        names = seen['text'][1::3]
        self.assertEqual(names, ['ANA', 'BETO', 'CRUZ', 'ANA'])
        self.assertEqual([n.strip() for n in seen['text'][0::3]], ['17', '195', '5', '17'])
        self.assertEqual(seen['exit'], ['0'], '"Salir" ends the program with exit code 0')

    def test_the_edits_follow_the_grid(self):
        self.assertIn(('TDBBrowse', '12,96,718,162', ''), LAYOUT)
        grid = self.child('TDBBrowse')
        # Rows are the font's height plus a pixel or two under a header of about the same: y 61 is in the third.
        seen = self.drive('key', grid, str(VK_DOWN), *self.edits(), 'key', grid, str(VK_DOWN), *self.edits(),
                          'key', grid, str(VK_UP), *self.edits(), 'mouse', grid, '300', '61', *self.edits(),
                          *self.nav(FIRST), 'key', grid, str(VK_DOWN), *self.edits(), 'click', 'Salir', 'exit')
        self.assertEqual(seen['text'][1::3], ['BETO', 'CRUZ', 'BETO', 'CRUZ', 'BETO'])
        self.assertEqual(seen['exit'], ['0'])

    def test_a_name_edited_and_posted_reaches_the_table(self):
        name = self.child('TDBEdit', bounds='72,48,546,20')
        seen = self.drive(*self.nav(NEXT), *self.nav(EDIT), 'type', name, 'Z', *self.nav(POST), *self.edits(),
                          'click', 'Salir', 'exit')
        self.assertEqual(seen['text'][1], 'ZBETO')
        self.assertEqual(read_rows(self.path('empleado.dbf')),
                         [(17, 'ANA', '*'), (195, 'ZBETO', ''), (5, 'CRUZ', 'X')])

    def test_the_discharge_toggle_flips_the_shown_employee_and_back(self):
        baja = self.child('TDBEdit', bounds='72,72,26,20')
        seen = self.drive(*self.nav(LAST), 'click', 'Marcar/Desmarcar', 'text', baja, 'click', 'Salir', 'exit')
        self.assertEqual(seen['text'], ['*'], 'the edit shows the new mark')
        self.assertEqual(read_rows(self.path('empleado.dbf')),
                         [(17, 'ANA', '*'), (195, 'BETO', ''), (5, 'CRUZ', '*')])
        self.drive(*self.nav(LAST), 'click', 'Marcar/Desmarcar', 'click', 'Marcar/Desmarcar',
                   'click', 'Marcar/Desmarcar', 'click', 'Salir', 'exit')
        self.assertEqual(read_rows(self.path('empleado.dbf')),
                         [(17, 'ANA', '*'), (195, 'BETO', ''), (5, 'CRUZ', '')])

    def punches(self):
        rows = read_rows(self.path('Checadas.dbf'))
        self.assertEqual(len(rows), len(set(rows)), 'no punch stored twice')
        index = NtxIndex(self.path('Checadas.ntx'))
        self.assertEqual(index.key_expression.lower(), 'str(empleado,6)+fecha+hora')
        self.assertEqual(index.key_size, 24)
        keys = index.entries()
        self.assertEqual([k for k, _ in keys], sorted(k for k, _ in keys))
        self.assertEqual(sorted(r for _, r in keys), list(range(1, len(rows) + 1)), 'one key per record')
        for key, recno in keys:
            badge, fecha, hora = rows[recno - 1]
            self.assertEqual(key, '%6d%s%s' % (badge, fecha, hora))
        return set(rows)

    def test_the_import_stores_each_punch_once_and_again_adds_nothing(self):
        self.write('almacen.csv', WAREHOUSE)
        self.write('oficinas.csv', OFFICES)
        status = self.child('TLabel', text='Status')
        done = ['until', status, DONE]
        # The second import starts from the first one's closing text: it must show its own steps again.
        seen = self.drive('click', 'Importar Asistencias', *done, 'click', 'Importar Asistencias', *done,
                          *self.edits(), 'click', 'Salir', 'exit')
        self.assertEqual(seen['text'][1], 'ANA', 'the employee shown stays')
        self.assertEqual(self.punches(), ALL_PUNCHES)
        self.assertFalse(os.path.exists(self.path('depaso.dbf')))
        self.assertEqual(read_rows(self.path('empleado.dbf')), [(17, 'ANA', '*'), (195, 'BETO', ''),
                                                                 (5, 'CRUZ', 'X')])

    def test_a_missing_clock_file_ignored_imports_the_other(self):
        self.write('almacen.csv', WAREHOUSE)
        status = self.child('TLabel', text='Status')
        self.drive('click', 'Importar Asistencias', 'answer', ERROR_CAPTION, IGNORE, 'until', status, DONE,
                   'click', 'Salir', 'exit')
        self.assertEqual(self.punches(), WAREHOUSE_PUNCHES)
        self.assertFalse(os.path.exists(self.path('depaso.dbf')))


    def test_the_report_dialog_builds_the_attendance_table_and_the_toggle_still_acts_on_the_employee_shown(self):
        self.write('almacen.csv', WAREHOUSE)
        self.write('oficinas.csv', OFFICES)
        status = self.child('TLabel', text='Status')
        # The dialog's children: its two labels, the start and end edits, "Generar".
        start, end = REPORT_START, REPORT_END
        seen = self.drive('click', 'Importar Asistencias', 'until', status, DONE,
                          'click', 'Reporte de Asistencias', 'window', REPORT_CAPTION, 'controls',
                          'set', start, '2010/04/01', 'set', end, '2010/03/31', 'click', 'Generar', 'ready',
                          'set', start, 'hola', 'click', 'Generar', 'answer', 'Asistencias', 'OK|Aceptar',
                          'close', 'window', CAPTION, 'click', 'Marcar/Desmarcar', 'click', 'Salir', 'exit',
                          env=self.spreadsheet())
        dialog = [line.split(' ', 2) for line in seen['control']]
        today = datetime.date.today().strftime('%Y/%m/%d')  # both dates start as today
        self.assertEqual([(c[0], c[2]) for c in dialog][:5],
                         [('TLabel', 'Fecha inicial:'), ('TLabel', 'Fecha final:'), ('TEdit', today),
                          ('TEdit', today), ('TButton', 'Generar')])
        # Only BETO is active; CRUZ (discharged) gets the rows of his punches, after the weekday rows.
        rows = read_rows(self.path('asisxdia.dbf'))
        self.assertEqual(rows, [(195, 'BETO', '2010/03/31', '', '', '', '', 0, 0, 0),
                                (195, 'BETO', '2010/04/01', '', '', '', '', 0, 0, 0),
                                (5, 'CRUZ', '2010/04/01', '', '', '', '18:00:00', 0, 0, 0),
                                (5, 'CRUZ', '2010/03/31', '07:59:59', '', '', '', 0, 0, 1)])
        # The range across the month end typed end first: the title shows it as typed.
        self.check_sheet(self.shown_sheet(), rows, '2010/04/01', '2010/03/31')
        # The report walked the employee table; the toggle still acts on the employee shown, the first.
        self.assertEqual(read_rows(self.path('empleado.dbf')),
                         [(17, 'ANA', ''), (195, 'BETO', ''), (5, 'CRUZ', 'X')])

    # ---- reports over several ranges after an import, each checked in the working table and in the workbook
    # the spreadsheet stand-in shows

    def report(self, start, end):
        """Imports the clocks' files, then runs one report; answers the table's rows, the sheet and the
        spreadsheet's call journal."""
        self.write('almacen.csv', WAREHOUSE)
        self.write('oficinas.csv', OFFICES)
        status = self.child('TLabel', text='Status')
        self.drive('click', 'Importar Asistencias', 'until', status, DONE,
                   'click', 'Reporte de Asistencias', 'window', REPORT_CAPTION,
                   'set', REPORT_START, start, 'set', REPORT_END, end, 'click', 'Generar', 'ready',
                   'close', 'window', CAPTION, 'click', 'Salir', 'exit', env=self.spreadsheet())
        with open(self.path('journal.txt'), encoding='utf-8') as f:
            calls = f.read()
        self.assertNotIn('FAILED', calls)
        self.assertNotIn('UNKNOWN', calls)
        return read_rows(self.path('asisxdia.dbf')), self.shown_sheet(), calls

    def spreadsheet(self):
        """The stand-in's settings for a run: its journal, and where it writes the workbook it shows."""
        return {'VORPEX_XL_VISIBLE_FILE': windows_path(self.path('shown.xlsx')),
                'VORPEX_XL_JOURNAL': windows_path(self.path('journal.txt'))}

    def shown_sheet(self):
        return openpyxl.load_workbook(self.path('shown.xlsx')).active

    def check_sheet(self, sheet, rows, start, end):
        """The sheet shows the table's rows in its order under the company, the range as typed and the
        column titles, and the footer right under the last row."""
        self.assertEqual(sheet['B1'].value, COMPANY)
        self.assertEqual(sheet['B2'].value, 'REPORTE DE ASISTENCIAS DE EMPLEADOS DEL %s AL %s' % (start, end))
        self.assertTrue(sheet['B2'].font.b)
        self.assertEqual(sorted(str(r) for r in sheet.merged_cells.ranges), ['B1:H1', 'B2:H2', 'B3:H3'])
        self.assertEqual([sheet.cell(row=4, column=c).value for c in range(2, 9)], COLUMN_TITLES)
        shown = [[(sheet.cell(row=r, column=c).value or '').strip() for c in range(1, 9)]
                 for r in range(6, 6 + len(rows))]
        expected = [['', str(badge), name, date, *slots] for badge, name, date, *slots in
                    (row[:7] for row in rows)]
        self.assertEqual(shown, expected)
        self.assertEqual(sheet.cell(row=6 + len(rows), column=2).value, 'P\xe1gina: %10d' % 0)
        self.assertIsNone(sheet.cell(row=7 + len(rows), column=2).value)

    def test_a_weekend_without_punches_exports_no_rows(self):
        rows, sheet, calls = self.report('2010/03/27', '2010/03/28')
        self.assertEqual(rows, [])
        self.check_sheet(sheet, rows, '2010/03/27', '2010/03/28')
        self.assertNotIn('Paste', calls, 'nothing to paste, no paste')

    def test_a_day_of_a_discharged_employee_and_a_remapped_badge(self):
        rows, sheet, _ = self.report('2010/03/25', '2010/03/25')
        # ANA is discharged: her punches give her a row of her own; badge 999 punches as BETO (195).
        self.assertEqual(rows, [(195, 'BETO', '2010/03/25', '08:20:00', '', '', '', 0, 0, 0),
                                (17, 'ANA', '2010/03/25', '08:15:00', '', '', '', 0, 0, 0)])
        self.check_sheet(sheet, rows, '2010/03/25', '2010/03/25')


def register_spreadsheet():
    """The spreadsheet stand-in becomes the prefix's "Excel.Application", as regsvr32 registers a server."""
    dll = os.environ.get('VORPEX_XL_STANDIN_DLL', '')
    regsvr32 = os.path.join(os.environ.get('VORPEX_BUILD_DIR', ''), 'wineprefix', 'drive_c', 'windows', 'system32',
                            'regsvr32.exe')
    if not os.path.isfile(dll) or not os.path.isfile(regsvr32):
        sys.exit('error: cannot register the spreadsheet stand-in (%s, %s)' % (dll, regsvr32))
    run = subprocess.run(['bash', ARGS.runner, regsvr32, '/s', windows_path(dll)], stdout=subprocess.PIPE,
                         stderr=subprocess.STDOUT, timeout=120)
    if run.returncode != 0:
        sys.exit('registering the spreadsheet stand-in failed:\n' + run.stdout.decode('cp1252'))


def read_layout():
    """The form's children as the driver numbers them, from one run in a scratch folder of their own."""
    folder = os.path.join(ARGS.scratch, 'layout')
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    program = os.path.join(folder, 'Asistencias.exe')
    shutil.copy(ARGS.program, program)
    write_employees(os.path.join(folder, 'empleado.dbf'))
    run = subprocess.run(['bash', ARGS.runner, ARGS.driver, 'start', program, 'window', CAPTION, 'controls'],
                         cwd=folder, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=240)
    output = run.stdout.decode('cp1252')
    if run.returncode != 0:
        sys.exit('reading the form failed:\n' + output)
    layout = []
    for line in output.splitlines():
        if line.startswith('control: '):
            kind, bounds, text = (line[len('control: '):].split(' ', 2) + [''])[:3]
            layout.append((kind, bounds, text))
    return layout


def main():
    global ARGS, LAYOUT
    parser = argparse.ArgumentParser(description=__doc__)
    for option in ('runner', 'driver', 'program', 'scratch'):
        parser.add_argument('--' + option, required=True)
    ARGS, rest = parser.parse_known_args()
    for option in ('runner', 'driver', 'program'):
        if not os.path.isfile(getattr(ARGS, option)):
            sys.exit('error: no such file: %s' % getattr(ARGS, option))
    os.makedirs(ARGS.scratch, exist_ok=True)
    LAYOUT = read_layout()
    register_spreadsheet()
    unittest.main(argv=[sys.argv[0], '-v'] + rest)


if __name__ == '__main__':
    main()
