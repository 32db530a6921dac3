#!/usr/bin/env python3
"""Turns the suite's JSON results (build/bench/results.json) into the Markdown
table of docs/performance.md: time per item, ratio to the floor measured in
the same run, growth against the next smaller size of the same benchmark,
and memory."""
import json
import sys


def number(value, digits=1):
    if value is None:
        return ""
    if abs(value) >= 100:
        return f"{value:,.0f}"
    return f"{value:.{digits}f}"


def main(path):
    with open(path) as f:
        results = json.load(f)
    context = results["context"]
    runs = results["benchmarks"]
    # With repetitions, the medians stand for each benchmark.
    if any(run.get("run_type") == "aggregate" for run in runs):
        runs = [run for run in runs if run.get("aggregate_name") == "median"]
    print(f"Run: {context.get('date', '')}, {context.get('num_cpus', '?')} CPUs at "
          f"{context.get('mhz_per_cpu', '?')} MHz, load average "
          f"{', '.join(f'{x:.2f}' for x in context.get('load_avg', []))}, "
          f"allocator: {context.get('allocator', 'default')}")
    print()
    repetitions = runs[0].get("repetitions", 1) if runs else 1
    if repetitions > 1:
        print(f"Medians of {repetitions} repetitions.")
        print()
    # Growth compares medians: the time per item over the same series' at the
    # next smaller size (the counter of a single repetition would compare two
    # single runs).
    per_item = {}
    for run in runs:
        name = run.get("run_name", run["name"]).replace("/manual_time", "")
        label, size = name.rsplit("/", 1)
        per_item.setdefault(label, {})[int(size)] = run.get("ns_per_item")
    print("| benchmark | items | ns per item | x floor | growth | memory |")
    print("|---|---:|---:|---:|---:|---|")
    for run in runs:
        name = run.get("run_name", run["name"]).replace("/manual_time", "")
        parts = name.split("/")
        items = parts[-1]
        label = "/".join(parts[:-1])
        if "entities" in run:
            items = f"{run['entities']:,.0f}"
        else:
            items = f"{int(items):,}"
        memory = []
        if "peak_MB" in run:
            memory.append(f"peak {number(run['peak_MB'])} MB")
        if "held_MB" in run:
            memory.append(f"held {number(run['held_MB'])} MB")
        if "peak_x_budget" in run:
            memory.append(f"{run['peak_x_budget']:.2f} x budget")
        if "Mshapes_per_s" in run:
            memory.append(f"{run['Mshapes_per_s']:.1f} M shapes/s")
        growth = None
        smaller = [size for size in per_item[label] if size < int(parts[-1])]
        if smaller and per_item[label][max(smaller)] and run.get("ns_per_item"):
            growth = run["ns_per_item"] / per_item[label][max(smaller)]
        print(f"| {label} | {items} | {number(run.get('ns_per_item'))} | "
              f"{number(run.get('x_floor'), 2)} | {number(growth, 2)} | {', '.join(memory)} |")


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "build/bench/results.json")
