#!/usr/bin/env python3
"""What ships is stripped, and its debug file beside it tells what was linked.

  shipped_debug_files.py stripped BIN_DIR OBJDUMP NM FILE...
      each FILE in BIN_DIR carries no debug sections and no symbol table, and
      names FILE.debug, with that file's CRC, in its .gnu_debuglink section;
      FILE.debug holds the debug sections and the symbols.

Prints one line per failed check (what was expected, what came) and exits 1
if any failed.
"""
import re
import subprocess
import sys
import zlib

failures = []


def fail(message):
    failures.append(message)
    print("FAIL: " + message)


def run(*command):
    done = subprocess.run(command, capture_output=True, text=True)
    if done.returncode != 0:
        fail(f"expected `{' '.join(command)}` to succeed; it ended {done.returncode}: {done.stderr.strip()[:300]}")
        return None
    return done.stdout


def section_names(objdump, path):
    out = run(objdump, "-h", path)
    if out is None:
        return None
    return re.findall(r"^\s*\d+\s+(\S+)\s+[0-9a-f]{8}", out, re.M)


def symbol_names(nm, path):
    """Every symbol of the file, without the i686 leading underscore."""
    out = run(nm, path)
    if out is None:
        return None
    names = [line.split()[-1] for line in out.splitlines() if line.strip() and not line.endswith(":")]
    return [n[1:] if n.startswith("_") else n for n in names]


def debug_link(objdump, path):
    """(file name, CRC) of the .gnu_debuglink section, or None."""
    out = run(objdump, "-s", "-j", ".gnu_debuglink", path)
    if out is None:
        return None
    data = bytearray()
    for line in out.splitlines():
        m = re.match(r"^ [0-9a-f]+ ((?:[0-9a-f]{2,8} ?){1,4})", line)
        if m:
            data += bytes.fromhex(m.group(1).replace(" ", ""))
    end = data.find(b"\0")
    if end < 0 or len(data) < 4:
        return None
    return data[:end].decode("ascii", "replace"), int.from_bytes(data[-4:], "little")


def check_stripped(bin_dir, objdump, nm, name):
    path = f"{bin_dir}/{name}"
    sections = section_names(objdump, path)
    if sections is None:
        return
    debug = [s for s in sections if s.startswith(".debug")]
    if debug:
        fail(f"expected {name} to carry no debug sections; it has {' '.join(debug)}")
    symbols = symbol_names(nm, path)
    if symbols:
        fail(f"expected {name} to carry no symbol table; nm lists {len(symbols)} symbols")
    if ".gnu_debuglink" not in sections:
        fail(f"expected {name} to name its debug file in .gnu_debuglink; its sections are {' '.join(sections)}")
        return
    link = debug_link(objdump, path)
    if link is None:
        fail(f"expected {name}'s .gnu_debuglink to hold a file name and a CRC; it does not")
        return
    link_name, link_crc = link
    if link_name != name + ".debug":
        fail(f"expected {name}'s debug link to name {name}.debug; it names {link_name}")
    try:
        with open(f"{bin_dir}/{name}.debug", "rb") as f:
            crc = zlib.crc32(f.read())
    except OSError as e:
        fail(f"expected the debug file {name}.debug beside {name}; {e.strerror}")
        return
    if crc != link_crc:
        fail(f"expected {name}'s debug link CRC {link_crc:08x} to be that of {name}.debug; the file's is {crc:08x}")
    debug_sections = section_names(objdump, f"{bin_dir}/{name}.debug") or []
    if ".debug_info" not in debug_sections:
        fail(f"expected {name}.debug to hold .debug_info; its sections are {' '.join(debug_sections)}")


def main(argv):
    if len(argv) < 6 or argv[1] != "stripped":
        print(__doc__)
        return 2
    mode, bin_dir, objdump, nm, files = argv[1], argv[2], argv[3], argv[4], argv[5:]
    for name in files:
        check_stripped(bin_dir, objdump, nm, name)
    print(f"{mode}: {len(files)} files, {len(failures)} failed checks")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
