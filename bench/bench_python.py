#!/usr/bin/env python3
"""The kestrel module's figures: a script's replay on the wire beside kestrel-play's, and how
long the calls a classroom script makes take.

Run from the checkout after scripts/build:
    PYTHONPATH=build/python /usr/bin/python3 bench/bench_python.py [build]

The replay goes to a pseudo-terminal that a thread drains as fast as it can, so the pace is the
line clock's (960 bytes a second, as a 9600-baud line carries them), for the script and for
kestrel-play alike; the CPU is the process's own over the replay."""

import os
import resource
import statistics
import subprocess
import sys
import tempfile
import threading
import time
import tty

import kestrel

STEPS = 2000


def drained_pty():
    far, near = os.openpty()
    tty.setraw(far)
    tty.setraw(near)
    times = []

    def read():
        while True:
            try:
                chunk = os.read(far, 4096)
            except OSError:
                return
            times.append((time.monotonic(), len(chunk)))

    threading.Thread(target=read, daemon=True).start()
    return os.ttyname(near), near, times


def wire_rate(times, since):
    """Frames a second between the first and the last byte written after `since`, past the
    probe's byte and the second it waits for an echo (kestrel-play's)."""
    after = [(t, n) for t, n in times if t >= since]
    gaps = [after[i + 1][0] - after[i][0] for i in range(len(after) - 1)]
    if gaps and max(gaps) > 0.5:
        after = after[gaps.index(max(gaps)) + 1 :]
    size = sum(n for _, n in after[1:])
    return size / 4 / (after[-1][0] - after[0][0])


def cpu_seconds(who):
    usage = resource.getrusage(who)
    return usage.ru_utime + usage.ru_stime


def script_replay(motion, config):
    path, near, times = drained_pty()
    with kestrel.Arm(device=path, config_dir=config, quiet=True) as arm:
        start, cpu = time.monotonic(), cpu_seconds(resource.RUSAGE_SELF)
        arm.play(motion)
        wall, used = time.monotonic() - start, cpu_seconds(resource.RUSAGE_SELF) - cpu
    os.close(near)
    return wire_rate(times, start), 100 * used / wall


def program_replay(build, file, config):
    path, near, times = drained_pty()
    start, cpu = time.monotonic(), cpu_seconds(resource.RUSAGE_CHILDREN)
    subprocess.run([f"{build}/play/kestrel-play", "--quiet", "--device", path,
                    "--config-dir", config, file], check=True)
    wall, used = time.monotonic() - start, cpu_seconds(resource.RUSAGE_CHILDREN) - cpu
    os.close(near)
    # The probe's second, when the program sleeps, is left out of its CPU's share.
    return wire_rate(times, start), 100 * used / (wall - 1.0)


def median_ms(call, runs=5):
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        call()
        times.append((time.perf_counter() - start) * 1000)
    return statistics.median(times)


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build"
    folder = tempfile.mkdtemp()
    config = os.path.join(folder, "config")
    os.mkdir(config)
    # Every step moves its axis: two frames each, as the window's box writes a step again.
    steps = [(i % 5, 100 + (i // 5) % 50 if (i // 5) % 2 else 150 - (i // 5) % 50) for i in range(STEPS)]
    motion = kestrel.Motion(steps, config_dir=config)
    file = os.path.join(folder, "bench.kmv")
    motion.save(file)
    long = kestrel.Motion([(i % 5, 60 + i % 120) for i in range(12009)], config_dir=config)
    long_file = os.path.join(folder, "long.kmv")
    long.save(long_file)
    profile = kestrel.Profile()

    script_rate, script_cpu = script_replay(motion, config)
    program_rate, program_cpu = program_replay(build, file, config)
    print(f"Replay of {STEPS} steps, frames/s on the wire (goal: at least 228)")
    print(f"  Arm.play      {script_rate:7.1f}   CPU {script_cpu:4.1f} % of a core")
    print(f"  kestrel-play  {program_rate:7.1f}   CPU {program_cpu:4.1f} % of a core")
    # Targets the arm reaches: the tool points of poses across the joints' middle.
    poses = [(60 + i % 130, 90 + i % 70, 100 + i % 60, 80 + i % 90, 127) for i in range(10000)]
    targets = [profile.tool_point(pose) for pose in poses]
    print(f"10,000 Profile.solve calls        {median_ms(lambda: [profile.solve(*t) for t in targets], 3):8.1f} ms")
    print(f"Motion.load of 12,010 records     {median_ms(lambda: kestrel.Motion.load(long_file)):8.1f} ms")
    print(f"Motion.save of 12,010 records     {median_ms(lambda: long.save(long_file)):8.1f} ms")
    print(f"export('bytes') of 12,010 records {median_ms(lambda: long.export('bytes')):8.1f} ms")
    print(f"timed_move into 12,010 records    {median_ms(lambda: long.copy().timed_move((90, 100, 110, 120, 130), at=6000, seconds=2)):8.1f} ms")
    imported = subprocess.run([sys.executable, "-X", "importtime", "-c", "import kestrel"],
                              capture_output=True, text=True).stderr.splitlines()[-1]
    print(f"import kestrel                    {int(imported.split('|')[1]) / 1000:8.1f} ms")


if __name__ == "__main__":
    main()
