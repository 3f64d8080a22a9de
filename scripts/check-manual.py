#!/usr/bin/env python3
"""Checks the user manual in docs/manual before it ships:

- every link and picture of every page leads to a file of the manual that exists, and a
  link to #anchor to an id that the page it names holds;
- nothing is fetched from the network (the manual is read offline, from the folder the
  studio runs in), and nothing leads out of the manual's folder;
- every page shares manual.css, leads back to the index, and is reached from the index;
- every window named in docs/manual-windows.txt has its page, which names the window by
  its caption and shows its picture; and every picture in pictures/ is shown somewhere;
- each caption of the list is the program's own: a text in the sources begins with it, so
  a window whose title changes sends its page back for a look.

  scripts/check-manual.py [MANUAL_FOLDER [WINDOW_LIST]]
Prints one line per fault and exits with 1 when there is any.
"""
import html.parser
import pathlib
import re
import sys
import urllib.parse

ROOT = pathlib.Path(__file__).resolve().parent.parent
NETWORK = re.compile(r"^[a-zA-Z][a-zA-Z0-9+.-]*:|^//")
CSS_URL = re.compile(r"url\(\s*['\"]?([^'\")]+)|@import\s+['\"]([^'\"]+)")


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.ids, self.links, self.pictures, self.stylesheets = set(), [], [], []
        self.text = []
        self.missing_alt = 0

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if "id" in a:
            self.ids.add(a["id"])
        if tag == "a" and "name" in a:
            self.ids.add(a["name"])
        for key in ("href", "src", "srcset", "data", "poster", "action"):
            if a.get(key) is not None:
                self.links.append((tag, a[key]))
        if tag == "img":
            self.pictures.append(a.get("src", ""))
            if not a.get("alt"):
                self.missing_alt += 1
        if tag == "link" and (a.get("rel") or "").lower() == "stylesheet":
            self.stylesheets.append(a.get("href", ""))

    def handle_data(self, data):
        self.text.append(data)


def read_windows(path):
    """(page, caption, picture) of every window: one line each, fields split by '|'."""
    windows = []
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        line = line.strip()
        if not line or line.startswith("#"):
            continue
        fields = [f.strip() for f in line.split("|")]
        if len(fields) != 3 or not all(fields):
            raise SystemExit(f"{path}:{number}: expected 'page | caption | picture'")
        windows.append((number, *fields))
    return windows


def source_texts(root):
    """Every source file of the programs, as one text."""
    return "\n".join(p.read_text(encoding="utf-8", errors="replace")
                     for p in sorted((root / "src").rglob("*")) if p.suffix in (".cpp", ".h"))


def check(manual, window_list, sources):
    faults = []
    manual = manual.resolve()
    pages = {}
    for file in sorted(manual.glob("*.html")):
        parser = Page()
        parser.feed(file.read_text(encoding="utf-8"))
        pages[file.name] = parser
    if "index.html" not in pages:
        return [f"{manual}: no index.html"]

    reached = set()
    for name, page in pages.items():
        for tag, link in page.links:
            where = f"{name}: <{tag}> {link!r}"
            if NETWORK.match(link):
                faults.append(f"{where} reaches outside the manual (it is read offline)")
                continue
            path, _, anchor = link.partition("#")
            path = urllib.parse.unquote(path)
            target = (manual / path).resolve() if path else manual / name
            if manual not in target.parents and target != manual:
                faults.append(f"{where} leads out of the manual's folder")
                continue
            if not target.is_file():
                faults.append(f"{where} names a file that does not exist")
                continue
            if target.suffix == ".html":
                if name == "index.html":
                    reached.add(target.name)
                if anchor and anchor not in pages.get(target.name, Page()).ids:
                    faults.append(f"{where}: {target.name} has no id {anchor!r}")
        if page.missing_alt:
            faults.append(f"{name}: {page.missing_alt} picture(s) without an alt text")
        if "manual.css" not in page.stylesheets:
            faults.append(f"{name}: does not use manual.css")
        if name != "index.html" and not any(l.partition("#")[0] == "index.html" for _, l in page.links):
            faults.append(f"{name}: has no way back to index.html")

    faults += [f"{name}: index.html does not lead to it" for name in pages if name not in reached | {"index.html"}]

    css = manual / "manual.css"
    if css.is_file():
        for match in CSS_URL.finditer(css.read_text(encoding="utf-8")):
            url = match.group(1) or match.group(2)
            if NETWORK.match(url) or not (manual / url).is_file():
                faults.append(f"manual.css: {url!r} is not a file of the manual")

    shown = set()
    for page in pages.values():
        shown.update(str((manual / p).resolve()) for p in page.pictures)
    for number, page_name, caption, picture in read_windows(window_list):
        where = f"{window_list.name}:{number}"
        page = pages.get(page_name)
        if page is None:
            faults.append(f"{where}: the window \"{caption}\" has no page {page_name}")
            continue
        if sources is not None and '"' + caption not in sources:
            faults.append(f"{where}: no window of the program is titled \"{caption}\"")
        if caption not in " ".join(" ".join(page.text).split()):
            faults.append(f"{where}: {page_name} never names the window \"{caption}\"")
        if ("pictures/" + picture) not in page.pictures:
            faults.append(f"{where}: {page_name} does not show pictures/{picture}")
    pictures = manual / "pictures"
    for picture in sorted(pictures.glob("*")) if pictures.is_dir() else []:
        if str(picture.resolve()) not in shown:
            faults.append(f"pictures/{picture.name} is shown on no page")
    return faults


def main():
    manual = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else ROOT / "docs" / "manual"
    window_list = pathlib.Path(sys.argv[2]) if len(sys.argv) > 2 else ROOT / "docs" / "manual-windows.txt"
    faults = check(manual, window_list, source_texts(ROOT) if (ROOT / "src").is_dir() else None)
    for fault in faults:
        print(fault)
    if faults:
        print(f"the manual has {len(faults)} fault(s)")
        return 1
    print(f"the manual's {len(list(manual.glob('*.html')))} pages hold together")
    return 0


if __name__ == "__main__":
    sys.exit(main())
