#!/usr/bin/env python3
"""Prints the benchmark medians as a markdown table, each beside its floor.

Usage: table.py <google-benchmark json> <station-memory json line file> <repetitions>
"""
import json
import sys


def load_medians(path):
    with open(path) as f:
        data = json.load(f)
    medians = {}
    paired = {}
    for b in data["benchmarks"]:
        if b.get("aggregate_name") != "median":
            continue
        name = "/".join(part for part in b["run_name"].split("/")
                        if part != "manual_time" and not part.startswith("min_time:"))
        scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}[b["time_unit"]]
        medians[name] = b["real_time"] * scale  # microseconds
        if "ratio" in b:  # timed beside its floor, pair by pair
            paired[name] = (b["floor_us"], b["ratio"])
    return data.get("context", {}), medians, paired


def fmt(us):
    if us is None:
        return "-"
    if us >= 1000:
        return f"{us / 1000:.2f} ms"
    return f"{us:.0f} us" if us >= 10 else f"{us:.1f} us"


def main():
    context, m, paired = load_medians(sys.argv[1])
    memory = None
    if len(sys.argv) > 2:
        with open(sys.argv[2]) as f:
            memory = json.loads(f.read().strip().splitlines()[-1])

    reps = sys.argv[3] if len(sys.argv) > 3 else "?"
    print(f"Medians of {reps} repetitions, {context.get('date', '')[:10]}, "
          f"{context.get('num_cpus', '?')} CPUs at {context.get('mhz_per_cpu', '?')} MHz, Qt offscreen.")
    print()
    print("| Measure | Median | Floor | Ratio | Goal | Met |")
    print("|---|---|---|---|---|---|")

    def row(label, name, floor=None, goal_ratio=None, goal_abs_us=None, goal_text=""):
        t = m.get(name)
        f = m.get(floor) if floor else None
        ratio = t / f if t is not None and f else None
        if floor is None and name in paired:
            f, ratio = paired[name]
        met = ""
        if goal_ratio is not None and ratio is not None:
            met = "yes" if ratio <= goal_ratio else "NO"
        if goal_abs_us is not None and t is not None:
            met = "yes" if t <= goal_abs_us else "NO"
        print(f"| {label} | {fmt(t)} | {fmt(f)} | {f'{ratio:.2f}x' if ratio else '-'} | {goal_text} | {met} |")

    row("Punch (recordPunch, sealed journal line + board reread), 24 x 50 entries", "BM_Punch/50", None, 1.5,
        goal_text="<= 1.5x floor")
    row("Status board reread, 24 x 50 entries", "BM_StatusBoard/50", "BM_StatusBoard_Floor/50")
    row("Time sheet Open, 24 x 100 (2400 rows)", "BM_SheetOpen/100", "BM_SheetOpen_Floor/100", 2.0,
        goal_text="<= 2x floor")
    row("Time sheet Open, cells floor (read + 12,000 cell strings)", "BM_SheetOpen/100",
        "BM_SheetOpen_CellsFloor/100")
    row("Time sheet Save with backup, 24 x 100", "BM_SheetSave")
    row("Copy All, 2000 lines", "BM_CopyAll/50", "BM_CopyAll_Floor/50")
    row("Copy All, 2401 lines", "BM_CopyAll/100", "BM_CopyAll_Floor/100")
    row("Paste All, 2000 lines", "BM_PasteAll/50", "BM_PasteAll_Floor/50")
    row("Paste All, 2401 lines", "BM_PasteAll/100", "BM_PasteAll_Floor/100")
    row("Week report, 52 weeks of 24 x 50 entries", "BM_ReportYear", "BM_ReportYear_Floor", 2.0,
        goal_text="<= 2x floor")
    row("Week report, the same year with every rule of pay on, vs the rules off", "BM_ReportYear_PayRules",
        "BM_ReportYear", 2.0, goal_text="<= 2x rules off")
    row("Week report vs parse floor (read + every punch's time)", "BM_ReportYear", "BM_ReportYear_ParseFloor")
    row("Week report with a sealed journal of punches beside each week vs without", "BM_ReportYear_Journals",
        "BM_ReportYear")
    frame = 16000.0
    row("Station start to first frame", "BM_StationStart", goal_abs_us=frame, goal_text="<= 16 ms")
    row("Employee press to action screen painted", "BM_EmployeePress", goal_abs_us=frame, goal_text="<= 16 ms")
    row("Department press to station redrawn", "BM_DepartmentPress", goal_abs_us=frame, goal_text="<= 16 ms")
    row("Time sheet Open to grid painted, 2400 rows", "BM_SheetOpenScreen", goal_abs_us=frame,
        goal_text="<= 16 ms")
    row("Week report screen, open to painted, 24 x 50 entries", "BM_ReportScreen", goal_abs_us=frame,
        goal_text="<= 16 ms")

    if memory:
        mb = 1024.0
        peak = memory["start_peak_kb"]
        print(f"| Station peak resident after start-up (VmHWM) | {peak / mb:.1f} MB | | | < 80 MB | "
              f"{'yes' if peak < 80 * mb else 'NO'} |")
        warm_key = next(k for k in memory if k.startswith("rss_after_"))
        warm = memory[warm_key]
        growth = memory["end_rss_kb"] - warm
        print(f"| Station peak resident after {memory['punches']} punches (VmHWM) | "
              f"{memory['end_peak_kb'] / mb:.1f} MB | | | < 80 MB | "
              f"{'yes' if memory['end_peak_kb'] < 80 * mb else 'NO'} |")
        print(f"| Resident growth, punch {warm_key.split('_')[2]} to {memory['punches']} | {growth} kB | | | "
              f"none (< 256 kB) | {'yes' if growth < 256 else 'NO'} |")

    print()
    print("Growth with the data (median time; the cost must grow no faster than the data):")
    print()
    print("| Series | 1 | 10 | 50 | 100 | time x (1 -> 100) | data x |")
    print("|---|---|---|---|---|---|---|")
    ratios = [paired.get(f"BM_Punch/{n}", (None, None))[1] for n in (1, 10, 50, 100)]
    if None not in ratios:
        print("| Punch / its floor, paired | " + " | ".join(f"{r:.2f}x" for r in ratios) + " | | |")
    for label, base, unit in (("Punch + board, entries per employee", "BM_Punch", "entries"),
                              ("Punch floor, entries per employee", "BM_Punch_Floor", "entries"),
                              ("Status board, entries per employee", "BM_StatusBoard", "entries"),
                              ("Time sheet Open, rows / 24", "BM_SheetOpen", "rows")):
        ts = [m.get(f"{base}/{n}") for n in (1, 10, 50, 100)]
        if None in ts:
            continue
        print(f"| {label} | " + " | ".join(fmt(t) for t in ts) + f" | {ts[3] / ts[0]:.2f}x | 100x |")


if __name__ == "__main__":
    main()
