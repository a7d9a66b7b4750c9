#!/usr/bin/env bash
# End-to-end test of the real game: it runs under a virtual X display (Xvfb) and is driven by
# simulated clicks and keys (xdotool).
#
#   bash tests/e2e/run.sh BUILD/bin
#   bash tests/e2e/run.sh BUILD/bin --package ROOT   (ROOT: a Debian package unpacked there)
#
# 1. Play: without a GPU the game chooses its own rasteriser (its log says so); the opening is
#    clicked away, the help that the first start shows is closed, a piece is dragged on level 1
#    of "Tessmark", the menu and the level select are opened, screenshots are taken, and "Quit"
#    ends the game with status 0. The screenshots must show the help, the hall with the play
#    bar, the top bar, the menu and the level select.
# 2. Without the graphics pack the game says "Can't load graphics." and ends with status 1.
# 3. A broken progress file starts level 1 of "Tessmark"; a good one starts its own level.
# 4. Installed with its packs in ../share/quorvane, the game finds them.
# 5. Without a display the game says so and ends with status 1 instead of running unseen.
# 6. With a read-only data folder, a solved level says on screen and in the log that progress
#    could not be saved, and the old progress file stays as it was.
# 7. Keyboard only: level 1 of "Tessmark" from the first frame to "Level Complete" and the saved
#    progress, with one wrong move taken back by Ctrl+Z, and not one mouse event.
# 8. Hint and a lost hall: H asks for a hint and the play bar answers; a ball broken on a spike
#    leaves level 1 unsolvable, which a line above the play bar says, and U takes back.
#
# With --package, only the unpacked package is tried instead: its hall tool replays a hall, its
# game plays, and the window comes back at the size and in the full screen it was left.
#
# Set QUORVANE_E2E_KEEP to a folder to keep the screenshots and logs there.
#
# The game runs from a copy in a temporary folder, with its own data folder, no sound device, and
# QUORVANE_NO_MESSAGE_BOX set so that a start-up failure goes to standard error only instead of
# waiting for someone to close a message box.
set -euo pipefail

bin=$(cd "$1" && pwd)
package=
if [ "${2:-}" = --package ]; then
    package=$(cd "$3" && pwd)
fi
work=$(mktemp -d)
xvfb=
game=

cleanup() {
    if [ -n "${QUORVANE_E2E_KEEP:-}" ]; then
        mkdir -p "$QUORVANE_E2E_KEEP"
        cp "$work"/*.png "$work"/*.log "$QUORVANE_E2E_KEEP"/ 2>/dev/null || true
    fi
    if [ -n "$game" ]; then kill "$game" 2>/dev/null || true; fi
    if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null || true; fi
    chmod -R u+w "$work" 2>/dev/null || true # the read-only data folder of part 6
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    if [ -n "$game" ] && [ -n "${window:-}" ]; then
        xdotool key F12 # the screen as it was when the test failed, among the kept files
        sleep 2
        cp "$(ls -t "$work"/*/quorvane-*.png | head -n 1)" "$work/failed.png" 2>/dev/null || true
    fi
    for log in "$work"/*.log; do
        [ -f "$log" ] && { echo "--- $log" >&2; tail -n 30 "$log" >&2; }
    done
    exit 1
}

# Waits up to $3 seconds for the file $2 to hold a line matching $1.
wait_for_line() {
    local pattern=$1 file=$2 seconds=$3
    for _ in $(seq $((seconds * 10))); do
        grep -q -- "$pattern" "$file" 2>/dev/null && return 0
        sleep 0.1
    done
    fail "no line \"$pattern\" in $file after ${seconds}s"
}

# Waits up to $2 seconds for the game to end; sets status.
wait_for_exit() {
    local seconds=$1
    for _ in $(seq $((seconds * 10))); do
        if ! kill -0 "$game" 2>/dev/null; then
            status=0
            wait "$game" || status=$?
            game=
            return 0
        fi
        sleep 0.1
    done
    fail "the game did not end within ${seconds}s"
}

# --- the virtual display -------------------------------------------------------------------
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.err" &
xvfb=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"
export SDL_AUDIODRIVER=dummy
export QUORVANE_NO_MESSAGE_BOX=1
export XDG_DATA_HOME="$work/data"
export XDG_STATE_HOME="$work/state"

# A copy of the game with the packs given, in folder $1.
install_game() {
    local folder=$1
    shift
    mkdir -p "$folder"
    cp "$bin/quorvane" "$folder/"
    for pack in "$@"; do cp "$bin/$pack" "$folder/"; done
}

# Starts the game from folder $1 with its standard error in $2; sets game.
start_game() {
    "$1/quorvane" 2>"$2" &
    game=$!
}

game_window() {
    xdotool search --sync --onlyvisible --name '^Quorvane - quorvane\.example$' | head -n 1
}

# Keys go through the X test extension to the window under the pointer (there is no window
# manager to give focus); keys sent to a window directly lose their releases at times.

# Presses a key for a fifth of a second, then waits as long: the game takes one key a frame, so
# two keys within one slow frame would lose the second.
press_key() {
    xdotool keydown "$1"
    sleep 0.2
    xdotool keyup "$1"
    sleep 0.2
}

# Clicks with the left button at logical (= window, the scale being 1 here) position x, y.
# The pointer rests first, so that the button under it is lit before the press, and the button
# is held for half a second, so that press and release never fall within one late frame, even
# when a busy machine delays frames.
click_at() {
    xdotool mousemove --window "$window" "$1" "$2"
    sleep 0.5
    xdotool mousedown 1
    sleep 0.5
    xdotool mouseup 1
}

# Takes a screenshot with F12 and copies it to $1 once it is saved.
screenshot() {
    local log=$1 target=$2 before
    before=$(grep -c 'Screenshot saved to' "$log" || true)
    sleep 1.1 # one second apart, as the file names are stamped to the second
    press_key F12
    for _ in $(seq 100); do
        [ "$(grep -c 'Screenshot saved to' "$log" || true)" -gt "$before" ] && break
        sleep 0.1
    done
    local saved
    saved=$(grep 'Screenshot saved to' "$log" | tail -n 1 | sed 's/.*Screenshot saved to //')
    [ -f "$saved" ] || fail "no screenshot for $target"
    cp "$saved" "$target"
}

# Bright pixels of a region of a screenshot.
bright() {
    "$bin/quorvane_png_probe" "$1" "$2" "$3" "$4" "$5" | awk '{print $2}'
}
probe() {
    "$bin/quorvane_png_probe" "$@"
}

# The height of the large font: its tallest letter.
extract="$work/graphics"
"$bin/quorvane-pack" extract "$bin/Graphics.paq" "$extract" >/dev/null
line_height=$(awk -F, '/^Char/ { if ($5 + 0 > h) h = $5 + 0 } END { print h }' \
    "$extract/graphics/font.fnt")
[ "${line_height:-0}" -gt 0 ] || fail "can't read the font's line height"

# The menu's "Quit": the seventh button under an empty head, stacked from y = 462 - 330.
menu_y=132
button1=$((line_height * 2))
button7=$button1
for _ in 2 3 4 5 6 7; do
    button7=$(awk -v l="$line_height" -v p="$button7" 'BEGIN { print int(0.5 * l + l + p) }')
done
quit_y=$((menu_y + button7))

# A ball of level 1 of "Tessmark" with floor to its left, from the hall tool's map (rows are y,
# columns x, from 0), and the cell it slides over first.
read -r ball_x ball_y < <("$bin/quorvane-hall" --map Tessmark 1 | awk '
    NR > 2 && NR <= 23 && !found {
        y = NR - 3
        left = substr($0, 1, 21)
        for (x = 2; x <= 21; ++x) {
            if (substr(left, x, 1) == "b" && substr(left, x - 1, 1) == ".") {
                print x - 1, y; found = 1; break
            }
        }
    }')
[ -n "${ball_y:-}" ] || fail "no ball with room to move on level 1"
cx=$((ball_x * 44 + 22))
cy=$((ball_y * 44 + 22))

# Starts the game in folder $3, clicks the opening away, expects level $1, and quits through
# the menu.
expect_level() {
    local expected=$1 log=$2 folder=${3:-$work/game}
    start_game "$folder" "$log"
    window=$(game_window)
    sleep 1
    click_at 462 800
    wait_for_line "Level started: $expected\$" "$log" 20
    sleep 0.5
    if grep -q 'First start: how to play' "$log"; then
        press_key Escape # the help of a first start
    fi
    press_key Escape
    sleep 0.5
    click_at 462 "$quit_y"
    wait_for_exit 20
    [ "$status" -eq 0 ] || fail "ended with status $status"
}

# The window's size as X has it, "WIDTHxHEIGHT".
window_size() {
    xdotool getwindowgeometry --shell "$window" | awk -F= '/^WIDTH/ {w = $2} /^HEIGHT/ {h = $2}
        END {print w "x" h}'
}

# Waits up to 10 seconds for the window to be $1 ("WIDTHxHEIGHT").
wait_for_size() {
    for _ in $(seq 100); do
        [ "$(window_size)" = "$1" ] && return 0
        sleep 0.1
    done
    fail "the window is $(window_size), not $1"
}

# Ends the game as the desktop does at log-out, with SIGTERM: it closes as after "Quit".
end_game() {
    kill -TERM "$game"
    wait_for_exit 20
    [ "$status" -eq 0 ] || fail "SIGTERM ended the game with status $status"
}

# --- the unpacked package ------------------------------------------------------------------
if [ -n "$package" ]; then
    games="$package/usr/games"
    "$games/quorvane-hall" --replay Tessmark 1 >"$work/replay.txt" ||
        fail "the packaged hall tool failed: $(cat "$work/replay.txt")"
    grep -q 'Tessmark level 1: solved' "$work/replay.txt" ||
        fail "the packaged hall tool did not solve level 1: $(cat "$work/replay.txt")"
    expect_level "Tessmark 1" "$work/package.log" "$games"
    settings="$XDG_DATA_HOME/quorvane/Quorvane.cfg"
    grep -qx 'window_width=924' "$settings" || fail "no window size saved in $settings"
    echo "package: hall tool and game ok"

    # The player makes the window smaller, and it comes back so.
    start_game "$games" "$work/resize.log"
    window=$(game_window)
    wait_for_size 924x924
    xdotool windowsize "$window" 800 700
    wait_for_size 800x700
    sleep 0.5
    end_game
    grep -qx 'window_width=800' "$settings" && grep -qx 'window_height=700' "$settings" ||
        fail "the new size is not saved: $(cat "$settings")"
    start_game "$games" "$work/resized.log"
    window=$(game_window)
    wait_for_line 'Window size restored: 800 x 700' "$work/resized.log" 20
    wait_for_size 800x700

    # Full screen comes back too, and keeps the size to go back to. Without a window manager X
    # leaves the window as it is, so only the game's own account of it is checked.
    xdotool mousemove --window "$window" 400 350
    sleep 0.5
    press_key F11
    sleep 1
    end_game
    grep -qx 'fullscreen=true' "$settings" && grep -qx 'window_width=800' "$settings" ||
        fail "full screen is not saved as such: $(cat "$settings")"
    start_game "$games" "$work/fullscreen.log"
    window=$(game_window)
    wait_for_line 'Window restored to full screen' "$work/fullscreen.log" 20
    end_game
    echo "package: window size and full screen remembered"
    exit 0
fi

# --- 1. play -------------------------------------------------------------------------------
install_game "$work/game" Graphics.paq Sound.paq
log="$work/play.log"
QUORVANE_SCREENSHOT="$work/opening.png:25" start_game "$work/game" "$log"
window=$(game_window)
for _ in $(seq 200); do
    [ -f "$work/opening.png" ] && break
    sleep 0.1
done
[ -f "$work/opening.png" ] || fail "no screenshot of the opening"
# Xvfb has no GPU: OpenGL would draw on the processor, so the game draws with its own rasteriser.
grep -q 'Drawing with our own rasteriser, shown without OpenGL' "$log" ||
    fail "the game did not choose its own rasteriser without a GPU"
click_at 462 800
wait_for_line 'Level started: Tessmark 1$' "$log" 20
# The very first start opens the level with the help over it; Escape closes it.
screenshot "$log" "$work/help.png"
press_key Escape
screenshot "$log" "$work/before.png"

# The drag: each step is held for a few frames, so that the game sees the press on the ball and
# the release beside it. On a heavily loaded machine one frame may still see both; then the
# drag is tried again (the ball, where it has not moved, is still in its cell).
# Red pixels in the ball's first cell: hundreds while it lies there, next to none once it left.
ball_cell() { probe "$1" $((cx - 15)) $((cy - 15)) 30 30 | awk '{print $6}'; }
for attempt in 1 2 3; do
    xdotool mousemove --window "$window" "$cx" "$cy"
    sleep 0.6
    xdotool mousedown 1
    sleep 0.6
    xdotool mousemove --window "$window" $((cx - 100)) "$cy"
    sleep 0.6
    xdotool mouseup 1
    sleep 1.5
    screenshot "$log" "$work/hall.png"
    [ "$(ball_cell "$work/hall.png")" -lt 20 ] && break
done

press_key Escape
screenshot "$log" "$work/menu.png"
press_key Escape
press_key l
screenshot "$log" "$work/levels.png"
press_key Escape
press_key Escape

size=$(probe "$work/hall.png" 0 0 1 1 | awk '{print $8 "x" $9}')
[ "$size" = "924x924" ] || fail "the window is $size, not 924x924"
# The opening has no top bar; the hall has "Tessmark 1" there, in white.
[ "$(bright "$work/opening.png" 300 0 324 30)" -lt 20 ] || fail "a top bar during the opening"
[ "$(bright "$work/hall.png" 380 0 164 30)" -gt 40 ] || fail "no top bar text over the hall"
# The hall is drawn: its walls and floors cover the middle of the window.
[ "$(probe "$work/hall.png" 100 100 724 724 | awk '{print $2}')" -gt 0 ] || fail "no hall"
# The ball has left its cell.
[ "$(ball_cell "$work/before.png")" -gt 200 ] || fail "no ball in its cell before the drag"
[ "$(ball_cell "$work/hall.png")" -lt 20 ] || fail "the ball did not move"
# The bar along the bottom edge: Undo and Restart in white, Redo grey (nothing to redo), and the
# move counter.
[ "$(bright "$work/hall.png" 280 904 40 20)" -gt 10 ] || fail "no Undo on the play bar"
[ "$(bright "$work/hall.png" 350 904 40 20)" -eq 0 ] || fail "Redo is not greyed out"
[ "$(bright "$work/hall.png" 420 904 60 20)" -gt 10 ] || fail "no Restart on the play bar"
[ "$(bright "$work/hall.png" 528 904 80 20)" -gt 10 ] || fail "no move counter"
# The menu's seven buttons and the credits are shown over the hall.
menu_top=$((menu_y + button1 - line_height / 2))
menu_bright=$(bright "$work/menu.png" 362 "$menu_top" 200 $((button7 - button1 + line_height)))
[ "$menu_bright" -gt 200 ] || fail "no menu buttons ($menu_bright bright pixels)"
[ "$(bright "$work/menu.png" 162 662 600 180)" -gt 100 ] || fail "no credits under the menu"
# The help: its red title, a picture and a line of text for every element, and no top bar.
red() { probe "$@" | awk '{print $4}'; }
[ "$(red "$work/help.png" 300 10 324 50)" -gt 50 ] || fail "no help title"
[ "$(bright "$work/help.png" 270 150 600 480)" -gt 1000 ] || fail "no element lines in the help"
[ "$(probe "$work/help.png" 150 150 110 480 | awk '{print $6}')" -gt 100 ] ||
    fail "no element pictures in the help"
# The level select: its red title, level 1 open (white), level 99 locked (grey, not bright).
[ "$(red "$work/levels.png" 250 20 424 50)" -gt 50 ] || fail "no level select title"
[ "$(bright "$work/levels.png" 80 124 60 40)" -gt 20 ] || fail "level 1 is not shown open"
[ "$(bright "$work/levels.png" 700 718 70 40)" -eq 0 ] || fail "level 99 is not shown locked"

click_at 462 "$quit_y"
wait_for_exit 20
[ "$status" -eq 0 ] || fail "\"Quit\" ended the game with status $status"
echo "play: ok (ball at cell $ball_x,$ball_y; Quit at y $quit_y)"

# --- 2. no graphics pack -------------------------------------------------------------------
install_game "$work/nographics" Sound.paq
log="$work/nographics.log"
start_game "$work/nographics" "$log"
wait_for_exit 30
[ "$status" -eq 1 ] || fail "without graphics the game ended with status $status"
grep -q "Can't load graphics\." "$log" || fail "no \"Can't load graphics.\" message"
echo "missing graphics pack: ok"

# --- 3. progress files ---------------------------------------------------------------------
mkdir -p "$XDG_DATA_HOME/quorvane"
printf '\377\000broken\r\n\r\nnot a level' >"$XDG_DATA_HOME/quorvane/Quorvane.sav"
expect_level "Tessmark 1" "$work/broken.log"
echo "broken progress file: ok"

printf 'Other\r\n5\r\n' >"$XDG_DATA_HOME/quorvane/Quorvane.sav"
expect_level "Other 5" "$work/saved.log"
echo "saved progress: ok"

# --- 4. an installed game ------------------------------------------------------------------
# The layout of `cmake --install`: the program in bin, its packs in share/quorvane.
install_game "$work/prefix/bin"
mkdir -p "$work/prefix/share/quorvane"
cp "$bin/Graphics.paq" "$bin/Sound.paq" "$work/prefix/share/quorvane/"
expect_level "Other 5" "$work/installed.log" "$work/prefix/bin"
echo "installed layout: ok"

# --- 5. no display -------------------------------------------------------------------------
# Nothing names a display or a video driver, and the runtime folder has no display sockets;
# the message box cannot open either, so the message goes to standard error.
mkdir -p "$work/runtime"
log="$work/nodisplay.log"
env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER -u QUORVANE_NO_MESSAGE_BOX \
    XDG_RUNTIME_DIR="$work/runtime" "$work/game/quorvane" 2>"$log" &
game=$!
wait_for_exit 20
[ "$status" -eq 1 ] || fail "without a display the game ended with status $status"
grep -q "no graphical display found: set DISPLAY or WAYLAND_DISPLAY" "$log" ||
    fail "no \"no graphical display found\" message"
echo "no display: ok"

# --- 6. a save into a read-only folder -----------------------------------------------------
# The saved game is level 1 of "n102", whose generator's pushes solve it after 14 of them; they
# are made as drags. The data folder can be read but not written (the superuser runs the game
# without its right to override file permissions).
solve_name=n102
data="$XDG_DATA_HOME/quorvane"
printf '%s\r\n1\r\n' "$solve_name" >"$data/Quorvane.sav"
cp "$data/Quorvane.sav" "$work/old.sav"
chmod 555 "$data"
as_player=()
if [ "$(id -u)" -eq 0 ]; then
    as_player=(setpriv --bounding-set=-dac_override,-dac_read_search --)
fi
log="$work/readonly.log"
"${as_player[@]}" "$work/game/quorvane" 2>"$log" &
game=$!
window=$(game_window)
sleep 1
click_at 462 800
wait_for_line "Level started: $solve_name 1\$" "$log" 20
sleep 0.5
unsaved="Can't save progress to $data/Quorvane.sav: can't write $data/Quorvane.tmp: Permission denied"
drags=0
while read -r x y direction; do
    drags=$((drags + 1))
    [ "$drags" -le 20 ] || fail "not solved after 20 drags: one of them went unseen"
    case $direction in
    left) dx=-30 dy=0 ;;
    right) dx=30 dy=0 ;;
    up) dx=0 dy=-30 ;;
    *) dx=0 dy=30 ;;
    esac
    px=$((x * 44 + 22))
    py=$((y * 44 + 22))
    xdotool mousemove --window "$window" "$px" "$py"
    sleep 0.6
    xdotool mousedown 1
    sleep 0.6
    xdotool mousemove --window "$window" $((px + dx)) $((py + dy))
    sleep 0.6
    xdotool mouseup 1
    sleep 6 # a slide across the whole hall takes 4.2 s at full speed
    grep -qF "$unsaved" "$log" && break
done < <("$bin/quorvane_push_list" "$solve_name" 1)
grep -qF "$unsaved" "$log" || fail "no log line \"$unsaved\""
screenshot "$log" "$work/unsaved.png"
# The line under the level-done dialog, in the highlight red.
notice=$(probe "$work/unsaved.png" 62 612 800 50 | awk '{print $4}')
[ "$notice" -gt 40 ] || fail "no line about the unsaved progress ($notice red pixels)"
cmp -s "$data/Quorvane.sav" "$work/old.sav" || fail "the old progress file changed"
[ ! -e "$data/Quorvane.tmp" ] || fail "a temporary file was left"
end_game
chmod 755 "$data"
echo "save into a read-only folder: ok"

# Starts the game with its log in $1 and brings it through the opening and the help of the
# first start to level 1 of "Tessmark"; sets window.
start_at_level_one() {
    start_game "$work/game" "$1"
    window=$(game_window)
    wait_for_line 'Progress per name' "$1" 20
    sleep 1
    press_key space # ends the opening
    wait_for_line 'Level started: Tessmark 1$' "$1" 20
    press_key Escape # the help of the first start
}

# --- 7. keyboard only ----------------------------------------------------------------------
# Level 1 of "Tessmark" from the first frame to "Level Complete" with keys alone, not one mouse
# event: one wrong move, taken back with Ctrl+Z, then the nine moves of a solution (from the
# hall tool's map: a ball and a spike in each room but the middle one, which has a ball).
export XDG_DATA_HOME="$work/keys-data"
log="$work/keys.log"
start_at_level_one "$log"

# Presses key $1, $2 times.
keys() {
    for _ in $(seq "$2"); do press_key "$1"; done
}
# Picks the piece under the cursor and sends it $1, then waits for it to stop.
send() {
    press_key Return
    press_key "$1"
    sleep 3
}
undo() {
    xdotool keydown ctrl
    press_key z
    xdotool keyup ctrl
    sleep 0.5
}

keys Right 3     # the middle room's ball on (13, 10)
send Down        # the wrong move: to (13, 12)
undo             # back to (13, 10), the cursor with it
send Up          # (13, 8)
send Left        # (11, 8), on its end
keys Up 4        # the top room's spike on (11, 4)
send Up          # (11, 2)
send Left        # (6, 2)
send Down        # (6, 6), on its end
keys Right 4
keys Down 10     # the bottom room's ball on (10, 16)
send Right       # (16, 16)
send Up          # (16, 14), on its end
keys Left 11
keys Down 2      # the spike on (5, 16)
send Up          # (5, 14)
press_key Return
press_key Right  # (6, 14): the hall is solved
wait_for_line 'Level solved: Tessmark 1 in 9 moves$' "$log" 20
screenshot "$log" "$work/solved.png"
# "Level Complete" in red over the hall, and the progress kept: level 2 next, 9 moves best.
[ "$(probe "$work/solved.png" 300 360 324 50 | awk '{print $4}')" -gt 50 ] ||
    fail "no \"Level Complete\" on the screen"
[ "$(cat "$XDG_DATA_HOME/quorvane/Quorvane.sav")" = "$(printf 'Tessmark\r\n2\r')" ] ||
    fail "Quorvane.sav does not hold level 2"
grep -q "$(printf 'solved\tTessmark\t1\t9')" "$XDG_DATA_HOME/quorvane/Quorvane.progress" ||
    fail "the progress per name does not hold level 1 solved in 9 moves"
press_key Down # "Quit"
press_key Return
wait_for_exit 20
[ "$status" -eq 0 ] || fail "\"Quit\" ended the game with status $status"
echo "keyboard only: ok"

# --- 8. hint and a lost hall ---------------------------------------------------------------
export XDG_DATA_HOME="$work/lost-data"
log="$work/lost.log"
start_at_level_one "$log"
press_key h
wait_for_line 'Hint asked: Tessmark 1$' "$log" 20
wait_for_line 'Hint: ' "$log" 20
keys Down 6 # the bottom room's ball on (10, 16), sent left into the spike on (5, 16)
send Left
wait_for_line 'Hall can no longer be solved: 2 ends of kind ball' "$log" 20
screenshot "$log" "$work/lost.png"
# The line in its quiet yellow, above the play bar.
[ "$(bright "$work/lost.png" 250 878 424 20)" -gt 50 ] || fail "no line about the lost hall"
press_key u
sleep 1
screenshot "$log" "$work/taken-back.png"
[ "$(bright "$work/taken-back.png" 250 878 424 20)" -lt "$(bright "$work/lost.png" 250 878 424 20)" ] ||
    fail "the line about the lost hall stays after an undo"
end_game
echo "hint and lost hall: ok"
