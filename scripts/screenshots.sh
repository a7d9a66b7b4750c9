#!/usr/bin/env bash
# Takes the screenshots that software centres show (desktop/screenshots, named in the metadata
# desktop/example.quorvane.Quorvane.metainfo.xml) from the real game, through the end-to-end
# test's own run under a virtual display:
#
#   bash scripts/screenshots.sh build/bin
set -euo pipefail
cd "$(dirname "$0")/.."
keep=$(mktemp -d)
trap 'rm -rf "$keep"' EXIT
QUORVANE_E2E_KEEP="$keep" bash tests/e2e/run.sh "$1"
for shot in hall menu; do
    cp "$keep/$shot.png" desktop/screenshots/
done
echo "desktop/screenshots: $(ls desktop/screenshots)"
