"""Checks of bench/report.py: reading the figures, the goals' marks, the
columns of architectures run under an emulator, and the plots' data."""
import contextlib
import io
import re
import sys
import tempfile
import unittest
from pathlib import Path

BENCH = Path(__file__).resolve().parents[2] / "bench"
sys.path.insert(0, str(BENCH))
import report  # noqa: E402


def full_figures(**changes):
    """A figure for every key the table reads, all 1.0, with `changes`
    (dots in keys written as "__")."""
    f = {key: 1.0 for row in report.rows() if len(row) > 1 for key in row[1]}
    f["store.scan_ns_per_entry"] = 0.5
    for k, v in changes.items():
        f[k.replace("__", ".")] = v
    return f


def row_named(label):
    return next(r for r in report.rows() if r[0] == label)


def printed_key_patterns():
    """The figure keys the benchmark programs print, as regular expressions
    made from the printf formats of their bench::Figure calls."""
    patterns = {}
    for source in sorted(BENCH.glob("bench_*.cpp")):
        for fmt in re.findall(r'bench::Figure\([^;]*?"([a-z_.%A-Za-z0-9]+)"', source.read_text()):
            regex = re.escape(fmt).replace("%lld", r"\d+").replace("%d", r"\d+").replace("%s", r"[\w.]+")
            patterns[fmt] = (re.compile(regex + "$"), source.name)
    return patterns


class KeysTest(unittest.TestCase):
    def test_programs_and_report_agree(self):
        patterns = printed_key_patterns()
        self.assertGreater(len(patterns), 10, "figure formats found in the benchmark programs")
        read = report.keys_read()
        for key in sorted(read):
            self.assertTrue(any(p.match(key) for p, _ in patterns.values()),
                            "the report reads %s, which no benchmark program prints" % key)
        for fmt, (pattern, source) in sorted(patterns.items()):
            self.assertTrue(any(pattern.match(key) for key in read),
                            "%s prints %s, which the report never reads" % (source, fmt))


class ParseTest(unittest.TestCase):
    def test_lines(self):
        cases = [
            ("store.lenb.ns.0 63.5\n", {"store.lenb.ns.0": 63.5}),
            ("bench: a dialog run failed\nready.Call_dlg110 0.07\n", {"ready.Call_dlg110": 0.07}),
            ("key notanumber\nkey2 1e-3\n", {"key2": 0.001}),
            ("a 1\na 2\n", {"a": 2.0}),
            ("", {}),
        ]
        for text, want in cases:
            self.assertEqual(report.parse(text), want, "figures read from %r" % text)


class CellTest(unittest.TestCase):
    def test_goals_and_gaps(self):
        kept_ratio = row_named("  ratio, kept to fresh")
        threads_ratio = row_named("  ratio, 8 threads to 1")
        against_heap = row_named("  MidB_ASCII's ratio against the heap's")
        cases = [
            # row, figures, expected text, expected "complete"
            (kept_ratio, {"store.lenb.ns.0": 100, "store.lenb.ns.1000000": 120}, "1.20 pass", True),
            (kept_ratio, {"store.lenb.ns.0": 100, "store.lenb.ns.1000000": 121}, "1.21 MISS", True),
            (kept_ratio, {"store.lenb.ns.0": 100}, "missing", False),
            (kept_ratio, {"store.lenb.ns.0": 0, "store.lenb.ns.1000000": 5}, "missing", False),
            (threads_ratio, {"threads.lenb.1": 4.0, "threads.lenb.8": 4.0}, "1.00 pass", True),
            (threads_ratio, {"threads.lenb.1": 4.0, "threads.lenb.8": 1.7}, "0.42 MISS", True),
            (against_heap, {"threads.midb.1": 4, "threads.midb.8": 3.6, "threads.heap.1": 2, "threads.heap.8": 2},
             "0.90 pass", True),
            (against_heap, {"threads.midb.1": 4, "threads.midb.8": 3.5, "threads.heap.1": 2, "threads.heap.8": 2},
             "0.88 MISS", True),
            (row_named("Call_dlg100 N = 32767"), {"ready.Call_dlg100.32767": 0.51}, "0.510 s MISS", True),
            (row_named("Ze3FileDlg"), {"ready.Ze3FileDlg": 2.0}, "2.000 s", True),
        ]
        for row, figures, text, complete in cases:
            self.assertEqual(report.cell(row, figures), (text, complete),
                             "%s from %r" % (row[0].strip(), figures))

    def test_table_columns(self):
        lines, complete = report.table({"i686": full_figures(), "x86_64": full_figures()}, emulated=["i686"])
        self.assertTrue(complete, "every figure given")
        self.assertEqual(lines[0].split(), ["i686", "emulated", "x86_64", "goal"], "the heading")
        body = [l for l in lines[1:] if l.startswith("  ")]
        self.assertEqual(len(body), len([r for r in report.rows() if len(r) > 1]), "a line per row")
        goals = [l for l in body if "<=" in l or ">=" in l]
        for line in goals:
            i686, x86_64 = line[52:69], line[69:86]
            self.assertNotRegex(i686, "pass|MISS", "the emulated column of %r" % line)
            self.assertRegex(x86_64, "pass|MISS", "the x86_64 column of %r" % line)
        lines, complete = report.table({"i686": {}, "x86_64": full_figures()})
        self.assertFalse(complete, "an i686 run that gave no figures")


class DataTest(unittest.TestCase):
    def test_store_and_linear_line(self):
        f = full_figures(store__lenb__ns__0=60.0, store__midb__ns__0=120.0, store__scan_ns_per_entry=0.5)
        rows = [l.split() for l in report.store_data(f).splitlines()[1:]]
        self.assertEqual([r[0] for r in rows], ["100", "1000", "10000", "100000", "1000000"],
                         "x positions, the fresh store drawn at 100")
        self.assertEqual([float(r[4]) for r in rows], [60.0, 560.0, 5060.0, 50060.0, 500060.0],
                         "LenB_ASCII with a linear release search: fresh cost plus a step per kept string")
        self.assertEqual(float(rows[4][5]), 500120.0, "the same for MidB_ASCII")

    def test_threads_lines(self):
        lines = report.threads_data({"threads.lenb.1": 9.0, "threads.heap.8": 2.5}).splitlines()
        self.assertEqual(lines[0].split(), ["threads", "lenb", "midb", "heap"], "the header names the lines")
        self.assertEqual(lines[1].split(), ["1", "9.0", "NaN", "NaN"], "row of 1 thread")
        self.assertEqual(lines[4].split(), ["8", "NaN", "NaN", "2.5"], "row of 8 threads")

    def test_dialogs_missing_points(self):
        f = {"ready.Call_dlg100.1": 0.01, "ready.Call_dlg110": 0.07}
        lines = report.dialog_data(f).splitlines()
        self.assertEqual(lines[0].split()[0], "N", "the header line gives the titles")
        first = lines[1].split()
        self.assertEqual(first, ["1", "0.01", "NaN", "NaN", "0.07", "NaN"], "row N = 1")

    def test_main_plots_only_timed(self):
        with tempfile.TemporaryDirectory() as d:
            src = Path(d) / "figures.txt"
            src.write_text("".join("%s %s\n" % kv for kv in full_figures().items()))
            printed = io.StringIO()
            with contextlib.redirect_stdout(printed):
                status = report.main(["report.py", d, "i686=emulated:%s" % src, "x86_64=%s" % src])
            self.assertIn("i686 emulated (user-mode emulator): its timings judge no goal", printed.getvalue(),
                          "the note under the table")
            self.assertEqual(status, 0, "exit status with every figure")
            self.assertEqual((Path(d) / "archs.txt").read_text().split(), ["x86_64"], "plotted archs")
            self.assertFalse((Path(d) / "store-i686.dat").exists(), "no plot data for emulated i686")
            self.assertTrue((Path(d) / "dialogs-x86_64.dat").exists(), "dialog data for x86_64")
            self.assertTrue((Path(d) / "threads-x86_64.dat").exists(), "threads data for x86_64")


if __name__ == "__main__":
    unittest.main()
