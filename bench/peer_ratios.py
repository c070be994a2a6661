#!/usr/bin/env python3
"""Runs peer_bench once and prints each pair's ratio ours / peer (CPU time) as a table.

Usage: bench/peer_ratios.py [path/to/peer_bench] [extra benchmark flags...]
"""
import json
import subprocess
import sys

binary = sys.argv[1] if len(sys.argv) > 1 else "build/bench/peer_bench"
run = subprocess.run([binary, "--benchmark_format=json", *sys.argv[2:]], check=True, capture_output=True, text=True)
times = {b["name"]: b["cpu_time"] for b in json.loads(run.stdout)["benchmarks"]}
print("| kind | symbology | ours (µs) | peer (µs) | ours / peer |")
print("|---|---|---:|---:|---:|")
for name, ours in times.items():
    if not name.endswith("/ours"):
        continue
    kind, symbology, _ = name.split("/")
    peer = times[f"{kind}/{symbology}/peer"]
    print(f"| {kind} | {symbology} | {ours / 1000:.2f} | {peer / 1000:.2f} | {ours / peer:.2f} |")
