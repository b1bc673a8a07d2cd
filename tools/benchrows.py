#!/usr/bin/env python3
"""Turns Google Benchmark JSON (with repetitions) into rows of the bench table.

A benchmark named "X/Baseline" is the baseline of the benchmark "X"; the row of
X gives its median, the spread, the baseline's median and the ratio. The
spread is max - min of the repetitions' times (printed "p-p"): on a busy
machine the range says more than a standard deviation of a few samples. With
fewer than two repetitions no spread was measured and the column says "-". A
benchmark may carry a target in its label ("target: <= 50 ns").
"""
import json
import sys

data = json.load(open(sys.argv[1]))
med, reps, label = {}, {}, {}
for b in data.get("benchmarks", []):
    name = b.get("run_name", b["name"])
    if b.get("run_type") == "iteration":
        reps.setdefault(name, []).append(b["real_time"])
    elif b.get("aggregate_name") == "median":
        med[name] = b["real_time"], b.get("time_unit", "ns")
        if b.get("label"):
            label[name] = b["label"]

for name, (t, unit) in med.items():
    if name.endswith("/Baseline"):
        continue
    base = med.get(name + "/Baseline")
    times = reps.get(name, [])
    spread = f"{max(times) - min(times):.1f} {unit} (p-p)" if len(times) >= 2 else "-"
    if base:
        ratio = f"{t / base[0]:.2f}x" if base[0] else "-"
        bcol = f"{name}/Baseline | {base[0]:.1f} {unit}"
    else:
        ratio, bcol = "-", "- | -"
    print(f"| {name} | {t:.1f} {unit} | {spread} | {bcol} | {ratio} | {label.get(name, '-')} |")
