"""Workbooks written through the spreadsheet stand-in under Wine, for tests that read them back with an
independent reader (python3-openpyxl). Test registrations put this folder on PYTHONPATH."""
import os
import subprocess

import openpyxl


def windows_path(path):
    """Wine's drive Z is the host's root."""
    return 'Z:' + os.path.abspath(path).replace('/', '\\')


def saved_sheet(runner, program, test_filter, path):
    """Runs one test of a Wine test program that saves its workbook where VORPEX_XL_OUT says; answers the saved
    workbook's active sheet."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    if os.path.exists(path):
        os.remove(path)
    env = dict(os.environ, VORPEX_XL_OUT=windows_path(path))
    subprocess.run(['bash', runner, program, '--gtest_filter=' + test_filter], env=env, check=True, timeout=120)
    return openpyxl.load_workbook(path).active
