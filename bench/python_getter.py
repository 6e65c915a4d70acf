#!/usr/bin/env python3
"""A property read from Python through the plexion package, beside its baseline in the same
run: a direct pybind11 binding of the same typed getter (CPlexionCtl::Name, built as
plexion_bench_direct next to the package in the build tree).

    PYTHONPATH=<build>/python python3 bench/python_getter.py [--max-ratio 3]

Prints nanoseconds per read of each and their ratio; with --max-ratio, exits 1 above it.
Each figure is the best of several repeats, so that a busy machine disturbs it less.
"""
import argparse
import sys
import timeit

import plexion
import plexion_bench_direct


def per_read_ns(statement, namespace, number=200_000, repeat=7):
    times = timeit.repeat(statement, globals=namespace, number=number, repeat=repeat)
    return min(times) / number * 1e9


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--max-ratio", type=float, help="fail when the ratio is above this")
    parser.add_argument("--app", default="Schedule", help="the application whose first tab is read")
    args = parser.parse_args()

    late = plexion.Dispatch("Plexion.GPlexion").AppTabs(args.app)[1]
    direct = plexion_bench_direct.first_tab(args.app)
    assert late.Name == direct.Name, (late.Name, direct.Name)

    namespace = {"late": late, "direct": direct}
    baseline = per_read_ns("direct.Name", namespace)
    bridged = per_read_ns("late.Name", namespace)
    ratio = bridged / baseline
    print("%-48s %8.1f ns" % ("DirectBindingNameGetter (pybind11, typed)", baseline))
    print("%-48s %8.1f ns" % ("PlexionNameGetter (GetIDsOfNames + Invoke)", bridged))
    print("ratio %.2f" % ratio)
    if args.max_ratio is not None and ratio > args.max_ratio:
        print("above the allowed ratio %.2f" % args.max_ratio, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
