#!/usr/bin/env bash
# Lays out a folder the studio works in, for `make run` (the run folder) and for the
# installed studio's launcher (the user's studio folder):
#   studio-folder.sh [--samples-once] DATA SAMPLES FOLDER
# DATA holds export.js and keywords.dat; SAMPLES holds Projects/ and Extensions/ (either
# may be missing). FOLDER gets:
# - copies (not links) of export.js and keywords.dat, copied again whenever DATA's is
#   newer than the copy, so a rebuilt or reinstalled studio brings its engine along;
# - Projects/ and Extensions/;
# - the sample projects, each whole (its media folder and preview picture), and the
#   sample extensions, only where FOLDER has none of that name: work saved there is never
#   overwritten. With --samples-once they are copied only when this call makes
#   Projects/, so samples a user deleted from a studio folder stay deleted.
set -uo pipefail
once=0
if [[ "${1:-}" == "--samples-once" ]]; then
  once=1
  shift
fi
if (($# != 3)); then
  echo "usage: studio-folder.sh [--samples-once] DATA SAMPLES FOLDER" >&2
  exit 2
fi
data=$1 samples=$2 folder=$3

fail() {
  echo "The studio folder $folder cannot be prepared: $1" >&2
  exit 1
}

first=0
[[ -d "$folder/Projects" ]] || first=1
mkdir -p "$folder/Projects" "$folder/Extensions" 2>/dev/null ||
  fail "its Projects/ and Extensions/ folders cannot be made there."

# A file is replaced by renaming a whole copy over it, never written through a link.
refresh() {
  local from=$1 to=$2
  [[ -f "$from" ]] || return 0
  if [[ -e "$to" && ! -f "$to" ]]; then
    echo "$to is not a file: it is left as it is, and the studio does not find its $(basename "$to")." >&2
    return 0
  fi
  [[ -f "$to" && ! "$from" -nt "$to" && ! -L "$to" ]] && return 0
  local part="$to.part.$$"
  cp --preserve=timestamps "$from" "$part" && mv -f "$part" "$to" || {
    rm -f "$part"
    fail "$(basename "$to") cannot be copied there."
  }
}
refresh "$data/export.js" "$folder/export.js"
refresh "$data/keywords.dat" "$folder/keywords.dat"

((once && !first)) && exit 0
if [[ -d "$samples/Projects" ]]; then
  for xml in "$samples"/Projects/*.xml; do
    [[ -f "$xml" ]] || continue
    name=$(basename "$xml" .xml)
    [[ -e "$folder/Projects/$name.xml" || -L "$folder/Projects/$name.xml" ]] && continue
    if [[ -d "$samples/Projects/$name" && ! -e "$folder/Projects/$name" ]]; then
      cp -r "$samples/Projects/$name" "$folder/Projects/" || fail "the sample $name cannot be copied there."
    fi
    # Its preview picture, which the open dialog shows.
    if [[ -f "$samples/Projects/$name.png" && ! -e "$folder/Projects/$name.png" ]]; then
      cp "$samples/Projects/$name.png" "$folder/Projects/"
    fi
    cp "$xml" "$folder/Projects/" || fail "the sample $name cannot be copied there."
  done
fi
if [[ -d "$samples/Extensions" ]]; then
  cp -rn "$samples/Extensions/." "$folder/Extensions/" 2>/dev/null || true
fi
exit 0
