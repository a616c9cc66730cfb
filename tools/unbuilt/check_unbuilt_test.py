#!/usr/bin/env python3
"""Self-test of check_unbuilt.py: a constant or empty body fails with its file, line and name; a
marked body is listed and passes; an allow-listed body, a built body, a constructor and a getter
pass."""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
CHECK = os.path.join(HERE, "check_unbuilt.py")
sys.path.insert(0, os.path.join(HERE, "..", "selftest"))
from source_tree import run_check  # noqa: E402

SOUND = {
    "ai/fleeing.cpp": "namespace dravok {\nbool ai_spot_investigate_target(int) {\n    return false;\n}\n}\n",
    "world/map.cpp": (
        "namespace dravok {\n"
        "int cells(int x) {\n    if (x > 2) return 1; // {\n    return x * 2;\n}\n"
        "tmap::tmap() {}\n"
        "struct tbox {\n    int w;\n    int width() const { return w; }\n    tbox() {}\n};\n"
        "// not built yet: the rest of the map\nint map_rest() {\n    return 0;\n}\n"
        "}\n"
    ),
}


def run(files):
    return run_check(CHECK, files)


def main():
    failures = []
    code, out = run(SOUND)
    if code != 0 or "marked unbuilt: world/map.cpp:" not in out or "map_rest" in out.split("marked")[0]:
        failures.append(f"a sound tree was refused or its marked routine not listed: {out}")
    wrong = [
        ("rules/melee.cpp", "int melee_bonus(int being) {\n    return -1;\n}\n", "melee_bonus"),
        ("ui/panels.cpp", "void clear_panels() {}\n", "clear_panels"),
        ("world/text.h", 'inline std::string_view title(int) { return ""; }\n', "title"),
        ("ai/sight.cpp", "bool can_see(int, int) /* for now */ {\n    return true; // all\n}\n", "can_see"),
    ]
    for path, text, name in wrong:
        code, out = run({**SOUND, path: "// a line first\n" + text})
        if code == 0 or f"{path}:2: {name}" not in out:
            failures.append(f"{path}: {name} was not refused: {out}")
    for failure in failures:
        print(failure)
    print(f"{len(wrong) + 1 - len(failures)} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
