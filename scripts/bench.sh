#!/usr/bin/env bash
# Builds the benchmark programs, generates missions from small to every table
# near its capacity (padded to 5 MB and 50 MB with comment lines and long
# display texts), checks that each one verifies, and prints one table: each
# row a figure, its baseline measured in the same run, their ratio and the
# target. Each figure is the median of BENCH_RUNS runs (at least 5); the runs
# of a figure and its baseline take turns, so a machine that slows down in
# the middle slows both sides alike.
#
#   scripts/bench.sh                 build in build-bench/, 7 runs a figure
#   BENCH_RUNS=11 scripts/bench.sh   more runs
#   BENCH_BUILD=DIR scripts/bench.sh another build folder
#   BENCH_VERIFY=FILE scripts/bench.sh times that tolvane-verify instead of
#                                    the one built here (another branch's)
#   BENCH_DESKTOP=0 scripts/bench.sh the verifier rows only
#
# The desktop rows run the real windows offscreen (bench/editor_bench.cpp):
# the start of the program to its first shown frame, against an empty Qt
# main window; then each editor command on a 200,000-line mission, timed
# inside the process against QPlainTextEdit::setPlainText of the same text,
# the two in turn; and the same rows at a tenth of the size, whose ratios
# should be no larger (the cost grows with the text, not faster).
#
# Figures are whole processes, start included: CPU time is user plus system
# time, memory is the peak resident size (max RSS), both as the kernel counts
# them for the finished child.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
runs=${BENCH_RUNS:-7}
if [ "$runs" -lt 5 ]; then runs=5; fi
build=${BENCH_BUILD:-$top/build-bench}

scripts/install-deps.sh
# A folder of its own builds no tests; a build folder named by BENCH_BUILD
# keeps its own choice.
configure=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOLVANE_GUI=ON)
if [ ! -f "$build/CMakeCache.txt" ]; then configure+=(-DTOLVANE_TESTS=OFF); fi
cmake -S . -B "$build" "${configure[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)" --target tolvane-verify generate_mission editor_bench >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/program" "$work/missions"
verify=${BENCH_VERIFY:-$build/cli/tolvane-verify}
generate="$build/bench/generate_mission"

# The missions. The one a ".LOADNEXTMISSION" action names must exist in the
# missions folder.
echo "Generating missions in $work ..." >&2
"$generate" --small "$work/missions/small.mis" "$work/program/ObjectNames.Txt"
cp "$work/missions/small.mis" "$work/missions/next.mis"
"$generate" "$work/missions/capacity.mis" "$work/program/ObjectNames.Txt"
"$generate" --pad $((5 * 1000 * 1000)) "$work/missions/padded-5mb.mis" "$work/program/ObjectNames.Txt"
"$generate" --pad $((50 * 1000 * 1000)) "$work/missions/padded-50mb.mis" "$work/program/ObjectNames.Txt"
for mission in small capacity padded-5mb padded-50mb; do
  if ! "$verify" --program-folder "$work/program" --missions-folder "$work/missions" \
    "$work/missions/$mission.mis" >"$work/verdict.txt" 2>&1; then
    echo "bench: the generated mission $mission.mis does not verify:" >&2
    cat "$work/verdict.txt" >&2
    exit 1
  fi
done

# A campaign: 200 missions in one folder, for verifying files in parallel.
mkdir -p "$work/campaign"
for i in $(seq 101 300); do cp "$work/missions/capacity.mis" "$work/campaign/mission-$i.mis"; done

# The table. A small Python harness starts each command with posix_spawn and
# reads the kernel's accounting of the finished child (wait4): wall time,
# user and system time, peak resident size.
# The program folder the desktop program starts in.
mkdir -p "$work/desktop"
cp program/* "$work/desktop/"
export BENCH_RUNS=$runs BENCH_WORK=$work BENCH_VERIFY=$verify BENCH_EDITOR=$build/bench/editor_bench
export BENCH_DESKTOP=${BENCH_DESKTOP:-1}
python3 - <<'PY'
import os, statistics, subprocess, time

runs = int(os.environ["BENCH_RUNS"])
work = os.environ["BENCH_WORK"]
verify = os.environ["BENCH_VERIFY"]
missions = os.path.join(work, "missions")
devnull = os.open(os.devnull, os.O_WRONLY)

def verify_cmd(mission):
    return [verify, "--program-folder", os.path.join(work, "program"),
            "--missions-folder", missions, os.path.join(missions, mission)]

def wc_cmd(mission):
    return ["/usr/bin/wc", "-l", os.path.join(missions, mission)]

def run_once(cmd):
    actions = [(os.POSIX_SPAWN_DUP2, devnull, 1), (os.POSIX_SPAWN_DUP2, devnull, 2)]
    start = time.perf_counter()
    pid = os.posix_spawn(cmd[0], cmd, os.environ, file_actions=actions)
    _, status, usage = os.wait4(pid, 0)
    wall = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        raise SystemExit("bench: %s failed" % " ".join(cmd))
    return {"wall": wall, "cpu": usage.ru_utime + usage.ru_stime, "rss": usage.ru_maxrss * 1024}

def measure(a, b):
    """Runs a and b in turn, after one warm-up each (which also puts the
    file in the page cache); the medians of each figure."""
    run_once(a); run_once(b)
    sa, sb = [], []
    for _ in range(runs):
        sa.append(run_once(a)); sb.append(run_once(b))
    med = lambda s, k: statistics.median(x[k] for x in s)
    return ({k: med(sa, k) for k in sa[0]}, {k: med(sb, k) for k in sb[0]})

MiB = 1024 * 1024
rows = []
def row(name, figure, baseline, ratio, target, met):
    rows.append((name, figure, baseline, ratio, target, "yes" if met else "NO"))

for label, mission in (("50 MB", "padded-50mb.mis"), ("5 MB", "padded-5mb.mis")):
    size = os.path.getsize(os.path.join(missions, mission))
    v, w = measure(verify_cmd(mission), wc_cmd(mission))
    ratio = v["cpu"] / w["cpu"] if w["cpu"] > 0 else float("inf")
    row("verify %s, CPU vs wc -l" % label, "%.1f ms" % (v["cpu"] * 1e3), "%.1f ms" % (w["cpu"] * 1e3),
        "%.2f" % ratio, "<= 4", ratio <= 4)
    row("verify %s, wall vs wc -l" % label, "%.1f ms" % (v["wall"] * 1e3), "%.1f ms" % (w["wall"] * 1e3),
        "%.2f" % (v["wall"] / w["wall"]), "(shown)", True)
    row("verify %s, peak memory vs file" % label, "%.1f MiB" % (v["rss"] / MiB), "%.1f MiB" % (size / MiB),
        "%.2f" % (v["rss"] / size), "<= file + 16 MiB", v["rss"] <= size + 16 * MiB)

v, w = measure(verify_cmd("capacity.mis"), wc_cmd("capacity.mis"))
size = os.path.getsize(os.path.join(missions, "capacity.mis"))
row("verify capacity mission (%d KB), wall" % (size // 1000), "%.2f ms" % (v["wall"] * 1e3),
    "%.2f ms" % (w["wall"] * 1e3), "%.2f" % (v["wall"] / w["wall"]), "< 10 ms", v["wall"] < 0.010)

# Files verified side by side: the whole folder on two threads against one.
def folder_cmd(jobs):
    return [verify, "--jobs", str(jobs), "--program-folder", os.path.join(work, "program"),
            "--missions-folder", missions, os.path.join(work, "campaign")]
one, two = measure(folder_cmd(1), folder_cmd(2))
speedup = one["wall"] / two["wall"]
row("verify 200 missions, --jobs 2 speed-up over --jobs 1", "%.1f ms" % (two["wall"] * 1e3),
    "%.1f ms" % (one["wall"] * 1e3), "%.2f" % speedup, ">= 1.7 on 2 cores", speedup >= 1.7)

# The desktop rows, offscreen.
editor = os.environ["BENCH_EDITOR"]
desktop_env = dict(os.environ, QT_QPA_PLATFORM="offscreen")

def shown_ms(mode):
    """From the start of the process to its first shown and painted window."""
    start = time.monotonic_ns()
    out = subprocess.run([editor, mode], cwd=os.path.join(work, "desktop"), env=desktop_env,
                         capture_output=True, text=True, timeout=60)
    if out.returncode != 0 or not out.stdout.strip():
        raise SystemExit("bench: editor_bench %s failed: %s" % (mode, out.stderr))
    return (int(out.stdout.split()[0]) - start) / 1e6

def editor_rows(lines):
    out = subprocess.run([editor, "rows", str(lines), str(runs)], env=desktop_env,
                         capture_output=True, text=True, timeout=3600)
    if out.returncode != 0:
        raise SystemExit("bench: editor_bench rows failed: %s" % out.stderr)
    return [l.split("\t")[1:] for l in out.stdout.splitlines() if l.startswith("row\t")]

EDITOR_TARGETS = (("open", "open the file (highlighting, gutter)", 1.5),
                  ("rogue on+off", "rogue marking on + off", 2),
                  ("replace all", "Replace All of a word x %s", 2),
                  ("object search to last line", "object search (F4) to the last line", 0.1),
                  ("verify", "Verify from the editor", 1),
                  ("renumber", "renumber 500 definitions, %s refs", 2))

if os.environ["BENCH_DESKTOP"] != "0":
    shown_ms("start"); shown_ms("start-bare")
    starts, bares = [], []
    for _ in range(runs):
        starts.append(shown_ms("start")); bares.append(shown_ms("start-bare"))
    s, b = statistics.median(starts), statistics.median(bares)
    row("desktop start to first frame, offscreen (vs empty Qt window)", "%.1f ms" % s, "%.1f ms" % b,
        "%.2f" % (s / b), "< 300 ms", s < 300)
    for lines in (200000, 20000):
        for name, figure, baseline in editor_rows(lines):
            for key, caption, target in EDITOR_TARGETS:
                if name.startswith(key + " "):
                    break
            else:
                raise SystemExit("bench: unknown row " + name)
            if "%s" in caption:
                caption = caption % ("{:,}".format(lines // 2) if key == "replace all" else "{:,}".format(lines // 10))
            ratio = float(figure) / float(baseline)
            row("editor %s lines: %s vs setPlainText" % ("{:,}".format(lines), caption),
                "%s ms" % figure, "%s ms" % baseline, "%.2f" % ratio, "<= %g" % target, ratio <= target)

header = ("row", "figure", "baseline", "ratio", "target", "met")
widths = [max(len(str(r[i])) for r in rows + [header]) for i in range(len(header))]
line = lambda r: "| " + " | ".join(str(c).ljust(widths[i]) for i, c in enumerate(r)) + " |"
print("Medians of %d runs each, sides interleaved; %d cores; load average %s" %
      (runs, os.cpu_count(), " ".join("%.2f" % x for x in os.getloadavg())))
print(line(header))
print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
for r in rows:
    print(line(r))
PY
