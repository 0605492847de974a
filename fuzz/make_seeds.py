#!/usr/bin/env python3
"""Writes fuzzing seeds: every sample mission cut down to one trigger block at
a time, so each check and action is a short input of its own.

usage: make_seeds.py EXAMPLES_FOLDER OUTPUT_FOLDER
"""
import glob
import os
import sys


def main(examples, output):
    os.makedirs(output, exist_ok=True)
    written = 0
    for path in sorted(glob.glob(os.path.join(examples, "*.mis"))):
        lines = open(path, "rb").read().decode("latin-1").split("\r\n")
        if ".Trigger" not in lines:
            continue
        first = lines.index(".Trigger")
        summary = lines.index(".MissionSummary") if ".MissionSummary" in lines else len(lines)
        head, tail = lines[:first], lines[summary:]
        triggers, current = [], []
        for line in lines[first:summary]:
            current.append(line)
            if line.startswith(".EndTrigger"):
                triggers.append(current)
                current = []
        name = os.path.splitext(os.path.basename(path))[0]
        for number, trigger in enumerate(triggers, 1):
            seed = os.path.join(output, "%s_trigger%02d.mis" % (name, number))
            with open(seed, "wb") as out:
                out.write("\r\n".join(head + trigger + tail).encode("latin-1"))
            written += 1
    print("%d seeds written to %s" % (written, output))


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
