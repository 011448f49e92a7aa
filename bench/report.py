#!/usr/bin/env python3
"""Turns the benchmarks' figures into one table and the plots' data.

Each benchmark program prints "key value" lines; scripts/bench collects one
file of them per architecture. This prints the table, with a column per
architecture and each goal with a pass or MISS mark, and writes the data
files that bench/plot.gp draws:

  report.py OUT_DIR i686=[emulated:]FILE x86_64=[emulated:]FILE

The figures of an architecture run under a user-mode emulator (emulated:)
are shown in a column marked so, and judge no goal: they time the emulator.

The exit status is 1 when a figure is missing.
"""
import sys
from pathlib import Path

ARCHS = ("i686", "x86_64")
KEPT_STEPS = (0, 1000, 10000, 100000, 1000000)
COUNTS = (1, 10, 100, 1000, 10000, 32767)
SETTINGS_DIALOGS = ("Call_dlg100", "Call_dlg101", "Call_dlg102")
FIXED_DIALOGS = ("Call_dlg110", "Call_dlg111")
CHOOSERS = ("Ze3FileDlg", "Ze3FolderDlg", "Ze3ChooseColor")
THREADS = (1, 2, 4, 8)
# The lines of the threads table and plot: the two exports, and the heap alone
# doing what MidB_ASCII asks of it.
THREAD_LINES = (("LenB_ASCII", "lenb"), ("MidB_ASCII", "midb"), ("HeapAlloc of its result's block", "heap"))
# Where a plot puts the fresh store on its log axis, labelled "0".
FRESH_X = 100


def parse(text):
    """The figures of one benchmark output: {key: float}. Lines that are not
    "key number" are ignored (a program's own messages)."""
    figures = {}
    for line in text.splitlines():
        parts = line.split()
        if len(parts) != 2:
            continue
        try:
            figures[parts[0]] = float(parts[1])
        except ValueError:
            pass
    return figures


def at_most(limit):
    return ("<= %.2f" % limit, lambda v: v <= limit)


def at_least(limit):
    return (">= %.2f" % limit, lambda v: v >= limit)


def ratio(a, b):
    """A row's value: figure a over figure b."""
    return (a, b)


def figure(key):
    """A row's value: the figure itself."""
    return (key,)


def ratio_of_ratios(a, b, c, d):
    """A row's value: a over b, against c over d."""
    return (a, b, c, d)


def value(keys, figures):
    """What a row's keys give; KeyError or ZeroDivisionError when they cannot."""
    if len(keys) == 1:
        return figures[keys[0]]
    v = figures[keys[0]] / figures[keys[1]]
    return v if len(keys) == 2 else v / (figures[keys[2]] / figures[keys[3]])


def keys_read():
    """Every figure key the table and the plots read."""
    keys = {key for row in rows() if len(row) > 1 for key in row[1]}
    keys.update("store.%s.ns.%d" % (fn, kept) for fn in ("lenb", "midb") for kept in KEPT_STEPS)
    keys.update("ready.%s.%d" % (d, n) for d in SETTINGS_DIALOGS for n in COUNTS)
    keys.add("store.scan_ns_per_entry")
    return keys


def rows():
    """(label, the figures it is made of (figure() or ratio()), format, goal or None);
    a label alone is a heading."""
    r = [("String store, per call",)]
    for fn, key, floor, floor_label, goal in (
            ("LenB_ASCII", "lenb", "store.lenb.lstrlena_ns", "lstrlenA of the same text", 1.5),
            ("MidB_ASCII", "midb", "store.midb.one_string_ns",
             "one registered string of the result's length", 1.2)):
        fresh, full = "store.%s.ns.0" % key, "store.%s.ns.1000000" % key
        in_turn = "store.%s.in_turn_ns" % key
        r += [
            ("%s, fresh store" % fn, figure(fresh), "%.1f ns", None),
            ("%s, after 1,000,000 kept strings" % fn, figure(full), "%.1f ns", None),
            ("  ratio, kept to fresh", ratio(full, fresh), "%.2f", at_most(1.2)),
            (floor_label, figure(floor), "%.1f ns", None),
            ("%s, in turn with that" % fn, figure(in_turn), "%.1f ns", None),
            ("  ratio, call to that", ratio(in_turn, floor), "%.2f", at_most(goal)),
        ]
    r += [
        ("heap per kept 5-byte string", figure("store.mem.string"), "%.1f B", None),
        ("bare 10-byte heap block", figure("store.mem.block"), "%.1f B", None),
        ("  of which the store's list slot", figure("store.mem.slot"), "%.0f B", None),
        ("  ratio, string to block", ratio("store.mem.string", "store.mem.block"), "%.2f", None),
        ("Dialogs, call until shown and filled",),
    ]
    for d in SETTINGS_DIALOGS:
        r.append(("%s N = %d" % (d, COUNTS[0]), figure("ready.%s.%d" % (d, COUNTS[0])), "%.3f s", None))
        r.append(("%s N = %d" % (d, COUNTS[-1]), figure("ready.%s.%d" % (d, COUNTS[-1])), "%.3f s",
                  at_most(0.5)))
    for d in FIXED_DIALOGS:
        r.append((d, figure("ready.%s" % d), "%.3f s", at_most(0.5)))
    r.append(("Choosers, call until shown",))
    for c in CHOOSERS:
        r.append((c, figure("ready.%s" % c), "%.3f s", None))
    r += [
        ("Plug-in bridge (ZE4_SetPlgComment), per call",),
        ("through the bridge", figure("bridge.us"), "%.1f us", None),
        ("floor: the host loads, calls, frees", figure("bridge.floor_us"), "%.1f us", None),
        ("  ratio, bridge to floor", ratio("bridge.us", "bridge.floor_us"), "%.2f", at_most(1.2)),
        ("Start-up, LoadLibraryA to first result (load/free cycles)",),
        ("farelib4.dll", figure("startup.farelib4.dll.us"), "%.0f us", None),
        ("farelib3.dll", figure("startup.farelib3.dll.us"), "%.0f us", None),
        ("Threads, total million calls per second",),
    ]
    for fn, key in THREAD_LINES:
        for t in THREADS:
            r.append(("%s, %d thread%s" % (fn, t, "" if t == 1 else "s"), figure("threads.%s.%d" % (key, t)),
                      "%.2f", None))
        r.append(("  ratio, 8 threads to 1", ratio("threads.%s.8" % key, "threads.%s.1" % key), "%.2f",
                  at_least(1.0) if key == "lenb" else None))
    r.append(("  MidB_ASCII's ratio against the heap's",
              ratio_of_ratios("threads.midb.8", "threads.midb.1", "threads.heap.8", "threads.heap.1"), "%.2f",
              at_least(0.9)))
    return r


def cell(row, figures, judged=True):
    """One table cell: the value, with its goal's mark where the column is
    judged, or why there is none."""
    _, keys, fmt, goal = row
    try:
        v = value(keys, figures)
    except (KeyError, ZeroDivisionError):
        return "missing", False
    text = fmt % v
    if goal and judged:
        text += " pass" if goal[1](v) else " MISS"
    return text, True


def table(results, emulated=()):
    """The table's lines and whether every figure was there. `results` maps
    each architecture to its figures; `emulated` names those run under an
    emulator."""
    heads = [arch + " emulated" if arch in emulated else arch for arch in ARCHS]
    lines = ["%-52s %16s %16s   %s" % ("", heads[0], heads[1], "goal")]
    complete = True
    for row in rows():
        if len(row) == 1:
            lines.append(row[0])
            continue
        cells = []
        for arch in ARCHS:
            text, ok = cell(row, results[arch], arch not in emulated)
            complete = complete and ok
            cells.append(text)
        goal = row[3][0] if row[3] else ""
        lines.append(("  %-50s %16s %16s   %s" % (row[0], cells[0], cells[1], goal)).rstrip())
    return lines, complete


def linear_search_cost(figures, key, kept):
    """Per-call cost of a store that searches its list from the oldest entry
    when it releases the call's temporary: the fresh cost plus one step per
    string kept."""
    return figures["store.%s.ns.0" % key] + kept * figures["store.scan_ns_per_entry"]


def store_data(figures):
    """Columns: x (kept, the fresh store at FRESH_X), kept, LenB ns, MidB ns,
    LenB and MidB ns of a linear release search (computed)."""
    out = ["# x kept lenb_ns midb_ns lenb_linear_ns midb_linear_ns"]
    for kept in KEPT_STEPS:
        out.append("%d %d %s %s %s %s" % (
            max(kept, FRESH_X), kept, figures.get("store.lenb.ns.%d" % kept, "NaN"),
            figures.get("store.midb.ns.%d" % kept, "NaN"),
            linear_search_cost(figures, "lenb", kept), linear_search_cost(figures, "midb", kept)))
    return "\n".join(out) + "\n"


def dialog_data(figures):
    """Columns: N, then the ready seconds of each settings dialog, then those
    of the dialogs without N (the same at every N)."""
    names = SETTINGS_DIALOGS + FIXED_DIALOGS
    out = ["N " + " ".join(names)]  # a header line, read by plot.gp for the titles
    for n in COUNTS:
        values = [figures.get("ready.%s.%d" % (d, n), "NaN") for d in SETTINGS_DIALOGS]
        values += [figures.get("ready.%s" % d, "NaN") for d in FIXED_DIALOGS]
        out.append("%d %s" % (n, " ".join(str(v) for v in values)))
    return "\n".join(out) + "\n"


def threads_data(figures):
    """Columns: threads, then million calls per second of each thread line."""
    out = ["threads " + " ".join(key for _, key in THREAD_LINES)]
    for t in THREADS:
        out.append("%d %s" % (t, " ".join(str(figures.get("threads.%s.%d" % (key, t), "NaN"))
                                          for _, key in THREAD_LINES)))
    return "\n".join(out) + "\n"


def main(argv):
    if len(argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    out = Path(argv[1])
    results, emulated = {}, []
    for column in argv[2:]:
        arch, _, source = column.partition("=")
        if arch not in ARCHS:
            print("report.py: unknown architecture %r" % arch, file=sys.stderr)
            return 2
        if source.startswith("emulated:"):
            emulated.append(arch)
            source = source[len("emulated:"):]
        results[arch] = parse(Path(source).read_text(errors="replace"))
    if set(results) != set(ARCHS):
        print(__doc__, file=sys.stderr)
        return 2
    lines, complete = table(results, emulated)
    print("\n".join(lines))
    for arch in emulated:
        print("%s emulated (user-mode emulator): its timings judge no goal" % arch)
    # The plots draw timings, so only the architectures run without an emulator.
    timed = [a for a in ARCHS if a not in emulated]
    for arch in timed:
        f = results[arch]
        if "store.scan_ns_per_entry" in f and "store.lenb.ns.0" in f and "store.midb.ns.0" in f:
            (out / ("store-%s.dat" % arch)).write_text(store_data(f))
        (out / ("dialogs-%s.dat" % arch)).write_text(dialog_data(f))
        (out / ("threads-%s.dat" % arch)).write_text(threads_data(f))
    (out / "archs.txt").write_text(" ".join(timed) + "\n")
    return 0 if complete else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
