#!/usr/bin/env bash
# Builds Domoria with warnings as errors under AddressSanitizer and UBSan and
# runs every test through CTest (window tests on the offscreen platform).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh test
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DDOMORIA_SANITIZE=ON -DDOMORIA_WERROR=ON
cmake --build build-test
cd build-test
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600
