#!/usr/bin/env bash
# Installs the Debian packages Domoria builds and runs with (as root or through sudo).
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
$SUDO apt-get update -qq
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
  g++ cmake ninja-build pkg-config \
  qt6-base-dev qt6-translations-l10n libgl-dev \
  fonts-liberation xvfb xauth
