#!/usr/bin/python3
"""Measures a built hibiopen side by side with the floor and the alternatives.

Run through bench/run, which installs the tools and builds the binary. Every
figure comes from this one run, and each is shown as a ratio to what it is
compared with:

  instructions  valgrind --tool=callgrind, hibiopen's own process only (the
                program it starts is not followed), against /bin/true;
  wall time     hyperfine with warm-up, against /bin/true and against the same
                job as a POSIX shell script and as a Python 3 script;
  scaling       instructions per byte of the command tail for tails of many
                tokens, through the whole launch path;
  size, memory  file sizes, and peak resident memory (GNU time's %M).

The goals are shown next to the figures; nothing here fails because a goal is
missed. It fails only when a measurement cannot be made, or when a contender
does not do the job (checked with a recording stub before anything is timed).
"""

import argparse
import datetime
import json
import os
import platform
import resource
import shlex
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

KIB = 1024
MIB = 1024 * KIB
FULL_SIZES = [1 * KIB, 16 * KIB, 256 * KIB, 2 * MIB]
SMOKE_SIZES = [1 * KIB, 16 * KIB]
# Linux lets argv and envp together take a quarter of the stack limit; a
# 2 MiB tail of short tokens needs about 5 MiB with its pointers.
STACK_LIMIT = 64 * MIB
EXE_BUDGET = 48 * KIB

GOAL_INSTRUCTIONS = 1.5  # at most, x /bin/true
GOAL_WALL = 1.3  # at most, x /bin/true
GOAL_SHELL = 3.0  # at least, shell script / hibiopen
GOAL_SCALING = 2.0  # at most, largest / smallest instructions per byte

SELECTOR = "345678"
PATTERN = "NI*.LOG"
# A pattern with double-byte characters: the only kind for which hibiopen
# needs the locale's code page.
JAPANESE_PATTERN = "日報*.LOG"
BENCH = os.path.dirname(os.path.abspath(__file__))
SHELL_SCRIPT = os.path.join(BENCH, "open_today.sh")
PYTHON_SCRIPT = os.path.join(BENCH, "open_today.py")
PLOT_SCRIPT = os.path.join(BENCH, "scaling.gp")
FLOOR_SOURCE = os.path.join(BENCH, "spawn_floor.cpp")
# hibiopen's own link options, so that the floor starts up as hibiopen does.
FLOOR_BUILD = ["g++", "-std=c++20", "-O2", "-Wall", "-Wextra", "-Werror", "-static-libstdc++",
               "-static-libgcc", "-Wl,--as-needed"]

RECORDER = """#!/bin/sh
# Writes the arguments it was started with, one a line, for the checks.
printf '%s\\n' "$@" > "$0.tmp.$$" && mv "$0.tmp.$$" "$0.args"
"""


def fail(message):
    sys.exit(f"bench: {message}")


def log(message):
    print(message, file=sys.stderr, flush=True)


# ---------------------------------------------------------------------------
# The stage: stub programs, a folder with today's file, a fixed environment.


class Stage:
    def __init__(self, root):
        self.root = root
        self.stubs = os.path.join(root, "stubs")  # xdg-open and viewer: copies of /bin/true
        self.recorders = os.path.join(root, "recorders")  # the same names, recording
        self.work = os.path.join(root, "work")
        for folder in (self.stubs, self.recorders, self.work):
            os.mkdir(folder)
        for name in ("xdg-open", "viewer"):
            shutil.copy2("/bin/true", os.path.join(self.stubs, name))
            path = os.path.join(self.recorders, name)
            with open(path, "w") as out:
                out.write(RECORDER)
            os.chmod(path, 0o755)
        # Today's file. Should midnight pass during the run, the programs
        # fall back to yesterday's, which is then this same file.
        stamp = datetime.date.today().strftime("%y%m%d")
        self.today_file = PATTERN.replace("*", stamp)
        for pattern in (PATTERN, JAPANESE_PATTERN):
            with open(os.path.join(self.work, pattern.replace("*", stamp)), "w") as out:
                out.write("today's log\n")
        self.spawn_floor = os.path.join(root, "spawn_floor")
        subprocess.run([*FLOOR_BUILD, "-o", self.spawn_floor, FLOOR_SOURCE], check=True)

    def env(self, recording=False):
        env = {
            "PATH": (self.recorders if recording else self.stubs) + ":/usr/bin:/bin",
            "HOME": self.root,
            "LANG": "C.UTF-8",
        }
        if "TZ" in os.environ:
            env["TZ"] = os.environ["TZ"]
        return env

    def recorded(self, name, timeout=10.0):
        """The arguments the recording stub called name received, once it has run."""
        path = os.path.join(self.recorders, name + ".args")
        deadline = time.monotonic() + timeout
        while not os.path.exists(path):
            if time.monotonic() > deadline:
                return None
            time.sleep(0.01)
        with open(path) as record:
            args = record.read().split("\n")[:-1]
        os.remove(path)
        return args


def run_quietly(argv, stage, recording=False):
    result = subprocess.run(argv, cwd=stage.work, env=stage.env(recording),
                            stdin=subprocess.DEVNULL, capture_output=True, text=True)
    if result.returncode != 0:
        fail(f"{shlex.join(argv[:4])} ... exited with {result.returncode}: {result.stderr}")
    return result


# ---------------------------------------------------------------------------
# Command tails of many tokens.


def tail_size(args):
    """Bytes of the command tail hibiopen rebuilds from args: joined by single
    spaces, an argument with a space wrapped in double quotes."""
    return sum(len(a) + (2 if " " in a or not a else 0) for a in args) + len(args) - 1


def scaling_args(size):
    """Selector, application, extra arguments and pattern whose tail is size
    bytes: short options, numbered words, and every eighth a quoted pair."""
    head = [SELECTOR, "viewer"]
    extras = []
    total = tail_size(head + [PATTERN])
    i = 0
    while True:
        token = "two words" if i % 8 == 7 else ("-v" if i % 8 == 3 else f"arg{i}")
        added = len(token) + 1 + (2 if " " in token else 0)
        # Leave either nothing or room for a padding token (a space and a byte).
        if total + added != size and total + added > size - 2:
            break
        extras.append(token)
        total += added
        i += 1
    if total < size:  # pad to the exact size with one last token
        extras.append("p" * (size - total - 1))
    args = head + extras + [PATTERN]
    assert tail_size(args) == size, (tail_size(args), size)
    return args


# ---------------------------------------------------------------------------
# Measurements.


def callgrind(argv, stage, folder, toggle=None):
    """Instructions executed by the process started with argv (not by what it
    starts): the total, or only those inside the function toggle."""
    options = ["--tool=callgrind", f"--callgrind-out-file={folder}/cg.%p"]
    if toggle:
        options.append(f"--toggle-collect={toggle}")
    process = subprocess.Popen(["valgrind", *options, *argv], cwd=stage.work, env=stage.env(),
                               stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                               stderr=subprocess.PIPE, text=True)
    _, errors = process.communicate()
    if process.returncode != 0:
        fail(f"callgrind of {argv[0]} exited with {process.returncode}:\n{errors}")
    out_file = f"{folder}/cg.{process.pid}"
    with open(out_file) as data:
        for line in data:
            if line.startswith("totals:") or line.startswith("summary:"):
                count = int(line.split()[1])
                break
        else:
            fail(f"no totals in {out_file}")
    for name in os.listdir(folder):  # also any left by a started child
        os.remove(os.path.join(folder, name))
    return count


def hyperfine(commands, stage, folder, rounds, runs, warmup):
    """Wall time of each command: median, mean and standard deviation over all
    runs, and the mean CPU time (user and system) of the process and what it
    waited for, in seconds. The runs are made in rounds, each command in turn
    in every round, so that a change of load on the machine during the
    measurement falls on all of them alike."""
    out_file = os.path.join(folder, "hyperfine.json")
    argv = ["hyperfine", "-N", "--warmup", str(warmup), "--runs", str(runs),
            "--style", "basic", "--export-json", out_file]
    argv += [shlex.join(c) for c in commands]
    times = [[] for _ in commands]
    cpu = [[] for _ in commands]
    for _ in range(rounds):
        result = subprocess.run(argv, cwd=stage.work, env=stage.env(), stdin=subprocess.DEVNULL,
                                stdout=sys.stderr)
        if result.returncode != 0:
            fail("hyperfine failed")
        with open(out_file) as data:
            for i, r in enumerate(json.load(data)["results"]):
                times[i] += r["times"]
                cpu[i].append(r["user"] + r["system"])
    return [(statistics.median(t), statistics.mean(t), statistics.pstdev(t), statistics.mean(c))
            for t, c in zip(times, cpu)]


def peak_rss(argv, stage, folder, runs):
    """Median over runs of GNU time's %M: the peak resident set in KiB."""
    out_file = os.path.join(folder, "time.txt")
    figures = []
    for _ in range(runs):
        subprocess.run(["/usr/bin/time", "-f", "%M", "-o", out_file, *argv], cwd=stage.work,
                       env=stage.env(), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, check=True)
        with open(out_file) as data:
            figures.append(int(data.read().split()[-1]))
    return statistics.median(figures)


def stripped_size(path, folder):
    copy = os.path.join(folder, "stripped")
    subprocess.run(["strip", "-o", copy, path], check=True)
    size = os.path.getsize(copy)
    os.remove(copy)
    return size


def sections_size(path):
    """text, data and bss as binutils' size counts them, or None."""
    result = subprocess.run(["size", path], capture_output=True, text=True)
    if result.returncode != 0:
        return None
    text, data, bss = (int(x) for x in result.stdout.splitlines()[1].split()[:3])
    return text, data, bss


def sections_text(path):
    sections = sections_size(path)
    if sections is None:
        return ""
    return "text {:,}, data {:,}, bss {:,}".format(*sections)


def find_exe(repo, given):
    if given:
        if not os.path.isfile(given):
            fail(f"no such file: {given}")
        return given
    folder = os.path.join(repo, "build-mingw-i686")
    for where, _, files in os.walk(folder):
        for name in sorted(files):
            if name.lower() == "hibiopen.exe":
                return os.path.join(where, name)
    return None


# ---------------------------------------------------------------------------
# The report.


def thousands(n):
    return f"{n:,.0f}"


def ratio(x):
    return f"{x:.2f}×"


def ms(seconds):
    return f"{seconds * 1e3:.2f} ms"


def size_text(n):
    return f"{n:,} bytes ({n / KIB:.1f} KiB)"


def human_size(n):
    return f"{n // MIB} MiB" if n >= MIB else f"{n // KIB} KiB"


def verdict(met):
    return "met" if met else "**missed**"


def tool_version(argv):
    try:
        out = subprocess.run(argv, capture_output=True, text=True).stdout.strip()
    except OSError:
        return "?"
    return out.splitlines()[0] if out else "?"


def cpu_model():
    try:
        with open("/proc/cpuinfo") as info:
            for line in info:
                if line.startswith("model name"):
                    return line.split(":", 1)[1].strip()
    except OSError:
        pass
    return platform.processor() or "?"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--hibiopen", required=True, help="the built program")
    parser.add_argument("--repo", required=True, help="the source tree (finds HIBIOPEN.EXE)")
    parser.add_argument("--exe", help="HIBIOPEN.EXE to size")
    parser.add_argument("--out", required=True, help="folder for results.md and the plot")
    parser.add_argument("--smoke", action="store_true", help="smallest sizes, few runs")
    parser.add_argument("--runs", type=int, help="hyperfine runs per command and round")
    parser.add_argument("--rounds", type=int, help="hyperfine rounds")
    options = parser.parse_args()
    smoke = options.smoke
    rounds = options.rounds or (1 if smoke else 5)
    runs = options.runs or (3 if smoke else 60)
    warmup = 1 if smoke else 30
    rss_runs = 1 if smoke else 7
    sizes = SMOKE_SIZES if smoke else FULL_SIZES
    hibiopen = os.path.abspath(options.hibiopen)
    os.makedirs(options.out, exist_ok=True)

    # Room for the largest tail's arguments in every process started from here.
    unlimited = resource.RLIM_INFINITY
    soft, hard = resource.getrlimit(resource.RLIMIT_STACK)
    if soft != unlimited and soft < STACK_LIMIT:
        if hard != unlimited and hard < STACK_LIMIT:
            fail(f"the stack limit cannot be raised to {STACK_LIMIT // MIB} MiB (hard: {hard})")
        resource.setrlimit(resource.RLIMIT_STACK, (STACK_LIMIT, hard))
        soft = STACK_LIMIT
    stack_text = "unlimited" if soft == unlimited else f"{soft // MIB} MiB"

    load = os.getloadavg()
    started = datetime.datetime.now()
    root = tempfile.mkdtemp(prefix="hibiopen-bench.")
    scratch = os.path.join(root, "scratch")
    os.mkdir(scratch)
    try:
        stage = Stage(root)
        opener_run = [hibiopen, SELECTOR, PATTERN]
        app_run = [hibiopen, SELECTOR, "viewer", PATTERN]
        japanese_run = [hibiopen, SELECTOR, JAPANESE_PATTERN]
        missing_run = [hibiopen, SELECTOR, "NX*.LOG"]
        floor_run = [stage.spawn_floor, "xdg-open", stage.today_file]
        shell_run = [SHELL_SCRIPT, PATTERN]
        python_run = [PYTHON_SCRIPT, PATTERN]

        # Each contender must do the job before it is timed.
        log("checking that every contender opens today's file")
        for argv in (opener_run, floor_run, shell_run, python_run):
            run_quietly(argv, stage, recording=True)
            got = stage.recorded("xdg-open")
            if got != [stage.today_file]:
                fail(f"{os.path.basename(argv[0])} started xdg-open with {got}, "
                     f"not [{stage.today_file!r}]")
        check_args = scaling_args(sizes[0])
        run_quietly([hibiopen, *check_args], stage, recording=True)
        got = stage.recorded("viewer")
        expected = check_args[2:-1] + [stage.today_file]
        if got != expected:
            fail(f"the viewer received {len(got or [])} arguments, not the {len(expected)} given")

        log("counting instructions (callgrind)")
        true_ir = callgrind(["/bin/true"], stage, scratch)
        floor_ir = callgrind(floor_run, stage, scratch)
        opener_ir = callgrind(opener_run, stage, scratch)
        opener_main = callgrind(opener_run, stage, scratch, toggle="main")
        app_ir = callgrind(app_run, stage, scratch)
        app_main = callgrind(app_run, stage, scratch, toggle="main")
        missing_ir = callgrind(missing_run, stage, scratch)
        missing_main = callgrind(missing_run, stage, scratch, toggle="main")
        japanese_ir = callgrind(japanese_run, stage, scratch)
        japanese_main = callgrind(japanese_run, stage, scratch, toggle="main")

        log("counting instructions for long tails (callgrind)")
        base_bytes = tail_size(app_run[1:])
        scaling = []
        for size in sizes:
            args = scaling_args(size)
            ir = callgrind([hibiopen, *args], stage, scratch)
            scaling.append((size, len(args), ir, ir / size, (ir - app_ir) / (size - base_bytes)))

        log(f"timing (hyperfine, {rounds} rounds of {warmup} warm-up runs and {runs} runs each)")
        walls = hyperfine([["/bin/true"], floor_run, opener_run, missing_run, shell_run,
                           python_run], stage, scratch, rounds, runs, warmup)
        true_wall, floor_wall, opener_wall, missing_wall, shell_wall, python_wall = walls

        log("peak resident memory (GNU time)")
        largest_args = scaling_args(sizes[-1])
        rss = [
            ("/bin/true", peak_rss(["/bin/true"], stage, scratch, rss_runs)),
            (f"hibiopen {SELECTOR} '{PATTERN}'", peak_rss(opener_run, stage, scratch, rss_runs)),
            (f"hibiopen with the {human_size(sizes[-1])} tail",
             peak_rss([hibiopen, *largest_args], stage, scratch, rss_runs)),
            ("open_today.sh", peak_rss(shell_run, stage, scratch, rss_runs)),
            ("open_today.py", peak_rss(python_run, stage, scratch, rss_runs)),
        ]

        exe = find_exe(options.repo, options.exe)
        sizes_rows = [
            ("hibiopen (as built)", size_text(os.path.getsize(hibiopen)),
             sections_text(hibiopen), ""),
            ("hibiopen (stripped)", size_text(stripped_size(hibiopen, scratch)), "", ""),
        ]
        if exe:
            exe_size = os.path.getsize(exe)
            where = os.path.abspath(exe)
            if where.startswith(os.path.abspath(options.repo) + os.sep):
                where = os.path.relpath(where, options.repo)
            sizes_rows.append((f"HIBIOPEN.EXE (`{where}`)",
                               size_text(exe_size), sections_text(exe),
                               f"{ratio(exe_size / EXE_BUDGET)} of the 48 KiB budget: "
                               f"{verdict(exe_size <= EXE_BUDGET)}"))
        else:
            sizes_rows.append(("HIBIOPEN.EXE", "not built", "", "budget 48 KiB"))

        # Wait for the openers started last, so that the folder can go.
        time.sleep(0.2)
    finally:
        shutil.rmtree(root, ignore_errors=True)

    # Figures against goals.
    ir_ratio = opener_ir / true_ir
    wall_ratio = opener_wall[0] / true_wall[0]
    shell_ratio = shell_wall[0] / opener_wall[0]
    python_ratio = python_wall[0] / opener_wall[0]
    per_byte = [row[4] for row in scaling]
    spread = max(per_byte) / min(per_byte)
    exe_goal = ("HIBIOPEN.EXE size ÷ 48 KiB budget",
                ratio(exe_size / EXE_BUDGET) if exe else "not built", "≤ 1.00×",
                verdict(exe_size <= EXE_BUDGET) if exe else "—")

    lines = []
    add = lines.append
    add("### Goals")
    add("")
    add("| figure | measured | goal | |")
    add("|---|---|---|---|")
    add(f"| instructions of a run ÷ `/bin/true` | {ratio(ir_ratio)} "
        f"| ≤ {GOAL_INSTRUCTIONS:.2f}× | {verdict(ir_ratio <= GOAL_INSTRUCTIONS)} |")
    add(f"| wall time of a run ÷ `/bin/true` (medians) | {ratio(wall_ratio)} "
        f"| ≤ {GOAL_WALL:.2f}× | {verdict(wall_ratio <= GOAL_WALL)} |")
    add(f"| wall time of a run ÷ the spawn floor (medians), for reference "
        f"| {ratio(opener_wall[0] / floor_wall[0])} | | |")
    add(f"| shell script ÷ hibiopen, wall time (medians) | {ratio(shell_ratio)} "
        f"| ≥ {GOAL_SHELL:.2f}× | {verdict(shell_ratio >= GOAL_SHELL)} |")
    add(f"| instructions per tail byte, highest ÷ lowest "
        f"({human_size(sizes[0])} to {human_size(sizes[-1])}) | {ratio(spread)} "
        f"| ≤ {GOAL_SCALING:.2f}× | {verdict(spread <= GOAL_SCALING)} |")
    add("| {} | {} | {} | {} |".format(*exe_goal))
    add("")
    add("### Instructions (callgrind; hibiopen's own process, not the program it starts)")
    add("")
    add("| run | instructions | of which in `main` | ÷ `/bin/true` |")
    add("|---|---:|---:|---:|")
    add(f"| `/bin/true` | {thousands(true_ir)} | | 1.00× |")
    add(f"| spawn floor: `bench/spawn_floor.cpp` starts `xdg-open` and does nothing else "
        f"| {thousands(floor_ir)} | | {ratio(floor_ir / true_ir)} |")
    add(f"| `hibiopen {SELECTOR} '{PATTERN}'`: finds today's file, starts `xdg-open` "
        f"| {thousands(opener_ir)} | {thousands(opener_main)} | {ratio(opener_ir / true_ir)} |")
    add(f"| `hibiopen {SELECTOR} viewer '{PATTERN}'`: starts `viewer` on it "
        f"| {thousands(app_ir)} | {thousands(app_main)} | {ratio(app_ir / true_ir)} |")
    add(f"| `hibiopen {SELECTOR} '{JAPANESE_PATTERN}'`: a pattern with Japanese (non-ASCII) "
        f"bytes | {thousands(japanese_ir)} | {thousands(japanese_main)} "
        f"| {ratio(japanese_ir / true_ir)} |")
    add(f"| `hibiopen {SELECTOR} 'NX*.LOG'`: no such file, so no start; the message goes to "
        f"stderr through iconv | {thousands(missing_ir)} | {thousands(missing_main)} "
        f"| {ratio(missing_ir / true_ir)} |")
    add("")
    add("Every run here and below has the environment `PATH` (the stubs first), `HOME` and "
        "`LANG=C.UTF-8`, and standard input from `/dev/null`. The stub `xdg-open` and `viewer` "
        "are copies of `/bin/true`.")
    add("")
    add(f"### Wall time (hyperfine: {rounds} round{'s' if rounds != 1 else ''} of {warmup} "
        f"warm-up run{'s' if warmup != 1 else ''} and {runs} runs of each)")
    add("")
    add("| run | median | mean ± σ | CPU, user + system | ÷ `/bin/true` | ÷ hibiopen |")
    add("|---|---:|---:|---:|---:|---:|")
    for name, (median, mean, sd, cpu) in (
            ("`/bin/true`", true_wall),
            ("spawn floor (`bench/spawn_floor.cpp` starting `xdg-open`)", floor_wall),
            (f"`hibiopen {SELECTOR} '{PATTERN}'`", opener_wall),
            (f"`hibiopen {SELECTOR} 'NX*.LOG'`: no such file, a message on stderr", missing_wall),
            ("`bench/open_today.sh` (POSIX shell)", shell_wall),
            ("`bench/open_today.py` (Python 3)", python_wall)):
        add(f"| {name} | {ms(median)} | {ms(mean)} ± {ms(sd)} | {ms(cpu)} "
            f"| {ratio(median / true_wall[0])} | {ratio(median / opener_wall[0])} |")
    add("")
    add("### Scaling (callgrind; selector, `viewer`, many extra arguments, pattern)")
    add("")
    add("| tail | arguments | instructions | per tail byte | per byte beyond the "
        "3-argument run |")
    add("|---|---:|---:|---:|---:|")
    for size, count, ir, total, marginal in scaling:
        add(f"| {human_size(size)} | {thousands(count)} | {thousands(ir)} | {total:.1f} "
            f"| {marginal:.1f} |")
    add("")
    add(f"The last column takes off the {thousands(app_ir)} instructions of "
        f"`hibiopen {SELECTOR} viewer '{PATTERN}'` ({base_bytes} tail bytes), so it is the cost "
        f"of each further byte. The tails go in as separate arguments with the stack limit "
        f"raised to {stack_text} (Linux allows argv and envp a quarter of it, and 128 KiB for "
        f"one argument); `viewer` receives every one of them.")
    add("")
    add("### Size and memory")
    add("")
    add("| file | size | sections (binutils `size`) | |")
    add("|---|---:|---|---|")
    for row in sizes_rows:
        add("| {} | {} | {} | {} |".format(*row))
    add("")
    add("The ELF file grows by whole 4 KiB pages (its segments start on page boundaries), so "
        "a little more code can add 4 KiB to it; the sections show the real change.")
    add("")
    add(f"| run | peak resident memory (GNU time %M, median of {rss_runs}) | ÷ `/bin/true` |")
    add("|---|---:|---:|")
    for name, kib in rss:
        add(f"| {name} | {kib:,.0f} KiB | {ratio(kib / rss[0][1])} |")
    add("")
    add(f"Measured {started:%Y-%m-%d %H:%M} on {cpu_model()}, {os.cpu_count()} cores, "
        f"Linux {platform.release()}; load average {load[0]:.2f} at the start and "
        f"{os.getloadavg()[0]:.2f} at the end"
        f"{' (smoke run: smallest sizes, few runs)' if smoke else ''}. "
        f"{tool_version(['valgrind', '--version'])}, "
        f"{tool_version(['hyperfine', '--version'])}, Python {platform.python_version()}, "
        f"{tool_version(['g++', '--version'])}; `/bin/sh` is {os.path.realpath('/bin/sh')}.")
    report = "\n".join(lines) + "\n"

    with open(os.path.join(options.out, "results.md"), "w") as out:
        out.write("# hibiopen benchmark results\n\nWritten by `bench/run`; the plot is "
                  "[scaling.png](scaling.png).\n\n" + report)
    data_file = os.path.join(options.out, "scaling.dat")
    with open(data_file, "w") as out:
        out.write("# tail_bytes arguments instructions per_byte per_further_byte\n")
        for size, count, ir, total, marginal in scaling:
            out.write(f"{size} {count} {ir} {total:.3f} {marginal:.3f}\n")
    plot_file = os.path.join(options.out, "scaling.png")
    subprocess.run(["gnuplot", "-e", f"datafile='{data_file}'; outfile='{plot_file}'; "
                    f"ceiling={GOAL_SCALING * min(per_byte):.3f}", PLOT_SCRIPT], check=True)
    print(report)
    log(f"written: {options.out}/results.md, {data_file}, {plot_file}")


if __name__ == "__main__":
    main()
