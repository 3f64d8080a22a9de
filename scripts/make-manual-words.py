#!/usr/bin/env python3
"""Writes docs/manual/words.html, the user manual's list of the engine's words, from
data/keywords.dat (records of three lines: a mark and the word, the syntax, the
description; "!" marks a function, "." a variable, "#" a constant).

Run it again whenever data/keywords.dat changes:  scripts/make-manual-words.py
"""
import html
import pathlib

ROOT = pathlib.Path(__file__).resolve().parent.parent
SOURCE = ROOT / "data" / "keywords.dat"
TARGET = ROOT / "docs" / "manual" / "words.html"
KINDS = {"!": "Functions", ".": "Variables", "#": "Constants"}

# The key constants the studio adds to the list (src/code/keywords.cpp).
KEYS = ([f"vk_{d}" for d in range(10)] + [f"vk_{chr(c)}" for c in range(ord("a"), ord("z") + 1)]
        + [f"vk_f{n}" for n in range(1, 13)] + [f"vk_num{d}" for d in range(10)]
        + ["vk_add", "vk_alt", "vk_backspace", "vk_ctrl", "vk_decimal", "vk_delete", "vk_divide", "vk_down",
           "vk_end", "vk_enter", "vk_escape", "vk_home", "vk_insert", "vk_left", "vk_multiply", "vk_pagedown",
           "vk_pageup", "vk_pause", "vk_right", "vk_shift", "vk_space", "vk_subtract", "vk_tab", "vk_up"])


def records(text):
    lines = text.replace("\r\n", "\n").replace("\r", "\n").split("\n")
    for i in range(0, len(lines) - 2, 3):
        first = lines[i]
        if first[:1] in KINDS and len(first) > 1:
            yield KINDS[first[0]], first[1:], lines[i + 1], lines[i + 2]


def main():
    text = SOURCE.read_text(encoding="utf-8-sig")
    groups = {name: [] for name in KINDS.values()}
    for kind, word, syntax, description in records(text):
        if word.startswith("__"):
            continue  # the exported game's own set-up calls
        if word in KEYS:
            continue  # listed with the key constants below
        groups[kind].append((word, syntax, description))
    out = ["<!DOCTYPE html>", "<html lang='en'>", "<head>", "<meta charset='utf-8'>",
           "<title>The engine's words - Pondaro Game Maker</title>",
           "<link rel='stylesheet' href='manual.css'>", "</head>", "<body>",
           "<p class='nav'><a href='index.html'>User manual</a> &rsaquo; The engine's words</p>",
           "<h1>The engine's words</h1>",
           "<p>Every function, variable and constant the game engine offers to your code. The code "
           "editor colours these words and shows the syntax of the word at the caret in its help line. "
           "This page is made from <code>keywords.dat</code>, the list the studio itself reads.</p>",
           "<ul class='toc'>"]
    for name, entries in groups.items():
        out.append(f"<li><a href='#{name.lower()}'>{name}</a> ({len(entries)})</li>")
    out.append(f"<li><a href='#keys'>Key constants</a> ({len(KEYS)})</li></ul>")
    for name, entries in groups.items():
        out.append(f"<h2 id='{name.lower()}'>{name}</h2>")
        out.append("<table><tr><th>Word</th><th>Syntax</th><th>What it does</th></tr>")
        for word, syntax, description in sorted(entries, key=lambda e: e[0].lower()):
            out.append(f"<tr><td><code>{html.escape(word)}</code></td><td><code>{html.escape(syntax)}</code></td>"
                       f"<td>{html.escape(description)}</td></tr>")
        out.append("</table>")
    out.append("<h2 id='keys'>Key constants</h2>")
    out.append("<p>The key codes for the keyboard functions: letters and digits, function keys, the number "
               "pad and the named keys.</p><p class='keys'>")
    out.append(" ".join(f"<code>{k}</code>" for k in KEYS))
    out += ["</p>", "</body>", "</html>", ""]
    TARGET.write_text("\n".join(out), encoding="utf-8")
    print(f"{TARGET.relative_to(ROOT)}: {sum(len(e) for e in groups.values())} words and {len(KEYS)} key constants")


if __name__ == "__main__":
    main()
