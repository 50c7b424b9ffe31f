#!/usr/bin/env python3
"""Counts the lines of code in the folders named (default: src tests tools):
non-blank lines that are not comments (// and /* */ in C++ and resource
scripts, # in shell, Python and CMake). Pictures, documents, help pages and
captured board data are not code and are not counted.

Usage: scripts/count_lines.py [FOLDER ...]
"""
import os
import sys

C_LIKE = {".cpp", ".h", ".c", ".rc"}
HASH = {".sh", ".py", ".txt", ".cmake", ""}
NOT_CODE = {".ico", ".cur", ".bmp", ".png", ".avi", ".md", ".pen", ".html", ".css",
            ".conf", ".manifest"}


def count(path):
    ext = os.path.splitext(path)[1]
    n, in_block = 0, False
    with open(path, encoding="utf-8", errors="replace") as f:
        for line in f:
            s = line.strip()
            if not s:
                continue
            if ext in C_LIKE:
                if in_block:
                    in_block = "*/" not in s
                    continue
                if s.startswith("//"):
                    continue
                if s.startswith("/*"):
                    in_block = "*/" not in s
                    continue
            elif ext in HASH and s.startswith("#") and not s.startswith("#!"):
                continue
            n += 1
    return n


def main(folders):
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    totals = {}
    for folder in folders:
        total = 0
        for d, _, files in os.walk(os.path.join(root, folder)):
            total += sum(count(os.path.join(d, f)) for f in files
                         if os.path.splitext(f)[1] not in NOT_CODE)
        totals[folder] = total
        print(f"{folder:8} {total:6}")
    if "src" in totals and "tests" in totals:
        print(f"tests/src {100 * totals['tests'] / totals['src']:.0f}%")


if __name__ == "__main__":
    main(sys.argv[1:] or ["src", "tests", "tools"])
