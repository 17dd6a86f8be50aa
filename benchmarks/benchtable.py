#!/usr/bin/env python3
"""Prints the table of the benchmark suite from Google Benchmark's JSON output.

Each row: the figure, its reference measured in the same run (or the target
where nothing else compares), the ratio of the two, the target and whether
it holds, and the command's CAD calls per item counted from the in-memory
drawing's call log. The calls each command makes per item follow the table.
"""
import json
import sys

# figure, benchmark, value, reference (text, benchmark, value, factor), target, unit
ROWS = [
    ("exact sort, 1,000,000 records with many ties", "BM_ExactSort/1000000", "time",
     ("literal exchange procedure at 20,000, x (1e6/2e4)^2", "BM_LiteralExchangeSort/20000", "time", 2500.0),
     500.0, "ms"),
    ('"検索" of 100,000 TEXTs, in process', "BM_SearchInProcess", "time", None, 500.0, "ms"),
    ('"検索" of 100,000 TEXTs, through the socket', "BM_SearchThroughSocket", "time",
     ("the same search in process", "BM_SearchInProcess", "time", 1.0), 3000.0, "ms"),
    ('"検索" "テスト" of 100,000 TEXTs with "全半角同一"', "BM_SearchWidthInsensitiveInProcess", "time",
     ('the plain search "ﾃｽﾄ"', "BM_SearchPatternInProcess", "time", 1.0), None, "ms"),
    ('"更新" of the search grid, 10,000 changed rows', "BM_SearchUpdateChangedRows", "time", None, None, "ms"),
    ('"TEXT" of 10,000 picked TEXTs', "BM_AcquireTexts", "time", None, None, "ms"),
    ('"更新(Ctrl+Enter)" of 10,000 changed lines', "BM_WriteBackChangedLines", "time", None, 300.0, "ms"),
    ('"整列" of 10,000 lines', "BM_AlignLines", "time", None, None, "ms"),
    ('"取得" of 5,000 block references x 8 tags', "BM_AcquireBlocks", "time", None, None, "ms"),
    ('"更新" of the grid, 40,000 changed cells', "BM_UpdateGrid", "time", None, None, "ms"),
    ("AllHanToZen, 100,000 lines of 20 characters", "BM_EditorTool/tool:0", "time", None, 300.0, "ms"),
    ("KanaZenToHan, 100,000 lines of 20 characters", "BM_EditorTool/tool:1", "time", None, 300.0, "ms"),
    ("replace, 100,000 lines of 20 characters", "BM_EditorTool/tool:2", "time", None, None, "ms"),
    ("add, 100,000 lines of 20 characters", "BM_EditorTool/tool:3", "time", None, None, "ms"),
    ("socket round trip of one call, median", "BM_SocketCallRoundTrip", "median_us",
     ("bare QLocalSocket round trip, median", "BM_BareLocalSocketRoundTrip", "median_us", 1.0), 25.0, "µs"),
    ("socket round trip of one call, 99th percentile", "BM_SocketCallRoundTrip", "p99_us",
     ("bare QLocalSocket round trip, 99th percentile", "BM_BareLocalSocketRoundTrip", "p99_us", 1.0), None, "µs"),
    ("start-up to the main window shown", "BM_StartupToWindowShown", "time",
     ("an empty Qt main window shown", "BM_BareQtWindowShown", "time", 1.0), 300.0, "ms"),
    ('peak memory during the "検索" of 100,000 TEXTs', "BM_SearchPeakMemory", "peak_MB",
     ("the process before the search", "BM_SearchPeakMemory", "before_MB", 1.0), 200.0, "MB"),
]

TIME_UNITS = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}


def load(paths):
    runs = {}
    contexts = []
    for path in paths:
        with open(path, encoding="utf-8") as f:
            data = json.load(f)
            contexts.append(data.get("context", {}))
            for b in data.get("benchmarks", []):
                if b.get("run_type", "iteration") != "iteration":
                    continue
                name = b["name"]
                for suffix in ("/real_time", "/manual_time", "/iterations:"):
                    cut = name.find(suffix)
                    if cut >= 0:
                        name = name[:cut]
                runs[name] = b
    return runs, contexts


def value(runs, name, field):
    b = runs.get(name)
    if b is None or b.get("error_occurred"):
        return None
    if field == "time":
        return b["real_time"] * TIME_UNITS[b.get("time_unit", "ns")]
    return b.get(field)


def number(x, unit):
    if x is None:
        return "—"
    if x >= 100:
        return f"{x:,.0f} {unit}"
    return f"{x:.3g} {unit}"


def main():
    runs, contexts = load(sys.argv[1:])
    header = ("figure", "value", "reference", "ratio", "target", "CAD calls / item")
    lines = []
    notes = []
    for text, name, field, ref, target, unit in ROWS:
        v = value(runs, name, field)
        if ref:
            ref_text, ref_name, ref_field, factor = ref
            r = value(runs, ref_name, ref_field)
            r = r * factor if r is not None else None
            reference = f"{number(r, unit)} ({ref_text})"
        elif target is not None:
            r = target
            reference = "(target)"
        else:
            r = None
            reference = "—"
        ratio = f"{v / r:.3g}" if v is not None and r else "—"
        if target is None:
            goal = "—"
        else:
            goal = f"< {number(target, unit)} " + ("ok" if v is not None and v < target else "MISSED")
        b = runs.get(name, {})
        calls = b.get("cad_calls_per_item")
        calls_text = f"{calls:.3g}" if calls is not None and "error_occurred" not in b else "—"
        if calls is not None and b.get("label") and name not in [n[0] for n in notes]:
            notes.append((name, text, b["label"]))
        if b.get("error_occurred"):
            v_text = "error: " + b.get("error_message", "")
        else:
            v_text = number(v, unit)
        lines.append((text, v_text, reference, ratio, goal, calls_text))

    widths = [max(len(h), *(len(l[i]) for l in lines)) for i, h in enumerate(header)]

    def row(cells):
        return "| " + " | ".join(c.ljust(w) for c, w in zip(cells, widths)) + " |"

    for context in contexts:
        load_avg = ", ".join(f"{x:.2f}" for x in context.get("load_avg", []))
        print(f"{context.get('date', '')}: {context.get('num_cpus', '?')} CPUs, load average {load_avg or '?'}"
              " when the run began")
    print()
    print(row(header))
    print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
    for l in lines:
        print(row(l))
    if notes:
        print()
        print("CAD calls per item, by member (from the in-memory drawing's call log):")
        for _, text, label in notes:
            print(f"  {text}: {label}")


if __name__ == "__main__":
    main()
