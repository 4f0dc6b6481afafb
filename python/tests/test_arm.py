"""kestrel.Arm on a pseudo-terminal, against kestrel-play and kestrel-edit for the same inputs."""

import os
import signal
import subprocess
import sys
import threading
import tty

import pytest

import kestrel
from conftest import program, run

HOMES = b"======== Velmora ==========\r\nMOTOR4= 125\r\nMOTOR0= 129\r\n"
MOTION = b"0 , 0\r\n0 , 131\r\n4 , 120\r\n2 , 140\r\n0 , 129\r\n"


class Line:
    """A pseudo-terminal whose far side a thread reads, as the arm's controller would; with
    `echo`, it sends each probe back, as a modem does."""

    def __init__(self, echo=False):
        self.far, near = os.openpty()
        tty.setraw(self.far)
        tty.setraw(near)
        self.path = os.ttyname(near)
        self.near = near  # held, so that the line stays up while the arm reopens it
        self.data = bytearray()
        self.grew = threading.Condition()
        self.echo = echo
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def _read(self):
        while True:
            try:
                chunk = os.read(self.far, 4096)
            except OSError:  # every side closed: all was read
                break
            if self.echo and chunk == b"B":
                os.write(self.far, chunk)
            with self.grew:
                self.data += chunk
                self.grew.notify_all()

    def wait_for(self, size):
        with self.grew:
            assert self.grew.wait_for(lambda: len(self.data) >= size, timeout=30), bytes(self.data)
            return len(self.data)

    def everything(self):
        """All the bytes the line carried, once no one holds it open any more."""
        os.close(self.near)
        self.reader.join(30)
        os.close(self.far)
        return bytes(self.data)


def dry_run(config_dir, path, loops=1):
    """kestrel-play --dry-run's lines as the bytes they stand for."""
    done = run([program("KESTREL_PLAY"), "--dry-run", "--quiet", "--loops", str(loops),
                "--config-dir", config_dir, str(path)])
    assert done.returncode == 0, done.stderr
    lines = done.stdout.decode().splitlines()
    return b"".join(bytes([0x42]) if l == "probe 42" else bytes.fromhex(l[:11]) for l in lines)


def start_up(config_dir, tmp_path):
    """What kestrel-play writes before its passes: its dry run of a motion whose one step keeps
    the grip at its home (one frame), without that frame."""
    still = tmp_path / "still.kmv"
    still.write_bytes(b"0 , 0\r\n4 , 125\r\n")
    return dry_run(config_dir, still)[:-4], still


@pytest.fixture
def homes(config_dir, tmp_path):
    """The configuration folder with the grip's and the base's homes off the centre, and a
    motion file."""
    with open(os.path.join(config_dir, "robotini.txt"), "wb") as f:
        f.write(HOMES)
    (tmp_path / "m.kmv").write_bytes(MOTION)
    return config_dir


def test_play_writes_what_the_dry_run_prints(homes, tmp_path):
    line = Line()
    with kestrel.Arm(device=line.path, config_dir=homes, quiet=True) as arm:
        assert arm.pose == (129, 127, 127, 127, 125)
        arm.play(kestrel.Motion.load(str(tmp_path / "m.kmv")), loops=2)
    assert line.everything() == dry_run(homes, tmp_path / "m.kmv", loops=2)


def test_a_move_writes_the_steps_kestrel_edit_appends(homes, tmp_path):
    before, still = start_up(homes, tmp_path)
    moved = tmp_path / "moved.kmv"
    done = run([program("KESTREL_EDIT"), "--config-dir", homes, str(still), "--move-to",
                "140,120,127,127,100", "--seconds", "0.2", "--ease", "linear", "-o", str(moved)])
    assert done.returncode == 0, done.stderr
    line = Line()
    with kestrel.Arm(device=line.path, config_dir=homes, quiet=True) as arm:
        arm.move(base=140, shoulder=120, grip=100, seconds=0.2, ease="linear")
        assert arm.pose == (140, 120, 127, 127, 100)
    assert line.everything() == before + dry_run(homes, moved)[len(before) + 4 :]


@pytest.mark.parametrize(
    "ini, move, breach",
    [
        (b"[shoulder]\nmin = 110\n", {"shoulder": 100}, r"the shoulder at \d+ is below its min 110"),
        (b"[base]\nmax_step = 5\n", {"base": 200}, r"the base moves \d+ positions in one frame"),
    ],
)
def test_a_move_that_breaks_the_profile_sends_nothing(homes, tmp_path, ini, move, breach):
    with open(os.path.join(homes, "arm.ini"), "wb") as f:
        f.write(ini)
    line = Line()
    with kestrel.Arm(device=line.path, config_dir=homes, quiet=True) as arm:
        with pytest.raises(kestrel.LimitError, match=breach) as raised:
            arm.move(**move, seconds=0.1)
        assert arm.pose == (129, 127, 127, 127, 125)
    assert str(raised.value).startswith(
        f"The move breaks the arm profile '{homes}/arm.ini'; nothing was sent.\nRecord "
    )
    assert line.everything() == start_up(homes, tmp_path)[0]


def test_a_motion_that_breaks_the_profile_is_refused_as_kestrel_play_refuses_it(homes, tmp_path):
    with open(os.path.join(homes, "arm.ini"), "wb") as f:
        f.write(b"[elbow]\nmax = 139\n")
    motion = str(tmp_path / "m.kmv")
    play = run([program("KESTREL_PLAY"), "--dry-run", "--config-dir", homes, motion])
    line = Line()
    with kestrel.Arm(device=line.path, config_dir=homes, quiet=True) as arm:
        with pytest.raises(kestrel.LimitError) as raised:
            arm.play(kestrel.Motion.load(motion))
    # The same words, but for the command-line option a script cannot give.
    refusal = play.stderr.decode().replace(" (--no-limits plays it anyway)", "")
    assert str(raised.value) + "\n" == refusal
    assert line.everything() == start_up(homes, tmp_path)[0]


@pytest.mark.parametrize("fault, errno", [("missing", 8002), ("echo", 13)])
def test_a_missing_device_and_an_echo_are_refused_as_kestrel_play_refuses_them(
    homes, tmp_path, fault, errno
):
    line = Line(echo=fault == "echo")
    device = str(tmp_path / "nothing") if fault == "missing" else line.path
    play = run([program("KESTREL_PLAY"), "--quiet", "--config-dir", homes, "--device", device,
                str(tmp_path / "m.kmv")])
    with pytest.raises(kestrel.PortError) as raised:
        kestrel.Arm(device=device, config_dir=homes, quiet=True)
    assert str(raised.value) + "\n" == play.stderr.decode()
    assert raised.value.errno == errno
    line.everything()


@pytest.mark.parametrize(
    "given, message",
    [
        ({"port": 1, "device": "/nowhere"}, "port and device both name the line; give one."),
        ({"port": 0}, "port takes a whole number from 1 up, not 0."),
        ({"device": "/nowhere", "profile": 3}, "The profile is a kestrel.Profile, the path of"),
    ],
)
def test_arguments_that_name_no_line_are_refused_before_it_is_opened(config_dir, given, message):
    with pytest.raises(kestrel.Error, match=message):
        kestrel.Arm(config_dir=config_dir, **given)


def test_ctrl_c_stops_the_arm_after_its_step_and_frees_the_port(homes):
    line = Line()
    script = (
        "import sys, kestrel\n"
        "m = kestrel.Motion([(0, 100 + i % 60) for i in range(200)], config_dir=sys.argv[2])\n"
        "with kestrel.Arm(device=sys.argv[1], config_dir=sys.argv[2], quiet=True) as arm:\n"
        "    arm.play(m, loops=0)\n"
    )
    # PYTHONPATH, and with it this build's module, passes on to the child.
    child = subprocess.Popen([sys.executable, "-c", script, line.path, homes],
                             stderr=subprocess.PIPE)
    seen = line.wait_for(400)  # well into the passes
    child.send_signal(signal.SIGINT)
    _, err = child.communicate(timeout=30)
    assert child.returncode == -signal.SIGINT
    assert err.startswith(b"Traceback") and err.rstrip().endswith(b"KeyboardInterrupt"), err
    # The step in progress (two frames) and what was written before the signal but not yet
    # read (the line wait lets two frames run ahead).
    assert len(line.data) - seen <= 16
    # The lock file went with the port; then the flock and the exclusive open too.
    lock = "LCK.." + line.path[len("/dev/") :].replace("/", "_")
    assert not [d for d in ("/run/lock", "/var/lock", "/tmp") if os.path.exists(f"{d}/{lock}")]
    with kestrel.Arm(device=line.path, config_dir=homes, quiet=True) as arm:
        assert arm.pose == (129, 127, 127, 127, 125)
    line.everything()
