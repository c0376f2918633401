#!/usr/bin/env python3
"""Adds gcovr's per-file summary up by folder of driver/ and prints one line a folder:
lines run of lines, branches taken of branches, each with its share."""
import json
import sys
from collections import defaultdict


def share(part, whole):
    return f"{100.0 * part / whole:5.1f} %" if whole else "    -  "


def main(path):
    with open(path, encoding="utf-8") as f:
        summary = json.load(f)
    folders = defaultdict(lambda: [0, 0, 0, 0])
    for entry in summary["files"]:
        parts = entry["filename"].split("/")
        folder = "/".join(parts[:2]) if len(parts) > 2 else parts[0]
        sums = folders[folder]
        sums[0] += entry["line_covered"]
        sums[1] += entry["line_total"]
        sums[2] += entry["branch_covered"]
        sums[3] += entry["branch_total"]
    print(f"{'folder':<18} {'lines':>17} {'branches':>19}")
    for folder in sorted(folders):
        lc, lt, bc, bt = folders[folder]
        print(f"{folder:<18} {lc:5}/{lt:<5} {share(lc, lt)} {bc:5}/{bt:<5} {share(bc, bt)}")


if __name__ == "__main__":
    main(sys.argv[1])
