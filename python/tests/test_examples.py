"""The examples, run as a teacher runs them: square.py on the simulated arm, poses_motion.py's
file played by kestrel-play, check_class.py on a class's folder."""

import math
import os
import pathlib
import subprocess
import sys
import time

import pytest

import kestrel
from conftest import program, run

EXAMPLES = pathlib.Path(os.environ.get("KESTREL_SOURCE", ".")) / "python" / "examples"
MARKER = "FF 00 2A 0D base 42"


def example(name, *args):
    return run([sys.executable, str(EXAMPLES / name), *map(str, args)])


def play_says(config_dir, path):
    """kestrel-play's refusal of a file, without the line about a missing robotini.txt."""
    done = run([program("KESTREL_PLAY"), "--dry-run", "--config-dir", config_dir, str(path)])
    return [l for l in done.stderr.decode().splitlines() if not l.endswith("... using default")]


@pytest.fixture
def sim(tmp_path):
    """kestrel-sim --headless with its COM1 in a folder of its own, logging every frame."""
    config, log = tmp_path / "sim", tmp_path / "sim.log"
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    args = [program("KESTREL_SIM"), "--headless", "--config-dir", config, "--log", log]
    process = subprocess.Popen(args, env=env)
    deadline = time.monotonic() + 10
    while not (config / "COM1").is_symlink():
        assert process.poll() is None and time.monotonic() < deadline, "no COM1 published"
        time.sleep(0.05)
    yield config, log
    process.terminate()
    process.wait(10)


def frames_logged(config, log):
    """The frames the simulator read, once a marker sent behind them has been logged."""
    with open(config / "COM1", "wb") as line:
        line.write(bytes.fromhex("FF002A0D"))
    deadline = time.monotonic() + 30
    while not log.read_text().rstrip().endswith(MARKER):
        assert time.monotonic() < deadline, "the marker never reached the simulator"
        time.sleep(0.05)
    fields = [l.split() for l in log.read_text().splitlines()[:-1]]
    # Frames only: the probe and any junk byte have lines of their own ("0.002 probe 42").
    return [(int(f[2], 16), int(f[3], 16)) for f in fields if len(f) == 7 and f[1] == "FF"]


def test_square_visits_its_corners_in_turn_then_goes_home(sim):
    config, log = sim
    done = example("square.py", "--config-dir", config, "--side", 30, "--quiet")
    assert done.returncode == 0, done.stderr
    pose, tips, profile = [127] * 5, [], kestrel.Profile()
    for channel, position in frames_logged(config, log):
        pose[channel] = position
        tips.append(profile.tool_point(pose))
    start = 0
    for x, y in [(125, -15), (155, -15), (155, 15), (125, 15), (125, -15)]:
        near = [i for i in range(start, len(tips)) if math.dist(tips[i][:3], (x, y, 40)) < 1.5]
        assert near, f"the tool point never reached {x}, {y} after frame {start}"
        start = near[0]
    assert pose == [127] * 5


def test_poses_motion_saves_what_kestrel_play_plays(tmp_path, config_dir):
    reach, side = (127, 90, 150, 100, 60), (80, 100, 140, 110, 60)
    (pathlib.Path(config_dir) / "arm.ini").write_text(
        f"[poses]\nreach = {','.join(map(str, reach))}\nside = {','.join(map(str, side))}\n")
    out = tmp_path / "wave.kmv"
    done = example("poses_motion.py", "--config-dir", config_dir, "--seconds", 0.5, "-o", out)
    assert done.returncode == 0, done.stderr
    motion = kestrel.Motion.load(str(out), config_dir=config_dir)
    assert done.stdout.decode() == f"{out}: {len(motion)} steps, {motion.duration:.2f} s a pass\n"
    poses, pose = [], [127] * 5
    for channel, position in motion.steps:
        pose[channel] = position
        poses.append(tuple(pose))
    assert poses.index(reach) < poses.index(side) and poses[-1] == (127,) * 5
    assert run([program("KESTREL_PLAY"), "--dry-run", "--config-dir", config_dir,
                str(out)]).returncode == 0


def test_check_class_gives_each_file_a_line_and_fails_the_class(tmp_path, config_dir):
    (pathlib.Path(config_dir) / "arm.ini").write_text("[elbow]\nmax = 200\n")
    folder = tmp_path / "class"
    folder.mkdir()
    (folder / "good.kmv").write_bytes(b" 0 , 0 \r\n 2 , 150 \r\n 2 , 140 \r\n")
    (folder / "breaks.kmv").write_bytes(b" 0 , 0 \r\n 2 , 150 \r\n 2 , 210 \r\n")
    (folder / "broken.kmv").write_bytes(b"0,0\r\n1,120\r\n2,300\r\n")
    done = example("check_class.py", "--config-dir", config_dir, folder)
    assert done.returncode == 1
    breach = play_says(config_dir, folder / "breaks.kmv")[-1]
    fault = " ".join(play_says(config_dir, folder / "broken.kmv"))
    assert done.stdout.decode().splitlines() == [
        f"breaks.kmv: {breach}", f"broken.kmv: {fault}", "good.kmv: ok"]
