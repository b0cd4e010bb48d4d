#!/usr/bin/env python3
"""Measures how many small faults the core tests find.

Copies the tracked files into a scratch folder, builds the core and its tests
there, then applies a fixed, seeded sample of small mutations to the core's
sources, one at a time: comparison and logic operators turned, constants off
by one, statements dropped, conditions negated, arguments swapped. After each
one it rebuilds what changed and runs the core tests; a mutant is killed when
a test fails or hangs. The share of killed mutants among those that build is
the score. The working tree is never touched.

The core is built as shared libraries there, so a mutant costs one compile
and one library link. With --against REF, the core tests of that revision are
built beside today's, against the same libraries, and every mutant runs both
suites: the two scores come from the very same sample.
"""
import argparse
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import time

CORE = ["base", "engine", "settings", "merge", "panes", "dirmerge", "control"]
TESTS = [f + "_tests" for f in CORE]
LIBRARY = {"base": "tandel_base", "engine": "tandel_engine", "settings": "tandel_settings"}

REFERENCE_CMAKE = """find_package(GTest REQUIRED)
foreach(folder {folders})
  file(GLOB sources CONFIGURE_DEPENDS ${{CMAKE_CURRENT_SOURCE_DIR}}/${{folder}}/*.cpp)
  if(NOT sources)
    continue()
  endif()
  add_executable(${{folder}}_tests_ref ${{sources}})
  set_target_properties(${{folder}}_tests_ref PROPERTIES AUTOMOC OFF)
  target_include_directories(${{folder}}_tests_ref PRIVATE ${{CMAKE_CURRENT_SOURCE_DIR}})
  set(library tandel_control)
  {libraries}
  target_link_libraries(${{folder}}_tests_ref PRIVATE ${{library}} GTest::gtest GTest::gmock
                        GTest::gtest_main)
endforeach()
"""

# (name, pattern, replacement); each match of a pattern on a line is one candidate.
OPERATORS = [
    ("lt-to-le", r"(?<=\s)<(?=\s)", "<="),
    ("le-to-lt", r"(?<=\s)<=(?=\s)", "<"),
    ("gt-to-ge", r"(?<=\s)>(?=\s)", ">="),
    ("ge-to-gt", r"(?<=\s)>=(?=\s)", ">"),
    ("eq-to-ne", r"(?<=\s)==(?=\s)", "!="),
    ("ne-to-eq", r"(?<=\s)!=(?=\s)", "=="),
    ("and-to-or", r"(?<=\s)&&(?=\s)", "||"),
    ("or-to-and", r"(?<=\s)\|\|(?=\s)", "&&"),
    ("plus-to-minus", r"(?<=\s)\+(?=\s)", "-"),
    ("minus-to-plus", r"(?<=\s)-(?=\s)", "+"),
    ("one-more", r"(?<=[\s(\[])1(?=[\s;)\],])", "2"),
    ("one-less", r"(?<=[\s(\[])1(?=[\s;)\],])", "0"),
    ("zero-to-one", r"(?<=[\s(\[])0(?=[\s;)\],])", "1"),
    ("true-to-false", r"\btrue\b", "false"),
    ("false-to-true", r"\bfalse\b", "true"),
    ("increment-to-decrement", r"\+\+", "--"),
    ("negate-if", r"\bif \((.+)\) \{$", r"if (!(\1)) {"),
    ("swap-arguments", r"\(([a-z][A-Za-z0-9_]*), ([a-z][A-Za-z0-9_]*)\)", r"(\2, \1)"),
]
# A whole statement: a call or an assignment on one line.
DROPPABLE = re.compile(r"^\s+(?!return\b|break\b|continue\b|case\b|default\b)"
                       r"[A-Za-z_][A-Za-z0-9_:.\->\[\]]*(\(.*\)| [+\-*/|&]?= .*);$")


def code_part(line):
    """The line without a trailing // comment; None for lines not worth mutating."""
    stripped = line.strip()
    if not stripped or stripped.startswith(("//", "*", "/*", "#", "static_assert")):
        return None
    cut = line.find("//")
    return line if cut < 0 else line[:cut]


def in_string(text, position):
    return text.count('"', 0, position) % 2 == 1 or text.count("'", 0, position) % 2 == 1


def candidates(root):
    found = []
    for folder in CORE:
        directory = os.path.join(root, "src", folder)
        for name in sorted(os.listdir(directory)):
            if not name.endswith(".cpp"):
                continue
            path = os.path.join("src", folder, name)
            with open(os.path.join(root, path), encoding="utf-8") as handle:
                lines = handle.read().split("\n")
            for number, line in enumerate(lines):
                code = code_part(line)
                if code is None:
                    continue
                for label, pattern, replacement in OPERATORS:
                    for match in re.finditer(pattern, code):
                        if in_string(code, match.start()):
                            continue
                        mutated = code[:match.start()] + match.expand(replacement) + code[match.end():]
                        found.append((path, number, label, line, mutated + line[len(code):]))
                if DROPPABLE.match(code) and '"' not in code:
                    found.append((path, number, "drop-statement", line,
                                  re.match(r"^\s*", line).group(0) + ";"))
    return found


def run(command, cwd, timeout, log):
    try:
        done = subprocess.run(command, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                              timeout=timeout)
    except subprocess.TimeoutExpired:
        log.write(f"  timed out: {' '.join(command)}\n")
        return None
    return done.returncode


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--count", type=int, default=150)
    parser.add_argument("--seed", type=int, default=22)
    parser.add_argument("--work", default="/tmp/tandel-mutants")
    parser.add_argument("--list", action="store_true", help="print the sample and stop")
    parser.add_argument("--log", default=None)
    parser.add_argument("--against", metavar="REF", help="also run the core tests of REF")
    args = parser.parse_args()
    # A shell's background job starts with SIGINT ignored, and the tests'
    # children would inherit that; they get the usual disposition instead.
    signal.signal(signal.SIGINT, signal.default_int_handler)

    root = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
    tree = os.path.join(args.work, "tree")
    build = os.path.join(args.work, "build")
    pool = candidates(root)
    sample = random.Random(args.seed).sample(pool, min(args.count, len(pool)))
    sample.sort(key=lambda m: (m[0], m[1], m[2]))
    if args.list:
        for path, number, label, _, mutated in sample:
            print(f"{path}:{number + 1}: {label}: {mutated.strip()}")
        return 0

    os.makedirs(args.work, exist_ok=True)
    # Files are copied only where they differ from the scratch copy, with a
    # fresh time, so that a mutant left behind by a stopped run is rebuilt.
    tracked = subprocess.check_output(["git", "ls-files", "-co", "--exclude-standard"], cwd=root,
                                      text=True).split("\n")
    for name in filter(None, tracked):
        source = os.path.join(root, name)
        copy = os.path.join(tree, name)
        if not os.path.isfile(source):
            continue
        if os.path.isfile(copy):
            with open(source, "rb") as a, open(copy, "rb") as b:
                if a.read() == b.read():
                    continue
        os.makedirs(os.path.dirname(copy), exist_ok=True)
        shutil.copyfile(source, copy)
    # A file removed from the sources leaves the scratch copy too.
    kept = set(filter(None, tracked))
    for folder, _, names in os.walk(tree):
        for name in names:
            relative = os.path.relpath(os.path.join(folder, name), tree)
            if relative not in kept and not relative.startswith("tests_ref" + os.sep):
                os.remove(os.path.join(folder, name))
    marker = os.path.join(args.work, "mutating")
    if os.path.exists(marker):  # the file a stopped run had mutated: rebuilt from its source
        with open(marker, encoding="utf-8") as handle:
            os.utime(os.path.join(tree, handle.read().strip()))
        os.remove(marker)
    if os.path.exists(os.path.join(tree, "tests_ref")):
        shutil.rmtree(os.path.join(tree, "tests_ref"))
    for folder in CORE:
        listing = os.path.join(tree, "src", folder, "CMakeLists.txt")
        with open(listing, encoding="utf-8") as handle:
            text = handle.read()
        with open(listing, "w", encoding="utf-8") as handle:
            handle.write(text.replace(" STATIC ", " SHARED "))
    suites = [("tests", "")]
    if args.against:
        reference = os.path.join(tree, "tests_ref")
        os.makedirs(reference)
        archive = subprocess.run(["git", "archive", args.against, "tests"], cwd=root,
                                 stdout=subprocess.PIPE, check=True).stdout
        subprocess.run(["tar", "-x", "--strip-components=1", "-C", reference], input=archive,
                       check=True)
        libraries = "\n  ".join(f'if(folder STREQUAL "{f}")\n    set(library {l})\n  endif()'
                                 for f, l in LIBRARY.items())
        with open(os.path.join(reference, "CMakeLists.txt"), "w", encoding="utf-8") as handle:
            handle.write(REFERENCE_CMAKE.format(folders=" ".join(CORE), libraries=libraries))
        with open(os.path.join(tree, "CMakeLists.txt"), encoding="utf-8") as handle:
            listed = "add_subdirectory(tests_ref)" in handle.read()
        if not listed:
            with open(os.path.join(tree, "CMakeLists.txt"), "a", encoding="utf-8") as handle:
                handle.write("\nadd_subdirectory(tests_ref)\n")
        suites.append(("tests_ref", "_ref"))
    log = open(args.log or os.path.join(args.work, "mutants.log"), "w", encoding="utf-8")
    subprocess.check_call(["cmake", "-S", tree, "-B", build, "-G", "Ninja",
                           "-DCMAKE_BUILD_TYPE=Release", "-DCMAKE_CXX_FLAGS_RELEASE=-O1 -DNDEBUG",
                           "-DCMAKE_POSITION_INDEPENDENT_CODE=ON",
                           "-DCMAKE_LINK_DEPENDS_NO_SHARED=ON",
                           # A mutant that only draws a warning is still a fault to find.
                           "-DTANDEL_WERROR=OFF",
                           "-DTANDEL_CORE_ONLY=ON", "-DTANDEL_BENCH=OFF"], stdout=subprocess.DEVNULL)
    jobs = str(os.cpu_count() or 2)
    programs = {}  # suite -> core folder -> program
    for folder_name, suffix in suites:
        programs[folder_name] = {
            f: os.path.join(build, "tests" if not suffix else folder_name, f + "_tests" + suffix)
            for f in CORE}
    targets = [os.path.basename(p) for suite in programs.values() for p in suite.values()]
    if run(["ninja", "-j", jobs] + targets, build, 3600, log) != 0:
        print("the unmutated tree does not build", file=sys.stderr)
        return 2
    for suite in programs.values():
        for program in suite.values():
            if run([program], build, 300, log) != 0 and run([program], build, 300, log) != 0:
                subprocess.run([program, "--gtest_brief=1"], cwd=build)
                print(f"{program} fails before any mutation", file=sys.stderr)
                return 2

    killed = {suite: 0 for suite in programs}
    survived = {suite: 0 for suite in programs}
    unbuilt = 0
    started = time.time()
    originals = {}
    for index, (path, number, label, line, mutated) in enumerate(sample, 1):
        target = os.path.join(tree, path)
        if path not in originals:
            for other, text in list(originals.items()):  # one file mutated at a time
                with open(os.path.join(tree, other), "w", encoding="utf-8") as handle:
                    handle.write(text)
                del originals[other]
            with open(target, encoding="utf-8") as handle:
                originals[path] = handle.read()
            with open(marker, "w", encoding="utf-8") as handle:
                handle.write(path)
        lines = originals[path].split("\n")
        lines[number] = mutated
        with open(target, "w", encoding="utf-8") as handle:
            handle.write("\n".join(lines))
        log.write(f"{path}:{number + 1}: {label}: {mutated.strip()}\n")
        folder = path.split("/")[1]
        library = LIBRARY.get(folder, "tandel_" + folder)
        if run(["ninja", "-j", jobs, library], build, 900, log) != 0:
            unbuilt += 1
            verdicts = ["does not build"]
        else:
            verdicts = []
            for suite, by_folder in programs.items():
                verdict = "survived"
                order = [by_folder[folder]] + [p for f, p in by_folder.items() if f != folder]
                for program in order:
                    status = run([program, "--gtest_brief=1"], build, 30, log)
                    if status != 0:
                        verdict = "killed by " + os.path.basename(program)
                        break
                if verdict == "survived":
                    survived[suite] += 1
                else:
                    killed[suite] += 1
                verdicts.append(f"{suite}: {verdict}")
        log.write("  " + "; ".join(verdicts) + "\n")
        log.flush()
        print(f"[{index}/{len(sample)}] {path}:{number + 1} {label}: {'; '.join(verdicts)}",
              flush=True)
    for other, text in originals.items():
        with open(os.path.join(tree, other), "w", encoding="utf-8") as handle:
            handle.write(text)
    if os.path.exists(marker):
        os.remove(marker)
    print(f"mutants: {len(sample)} (seed {args.seed}), {unbuilt} do not build, "
          f"{time.time() - started:.0f} s")
    for suite in programs:
        built = killed[suite] + survived[suite]
        score = 100.0 * killed[suite] / built if built else 0.0
        name = "today's tests" if suite == "tests" else f"tests of {args.against}"
        print(f"  {name}: {killed[suite]} killed, {survived[suite]} survived; score {score:.1f}%")
    return 0


if __name__ == "__main__":
    sys.exit(main())
