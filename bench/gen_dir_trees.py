#!/usr/bin/env python3
"""Writes two directory trees for the directory-list benchmark.

Usage: gen_dir_trees.py OUT [FILES] [FOLDERS]
OUT/one and OUT/two each get FILES files (default 20000) spread over FOLDERS
folders (default 200). One pair in a hundred differs in one line; one file in
a hundred exists on one side only (alternating sides). Every file of tree two
is stamped 1000 seconds later than its twin, so no pair is taken as equal by
size and times alone: every pair is compared by content.
"""
import os
import random
import shutil
import sys

out = sys.argv[1]
files = int(sys.argv[2]) if len(sys.argv) > 2 else 20000
folders = int(sys.argv[3]) if len(sys.argv) > 3 else 200
rng = random.Random(4711)
words = ["alpha", "beta", "gamma", "delta", "return", "value", "index", "count", "{", "}"]

for side in ("one", "two"):
    shutil.rmtree(os.path.join(out, side), ignore_errors=True)

per_folder = files // folders
base = 1_600_000_000
for f in range(folders):
    folder = f"dir{f:03d}"
    for side in ("one", "two"):
        os.makedirs(os.path.join(out, side, folder), exist_ok=True)
    for i in range(per_folder):
        n = f * per_folder + i
        name = f"File_{n:05d}.txt"
        lines = [" ".join(rng.choice(words) for _ in range(8)) for _ in range(rng.randint(20, 60))]
        text = "\n".join(lines) + "\n"
        one_sided = n % 100 == 50
        differs = n % 100 == 7
        targets = ["one", "two"]
        if one_sided:
            targets = ["one"] if (n // 100) % 2 == 0 else ["two"]
        for side in targets:
            body = text
            if side == "two" and differs:
                k = len(lines) // 2
                body = "\n".join(lines[:k] + ["changed " + lines[k]] + lines[k + 1:]) + "\n"
            path = os.path.join(out, side, folder, name)
            with open(path, "w") as fh:
                fh.write(body)
            stamp = base + n + (1000 if side == "two" else 0)
            os.utime(path, (stamp, stamp))
print(f"{out}/one and {out}/two: {files} files each in {folders} folders")
