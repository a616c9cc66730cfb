#!/usr/bin/env python3
"""Compares a committed catalog or record with a fresh one; on a difference prints the first
differing lines with their line numbers and how to accept the change.
Usage: compare.py COMMITTED FRESH REGENERATE-COMMAND"""
import difflib
import sys


def main():
    committed, fresh, regenerate = sys.argv[1], sys.argv[2], sys.argv[3]
    with open(committed, encoding="utf-8", errors="replace") as f:
        old = f.read().splitlines()
    with open(fresh, encoding="utf-8", errors="replace") as f:
        new = f.read().splitlines()
    if old == new:
        print(f"{committed}: unchanged ({len(old)} lines)")
        return 0
    matcher = difflib.SequenceMatcher(None, old, new, autojunk=False)
    shown = 0
    for tag, i1, i2, j1, j2 in matcher.get_opcodes():
        if tag == "equal":
            continue
        # The block header above the first difference says which seed and template it is in.
        header = next((old[k] for k in range(i1 - 1, -1, -1) if not old[k].startswith(" ")), None)
        if shown == 0 and header:
            print(f"first difference in: {header}")
        for k in range(i1, min(i2, i1 + 5)):
            print(f"- {committed}:{k + 1}: {old[k]}")
        for k in range(j1, min(j2, j1 + 5)):
            print(f"+ fresh:{k + 1}: {new[k]}")
        shown += 1
        if shown >= 3:
            break
    print(f"{committed} differs from what the build makes now ({len(old)} lines committed, {len(new)} now).")
    print(f"If the change is meant, regenerate with: {regenerate}, and say why in the commit message.")
    return 1


if __name__ == "__main__":
    sys.exit(main())
