#!/usr/bin/env python3
"""Turns Google Benchmark JSON (with repetitions) into rows of the bench table.

A benchmark named "X/Baseline" is the baseline of the benchmark "X"; the row of
X gives its median, the spread (max - min of the repetitions' means, as the
stddev aggregate times two is not robust on a busy machine we print p-to-p),
the baseline's median and the ratio. A benchmark may carry a target in its
label ("target: <= 50 ns").
"""
import json
import sys

data = json.load(open(sys.argv[1]))
med, std, label = {}, {}, {}
for b in data.get("benchmarks", []):
    name = b.get("run_name", b["name"])
    agg = b.get("aggregate_name")
    if agg == "median":
        med[name] = b["real_time"], b.get("time_unit", "ns")
        if b.get("label"):
            label[name] = b["label"]
    elif agg == "stddev":
        std[name] = b["real_time"]

for name, (t, unit) in med.items():
    if name.endswith("/Baseline"):
        continue
    base = med.get(name + "/Baseline")
    spread = f"±{std.get(name, 0):.1f} {unit} (sd)"
    if base:
        ratio = f"{t / base[0]:.2f}x" if base[0] else "-"
        bcol = f"{name}/Baseline | {base[0]:.1f} {unit}"
    else:
        ratio, bcol = "-", "- | -"
    print(f"| {name} | {t:.1f} {unit} | {spread} | {bcol} | {ratio} | {label.get(name, '-')} |")
