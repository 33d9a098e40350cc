#!/usr/bin/env python3
"""Prints the medians of startup_process.sh's launches, and each program's ratio to the first;
then the same for the smallest figure of each kind, which a busy machine disturbs least.

usage: startup_summary.py <runs.txt> <linked.txt>
Each line of runs.txt is a program followed by launch_watch's key=value pairs; linked.txt holds
each program's count of linked libraries (ldd) as linked=N.
"""

import statistics
import sys
from pathlib import Path

COLUMNS = [  # key, heading, scale
    ("map_ms", "map ms", 1),
    ("paint_ms", "painted ms", 1),
    ("cpu_ms", "CPU ms", 1),
    ("rss_kib", "RSS MiB", 1 / 1024),
    ("objects", "objects", 1),
    ("settled_rss_kib", "RSS 1 s", 1 / 1024),
    ("settled_objects", "objects 1 s", 1),
    ("late_rss_kib", "RSS late", 1 / 1024),
    ("late_objects", "objs late", 1),
    ("linked", "linked", 1),
]


def read(path: Path) -> dict:
    """Program -> key -> list of values, in file order."""
    table = {}
    for line in path.read_text().splitlines():
        program, *pairs = line.split()
        values = table.setdefault(program, {})
        for pair in pairs:
            key, _, value = pair.partition("=")
            values.setdefault(key, []).append(float(value))
    return table


def print_table(title: str, figures: dict, width: int) -> None:
    """One row per program, then each later program's ratio to the first."""
    print(f"{title:{width}}" + "".join(f"{heading:>12}" for _, heading, _ in COLUMNS))
    programs = list(figures)
    for program in programs:
        cells = [figures[program].get(key, float("nan")) * scale for key, _, scale in COLUMNS]
        print(f"{program:{width}}" + "".join(f"{cell:12.1f}" for cell in cells))
    base = figures[programs[0]]
    for program in programs[1:]:
        cells = [figures[program].get(key, float("nan")) / base[key] for key, _, _ in COLUMNS]
        label = "ratio " + program
        print(f"{label:{width}}" + "".join(f"{cell:12.2f}" for cell in cells))


def main() -> None:
    table = read(Path(sys.argv[1]))
    for program, values in read(Path(sys.argv[2])).items():
        table.setdefault(program, {}).update(values)
    width = max(len(p) for p in table) + len("ratio ") + 2
    launches = len(next(iter(table.values())).get("map_ms", []))
    for title, pick in (("median", statistics.median), ("fastest", min)):
        figures = {p: {k: pick(v) for k, v in kv.items()} for p, kv in table.items()}
        print_table(f"{title} of {launches} launches", figures, width)
        print()

if __name__ == "__main__":
    main()
