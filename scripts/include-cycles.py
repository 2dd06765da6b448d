#!/usr/bin/env python3
"""Reports include circles between the files of one folder.

A header and its source file are one unit; a source file without a header of
its own (main_frame_commands.cpp) belongs to the unit whose name begins its
own. Exit 1 and the circles when there are any, else exit 0.
usage: include-cycles.py ROOT FOLDER   e.g. include-cycles.py . app/qt
"""
import os
import re
import sys


def units_of(root, folder):
    path = os.path.join(root, folder)
    files = [f for f in os.listdir(path) if f.endswith((".h", ".cpp"))]
    headers = {f[:-2] for f in files if f.endswith(".h")}

    def unit(stem):
        if stem in headers:
            return stem
        owners = [h for h in headers if stem.startswith(h + "_")]
        return max(owners, key=len) if owners else stem

    pattern = re.compile(r'#include "' + re.escape(folder) + r'/(\w+)\.h"')
    edges = {}
    for f in files:
        u = unit(f.rsplit(".", 1)[0])
        edges.setdefault(u, set())
        with open(os.path.join(path, f), encoding="utf-8") as source:
            for line in source:
                m = pattern.match(line)
                if m and unit(m.group(1)) != u:
                    edges[u].add(unit(m.group(1)))
    return edges


def circles(edges):
    found = set()

    def walk(u, stack):
        for v in sorted(edges.get(u, ())):
            if v in stack:
                ring = stack[stack.index(v):]
                start = ring.index(min(ring))
                found.add(tuple(ring[start:] + ring[:start]))
            else:
                walk(v, stack + [v])

    for u in sorted(edges):
        walk(u, [u])
    return sorted(found)


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    edges = units_of(sys.argv[1], sys.argv[2])
    found = circles(edges)
    for ring in found:
        print(" -> ".join(ring + (ring[0],)))
    print(f"{len(edges)} units, {len(found)} circles")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
