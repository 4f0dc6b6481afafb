"""kestrel.Profile against kestrel-edit's solve and the profile's reader."""

import pytest

import kestrel
from conftest import program, run

ODD_ARM = """[arm]
shoulder_height_mm = 70
upper_arm_mm = 110
forearm_mm = 95
hand_mm = 50
table_mm = 0

[elbow]
min = 40
max = 220

[poses]
rest = 127,110,127,127,127
"""


@pytest.fixture
def odd_arm(tmp_path):
    path = tmp_path / "arm.ini"
    path.write_text(ODD_ARM)
    return str(path)


@pytest.mark.parametrize(
    "target, near",
    [
        ((150, 0, 100, -45), None),
        ((120, 80, 60, -90), None),
        ((60, 100, 150, 0), (200, 127, 127, 127, 90)),  # the grip kept from near
        ((-100, 40, 150, 0), None),  # a joint past its limit
        ((900, 0, 0, 0), None),  # beyond the reach
        ((100, 0, -30, -90), None),  # below the table
    ],
)
def test_solve_is_kestrel_edits_solve(odd_arm, target, near):
    args = [program("KESTREL_EDIT"), "--solve", ",".join(map(str, target)), "--profile", odd_arm]
    if near:
        args += ["--from", ",".join(map(str, near))]
    solved = run(args)
    profile = kestrel.Profile.load(odd_arm)
    if solved.returncode == 0:
        pose = tuple(int(p) for p in solved.stdout.split(b"\n")[0].split())
        assert profile.solve(*target, near=near) == pose
        x, y, z, distance = map(float, solved.stdout.split(b"\n")[1].split())
        assert profile.tool_point(pose)[:3] == pytest.approx((x, y, z), abs=0.005)
    else:
        assert solved.returncode == 3
        with pytest.raises(kestrel.MoveError) as raised:
            profile.solve(*target, near=near)
        assert f"kestrel-edit: {raised.value}\n" == solved.stderr.decode()


def test_poses_and_named_tool_points(odd_arm):
    profile = kestrel.Profile.load(odd_arm)
    assert profile.poses == {"rest": (127, 110, 127, 127, 127)}
    assert profile.tool_point("rest") == profile.tool_point((127, 110, 127, 127, 127))
    with pytest.raises(kestrel.Error, match="names no pose 'nowhere'"):
        profile.tool_point("nowhere")


def test_a_profile_that_cannot_be_used_is_refused_with_its_key(tmp_path, config_dir):
    bad = tmp_path / "arm.ini"
    bad.write_text("[elbow]\nmin = 300\n")
    with pytest.raises(kestrel.ProfileError) as raised:
        kestrel.Profile.load(str(bad))
    assert str(raised.value) == f"Cannot use the arm profile '{bad}'\n[elbow] min = 300: not within 0..255"
    with pytest.raises(kestrel.ProfileError, match="No such file"):
        kestrel.Profile.load(str(tmp_path / "missing.ini"))
    # arm.ini in a configuration folder may be missing: the defaults.
    assert kestrel.Profile.load(config_dir=config_dir).path is None


def test_the_check_is_kestrel_plays_refusal_and_lists_every_breach(tmp_path, config_dir):
    (tmp_path / "config" / "arm.ini").write_text("[elbow]\nmax = 200\n\n[grip]\nmax_step = 20\n")
    path = tmp_path / "class.kmv"
    # The elbow over its max twice; the grip's jump back at the seam of two passes.
    steps = [(2, 210), (4, 127), (2, 120), (2, 205), (4, 145), (4, 163)]
    kestrel.Motion(steps).save(str(path))
    profile = kestrel.Profile.load(config_dir=config_dir)
    motion = kestrel.Motion.load(str(path), config_dir=config_dir)
    refused = run([program("KESTREL_PLAY"), "--dry-run", "--config-dir", config_dir, str(path)])
    assert refused.returncode != 0 and refused.stdout == b""
    once = profile.check(motion)
    assert [b.text for b in once] == [
        "Record 2: the elbow at 210 is above its max 200.",
        "Record 5: the elbow at 205 is above its max 200.",
    ]
    assert refused.stderr.decode().splitlines()[-1] == once[0].text
    twice = profile.check(motion, loops=2)
    assert [b.text for b in twice[:2]] == [b.text for b in once]
    assert [(b.record, b.rule, b.axis, b.limit) for b in twice[2:]] == [
        (3, "max_step (seam)", "grip", 20)
    ]
    assert profile.check(kestrel.Motion([(2, 150)])) == []
