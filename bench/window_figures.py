#!/usr/bin/env python3
"""Measures the game window from outside, under an X server (Xvfb):

  start-up   time from process start to the first painted window, median of
             several launches, next to the minimal Qt window built alongside;
  memory     resident set size right after the first paint;
  idle CPU   CPU time used by the open, untouched window over 10 seconds.

Both programs report their first paint on stderr when VARLO_BENCH_PAINT is
set (see src/ui/FirstPaint.h). Usage: window_figures.py VARLO MINIMAL
"""
import os
import statistics
import subprocess
import sys
import time

RUNS = int(os.environ.get("VARLO_BENCH_RUNS", "15"))
IDLE_SECONDS = float(os.environ.get("VARLO_BENCH_IDLE", "10"))
TICKS = os.sysconf("SC_CLK_TCK")


def launch(program):
    """Starts the program (a command line as a list, or one path); returns
    (process, seconds to first paint)."""
    command = program if isinstance(program, list) else [program]
    env = dict(os.environ, VARLO_BENCH_PAINT="1")
    start = time.monotonic_ns()
    proc = subprocess.Popen(command, env=env, stderr=subprocess.PIPE, text=True)
    for line in proc.stderr:
        if line.startswith("first-paint "):
            return proc, (int(line.split()[1]) - start) / 1e9
    raise RuntimeError(f"{program} ended without painting")


def rss_mb(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024
    return float("nan")


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS  # utime + stime


def stop(proc):
    proc.kill()
    proc.wait()


def startups(programs):
    """Median start-up of each program; the launches take turns, so that a
    slow spell of the machine falls on all of them alike."""
    times = [[] for _ in programs]
    for _ in range(RUNS):
        for i, program in enumerate(programs):
            proc, seconds = launch(program)
            times[i].append(seconds)
            stop(proc)
    return [statistics.median(t) for t in times]


def main():
    game, minimal = sys.argv[1], sys.argv[2]
    launch(game)[0].kill()  # warm the file cache for both
    launch(minimal)[0].kill()
    game_start, minimal_start, menu_start = startups([game, minimal, [minimal, "--menu"]])
    print(f"startup_game_ms={game_start * 1000:.1f} startup_minimal_ms={minimal_start * 1000:.1f} "
          f"startup_ratio={game_start / minimal_start:.2f}")
    # The same yardstick with a menu bar: it pays for reading the font
    # configuration, as every window with text does.
    print(f"startup_minimal_with_menu_ms={menu_start * 1000:.1f} "
          f"startup_ratio_to_menu={game_start / menu_start:.2f}")

    proc, _ = launch(game)
    time.sleep(0.5)  # let the first redraw settle
    print(f"rss_after_start_mb={rss_mb(proc.pid):.1f}")
    before = cpu_seconds(proc.pid)
    time.sleep(IDLE_SECONDS)
    used = cpu_seconds(proc.pid) - before
    print(f"idle_cpu_percent={100 * used / IDLE_SECONDS:.2f} (over {IDLE_SECONDS:.0f} s)")
    stop(proc)


if __name__ == "__main__":
    main()
