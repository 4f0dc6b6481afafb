"""kestrel.Motion against the editor's files and kestrel-edit's exports."""

import pytest
from conftest import program, run

import kestrel


def test_a_saved_motion_is_the_file_kestrel_writes_and_reads_back_equal(tmp_path, config_dir):
    motion = kestrel.Motion([(0, 100), (4, 30)], config_dir=config_dir)
    path = tmp_path / "new.kmv"
    motion.save(str(path))
    assert path.read_bytes() == b" 0 , 0 \r\n 0 , 100 \r\n 4 , 30 \r\n"
    again = kestrel.Motion.load(str(path), config_dir=config_dir)
    assert again == motion and again.steps == [(0, 100), (4, 30)]
    assert again.path == str(path)


def test_a_file_with_a_fault_is_refused_whole_with_its_line(tmp_path):
    path = tmp_path / "bad.kmv"
    path.write_bytes(b"0,0\r\n1,120\r\n2,300\r\n")
    with pytest.raises(kestrel.FileError) as raised:
        kestrel.Motion.load(str(path))
    assert raised.value.line == 3 and raised.value.path == str(path)
    assert str(raised.value) == (
        f"Cannot open the movement file '{path}'\nLine 3: position 300 is outside 0 to 255"
    )


@pytest.mark.parametrize("steps", [[(0, 256)], [(-1, 3)], [(1,)], ["ab"], [(1.5, 2)]])
def test_steps_that_no_file_can_hold_are_refused(steps):
    with pytest.raises(kestrel.Error, match="Step 0 is not a"):
        kestrel.Motion(steps)


HOMES = (100, 120, 60, 140, 127)
# Kestrel's own configuration file, as it writes it: the homes above, the port.
ROBOTINI = (
    "======== Velmora ==========\r\n---- Kestrel Interface Configuration ----\r\n"
    + "".join(f"MOTOR{channel}= {home}\r\n" for channel, home in enumerate(HOMES))
    + "HOMESPEED= 5\r\nPORT= 1\r\n"
)
CAPS = "".join(f"[{axis}]\nmax_speed = 90\nmax_accel = 360\n" for axis in kestrel.AXES)
STEPS = [(0, 100), (2, 61), (2, 60), (3, 2), (3, 0), (0, 99), (4, 200), (1, 150), (2, 62)]
AWAY = (90, 100, 80, 120, 30)


def folder(path, arm_ini=None):
    """A configuration folder with the homes above and, when given, an arm.ini."""
    path.mkdir()
    (path / "robotini.txt").write_text(ROBOTINI, newline="")
    if arm_ini is not None:
        (path / "arm.ini").write_text(arm_ini)
    return str(path)


@pytest.fixture
def setup(tmp_path):
    """A motion file and a folder whose profile it keeps to, with caps and a named pose."""
    profile = CAPS + "[shoulder]\nmin = 11\n[poses]\nrest = 127,127,127,127,127\n"
    config = folder(tmp_path / "homes", profile)
    path = tmp_path / "motion.kmv"
    kestrel.Motion(STEPS).save(str(path))
    return str(path), config


def edit_program(*args):
    return run([program("KESTREL_EDIT"), *args])


def table(motion):
    return [line.split(",") for line in motion.export("csv").decode().splitlines()[1:]]


@pytest.mark.parametrize("fmt,loops", [("csv", 1), ("bytes", 2), ("arduino", 3), ("arduino", 0)])
def test_an_export_is_what_kestrel_edit_writes(setup, fmt, loops):
    path, config = setup
    made = edit_program("--export", fmt, "--loops", str(loops), "--config-dir", config, path)
    assert made.returncode == 0
    assert kestrel.Motion.load(path, config_dir=config).export(fmt, loops) == made.stdout


def test_a_motion_breaking_the_profile_is_refused_with_kestrel_edits_message(setup, tmp_path):
    path, _ = setup
    config = folder(tmp_path / "strict", "[grip]\nmax = 150\n")
    made = edit_program("--export", "arduino", "--config-dir", config, path)
    with pytest.raises(kestrel.LimitError) as raised:
        kestrel.Motion.load(path).export("arduino", config_dir=config)
    assert made.returncode == 7
    assert str(raised.value) == (
        f"The motion breaks the arm profile '{config}/arm.ini'; nothing was exported.\n"
        + made.stderr.decode().splitlines()[-1]
    )
    breach = raised.value.breach
    assert (breach.record, breach.rule, breach.axis, breach.limit) == (8, "max", "grip", 150)
    assert str(breach) == breach.text == str(raised.value).splitlines()[-1]


def test_the_timeline_is_the_tables_time(setup):
    path, config = setup
    motion = kestrel.Motion.load(path, config_dir=config)
    timeline = motion.timeline()
    assert [t.index for t in timeline] == list(range(len(STEPS)))
    timed = [(str(t.record), f"{t.seconds:.4f}", str(t.channel), str(t.position)) for t in timeline]
    assert timed == [(row[0], row[1], row[2], row[4]) for row in table(motion)]


def moved_by_at_most(jump):
    def check(before, after):
        timeline = after.timeline()
        return all(
            abs(now.pose[now.channel] - was.pose[now.channel]) <= jump
            for was, now in zip(timeline, timeline[1:])
        )

    return check


def range_takes(seconds, start, stop):
    def check(before, after):
        timeline = after.timeline()
        end = stop + len(after) - len(before)
        taken = timeline[end].seconds - timeline[start].seconds
        return taken == pytest.approx(seconds, abs=1 / 240)

    return check


def timed_move_of(seconds):
    def check(before, after):
        expected = before.copy()
        expected.timed_move(AWAY, seconds=seconds, ease="linear")
        return after == expected

    return check


def slowed_from(start, factor):
    def check(before, after):
        stretch = before.duration - before.timeline()[start].seconds
        return after.duration - before.duration == pytest.approx((factor - 1) * stretch)

    return check


def ends_in(pose, at=None):
    """The steps inserted before `at` (None: at the end) end in `pose`."""

    def check(before, after):
        place = len(before) if at is None else at
        return after.timeline()[place + len(after) - len(before) - 1].pose == pose

    return check


def interleaved(before, after):
    channels = [channel for channel, _ in after.steps[len(before) :]]
    return channels[0] != channels[1] and ends_in((90, 140, 70, 10, 190))(before, after)


# Each edit against what the editor's edit does and a wrong wiring would not.
EDITS = {
    "reverse": (lambda m: m.reverse(1, 4), lambda b, a: a.steps == b[:1] + b[1:4][::-1] + b[4:]),
    "reverse nothing": (lambda m: m.reverse(3, 3), lambda b, a: a == b),
    "hold": (lambda m: m.hold(2, 0.05), lambda b, a: a.steps == b[:2] + [b[1]] * 12 + b[2:]),
    "delete": (lambda m: m.delete(1, 3), lambda b, a: a.steps == b[:1] + b[3:]),
    "delete one": (lambda m: m.delete(-1), lambda b, a: a.steps == b[:-1]),
    "insert": (
        lambda m: m.insert(-2, [(1, 10), (1, 11)]),
        lambda b, a: a.steps == b[:-2] + [(1, 10), (1, 11)] + b[-2:],
    ),
    "slow down": (lambda m: m.slow_down(2.5, 2), slowed_from(2, 2.5)),
    "smooth": (lambda m: m.smooth(4), moved_by_at_most(4)),
    "close loop": (lambda m: m.close_loop(seconds=3.0), ends_in(HOMES)),
    "retime": (lambda m: m.retime(0.5, 1, 6), range_takes(0.5, 1, 6)),
    "retime a timed move": (
        lambda m: (m.timed_move(AWAY, seconds=3.0, ease="linear"), m.retime(4.0, len(STEPS))),
        timed_move_of(4.0),
    ),
    "move to pose": (lambda m: m.move_to_pose("rest", at=3), ends_in((127,) * 5, 3)),
    "interleaved": (
        lambda m: m.move_to_pose((90, 140, 70, 10, 190), interleaved=True),
        interleaved,
    ),
}


@pytest.mark.parametrize("name", EDITS)
def test_each_edit_is_the_editors(setup, name):
    path, config = setup
    edit, check = EDITS[name]
    motion = kestrel.Motion.load(path, config_dir=config)
    before = motion.copy()
    edit(motion)
    assert check(before, motion)


@pytest.mark.parametrize("line", [True, False])
def test_move_tip_takes_the_tool_point_to_the_target(setup, line):
    path, config = setup
    motion = kestrel.Motion.load(path, config_dir=config)
    target = [float(v) for v in table(motion)[2][6:]]
    motion.move_tip(*target, line=line, seconds=None if line else 3.0)
    reached = [float(v) for v in table(motion)[-1][6:9]]
    assert sum((r - t) ** 2 for r, t in zip(reached, target)) ** 0.5 <= 1.0


def test_fit_to_limits_leaves_nothing_to_refuse(setup, tmp_path):
    path, _ = setup
    config = folder(tmp_path / "strict", "[grip]\nmax = 150\n[shoulder]\nmax_step = 20\n")
    motion = kestrel.Motion.load(path, config_dir=config)
    # The grip's 200 clamped; the shoulder's jump from 120 to 150 walked in two.
    assert motion.fit_to_limits() == (1, 1)
    motion.export("bytes", loops=2)


@pytest.mark.parametrize(
    "pose,args", [("rest", []), (AWAY, ["--seconds", "2.5", "--ease", "trapezoid"])]
)
def test_a_timed_move_at_the_end_is_kestrel_edits_move_to(setup, tmp_path, pose, args):
    path, config = setup
    out, mine = tmp_path / "moved.kmv", tmp_path / "mine.kmv"
    target = pose if isinstance(pose, str) else ",".join(map(str, pose))
    made = edit_program("--move-to", target, *args, "--config-dir", config, "-o", str(out), path)
    assert made.returncode == 0
    motion = kestrel.Motion.load(path, config_dir=config)
    motion.timed_move(pose, seconds=2.5 if args else None, ease="trapezoid" if args else "smooth")
    motion.save(str(mine))
    assert mine.read_bytes() == out.read_bytes()


def test_refused_moves_raise_the_cores_message_and_change_nothing(setup, tmp_path):
    path, _ = setup
    config = folder(tmp_path / "no caps")
    out = str(tmp_path / "x.kmv")
    made = edit_program("--move-to", "90,100,80,120,30", "--config-dir", config, "-o", out, path)
    motion = kestrel.Motion.load(path, config_dir=config)
    with pytest.raises(kestrel.MoveError) as raised:
        motion.timed_move(AWAY)
    assert "kestrel-edit: " + str(raised.value) + "\n" == made.stderr.decode()
    assert motion.steps == STEPS
    with pytest.raises(kestrel.Error, match="names no pose 'nowhere'"):
        motion.move_to_pose("nowhere")
