#!/usr/bin/env python3
"""Checks that the runtime and the framework include and link only downward.

Every folder under runtime/ and framework/ belongs to one layer of LAYER_ORDER (the longest listed folder
that holds it); a layer may use its own layer and the layers before it. Checked:
  - every #include "runtime/..." or "framework/..." line in a source file under runtime/ or framework/;
  - every library named in a CMakeLists.txt there (the libraries are those add_library() creates, each in
    the layer of the CMakeLists.txt that creates it), and every runtime/ or framework/ path it names.
A folder under runtime/ or framework/ that is in no layer is itself an error: a new area takes its place
in the order here and in docs/ARCHITECTURE.md. Tests follow the rule of their layer, but for the few named in
TEST_EXCEPTIONS.

Usage: check_layers.py [repository root]. Prints one line per break and exits 1 if there is any.
"""
import os
import re
import sys

# Lowest first. "<root>/*" is the files directly in that folder (the umbrella lists, wiring and WinMain).
LAYER_ORDER = [
    "runtime/core",
    "runtime/lib",
    "runtime/expr",
    "runtime/rdd",
    "runtime/rdd/ntx",
    "runtime/ole",
    "runtime/*",
    "framework/core",
    "framework/graphics",
    "framework/data",
    "framework/controls",
    "framework/data/data_controls",
    "framework/dialogs",
    "framework/print",
    "framework/browse",
    "framework/*",
]

# Tests that reach above their layer on purpose, and why. Nothing else may.
TEST_EXCEPTIONS = {
    ("framework/core/control/tests", "framework/graphics"): "the control fixture gives its controls real fonts",
    ("framework/core/form/tests", "framework/graphics"): "the form fixture gives its forms real fonts",
    ("framework/core/paint/tests", "framework/graphics"): "the paint tests run on the control fixture",
    ("framework/core/startup/tests", "framework/*"): "the start-up probe is a whole program over WinMain",
}

CHECKED_ROOTS = ("runtime", "framework")
SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc", ".inc")
INCLUDE = re.compile(r'^\s*#\s*include\s+"((?:runtime|framework)/[^"]+)"')
ADD_LIBRARY = re.compile(r"\badd_library\s*\(\s*([A-Za-z0-9_]+)")
WORD = re.compile(r"[A-Za-z0-9_]+")
PATH = re.compile(r"\b((?:runtime|framework)/[A-Za-z0-9_./]+)")


def layer_of(path, order=LAYER_ORDER):
    """The rank and name of the layer that holds `path` (a repository-relative file path), or None."""
    parts = path.split("/")
    if parts[0] not in CHECKED_ROOTS:
        return None
    best = None
    for rank, layer in enumerate(order):
        if (path == layer or path.startswith(layer + "/")) and (best is None or len(layer) > len(best[1])):
            best = rank, layer
    if best is None and len(parts) == 2 and f"{parts[0]}/*" in order:
        best = order.index(f"{parts[0]}/*"), f"{parts[0]}/*"
    return best


def checked_files(root):
    for top in CHECKED_ROOTS:
        for folder, subfolders, files in os.walk(os.path.join(root, top)):
            subfolders.sort()
            for name in sorted(files):
                yield os.path.relpath(os.path.join(folder, name), root).replace(os.sep, "/")


def cmake_words(text):
    """The text of a CMakeLists.txt without its comments."""
    return "\n".join(line.split("#", 1)[0] for line in text.splitlines())


def read(root, path):
    with open(os.path.join(root, path), encoding="utf-8", errors="replace") as f:
        return f.read()


def library_layers(root, lists, order):
    libraries = {}
    for path in lists:
        for name in ADD_LIBRARY.findall(cmake_words(read(root, path))):
            libraries[name] = layer_of(path, order)
    return libraries


def excused(path, target, exceptions):
    folder = os.path.dirname(path)
    return any(folder == tests or folder.startswith(tests + "/")
               for tests, layer in exceptions if layer == target[1])


def check(root, order=LAYER_ORDER, exceptions=TEST_EXCEPTIONS):
    """Every break under `root`, as "file:line: message" texts."""
    files = list(checked_files(root))
    lists = [p for p in files if os.path.basename(p) == "CMakeLists.txt"]
    libraries = library_layers(root, lists, order)
    breaks = []

    def judge(where, source, target, what):
        if target is None:
            breaks.append(f"{where}: {what} is in no layer (add its folder to the layer order)")
        elif target[0] > source[0] and not excused(where.split(":")[0], target, exceptions):
            breaks.append(f"{where}: {source[1]} uses {what} of the higher layer {target[1]}")

    for path in files:
        source = layer_of(path, order)
        if source is None:
            breaks.append(f"{path}: in no layer (add its folder to the layer order)")
            continue
        if path.endswith(SOURCE_SUFFIXES):
            for number, line in enumerate(read(root, path).splitlines(), 1):
                match = INCLUDE.match(line)
                if match:
                    judge(f"{path}:{number}", source, layer_of(match.group(1), order), match.group(1))
        elif path in lists:
            for number, line in enumerate(cmake_words(read(root, path)).splitlines(), 1):
                for word in WORD.findall(line):
                    if word in libraries:
                        judge(f"{path}:{number}", source, libraries[word], word)
                for named in PATH.findall(line):
                    judge(f"{path}:{number}", source, layer_of(named, order), named)
    return breaks


def main(argv):
    root = argv[1] if len(argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
    breaks = check(os.path.abspath(root))
    for line in breaks:
        print(line)
    if breaks:
        print(f"{len(breaks)} layer break(s); the order is in tests/layers/check_layers.py and "
              "docs/ARCHITECTURE.md", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
