"""Regina's side of the enumeration comparison (run.sh): the transitive actions of
the group on k points up to relabelling, GroupPresentation.enumerateCovers(k).

The first call of a process also builds Regina's tables for permutations of k
points; it is timed on its own ("first", processor seconds), then the call is
repeated until min_seconds of processor time have passed (at least once).
Usage: regina_enumerate.py PRESENTATION k min_seconds
Prints: processor and wall seconds per call, the covers found and the first
call's seconds."""
import sys
import time

import regina


def presentation(path):
    lines = [line.split() for line in open(path) if line.strip()]
    n = int(lines[0][0])
    letters = "abcdefghijklmnopqrstuvwxyz"
    relators = ["".join(letters[int(g) - 1] if int(g) > 0 else letters[-int(g) - 1].upper()
                        for g in line) for line in lines[1:]]
    return regina.GroupPresentation(n, relators)


def main():
    group = presentation(sys.argv[1])
    k = int(sys.argv[2])
    min_seconds = float(sys.argv[3])
    start = time.process_time()
    covers = group.enumerateCovers(k, lambda subgroup: None)
    first = time.process_time() - start
    calls, cpu, wall = 0, 0.0, 0.0
    while calls == 0 or cpu < min_seconds:
        start, cpu_start = time.perf_counter(), time.process_time()
        covers = group.enumerateCovers(k, lambda subgroup: None)
        cpu += time.process_time() - cpu_start
        wall += time.perf_counter() - start
        calls += 1
    print(f"{cpu / calls:.9f} {wall / calls:.9f} covers={covers} first={first:.6f}")


main()
