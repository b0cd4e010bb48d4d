#!/usr/bin/env python3
"""Writes the engine benchmark inputs into bench/data/ (git-ignored).

a: two 1,000,000-line files (about 35 MB) with 100 scattered changed,
   inserted or deleted lines
b: 200,000 lines with 5% of the lines changed
c: 20,000 against 20,000 lines drawn from the same 50 distinct lines
d: 100,000 lines of which 30% differ only in white space (compare with -b)
"""
import os
import random
import sys

WORDS = ("alpha beta gamma delta epsilon zeta eta theta iota kappa lambda mu nu xi "
         "omicron pi rho sigma tau upsilon phi chi psi omega").split()


def line(rng, number):
    words = " ".join(rng.choice(WORDS) for _ in range(3))
    return f"{number:09d} {words} {rng.randrange(1 << 32):08x}\n"


def write(path, lines):
    with open(path, "w", newline="\n") as out:
        out.writelines(lines)


def case_a(rng, folder):
    first = [line(rng, i) for i in range(1_000_000)]
    second = list(first)
    for position in sorted(rng.sample(range(len(second) - 200), 100), reverse=True):
        kind = rng.randrange(3)
        if kind == 0:
            second[position] = line(rng, position).replace(" ", "  ", 1)
        elif kind == 1:
            second.insert(position, line(rng, -position))
        else:
            del second[position]
    write(os.path.join(folder, "a1.txt"), first)
    write(os.path.join(folder, "a2.txt"), second)


def case_b(rng, folder):
    first = [line(rng, i) for i in range(200_000)]
    second = [line(rng, -i) if rng.random() < 0.05 else text for i, text in enumerate(first)]
    write(os.path.join(folder, "b1.txt"), first)
    write(os.path.join(folder, "b2.txt"), second)


def case_c(rng, folder):
    pool = [line(rng, i) for i in range(50)]
    write(os.path.join(folder, "c1.txt"), [rng.choice(pool) for _ in range(20_000)])
    write(os.path.join(folder, "c2.txt"), [rng.choice(pool) for _ in range(20_000)])


def respace(rng, text):
    body = text.rstrip("\n")
    choice = rng.randrange(3)
    if choice == 0:
        body = body.replace(" ", "   ")
    elif choice == 1:
        body = body.replace(" ", "\t", 2)
    else:
        body = body + "  "
    return body + "\n"


def case_d(rng, folder):
    first = [line(rng, i) for i in range(100_000)]
    second = [respace(rng, text) if rng.random() < 0.30 else text for text in first]
    write(os.path.join(folder, "d1.txt"), first)
    write(os.path.join(folder, "d2.txt"), second)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "data")
    os.makedirs(folder, exist_ok=True)
    rng = random.Random(20240611)
    for case in (case_a, case_b, case_c, case_d):
        case(rng, folder)
        print(f"{case.__name__} written", file=sys.stderr)


if __name__ == "__main__":
    main()
