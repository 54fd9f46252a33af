#!/usr/bin/env bash
# Builds Domoria, installs it into its own folder (default ~/Domoria, which is
# also its data folder) and starts it. A rebuild never touches that folder's data.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
PREFIX="${DOMORIA_HOME:-$HOME/Domoria}"
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DDOMORIA_TESTS=OFF -DDOMORIA_BENCH=OFF
cmake --build build-release
cmake --install build-release --prefix "$PREFIX"
exec "$PREFIX/domoria"
