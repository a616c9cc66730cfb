#!/usr/bin/env python3
"""Finds routines in src/ whose bodies are not built: a body that is empty or only returns a
constant. A routine carrying the marker comment (see MARKER) is listed and passes, since the work
that builds it is planned; any other such body fails the check, unless ALLOWED names it with the
reason the game needs it to do nothing.
Usage: check_unbuilt.py [source-root]   (default: the src/ folder beside tools/)
"""
import os
import re
import sys

MARKER = "not built yet:"

# Routines that truly do nothing or answer a constant, each with why. Keyed by "folder/file:name".
ALLOWED = {
    "ai/fleeing.cpp:ai_spot_investigate_target":
        "spotting the player while investigating has no effect on the game; the walk goes on",
}

KEYWORDS = {"if", "for", "while", "switch", "catch", "return", "sizeof", "alignof", "decltype", "static_assert"}
CONSTANT = re.compile(
    r"^return\s*(?:-?\s*\d[\w.']*|true|false|nullptr|\"\"|\{\s*\}|std::nullopt|std::string\(\)|'.'|"
    r"std::string_view\(\)|\w+\{\s*\})?\s*;$"
)
DEFINITION = re.compile(r"([A-Za-z_~][\w:~]*)\s*\([^;{}]*\)\s*(?:const\s*)?(?:noexcept\s*)?(?:override\s*)?(?:final\s*)?$")


def blank_comments_and_strings(text):
    """The text with comments and the insides of string and character literals blanked (line
    breaks kept), and the marker comments' line numbers."""
    out, markers = [], set()
    i, n, line = 0, len(text), 1
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            end = text.find("\n", i)
            end = n if end < 0 else end
            if MARKER in text[i:end]:
                markers.add(line)
            out.append(" " * (end - i))
            i = end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            chunk = text[i:end]
            if MARKER in chunk:
                markers.add(line)
            out.append("".join(ch if ch == "\n" else " " for ch in chunk))
            line += chunk.count("\n")
            i = end
        elif c in "\"'":
            j = i + 1
            while j < n and text[j] != c:
                j += 2 if text[j] == "\\" else 1
            out.append(c + " " * (min(j, n) - i - 1) + c)
            i = j + 1
        else:
            if c == "\n":
                line += 1
            out.append(c)
            i += 1
    return "".join(out), markers


def minimal_bodies(path):
    """(line, name, marked) for every function definition whose body is empty or one constant
    return."""
    with open(path, encoding="utf-8", errors="replace") as f:
        text = f.read()
    code, markers = blank_comments_and_strings(text)
    found = []
    for m in re.finditer(r"\{", code):
        start = m.start()
        head = code[max(0, start - 400):start]
        head_line = head.split(";")[-1].split("}")[-1].split("{")[-1]
        d = DEFINITION.search(head_line.strip())
        if not d:
            continue
        name = d.group(1)
        short = name.split("::")[-1]
        if short in KEYWORDS or "=" in head_line or head_line.rstrip().endswith("]"):
            continue
        # Constructors (no return type before the name) and conversion operators are no routines.
        before = head_line.strip()[: head_line.strip().rfind(name)].split()
        before = [w for w in before if w not in ("explicit", "inline", "constexpr", "static", "virtual")]
        if not before or before[-1] == "operator":
            continue
        # The body up to its closing brace.
        depth, j = 0, start
        while j < len(code):
            if code[j] == "{":
                depth += 1
            elif code[j] == "}":
                depth -= 1
                if depth == 0:
                    break
            j += 1
        body = " ".join(code[start + 1:j].split())
        if body and not CONSTANT.match(body):
            continue
        # A constructor or destructor with nothing to do is no routine left unbuilt.
        parts = name.split("::")
        if short.startswith("~") or (len(parts) > 1 and parts[-1] == parts[-2]):
            continue
        first = code.count("\n", 0, start) + 1
        last = code.count("\n", 0, j) + 1
        head_first = first - head_line.count("\n")
        marked = any(head_first - 3 <= k <= last for k in markers)
        found.append((first, name, marked, body or "{}"))
    return found


def marker_lines(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        return [(n, line.strip()) for n, line in enumerate(f, 1) if MARKER in line]


def scan(src):
    listed, failing = [], []
    for folder, _, files in os.walk(src):
        for file in sorted(files):
            if not file.endswith((".cpp", ".h")):
                continue
            path = os.path.join(folder, file)
            rel = os.path.relpath(path, src).replace(os.sep, "/")
            for n, text in marker_lines(path):
                listed.append(f"{rel}:{n}: {text}")
            for line, name, marked, body in minimal_bodies(path):
                entry = f"{rel}:{line}: {name} {{ {body} }}"
                if marked:
                    continue
                if f"{rel}:{name}" not in ALLOWED:
                    failing.append(entry)
    return sorted(listed), sorted(failing)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    src = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "src")
    listed, failing = scan(src)
    for entry in listed:
        print(f"marked unbuilt: {entry}")
    for entry in failing:
        print(f"unbuilt and unmarked: {entry}")
    if failing:
        print(f"{len(failing)} routine(s) have an empty or constant body without the marker "
              f"'{MARKER}' or a reason in the allow-list of {os.path.relpath(__file__)}.")
        return 1
    print(f"{len(listed)} marked unbuilt routine(s); no unmarked empty or constant bodies")
    return 0


if __name__ == "__main__":
    sys.exit(main())
