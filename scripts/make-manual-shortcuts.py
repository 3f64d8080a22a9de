#!/usr/bin/env python3
"""Writes docs/manual/shortcuts.html, the manual's page of menus and keyboard shortcuts,
from the menu tables the windows themselves are built from:

  src/app/main_menu.cpp                 the main window's menu bar
  src/sprites/frames_editor_commands.cpp  the frames editor's menu bar
  src/sprites/ui/image_editor_window.cpp  the image editor's File menu
  src/extmaker/ui/maker_frame.cpp         the extension maker's File menu

Every entry that has a shortcut needs a line in WHAT_IT_DOES below; an entry without
one stops the script, so that a new command cannot reach the menus unexplained.

  scripts/make-manual-shortcuts.py          writes the page
  scripts/make-manual-shortcuts.py --check  fails when the page differs from the tables
"""
import html
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
TARGET = ROOT / "docs" / "manual" / "shortcuts.html"

# (page anchor, heading, source file, the window's manual page, how entries are written,
# whether entries without a shortcut are listed too)
WINDOWS = [
    ("main", "The main window", "src/app/main_menu.cpp", "index.html#window", "table", True),
    ("frames", "Edit sprite frames", "src/sprites/frames_editor_commands.cpp", "frames-editor.html", "table", False),
    ("image", "Image editor", "src/sprites/ui/image_editor_window.cpp", "image-editor.html", "captions", False),
    ("extmaker", "Pondaro Extension Maker", "src/extmaker/ui/maker_frame.cpp", "extension-maker.html", "captions",
     False),
]

# A table row: {"Menu", C::Command, "Caption\tShown keys", "Keys", separator}
TABLE_ROW = re.compile(r'\{\s*"([^"]+)"\s*,\s*C::\w+\s*,\s*"((?:[^"\\]|\\.)*)"\s*,\s*"([^"]*)"')
# A caption with its shortcut after a tab, as the image editor and the extension maker write them.
CAPTION = re.compile(r'"([^"\\]+)\\t([^"\\]+)"')

WHAT_IT_DOES = {
    ("main", "New"): "Starts an empty project (asks first when there are unsaved changes).",
    ("main", "Open..."): "Opens a stored project. The list shows each project's picture, when it has one, "
                         "and when it was last saved.",
    ("main", "Merge with an existing game..."): "Adds the resources of another project to the open one. "
                         "Resources whose names are taken are renamed, and a window lists the new names.",
    ("main", "Save"): "Saves the project and writes the game into its folder; a project without a name asks "
                      "for one first. Only the frame pictures, sounds and backgrounds that changed since the "
                      "project was opened or last saved are written again, and so is any of them that was "
                      "changed, replaced or removed outside the studio.",
    ("main", "Save as..."): "Saves the project under a new name. When the name belongs to another stored "
                            "project, the studio asks \u201cA project named name already exists. Replace "
                            "it?\u201d first.",
    ("main", "Run game"): "Saves, writes the game and opens it in your web browser. When the browser cannot be "
                          "started, the studio names the page so that you can open it yourself.",
    ("main", "Preferences..."): "Opens the preferences.",
    ("main", "Exit"): "Ends the studio. With unsaved changes it asks whether to save them first; without, it "
                      "asks \u201cExit from Pondaro Game Maker?\u201d unless switched off in the preferences. "
                      "In a text field, such as the filter of the resource pages, it cuts the selected text "
                      "instead.",
    **{("main", f"Add new {kind}"): f"Adds {'an' if kind[0] in 'aeiou' else 'a'} {kind} and opens its window."
       for kind in ("sprite", "sound", "music", "background", "font", "object", "scene", "function")},
    ("main", "Help"): "Opens this manual.",
    ("main", "About"): "Shows the studio's version.",
    ("main", "Check program version..."): "Asks the product's web site whether a newer version has been "
                                          "released, and always says what came of it. The studio can be "
                                          "used meanwhile.",
    ("frames", "New..."): "Starts the sprite again with one empty frame of the size you give.",
    ("frames", "Add new frame from file..."): "Adds a picture (PNG, JPEG or BMP) as a new frame at the end.",
    ("frames", "Save as PNG image..."): "Writes the frames side by side into one picture.",
    ("frames", "Duplicate frame"): "Adds a copy of the current frame at the end.",
    ("frames", "Move frame left"): "Moves the current frame one place to the left.",
    ("frames", "Move frame right"): "Moves the current frame one place to the right.",
    ("frames", "Edit current frame"): "Opens the image editor on the current frame.",
    ("frames", "Delete current frame"): "Removes the current frame.",
    ("image", "New..."): "Empties the frame, after a question.",
    ("image", "Open..."): "Replaces the frame by a picture, resized to the frame.",
    ("image", "Save as PNG image..."): "Writes the frame to a PNG file.",
    ("image", "Done"): "Closes the image editor.",
    ("extmaker", "New"): "Empties the fields for a new extension, after a question.",
    ("extmaker", "Open..."): "Opens an extension file from the Extensions folder.",
    ("extmaker", "Save"): "Writes the extension file (asks for its name the first time).",
    ("extmaker", "Exit"): "Ends the extension maker, after a question.",
}


def entries(window, source, style, every):
    """The (menu, caption, keys) of every entry of a window that has a shortcut (or of
    every entry)."""
    text = (ROOT / source).read_text(encoding="utf-8")
    found = []
    if style == "table":
        for menu, caption, keys in TABLE_ROW.findall(text):
            if keys or every:
                found.append((menu, caption.split("\\t")[0], keys))
    else:
        for caption, keys in CAPTION.findall(text):
            found.append(("File", caption, keys.replace(" ", "")))
    if not found:
        sys.exit(f"make-manual-shortcuts: no menu entries found in {source}")
    for _, caption, _ in found:
        if (window, caption) not in WHAT_IT_DOES:
            sys.exit(f"make-manual-shortcuts: {source}: \"{caption}\" needs a line in WHAT_IT_DOES")
    return found


def kbd(keys):
    return "+".join(f"<kbd>{html.escape(k)}</kbd>" for k in keys.split("+")) if keys else ""


def page():
    out = ["<!DOCTYPE html>", "<html lang='en'>", "<head>", "<meta charset='utf-8'>",
           "<title>Menus and keyboard shortcuts - Pondaro Game Maker</title>",
           "<link rel='stylesheet' href='manual.css'>", "</head>", "<body>",
           "<p class='nav'><a href='index.html'>User manual</a> &rsaquo; "
           "<a href='index.html#studio'>The studio</a> &rsaquo; Menus and keyboard shortcuts</p>",
           "<h1>Menus and keyboard shortcuts</h1>",
           "<p>The main window's menus, and the keys that do the same as the menu entries of every window. "
           "This page is made from the menus' own tables, so it lists exactly what the windows offer.</p>",
           "<ul class='toc'>"]
    for anchor, heading, *_ in WINDOWS:
        out.append(f"<li><a href='#{anchor}'>{html.escape(heading)}</a></li>")
    out.append("</ul>")
    for anchor, heading, source, manual_page, style, every in WINDOWS:
        out.append(f"<h2 id='{anchor}'>{html.escape(heading)}</h2>")
        out.append(f"<p>See <a href='{manual_page}'>the page of this window</a>.</p>")
        out.append("<table><tr><th>Menu entry</th><th>Keys</th><th>What it does</th></tr>")
        for menu, caption, keys in entries(anchor, source, style, every):
            out.append(f"<tr><td>{html.escape(menu)} &rsaquo; {html.escape(caption)}</td><td>{kbd(keys)}</td>"
                       f"<td>{html.escape(WHAT_IT_DOES[(anchor, caption)])}</td></tr>")
        out.append("</table>")
    out += ["</body>", "</html>", ""]
    return "\n".join(out)


def main():
    text = page()
    if sys.argv[1:] == ["--check"]:
        if not TARGET.exists() or TARGET.read_text(encoding="utf-8") != text:
            sys.exit(f"{TARGET.relative_to(ROOT)} differs from the menu tables: run scripts/make-manual-shortcuts.py")
        return
    TARGET.write_text(text, encoding="utf-8")


if __name__ == "__main__":
    main()
