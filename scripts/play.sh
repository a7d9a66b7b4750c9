#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds Quorvane and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
exec build/bin/quorvane "$@"
