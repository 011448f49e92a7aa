#!/usr/bin/env python3
"""build_preset of scripts/lib/farelib.sh, run against a stand-in cmake: a
failed step is reported with its log and fails the call, and every step's
output lands in its log."""

import os
import subprocess
import tempfile
import textwrap
import unittest

LIBRARY = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "lib", "farelib.sh")

# Prints what it was asked to do; fails the step named in FAIL_STEP.
FAKE_CMAKE = textwrap.dedent("""\
    #!/bin/sh
    if [ "$1" = --build ]; then step=build; else step=configure; fi
    echo "$step output for $*"
    echo "$step" >>"$CALLS"
    [ "$FAIL_STEP" = "$step" ] && { echo "$step error" >&2; exit 1; }
    exit 0
    """)


class BuildPreset(unittest.TestCase):
    def run_build(self, fail_step):
        with tempfile.TemporaryDirectory() as tmp:
            bin_dir, logs = os.path.join(tmp, "bin"), os.path.join(tmp, "logs")
            os.mkdir(bin_dir)
            with open(os.path.join(bin_dir, "cmake"), "w") as f:
                f.write(FAKE_CMAKE)
            os.chmod(os.path.join(bin_dir, "cmake"), 0o755)
            env = dict(os.environ, PATH=bin_dir + os.pathsep + os.environ["PATH"], FARELIB_LOG=logs,
                       FARELIB_JOBS="3", FAIL_STEP=fail_step, CALLS=os.path.join(tmp, "calls"))
            done = subprocess.run(["bash", "-c", '. "$0" && build_preset native', LIBRARY],
                                  env=env, capture_output=True, text=True, timeout=60)
            read = lambda path: open(path).read() if os.path.exists(path) else None
            return (done.returncode, done.stderr, read(os.path.join(tmp, "calls")),
                    read(os.path.join(logs, "configure-native.txt")),
                    read(os.path.join(logs, "build-native.txt")))

    def test_steps_logs_and_status(self):
        cases = [  # step that fails, status, steps run, text expected on stderr
            ("", 0, "configure\nbuild\n", None),
            ("configure", 1, "configure\n", "configure error"),
            ("build", 1, "configure\nbuild\n", "build error"),
        ]
        for fail_step, status, steps, shown in cases:
            with self.subTest(fail_step=fail_step or "none"):
                got_status, stderr, calls, configure_log, build_log = self.run_build(fail_step)
                self.assertEqual(status, got_status, "expected status %d; stderr: %s" % (status, stderr))
                self.assertEqual(steps, calls, "expected the steps run to be %r" % steps)
                self.assertIn("configure output for --preset native", configure_log or "",
                              "expected the configure step's output in its log")
                if "build" in steps:
                    self.assertIn("build output for --build --preset native -j 3", build_log or "",
                                  "expected the build step's output, with FARELIB_JOBS, in its log")
                else:
                    self.assertEqual("", build_log, "expected an empty build log when configuring failed")
                if shown is None:
                    self.assertEqual("", stderr, "expected nothing on stderr for a good build")
                else:
                    self.assertIn("the build of native failed", stderr)
                    self.assertIn(shown, stderr, "expected the failed step's log on stderr")


if __name__ == "__main__":
    unittest.main()
