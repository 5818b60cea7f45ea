#!/usr/bin/python3
"""Resident memory over a long session, under an X server of its own.

Usage: bench/SessionMemoryBench.py BUILD_DIR [CYCLES]

Runs bench/SessionMemoryBench.cpp (CYCLES clicks on "convert", default
1000, each prompt answered with -1 and the error box dismissed) on a real
X display, where Qt paints the dialogs and their icons, and prints what it
measures.
"""

import os
import subprocess
import sys

from StartupBench import start_x_server


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    build = os.path.abspath(sys.argv[1])
    cycles = sys.argv[2] if len(sys.argv) > 2 else "1000"
    server, name = start_x_server()
    try:
        env = dict(os.environ, DISPLAY=name, QT_QPA_PLATFORM="xcb")
        subprocess.run([os.path.join(build, "bench", "session_memory_bench"), cycles], env=env, check=True)
    finally:
        server.terminate()
        server.wait(timeout=10)


if __name__ == "__main__":
    main()
