#!/usr/bin/env python3
"""Prints the ratio table of a benchmark run made by bench/run.sh.

Every figure is our code against a baseline measured in the same run, taken as the median of
the repetitions: CPU time for the computing benchmarks (framing, game core), wall time where
waiting is part of the cost (round trips, start-up).

usage: ratios.py <results-dir>
"""

import json
import re
import sys
from pathlib import Path


def load_medians(results: Path) -> dict:
    """Benchmark name (without /min_time and /manual_time) -> its median aggregate."""
    medians = {}
    for path in sorted(results.glob("bench_*.json")):
        for entry in json.loads(path.read_text())["benchmarks"]:
            if entry.get("aggregate_name") != "median":
                continue
            name = re.sub(r"/(min_time:[0-9.]+|manual_time)", "", entry["run_name"])
            if entry.get("error_occurred"):
                entry["skipped"] = entry.get("error_message", "error")
            medians[name] = entry
    return medians


UNIT_NS = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}


def ns(entry: dict, clock: str) -> float:
    return entry[clock] * UNIT_NS[entry["time_unit"]]


def mbps(entry: dict) -> float:
    """MB/s from the bytes of one iteration and its CPU time."""
    return entry["bytes"] / ns(entry, "cpu_time") * 1e3


def human_time(t_ns: float) -> str:
    for unit, scale in (("s", 1e9), ("ms", 1e6), ("us", 1e3)):
        if t_ns >= scale:
            return f"{t_ns / scale:.3g} {unit}"
    return f"{t_ns:.3g} ns"


def verdict(ok: bool) -> str:
    return "met" if ok else "NOT met"


def threads(path: Path) -> dict:
    table = {}
    if path.exists():
        for line in path.read_text().splitlines():
            name, run_ns, wakeups = line.split("\t")
            table.setdefault(name, [0, 0])
            table[name][0] += int(run_ns)
            table[name][1] += int(wakeups)
    return table


def main() -> int:
    results = Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    m = load_medians(results)
    rows = []  # (area, figure, ours, baseline, ratio, goal)

    def have(*names):
        missing = [n for n in names if n not in m or "skipped" in m[n]]
        for n in missing:
            rows.append(("?", n, "missing or failed", m.get(n, {}).get("skipped", ""), "", ""))
        return not missing

    # --- Framing ---------------------------------------------------------------------------
    for side in (64, 128, 255):
        d, c = f"BM_DecodeSnapshot/{side}", f"BM_MemcpySnapshot/{side}"
        if have(d, c):
            r = mbps(m[d]) / mbps(m[c])
            goal = f">= 0.25: {verdict(r >= 0.25)}"
            rows.append(("framing", f"decode snapshot {side}x{side} ({m[d]['bytes'] / 1024:.0f} KiB)",
                         f"{mbps(m[d]):,.0f} MB/s", f"memcpy {mbps(m[c]):,.0f} MB/s", f"{r:.3f}", goal))
    for unit in (1, 4, 16):
        d, c = f"BM_DecodeMoves/{unit}", f"BM_MemcpyMoves/{unit}"
        if have(d, c):
            r = mbps(m[d]) / mbps(m[c])
            goal = f">= 0.25: {verdict(r >= 0.25)}"
            rows.append(("framing", f"decode move stream {unit}x ({m[d]['bytes'] / 1024:.0f} KiB)",
                         f"{mbps(m[d]):,.1f} MB/s", f"memcpy {mbps(m[c]):,.0f} MB/s", f"{r:.4f}", goal))
    # Against the decoder of messages as lists of byte arrays, timed in the same run.
    for kind, name, args, unit, goal in (("snapshot", "BM_DecodeSnapshot", (64, 128, 255), "", 0),
                                         ("move stream", "BM_DecodeMoves", (1, 4, 16), "x", 10)):
        for arg in args:
            d, old = f"{name}/{arg}", f"{name}List/{arg}"
            if have(d, old):
                r = mbps(m[d]) / mbps(m[old])
                rows.append(("framing", f"decode {kind} {arg}{unit}, Message",
                             f"{mbps(m[d]):,.1f} MB/s", f"list of byte arrays {mbps(m[old]):,.1f} MB/s",
                             f"{r:.2f}", f">= {goal}: {verdict(r >= goal)}" if goal else ""))
    # Linear in the size: time per byte at 4x and 16x against 1x (1.0 = perfectly linear).
    for kind, names in (("snapshot", [f"BM_DecodeSnapshot/{s}" for s in (64, 128, 255)]),
                        ("move stream", [f"BM_DecodeMoves/{u}" for u in (1, 4, 16)])):
        if all(n in m and "skipped" not in m[n] for n in names):
            per_byte = [ns(m[n], "cpu_time") / m[n]["bytes"] for n in names]
            growth = [p / per_byte[0] for p in per_byte[1:]]
            ok = all(g <= 1.5 for g in growth)
            rows.append(("framing", f"{kind}: time per byte at ~4x, ~16x size",
                         f"{growth[0]:.2f}x, {growth[1]:.2f}x", "the 1x size", f"{max(growth):.2f}",
                         f"linear (<= 1.5): {verdict(ok)}"))

    # --- Round trip ----------------------------------------------------------------------
    cs, qt, px = "BM_RoundTripCSocket", "BM_RoundTripQtBare", "BM_RoundTripPosix"
    if have(cs, qt, px):
        t_cs, t_qt, t_px = (ns(m[n], "real_time") for n in (cs, qt, px))
        r = t_cs / t_qt
        rows.append(("round trip", "move message cSocket <-> cSocket", human_time(t_cs),
                     f"bare QTcpSocket {human_time(t_qt)}", f"{r:.3f}",
                     f"<= 1.25: {verdict(r <= 1.25)}"))
        rows.append(("round trip", "move message cSocket <-> cSocket", human_time(t_cs),
                     f"POSIX send/recv {human_time(t_px)}", f"{t_cs / t_px:.2f}", "(floor)"))
        rows.append(("round trip", "bare QTcpSocket ping-pong", human_time(t_qt),
                     f"POSIX send/recv {human_time(t_px)}", f"{t_qt / t_px:.2f}", "(floor)"))

    # --- Game core -----------------------------------------------------------------------
    sweep, move, game = "BM_LegalSweep", "BM_DoMove", "BM_RandomGame"
    if have(sweep, move, game):
        t_sw, t_mv, t_gm = (ns(m[n], "cpu_time") for n in (sweep, move, game))
        rows.append(("game core", f"DoMove, made moves ({1e9 / t_mv:,.0f}/s)", human_time(t_mv),
                     f"legality sweep {human_time(t_sw)}", f"{t_mv / t_sw:.1f}", ""))
        rows.append(("game core",
                     f"random demo game, {m[game].get('moves_per_game', 0):.0f} moves ({1e9 / t_gm:,.0f}/s)",
                     human_time(t_gm), f"legality sweep {human_time(t_sw)}", f"{t_gm / t_sw:.0f}", ""))

    # --- Start-up ------------------------------------------------------------------------
    bare = "BM_StartupBareWindow"
    for arg, what in ((0, "frmMain to first painted board"),
                      (1, "frmMain, program folder (opens audio)")):
        ours = f"BM_StartupFrmMain/{arg}"
        if have(bare, ours):
            t_o, t_b = ns(m[ours], "real_time"), ns(m[bare], "real_time")
            r = t_o / t_b
            rows.append(("start-up", what, human_time(t_o), f"QMainWindow+label {human_time(t_b)}",
                         f"{r:.1f}", f"<= 1.5: {verdict(r <= 1.5)}"))

    # --- Peer flood ------------------------------------------------------------------------
    repaint = "BM_FloodRepaintOnly"
    for ours, what in (("BM_FloodUnlisted", "100 unlisted messages, 402 B each, 255x255 board"),
                       ("BM_FloodChatLine/0", "one 1 MB chat line (letters), 255x255 board"),
                       ("BM_FloodChatLine/1", "one 1 MB chat line (line breaks), 255x255 board")):
        if have(repaint, ours):
            t_o, t_b = ns(m[ours], "real_time"), ns(m[repaint], "real_time")
            handlers = m[ours].get("receive_ms", 0) * 1e6
            rows.append(("peer flood", f"{what} (handlers {human_time(handlers)})", human_time(t_o),
                         f"board repaint alone {human_time(t_b)}", f"{t_o / t_b:.1f}", ""))

    # --- Idle ----------------------------------------------------------------------------
    idle_path = results / "idle.json"
    if idle_path.exists():
        idle = json.loads(idle_path.read_text())
        seconds = idle["seconds"]
        tick_ms = 1000.0 / idle["clk_tck"]
        pct = 100.0 * idle["vextal_ticks"] / idle["clk_tck"] / seconds
        base = 100.0 * idle["sleep_ticks"] / idle["clk_tck"] / seconds
        rows.append(("idle", f"vextal, {seconds:.0f} s, utime+stime ({idle['vextal_ticks']} ticks of {tick_ms:.0f} ms)",
                     f"{pct:.3f} % of a core", f"sleep {base:.3f} %", f"+{pct - base:.3f} %",
                     f"< 0.1 %: {verdict(pct < 0.1)}"))
        # The same from the scheduler's nanosecond counts, for the threads alive at both ends
        # (a thread that ended in between is only in the figure above).
        start = threads(results / "idle-threads-start.tsv")
        end = threads(results / "idle-threads-end.tsv")
        for name, (run_ns, wakeups) in sorted(end.items()):
            run0, wake0 = start.get(name, (0, 0))
            rows.append(("idle", f"  thread {name}", f"{100.0 * (run_ns - run0) / 1e9 / seconds:.4f} %",
                         f"{(wakeups - wake0) / seconds:.1f} wake-ups/s", "", "(schedstat)"))

    headers = ("area", "figure", "ours", "baseline", "ratio", "goal")
    widths = [max(len(str(r[i])) for r in rows + [headers]) for i in range(len(headers))]
    line = "  ".join("-" * w for w in widths)
    print(line)
    print("  ".join(h.ljust(w) for h, w in zip(headers, widths)))
    print(line)
    for r in rows:
        print("  ".join(str(c).ljust(w) for c, w in zip(r, widths)))
    print(line)
    return 0


if __name__ == "__main__":
    sys.exit(main())
