#!/usr/bin/env python3
"""A motion made of the arm profile's named poses, saved as a movement file for Kestrel.

Each pose is reached by a timed move (every axis starting and arriving together), the arm holds
still at the last one, and the motion closes the loop back to where it began, so that it can be
played again and again.

It needs an arm.ini with a [poses] section in the configuration folder, for example

    [poses]
    rest = 127,127,127,127,127
    reach = 127,90,150,100,60

and either caps ([base] max_speed and max_accel, and so on) to time the moves, or --seconds:

    python3 poses_motion.py --seconds 1.5 -o wave.kmv rest reach rest
    kestrel-play --loops 3 wave.kmv

With no pose named, it visits every pose of [poses] in the file's order.
"""

import argparse
import sys

import kestrel


def make_motion(profile, names, seconds, hold, config_dir):
    motion = kestrel.Motion(config_dir=config_dir)
    for name in names:
        # No seconds: as fast as the profile's caps allow.
        motion.timed_move(name, seconds=seconds, profile=profile)
    motion.hold(None, hold)
    motion.close_loop(seconds=seconds, profile=profile)
    return motion


def main():
    parser = argparse.ArgumentParser(description="A motion of named poses, saved for Kestrel.")
    parser.add_argument("poses", nargs="*", help="names from arm.ini's [poses] (default: all)")
    parser.add_argument("-o", "--output", default="poses.kmv", help="default poses.kmv")
    parser.add_argument("--config-dir", help="the configuration folder (default Kestrel's own)")
    parser.add_argument("--seconds", type=float,
                        help="each move's time (default: as fast as the caps allow)")
    parser.add_argument("--hold", type=float, default=1.0,
                        help="seconds to stay at the last pose (default 1)")
    args = parser.parse_args()

    try:
        profile = kestrel.Profile.load(config_dir=args.config_dir)
        names = args.poses or list(profile.poses)
        if not names:
            print("poses_motion.py: arm.ini names no poses: add a [poses] section",
                  file=sys.stderr)
            return 1
        motion = make_motion(profile, names, args.seconds, args.hold, args.config_dir)
        motion.save(args.output)
    except kestrel.Error as error:
        # An unknown pose, no caps and no --seconds, a file that cannot be written: Kestrel's
        # own message says which.
        print(f"poses_motion.py: {error}", file=sys.stderr)
        return 1
    print(f"{args.output}: {len(motion)} steps, {motion.duration:.2f} s a pass")
    return 0


if __name__ == "__main__":
    sys.exit(main())
