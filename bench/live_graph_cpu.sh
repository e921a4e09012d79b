#!/usr/bin/env bash
# The whole program's processor time while it reads the simulated unit "SIM", with the live graph
# window ("Дополнител." → "Живой график") open against closed. The program runs from a copy in a
# temporary folder (its settings file and readings stay there) on a private virtual X server;
# its settings name "SIM" as the last port, so "Читать" reads from it at once, and give the live
# graph six curves and twelve lanes over its span of 200 frames (engine speed and injection on
# their data, the others on their full ranges), as the benchmark draws it. The phases
# alternate closed, open, closed, open, each SECONDS long (default 60), after 5 s of reading;
# printed: the processor time of each phase in per cent of one core, and the difference.
# Usage: bench/live_graph_cpu.sh PATH/TO/quintovar [SECONDS]
set -euo pipefail
program=$1
seconds=${2:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
fail() {
    echo "live graph cpu: FAIL: $*" >&2
    exit 1
}
xvfb_pid="" program_pid=""
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/bin" "$work/runtime"
chmod 700 "$work/runtime"
cp "$program" "$work/bin/quintovar"
printf '[Param]\r\nLastPort=SIM\r\n[LiveGraph]\r\nSeries5=2\r\nSeries6=5\r\nFlags=4095\r\n' \
    >"$work/bin/QuintovarByTrelm52.ini"
export HOME=$work XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data \
    XDG_RUNTIME_DIR=$work/runtime LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
. "$root/tests/smoke/x_session.sh"
ui_tenths=30
start_xvfb
"$work/bin/quintovar" >"$work/program.log" 2>&1 &
program_pid=$!
window=$(main_window)
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")" # WIDTH HEIGHT
menu_h=$((HEIGHT - 549))
click_read_or_stop # "Читать"

ticks() { # user and system clock ticks of all the program's threads
    awk '{ sub(/.*\) /, ""); print $12 + $13 }' "/proc/$program_pid/stat"
}
phase() { # prints the processor time over $seconds in per cent of one core
    local before after
    before=$(ticks)
    sleep "$seconds"
    after=$(ticks)
    awk -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" -v s="$seconds" \
        'BEGIN { printf "%.2f", 100 * t / hz / s }'
}
open_live() { # "Дополнител." is the third menu of the bar; "Живой график" the last but one item
    xdotool mousemove --window "$window" 155 $((menu_h / 2)) click 1
    sleep 0.5
    xdotool key Up Up Return
    live=$(await_window "Живой график")
    [ -n "$live" ] || fail "the live graph window did not open"
}
close_live() {
    xdotool windowfocus --sync "$live" key Escape
    await_no_window "Живой график" || fail "Escape did not close the live graph window"
}

sleep 5
closed=() open=()
for _ in 1 2; do
    closed+=("$(phase)")
    open_live
    sleep 2
    open+=("$(phase)")
    close_live
done
kill -0 "$program_pid" 2>/dev/null || fail "the program died while reading"
echo "per cent of one core, live graph closed: ${closed[*]}; open: ${open[*]}"
awk -v c="${closed[*]}" -v o="${open[*]}" 'BEGIN {
    n = split(c, cs, " "); split(o, os, " ")
    for (i = 1; i <= n; i++) { sc += cs[i]; so += os[i] }
    printf "mean closed %.2f %%, open %.2f %%, difference %+.2f %% of one core\n", sc / n, so / n, (so - sc) / n
}'
