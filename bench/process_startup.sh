#!/usr/bin/env bash
# Whole-process start-up: starts the program N times on a private virtual X server and prints
# the milliseconds from launch until its main window is on screen (polled every 5 ms), then
# the median. Settings go to a temporary configuration directory. A Windows build
# (quintovar.exe) runs under wine in a prefix without serial ports (tests/windows/wine-run).
# Usage: bench/process_startup.sh PATH/TO/quintovar [N] [RECORDING]
set -euo pipefail
program=$1
launch=("$program")
[[ $program == *.exe ]] && launch=("$(dirname "$0")/../tests/windows/wine-run" "$program")
runs=${2:-10}
args=("${@:3}")
work=$(mktemp -d)
# Waits for the server to end, so that the next one does not find its display half taken.
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
# -noreset: without it the server resets whenever its last client leaves, and a program
# connecting during that reset cannot open the display.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
until [ -s "$work/display" ]; do sleep 0.05; done
export DISPLAY=":$(head -n1 "$work/display")" XDG_CONFIG_HOME=$work/config
unset QT_QPA_PLATFORM

times=()
for _ in $(seq 1 "$runs"); do
    start=$(date +%s%N)
    "${launch[@]}" "${args[@]}" >"$work/program.log" 2>&1 &
    pid=$!
    until xdotool search --onlyvisible --pid "$pid" --name Toyota >/dev/null 2>&1; do
        kill -0 "$pid" 2>/dev/null || { cat "$work/program.log" >&2; exit 1; }
        sleep 0.005
    done
    times+=($((($(date +%s%N) - start) / 1000000)))
    kill "$pid"
    wait "$pid" 2>/dev/null || true
done
echo "ms until the window is on screen: ${times[*]}"
printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print "median: " a[int((NR+1)/2)] " ms"}'
