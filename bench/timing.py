"""Timing shared by the benchmark scripts: one run's wall and CPU seconds, and
the medians of two commands run in turn."""
import os
import statistics
import subprocess
import sys
import time


def timed(command, env, remove=None):
    """Wall and CPU (user + system) seconds of one run, and its exit code;
    `remove`, a file the run writes, is deleted first."""
    if remove and os.path.exists(remove):
        os.remove(remove)
    before = os.times()
    start = time.perf_counter()
    code = subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                          env=env).returncode
    wall = time.perf_counter() - start
    after = os.times()
    cpu = (after.children_user - before.children_user) + (after.children_system - before.children_system)
    return wall, cpu, code


def interleaved_medians(ours, peer, rounds, env, remove=None):
    """Median wall and CPU seconds of `ours` and of `peer`, run in turn
    `rounds` times; exits when `ours` fails."""
    runs = {"ours": [], "peer": [], "ours cpu": [], "peer cpu": []}
    for _ in range(rounds):
        wall, cpu, code = timed(ours, env, remove)
        if code != 0:
            sys.exit(f"{' '.join(ours[:3])} ... failed with exit code {code}")
        runs["ours"].append(wall)
        runs["ours cpu"].append(cpu)
        wall, cpu, _ = timed(peer, env, remove)
        runs["peer"].append(wall)
        runs["peer cpu"].append(cpu)
    return {name: statistics.median(values) for name, values in runs.items()}
