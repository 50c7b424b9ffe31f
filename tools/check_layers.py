#!/usr/bin/env python3
"""Keeps the folders of src/ in their layers: a file may include a header of
its own folder or of a folder below it, never one above. Prints every upward
include with its file and fails when there is one.

Usage: check_layers.py SOURCE_DIR
"""
import pathlib
import re
import sys

# Lowest first.
LAYERS = ["res", "framework", "base", "link", "pointer", "calib", "pen", "diag",
          "props", "shell", "app"]

INCLUDE = re.compile(r'^\s*#\s*include\s+"([A-Za-z_]+)/[^"]+"')


def upward_includes(src):
    rank = {name: i for i, name in enumerate(LAYERS)}
    found = []
    for path in sorted(src.rglob("*")):
        if not path.is_file() or path.suffix not in (".h", ".cpp", ".rc"):
            continue
        relative = path.relative_to(src).as_posix()
        folder = relative.split("/")[0]
        if folder not in rank:
            continue
        text = path.read_text(encoding="utf-8", errors="replace")
        for number, line in enumerate(text.splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            target = match.group(1)
            if target not in rank:
                found.append(f"{relative}:{number}: includes unknown folder \"{target}\"")
            elif rank[target] > rank[folder]:
                found.append(f"{relative}:{number}: {folder} includes {line.strip()[8:].strip()}"
                             f" from {target}, a higher layer")
    return found


def main(argv):
    if len(argv) != 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    src = pathlib.Path(argv[1])
    if not src.is_dir():
        print(f"no source folder {src}", file=sys.stderr)
        return 2
    found = upward_includes(src)
    for line in found:
        print(line)
    if found:
        print(f"{len(found)} upward include(s); layers, lowest first: {' < '.join(LAYERS)}")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
