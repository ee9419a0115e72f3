#!/usr/bin/python3
"""The isotopy invariant of the 801 table knots: a Python loop over the module beside quarvel-cli's
list run over the same knots, each the median of 3 runs in a fresh process. Not part of make test.

    bench/python_isotopy.py [BUILD_DIR] [GROUP]    (build-py and s5 by default; BUILD_DIR
                                                    configured with -DQUARVEL_PYTHON=ON)

The loop simplifies every knot with effort 50, as the list run does, and the script checks that
both mark the same number of knots as not told apart.
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build-py"))
GROUP = sys.argv[2] if len(sys.argv) > 2 else "s5"
CLI = os.path.join(BUILD, "src", "quarvel-cli")
MODULE_DIR = os.path.join(BUILD, "python")
RUNS = 3

LOOP = """
import collections, quarvel, sys
keys = collections.Counter()
for line in open(sys.argv[1]):
    name, _, braid = line.partition(" ")
    if name.strip() == "end":
        break
    keys[quarvel.isotopy_invariant(quarvel.from_braid(braid.strip()), group=sys.argv[2], effort=50).key] += 1
print(sum(n for n in keys.values() if n > 1))
"""


def knot_list(folder):
    """knots801.txt as bench/peers/run.sh writes it: 'name {braid}' per table knot, then 'end'."""
    listing = subprocess.run([CLI, "knots"], capture_output=True, text=True, check=True).stdout.splitlines()[1:]
    path = os.path.join(folder, "knots801.txt")
    with open(path, "w") as out:
        for entry in listing:
            out.write(entry.split()[1] + " " + entry[entry.index("{"):] + "\n")
        out.write("end\n")
    return path


def timed(command, **kwargs):
    start = time.perf_counter()
    done = subprocess.run(command, capture_output=True, text=True, check=True, **kwargs)
    return time.perf_counter() - start, done.stdout


def cli_run(folder, knots):
    run = os.path.join(folder, "run.txt")
    with open(knots) as source, open(run, "w") as target:
        target.write(source.read())
    seconds, _ = timed([CLI, "isotopy", "--group", GROUP, "--save", "none", "--file", run], cwd=folder)
    with open(run) as result:
        repeated = sum(1 for line in result.read().split("\nend")[0].splitlines() if "Repeated!" in line)
    return seconds, repeated


def python_run(knots):
    environment = dict(os.environ, PYTHONPATH=MODULE_DIR)
    seconds, out = timed(["/usr/bin/python3", "-c", LOOP, knots, GROUP], env=environment)
    return seconds, int(out)


def main():
    with tempfile.TemporaryDirectory() as folder:
        knots = knot_list(folder)
        cli_runs = [cli_run(folder, knots) for _ in range(RUNS)]
        python_runs = [python_run(knots) for _ in range(RUNS)]
    cli_median = statistics.median(seconds for seconds, _ in cli_runs)
    python_median = statistics.median(seconds for seconds, _ in python_runs)
    print(f"{GROUP} over 801 knots, median of {RUNS}:")
    print(f"  quarvel-cli list run  {cli_median:8.2f} s  ({', '.join(f'{s:.2f}' for s, _ in cli_runs)})")
    print(f"  Python loop           {python_median:8.2f} s  ({', '.join(f'{s:.2f}' for s, _ in python_runs)})")
    print(f"  ratio Python / CLI    {python_median / cli_median:8.2f}")
    print(f"  knots not told apart: CLI {cli_runs[0][1]}, Python {python_runs[0][1]}")
    if cli_runs[0][1] != python_runs[0][1]:
        sys.exit("the two runs disagree")


if __name__ == "__main__":
    main()
