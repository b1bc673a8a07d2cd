#!/usr/bin/env python3
"""Runs a whole test program as one ctest entry and passes it only when every
test it holds ran to the end: a program that ends early with status 0 (code
under test calling exit, a module that stops while loading) fails instead of
passing with most of its tests unrun.

    checked_run.py gtest -- wine Tests.exe [args]   a GoogleTest program
    checked_run.py unittest MODULE                  a Python unittest module

Exit status: 0 when every listed test ran and passed, 1 on any failure or an
early end, SKIPPED (77) when some test was skipped and every skip says why;
each skip is printed as "skipped: NAME: REASON". A disabled GoogleTest test
(DISABLED_ in its name) is a skip with the reason "disabled".
"""
import json
import os
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET

SKIPPED = 77


def finish(name, listed, ran, failed, skips):
    """The verdict over one program's counts; returns the exit status."""
    print(f"{name}: {listed} listed, {ran} ran, {failed} failed, {len(skips)} skipped")
    if ran != listed:
        print(f"{name}: ended early: {listed - ran} of {listed} tests did not run")
        return 1
    for test, reason in skips:
        print(f"skipped: {test}: {reason or '(no reason given)'}")
    if failed:
        return 1
    if any(not reason.strip() for _, reason in skips):
        print(f"{name}: a test was skipped without saying why")
        return 1
    return SKIPPED if skips else 0


def winpath(path):
    return "Z:" + path.replace("/", "\\")


def listed_gtests(cmd):
    out = subprocess.run(cmd + ["--gtest_list_tests"], capture_output=True, text=True,
                         timeout=300)
    if out.returncode != 0:
        print(out.stdout + out.stderr)
        return None
    names, suite = [], ""
    for line in out.stdout.splitlines():
        if not line.strip():
            continue
        if not line.startswith(" "):
            suite = line.split()[0]  # a typed suite's line ends in a comment
        else:
            names.append(suite + line.split()[0])
    return names


def disabled(name):
    """Whether GoogleTest leaves the test out unless asked to run it."""
    # GoogleTest's rule, on the suite's and the test's name apart:
    # "DISABLED_*" or "*/DISABLED_*" (an instantiated suite or test).
    return any(part.startswith("DISABLED_") or "/DISABLED_" in part
               for part in name.split(".", 1))


def run_gtest(cmd):
    listed = listed_gtests(cmd)
    if listed is None:
        print("gtest: the program could not list its tests")
        return 1
    if not listed:
        print("gtest: the program holds no test")
        return 1
    work = tempfile.mkdtemp(prefix="orvane-gtest-")
    report, marker = os.path.join(work, "report.xml"), os.path.join(work, "running")
    env = dict(os.environ, TEST_PREMATURE_EXIT_FILE=winpath(marker))
    rc = subprocess.run(cmd + [f"--gtest_output=xml:{winpath(report)}"], env=env).returncode
    if os.path.exists(marker):
        print(f"gtest: the program ended before its last test (exit status {rc})")
        return 1
    if not os.path.exists(report):
        print(f"gtest: the program wrote no report (exit status {rc})")
        return 1
    # A disabled test is listed and never runs: it counts as a skip that
    # says why, not as a test that the program failed to reach.
    skips = [(n, "disabled") for n in listed if disabled(n)]
    ran, failed = len(skips), 0
    for case in ET.parse(report).getroot().iter("testcase"):
        name = case.get("classname", "") + "." + case.get("name", "")
        if disabled(name) or case.get("status") != "run":
            continue
        ran += 1
        if case.find("failure") is not None:
            failed += 1
        elif case.get("result") == "skipped":
            skip = case.find("skipped")
            # The message is "file:line" and then what the test said.
            lines = (skip.get("message", "") if skip is not None else "").splitlines()[1:]
            skips.append((name, " ".join(l.strip() for l in lines if l.strip())))
    code = finish("gtest", len(listed), ran, failed, skips)
    return code if rc == 0 or code == 1 else 1


def run_unittest(module):
    """Runs the module in a child process that writes its counts at the very
    end; a child that ends any other way leaves no counts."""
    work = tempfile.mkdtemp(prefix="orvane-unittest-")
    counts = os.path.join(work, "counts.json")
    rc = subprocess.run([sys.executable, os.path.abspath(__file__), "unittest-child", module,
                         counts]).returncode
    if not os.path.exists(counts):
        print(f"{module}: ended before its tests finished (exit status {rc})")
        return 1
    with open(counts) as f:
        c = json.load(f)
    code = finish(module, c["listed"], c["ran"], c["failed"], c["skips"])
    return code if rc == 0 or code == 1 else 1


def unittest_child(module, counts):
    sys.path.insert(0, os.getcwd())  # the module's folder (ctest's working directory)
    suite = unittest.defaultTestLoader.loadTestsFromName(module)
    listed = suite.countTestCases()
    result = unittest.TextTestRunner(verbosity=2, stream=sys.stdout).run(suite)
    with open(counts, "w") as f:
        json.dump({"listed": listed, "ran": result.testsRun,
                   "failed": len(result.failures) + len(result.errors) +
                   len(result.unexpectedSuccesses),
                   "skips": [(t.id(), r) for t, r in result.skipped]}, f)
    return 0


def main(argv):
    if len(argv) >= 3 and argv[0] == "gtest" and argv[1] == "--":
        return run_gtest(argv[2:])
    if len(argv) == 2 and argv[0] == "unittest":
        return run_unittest(argv[1])
    if len(argv) == 3 and argv[0] == "unittest-child":
        return unittest_child(argv[1], argv[2])
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
