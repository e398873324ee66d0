#!/bin/bash
# Makes the pictures of the user's guide (docs/guide/*.png) from the real
# program: it runs a game night under a virtual X server, clicking and typing
# with xdotool, and grabs each step with ImageMagick's `import`: players,
# the wizard, seating, the chip set and the money, the Structure Planner,
# the clock with its estimated end, the display, the phones, knock-outs with
# their bounties, a rebuy, the deal, the reports, the season, a CSV import,
# the print preview and the resume after a crash. On the way it presses every
# key of the clock in the guide's key table and checks that each one changes
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
    cp -r "$BUILD/docs" "$WORK/prog/" 2>/dev/null || true
    printf '#!/bin/sh\necho "$@" >> "%s/opened.txt"\n' "$WORK" > "$WORK/bin/xdg-open"
    chmod +x "$WORK/bin/xdg-open"
    xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" --inside "$WORK"
    rm -f "$OUT"/[0-9][0-9]-*.png
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

# Item $2 (counted from 0) of the menu with Alt letter $1: the menu opens on
# its first item, each Down moves one item on (a disabled item is skipped:
# Tools, Announce Levels needs the voice that install-deps.sh installs).
menu_item() {
    key "alt+$1"
    local i
    for ((i = 0; i < $2; i++)); do key Down; done
    key Return
}

# Types into a box of the main window at x y (window coordinates).
fill() { click_in "$MAIN" "$1" "$2"; key ctrl+a; type_text "$3"; key Tab; }

# ---- the game night ----

# A season of Friday evenings, and players for the CSV import.
mkdir -p "$WORK/prog/Seasons"
printf '[Season]\nName=Friday League\n\n[Points]\nFormula=Table\nPlaces=3\nPlace 1=10\nPlace 2=6\nPlace 3=3\nTaking Part=1\nPer Bounty=1\n\n[Tournaments]\nCount=1\nTournament 1=Friday Night.trn\nDate 1=%s\n' \
    "$(date +%F)" > "$WORK/prog/Seasons/Friday League.season"
printf 'first,last,aka,phone\nJo,Park,,555-0110\nKai,Weber,Lucky,555-0111\nAnna,Berg,,555-0101\n' > "$WORK/players.csv"

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

# The chip set each player starts with (Chips page, the quantities): 1,800.
page Chips
focus "$MAIN"
k=0
for q in 20 20 20 10 5; do
    fill 690 $((88 + 117 * k)) $q
    k=$((k + 1))
done

# The money: buy-in with a bounty, rebuys and an add-on until level 4, the
# pool from the entries and the suggested payouts (Payout page, Money box).
page Payout
focus "$MAIN"
fill 644 231 30      # Buy-in
fill 644 287 5       # Bounty
fill 644 344 '$'     # Currency
fill 644 372 5       # Round to
fill 810 231 30      # Rebuy
fill 810 259 2000    # Rebuy chips
fill 805 287 4       # Rebuys to level
fill 810 316 20      # Add-on
fill 810 344 2000    # Add-on chips
fill 805 372 4       # Add-ons to level
click_in "$MAIN" 539 398 # Pool from entries
click_in "$MAIN" 561 439 # Suggest
sleep 1
shot_main 06-money

# The structure: Tools, Structure Planner..., then Apply.
focus "$MAIN"
menu_item t 1
PLAN=$(window "Structure Planner")
focus "$PLAN"
sleep 1
shot_window "$PLAN" 05-planner
click_in "$PLAN" 745 573 # Apply
gone "Structure Planner"
focus "$MAIN"

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
shot_main 07-clock

# The players' display: F2 opens it; every clock key works there too.
check_key_window F2 "$DISPLAY_TITLE"
DISP=$(window "$DISPLAY_TITLE")
sleep 1.2
shot_window "$DISP" 08-display
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
shot_window "$PHONE" 09-phones
click_in "$PHONE" 17 18 # off again: the port is free once more
check_key_window Escape "Phone View" closes
focus "$MAIN"

# Knock-outs: In/Out of Eve, then of Ben; each time the program asks who
# knocked the player out (the bounty's winner): the first player still in.
first=1
for row in 4 1; do
    y=$((406 + row * 24))
    click 358 $y          # the In/Out cell: the chooser comes
    click 378 $y          # its arrow: the list opens
    click 352 $((y + 35)) # "Out"
    KO=$(window "Knocked out by")
    focus "$KO"
    key Down
    [ $first = 1 ] && shot_window "$KO" 10-knocked-out-by
    first=0
    key Return
    gone "Knocked out by"
done
focus "$MAIN"
click 240 406 # Anna's name: the chooser goes
sleep 0.5
shot_main 11-knockouts

# Ben buys back in: a right click on his name, Rebuy.
click 240 $((406 + 24)) 3
sleep 0.5
shot_main 12-rebuy
key Down
key Return
sleep 0.5
focus "$MAIN"

# Tools, Deal...: what each player still in would get.
menu_item t 4
DEAL=$(window "Deal")
sleep 0.5
shot_window "$DEAL" 13-deal
focus "$DEAL"
key Escape
gone "Deal"
focus "$MAIN"

# Reports: the menu, then Top 10 Results (written and handed to the viewer).
page Action
focus "$MAIN"
key alt+r
shot_main 14-reports
click_in "$MAIN" 100 44
sleep 1
[ -s "$WORK/prog/Reports/Top10.htm" ] || fail "no results report"
grep -q "Top10.htm" "$WORK/opened.txt" || fail "the results report was not opened"
focus "$MAIN"

# Tools, Season...: the league of the Friday evenings (its file is written
# before the program starts, below).
menu_item t 5
SEASON=$(window "Season")
sleep 1
shot_window "$SEASON" 15-season
focus "$SEASON"
key Escape
gone "Season"
focus "$MAIN"

# File, Import Players...: a spreadsheet saved as CSV, previewed.
menu_item f 3
OPEN=$(window "Import Players")
focus "$OPEN"
type_text "$WORK/players.csv"
key Return
CSV=$(window "Import Players - players.csv")
sleep 0.5
shot_window "$CSV" 16-csv
focus "$CSV"
key Escape
gone "Import Players - players.csv"
focus "$MAIN"

# File, Print...: the seat cards in the preview.
menu_item f 5
PRINT=$(window "Print")
sleep 2
shot_window "$PRINT" 17-print
focus "$PRINT"
key Escape
gone "Print"
focus "$MAIN"

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
shot_window "$ASK" 18-resume
focus "$ASK"
key Return # Yes
wait_main
shot_main 19-resumed

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
mogrify -resize 75% "$SHOTS/08-display.png"
mogrify -strip -bordercolor '#808080' -border 1 "$SHOTS"/*.png
