#!/usr/bin/env bash
# The studio installed into a temporary prefix and started the way a desktop starts it:
# the launcher prepares the user's studio folder (a temporary HOME) and opens the
# studio's window on a virtual display; a second start refreshes the engine template
# and keeps the user's projects; a project named on the command line or double-clicked
# (its file's path) opens, and builds its game with the installed engine; a project file gets the studio's own type and another XML
# file does not; Help finds the installed manual.
# On a virtual display with a window manager, as the window tests run:
#   scripts/window-tests.sh tests/install/run.sh BUILD_FOLDER   (the programs built there)
set -uo pipefail
build=$(realpath "${1:?usage: run.sh BUILD_FOLDER}")
for tool in xdotool xdg-mime mimetype; do
  command -v "$tool" >/dev/null || { echo "install test: $tool is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
done

work=$(mktemp -d)
studio_pid=
stop() {
  [[ -n "$studio_pid" ]] || return 0
  kill "$studio_pid" 2>/dev/null
  wait "$studio_pid" 2>/dev/null
  studio_pid=
}
trap 'stop; rm -rf "$work"' EXIT
passed=0 failed=0
check() {
  local what=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $what" >&2
  fi
}
# Starts a program in the background (in the given folder); its window is waited for.
start() {
  local folder=$1
  shift
  (cd "$folder" && exec "$@") >>"$work/studio.log" 2>&1 &
  studio_pid=$!
}
window() {
  for _ in $(seq 300); do
    xdotool search --name "$1" >/dev/null 2>&1 && return 0
    kill -0 "$studio_pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}
same_file() { [[ -f "$2" && ! -L "$2" ]] && cmp -s "$1" "$2"; }
tree_sum() { (cd "$1" && find . -type f -print0 | sort -z | xargs -0 md5sum); }

prefix=$work/prefix
share=$prefix/share/pondaro
if ! cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
  cat "$work/install.log" >&2
  echo "install test: the install into $prefix failed" >&2
  exit 1
fi
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
unset XDG_CURRENT_DESKTOP
mkdir -p "$HOME"
studio=$HOME/Pondaro
empty_studio='^Pondaro Game Maker v[0-9.]+$'

# The first start lays out the studio folder.
start "$work" "$prefix/bin/pondaro"
check "the launcher opens the studio's window" window "$empty_studio"
stop
check "the studio folder has a copy of export.js" same_file "$share/export.js" "$studio/export.js"
check "the studio folder has a copy of keywords.dat" same_file "$share/keywords.dat" "$studio/keywords.dat"
check "the studio folder has an Extensions folder" test -d "$studio/Extensions"
samples=0
for xml in "$share"/samples/Projects/*.xml; do
  name=$(basename "$xml" .xml)
  samples=$((samples + 1))
  check "the sample $name is in Projects/" same_file "$xml" "$studio/Projects/$name.xml"
  check "the sample $name has its media" test -d "$studio/Projects/$name"
done
check "samples are installed" test "$samples" -gt 0

# The user's own work: a project of theirs, a changed sample, a deleted sample.
cp "$studio/Projects/bricks.xml" "$studio/Projects/mine.xml"
echo "<!-- changed -->" >>"$studio/Projects/bricks.xml"
rm -rf "$studio/Projects/shooter.xml" "$studio/Projects/shooter"
projects_before=$(tree_sum "$studio/Projects")
# A newer engine template is installed.
echo "// a newer engine" >>"$share/export.js"
touch -d "+10 seconds" "$share/export.js"
start "$work" "$prefix/bin/pondaro"
check "the second start opens the studio's window" window "$empty_studio"
stop
check "a newer installed export.js is copied again" same_file "$share/export.js" "$studio/export.js"
check "the user's projects are kept as they were" test "$projects_before" = "$(tree_sum "$studio/Projects")"

# A project named on the command line, and a double-clicked project file of another
# folder, which the studio works in then.
start "$studio" "$prefix/bin/PondaroMaker" bricks
check "PondaroMaker NAME opens the project" window ' - bricks$'
stop
mkdir -p "$work/stick/Projects"
cp -r "$share/samples/Projects/platformer.xml" "$share/samples/Projects/platformer" "$work/stick/Projects/"
start "$work" "$prefix/bin/pondaro" "$work/stick/Projects/platformer.xml"
check "a double-clicked project file opens" window ' - platformer$'
check "the studio works in the folder above Projects/" compgen -G "$work/stick/_temp_*" >/dev/null
# That folder has no export.js: Save builds the game with the installed engine (once the
# project's comments, shown on opening it, are closed).
for _ in $(seq 10); do
  if xdotool search --onlyvisible --name '^Game comments$' windowactivate --sync 2>/dev/null; then
    xdotool key Escape
    sleep 1
  fi
  xdotool search --onlyvisible --name ' - platformer$' windowactivate --sync 2>/dev/null
  xdotool key ctrl+s
  sleep 2
  [[ -s "$work/stick/Projects/platformer/game.js" ]] && break
done
check "a project of a folder without export.js builds its game" \
  grep -qF "$(tail -n 1 "$share/export.js")" "$work/stick/Projects/platformer/game.js"
stop
start "$studio" "$prefix/bin/PondaroMaker" missing
check "a project that is not there is reported" window '^Error$'
check "and the studio stays open with an empty project" window "$empty_studio"
stop

# Help opens the installed manual: the desktop's page handler is a recorder here.
mkdir -p "$XDG_DATA_HOME/applications" "$XDG_CONFIG_HOME"
printf '#!/bin/sh\necho "$1" >>"%s"\n' "$work/opened" >"$work/recorder.sh"
chmod +x "$work/recorder.sh"
printf '[Desktop Entry]\nType=Application\nName=Page recorder\nExec=%s %%u\nMimeType=text/html;\n' \
  "$work/recorder.sh" >"$XDG_DATA_HOME/applications/page-recorder.desktop"
printf '[Default Applications]\ntext/html=page-recorder.desktop\n' >"$XDG_CONFIG_HOME/mimeapps.list"
start "$work" "$prefix/bin/pondaro"
if window "$empty_studio"; then
  # Pressed again while nothing has come, in case the window was not taking keys yet.
  for _ in $(seq 10); do
    # A key sent to a named window is ignored by the toolkit: it goes to the active one.
    xdotool search --onlyvisible --name "$empty_studio" windowactivate --sync 2>/dev/null
    xdotool key F1
    sleep 2
    [[ -s "$work/opened" ]] && break
  done
fi
check "Help opens the installed manual" grep -q "^$share/manual/index.html\$" "$work/opened"
stop

# The project type: by the root element, not by the .xml at the end of the name.
filetype() { XDG_DATA_DIRS="$prefix/share:/usr/share" xdg-mime query filetype "$1"; }
printf '<?xml version="1.0" encoding="UTF-8"?>\n<notes><note>pondaro</note></notes>\n' >"$work/notes.xml"
check "a project file has the studio's type" test "$(filetype "$studio/Projects/mine.xml")" = application/x-pondaro-project
check "another XML file keeps the XML type" test "$(filetype "$work/notes.xml")" = application/xml
entry=$prefix/share/applications/pondaro.desktop
check "the desktop entry starts the launcher with the file" grep -qx "Exec=$prefix/bin/pondaro %f" "$entry"
check "the desktop entry takes project files" grep -qx "MimeType=application/x-pondaro-project;" "$entry"
if command -v desktop-file-validate >/dev/null; then
  check "the desktop entry is valid" desktop-file-validate "$entry"
fi

# A staged install (DESTDIR) names the final prefix and leaves the desktop's caches alone.
DESTDIR=$work/stage cmake --install "$build" --prefix /opt/pondaro >/dev/null 2>&1
check "a staged install lands under DESTDIR" test -x "$work/stage/opt/pondaro/bin/pondaro"
check "a staged desktop entry names the final prefix" \
  grep -qx "Exec=/opt/pondaro/bin/pondaro %f" "$work/stage/opt/pondaro/share/applications/pondaro.desktop"
check "a staged install leaves the MIME database to the package" test ! -e "$work/stage/opt/pondaro/share/mime/mime.cache"

if ((failed)); then
  echo "--- what the programs printed:" >&2
  cat "$work/studio.log" >&2
fi
echo "install: $passed passed, $failed failed"
((failed == 0))
