#!/usr/bin/env python3
"""Writes the large engine benchmark inputs into a folder (default /tmp).

Usage: gen_large_cases.py FOLDER CASE [LINES]

pair:     two files of LINES lines (default 10,000,000, about 590 MB each)
          with 100 scattered changed, inserted or deleted lines
shuffled: LINES lines (default 100,000) and the same lines in random order
repeats:  a file of LINES lines (default 2,000,000) and one of 1.7 x LINES
          lines: the same lines with a copy of the first 70% of them pasted
          into the middle, and the first and last line changed

The files are large: generate them into a scratch folder and delete them
after the run (bench/run_large_bench.sh does both).
"""
import os
import random
import sys

WORDS = ("alpha beta gamma delta epsilon zeta eta theta iota kappa lambda mu nu xi "
         "omicron pi rho sigma tau upsilon phi chi psi omega").split()


def make_line(rng, number):
    words = " ".join(rng.choices(WORDS, k=6))
    return f"{number:09d} {words} {rng.getrandbits(64):016x}\n"


def write(path, lines):
    with open(path, "w", newline="\n", buffering=1 << 22) as out:
        for start in range(0, len(lines), 100_000):
            out.write("".join(lines[start:start + 100_000]))


def case_pair(rng, folder, count):
    first = [make_line(rng, i) for i in range(count)]
    write(os.path.join(folder, "pair1.txt"), first)
    second = first
    for position in sorted(rng.sample(range(count - 200), 100), reverse=True):
        kind = rng.randrange(3)
        if kind == 0:
            second[position] = second[position].replace(" ", "  ", 1)
        elif kind == 1:
            second.insert(position, make_line(rng, -position))
        else:
            del second[position]
    write(os.path.join(folder, "pair2.txt"), second)


def case_shuffled(rng, folder, count):
    first = [make_line(rng, i) for i in range(count)]
    write(os.path.join(folder, "shuffled1.txt"), first)
    rng.shuffle(first)
    write(os.path.join(folder, "shuffled2.txt"), first)


def case_repeats(rng, folder, count):
    first = [make_line(rng, i) for i in range(count)]
    write(os.path.join(folder, "repeats1.txt"), first)
    half = count // 2
    second = (["changed first line\n"] + first[1:half] + first[:count * 7 // 10] +
              first[half:-1] + ["changed last line\n"])
    write(os.path.join(folder, "repeats2.txt"), second)


CASES = {"pair": (case_pair, 10_000_000), "shuffled": (case_shuffled, 100_000),
         "repeats": (case_repeats, 2_000_000)}


def main():
    if len(sys.argv) < 3 or sys.argv[2] not in CASES:
        sys.exit(__doc__)
    folder, name = sys.argv[1], sys.argv[2]
    case, default = CASES[name]
    count = int(sys.argv[3]) if len(sys.argv) > 3 else default
    os.makedirs(folder, exist_ok=True)
    case(random.Random(20240611), folder, count)


if __name__ == "__main__":
    main()
