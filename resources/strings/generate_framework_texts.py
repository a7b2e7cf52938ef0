#!/usr/bin/env python3
"""Generates the framework string table from framework_texts.tsv.

Outputs, all into --out-dir:
  framework_texts.rc        one STRINGTABLE per language, for windres
  framework_texts_table.h   declaration of the same table for C++
  framework_texts_table.cpp the table itself: code page 1252 bytes and UTF-16

The .rc is pure ASCII: every other character is written as a \\xHHHH escape
inside L"...", so windres stores exactly the UTF-16 the source names whatever
code page it would read the file in.
"""

import argparse
import os
import re
import sys

# Tag -> (primary language number, name). Order here is the order of the .rc.
LANGUAGES = {
    "en": (0x09, "English"),
    "es": (0x0A, "Spanish"),
    "ca": (0x03, "Catalan"),
    "de": (0x07, "German"),
    "fr": (0x0C, "French"),
    "it": (0x10, "Italian"),
    "pt": (0x16, "Portuguese"),
    "eu": (0x2D, "Basque"),
    "gl": (0x56, "Galician"),
}
FALLBACK = "en"
ESCAPES = {"r": "\r", "n": "\n", "t": "\t", "\\": "\\", '"': '"'}
PLACEHOLDER = re.compile(r"%[1-9s]")


class SourceError(Exception):
    pass


def unescape(quoted, where):
    if len(quoted) < 2 or quoted[0] != '"' or quoted[-1] != '"':
        raise SourceError(f"{where}: the text must be in double quotes")
    body, out, i = quoted[1:-1], [], 0
    while i < len(body):
        c = body[i]
        if c == '"':
            raise SourceError(f'{where}: a quote inside a text must be written \\"')
        if c != "\\":
            out.append(c)
            i += 1
            continue
        if i + 1 >= len(body) or body[i + 1] not in ESCAPES:
            raise SourceError(f"{where}: unknown escape {body[i:i + 2]!r}")
        out.append(ESCAPES[body[i + 1]])
        i += 2
    return "".join(out)


def read_table(path):
    """Returns {tag: {id: text}}."""
    table = {tag: {} for tag in LANGUAGES}
    with open(path, encoding="utf-8") as f:
        for number, raw in enumerate(f, 1):
            line = raw.rstrip("\n").rstrip("\r")
            if not line.strip() or line.startswith("#"):
                continue
            where = f"{os.path.basename(path)}:{number}"
            fields = line.split("\t")
            if len(fields) != 3:
                raise SourceError(f"{where}: expected number, language and text separated by tabs")
            id_text, tag, quoted = fields
            if not id_text.isdigit() or not 0 <= int(id_text) <= 0xFFFF:
                raise SourceError(f"{where}: {id_text!r} is no text number (0-65535)")
            if tag not in LANGUAGES:
                raise SourceError(f"{where}: unknown language tag {tag!r}")
            text_id = int(id_text)
            if text_id in table[tag]:
                raise SourceError(f"{where}: {text_id} {tag} appears twice")
            text = unescape(quoted, where)
            if not text:
                raise SourceError(f"{where}: an empty text reads as missing; leave the line out")
            if len(text) > 0xFFFE:
                raise SourceError(f"{where}: text too long for a string resource")
            try:
                text.encode("cp1252")
            except UnicodeEncodeError as e:
                raise SourceError(f"{where}: {text[e.start]!r} has no code page 1252 form") from None
            table[tag][text_id] = text
    return table


def accelerator_marks(text):
    return len(re.findall(r"&&|&", text)) - text.count("&&")


def check_against_fallback(table):
    """A translation that drops a placeholder loses data at run time; one that
    gains an accelerator mark changes the menu. Both are caught here."""
    base = table[FALLBACK]
    problems = []
    for tag, texts in table.items():
        if tag == FALLBACK:
            continue
        for text_id, text in sorted(texts.items()):
            if text_id not in base:
                problems.append(f"{text_id} {tag}: English has no such text to fall back on")
                continue
            english = base[text_id]
            if sorted(PLACEHOLDER.findall(text)) != sorted(PLACEHOLDER.findall(english)):
                problems.append(f"{text_id} {tag}: placeholders differ from English")
            if accelerator_marks(text) != accelerator_marks(english):
                problems.append(f"{text_id} {tag}: accelerator marks differ from English")
    if problems:
        raise SourceError("\n".join(problems))


def rc_string(text):
    parts = []
    for c in text:
        if " " <= c <= "~" and c not in '"\\':
            parts.append(c)
        else:
            parts.append(f"\\x{ord(c):04x}")
    return 'L"' + "".join(parts) + '"'


def cpp_narrow(data):
    # Octal escapes stop after three digits, so a following digit is never swallowed.
    parts = []
    for b in data:
        c = chr(b)
        if " " <= c <= "~" and c not in '"\\?':
            parts.append(c)
        else:
            parts.append(f"\\{b:03o}")
    return '"' + "".join(parts) + '"'


def cpp_wide(text):
    parts = []
    for c in text:
        code = ord(c)
        if " " <= c <= "~" and c not in '"\\?':
            parts.append(c)
        elif code < 0xA0:
            parts.append(f"\\{code:03o}")
        elif code <= 0xFFFF:
            parts.append(f"\\u{code:04X}")
        else:
            parts.append(f"\\U{code:08X}")
    return 'u"' + "".join(parts) + '"'


GENERATED = "Generated by generate_framework_texts.py from framework_texts.tsv: edit that file instead."


def write_rc(table):
    lines = [f"// {GENERATED}", "// Every block with sublanguage 0; the lookup matches the language exactly.", ""]
    for tag, (primary, name) in LANGUAGES.items():
        if not table[tag]:
            continue
        lines += [f"// {name}", f"LANGUAGE 0x{primary:02X}, 0x00", "STRINGTABLE", "BEGIN"]
        for text_id, text in sorted(table[tag].items()):
            lines.append(f"  {text_id}, {rc_string(text)}")
        lines += ["END", ""]
    return "\n".join(lines)


def write_header():
    return f"""// {GENERATED}
#pragma once

#include <cstddef>

namespace vorpex::texts {{

// One text of the framework table, sorted by language, then number.
struct TableText
{{
    int language;           // primary language number (9 English, 10 Spanish, ...)
    int id;                 // text number
    const char* ansi;       // the text in code page 1252
    const char16_t* wide;   // the same text as the resources store it (UTF-16)
}};

extern const TableText kFrameworkTexts[];
extern const std::size_t kFrameworkTextCount;

}} // namespace vorpex::texts
"""


def write_source(table):
    rows = []
    for tag, (primary, _) in sorted(LANGUAGES.items(), key=lambda item: item[1][0]):
        for text_id, text in sorted(table[tag].items()):
            rows.append(f"    {{0x{primary:02X}, {text_id}, {cpp_narrow(text.encode('cp1252'))},\n"
                        f"     {cpp_wide(text)}}},")
    body = "\n".join(rows)
    return f"""// {GENERATED}
#include "framework_texts_table.h"

namespace vorpex::texts {{

const TableText kFrameworkTexts[] = {{
{body}
}};

const std::size_t kFrameworkTextCount = sizeof(kFrameworkTexts) / sizeof(kFrameworkTexts[0]);

}} // namespace vorpex::texts
"""


def write_if_changed(path, content):
    # Leaving an unchanged file alone spares the rebuild of everything after it.
    try:
        with open(path, encoding="utf-8", newline="") as f:
            if f.read() == content:
                return
    except FileNotFoundError:
        pass
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(content)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source", required=True)
    parser.add_argument("--out-dir", required=True)
    args = parser.parse_args(argv)
    try:
        table = read_table(args.source)
        check_against_fallback(table)
    except SourceError as e:
        print(f"framework texts: {e}", file=sys.stderr)
        return 1
    os.makedirs(args.out_dir, exist_ok=True)
    write_if_changed(os.path.join(args.out_dir, "framework_texts.rc"), write_rc(table))
    write_if_changed(os.path.join(args.out_dir, "framework_texts_table.h"), write_header())
    write_if_changed(os.path.join(args.out_dir, "framework_texts_table.cpp"), write_source(table))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
