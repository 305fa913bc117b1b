#!/usr/bin/env python3
"""Prints, for each header named (paths from the source root given first), the system prefix it is
read behind when compiled on its own, one "<prefix> <header>" line each:

  framework  its first include leads, through the project's headers each of which begins with an
             include, to framework/core/fw_core.h while that begins with STRICT, NOMINMAX and
             windows.h (cmake/pch_framework_prefix.h)
  windows    that way to <windows.h> itself
  none       anything else: text before an include, or another system header first

Only comments, blank lines and #pragma once may come before a header's first include.
"""
import os
import re
import sys

INCLUDE = re.compile(r'#\s*include\s*([<"])([^>"]+)[>"]')


def first_line(path):
    """The first line of the file that is neither blank, a comment nor #pragma once."""
    in_comment = False
    with open(path, encoding="latin-1") as f:
        for line in f:
            s = line.strip()
            if in_comment:
                in_comment = "*/" not in s
                continue
            if s.startswith("/*"):
                in_comment = "*/" not in s
                continue
            if s and not s.startswith("//") and s != "#pragma once":
                return s
    return ""


# The lines framework/core/fw_core.h begins with, which cmake/pch_framework_prefix.h repeats.
FRAMEWORK_PREFIX = ["#ifndef STRICT", "#define STRICT", "#endif", "#ifndef NOMINMAX", "#define NOMINMAX",
                    "#endif", "#include <windows.h>"]


def begins_as_framework(path):
    lines = []
    with open(path, encoding="latin-1") as f:
        for line in f:
            s = line.strip()
            if s and not s.startswith("//") and s != "#pragma once":
                lines.append(s)
            if len(lines) == len(FRAMEWORK_PREFIX):
                break
    return lines == FRAMEWORK_PREFIX


def prefix(root, header):
    seen = set()
    while header not in seen:
        seen.add(header)
        if header == "framework/core/fw_core.h":
            return "framework" if begins_as_framework(os.path.join(root, header)) else "none"
        m = INCLUDE.match(first_line(os.path.join(root, header)))
        if not m:
            return "none"
        if m.group(1) == "<":
            return "windows" if m.group(2) == "windows.h" else "none"
        header = m.group(2)
        if not os.path.isfile(os.path.join(root, header)):
            return "none"
    return "none"


def main():
    root = sys.argv[1]
    for header in sys.argv[2:]:
        print(prefix(root, header), header)


if __name__ == "__main__":
    main()
