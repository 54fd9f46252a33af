#!/usr/bin/env bash
# Installs the Debian packages Domoria needs, only those that are missing.
#   bash scripts/install-deps.sh        what building and running the program need
#   bash scripts/install-deps.sh test   also what the tests need: the poppler tools that read
#                                       printed PDF files back, CUPS with its PDF printer for
#                                       the printing test, and the desktop entry's validator
# It asks dpkg first: when everything is installed it does not touch the
# package system, so an ordinary user can run it without a password.
set -euo pipefail

packages=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-translations-l10n libqt6svg6 libgl-dev fonts-liberation)
if [ "${1:-}" = "test" ]; then
  packages+=(poppler-utils cups cups-bsd printer-driver-cups-pdf desktop-file-utils)
fi

missing=()
for p in "${packages[@]}"; do
  if [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" != "install ok installed" ]; then missing+=("$p"); fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

apt=(env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300)
install() {
  "$@" "${apt[@]}" update -qq
  "$@" "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"
}
echo "Missing Debian packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  install
elif command -v sudo > /dev/null && { sudo -n true 2> /dev/null || [ -t 0 ]; }; then
  install sudo
else
  cat >&2 <<MSG
These packages are missing and this user cannot install them.
Ask someone with root rights to run (a hiányzó csomagokat rendszergazdaként telepítse):

    apt-get update && apt-get install --no-install-recommends ${missing[*]}

then run this command again.
MSG
  exit 1
fi
