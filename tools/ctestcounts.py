#!/usr/bin/env python3
"""Reads ctest's JUnit report (ctest --output-junit FILE) and prints what
tools/test adds to its summary:

    FAILED: <group>: <test> (<why>)     one line per failed or unrun test
    SKIPPED: <group>: <test>: <reason>  one line per skip that says why
    counts <passed> <failed> <skipped>  always the last line

A test passes only if it ran and passed. A skip counts as skipped only when
the test printed why it could not run (GoogleTest's skip message, or
tests/support/checked_run.py's "skipped: NAME: REASON" lines); a skip with no
reason is a failure. A disabled test (DISABLED_ in GoogleTest, ctest's
DISABLED property) counts as skipped with the reason "disabled". A test that
ctest could not run (a missing program, a
failed fixture) is a failure. The session fixture (session_*) is counted only
when it fails: it sets up the tests, it tests nothing itself.

    ctestcounts.py JUNIT GROUP
"""
import re
import sys
import xml.etree.ElementTree as ET

SKIP_MESSAGES = ("SKIP_RETURN_CODE", "SKIP_REGULAR_EXPRESSION_MATCHED")


def skip_reasons(output):
    """The reasons a skipped test printed."""
    listed = [l[len("skipped: "):].strip() for l in output.splitlines() if l.startswith("skipped: ")]
    if listed:  # tests/support/checked_run.py's own list
        return [r for r in listed if r and not r.endswith("(no reason given)")]
    reasons, gtest = [], None
    for line in output.splitlines():
        # GoogleTest: "file:line: Skipped", the message, then "[  SKIPPED ]".
        if line.endswith(": Skipped"):
            gtest = []
        elif gtest is not None and line.startswith("["):
            reasons.append(" ".join(gtest))
            gtest = None
        elif gtest is not None and line.strip():
            gtest.append(line.strip())
    return [r for r in reasons if r and not r.endswith("(no reason given)")]


def main(junit, group):
    try:
        cases = list(ET.parse(junit).getroot().iter("testcase"))
    except (OSError, ET.ParseError) as e:
        print(f"FAILED: {group}: no ctest report ({e})")
        print("counts 0 1 0")
        return 0
    passed = failed = skipped = 0
    for case in cases:
        name, status = case.get("name"), case.get("status")
        output = case.findtext("system-out") or ""
        skip = case.find("skipped")
        setup = name.startswith("session_")
        if status == "run" and case.find("failure") is None:
            passed += 0 if setup else 1
        elif status == "disabled":
            skipped += 1
            print(f"SKIPPED: {group}: {name}: disabled")
        elif skip is not None and skip.get("message", "").startswith(SKIP_MESSAGES):
            reasons = skip_reasons(output)
            if reasons:
                skipped += 1
                for r in reasons:
                    print(f"SKIPPED: {group}: {name}: {r}")
            else:
                failed += 1
                print(f"FAILED: {group}: {name} (skipped without saying why)")
        else:
            failed += 1
            why = skip.get("message") if skip is not None else "failed"
            print(f"FAILED: {group}: {name} ({why})")
    if not cases:
        failed += 1
        print(f"FAILED: {group}: ran no test")
    print(f"counts {passed} {failed} {skipped}")
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    sys.exit(main(sys.argv[1], sys.argv[2]))
