#!/usr/bin/env bash
# Takes the user manual's pictures again from the real windows: builds the window tests,
# runs the ones that open every window on the sample projects (on a virtual display
# with a window manager, as the window tests run), and puts the pictures that
# docs/manual-windows.txt names into docs/manual/pictures/, stored as small PNGs.
#   scripts/make-manual-pictures.sh [BUILD_FOLDER]
# Then look at every picture before committing it.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
list=docs/manual-windows.txt
target=docs/manual/pictures

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target pondaro_gui_tests
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
PONDARO_SCREENSHOTS=$shots scripts/window-tests.sh "$build/tests/pondaro_gui_tests" \
  --gtest_filter='ManualPictures.*'

rm -rf "$target"
mkdir -p "$target"
# The third field of each line of the list is the picture's name.
pictures=$(grep -v '^[[:space:]]*\(#\|$\)' "$list" | awk -F'|' '{ gsub(/[[:space:]]/, "", $3); print $3 }' | sort -u)
# Debian's Python, which has the imaging library scripts/install-deps.sh installs.
/usr/bin/python3 - "$shots" "$target" $pictures <<'EOF'
# A window's picture holds few colours: with at most 256 it is stored with a palette,
# pixel for pixel the same; otherwise as it is, compressed as far as PNG goes.
import pathlib
import sys

from PIL import Image

shots, target = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
missing = []
for name in sys.argv[3:]:
    source = shots / name
    if not source.is_file():
        missing.append(name)
        continue
    picture = Image.open(source).convert("RGB")
    colours = picture.getcolors(256)
    if colours is not None:
        palette = Image.new("P", (1, 1))
        flat = [channel for _, colour in colours for channel in colour]
        palette.putpalette(flat + [0] * (768 - len(flat)))
        picture = picture.quantize(palette=palette, dither=Image.Dither.NONE)
    picture.save(target / name, optimize=True)
    print(f"{target / name}: {picture.width} x {picture.height}, {(target / name).stat().st_size // 1024} KiB")
if missing:
    sys.exit("no picture was taken of: " + ", ".join(missing))
EOF
