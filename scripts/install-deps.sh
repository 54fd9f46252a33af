#!/usr/bin/env bash
# Installs the Debian packages Domoria builds and runs with (as root or through sudo).
#   install-deps.sh        what building and running the program needs
#   install-deps.sh test   ... and what the tests need besides: the poppler tools that read
#                          printed PDF files back, and CUPS with its PDF printer for the
#                          printing test
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
PACKAGES=(g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-translations-l10n libgl-dev
  fonts-liberation xvfb xauth)
if [ "${1:-}" = "test" ]; then
  PACKAGES+=(poppler-utils cups cups-bsd printer-driver-cups-pdf)
fi
$SUDO apt-get update -qq
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${PACKAGES[@]}"
