#!/usr/bin/env bash
# Measures the built game under a virtual display (Xvfb, xdotool, xev) and prints one table row for
# each way of drawing: the time from start until the window is on screen (mapped), the resident
# memory while level 50 is played, the processor time it takes while idle in that level, and the
# same while its window is minimised. Where GNOME's atomix is installed, it is measured alongside
# at its title screen, for comparison.
#
#   bash scripts/measure.sh [BUILD/bin]
#
# Rows: "default" is the game as it chooses for itself; "own raster" and "SDL renderer" force
# either path with QUORVANE_SOFTWARE_RASTER=1 and =0. Xvfb has no GPU, so OpenGL there is Mesa
# drawing on the processor. Each start is timed three times; memory and processor time come from
# /proc over 10 s. The machine's load average is printed first: on a busy machine the figures
# mean little.
#
# The window is minimised as a window manager does it, by unmapping it (Xvfb has no window
# manager to ask).
set -euo pipefail
bin=$(cd "${1:-build/bin}" && pwd)
work=$(mktemp -d)
xvfb=
game=
watcher=
cleanup() {
    if [ -n "$game" ]; then kill "$game" 2>/dev/null || true; fi
    if [ -n "$watcher" ]; then kill "$watcher" 2>/dev/null || true; fi
    if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
while [ ! -s "$work/display" ]; do sleep 0.1; done
export DISPLAY=":$(cat "$work/display")" SDL_AUDIODRIVER=dummy
export XDG_DATA_HOME="$work/data" XDG_STATE_HOME="$work/state"
mkdir -p "$XDG_DATA_HOME/quorvane"
: >"$work/maps"

# The visible window of process $1, if it has one yet.
visible_window() { xdotool search --onlyvisible --pid "$1" 2>/dev/null | head -n 1 || true; }

# Every window mapped on the display, one time stamp a line, heard as it happens from X's own
# notice to the root window: nothing polls for the window while a program starts.
stdbuf -oL xev -root -event substructure > >(
    while IFS= read -r line; do
        case $line in MapNotify*) date +%s%N ;; esac
    done >"$work/maps"
) 2>/dev/null &
watcher=$!
sleep 1 # xev is listening

# Starts "$@" in the background (sets game) and the milliseconds until it maps a window (sets
# mapped_ms).
start_timed() {
    local start seen
    seen=$(wc -l <"$work/maps")
    start=$(date +%s%N)
    "$@" 2>"$work/log" &
    game=$!
    for _ in $(seq 3000); do
        [ "$(wc -l <"$work/maps")" -gt "$seen" ] && break
        sleep 0.01
    done
    [ "$(wc -l <"$work/maps")" -gt "$seen" ] || { echo "no window from $*" >&2; exit 1; }
    mapped_ms=$((($(sed -n "$((seen + 1))p" "$work/maps") - start) / 1000000))
}

stop_program() {
    kill "$game"
    wait "$game" 2>/dev/null || true
    game=
}

rss_mb() { awk '/VmRSS/ { printf "%.1f", $2 / 1024 }' "/proc/$game/status"; }

# Percent of one core the program takes over 10 s.
idle_cpu() {
    local before after
    before=$(awk '{print $14 + $15}' "/proc/$game/stat")
    sleep 10
    after=$(awk '{print $14 + $15}' "/proc/$game/stat")
    awk -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "%.1f", t * 10 / hz }'
}

# Three timed starts; sets mapped to their times, fastest first.
start_times() {
    local times=()
    for _ in 1 2 3; do
        start_timed "$@"
        times+=("$mapped_ms")
        stop_program
    done
    mapped=$(printf '%s\n' "${times[@]}" | sort -n | paste -sd/ -)
}

# One table row for the game, with the environment assignments given.
measure_game() {
    local label=$1 mapped window rss idle minimised
    shift
    start_times env "$@" "$bin/quorvane"
    printf 'Tessmark\r\n50\r\n' >"$XDG_DATA_HOME/quorvane/Quorvane.sav"
    env "$@" "$bin/quorvane" 2>"$work/log" &
    game=$!
    window=$(xdotool search --sync --onlyvisible --pid "$game" | head -n 1)
    for _ in $(seq 20); do # a click ends the opening once it runs
        sleep 1
        grep -q 'Level started: Tessmark 50' "$work/log" && break
        xdotool mousemove --window "$window" 462 800 mousedown 1 sleep 0.3 mouseup 1
    done
    grep -q 'Level started: Tessmark 50' "$work/log" || { echo "level 50 did not start" >&2; exit 1; }
    sleep 25 # the logo fades and the torches settle; the pointer rests on the hall
    rss=$(rss_mb)
    idle=$(idle_cpu)
    xdotool windowunmap --sync "$window"
    minimised=$(idle_cpu)
    printf '| %-14s | %-14s | %8s | %8s | %10s | %s\n' "$label" "$mapped" "$rss" "$idle" \
        "$minimised" "$(grep -o 'Drawing with [^:]*' "$work/log")"
    stop_program
}

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores"
echo "| way of drawing | mapped ms      | RSS MB   | idle %   | minimised %| path"
measure_game "default"
measure_game "own raster" QUORVANE_SOFTWARE_RASTER=1
measure_game "SDL renderer" QUORVANE_SOFTWARE_RASTER=0

if command -v atomix >/dev/null; then
    start_times atomix
    start_timed atomix
    sleep 5
    rss=$(rss_mb)
    idle=$(idle_cpu)
    xdotool windowunmap --sync "$(visible_window "$game")"
    minimised=$(idle_cpu)
    printf '| %-14s | %-14s | %8s | %8s | %10s | %s\n' "atomix" "$mapped" "$rss" "$idle" \
        "$minimised" "title screen"
    stop_program
else
    echo "(atomix is not installed: no peer to compare with)"
fi
echo "mapped: three starts, fastest first; idle and minimised: percent of one core over 10 s"
