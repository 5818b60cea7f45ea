#!/usr/bin/python3
"""Start-up time and peak memory of brisvane against a minimal Qt program.

Usage: bench/StartupBench.py BUILD_DIR [RUNS]

Under an Xvfb of its own, launches `brisvane 1600000000` and the minimal Qt
Widgets program (bench/MinimalQt.cpp) alternately, RUNS times each. Start-up
is the time from launching the process to the X server mapping its window;
brisvane has converted its command-line value by then (the conversion runs
before the event loop that maps the window). Peak memory is the process's
VmHWM half a second after the window is mapped. Prints medians and ratios.
"""

import os
import select
import statistics
import subprocess
import sys
import time

from Xlib import X, display


def start_x_server():
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "800x600x24",
                               "-nolisten", "tcp", "-noreset"], pass_fds=(write_end,),
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        return server, ":" + pipe.readline().strip()


def peak_memory_kib(pid):
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def measure(connection, root, command, env):
    """Seconds from launch to the first top-level window mapped, and peak KiB."""
    while connection.pending_events():
        connection.next_event()
    start = time.perf_counter()
    process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    mapped = None
    deadline = start + 20
    while mapped is None and time.perf_counter() < deadline:
        if not connection.pending_events():
            select.select([connection.fileno()], [], [], 0.05)
        while connection.pending_events():
            event = connection.next_event()
            if event.type == X.MapNotify:
                mapped = time.perf_counter()
    time.sleep(0.5)
    memory = peak_memory_kib(process.pid)
    process.terminate()
    process.wait(timeout=10)
    if mapped is None:
        raise RuntimeError("%s never mapped a window" % command[0])
    return mapped - start, memory


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    build = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
    programs = {
        "brisvane": [os.path.join(build, "ui", "qt", "brisvane"), "1600000000"],
        "minimal Qt": [os.path.join(build, "bench", "minimal_qt")],
    }
    server, name = start_x_server()
    try:
        env = dict(os.environ, DISPLAY=name, QT_QPA_PLATFORM="xcb", TZ="UTC")
        connection = display.Display(name)
        root = connection.screen().root
        root.change_attributes(event_mask=X.SubstructureNotifyMask)
        connection.sync()
        results = {label: ([], []) for label in programs}
        for label, command in programs.items():  # one warm-up each: page cache, font cache
            measure(connection, root, command, env)
        for _ in range(runs):
            for label, command in programs.items():
                seconds, memory = measure(connection, root, command, env)
                results[label][0].append(seconds)
                results[label][1].append(memory)
    finally:
        server.terminate()
        server.wait(timeout=10)

    medians = {label: (statistics.median(t), statistics.median(m)) for label, (t, m) in results.items()}
    print("%-12s %12s %14s   (medians of %d runs each, alternated)" % ("program", "start-up ms", "peak RSS KiB", runs))
    for label, (seconds, memory) in medians.items():
        print("%-12s %12.1f %14d" % (label, seconds * 1000, memory))
    ours, theirs = medians["brisvane"], medians["minimal Qt"]
    print("ratio        %12.2f %14.2f" % (ours[0] / theirs[0], ours[1] / theirs[1]))


if __name__ == "__main__":
    main()
