"""kestrel.Motion against the editor's files and kestrel-edit's exports."""

import pytest

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
