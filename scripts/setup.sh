#!/usr/bin/env bash
# Installs the Debian packages Orvanta needs to build, test and run.
# Quiet and quick when everything is already there: apt-get runs only for what is missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkgconf
    qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins qt6-translations-l10n
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-wine
    appstream desktop-file-utils
    qt6-wayland weston
    lintian dpkg-dev man-db
    libical-dev libicu-dev faketime fonts-wqy-microhei
    xvfb openbox xdotool libxcb1-dev dbus at-spi2-core python3-pyatspi
    clang libclang-rt-14-dev clang-format
)
# Extra packages a caller may ask for, e.g. xauth for xvfb-run.
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
    [ "$status" = "installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; exit 1; }
    sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
