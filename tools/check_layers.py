#!/usr/bin/env python3
"""Fails when an #include points against the layers' arrows.

The program's folders are its layers. Each may include its own headers and
those of the layers below it, never one above it or beside it:

    app -> tuner | positioner | record -> graph -> sink -> filterbase -> platform
    graph -> process -> platform
    runtime -> filterbase, platform
    sim, dvb -> runtime, filterbase, platform

Only the program's main, tools, benchmarks, fuzz targets and tests see the
machines (runtime/, sim/, dvb/); tests see everything.

    check_layers.py [ROOT] [--plant FILE:HEADER]

--plant adds one include of HEADER to FILE before checking, as if it were
written there: the build's own test of this check plants an upward include and
expects it to be named.
Exit status: 0 when every include follows the arrows, 3 when one does not,
2 on a usage error.
"""
import os
import re
import sys

BELOW_GRAPH = {"sink", "filterbase", "platform", "process"}
PAGE = {"graph"} | BELOW_GRAPH
ALLOWED = {
    "platform": set(),
    "filterbase": {"platform"},
    "sink": {"filterbase", "platform"},
    "process": {"platform"},
    "graph": BELOW_GRAPH,
    "tuner": PAGE,
    "positioner": PAGE,
    "record": PAGE,
    "app": {"tuner", "positioner", "record"} | PAGE,
    "runtime": {"filterbase", "platform"},
    "sim": {"runtime", "filterbase", "platform"},
    "dvb": {"runtime", "filterbase", "platform"},
}
# Files that start the program or stand outside it: they may see every layer.
UNRESTRICTED_FILES = {"app/main.cpp"}
UNRESTRICTED_FOLDERS = {"tests", "tools", "bench", "fuzz"}
SOURCE = re.compile(r"\.(h|hpp|cpp|cxx|cc)$")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def layer_of(path):
    return path.split("/", 1)[0]


def violations(root, planted):
    found = []
    for folder, subfolders, files in os.walk(root):
        subfolders[:] = sorted(d for d in subfolders if not d.startswith(".") and d != "build")
        for name in sorted(files):
            if not SOURCE.search(name):
                continue
            path = os.path.relpath(os.path.join(folder, name), root).replace(os.sep, "/")
            layer = layer_of(path)
            if layer not in ALLOWED or path in UNRESTRICTED_FILES:
                continue
            with open(os.path.join(folder, name), encoding="utf-8", errors="replace") as f:
                includes = INCLUDE.findall(f.read())
            includes += planted.get(path, [])
            for header in includes:
                target = layer_of(header)
                if "/" not in header or target == layer:
                    continue
                if target in ALLOWED or target in UNRESTRICTED_FOLDERS:
                    if target not in ALLOWED[layer]:
                        found.append((path, header, layer, target))
    return found


def main(argv):
    root = "."
    planted = {}
    args = iter(argv)
    for arg in args:
        if arg == "--plant":
            spec = next(args, "")
            if ":" not in spec:
                print("usage: check_layers.py [ROOT] [--plant FILE:HEADER]", file=sys.stderr)
                return 2
            file, header = spec.split(":", 1)
            planted.setdefault(file, []).append(header)
        else:
            root = arg
    found = violations(root, planted)
    for path, header, layer, target in found:
        print(f'{path}: includes "{header}": {layer}/ may not see {target}/')
    if found:
        print(f"check_layers: {len(found)} include(s) against the layers' arrows")
        return 3
    print("check_layers: every include follows the layers' arrows")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
