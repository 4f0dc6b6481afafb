#!/usr/bin/env python3
"""The tool point draws a square: straight lines round a square of the given side, at the given
height with the hand at the given pitch, then the arm walks home.

The defaults draw a 40 mm square centred 140 mm in front of the base, 40 mm above the table,
with the hand pointing straight down: every corner is within reach of the stock arm (an arm.ini
that says nothing), as `kestrel-edit --solve 120,-20,40,-90` and the others show.

Try it on the simulated arm, which publishes its port as COM1 in the folder it is given:

    kestrel-sim --config-dir /tmp/square &
    python3 square.py --config-dir /tmp/square

On a real arm, leave out --config-dir (Kestrel's own folder, ~/.config/kestrel) and give --port.
Ctrl-C stops the arm after the step in progress and releases the port.
"""

import argparse
import sys

import kestrel


def corners(x, y, side):
    """The square's corners round its centre (x, y), anticlockwise seen from above."""
    half = side / 2
    return [(x - half, y - half), (x + half, y - half), (x + half, y + half), (x - half, y + half)]


def draw(arm, points, height, pitch, speed):
    """Goes to the first corner with the joints moving together, then draws each side in a
    straight line, back to where it began."""
    x, y = points[0]
    arm.move_tip(x, y, height, pitch, line=False, seconds=2.0)
    for x, y in points[1:] + points[:1]:
        arm.move_tip(x, y, height, pitch, line=True, speed=speed)


def main():
    parser = argparse.ArgumentParser(description="The arm's tool point draws a square.")
    parser.add_argument("--port", type=int, default=1, help="Comm n (default 1)")
    parser.add_argument("--config-dir", help="the configuration folder (default Kestrel's own)")
    parser.add_argument("--side", type=float, default=40.0, help="mm (default 40)")
    parser.add_argument("--centre", type=float, nargs=2, default=(140.0, 0.0), metavar=("X", "Y"),
                        help="the square's centre in mm (default 140 0)")
    parser.add_argument("--height", type=float, default=40.0, help="z in mm (default 40)")
    parser.add_argument("--pitch", type=float, default=-90.0,
                        help="the hand's pitch in degrees (default -90, pointing down)")
    parser.add_argument("--speed", type=float, default=50.0, help="mm a second (default 50)")
    parser.add_argument("--quiet", action="store_true", help="no status line")
    args = parser.parse_args()

    points = corners(*args.centre, args.side)
    try:
        # Opening the arm probes the port and walks the arm home, as kestrel-play does;
        # leaving the block releases the port and its lock, whatever happened inside it.
        with kestrel.Arm(port=args.port, config_dir=args.config_dir, quiet=args.quiet) as arm:
            draw(arm, points, args.height, args.pitch, args.speed)
            arm.home()
    except kestrel.Error as error:
        # A corner out of reach, the port in use, a profile that cannot be used: Kestrel's
        # own message says which.
        print(f"square.py: {error}", file=sys.stderr)
        return 1
    except KeyboardInterrupt:
        print("square.py: stopped", file=sys.stderr)
        return 130
    return 0


if __name__ == "__main__":
    sys.exit(main())
