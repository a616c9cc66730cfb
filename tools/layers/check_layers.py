#!/usr/bin/env python3
"""Fails when an #include in src/ crosses the layer table the wrong way.

The layers, bottom to top: records, platform, world, the generator, the rules, the AI, ui, and
main.cpp on top; a folder may include its own folder and the folders below it, nothing above.
The generator asks the rules for the beings it places, and the rules tell the creatures what
happened, through the world's table of services, installed by ui at start-up. Every spelling
counts: a relative "../x/...", an angle <x/...> or another case names the same folder as
"x/...". Run by the test command and CI.
Usage: check_layers.py [source-root]   (default: the src/ folder beside tools/)
"""
import os
import re
import sys

ALLOWED = {
    "records": set(),
    "platform": set(),
    "world": {"records", "platform"},
    "generation": {"records", "platform", "world"},
    "rules": {"records", "platform", "world", "generation"},
    "ai": {"records", "platform", "world", "generation", "rules"},
    "ui": {"records", "platform", "world", "rules", "generation", "ai"},
    "": {"ui"},  # src/main.cpp
}
# Any spelling of an include: "x/y.h", "../x/y.h", <x/y.h>, in any case.
INCLUDE = re.compile(r'^\s*#\s*include\s*(?:"([^"]+)"|<([^>]+)>)')


def named_folder(src, including_folder, written, quoted):
    """The src/ folder an include names ("" for main.cpp's level), or None when it names none
    (a system or library header). A quoted include is found beside the including file first, as
    the compiler does (a path opening with "." always is), then from src/; an angle include only
    from src/."""
    candidates = []
    beside = os.path.normpath(os.path.join(including_folder, written))
    if quoted and (written.startswith(".") or os.path.exists(beside)):
        candidates.append(beside)
    candidates.append(os.path.normpath(os.path.join(src, written)))
    folders = {name.lower(): name for name in os.listdir(src) if os.path.isdir(os.path.join(src, name))}
    for full in candidates:
        rel = os.path.relpath(full, src)
        if rel.startswith(".."):
            continue
        parts = rel.split(os.sep)
        if len(parts) == 1:
            if os.path.exists(full):
                return ""
            continue
        folder = parts[0].lower()
        if folder in folders:
            return folders[folder]
        if folder in ALLOWED:
            return folder
    return None


def violations(src):
    found = []
    for folder, _, files in os.walk(src):
        rel = os.path.relpath(folder, src)
        layer = "" if rel == "." else rel.split(os.sep)[0]
        for name in sorted(files):
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.join(folder, name)
            with open(path, encoding="utf-8", errors="replace") as f:
                for number, line in enumerate(f, 1):
                    m = INCLUDE.match(line)
                    if not m:
                        continue
                    quoted = m.group(1) is not None
                    target = named_folder(src, folder, m.group(1) or m.group(2), quoted)
                    if target is None or target == layer:
                        continue
                    if layer not in ALLOWED:
                        found.append(f"{path}:{number}: folder '{layer}' is not in the layer table")
                    elif target not in ALLOWED[layer]:
                        found.append(f"{path}:{number}: '{layer}' may not include '{target}/': {line.strip()}")
    return found


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    src = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "src")
    found = violations(src)
    for line in found:
        print(line)
    if found:
        print(f"{len(found)} include(s) break the layer table.")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
