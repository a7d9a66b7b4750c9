#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds Quorvane and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
if [ -x build/bin/quorvane ]; then
    exec build/bin/quorvane "$@"
fi
exec build/bin/quorvane-hall --map Tessmark 1
