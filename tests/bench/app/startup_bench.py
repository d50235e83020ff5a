#!/usr/bin/env python3
"""Start-up, idle cost and memory of t418-zen against a bare Qt window.

  startup_bench.py [--build DIR] [--runs N] [--idle SECONDS] [--devices LIST]

Start-up: both programs start offscreen, paint their window once, write it as PNG and end
(the program on an empty simulated bus, so no device work is timed); medians of N runs and
the largest resident set. Idle (with --idle, needs Xvfb, openbox and xdotool): the program
runs on a virtual display with the simulated devices of LIST (default: the mouse on its
cable); its CPU is measured with the window shown, then hidden by its close button, over
SECONDS.
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

TICKS = os.sysconf("SC_CLK_TCK")


def timed_run(cmd, env):
    """Time from start to the line saying the window has painted once; peak RSS."""
    start = time.monotonic()
    proc = subprocess.Popen(cmd, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    painted = None
    for line in proc.stderr:
        if painted is None and b"first paint" in line:
            painted = time.monotonic() - start
    _, status, usage = os.wait4(proc.pid, 0)
    if os.waitstatus_to_exitcode(status) != 0 or painted is None:
        sys.exit(f"{cmd[0]} ended with {os.waitstatus_to_exitcode(status)}, painted: {painted}")
    return painted, usage.ru_maxrss


def private_env(root, **extra):
    env = dict(os.environ)
    for name in ("XDG_RUNTIME_DIR", "XDG_DATA_HOME", "XDG_CONFIG_HOME"):
        path = os.path.join(root, name.lower())
        os.makedirs(path, mode=0o700, exist_ok=True)
        env[name] = path
    env.update(extra)
    return env


def startup(bindir, runs, root):
    bus = os.path.join(root, "emptybus")
    os.makedirs(bus, exist_ok=True)
    shots = os.path.join(root, "shots")
    env = private_env(root, QT_QPA_PLATFORM="offscreen", T418_ZEN_SIMBUS=bus,
                      T418_ZEN_SCREENSHOTS=shots, T418_ZEN_SCREENSHOT_WAIT_MS="0", T418_ZEN_TRACE="1")
    bare, program = [], []
    for _ in range(runs):
        bare.append(timed_run([os.path.join(bindir, "bare_qt_window"),
                               os.path.join(root, "bare.png")], env))
        program.append(timed_run([os.path.join(bindir, "t418-zen")], env))
        if not os.path.exists(os.path.join(shots, "main.png")):
            sys.exit("t418-zen wrote no screenshot")
    b = statistics.median(t for t, _ in bare)
    p = statistics.median(t for t, _ in program)
    print(f"start-up to the first painted window (median of {runs}):")
    print(f"  bare Qt window {b * 1000:7.1f} ms   t418-zen {p * 1000:7.1f} ms   ratio {p / b:.2f}")
    print(f"  peak resident: bare {max(m for _, m in bare) / 1024:.1f} MiB"
          f"   t418-zen {max(m for _, m in program) / 1024:.1f} MiB")


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS


def resident_mib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024
    return 0.0


def sample(pid, seconds):
    before = cpu_seconds(pid)
    time.sleep(seconds)
    return (cpu_seconds(pid) - before) / seconds * 100


def idle(bindir, seconds, root, devices):
    display = ":%d" % (90 + os.getpid() % 100)
    procs = []
    try:
        procs.append(subprocess.Popen(["Xvfb", display, "-screen", "0", "1920x1080x24", "-nolisten", "tcp"],
                                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        time.sleep(1)
        env = private_env(root, DISPLAY=display, QT_QPA_PLATFORM="xcb")
        procs.append(subprocess.Popen(["openbox"], env=env, stdout=subprocess.DEVNULL,
                                      stderr=subprocess.DEVNULL))
        bus = os.path.join(root, "bus")
        os.makedirs(bus, exist_ok=True)
        procs.append(subprocess.Popen([os.path.join(bindir, "t418-zen-sim"), "--bus", bus,
                                       "--devices", devices],
                                      env=env, stdin=subprocess.DEVNULL,
                                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        time.sleep(0.5)
        env["T418_ZEN_SIMBUS"] = bus
        program = subprocess.Popen([os.path.join(bindir, "t418-zen")], env=env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        procs.append(program)
        window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^T418-ZEN$"],
                                env=env, capture_output=True, text=True, timeout=20).stdout.split()[0]
        time.sleep(3)  # connect, fill the page
        shown = sample(program.pid, 10)
        rss = resident_mib(program.pid)
        geometry = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window], env=env,
                                  capture_output=True, text=True).stdout
        width = int(dict(l.split("=") for l in geometry.split())["WIDTH"])
        scale = width / 1000
        # The close button sits 34 px from the right edge, in the middle of the title bar.
        subprocess.run(["xdotool", "mousemove", "--window", window, str(int(width - 34 * scale)),
                        str(int(25 * scale)), "click", "1"], env=env, check=True)
        time.sleep(1)
        visible = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^T418-ZEN$"],
                                 env=env, capture_output=True, text=True).stdout.split()
        if visible:
            sys.exit("the close button did not hide the window")
        hidden = sample(program.pid, seconds)
        print(f"t418-zen with {devices}: {shown:.2f} % of a core shown (10 s), "
              f"{hidden:.3f} % hidden ({seconds} s); resident {rss:.1f} MiB shown")
    finally:
        for p in reversed(procs):
            p.terminate()
            try:
                p.wait(5)
            except subprocess.TimeoutExpired:
                p.kill()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default="build")
    parser.add_argument("--runs", type=int, default=10)
    parser.add_argument("--idle", type=int, default=0)
    parser.add_argument("--devices", default="mouse-cable")
    args = parser.parse_args()
    bindir = os.path.join(args.build, "bin")
    root = tempfile.mkdtemp(prefix="t418-bench-")
    try:
        startup(bindir, args.runs, root)
        if args.idle > 0:
            idle(bindir, args.idle, root, args.devices)
    finally:
        shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    main()
