#!/usr/bin/env python3
"""A teacher's check of the class's motions: every movement file (.kmv) in a folder, checked
against the arm profile on the bytes kestrel-play would send, one line a file:

    alice.kmv: ok
    bob.kmv: Record 7: the elbow at 210 is above its max 200.
    carol.kmv: Cannot open the movement file 'class/carol.kmv' Line 3: position 300 is ...

Run it as

    python3 check_class.py class/
    python3 check_class.py --loops 0 --config-dir /tmp/lab class/

The homes come from robotini.txt and the profile from arm.ini in the configuration folder
(--profile FILE for another). Exit status: 0 when every file keeps to the profile, 1 when any
breaks it or cannot be read, 2 for a bad command line or a profile that cannot be used.
"""

import argparse
import pathlib
import sys

import kestrel


def verdict(path, profile, loops, config_dir):
    """"ok", the first breach, or why the file cannot be read; and whether it passed."""
    try:
        motion = kestrel.Motion.load(str(path), config_dir=config_dir)
    except kestrel.Error as error:
        return " ".join(str(error).splitlines()), False
    breaches = profile.check(motion, loops=loops, config_dir=config_dir)
    return (breaches[0].text, False) if breaches else ("ok", True)


def main():
    parser = argparse.ArgumentParser(description="Checks every .kmv in a folder.")
    parser.add_argument("folder", type=pathlib.Path)
    parser.add_argument("--config-dir", help="the configuration folder (default Kestrel's own)")
    parser.add_argument("--profile", help="another arm profile than the folder's arm.ini")
    parser.add_argument("--loops", type=int, default=1,
                        help="passes to check (0: until stopped, as kestrel-play --loops 0)")
    args = parser.parse_args()

    try:
        profile = kestrel.Profile.load(args.profile, config_dir=args.config_dir)
    except kestrel.Error as error:
        print(f"check_class.py: {error}", file=sys.stderr)
        return 2
    paths = sorted(args.folder.glob("*.kmv"))
    if not paths:
        print(f"check_class.py: {args.folder} holds no .kmv file", file=sys.stderr)
        return 1
    passed = True
    for path in paths:
        text, ok = verdict(path, profile, args.loops, args.config_dir)
        print(f"{path.name}: {text}")
        passed = passed and ok
    return 0 if passed else 1


if __name__ == "__main__":
    sys.exit(main())
