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

RUNS = int(os.environ.get("VARLO_BENCH_RUNS", "9"))
IDLE_SECONDS = float(os.environ.get("VARLO_BENCH_IDLE", "10"))
TICKS = os.sysconf("SC_CLK_TCK")


def launch(program):
    """Starts the program; returns (process, seconds to first paint)."""
    env = dict(os.environ, VARLO_BENCH_PAINT="1")
    start = time.monotonic_ns()
    proc = subprocess.Popen([program], env=env, stderr=subprocess.PIPE, text=True)
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


def startup(program):
    times = []
    for _ in range(RUNS):
        proc, seconds = launch(program)
        times.append(seconds)
        stop(proc)
    return statistics.median(times)


def main():
    game, minimal = sys.argv[1], sys.argv[2]
    launch(game)[0].kill()  # warm the file cache for both
    launch(minimal)[0].kill()
    game_start = startup(game)
    minimal_start = startup(minimal)
    print(f"startup_game_ms={game_start * 1000:.1f} startup_minimal_ms={minimal_start * 1000:.1f} "
          f"startup_ratio={game_start / minimal_start:.2f}")

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
