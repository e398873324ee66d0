#!/bin/bash
# Makes the pictures of the user's guide (docs/guide/*.png) from the real
# program: it runs a game night under a virtual X server, clicking and typing
# with xdotool, and grabs each step with ImageMagick's `import`. On the way it
# presses every key of the guide's key table and checks that each one changes
# what the screen shows.
#
#   make build && scripts/make-guide-shots.sh [build folder] [picture folder]
#
# The program runs from a copy in a temporary folder (a folder it may write,
# so its Data/, Reports/ and settings stay there) with HOME pointed at a
# temporary folder as well: the user's own data is never touched. Reports are
# "opened" by a stand-in for xdg-open that only notes the file.
# Needs xvfb-run, xdotool and ImageMagick (scripts/install-deps.sh installs them).
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)

if [ "${1:-}" != "--inside" ]; then
    BUILD=$(cd "${1:-$ROOT/build}" && pwd)
    OUT=${2:-$ROOT/docs/guide}
    for tool in xvfb-run xdotool import convert compare; do
        command -v "$tool" >/dev/null || { echo "make-guide-shots: $tool is missing (scripts/install-deps.sh)" >&2; exit 1; }
    done
    [ -x "$BUILD/velmora" ] || { echo "make-guide-shots: no program in $BUILD (make build first)" >&2; exit 1; }
    WORK=$(mktemp -d /tmp/velmora-guide.XXXXXX)
    trap 'rm -rf "$WORK"' EXIT
    mkdir -p "$WORK/prog" "$WORK/home" "$WORK/bin" "$WORK/shots" "$OUT"
    cp "$BUILD/velmora" "$BUILD"/*.jpg "$WORK/prog/"
    cp "$BUILD"/libvelmora_phone.so "$WORK/prog/" 2>/dev/null || true
    cp -r "$BUILD/Sounds" "$WORK/prog/"
    printf '#!/bin/sh\necho "$@" >> "%s/opened.txt"\n' "$WORK" > "$WORK/bin/xdg-open"
    chmod +x "$WORK/bin/xdg-open"
    xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" --inside "$WORK"
    cp "$WORK"/shots/*.png "$OUT/"
    echo "make-guide-shots: $(ls "$WORK"/shots | wc -l) pictures in $OUT"
    exit 0
fi

# ---- inside the virtual X server ----
WORK=$2
export HOME=$WORK/home PATH=$WORK/bin:$PATH SDL_AUDIODRIVER=dummy XDG_RUNTIME_DIR=$WORK/home
chmod 700 "$HOME"
SHOTS=$WORK/shots
PROG_PID=
MAIN=
MENU_BAR=16 # the main window's menu bar above its 882 x 638 client area

fail() { echo "make-guide-shots: $*" >&2; [ -n "$PROG_PID" ] && kill "$PROG_PID" 2>/dev/null; exit 1; }

# The id of the visible window whose title is exactly $1 (waits up to 15 s).
window() {
    local id
    for _ in $(seq 150); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    fail "no window \"$1\""
}

gone() {
    for _ in $(seq 50); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    fail "window \"$1\" still open"
}

start_program() {
    (cd "$WORK/prog" && exec ./velmora >>"$WORK/program.log" 2>&1) &
    PROG_PID=$!
}

wait_main() {
    MAIN=$(window "Velmora: Home Edition")
    sleep 0.5
    focus "$MAIN"
}

focus() { xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"; sleep 0.2; }

# A click at a point of the main window's client area (the coordinates of the
# window's own layout, below the menu bar).
click() { xdotool mousemove --window "$MAIN" "$1" $(($2 + MENU_BAR)) click "${3:-1}"; sleep 0.4; }
# A click at a point of window $1.
click_in() { xdotool mousemove --window "$1" "$2" "$3" click "${4:-1}"; sleep 0.4; }
key() { xdotool key --delay 60 "$@"; sleep 0.4; }
type_text() { xdotool type --delay 20 "$1"; }

# The five page buttons of the left panel.
page() {
    local i
    case $1 in Action) i=0 ;; Players) i=1 ;; Blinds) i=2 ;; Chips) i=3 ;; Payout) i=4 ;; esac
    click 80 $((98 + i * 48))
}

shot_window() { import -window "$1" "$SHOTS/$2.png"; }
# The main window with whatever lies over it (dialogs, open menus).
shot_main() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$MAIN")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$SHOTS/$1.png"
}


# Presses a key and checks that the part of the screen that shows its effect
# changed: region "W H X Y" of window $2 (the whole window when left out).
check_key() {
    local k=$1 win=$2 region=${3:-} before=$WORK/before.png after=$WORK/after.png
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$win")"
    local crop="${WIDTH}x${HEIGHT}+${X}+${Y}"
    if [ -n "$region" ]; then
        set -- $region
        crop="${1}x${2}+$((X + $3))+$((Y + $4))"
    fi
    import -window root -crop "$crop" +repage "$before"
    key "$k"
    import -window root -crop "$crop" +repage "$after"
    local n
    n=$(compare -metric AE "$before" "$after" null: 2>&1 | cut -d' ' -f1 || true)
    [ "${n%%.*}" -gt 0 ] 2>/dev/null || fail "key $k changed nothing"
    echo "key $k: works"
}

# Presses a key and checks that a window with title $2 opens (or, with
# "closes", that it goes).
check_key_window() {
    key "$1"
    if [ "${3:-}" = closes ]; then gone "$2"; else window "$2" >/dev/null; fi
    echo "key $1: works"
}

# A menu key: a popup opens in the main window's top left corner.
check_menu_key() {
    check_key "$1" "$MAIN" "320 140 0 0"
    key Escape
}

DISPLAY_TITLE="Players' Display - Velmora: Home Edition"

# ---- the game night ----

start_program
wait_main

# Players: five boxes per person; Enter saves.
page Players
first=1
for p in "Anna Berg:The Shark:555-0101" "Ben Ortiz::555-0102" "Carla Diaz::555-0103" "Dev Patel::555-0104" \
         "Eve Moreau::555-0105" "Femi Ade::555-0106" "Gus Lind::555-0107" "Hana Sato::555-0108" "Ivan Novak::555-0109"; do
    name=${p%%:*} rest=${p#*:}
    click 214 302 # New...
    focus "$(window "Add Player")"
    type_text "${name% *}"; key Tab
    type_text "${name#* }"; key Tab
    type_text "${rest%%:*}"; key Tab
    type_text "${rest#*:}"
    [ $first = 1 ] && shot_main 01-players
    first=0
    key Return
    gone "Add Player"
done

# The wizard: File, Wizard... (Alt+F, then the third item).
focus "$MAIN"
key alt+f
key Down
key Down
key Return
WIZ=$(window "Velmora Wizard")
focus "$WIZ"
type_text "Friday Night"
for _ in 1 2 3 4 5; do key Return; done # name, level length, schedule, two sounds
click_in "$WIZ" 100 100                # the available players
key ctrl+a
click_in "$WIZ" 280 147                # into the tournament
shot_window "$WIZ" 02-wizard
key Return                             # Finish
gone "Velmora Wizard"

# Seating: Edit... on the Players page, two tables, Random.
focus "$MAIN"
click 820 388
SEAT=$(window "Seat_Form")
focus "$SEAT"
click_in "$SEAT" 428 150
key ctrl+a
type_text 2
click_in "$SEAT" 377 196
shot_window "$SEAT" 03-seating
click_in "$SEAT" 421 348 # Close
gone "Seat_Form"
focus "$MAIN"
shot_main 04-tables

# The clock's keys on the Action page, the clock stopped at a full level 1.
page Action
focus "$MAIN"
check_key Prior "$MAIN" "543 76 171 26"       # the blinds of level 2
check_key Next "$MAIN" "543 76 171 26"        # back to level 1
check_key space "$MAIN" "148 70 724 108"      # Start: the button reads Stop
sleep 2.2
check_key space "$MAIN" "148 70 724 108"      # Stop
check_key ctrl+r "$MAIN" "543 221 171 108"    # the full level again
for m in alt+f alt+r alt+v alt+t alt+h; do check_menu_key "$m"; done

# Start the clock for the evening.
key space
sleep 3.2
shot_main 05-clock

# The players' display: F2 opens it; every clock key works there too.
check_key_window F2 "$DISPLAY_TITLE"
DISP=$(window "$DISPLAY_TITLE")
sleep 1.2
shot_window "$DISP" 06-display
focus "$DISP"
check_key space "$DISP"                       # stop
check_key Prior "$DISP"
check_key Next "$DISP"
check_key ctrl+r "$DISP"
check_key space "$DISP"                       # running again
check_key_window Escape "$DISPLAY_TITLE" closes
focus "$MAIN"
check_key_window F2 "$DISPLAY_TITLE"
focus "$(window "$DISPLAY_TITLE")"
check_key_window F2 "$DISPLAY_TITLE" closes
focus "$MAIN"

# Phones: Tools, Phone View... on a port nobody listens on.
port=8080
while ss -Hltn 2>/dev/null | awk '{print $4}' | grep -q ":$port\$"; do port=$((port + 1)); done
key alt+t
click_in "$MAIN" 186 88 # Tools: Playlist Editor, Structure Planner, Phone View
PHONE=$(window "Phone View")
focus "$PHONE"
click_in "$PHONE" 150 44
key ctrl+a
type_text "$port"
click_in "$PHONE" 17 18 # on
sleep 1.5
shot_window "$PHONE" 07-phones
click_in "$PHONE" 17 18 # off again: the port is free once more
check_key_window Escape "Phone View" closes
focus "$MAIN"

# Knock-outs: In/Out of Eve, then of Ben.
for row in 4 1; do
    y=$((406 + row * 24))
    click 358 $y          # the In/Out cell: the chooser comes
    click 378 $y          # its arrow: the list opens
    click 352 $((y + 35)) # "Out"
done
click 240 406 # Anna's name: the chooser goes
sleep 0.5
shot_main 08-knockouts

# Payout: a pool of 450 paid 50/30/20.
page Payout
click 688 131
key ctrl+a
type_text 450
i=0
for v in 50 30 20; do
    click 240 $((76 + 54 * i))
    key ctrl+a
    type_text $v
    key Tab
    i=$((i + 1))
done
sleep 1
shot_main 09-payout

# Reports: the menu, then Top 10 Results (written and handed to the viewer).
page Action
focus "$MAIN"
key alt+r
shot_main 10-reports
click_in "$MAIN" 100 44
sleep 1
[ -s "$WORK/prog/Reports/Top10.htm" ] || fail "no results report"
grep -q "Top10.htm" "$WORK/opened.txt" || fail "the results report was not opened"

# Crash resume: the program is killed while the clock runs.
sleep 1
kill -9 "$PROG_PID"
wait "$PROG_PID" 2>/dev/null || true
start_program
# The question comes after the splash screen, which has the same title.
ASK=
for _ in $(seq 150); do
    for id in $(xdotool search --onlyvisible --name "^Velmora Home Edition\$" 2>/dev/null || true); do
        case $(xdotool getwindowgeometry "$id" | tail -1) in *700x453) ;; *) ASK=$id ;; esac
    done
    [ -n "$ASK" ] && break
    sleep 0.1
done
[ -n "$ASK" ] || fail "no question after the crash"
sleep 0.5
shot_window "$ASK" 11-resume
focus "$ASK"
key Return # Yes
wait_main
shot_main 12-resumed

# F11 needs a window manager to make a window full screen; with one at hand
# it is checked too.
WM=
for wm in openbox twm matchbox-window-manager; do command -v $wm >/dev/null && WM=$wm && break; done
if [ -n "$WM" ]; then
    $WM >/dev/null 2>&1 &
    WM_PID=$!
    sleep 1
    focus "$MAIN"
    key F2
    DISP=$(window "$DISPLAY_TITLE")
    focus "$DISP"
    before=$(xdotool getwindowgeometry "$DISP" | tail -1)
    key F11
    sleep 1
    after=$(xdotool getwindowgeometry "$DISP" | tail -1)
    [ "$before" != "$after" ] || fail "key F11 changed nothing"
    echo "key F11: works ($before -> $after)"
    key F11
    kill "$WM_PID"
else
    echo "key F11: not checked (no window manager)"
fi

kill "$PROG_PID"
wait "$PROG_PID" 2>/dev/null || true

# The players' display is large: the guide shows it at three quarters. A
# thin frame sets the windows off the page. No dates in the files: pictures
# made again differ only where the windows do.
mogrify -resize 75% "$SHOTS/06-display.png"
mogrify -strip -bordercolor '#808080' -border 1 "$SHOTS"/*.png
