#!/usr/bin/env python3
"""What ships is stripped, and its debug file beside it tells what was linked.

  shipped_debug_files.py stripped BIN_DIR OBJDUMP NM FILE...
      each FILE in BIN_DIR carries no debug sections and no symbol table, and
      names FILE.debug, with that file's CRC, in its .gnu_debuglink section;
      FILE.debug holds the debug sections and the symbols.
  shipped_debug_files.py nothrow BIN_DIR OBJDUMP NM FILE...
      the symbols in each FILE.debug name nothing that throws a C++ exception
      or unwinds the stack.

Prints one line per failed check (what was expected, what came) and exits 1
if any failed.
"""
import re
import subprocess
import sys
import zlib

# What a throw links. The i686 DLLs are linked with MinGW's DLL start-up
# object alone: nothing registers their unwind tables, so a C++ exception
# thrown inside them finds no handler and ends the host through
# std::terminate.
THROWING = [
    (re.compile(r"__cxa_(allocate_exception|throw|rethrow|begin_catch|end_catch)$"), "a C++ throw or catch"),
    (re.compile(r"_Unwind_\w+$"), "the stack unwinder"),
    # operator new and new[] (size_t is j on i686, y on x86_64), plain or
    # aligned; the nothrow forms have other suffixes.
    (re.compile(r"_Zn[wa][jmy](St11align_val_t)?$"), "a throwing operator new"),
]
WHY = ("no unwind tables are registered in the i686 DLLs (linked without crtbegin.o), "
       "so an exception thrown inside them would end the host through std::terminate")

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


def check_nothrow(bin_dir, nm, name):
    symbols = symbol_names(nm, f"{bin_dir}/{name}.debug")
    if symbols is None:
        return
    # A file whose symbols were lost would pass vacuously.
    if "DllMain@12" not in symbols and "DllMain" not in symbols:
        fail(f"expected the symbols of {name}.debug to include DllMain; nm listed {len(symbols)} symbols without it")
        return
    for pattern, what in THROWING:
        found = sorted({s for s in symbols if pattern.match(s)})
        if found:
            fail(f"expected {name} to link nothing that throws; it links {what} ({', '.join(found)}): {WHY}")


def main(argv):
    if len(argv) < 6 or argv[1] not in ("stripped", "nothrow"):
        print(__doc__)
        return 2
    mode, bin_dir, objdump, nm, files = argv[1], argv[2], argv[3], argv[4], argv[5:]
    for name in files:
        if mode == "stripped":
            check_stripped(bin_dir, objdump, nm, name)
        else:
            check_nothrow(bin_dir, nm, name)
    print(f"{mode}: {len(files)} files, {len(failures)} failed checks")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
