#!/usr/bin/env python3
"""Prints LLD options that stand in for the COFF weak externals of a MinGW libstdc++.a.

GCC's MinGW libstdc++ keeps some old-mangled names (from_chars<int> with the pre-C++17 pack mangling, a few
deque and vector members) as weak externals whose default, `.weak.<old>.<anchor>`, sits where the new-mangled
function is. GNU ld resolves them; LLD 14 leaves them undefined when the comdat holding the default is taken
from another object. Telling LLD the new name directly (-alternatename:<old>=<new>) links the same code.

  libstdcxx_weak_aliases.py <objdump> <libstdc++.a>   one option a line
"""
import re
import subprocess
import sys

# objdump -t, COFF: "[ 63](sec 20)(fl 0x00)(ty 0)(scl 2) (nx 0) 0x0000000000000000 name"
SYMBOL = re.compile(r"^\[\s*\d+\]\(sec\s+(-?\d+)\).*\(scl\s+(\d+)\)\s+\(nx\s+\d+\)\s+0x([0-9a-f]+)\s+(\S+)$")
EXTERNAL = "2"

def objects(listing):
    """Yields the symbol list of each member: (section, storage class, value, name) tuples."""
    symbols = []
    for line in listing.splitlines():
        if line.endswith("file format pe-x86-64") or line.endswith("file format pe-i386"):
            if symbols:
                yield symbols
            symbols = []
            continue
        match = SYMBOL.match(line.strip())
        if match:
            section, storage, value, name = match.groups()
            symbols.append((int(section), storage, int(value, 16), name))
    if symbols:
        yield symbols

def aliases(symbols):
    """Yields (old, new): each weak default's old name and the external defined where the default is."""
    for section, storage, value, name in symbols:
        if not name.startswith(".weak.") or section <= 0:
            continue
        old = name[len(".weak."):].partition(".")[0]
        for other_section, other_storage, other_value, other in symbols:
            if (other_section, other_storage, other_value) == (section, EXTERNAL, value) and \
                    not other.startswith(".weak.") and other != old:
                yield old, other
                break

def main():
    if len(sys.argv) != 3:
        sys.exit("usage: libstdcxx_weak_aliases.py <objdump> <libstdc++.a>")
    listing = subprocess.run([sys.argv[1], "-t", sys.argv[2]], check=True, capture_output=True, text=True).stdout
    seen = set()
    for symbols in objects(listing):
        for old, new in aliases(symbols):
            if old not in seen:
                seen.add(old)
                print(f"-Wl,-Xlink=-alternatename:{old}={new}")

if __name__ == "__main__":
    main()
