"""Kestrel for Python: motions, the arm's model and a live arm.

The module is built on the same code as Kestrel's programs, so a script and the programs never
disagree about a byte: a motion saved here is the file the editor saves, an export is what
``kestrel-edit --export`` writes, a check is kestrel-play's refusal, and ``Arm.play`` sends what
``kestrel-play`` sends.

Axes are named "base", "shoulder", "elbow", "wrist" and "grip"; an axis's channel is its index in
``AXES``. A pose is five positions (0..255) by channel, or the name of a pose the arm profile
keeps. Lengths are millimetres and angles degrees, as in arm.ini.
"""

from typing import Iterable, Iterator, Literal, Optional, Sequence, Union, overload

__version__: str

AXES: tuple[str, str, str, str, str]
"""The axes by channel: ("base", "shoulder", "elbow", "wrist", "grip")."""

Pose = tuple[int, int, int, int, int]
PoseLike = Union[Sequence[int], str]
Ease = Literal["linear", "smooth", "trapezoid"]
ExportFormat = Literal["csv", "bytes", "arduino"]

class Error(Exception):
    """Every error the module raises; its message is the one Kestrel's programs give."""

class FileError(Error):
    """A file cannot be read or written. ``path`` names it; ``line`` is the line of a fault in
    a movement file (0 when the fault is not a line's)."""

    path: str
    line: int

class ProfileError(Error):
    """An arm profile cannot be used; the message names the file, its section and key."""

    path: str

class LimitError(Error):
    """A motion or a move would take the arm outside its profile; nothing was sent or written."""

    breach: "Breach"

class MoveError(Error):
    """A move cannot be made: a target out of reach, a duration the caps refuse, a move with
    neither a duration nor a cap to choose one."""

class PortError(Error):
    """The port cannot be used, or the device went away. ``errno`` is Kestrel's error number
    (8002: no device, ...); ``device`` the device line of the message."""

    errno: int
    device: str

class Breach:
    """Where a motion first leaves the arm profile, as kestrel-play reports it."""

    record: int
    """The played record (2..n, as the movement file counts them); 0 for the start-up."""
    rule: str
    """"min", "max", "max_step", "max_step (seam)", "table (tool point)" or "table (wrist)"."""
    channel: int
    axis: str
    """The name of the channel's axis."""
    value: float
    """The position, the change, or the height in mm."""
    limit: float
    text: str
    """"Record 7: the elbow at 210 is above its max 200."."""
    def __str__(self) -> str:
        """The text."""

class TimedStep:
    """One step of the first replay pass, as the editor's timeline shows it."""

    index: int
    """Its index in ``Motion.steps``."""
    record: int
    """Its record in the movement file (index + 2)."""
    seconds: float
    """When its first byte goes out, from the start of the pass."""
    channel: int
    position: int
    pose: Pose
    """The five positions after it."""

class Motion:
    """A motion: the steps a pass plays, each one axis (channel) to one position.

    A movement file also holds a first record that no pass plays; ``Motion.load`` keeps it and
    ``save`` writes it back, and a new motion's is "0 , 0". ``steps`` are the played steps only.

    Every edit changes the motion in place, as the editor's command of the same name does. ``at``,
    ``start`` and ``stop`` index ``steps`` as Python does (``stop`` is not included, negative
    indices count from the end); ``at=None`` is the end of the motion. The edits that need the
    pose a pass starts from take it from the homes in the configuration folder's robotini.txt;
    those that need the arm profile take ``profile``, or arm.ini in that folder.
    """

    def __init__(
        self, steps: Iterable[tuple[int, int]] = (), config_dir: Optional[str] = None
    ) -> None:
        """A new motion of ``steps`` (channel, position), each channel and position 0..255.
        ``config_dir``: the configuration folder; None: Kestrel's own (~/.config/kestrel)."""
    @staticmethod
    def load(path: str, config_dir: Optional[str] = None) -> "Motion":
        """The movement file at ``path``, read whole (FileError with the line of the fault)."""
    def save(self, path: str) -> None:
        """Writes the motion to ``path`` in Kestrel's format, whole or not at all."""
    steps: list[tuple[int, int]]
    """The played steps, (channel, position); assigning replaces them."""
    path: Optional[str]
    """The file it was loaded from or last saved to."""
    config_dir: str
    """The configuration folder whose homes and arm.ini the motion uses."""
    @property
    def duration(self) -> float:
        """The first pass's time in seconds."""
    def timeline(self, config_dir: Optional[str] = None) -> list[TimedStep]:
        """Each step's time in the first pass, as the editor shows it, from the homes of
        ``config_dir`` (None: the motion's configuration folder)."""
    def __len__(self) -> int: ...
    @overload
    def __getitem__(self, index: int) -> tuple[int, int]: ...
    @overload
    def __getitem__(self, index: slice) -> list[tuple[int, int]]: ...
    def __iter__(self) -> Iterator[tuple[int, int]]: ...
    def __eq__(self, other: object) -> bool: ...
    def copy(self) -> "Motion": ...

    # The editor's edits.
    def delete(self, start: int, stop: Optional[int] = None) -> None:
        """Deletes steps[start:stop]; with no ``stop``, the one step at ``start``. An empty range
        deletes nothing."""
    def insert(self, at: Optional[int], steps: Union["Motion", Iterable[tuple[int, int]]]) -> None:
        """Inserts steps (a Motion's, or (channel, position) pairs) before index ``at``."""
    def hold(self, at: Optional[int], seconds: float) -> None:
        """Keeps the arm still for ``seconds`` before index ``at`` (1/240 s a hold, round(seconds *
        240) holds, at most an hour's): the step before it repeated, or before the first step
        the first step's axis where the pass starts. Error when that makes no hold."""
    def slow_down(self, factor: float, start: int = 0, stop: Optional[int] = None) -> None:
        """Makes steps[start:stop] take ``factor`` (>= 1) times as long, with holds after its
        steps. An empty range changes nothing."""
    def reverse(self, start: int = 0, stop: Optional[int] = None) -> None:
        """Reverses the order of steps[start:stop]. An empty range changes nothing."""
    def move_to_pose(
        self,
        pose: PoseLike,
        at: Optional[int] = None,
        rate: float = 120.0,
        interleaved: bool = False,
    ) -> None:
        """Inserts a walk to ``pose`` before ``at``, one position a step at ``rate`` positions a
        second, an axis at a time (grip first) or, ``interleaved``, all of them in turn."""
    def timed_move(
        self,
        pose: PoseLike,
        at: Optional[int] = None,
        seconds: Optional[float] = None,
        ease: Ease = "smooth",
        profile: Optional["Profile"] = None,
    ) -> None:
        """Inserts a timed move to ``pose`` before ``at``: every axis on the same ease, arriving
        together. No ``seconds``: as fast as the profile's caps allow (MoveError without caps).
        A move to the pose the arm already stands in changes nothing."""
    def move_tip(
        self,
        x: float,
        y: float,
        z: float,
        pitch: float,
        at: Optional[int] = None,
        line: bool = True,
        speed: float = 50.0,
        seconds: Optional[float] = None,
        ease: Ease = "smooth",
        profile: Optional["Profile"] = None,
    ) -> None:
        """Inserts a move of the tool point to (x, y, z) at ``pitch`` before ``at``: a straight
        line at ``speed`` mm/s, or with ``line=False`` a timed move of the joints (MoveError when
        the target or the line cannot be reached)."""
    def smooth(
        self, max_jump: int, rate: float = 120.0, start: int = 0, stop: Optional[int] = None
    ) -> None:
        """Turns every jump of more than ``max_jump`` positions in steps[start:stop] into a walk
        at ``rate`` positions a second. An empty range changes nothing."""
    def retime(
        self,
        seconds: float,
        start: int = 0,
        stop: Optional[int] = None,
        profile: Optional["Profile"] = None,
    ) -> None:
        """Makes steps[start:stop] take ``seconds`` without changing their shape; a whole timed
        move made by ``timed_move`` is made again with its ease (MoveError when its caps refuse
        the time). A range with no step is refused (Error)."""
    def fit_to_limits(self, profile: Optional["Profile"] = None) -> tuple[int, int]:
        """Brings the motion within the profile's limits; returns (positions clamped, steps
        added)."""
    def close_loop(
        self,
        seconds: Optional[float] = None,
        ease: Ease = "smooth",
        profile: Optional["Profile"] = None,
    ) -> None:
        """Appends a timed move from where the pass ends back to where it starts; a pass that
        already ends there changes nothing."""
    def export(
        self,
        format: ExportFormat,
        loops: int = 1,
        profile: Optional["Profile"] = None,
        config_dir: Optional[str] = None,
    ) -> bytes:
        """What ``kestrel-edit --export FORMAT --loops N`` writes for the motion: the first
        pass's table ("csv"), the bytes kestrel-play sends ("bytes") or an Arduino sketch
        ("arduino"). The bytes and the sketch of a motion that breaks the profile raise
        LimitError, with the breach as kestrel-edit gives it. ``config_dir``: the folder
        whose homes and arm.ini are used; None: the motion's."""

class Profile:
    """The arm's profile (arm.ini): its shape, each joint's calibration and limits, and the
    poses it names."""

    def __init__(self) -> None:
        """The profile of an arm.ini that says nothing."""
    @staticmethod
    def load(path: Optional[str] = None, config_dir: Optional[str] = None) -> "Profile":
        """The profile at ``path``, which must exist; None: arm.ini in the configuration folder,
        where no file means the defaults. ProfileError names what is wrong."""
    path: Optional[str]
    poses: dict[str, Pose]
    """The named poses."""
    def tool_point(self, pose: PoseLike) -> tuple[float, float, float, float]:
        """(x, y, z, pitch) of the tool point in ``pose``."""
    def solve(
        self, x: float, y: float, z: float, pitch: float, near: Optional[PoseLike] = None
    ) -> Pose:
        """The pose within the limits whose tool point is nearest (x, y, z) at ``pitch``, chosen
        nearest ``near`` (MoveError with the reason when there is none)."""
    def check(
        self, motion: Motion, loops: int = 1, config_dir: Optional[str] = None
    ) -> list[Breach]:
        """The breaches of the profile by ``motion`` played ``loops`` times (0: for ever), checked
        on the bytes kestrel-play would send, from its start-up on: one for each record, axis and
        rule, in the order the line meets them, as the editor's Check list shows them; empty when
        the motion keeps to the profile. The first is the one kestrel-play refuses the motion
        with. ``config_dir``: the folder whose homes the arm walks to; None: the motion's."""

class Arm:
    """The arm on a serial port, opened, probed and started as kestrel-play does: every axis to
    the centre, then the homing walk. Use it in a ``with`` block: on leaving it, on an exception
    or on Ctrl-C, the arm stops after the step in progress and the port and its lock are
    released. Ctrl-C during a call raises KeyboardInterrupt once the arm has stopped.

    ``port``: "Comm n", as the configuration folder's COMn link leads (None: the port in
    robotini.txt); or ``device``: a device path. ``profile``: a Profile, a path, or None for
    arm.ini in the configuration folder. Long calls show a status line on a terminal unless
    ``quiet``."""

    def __init__(
        self,
        port: Optional[int] = None,
        device: Optional[str] = None,
        config_dir: Optional[str] = None,
        profile: Union["Profile", str, None] = None,
        quiet: bool = False,
    ) -> None: ...
    def __enter__(self) -> "Arm": ...
    def __exit__(self, *exc: object) -> None: ...
    def close(self) -> None:
        """Releases the port and its lock; the arm stays where it stands."""
    @property
    def pose(self) -> Pose:
        """Where the arm stands, as sent."""
    @property
    def profile(self) -> Profile: ...
    @property
    def device(self) -> str: ...
    quiet: bool
    def move(
        self,
        pose: Optional[PoseLike] = None,
        *,
        base: Optional[int] = None,
        shoulder: Optional[int] = None,
        elbow: Optional[int] = None,
        wrist: Optional[int] = None,
        grip: Optional[int] = None,
        seconds: Optional[float] = None,
        ease: Ease = "smooth",
    ) -> None:
        """A timed move from where the arm stands to ``pose``, with the axes named changed (the
        others stay). Checked against the profile before a byte is sent."""
    def move_tip(
        self,
        x: float,
        y: float,
        z: float,
        pitch: float,
        line: bool = True,
        speed: float = 50.0,
        seconds: Optional[float] = None,
        ease: Ease = "smooth",
    ) -> None:
        """The tool point to (x, y, z) at ``pitch``: a straight line at ``speed`` mm/s, or with
        ``line=False`` a timed move of the joints."""
    def play(self, motion: Motion, loops: int = 1) -> None:
        """Plays ``motion`` as kestrel-play --loops does: the arm walks home, then the passes.
        ``loops=0`` plays until Ctrl-C. A motion that breaks the profile raises LimitError and
        sends nothing."""
    def home(self) -> None:
        """Walks every axis home, grip first and base last."""
