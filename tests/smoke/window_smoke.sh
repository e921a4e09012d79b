#!/usr/bin/env bash
# Drives the real program on a virtual X server the way a user would: start (with the demo
# recording when there is one), find the main window by its caption, check its size and that it
# shows something, read two frames from the simulated unit "SIM", stop, leave by "Файл" →
# "Выход", and check that the program ends cleanly and writes its settings file.
# Usage: window_smoke.sh PATH/TO/quintovar WORKDIR
# A Windows build (PATH/TO/quintovar.exe) runs under wine in a prefix without serial ports
# (tests/windows/wine-run), with the recording given as a Windows path.
# QV_SMOKE_RECORDING names the recording to start with (default: the repository's demo), and
# QV_SMOKE_SETTINGS the one place where the settings file must appear (default: the
# configuration directory below, or beside the program). QV_SMOKE_REAL_TIME=1: the receiver
# thread must run with SCHED_FIFO while reading. QV_SMOKE_LOGIN=1: the program is the child of
# the process started (a login that waits for it).
set -euo pipefail

program=$1
work=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
caption="Диагностика Toyota со старым протоколом"
client_w=259 client_h=549 # the central area below the menu bar
settings_name=QuintovarByTrelm52.ini

rm -rf "$work"
mkdir -p "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime"
export LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
beside_exe="$(dirname "$program")/$settings_name"
rm -f "$beside_exe"

fail() {
    echo "window smoke: FAIL: $*" >&2
    [ -f "$work/program.log" ] && sed 's/^/  program: /' "$work/program.log" >&2
    exit 1
}

xvfb_pid="" program_pid=""
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    # Waits for the server to end, so that the next one does not find its display half taken.
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

. "$root/tests/smoke/x_session.sh"
start_xvfb

launch=("$program") args=() menu_pause=0.5
if [[ $program == *.exe ]]; then
    launch=("$root/tests/windows/wine-run" "$program")
    ui_tenths=40 menu_pause=2 # wine answers input more slowly
fi
recording=${QV_SMOKE_RECORDING:-$root/samples/demo.kvr}
if [ -n "${QV_SMOKE_RECORDING:-}" ] || [ -f "$recording" ]; then
    [[ $program == *.exe ]] && recording=$("${launch[0]}" winepath -w "$recording" 2>/dev/null)
    args+=("$recording")
fi
"${launch[@]}" "${args[@]}" >"$work/program.log" 2>&1 &
program_pid=$!

window=$(main_window)
title=$(xdotool getwindowname "$window")
[ "$title" = "$caption" ] || fail "window caption is '$title'"
sleep 1 # the start-up frame and a command-line recording (200 ms) get on screen

eval "$(xdotool getwindowgeometry --shell "$window")" # WIDTH HEIGHT X Y
menu_h=$((HEIGHT - client_h))
echo "window smoke: window $WIDTH x $HEIGHT (menu bar $menu_h)"
[ "$WIDTH" -eq "$client_w" ] || fail "client width $WIDTH, expected $client_w"
[ "$menu_h" -ge 0 ] && [ "$menu_h" -le 40 ] ||
    fail "client height $HEIGHT is not $client_h plus a menu bar"

# The demo recording carries a comment, whose window opens with the recording (focus on
# "Ок"); it stands over the main window, so close it with "Ок" as a user would.
comment=$(await_window "Коментарий к данным")
if [ -n "$comment" ]; then
    echo "window smoke: the recording's comment window is open; closing it with \"Ок\""
    xdotool mousemove --window "$comment" 436 440 click 1 # "Ок" at 368,432 (137 x 17)
    await_no_window "Коментарий к данным" || fail "the comment window did not close"
fi

shot() { import -window "$window" "$work/$1.png"; }
colours() { convert "$work/$1.png" -format '%k' info:; }
panel() { # the parameter panel: both memo columns
    convert "$work/$1.png" -crop "259x439+0+$((menu_h + 26))" +repage "$work/$1-panel.png"
}

shot start
[ "$(colours start)" -ge 8 ] || fail "the window looks blank ($(colours start) colours)"
panel start

# Port box at 0,0 (97 x 24) of the client area, "Читать" at 102,0 (59 x 24). Every edit of
# the box tries to open the port: the prefixes "S" and "SI" each end in an "Ошибка" box,
# which is closed as a user would, and "SIM" opens the simulated unit.
type_port SIM
echo "window smoke: \"Ошибка\" boxes while typing SIM: $errors"
[ "$errors" -eq 2 ] || fail "expected an \"Ошибка\" box for \"S\" and for \"SI\""
click_read_or_stop # "Читать"
sleep 1.6
if [ -n "${QV_SMOKE_REAL_TIME:-}" ]; then
    real_time_thread || fail "the receiver thread does not run with real-time priority"
    echo "window smoke: the receiver thread runs with SCHED_FIFO"
fi
sleep 1.6 # two frames of the simulated unit in all
shot reading
panel reading
click_read_or_stop # "Стоп"
sleep 0.3
changed=$(compare -metric AE "$work/start-panel.png" "$work/reading-panel.png" null: 2>&1 || true)
echo "window smoke: panel pixels changed while reading: $changed"
[ "${changed%% *}" != 0 ] || fail "the panel did not change while reading from SIM"

# "Файл" → "Выход": open the first menu, go to its last item, take it.
kill -0 "$program_pid" 2>/dev/null || fail "the program died while reading"
open_file_menu
shot menu
xdotool key Up Return
closed_at=$(date +%s%N)
wait_for_exit
echo "window smoke: ended $(((($(date +%s%N) - closed_at) / 1000000))) ms after \"Выход\""
[ "$status" -eq 0 ] || fail "the program ended with status $status"

settings=""
candidates=("$XDG_CONFIG_HOME/quintovar/$settings_name" "$beside_exe")
[[ $program == *.exe ]] && candidates=("$beside_exe") # Windows: beside the program only
[ -n "${QV_SMOKE_SETTINGS:-}" ] && candidates=("$QV_SMOKE_SETTINGS")
for candidate in "${candidates[@]}"; do
    [ -f "$candidate" ] && settings=$candidate
done
[ -n "$settings" ] || fail "no settings file $settings_name was written"
grep -q '^\[Param\]' "$settings" || fail "the settings file has no [Param] section"
if [[ $program == *.exe ]]; then
    [ "$(grep -c $'\r$' "$settings")" -eq "$(grep -c '' "$settings")" ] ||
        fail "the settings file does not end its lines with CR LF"
fi
echo "window smoke: settings written to $settings"
echo "window smoke: passed"
