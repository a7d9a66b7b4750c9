#!/usr/bin/env bash
# Measures the built game under a virtual display (Xvfb, xdotool): the time from start to the
# first frame on screen, the resident memory while level 50 is played, and the processor time
# it takes while idle in that level.
#
#   bash scripts/measure.sh [BUILD/bin]
#
# The first frame is timed by the screenshot the game takes of frame 0 (QUORVANE_SCREENSHOT),
# so the figure includes writing that PNG. The game runs with its own data folder and no sound
# device; without a GPU, Mesa renders in software, which dominates the processor figure.
set -euo pipefail
bin=$(cd "${1:-build/bin}" && pwd)
work=$(mktemp -d)
xvfb=
game=
cleanup() {
    if [ -n "$game" ]; then kill "$game" 2>/dev/null || true; fi
    if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
while [ ! -s "$work/display" ]; do sleep 0.1; done
export DISPLAY=":$(cat "$work/display")" SDL_AUDIODRIVER=dummy
export XDG_DATA_HOME="$work/data" XDG_STATE_HOME="$work/state"

for run in 1 2 3; do
    rm -f "$work/first.png"
    start=$(date +%s%N)
    QUORVANE_SCREENSHOT="$work/first.png:0" "$bin/quorvane" 2>"$work/log" &
    game=$!
    while [ ! -s "$work/first.png" ]; do sleep 0.005; done
    end=$(date +%s%N)
    echo "run $run: start to first frame $(((end - start) / 1000000)) ms"
    kill "$game"
    wait "$game" 2>/dev/null || true
    game=
done

mkdir -p "$XDG_DATA_HOME/quorvane"
printf 'Tessmark\r\n50\r\n' >"$XDG_DATA_HOME/quorvane/Quorvane.sav"
"$bin/quorvane" 2>"$work/log" &
game=$!
sleep 2
window=$(xdotool search --sync --onlyvisible --name '^Quorvane' | head -n 1)
xdotool mousemove --window "$window" 462 800 mousedown 1 sleep 0.3 mouseup 1
sleep 1
grep -q 'Level started: Tessmark 50' "$work/log" || { echo "level 50 did not start" >&2; exit 1; }
sleep 25 # the logo fades and the torches settle; the pointer rests on the hall
echo "level 50: $(grep VmRSS /proc/$game/status | tr -s ' \t' ' ')"
ticks() { awk '{print $14 + $15}' "/proc/$game/stat"; }
before=$(ticks)
sleep 10
after=$(ticks)
echo "level 50 idle: $(((after - before) * 100 / $(getconf CLK_TCK) / 10)) % of one core over 10 s"
