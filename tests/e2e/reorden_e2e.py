#!/usr/bin/python3
"""Reorden end to end: the real Reorden.exe under Wine in a scratch folder, its buttons clicked through
vorpex_uidriver, and the employee table written and read back with an independent DBF library (python3-dbf).

Run by ctest (tests/e2e/CMakeLists.txt) with --runner scripts/wine-exec.sh --driver vorpex_uidriver.exe
--program Reorden.exe --scratch <folder>."""
import argparse
import os
import shutil
import subprocess
import sys
import unittest

import dbf

EMPLOYEE = 'NUMERO N(4,0); NOMBRE C(40); BAJA C(1)'
# 5, 2, 9 and a deleted 7, in that order.
STAFF = [(5, 'CINCO', False), (2, 'DOS', False), (7, 'SIETE', True), (9, 'NUEVE', False)]
SORTED = [(2, 'DOS'), (5, 'CINCO'), (9, 'NUEVE')]

DONE = 'Listo! Archivo reordenado.'
HELD_OPEN = 'EMPLEADO.DBF está en uso.'
TEMP_EXISTS = 'Ya existe EMPL.DBF.'
LEFTOVER = 'Ya existe EMPL.DBF: revíselo.'
ROLLED_BACK = 'Falló. Se restauró el archivo.'
RECOVERED = 'Se restauró EMPLEADO.DBF.'

# The error handler's dialog: the error form or, without it, a message box (Abort / Retry / Ignore).
ERROR_CAPTION = 'Error'
IGNORE = 'Ignore|Ignorar'
QUIT = 'Quit|Abort|Salir|Anular'

ARGS = None


def write_table(path, rows, layout=EMPLOYEE):
    table = dbf.Table(path, layout, dbf_type='db3')
    table.open(dbf.READ_WRITE)
    for number, name, deleted in rows:
        table.append((number, name, ' '))
        if deleted:
            dbf.delete(table[-1])
    table.close()


def read_table(path):
    """(live records as (number, name), count of every record in the file)."""
    table = dbf.Table(path)
    table.open(dbf.READ_ONLY)
    try:
        live = [(int(r[0]), r[1].strip()) for r in table if not dbf.is_deleted(r)]
        return live, len(table)
    finally:
        table.close()


class ReordenTest(unittest.TestCase):
    def setUp(self):
        # Each case's folder stays after the run (inside the build folder) to be looked at; the next run
        # starts it afresh.
        self.folder = os.path.join(ARGS.scratch, self.id().split('.')[-1])
        shutil.rmtree(self.folder, ignore_errors=True)
        os.makedirs(self.folder)

    def path(self, name):
        return os.path.join(self.folder, name)

    def files(self):
        # The tables only: an error report also leaves Error.log beside them.
        return sorted(name.upper() for name in os.listdir(self.folder) if name.upper().endswith('.DBF'))

    def table(self):
        """The one employee table's path, however its name is spelled."""
        names = [name for name in os.listdir(self.folder) if name.upper() == 'EMPLEADO.DBF']
        self.assertEqual(len(names), 1, os.listdir(self.folder))
        return self.path(names[0])

    def snapshot(self):
        contents = {}
        for name in os.listdir(self.folder):
            if not name.upper().endswith('.DBF'):
                continue
            with open(self.path(name), 'rb') as f:
                contents[name] = f.read()
        return contents

    def drive(self, *steps, holding=None):
        """Starts Reorden in the scratch folder and runs the driver's steps; answers the printed values by name,
        each a list in order."""
        command = ['bash', ARGS.runner, ARGS.driver]
        if holding:
            command += ['hold', holding]
        command += ['start', ARGS.program, 'window', 'Asistencias', *steps]
        run = subprocess.run(command, cwd=self.folder, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                             timeout=240)
        output = run.stdout.decode('cp1252')
        self.assertEqual(run.returncode, 0, 'the driver failed:\n' + output)
        values = {}
        for line in output.splitlines():
            key, sep, value = line.partition(': ')
            if sep and key in ('label', 'exit'):
                values.setdefault(key, []).append(value)
        return values

    def test_reorder_sorts_drops_the_deleted_and_a_second_run_keeps_the_records(self):
        write_table(self.path('empleado.dbf'), STAFF)
        seen = self.drive('label', 'click', 'Reordenar', 'label', 'click', 'Salir', 'exit')
        self.assertEqual(seen['label'], ['', DONE])
        self.assertEqual(seen['exit'], ['0'], '"Salir" ends the program with exit code 0')
        self.assertEqual(os.listdir(self.folder), ['empleado.dbf'], 'one table, spelled as before')
        self.assertEqual(read_table(self.table()), (SORTED, 3))

        seen = self.drive('click', 'Reordenar', 'label', 'click', 'Salir', 'exit')
        self.assertEqual(seen['label'], [DONE])
        self.assertEqual(os.listdir(self.folder), ['empleado.dbf'])
        self.assertEqual(read_table(self.table()), (SORTED, 3))

    def test_a_table_held_open_by_another_program_is_left_alone(self):
        write_table(self.path('empleado.dbf'), STAFF)
        before = self.snapshot()
        seen = self.drive('click', 'Reordenar', 'label', 'click', 'Salir', 'exit', holding='empleado.dbf')
        self.assertEqual(seen['label'], [HELD_OPEN])
        self.assertEqual(self.snapshot(), before)

    def test_an_existing_empl_changes_nothing(self):
        write_table(self.path('empleado.dbf'), STAFF)
        write_table(self.path('EMPL.DBF'), [(1, 'OTRA', False)])
        before = self.snapshot()
        seen = self.drive('label', 'click', 'Reordenar', 'label', 'click', 'Salir', 'exit')
        self.assertEqual(seen['label'], [LEFTOVER, TEMP_EXISTS])
        self.assertEqual(self.snapshot(), before)

    def test_a_failed_sort_let_pass_by_the_error_handler_puts_the_original_back(self):
        # No NUMERO field: the sort fails after the rename, pack and open have succeeded.
        layout = EMPLOYEE.replace('NUMERO', 'NUM')
        write_table(self.path('empleado.dbf'), STAFF, layout)
        original = read_table(self.path('empleado.dbf'))[0]
        seen = self.drive('click', 'Reordenar', 'answer', ERROR_CAPTION, IGNORE, 'label', 'click', 'Salir', 'exit')
        self.assertEqual(seen['label'], [ROLLED_BACK])
        # The program ends normally; a reported error sets its exit code to 1.
        self.assertEqual(seen['exit'], ['1'])
        self.assertEqual(self.files(), ['EMPLEADO.DBF'])
        self.assertEqual(read_table(self.table())[0], original)

    def test_quitting_from_a_failed_sort_still_puts_the_original_back(self):
        layout = EMPLOYEE.replace('NUMERO', 'NUM')
        write_table(self.path('empleado.dbf'), STAFF, layout)
        original = read_table(self.path('empleado.dbf'))[0]
        seen = self.drive('click', 'Reordenar', 'answer', ERROR_CAPTION, QUIT, 'exit')
        self.assertEqual(seen['exit'], ['1'], 'the program ended, reporting the error in its exit code')
        self.assertEqual(self.files(), ['EMPLEADO.DBF'])
        self.assertEqual(read_table(self.table())[0], original)

    def test_start_up_puts_a_stranded_empl_back(self):
        write_table(self.path('EMPL.DBF'), STAFF)
        seen = self.drive('label', 'click', 'Salir', 'exit')
        self.assertEqual(seen['label'], [RECOVERED])
        self.assertEqual(self.files(), ['EMPLEADO.DBF'])
        self.assertEqual(read_table(self.path('EMPLEADO.DBF'))[0], [(5, 'CINCO'), (2, 'DOS'), (9, 'NUEVE')])


def main():
    global ARGS
    parser = argparse.ArgumentParser(description=__doc__)
    for option in ('runner', 'driver', 'program', 'scratch'):
        parser.add_argument('--' + option, required=True)
    ARGS, rest = parser.parse_known_args()
    for option in ('runner', 'driver', 'program'):
        if not os.path.isfile(getattr(ARGS, option)):
            sys.exit('error: no such file: %s' % getattr(ARGS, option))
    os.makedirs(ARGS.scratch, exist_ok=True)
    unittest.main(argv=[sys.argv[0], '-v'] + rest)


if __name__ == '__main__':
    main()
