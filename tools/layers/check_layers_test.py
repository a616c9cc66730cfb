#!/usr/bin/env python3
"""Self-test of check_layers.py: a tree that keeps the table passes, and each kind of wrong
include fails with its file and line named."""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
CHECK = os.path.join(HERE, "check_layers.py")
sys.path.insert(0, os.path.join(HERE, "..", "selftest"))
from source_tree import run_check  # noqa: E402


def run(files):
    return run_check(CHECK, files)


def main():
    good = {
        "records/codec.h": "#include <cstdint>\n",
        "world/map.cpp": '#include "records/codec.h"\n#include "platform/files.h"\n',
        "rules/melee.cpp": '#include "generation/dig.h"\n',
        "ai/sight.cpp": '#include "rules/melee.h"\n#include "generation/areas.h"\n',
        "ui/draw.cpp": '#include "rules/melee.h"\n',
        "main.cpp": '#include "ui/game_window.h"\n',
        "ui/game_window.h": "#include <SDL2/SDL.h>\n#include <vector>\n",
        "ui/menus.cpp": '#include "draw.h"\n#include "../world/map.h"\n',
    }
    failures = []
    code, out = run(good)
    if code != 0:
        failures.append(f"a sound tree was refused: {out}")
    wrong = [
        ("rules/scheduler.cpp", '#include "ui/draw.h"\n'),
        ("world/map.cpp", '#include "rules/melee.h"\n'),
        ("records/codec.cpp", '#include "platform/files.h"\n'),
        ("platform/window.cpp", '#include "world/globals.h"\n'),
        ("tools/stray.cpp", '#include "world/globals.h"\n'),
        ("rules/combat.cpp", '#include "../ui/draw.h"\n'),
        ("rules/damage.cpp", "#include <ui/draw.h>\n"),
        ("rules/melee.cpp", '#include "UI/draw.h"\n'),
        ("world/being.cpp", '#include "./../rules/melee.h"\n'),
        ("generation/dig.cpp", '#include "ai/sight.h"\n'),
        ("generation/dig.cpp", '#include "rules/melee.h"\n'),
        ("rules/melee.cpp", '#include "ai/sight.h"\n'),
    ]
    for path, text in wrong:
        code, out = run({**good, path: "// a line first\n" + text})
        if code == 0 or f"{path}:2:" not in out:
            failures.append(f"{path} including {text.strip()} was not refused: {out}")
    for failure in failures:
        print(failure)
    print(f"{len(wrong) + 1 - len(failures)} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
