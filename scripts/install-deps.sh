#!/usr/bin/env bash
# Installs the Debian packages the build, the studio and the tests need.
# Idempotent and quiet when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libexpat1-dev expat
  libpng-dev zlib1g-dev
  libturbojpeg0-dev
  libstb-dev
  python3-pil
  nlohmann-json3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libwxgtk3.2-dev
  libcurl4-openssl-dev
  xvfb xauth openbox
  adwaita-icon-theme xdg-utils
  # The install test: drives the installed studio's window, asks the desktop's MIME
  # database (shared-mime-info, read by mimetype) for a project file's type and checks
  # the desktop entry.
  xdotool shared-mime-info libfile-mimeinfo-perl desktop-file-utils
  # The desktop theme draws check marks and other small pictures from SVG files.
  librsvg2-common
  chromium
  # The engine tests read back text that games draw in the page.
  fonts-dejavu-core
  # The window tests' screenshots (the manual's pictures) are taken with its import.
  imagemagick
)

# The engine tests run Node.js with npm. A machine that already has them (such as
# Node.js from another source, whose package conflicts with Debian's npm) keeps
# its own; elsewhere Debian's are installed.
if ! command -v node >/dev/null 2>&1 || ! command -v npm >/dev/null 2>&1; then
  packages+=(nodejs npm)
fi

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
