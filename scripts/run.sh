#!/usr/bin/env bash
# Builds Domoria, installs it into its own folder (default ~/Domoria, which is
# also its data folder), adds it to the desktop's menu for this user, and
# starts it. A rebuild never touches the data in that folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
PREFIX="${DOMORIA_HOME:-$HOME/Domoria}"
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DDOMORIA_TESTS=OFF -DDOMORIA_BENCH=OFF
cmake --build build-release
cmake --install build-release --prefix "$PREFIX"

# The menu entry and the icon, where the desktop looks for this user's programs.
DATA="${XDG_DATA_HOME:-$HOME/.local/share}"
install -D -m 644 packaging/domoria.svg "$DATA/icons/hicolor/scalable/apps/domoria.svg"
mkdir -p "$DATA/applications"
sed "s|@EXEC@|$PREFIX/domoria|" packaging/domoria.desktop.in > "$DATA/applications/domoria.desktop"
command -v update-desktop-database > /dev/null && update-desktop-database -q "$DATA/applications" || true

exec "$PREFIX/domoria"
