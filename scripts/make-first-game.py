#!/usr/bin/env python3
"""Writes the manual's "Your first game" page, docs/manual/first-game.html, from the
steps of the tutorial's window test (tests/gui/tutorial_test.cpp), which does each step in
the real windows: the page says what the test does. Each step's text is the raw string
delimited by "step" that opens its entry in the table there, taken in order.

    scripts/make-first-game.py           writes the page
    scripts/make-first-game.py --check   says whether the committed page is the one the steps make
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
STEPS = ROOT / "tests" / "gui" / "tutorial_test.cpp"
PAGE = ROOT / "docs" / "manual" / "first-game.html"

HEAD = """<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>Your first game - Pondaro Game Maker</title>
<link rel="stylesheet" href="manual.css">
<style>.picture img { image-rendering: pixelated; }</style>
</head>
<body>
<p class="nav"><a href="index.html">The user manual</a></p>
<h1>Your first game</h1>
<p>In this tutorial you make a small game in which a player walks along a path with the arrow keys
until a wall stops it with a bump. On the way you meet every kind of window you need for a game of your
own: sprites and the image editor, a sound, a background used as a set of tiles, objects with events,
and a scene. The pictures and the sound it uses are in the folder <code>tutorial</code> beside this page.</p>
<!-- Written by scripts/make-first-game.py from the steps of tests/gui/tutorial_test.cpp, which does
     every step in the studio's windows: change the steps there and run the script again. -->
<ol class="steps">
"""

TAIL = """</ol>
<p>From here, the rest of <a href="index.html">the manual</a> tells what each window can do, and
<a href="words.html">the engine's words</a> lists everything your code can use.</p>
</body>
</html>
"""


def steps(source):
    found = re.findall(r'\{R"step\((.*?)\)step"', source, re.S)
    if not found:
        raise SystemExit(f"no steps found in {STEPS}")
    return found


def page():
    items = "".join(f"<li>\n{text}\n</li>\n" for text in steps(STEPS.read_text(encoding="utf-8")))
    return HEAD + items + TAIL


def main():
    made = page()
    if sys.argv[1:] == ["--check"]:
        committed = PAGE.read_text(encoding="utf-8") if PAGE.exists() else ""
        if committed != made:
            print(f"{PAGE.relative_to(ROOT)} is not the page the tutorial's steps make: run scripts/make-first-game.py")
            return 1
        return 0
    if sys.argv[1:]:
        print(__doc__)
        return 2
    PAGE.write_text(made, encoding="utf-8", newline="\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
